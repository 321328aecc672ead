#include "platform/sound/SoundAlsa.h"

#include "platform/sound/AlsaPcm.h"
#include "platform/sound/SoundLog.h"
#include "platform/sound/SoundPlayer.h"

#include <chrono>
#include <memory>
#include <thread>

namespace {


// Logs an ALSA failure with ALSA's own text; a device error is a warning, a
// missing device only information (no device means no sound).
void logAlsa(QtMsgType type, const char* what, const QByteArray& pcm, int error)
{
    const QString reason = QString::fromLocal8Bit(snd_strerror(error));
    if (type == QtWarningMsg)
        qCWarning(lcSound).noquote() << what << pcm << "failed:" << reason;
    else
        qCInfo(lcSound).noquote() << what << pcm << "failed:" << reason;
}

snd_pcm_format_t alsaFormat(WaveSound::Sample sample)
{
    switch (sample) {
    case WaveSound::Sample::U8: return SND_PCM_FORMAT_U8;
    case WaveSound::Sample::S16: return SND_PCM_FORMAT_S16_LE;
    case WaveSound::Sample::S24: return SND_PCM_FORMAT_S24_3LE;
    case WaveSound::Sample::S32: return SND_PCM_FORMAT_S32_LE;
    case WaveSound::Sample::F32: return SND_PCM_FORMAT_FLOAT_LE;
    }
    return SND_PCM_FORMAT_UNKNOWN;
}

PcmHandle openPcm(const QByteArray& name)
{
    int error = 0;
    PcmHandle pcm = openPlaybackPcm(name, error);
    if (!pcm)
        logAlsa(QtInfoMsg, "opening sound device", name, error);
    return pcm;
}

QByteArray nameOf(snd_pcm_t* pcm)
{
    return QByteArray(snd_pcm_name(pcm));
}

bool configure(snd_pcm_t* pcm, const WaveSound& sound)
{
    const int error = setPlaybackParams(pcm, alsaFormat(sound.sample), static_cast<unsigned>(sound.channels),
                                        static_cast<unsigned>(sound.sampleRate));
    if (error < 0)
        logAlsa(QtWarningMsg, "setting the sound format on", nameOf(pcm), error);
    return error >= 0;
}

SoundOutcome writeAll(snd_pcm_t* pcm, const WaveSound& sound, const std::function<bool()>& shouldStop)
{
    int error = 0;
    switch (writeFrames(pcm, sound.frames.constData(), sound.frameCount(), sound.bytesPerFrame(), shouldStop, {},
                        error)) {
    case PcmWriteEnd::Stopped: return SoundOutcome::Stopped;
    case PcmWriteEnd::Failed:
        logAlsa(QtWarningMsg, "playing on", nameOf(pcm), error);
        return SoundOutcome::DeviceError;
    case PcmWriteEnd::Written: break;
    }
    return SoundOutcome::Played;
}

// Lets the buffered tail play out, but never for much longer than it lasts.
SoundOutcome drain(snd_pcm_t* pcm, const std::function<bool()>& shouldStop)
{
    using namespace std::chrono;
    const auto tail = microseconds(kPcmLatencyMicroseconds) * 2 + seconds(1);
    const auto deadline = steady_clock::now() + tail;
    const int started = snd_pcm_drain(pcm);
    if (started < 0 && started != -EAGAIN) {
        logAlsa(QtWarningMsg, "draining", nameOf(pcm), started);
        return SoundOutcome::DeviceError;
    }
    while (snd_pcm_state(pcm) == SND_PCM_STATE_DRAINING) {
        if (shouldStop())
            return SoundOutcome::Stopped;
        if (steady_clock::now() > deadline) {
            qCWarning(lcSound).noquote() << "draining" << nameOf(pcm) << "did not end in time";
            return SoundOutcome::DeviceError;
        }
        std::this_thread::sleep_for(milliseconds(kPcmWaitMilliseconds / 2));
    }
    return SoundOutcome::Played;
}

}  // namespace

AlsaSoundDevice::AlsaSoundDevice(QByteArray pcmName) : pcmName_(std::move(pcmName)) {}

SoundOutcome AlsaSoundDevice::play(const WaveSound& sound, const std::function<bool()>& shouldStop)
{
    const PcmHandle pcm = openPcm(pcmName_);
    if (!pcm)
        return SoundOutcome::NoDevice;
    if (!configure(pcm.get(), sound))
        return SoundOutcome::DeviceError;
    SoundOutcome outcome = writeAll(pcm.get(), sound, shouldStop);
    if (outcome == SoundOutcome::Played)
        outcome = drain(pcm.get(), shouldStop);
    if (outcome != SoundOutcome::Played)
        snd_pcm_drop(pcm.get());
    return outcome;
}

std::unique_ptr<SoundOutput> makeSoundOutput()
{
    return std::make_unique<SoundPlayer>(std::make_unique<AlsaSoundDevice>());
}
