#include "capture/Recording.h"

#include <cmath>

namespace {

constexpr std::uint32_t kStepCaptureAverageFrames = 5;

}  // namespace

std::uint32_t microSecPerFrame(int framesPerSecond)
{
    const double exact = 1000000.0 / std::max(1, framesPerSecond);
    return std::uint32_t(std::nearbyint(exact));
}

platform::capdriver::CaptureParms recordingParms(const SettingsModel& s, bool motionRecordSelected)
{
    platform::capdriver::CaptureParms p;
    p.dwRequestMicroSecPerFrame = microSecPerFrame(s.ScanRefresh);
    p.fMakeUserHitOKToCapture = 0;
    p.wPercentDropForError = std::uint32_t(s.PercentDropForError);
    // The capture layer always records on its own thread; the flag is passed as set.
    p.fYield = 1 - s.RecThreadYield;
    p.dwIndexSize = std::uint32_t(s.BIndexSize);
    p.wChunkGranularity = std::uint32_t(s.ChunkGranularity);
    p.fCaptureAudio = s.DisableAudioCap != 1 ? -1 : 0;
    p.wNumAudioRequested = kNumAudioRequested;
    p.fLimitEnabled = motionRecordSelected && s.MotionRecordingDuration > 0 ? -1 : 0;
    p.wTimeLimit = std::uint32_t(std::max(0, s.MotionRecordingDuration));
    p.wStepCaptureAverageFrames = kStepCaptureAverageFrames;
    p.dwAudioBufferSize = std::uint32_t(s.AudioBufferSize);
    p.AVStreamMaster = std::uint32_t(s.AVStreamMaster);
    return p;
}

QString recordingTitle(bool bottomPanelHidden)
{
    return bottomPanelHidden ? recordingtext::kTitleEsc : recordingtext::kTitle;
}

PictureName nextVideoName(const SettingsModel& s, int32_t& counter, const QDateTime& now)
{
    const QString folder = s.MotionRecordMode != 0 ? s.MotionRecordingPath : s.VideoPath;
    const int option = s.SaveFileNameOptions;
    const QString namePart = option == kNameDateTime || option == kNameCounter
                                 ? s.DefaultFilename
                                 : s.DefaultFilename + QString::number(s.CaptureDevice) + "Video";
    const bool counterNamed = option == kNameCounter;
    PictureName name;
    name.path = folder + "/" + namePart + fileNameStamp(s, counterNamed, counter, now) + ".avi";
    name.replacesExisting = counterNamed;
    if (!counterNamed)
        name.path = firstFreePath(name.path);
    return name;
}

FlashStep recordFlashTick(const SettingsModel& s, bool markShown, double recordTicks)
{
    FlashStep step;
    step.recordTicks = recordTicks;
    if (s.MotionRecordMode == 0 || s.MultipleMotionRecords == 0 || !markShown)
        return step;
    step.recordTicks += 1;
    if (step.recordTicks > s.MotionRecordingDuration) {
        step.recordTicks = 0;
        step.stopAndRearm = true;
    }
    return step;
}

std::optional<QString> recordingStartNotice(const platform::capdriver::CaptureParms& parms,
                                            const platform::capdriver::SequenceStatus& status)
{
    if (parms.fCaptureAudio == 0 || status.hasAudio)
        return std::nullopt;
    return QString(recordingtext::kNoSound);
}

QString recordingEndedNotice(const platform::capdriver::SequenceStatus& status)
{
    if (!status.tooManyDropped)
        return recordingtext::kEnded;
    return QStringLiteral("%1: %2 of %3 frames dropped")
        .arg(recordingtext::kEnded)
        .arg(status.framesDropped)
        .arg(status.framesWritten + status.framesDropped);
}

QString recordingBrokeOffNotice(int code)
{
    switch (code) {
    case platform::capdriver::kIndexFull: return QStringLiteral("Recording Ended: the index is full");
    case platform::capdriver::kDeviceFailed: return QStringLiteral("Recording Ended: the video device failed");
    default: return QStringLiteral("Recording Ended: the disk is full or cannot be written");
    }
}
