#include "Children.h"
#include "MainWindowHarness.h"
#include "buttons/StyledButton.h"
#include "capture/PictureSaving.h"
#include "settings/GDIPlusJPGConvertor.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QDir>
#include <QImageReader>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Capture : ::testing::Test, MainWindowHarness {
    QStringList notices;

    frmMain& previewing()
    {
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        capture->reloadSettings();
        frmMain& m = start();
        QObject::connect(&m, &frmMain::noticeShown, [this](const QString& t) { notices << t; });
        m.show();
        m.cmdStart_Click();
        return m;
    }

    QStringList picturesIn(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
};

}  // namespace

TEST_F(Capture, SnapshotWritesAJpegOfTheLivePicture)
{
    frmMain& m = previewing();
    m.cmdSnapShot_Click();
    const QStringList files = picturesIn(s.PicturePath);
    ASSERT_EQ(files.size(), 1) << notices.join("|").toStdString() << s.PicturePath.toStdString();
    EXPECT_TRUE(files[0].startsWith("Cam0Pic"));
    EXPECT_TRUE(files[0].endsWith(".jpg"));
    const QImage saved = QImageReader(s.PicturePath + "/" + files[0]).read();
    EXPECT_EQ(saved.size(), child<PreviewImage>(m, "Image4")->image().size());
    EXPECT_EQ(notices, QStringList{"Snapshot Saved"});
    EXPECT_EQ(sound.played, QStringList{box.programFolder() + "/sound1.bin"});
    EXPECT_EQ(m.viewerFolderIndex(), 0);
}

TEST_F(Capture, TwoSnapshotsInOneSecondGiveTwoFiles)
{
    frmMain& m = previewing();
    m.cmdSnapShot_Click();
    m.cmdSnapShot_Click();
    EXPECT_EQ(picturesIn(s.PicturePath).size(), 2);
}

TEST_F(Capture, SnapshotIntoAMissingFolderSaysSo)
{
    frmMain& m = previewing();
    s.PicturePath = box.programFolder() + "/gone/CamSnapshots";
    m.cmdSnapShot_Click();
    EXPECT_EQ(notices, QStringList{"Snapshot NOT saved: the folder does not exist"});
}

TEST_F(Capture, FailedBurstShowsOneFailureNotice)
{
    frmMain& m = previewing();
    s.PicturePath = box.programFolder() + "/gone/CamSnapshots";
    m.cmdBurst_Click();
    EXPECT_EQ(notices, QStringList({"Burst (taking 10 pictures)...", "Burst: 0 of 10 saved, the folder does not exist"}));
    EXPECT_EQ(child<QLabel>(*m.notice(), "lblMessage")->text(), "Burst: 0 of 10 saved, the folder does not exist");
}

TEST_F(Capture, EncoderBoxIsACriticalStopUnderTheProgramsTitle)
{
    frmMain& m = previewing();
    SaveResult failed;
    failed.boxText = kEncoderUnavailableText;
    m.showSaveBox(failed);
    m.showSaveBox(SaveResult{});
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].kind, "message");
    EXPECT_EQ(prompts.boxes[0].icon, BoxIcon::Critical);
    EXPECT_EQ(prompts.boxes[0].text, "Error loading GDI+!");
    EXPECT_FALSE(prompts.boxes[0].title.isEmpty());
    EXPECT_EQ(prompts.boxes[0].title, QGuiApplication::applicationDisplayName());
}

TEST_F(Capture, BurstSavesItsFramesAndPutsNamingAndTitleBack)
{
    frmMain& m = previewing();
    s.FileCounter = 5;
    s.SaveFileNameOptions = 1;
    const QString title = m.windowTitle();
    m.cmdBurst_Click();
    const QStringList files = picturesIn(s.PicturePath);
    ASSERT_EQ(files.size(), 10);
    EXPECT_TRUE(files.first().startsWith("Burst"));
    EXPECT_TRUE(files.first().endsWith("_frame00005.jpg")) << files.first().toStdString();
    EXPECT_TRUE(files.last().endsWith("_frame00014.jpg")) << files.last().toStdString();
    EXPECT_EQ(s.FileCounter, 5);
    EXPECT_EQ(s.SaveFileNameOptions, 1);
    EXPECT_EQ(m.windowTitle(), title);
    EXPECT_EQ(notices, QStringList{"Burst (taking 10 pictures)..."});
    EXPECT_EQ(sound.played, QStringList{box.programFolder() + "/sound2.bin"});
}

