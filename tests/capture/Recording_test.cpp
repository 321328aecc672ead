#include "Children.h"
#include "AviProbe.h"
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "buttons/StyledButton.h"
#include "platform/capdriver/CaptureSystem.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using platform::capdriver::SequenceStatus;

namespace {

// The main window over a 160 x 120 test pattern, recording at 25 frames a second.
struct Recording : ::testing::Test, MainWindowHarness {
    QStringList notices;
    QStringList titles;

    frmMain& open(const QString& commandLine = QString())
    {
        qputenv("TOLVEX_SYNTH_FORMAT", "160x120");
        qputenv("TOLVEX_SYNTH_SCENE", "bars");
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        qputenv("TOLVEX_SYNTH_DEVICES", "1");
        // Sound from the test tone unless a case says otherwise, whatever sound
        // devices the machine has.
        if (!qEnvironmentVariableIsSet("TOLVEX_AUDIO"))
            qputenv("TOLVEX_AUDIO", "synthetic");
        capture->reloadSettings();
        frmMain& m = start(commandLine);
        watch(m);
        return m;
    }
    void watch(frmMain& m)
    {
        QObject::connect(&m, &frmMain::noticeShown, [this](const QString& t) { notices << t; });
        QObject::connect(&m, &QWidget::windowTitleChanged, [this](const QString& t) { titles << t; });
    }
    frmMain& previewing()
    {
        frmMain& m = open();
        s.VidCompressDialog = 0;
        m.show();
        m.cmdStart_Click();
        return m;
    }
    SequenceStatus status(frmMain& m)
    {
        SequenceStatus st;
        capture->capGetStatus(m.capwnd(), st);
        return st;
    }
    // Waits until the recording has written this many frames.
    void recordFrames(frmMain& m, int frames)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return status(m).framesWritten >= frames; }, 5000));
    }
    QStringList files(const QString& folder) const
    {
        return QDir(box.programFolder() + "/" + folder).entryList({"*.avi"}, QDir::Files);
    }
    AviInfo only(const QString& folder) const
    {
        const QStringList names = files(folder);
        EXPECT_EQ(names.size(), 1) << names.join(", ").toStdString();
        return names.isEmpty() ? AviInfo{} : probeAvi(box.programFolder() + "/" + folder + "/" + names[0]);
    }
    static QString enabledButtons(frmMain& m)
    {
        QString states;
        for (StyledButton* b : {child<StyledButton>(m, "cmdStart"), child<StyledButton>(m, "cmdStop"), child<StyledButton>(m, "cmdSnapShot"), child<StyledButton>(m, "cmdRecord"), child<StyledButton>(m, "cmdSetup"), child<StyledButton>(m, "cmdBurst"),
                                child<StyledButton>(m, "StyledButton13"), child<StyledButton>(m, "Check1"), child<StyledButton>(m, "Check3")})
            states += b->Enabled() ? '1' : '0';
        return states;
    }
};

}  // namespace

TEST_F(Recording, RecordButtonRecordsUntilStopAndThenPreviewsAgain)
{
    frmMain& m = previewing();
    m.cmdRecord_Click();
    EXPECT_TRUE(m.recording());
    EXPECT_EQ(m.windowTitle(), "Recording Video......");
    EXPECT_EQ(enabledButtons(m), "010000000");
    EXPECT_FALSE(child<IntervalBox>(m, "txtSaveInterval")->isEnabled());
    EXPECT_TRUE(child<QTimer>(m, "tmrFlash")->isActive());
    EXPECT_FALSE(child<QWidget>(m, "Image1")->isHidden());
    EXPECT_TRUE(child<PreviewImage>(m, "Image4")->isHidden());
    EXPECT_EQ(s.SaveMode, 3);
    EXPECT_EQ(m.viewerFolderIndex(), 2);
    EXPECT_EQ(s.NumAudioRequested, 10);
    recordFrames(m, 25);

    m.cmdStop_Click();
    EXPECT_TRUE(titles.contains("Please WAIT while closing recording...."));
    EXPECT_EQ(notices, QStringList{"Recording Ended"});
    EXPECT_FALSE(m.recording());
    EXPECT_EQ(m.windowTitle(), m.baseTitle());
    EXPECT_FALSE(child<QTimer>(m, "tmrFlash")->isActive());
    EXPECT_TRUE(child<QLabel>(m, "imgRecFlash")->isHidden());
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());
    const AviInfo info = only("CamVideos");
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_DOUBLE_EQ(info.fps, 25.0);
    EXPECT_GE(info.seconds, 1.0);
    EXPECT_EQ(info.size, QSize(160, 120));
    EXPECT_EQ(info.videoCodec, "mjpeg");
}

