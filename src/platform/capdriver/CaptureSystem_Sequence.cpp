// The recording calls of the capture layer: capture file, sequence, compression and
// sound format.
#include "platform/capdriver/CaptureSystem.h"

#include "platform/capdriver/VideoCompressionDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform::capdriver {

namespace {

QStringList waveArguments(const WaveFormat& f)
{
    return {QString::number(f.samplesPerSec), QString::number(f.bitsPerSample), QString::number(f.channels)};
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    return fa.absoluteFilePath() == fb.absoluteFilePath()
           || (fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath());
}

bool copyOver(const QString& from, const QString& to)
{
    // The copy takes a side name first, so a failed copy leaves the target as it was.
    const QString partial = to + ".part";
    QFile::remove(partial);
    if (!QFile::copy(from, partial))
        return false;
    if (QFileInfo::exists(to) && !QFile::remove(to)) {
        QFile::remove(partial);
        return false;
    }
    return QFile::rename(partial, to);
}

}  // namespace

CaptureSystem::DeviceSettings* CaptureSystem::keptFor(CaptureWindow* window)
{
    CaptureDevice* device = window ? window->device() : nullptr;
    return device ? &deviceSettings_[device->id()] : nullptr;
}

AudioSource CaptureSystem::audioSourceOf(const CaptureDevice& device) const
{
    return device.id().startsWith("synthetic:") ? config_.syntheticAudio : AudioSource::Alsa;
}

bool CaptureSystem::capFileSetCaptureFile(CaptureHandle handle, const QString& path)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    const QFileInfo folder(QFileInfo(path).absolutePath());
    const bool ok = w && !w->recording() && !path.isEmpty() && folder.isDir() && folder.isWritable();
    if (ok)
        w->captureFile = path;
    return traced(handle, "WM_CAP_FILE_SET_CAPTURE_FILEA", {CaptureTrace::quoted(path)}, ok);
}

bool CaptureSystem::capFileSaveAs(CaptureHandle handle, const QString& path)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    bool ok = false;
    if (w && !w->captureFile.isEmpty() && !path.isEmpty()) {
        if (sameFile(w->captureFile, path))
            ok = true;  // it already is that file; copying would truncate it first
        else
            ok = !w->recording() && QFileInfo(w->captureFile).isFile() && copyOver(w->captureFile, path);
    }
    return traced(handle, "WM_CAP_FILE_SAVEASA", {CaptureTrace::quoted(path)}, ok);
}

bool CaptureSystem::capCaptureSetSetup(CaptureHandle handle, const CaptureParms& parms)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    const bool ok = w && !w->recording();
    if (ok)
        w->parms = parms;
    return traced(handle, "WM_CAP_SET_SEQUENCE_SETUP",
                  {QString::number(parms.dwRequestMicroSecPerFrame), QString::number(parms.fCaptureAudio),
                   QString::number(parms.fLimitEnabled), QString::number(parms.wTimeLimit),
                   QString::number(parms.dwIndexSize)},
                  ok);
}

bool CaptureSystem::capCaptureGetSetup(CaptureHandle handle, CaptureParms& parms)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    if (w)
        parms = w->parms;
    return traced(handle, "WM_CAP_GET_SEQUENCE_SETUP", {}, w != nullptr);
}

bool CaptureSystem::startSequence(CaptureWindow* window)
{
    DeviceSettings* kept = keptFor(window);
    if (!kept || !sequencers_ || window->captureFile.isEmpty())
        return false;
    std::shared_ptr<CaptureDevice> device = window->sharedDevice();
    SequenceRequest request;
    request.path = window->captureFile;
    request.parms = window->parms;
    request.compression = kept->compression;
    request.audioFormat = kept->audioFormat;
    request.audioSource = window->parms.fCaptureAudio ? audioSourceOf(*device) : AudioSource::None;
    request.frames = [device](std::chrono::milliseconds wait) { return device->frame(wait); };
    return window->startSequence(sequencers_->make(), std::move(request)).ok;
}

bool CaptureSystem::capCaptureSequence(CaptureHandle handle)
{
    ensureConfigured();
    return traced(handle, "WM_CAP_SEQUENCE", {}, startSequence(find(handle)));
}

bool CaptureSystem::capGetStatus(CaptureHandle handle, SequenceStatus& status)
{
    CaptureWindow* w = find(handle);
    const auto current = w ? w->sequenceStatus() : std::nullopt;
    if (current)
        status = *current;
    return current.has_value();
}

bool CaptureSystem::showCompressionDialog(CaptureWindow* window)
{
    DeviceSettings* kept = keptFor(window);
    if (!kept)
        return false;
    VideoCompressionDialog dialog(kept->compression, window->window());
    if (dialog.exec() == QDialog::Accepted)
        kept->compression = dialog.choice();
    return true;
}

bool CaptureSystem::capDlgVideoCompression(CaptureHandle handle)
{
    ensureConfigured();
    return traced(handle, "WM_CAP_DLG_VIDEOCOMPRESSION", {}, showCompressionDialog(find(handle)));
}

int CaptureSystem::capGetAudioFormatSize(CaptureHandle handle)
{
    ensureConfigured();
    DeviceSettings* kept = keptFor(find(handle));
    return kept ? int(kept->audioFormat.toRecord().size()) : 0;
}

bool CaptureSystem::capGetAudioFormat(CaptureHandle handle, WaveFormat& format)
{
    ensureConfigured();
    DeviceSettings* kept = keptFor(find(handle));
    if (kept)
        format = kept->audioFormat;
    return traced(handle, "WM_CAP_GET_AUDIOFORMAT", kept ? waveArguments(format) : QStringList{}, kept != nullptr);
}

bool CaptureSystem::capSetAudioFormat(CaptureHandle handle, const WaveFormat& format)
{
    ensureConfigured();
    DeviceSettings* kept = keptFor(find(handle));
    const bool ok = kept && capAudioFormats(handle).contains(format);
    if (ok)
        kept->audioFormat = format;
    return traced(handle, "WM_CAP_SET_AUDIOFORMAT", waveArguments(format), ok);
}

QList<WaveFormat> CaptureSystem::capAudioFormats(CaptureHandle handle)
{
    ensureConfigured();
    CaptureDevice* device = connectedDevice(handle);
    if (!device || !sequencers_)
        return {};
    return sequencers_->acceptedFormats(audioSourceOf(*device));
}

}  // namespace platform::capdriver
