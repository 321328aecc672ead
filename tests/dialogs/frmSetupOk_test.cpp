#include "MainWindowHarness.h"
#include "SetupHarness.h"
#include "buttons/StyledButton.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

void pressOk(frmSetup& w)
{
    QTest::mousePress(w.StyledButton1_0, Qt::LeftButton);
}

QByteArray iniBytes(const SetupHarness& h)
{
    return h.box.readFile("Tolvex.ini");
}

}  // namespace

TEST(frmSetupOk, ControlsReachTheFileAndTheMainWindow)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    w.Text3->setText("40");
    w.Text1->setText(" " + h.folder("snaps") + " ");
    w.Option1[1]->setChecked(true);
    w.HScroll1->setValue(90);
    w.txtCounter->setText("00042");
    w.txtMaxPicLimit->setText("100000");
    w.txtRecDuration->setText("3");
    w.cmbMaxBurst->setCurrentIndex(3);
    w.chkMini[0]->setChecked(true);
    w.chkMini[1]->setChecked(true);
    w.txtStampText->setText("Porch");
    w.optCheckRes[1]->setChecked(true);
    w.Check2->setChecked(true);
    h.main.intervalText = "45";
    pressOk(w);

    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(h.s.ScanRefresh, 40);
    EXPECT_EQ(h.s.PicturePath, h.box.root() + "/snaps");
    EXPECT_EQ(h.s.SaveBitmapType, -1);
    EXPECT_EQ(h.s.JPGQuality, 90);
    EXPECT_EQ(h.s.FileCounter, 42);
    EXPECT_EQ(h.s.MaxSaveLimit, 99999);
    EXPECT_EQ(h.s.MotionRecordingDuration, 8);
    EXPECT_EQ(h.s.MaxBurstFrames, 5);
    EXPECT_EQ(h.s.StartMode, 3);
    EXPECT_EQ(h.s.StampText, "Porch ");
    EXPECT_EQ(w.txtStampText->text(), "Porch ");
    EXPECT_EQ(h.s.AutoSaveInterval, 45);
    EXPECT_TRUE(h.main.sideLogoVisible);
    EXPECT_FALSE(h.main.resolutionsChecked) << "\"Always\" probes the sizes again";
    EXPECT_GE(h.main.opmaakCalls, 2) << "once from the reload, once after it";

    // Read back from the file, not only kept in memory.
    SettingsModel reread;
    reread.AppPath = h.s.AppPath;
    QString name;
    LoadSettings(reread, name, nullptr);
    EXPECT_EQ(reread.ScanRefresh, 40);
    EXPECT_EQ(reread.JPGQuality, 90);
    EXPECT_EQ(reread.StartMode, 3);
    EXPECT_EQ(reread.StampText, "Porch ");
    EXPECT_EQ(reread.PicturePath, h.box.root() + "/snaps");
}

TEST(frmSetupOk, AnInvalidFramePeriodSaysSoAndKeepsEverything)
{
    for (const char* period : {"", "0", "0.5", "fast"}) {
        SetupHarness h;
        h.loadSettings();
        const QByteArray before = iniBytes(h);
        frmSetup& w = h.open();
        w.Text3->setText(period);
        w.txtFilename->setText("Other");
        pressOk(w);
        ASSERT_EQ(h.prompts.boxes.size(), 1) << period;
        EXPECT_EQ(h.prompts.boxes[0].text, "Scan Refresh invalid.");
        EXPECT_EQ(h.prompts.boxes[0].title, "Setup");
        EXPECT_EQ(h.prompts.boxes[0].icon, BoxIcon::Exclamation);
        EXPECT_TRUE(w.isVisible()) << "the dialog stays open";
        EXPECT_EQ(h.s.DefaultFilename, "Cam");
        EXPECT_EQ(iniBytes(h), before);
        EXPECT_EQ(h.main.opmaakCalls, 0);
    }
}