TEST_F(Recording, HotKeysOfDisabledButtonsDoNothingDuringARecording)
{
    frmMain& m = previewing();
    m.cmdRecord_Click();
    ASSERT_TRUE(m.recording());
    recordFrames(m, 5);
    const int framesBefore = status(m).framesWritten;
    QWidget* focus = child<IntervalBox>(m, "txtSaveInterval");
    QTest::keyClick(focus, Qt::Key_F2);  // start: its button is disabled
    QTest::keyClick(focus, Qt::Key_F3);  // snapshot
    QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(focus, Qt::Key_F1);  // help
    EXPECT_TRUE(m.recording());
    EXPECT_EQ(m.windowTitle(), "Recording Video......");
    EXPECT_EQ(enabledButtons(m), "010000000");
    EXPECT_FALSE(child<QWidget>(m, "Image1")->isHidden());
    EXPECT_TRUE(notices.isEmpty()) << notices.join(", ").toStdString();
    EXPECT_TRUE(QDir(s.PicturePath).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(shell.openedUrls.isEmpty());
    // The recording goes on.
    recordFrames(m, framesBefore + 5);
    EXPECT_TRUE(status(m).running);

    // F10 stands for the stop button, which is enabled: it ends the recording.
    QTest::keyClick(focus, Qt::Key_F10);
    EXPECT_FALSE(m.recording());
    EXPECT_EQ(notices, QStringList{"Recording Ended"});
    EXPECT_EQ(files("CamVideos").size(), 1);
}

TEST_F(Recording, EscInTheTinyViewEndsTheRecordingWithAFile)
{
    frmMain& m = previewing();
    child<QWidget>(m, "Picture3")->hide();
    m.cmdRecord_Click();
    EXPECT_EQ(m.windowTitle(), "Recording Video... Press ESC to stop recording");
    recordFrames(m, 10);
    // The stop button has the focus; ESC reaches the window all the same.
    child<StyledButton>(m, "cmdStop")->setFocus();
    QTest::keyClick(child<StyledButton>(m, "cmdStop"), Qt::Key_Escape);
    EXPECT_TRUE(titles.contains("Please wait while ending recording...."));
    EXPECT_TRUE(titles.contains("Please WAIT while closing recording...."));
    EXPECT_EQ(notices, QStringList{"Recording Ended"});
    EXPECT_FALSE(m.recording());
    const AviInfo info = only("CamVideos");
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_GT(info.seconds, 0.3);

    // ESC without a recording leaves the preview's capture window alone.
    const qint32 preview = m.capwnd();
    QTest::keyClick(&m, Qt::Key_Escape);
    EXPECT_EQ(m.capwnd(), preview);
    EXPECT_EQ(notices.size(), 1);

    // The next recording is ended by the stop button as any other.
    m.cmdRecord_Click();
    ASSERT_TRUE(m.recording());
    recordFrames(m, 5);
    m.cmdStop_Click();
    EXPECT_FALSE(m.recording());
    EXPECT_EQ(notices, QStringList({"Recording Ended", "Recording Ended"}));
    EXPECT_TRUE(child<QWidget>(m, "Image1")->isHidden());
    EXPECT_FALSE(child<PreviewImage>(m, "Image4")->isHidden());
    EXPECT_EQ(files("CamVideos").size(), 2);
}

namespace {

// A control of the main window that counts the ESC presses it is given.
struct EscapeCounter : QWidget {
    EscapeCounter(QWidget* parent, int& count) : QWidget(parent), count_(count) {}
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            ++count_;
    }
    int& count_;
};

// A child of the main window that, while the window's controls are being destroyed,
// presses ESC on a control that is still there. It is the window's first child, so it
// goes while the recording window is still there and shown: nothing but an ESC watch
// still listening can keep the key from the control.
struct EscapeWhileTheWindowGoes : QWidget {
    explicit EscapeWhileTheWindowGoes(frmMain* window) : QWidget(window)
    {
        lower();  // first in the window's list of children, so destroyed first
    }
    ~EscapeWhileTheWindowGoes() override
    {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &esc);
    }
    QWidget* target = nullptr;
};

}  // namespace