TEST_F(Capture, BurstMenuTicksTheCountAndChoosesANewOne)
{
    frmMain& m = previewing();
    m.mnuburstframes_Click();
    EXPECT_TRUE(child<QAction>(m, "mnub", 10)->isChecked());
    EXPECT_FALSE(child<QAction>(m, "mnub", 2)->isChecked());
    m.mnub_Click(16);
    EXPECT_EQ(s.MaxBurstFrames, 16);
    m.mnub_Click(40);
    EXPECT_EQ(s.MaxBurstFrames, 16);
    m.mnuburstframes_Click();
    EXPECT_TRUE(child<QAction>(m, "mnub", 16)->isChecked());
    EXPECT_FALSE(child<QAction>(m, "mnub", 10)->isChecked());
    s.MaxBurstFrames = 3;
    m.mnuburstframes_Click();
    for (QAction* item : child<QMenu>(m, "mnuburstframes")->actions())
        EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
}

TEST_F(Capture, SaveModeOptionsArmTheirTimersStoppedAndRunning)
{
    frmMain& m = previewing();
    m.selectSaveOption(3);
    EXPECT_EQ(s.SaveMode, 3);
    EXPECT_EQ(s.MotionRecordMode, 1);
    EXPECT_TRUE(child<QTimer>(m, "tmrAutoMotion")->isActive());
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *MotionRecord mode*");
    m.selectSaveOption(0);
    EXPECT_EQ(s.SaveMode, 0);
    EXPECT_EQ(s.MotionRecordMode, 0);
    EXPECT_FALSE(child<QTimer>(m, "tmrAutoMotion")->isActive());
    EXPECT_EQ(m.windowTitle(), m.baseTitle());

    m.cmdStop_Click();
    m.selectSaveOption(1);
    EXPECT_EQ(s.SaveMode, 1);
    EXPECT_TRUE(child<QTimer>(m, "tmrAutoSave")->isActive());
    EXPECT_EQ(m.windowTitle(), m.baseTitle());
}

TEST_F(Capture, SavedModeIsSelectedAtStartUp)
{
    start();
    WriteIniValue(s, "[AutoRunMode]", 2);
    frmMain& m = restart();
    EXPECT_TRUE(child<StyledButton>(m, "OptSaveChoice", 2)->Value());
    EXPECT_EQ(s.SaveMode, 2);
    EXPECT_TRUE(child<QTimer>(m, "tmrAutoMotion")->isActive());
}

// With counter naming a new run continues after the last run's pictures and
// videos instead of replacing Cam00000.jpg, Cam00001.jpg, ...
TEST_F(Capture, ASecondRunKeepsTheFirstRunsCounterNamedPictures)
{
    previewing();
    WriteIniValue(s, "[SaveFileNameOptions]", 2);
    frmMain& first = [this]() -> frmMain& {
        frmMain& m = restart();
        m.show();
        m.cmdStart_Click();
        return m;
    }();
    ASSERT_EQ(s.SaveFileNameOptions, 2);
    first.cmdSnapShot_Click();
    first.cmdSnapShot_Click();
    ASSERT_EQ(picturesIn(s.PicturePath), QStringList({"Cam00000.jpg", "Cam00001.jpg"}));
    const QByteArray before0 = box.readFile("CamSnapshots/Cam00000.jpg");
    const QByteArray before1 = box.readFile("CamSnapshots/Cam00001.jpg");
    // The last run's newest counter name is a video.
    QFile video(s.VideoPath + "/Cam00002.avi");
    ASSERT_TRUE(video.open(QIODevice::WriteOnly));
    video.write("RIFF");
    video.close();

    frmMain& second = restart();
    EXPECT_EQ(s.FileCounter, 3);
    second.show();
    second.cmdStart_Click();
    second.cmdSnapShot_Click();
    EXPECT_EQ(picturesIn(s.PicturePath), QStringList({"Cam00000.jpg", "Cam00001.jpg", "Cam00003.jpg"}));
    EXPECT_EQ(box.readFile("CamSnapshots/Cam00000.jpg"), before0);
    EXPECT_EQ(box.readFile("CamSnapshots/Cam00001.jpg"), before1);
}