TEST(frmSetupOk, CancelLeavesTheSettingsFileByteIdentical)
{
    SetupHarness h;
    h.loadSettings();
    const QByteArray before = iniBytes(h);
    ASSERT_FALSE(before.isEmpty());
    const SettingsModel model = h.s;
    frmSetup& w = h.open();
    w.Text3->setText("99");
    w.txtFilename->setText("Other");
    w.chkMini[1]->setChecked(true);
    w.chkVersionupdate->setChecked(false);
    QTest::mousePress(w.StyledButton8, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(iniBytes(h), before);
    EXPECT_EQ(h.s.ScanRefresh, model.ScanRefresh);
    EXPECT_EQ(h.s.DefaultFilename, model.DefaultFilename);
    EXPECT_FALSE(h.registry.contains(Registry::kSection, "NoURLupdate"));
    EXPECT_EQ(h.main.opmaakCalls, 0);
}

TEST(frmSetupOk, UpdateCheckBoxWritesNoURLupdate)
{
    for (const bool ticked : {true, false}) {
        SetupHarness h;
        h.loadSettings();
        h.registry.save("NoURLupdate", ticked ? "Yes" : "No");
        frmSetup& w = h.open();
        w.chkVersionupdate->setChecked(ticked);
        pressOk(w);
        EXPECT_EQ(h.registry.get("NoURLupdate"), ticked ? "No" : "Yes");
    }
}

TEST(frmSetupOk, FtpOnSwitchesManualModeToAutoSaveButKeepsMotionSave)
{
    const struct {
        int mode;
        bool ftp;
        int modeAfter;
        quint32 colour;
    } cases[] = {
        {0, true, 1, 255}, {2, true, 2, 255}, {1, true, 1, 255}, {3, true, 1, 255}, {0, false, 0, 0x80000012},
    };
    for (const auto& c : cases) {
        SetupHarness h;
        h.loadSettings();
        h.main.saveOption = c.mode;
        frmSetup& w = h.open();
        w.chkFTP->setChecked(c.ftp);
        pressOk(w);
        EXPECT_EQ(h.main.saveOption, c.modeAfter) << c.mode << c.ftp;
        EXPECT_EQ(h.main.optionColours[1], c.colour);
        EXPECT_EQ(h.main.optionColours[2], c.colour);
        EXPECT_EQ(h.s.FtpEnabled, c.ftp ? 1 : 0);
    }
}

TEST(frmSetupOk, TimeWindowIsArmedAndKeptThroughTheReload)
{
    SetupHarness h;
    h.loadSettings();
    h.s.StopTime = "06:00";
    frmSetup& w = h.open();
    w.chkAutoTimer->setChecked(true);
    w.txtStartTime->setText("21:07:03");
    w.txtStopTime->setText("7:15");
    pressOk(w);
    EXPECT_TRUE(h.main.timeWindowArmed);
    EXPECT_EQ(h.s.AutoTimer, 1) << "not stored in the file, kept through the reload";
    EXPECT_EQ(h.s.StartTime, "21:07");
    EXPECT_EQ(h.s.StopTime, "06:00") << "a single-digit hour keeps the time";
}

TEST(frmSetupOk, RememberedWindowPlaceGoesToTheRegistry)
{
    SetupHarness h;
    h.loadSettings();
    h.s.MainWidth = 7125;
    h.s.MainHeight = 5655;
    h.main.rectTwips = QRect(300, 450, 9000, 6600);
    frmSetup& w = h.open();
    w.Check3->setChecked(true);
    pressOk(w);
    EXPECT_EQ(h.s.ScreenSizePosition, -1);
    EXPECT_EQ(h.registry.get("Left"), "300");
    EXPECT_EQ(h.registry.get("Top"), "450");
    EXPECT_EQ(h.registry.get("Width"), "9000");
    EXPECT_EQ(h.registry.get("Height"), "6600");
}

TEST(frmSetupOk, WithTheRealMainWindowTheTimerStartShowsInTheTitleWithinASecond)
{
    MainWindowHarness h;
    frmMain& main = h.start();
    main.setTimeOfDay([] { return QTime(8, 0); });
    PromptsFake prompts;
    SetupServices services{h.registry, *h.capture, h.shell, prompts};
    services.runModal = [](QDialog&) {};
    frmSetup w(h.s, main, services);
    w.Form_Load();
    w.show();
    w.chkAutoTimer->setChecked(true);
    w.txtStartTime->setText("09:30");
    w.txtStopTime->setText("10:00");
    ASSERT_FALSE(main.tmrTime->isActive());
    QTest::mousePress(w.StyledButton1_0, Qt::LeftButton);
    EXPECT_TRUE(main.tmrTime->isActive());
    EXPECT_LE(main.tmrTime->interval(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(main.windowTitle().endsWith(" *Timer start 09:30*"), 1500);
}

TEST(frmSetupOk, WithTheRealMainWindowFtpSelectsAutoSaveAndColoursItsOptions)
{
    MainWindowHarness h;
    frmMain& main = h.start();
    ASSERT_TRUE(main.OptSaveChoice[0]->Value());
    PromptsFake prompts;
    SetupServices services{h.registry, *h.capture, h.shell, prompts};
    frmSetup w(h.s, main, services);
    w.Form_Load();
    w.show();
    w.chkFTP->setChecked(true);
    w.Check2->setChecked(false);
    QTest::mousePress(w.StyledButton1_0, Qt::LeftButton);
    EXPECT_TRUE(main.OptSaveChoice[1]->Value());
    EXPECT_EQ(h.s.SaveMode, 1);
    EXPECT_EQ(main.OptSaveChoice[1]->ForeColor(), 255);
    EXPECT_EQ(main.OptSaveChoice[2]->ForeColor(), 255);
    EXPECT_FALSE(main.imgSizeLogo->isVisible());
    EXPECT_EQ(h.iniLines()[h.iniLines().indexOf("[ftpEnabled]") + 1], " 1 ");
}

TEST(frmSetupOk, StartSwitchesOfThisRunAreNotWrittenByAnUnchangedOk)
{
    MainWindowHarness h;
    frmMain& main = h.start("/start /minimize /tiny");
    PromptsFake prompts;
    SetupServices services{h.registry, *h.capture, h.shell, prompts};
    services.runModal = [](QDialog&) {};
    frmSetup w(h.s, main, services);
    w.Form_Load();
    w.show();
    QTest::mousePress(w.StyledButton1_0, Qt::LeftButton);
    const QStringList lines = h.iniLines();
    EXPECT_EQ(lines[lines.indexOf("[AutoRunStream]") + 1], " 0 ");
    EXPECT_EQ(lines[lines.indexOf("[TolvexStartMode]") + 1], " 0 ");
}