// The program ends while it records: the window goes with its ESC watch still
// installed on the application. The watch goes first, so it never reads the window
// that is being destroyed and an ESC then reaches the control as any key would.
TEST_F(Recording, TheEscWatchGoesBeforeTheWindow)
{
    frmMain& m = previewing();
    int escapes = 0;
    auto* presser = new EscapeWhileTheWindowGoes(&m);  // destroyed before the control below
    presser->target = new EscapeCounter(&m, escapes);
    presser->target->show();
    m.cmdRecord_Click();
    ASSERT_TRUE(m.recording());
    recordFrames(m, 5);
    w.reset();
    EXPECT_EQ(escapes, 1);
}

TEST_F(Recording, AButtonRecordingIsNotEndedByTheMotionCount)
{
    frmMain& m = previewing();
    s.MultipleMotionRecords = 1;
    s.MotionRecordingDuration = 4;
    m.cmdRecord_Click();
    m.tmrFlash_Timer();
    // The mark shows a red dot in its middle at its first flash.
    const auto* mark = child<QLabel>(m, "imgRecFlash");
    EXPECT_FALSE(mark->isHidden());
    const QImage dot = mark->pixmap().toImage();
    ASSERT_FALSE(dot.isNull());
    EXPECT_EQ(dot.pixelColor(dot.width() / 2, dot.height() / 2), QColor(Qt::red));
    for (int i = 1; i < 20; ++i)
        m.tmrFlash_Timer();
    EXPECT_TRUE(m.recording());
    EXPECT_TRUE(status(m).running);
    m.cmdStop_Click();
}

TEST_F(Recording, MotionRecordingLastsItsDurationAndArmsAgain)
{
    frmMain& m = previewing();
    s.MotionRecordingDuration = 4;
    s.MultipleMotionRecords = 1;
    s.VidCompressDialog = 1;  // never shown in motion-record mode
    m.selectSaveOption(3);
    ASSERT_EQ(s.MotionRecordMode, 1);
    m.startMotionRecording();
    ASSERT_TRUE(m.recording());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !status(m).running; }, 8000));
    EXPECT_TRUE(status(m).result.ok);
    // The mark's count ends the recording window after the duration.
    for (int tick = 0; tick < 20 && m.recording(); ++tick)
        m.tmrFlash_Timer();
    EXPECT_FALSE(m.recording());
    EXPECT_EQ(notices, QStringList{"Recording Ended"});
    EXPECT_EQ(s.MotionRecordMode, 1);
    EXPECT_TRUE(child<QTimer>(m, "tmrAutoMotion")->isActive());
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *MotionRecord mode*");
    const AviInfo info = only("CamMotionRecordings");
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_NEAR(info.seconds, 4.0, 0.5);
    EXPECT_TRUE(files("CamVideos").isEmpty());
}

TEST_F(Recording, CancelInTheCompressionDialogStillRecords)
{
    frmMain& m = previewing();
    s.VidCompressDialog = 1;
    bool asked = false;
    // The recording yields before the dialog opens; the answer waits for the dialog.
    answerNextModal([&](QWidget* dialog) {
        asked = dialog->windowTitle() == "Video Compression";
        dialog->findChild<QPushButton*>("cancelButton")->click();
    });
    m.cmdRecord_Click();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(m.recording());
    recordFrames(m, 5);
    m.cmdStop_Click();
    EXPECT_EQ(only("CamVideos").videoCodec, "mjpeg");
}

TEST_F(Recording, SoundTrackFollowsDisableAudioCap)
{
    qputenv("TOLVEX_AUDIO", "synthetic");
    for (int16_t disable : {0, 1}) {
        SCOPED_TRACE(disable);
        frmMain& m = previewing();
        s.DisableAudioCap = disable;
        s.SaveFileNameOptions = 2;
        m.cmdRecord_Click();
        recordFrames(m, 10);
        m.cmdStop_Click();
        const QStringList names = files("CamVideos");
        ASSERT_FALSE(names.isEmpty());
        const AviInfo info = probeAvi(box.programFolder() + "/CamVideos/" + names.last());
        ASSERT_TRUE(info.ok);
        EXPECT_EQ(info.audioStreams, disable ? 0 : 1);
        if (!disable) {
            EXPECT_EQ(info.sampleRate, 11025);
            EXPECT_EQ(info.bitsPerSample, 8);
            EXPECT_EQ(info.channels, 1);
        }
        w.reset();
    }
    qunsetenv("TOLVEX_AUDIO");
}

