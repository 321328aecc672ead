#include "Children.h"
#include "MainWindowHarness.h"
#include "capture/frmMain.h"
#include "platform/files/InstanceLock.h"
#include "platform/shell/TerminationSignals.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include "buttons/StyledButton.h"
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace {

struct StartupTest : ::testing::Test, MainWindowHarness {};

// The window's capture window carries `name` while its preview runs (started here
// when it is not running yet, and stopped again then).
bool hasCaptureWindow(frmMain& m, const char* name)
{
    const bool started = m.capwnd() == 0;
    if (started)
        m.cmdStart_Click();
    const bool found = m.capwnd() != 0 && m.findChild<QWidget*>(name) != nullptr;
    if (started)
        m.cmdStop_Click();
    return found;
}

}  // namespace

TEST_F(StartupTest, FirstStartInAnEmptyProgramFolder)
{
    frmMain& m = start();
    for (const char* folder : {"CamSnapshots", "CamAutoPics", "CamVideos", "CamMotionPics", "CamMotionRecordings"})
        EXPECT_TRUE(QFileInfo(box.programFolder() + "/" + folder).isDir()) << folder;
    EXPECT_EQ(iniLines().size(), 128);
    const QFileInfo cache(box.programFolder() + "/DevicesDatabase.log");
    EXPECT_TRUE(cache.isFile());
    EXPECT_EQ(cache.size(), 0);

    EXPECT_EQ(registry.get("Path"), box.programFolder());
    EXPECT_EQ(registry.get("Version"), "1.0.0");
    EXPECT_EQ(registry.get("EXE"), "Tolvex.exe");
    EXPECT_EQ(registry.get("B_IndexSize"), "324000");
    EXPECT_EQ(registry.get("DatumSet"), "yy-mm-dd");
    for (const char* key : {"Top", "Left", "Width", "Height"})
        EXPECT_FALSE(registry.contains("Tolvex", key)) << key;

    EXPECT_EQ(m.windowTitle(), "Vyk-Tolvex Pro 1.0");
    EXPECT_EQ(m.baseTitle(), "Vyk-Tolvex Pro 1.0");
    EXPECT_EQ(child<StyledButton>(m, "cmdAbout")->Caption(), "About");
    EXPECT_EQ(child<IntervalBox>(m, "txtSaveInterval")->text(), "30");
    EXPECT_EQ(child<StyledButton>(m, "cmdBurst")->toolTip(), "Save 10 frames/sec as pictures to your harddisk");
    EXPECT_TRUE(hasCaptureWindow(m, "VykTolvex"));
    EXPECT_EQ(s.SecondInstance, 0);
    EXPECT_EQ(s.PercentDropForError, 35);
    EXPECT_EQ(s.ResolutionList[4], "640x480@24");
    EXPECT_EQ(s.ScanRefresh, 25);
    EXPECT_EQ(m.capwnd(), 0);
    // A window made too small springs back to the minimum, 7125 x 5605 twips.
    const QSize frame = m.frameGeometry().size() - m.size();
    m.resize(QSize(100, 100) - frame);
    m.Form_Resize();
    m.Form_Resize();
    EXPECT_EQ(m.frameGeometry().size(), QSize((7125 + 14) / 15, (5605 + 14) / 15));
    EXPECT_FALSE(m.isVisible());  // StartMode 0: shown by the caller after the load handler
    // The side logo shows its picture once the window is tall enough for it.
    EXPECT_TRUE(child<QLabel>(m, "imgSizeLogo")->isHidden());
    m.Form_Activate();
    m.resize(QSize(600, 334 + 52 + 12 + 80) - frame);
    m.Form_Resize();
    EXPECT_FALSE(child<QLabel>(m, "imgSizeLogo")->isHidden());
    EXPECT_FALSE(child<QLabel>(m, "imgSizeLogo")->pixmap().isNull());
}

