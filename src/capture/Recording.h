#pragma once

#include "core/PictureSavingNames.h"
#include "platform/capdriver/CaptureSequence.h"
#include "core/SettingsModel.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

// Texts of the recording.
namespace recordingtext {
inline constexpr char kTitle[] = "Recording Video......";
// When the bottom panel is hidden (tiny view, full screen), the title tells about ESC.
inline constexpr char kTitleEsc[] = "Recording Video... Press ESC to stop recording";
inline constexpr char kEnding[] = "Please wait while ending recording....";
inline constexpr char kNoDevice[] = "No video/webcam device found";
inline constexpr char kCannotStart[] = "Recording Failed: the video file could not be made";
inline constexpr char kEnded[] = "Recording Ended";
inline constexpr char kNoSound[] = "Recording without sound: no sound input";
}  // namespace recordingtext

// Sound buffers a recording asks for; SaveVideo also writes it into the settings.
inline constexpr int kNumAudioRequested = 10;

// One frame period in microseconds for a frame rate (ScanRefresh), to the nearest
// whole number, halves to even. A rate below 1 counts as 1.
std::uint32_t microSecPerFrame(int framesPerSecond);

// The capture parameters a recording is made with. The limit is on only when the
// option "Motionrecord" is selected and the duration is above 0; the time limit is
// the duration whatever the limit says.
platform::capdriver::CaptureParms recordingParms(const SettingsModel& s, bool motionRecordSelected);

// The window title while recording.
QString recordingTitle(bool bottomPanelHidden);

// The next AVI file: <folder>/<name part><stamp>.avi, the folder by MotionRecordMode.
// A counter name advances `counter`; a date name never replaces a file.
PictureName nextVideoName(const SettingsModel& s, int32_t& counter, const QDateTime& now);

// One tick of the recording mark. A motion recording (MotionRecordMode) with
// MultipleMotionRecords counts each time the mark shows; past the duration the
// recording is stopped and motion recording armed again. Any other recording runs
// until the user ends it.
struct FlashStep {
    double recordTicks = 0;
    bool stopAndRearm = false;
};
FlashStep recordFlashTick(const SettingsModel& s, bool markShown, double recordTicks);

// The notice once a recording has begun: sound was asked for (fCaptureAudio) but the
// sequence records none, because no sound input could be opened. Nothing otherwise.
std::optional<QString> recordingStartNotice(const platform::capdriver::CaptureParms& parms,
                                            const platform::capdriver::SequenceStatus& status);

// The notice at the end of a recording: "Recording Ended", with the dropped frames
// when their share went above wPercentDropForError.
QString recordingEndedNotice(const platform::capdriver::SequenceStatus& status);

// The notice for a recording that ended by itself with a failure.
QString recordingBrokeOffNotice(int code);