TEST_F(Recording, CounterNamesAdvanceTheCounterPicturesShare)
{
    frmMain& m = previewing();
    s.SaveFileNameOptions = 2;
    s.FileCounter = 41;
    m.cmdRecord_Click();
    m.cmdStop_Click();
    EXPECT_EQ(files("CamVideos"), QStringList{"Cam00041.avi"});
    EXPECT_EQ(s.FileCounter, 42);
}

TEST_F(Recording, RecordSwitchRecordsAfterTheWholeStartUp)
{
    frmMain& m = open("/record");
    EXPECT_TRUE(m.recording());
    EXPECT_EQ(m.windowTitle(), "Recording Video......");
    EXPECT_TRUE(status(m).running);
    EXPECT_EQ(s.VidCompressDialog, 1);
    recordFrames(m, 5);
    m.cmdStop_Click();
    EXPECT_TRUE(only("CamVideos").ok);
}

TEST_F(Recording, AFolderThatCannotBeWrittenGivesANoticeAndNoRecordingState)
{
    frmMain& m = previewing();
    box.writeFile("plainfile", "x");
    s.VideoPath = box.programFolder() + "/plainfile/CamVideos";
    m.cmdRecord_Click();
    EXPECT_FALSE(m.recording());
    EXPECT_NE(m.windowTitle(), "Recording Video......");
    EXPECT_FALSE(child<QTimer>(m, "tmrFlash")->isActive());
    EXPECT_EQ(notices, QStringList{"Recording Failed: the video file could not be made"});
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_TRUE(child<StyledButton>(m, "cmdRecord")->Enabled());

    // A video folder removed since the start-up is made again.
    s.VideoPath = box.programFolder() + "/gone/CamVideos";
    m.cmdRecord_Click();
    EXPECT_TRUE(m.recording());
    m.cmdStop_Click();
    EXPECT_EQ(QDir(s.VideoPath).entryList({"*.avi"}).size(), 1);
}

TEST_F(Recording, ARecordingThatBreaksOffEndsWithANoticeAndAFile)
{
    frmMain& m = previewing();
    s.BIndexSize = 10;
    m.cmdRecord_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !status(m).running; }, 5000));
    m.tmrFlash_Timer();
    EXPECT_FALSE(m.recording());
    EXPECT_EQ(notices, QStringList({"Recording Ended", "Recording Ended: the index is full"}));
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_TRUE(only("CamVideos").ok);
}

TEST_F(Recording, TheRecordingNeverHoldsTheWindowWhateverRecThreadYieldSays)
{
    frmMain& m = previewing();
    s.RecThreadYield = 1;
    QElapsedTimer took;
    took.start();
    m.cmdRecord_Click();
    EXPECT_LT(took.elapsed(), 1000);
    EXPECT_TRUE(status(m).running);
    m.cmdStop_Click();
}

TEST_F(Recording, TheVideoFormatChosenOnThePreviewReachesTheRecording)
{
    frmMain& m = previewing();
    ASSERT_TRUE(capture->capSetVideoFormat(m.capwnd(), platform::capdriver::BitmapFormat::rgb24({176, 144})));
    m.cmdRecord_Click();
    recordFrames(m, 3);
    m.cmdStop_Click();
    EXPECT_EQ(only("CamVideos").size, QSize(176, 144));
}

TEST_F(Recording, SoundAskedForWithoutASoundInputIsToldOnce)
{
    qputenv("TOLVEX_AUDIO", "none");
    frmMain& m = previewing();
    s.DisableAudioCap = 0;
    m.cmdRecord_Click();
    recordFrames(m, 10);
    EXPECT_EQ(notices, QStringList{"Recording without sound: no sound input"});
    m.cmdStop_Click();
    EXPECT_EQ(notices, QStringList({"Recording without sound: no sound input", "Recording Ended"}));
    EXPECT_EQ(only("CamVideos").audioStreams, 0);
    qunsetenv("TOLVEX_AUDIO");
}