TEST_F(StartupTest, SwitchesChangeTheRunNotTheSettingsFile)
{
    const struct {
        const char* line;
        int startMode;
        int device;
        bool minimized;
    } cases[] = {
        {"/minimize", 1, 0, true}, {"/tiny", 2, 0, false}, {"/tiny /minimize", 3, 0, true},
        {"/minimize /tiny", 3, 0, true}, {"/device7", 0, 7, false}, {"/devicex", 0, 0, false},
    };
    for (const auto& c : cases) {
        frmMain& m = restart(c.line);
        EXPECT_EQ(s.StartMode, 0) << c.line;
        EXPECT_EQ(s.CaptureDevice, c.device) << c.line;
        EXPECT_EQ(m.isMinimized(), c.minimized) << c.line;
        EXPECT_EQ(m.isVisible(), c.startMode > 0) << c.line;
        const QStringList lines = iniLines();
        ASSERT_GE(lines.size(), 60);
        EXPECT_EQ(lines[2], "[Device]");
        EXPECT_EQ(lines[3], " 0 ") << c.line;
        EXPECT_EQ(lines[60], "[TolvexStartMode]");
        EXPECT_EQ(lines[61], " 0 ") << c.line;
    }
}

TEST_F(StartupTest, StartSwitchStartsThePreviewForThisRunOnly)
{
    frmMain& m = restart("/start");
    EXPECT_TRUE(m.previewRunning());
    EXPECT_EQ(s.AutoRunStream, 0);
    EXPECT_EQ(iniLines()[54], "[AutoRunStream]");
    EXPECT_EQ(iniLines()[55], " 0 ");
}

TEST_F(StartupTest, SecondCopyOnlyWithTwoAtTheEnd)
{
    frmMain& m = start("/start /2");
    EXPECT_EQ(s.SecondInstance, -1);
    EXPECT_TRUE(hasCaptureWindow(m, "VykTolvex2"));
    EXPECT_TRUE(QFileInfo(box.programFolder() + "/Tolvex2.ini").isFile());
    EXPECT_FALSE(QFileInfo(box.programFolder() + "/Tolvex.ini").exists());

    restart("/2 /start");
    EXPECT_EQ(s.SecondInstance, 0);
    EXPECT_TRUE(QFileInfo(box.programFolder() + "/Tolvex.ini").isFile());
}

TEST_F(StartupTest, CopyStartedWhileAnotherRunsBehavesAsSecondCopy)
{
    frmMain& first = start();
    EXPECT_EQ(s.SecondInstance, 0);
    SettingsModel s2;
    frmMain second(s2, MainServices{registry, *capture, sound, shell});
    second.setEndProcess([] {});
    second.Form_Load();
    EXPECT_EQ(s2.SecondInstance, -1);
    EXPECT_TRUE(hasCaptureWindow(second, "VykTolvex2"));
    EXPECT_TRUE(hasCaptureWindow(first, "VykTolvex"));
    EXPECT_TRUE(QFileInfo(box.programFolder() + "/Tolvex2.ini").isFile());
}

TEST_F(StartupTest, ResetDeletesBothSettingsFilesAndRebuildsTheDefaults)
{
    start();
    WriteIniValue(s, "[AutoSaveInterval]", 99);
    box.writeFile("TolvexPrint.ini", "print settings\r\n");
    restart();
    EXPECT_EQ(s.AutoSaveInterval, 99);

    restart("/reset");
    EXPECT_EQ(s.AutoSaveInterval, 30);
    EXPECT_FALSE(QFileInfo(box.programFolder() + "/TolvexPrint.ini").exists());
    EXPECT_EQ(iniLines().size(), 128);
}

// A second copy started with /reset resets its own Tolvex2.ini; the running first
// copy's Tolvex.ini and the print settings it uses stay.
TEST_F(StartupTest, ResetInASecondCopyResetsOnlyThatCopysFile)
{
    frmMain& first = start();
    WriteIniValue(s, "[AutoSaveInterval]", 99);
    box.writeFile("TolvexPrint.ini", "print settings\r\n");
    const QByteArray firstFile = box.readFile("Tolvex.ini");
    {
        SettingsModel s2;
        frmMain second(s2, MainServices{registry, *capture, sound, shell});
        second.setEndProcess([] {});
        second.setCommandLine("");
        second.Form_Load();
        WriteIniValue(s2, "[AutoSaveInterval]", 77);
    }
    SettingsModel s3;
    frmMain reset(s3, MainServices{registry, *capture, sound, shell});
    reset.setEndProcess([] {});
    reset.setCommandLine("/reset");
    reset.Form_Load();
    EXPECT_EQ(s3.SecondInstance, -1);
    EXPECT_EQ(s3.AutoSaveInterval, 30) << "the second copy's own file was reset";
    EXPECT_EQ(box.readFile("Tolvex.ini"), firstFile);
    EXPECT_EQ(box.readFile("TolvexPrint.ini"), "print settings\r\n");
    EXPECT_TRUE(hasCaptureWindow(first, "VykTolvex"));
}

