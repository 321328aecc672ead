#include "capture/Recording.h"
#include "core/SaveModes.h"

#include <QTemporaryDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

SettingsModel recordingSettings()
{
    SettingsModel s;
    s.ScanRefresh = 25;
    s.PercentDropForError = 35;
    s.BIndexSize = 324000;
    s.MotionRecordingDuration = 8;
    s.VideoPath = "/p/CamVideos";
    s.MotionRecordingPath = "/p/CamMotionRecordings";
    s.DefaultFilename = "Cam";
    s.MaxSaveLimit = 99999;
    s.DateFormat = "yy-mm-dd";
    return s;
}

const QDateTime kNow(QDate(2026, 12, 9), QTime(8, 15, 30));

}  // namespace

TEST(RecordingLogic, FramePeriodRoundsHalvesToEven)
{
    const struct { int rate; std::uint32_t us; } cases[] = {
        {25, 40000}, {30, 33333}, {40, 25000}, {7, 142857}, {128, 7812}, {0, 1000000}, {-5, 1000000}};
    for (const auto& c : cases)
        EXPECT_EQ(microSecPerFrame(c.rate), c.us) << c.rate;
}

TEST(RecordingLogic, CaptureParametersFromTheSettings)
{
    SettingsModel s = recordingSettings();
    auto p = recordingParms(s, false);
    EXPECT_EQ(p.dwRequestMicroSecPerFrame, 40000u);
    EXPECT_EQ(p.wPercentDropForError, 35u);
    EXPECT_EQ(p.fYield, 1);
    EXPECT_EQ(p.dwIndexSize, 324000u);
    EXPECT_EQ(p.fCaptureAudio, -1);
    EXPECT_EQ(p.wNumAudioRequested, 10u);
    EXPECT_EQ(p.fLimitEnabled, 0);
    EXPECT_EQ(p.wTimeLimit, 8u);
    EXPECT_EQ(p.wStepCaptureAverageFrames, 5u);

    s.DisableAudioCap = 1;
    s.RecThreadYield = 1;
    p = recordingParms(s, true);
    EXPECT_EQ(p.fCaptureAudio, 0);
    EXPECT_EQ(p.fYield, 0);
    EXPECT_EQ(p.fLimitEnabled, -1);
    s.MotionRecordingDuration = 0;
    EXPECT_EQ(recordingParms(s, true).fLimitEnabled, 0);
}

TEST(RecordingLogic, TitleTellsAboutEscWhenTheBottomPanelIsHidden)
{
    EXPECT_EQ(recordingTitle(false), "Recording Video......");
    EXPECT_EQ(recordingTitle(true), "Recording Video... Press ESC to stop recording");
}

TEST(RecordingLogic, VideoNamesFollowThePictureNaming)
{
    const struct {
        int option;
        int16_t motion;
        const char* path;
        int32_t counterAfter;
    } cases[] = {
        {0, 0, "/p/CamVideos/Cam0Video26-12-09_08.15.30.avi", 42},
        {1, 0, "/p/CamVideos/Cam26-12-09_08.15.30.avi", 42},
        {2, 0, "/p/CamVideos/Cam00042.avi", 43},
        {3, 0, "/p/CamVideos/Cam0Video26-12-09_08.15.30.avi", 42},
        {0, 1, "/p/CamMotionRecordings/Cam0Video26-12-09_08.15.30.avi", 42},
        {2, 1, "/p/CamMotionRecordings/Cam00042.avi", 43},
    };
    for (const auto& c : cases) {
        SettingsModel s = recordingSettings();
        s.SaveFileNameOptions = int16_t(c.option);
        s.MotionRecordMode = c.motion;
        int32_t counter = 42;
        EXPECT_EQ(nextVideoName(s, counter, kNow).path, c.path) << c.option << " " << c.motion;
        EXPECT_EQ(counter, c.counterAfter);
    }
    SettingsModel s = recordingSettings();
    s.SaveFileNameOptions = 2;
    int32_t counter = 99998;
    nextVideoName(s, counter, kNow);
    EXPECT_EQ(counter, 0);
}

TEST(RecordingLogic, ADateNameNeverReplacesARecording)
{
    QTemporaryDir dir;
    SettingsModel s = recordingSettings();
    s.VideoPath = dir.path();
    int32_t counter = 0;
    const QString first = nextVideoName(s, counter, kNow).path;
    QFile(first).open(QIODevice::WriteOnly);
    EXPECT_EQ(nextVideoName(s, counter, kNow).path, dir.path() + "/Cam0Video26-12-09_08.15.30-01.avi");
}

TEST(RecordingLogic, OnlyAMotionRecordingCountsTowardsItsEnd)
{
    SettingsModel s = recordingSettings();
    s.MotionRecordingDuration = 2;
    s.MultipleMotionRecords = 1;
    s.SaveMode = kModeMotionRecord;  // every recording sets it; it must not make a button recording end
    EXPECT_FALSE(recordFlashTick(s, true, 5).stopAndRearm);
    EXPECT_EQ(recordFlashTick(s, true, 5).recordTicks, 5);

    s.MotionRecordMode = 1;
    double ticks = 0;
    QList<bool> stops;
    for (bool shown : {true, false, true, false, true}) {
        const FlashStep step = recordFlashTick(s, shown, ticks);
        ticks = step.recordTicks;
        stops << step.stopAndRearm;
    }
    EXPECT_EQ(stops, QList<bool>({false, false, false, false, true}));
    EXPECT_EQ(ticks, 0);
    s.MultipleMotionRecords = 0;
    EXPECT_FALSE(recordFlashTick(s, true, 99).stopAndRearm);
}

TEST(RecordingLogic, ARecordingWithoutTheSoundAskedForSaysSoOnce)
{
    using platform::capdriver::CaptureParms;
    using platform::capdriver::SequenceStatus;
    const struct {
        int fCaptureAudio;
        bool hasAudio;
        std::optional<QString> notice;
    } cases[] = {
        {-1, false, QString("Recording without sound: no sound input")},
        {-1, true, std::nullopt},
        {0, false, std::nullopt},
    };
    for (const auto& c : cases) {
        CaptureParms parms;
        parms.fCaptureAudio = c.fCaptureAudio;
        SequenceStatus status;
        status.hasAudio = c.hasAudio;
        EXPECT_EQ(recordingStartNotice(parms, status), c.notice) << c.fCaptureAudio << c.hasAudio;
    }
}

TEST(RecordingLogic, TooManyDroppedFramesReachTheEndingNotice)
{
    platform::capdriver::SequenceStatus status;
    status.framesWritten = 2400;
    status.framesDropped = 1350;
    EXPECT_EQ(recordingEndedNotice(status), "Recording Ended") << "within the share";
    status.tooManyDropped = true;
    EXPECT_EQ(recordingEndedNotice(status), "Recording Ended: 1350 of 3750 frames dropped");
}