TEST_F(StartupTest, ResetWithNoSettingsFilesWritesAFreshDefaultFile)
{
    start("/reset");
    EXPECT_EQ(iniLines().size(), 128);
    EXPECT_EQ(s.AutoSaveInterval, 30);
}

TEST_F(StartupTest, StoredWindowPositionIsRestoredWhenKept)
{
    start();
    WriteIniValue(s, "[ScreenSizePosition]", -1);
    registry.save("Top", "1500");
    registry.save("Left", "750");
    registry.save("Height", "7500");
    registry.save("Width", "9000");
    frmMain& m = restart();
    EXPECT_EQ(m.pos(), QPoint(50, 100));
    EXPECT_EQ(m.frameGeometry().size(), QSize(600, 500));
    EXPECT_TRUE(m.layoutReady());
}

TEST_F(StartupTest, MissingWindowValuesLeaveTheWindowWhereItIs)
{
    start();
    WriteIniValue(s, "[ScreenSizePosition]", -1);
    frmMain& m = restart();
    EXPECT_EQ(m.size(), QSize(475, 374));
    EXPECT_FALSE(m.layoutReady());
    EXPECT_EQ(child<IntervalBox>(m, "txtSaveInterval")->text(), "30");  // the start-up went on
}

TEST_F(StartupTest, ClosingKeepsTheWindowPositionAndEndsTheProcessOnce)
{
    start();
    WriteIniValue(s, "[ScreenSizePosition]", -1);
    frmMain& m = restart();
    m.show();
    m.setGeometry(40, 60, 500, 400);
    m.close();
    EXPECT_EQ(endCalls, 1);
    EXPECT_TRUE(m.unloaded());
    EXPECT_EQ(registry.get("Left"), QString::number(m.frameGeometry().left() * 15));
    EXPECT_EQ(registry.get("Width"), QString::number(m.frameGeometry().width() * 15));
    m.Form_Unload();
    EXPECT_EQ(endCalls, 1);
}

TEST_F(StartupTest, ClosingWithoutKeptPositionWritesNoWindowValues)
{
    frmMain& m = start();
    m.show();
    m.close();
    EXPECT_EQ(endCalls, 1);
    EXPECT_FALSE(registry.contains("Tolvex", "Top"));
}

TEST_F(StartupTest, ShutdownDeletesOnlyABufferFileThisRunWrote)
{
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
    capture->reloadSettings();
    start();
    WriteIniValue(s, "[StreamSource]", 1);
    const QString buffer = box.programFolder() + "/cap$$$.tmp";

    frmMain& idle = restart();
    box.writeFile("cap$$$.tmp", "the user's notes");
    idle.close();
    EXPECT_EQ(box.readFile("cap$$$.tmp"), "the user's notes");

    QFile::remove(buffer);
    frmMain& pumping = restart();
    pumping.cmdStart_Click();
    pumping.tmrMain_Timer();
    ASSERT_TRUE(QFileInfo(buffer).size() > 0);
    pumping.close();
    EXPECT_FALSE(QFileInfo::exists(buffer));
}

// A closed terminal (SIGHUP) and SIGQUIT end the program as SIGTERM and SIGINT do,
// through the window's own shutdown, which finishes a recording.
TEST_F(StartupTest, TerminationSignalRunsTheSameShutdown)
{
    int ends = 0;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
        frmMain& m = restart();
        m.show();
        platform::TerminationSignals termination;
        QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, &m, [&m] { m.close(); });
        QSignalSpy spy(&termination, &platform::TerminationSignals::terminationRequested);
        ::raise(signalNumber);
        ASSERT_TRUE(spy.wait(2000)) << signalNumber;
        EXPECT_EQ(spy.first().first().toInt(), signalNumber);
        EXPECT_TRUE(m.unloaded()) << signalNumber;
        EXPECT_EQ(endCalls, ++ends) << signalNumber;
    }
}
