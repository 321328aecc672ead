#include "Children.h"
#include "MainWindowHarness.h"
#include "SetupHarness.h"
#include "FullDisk.h"
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
    QTest::mousePress(child<StyledButton>(w, "StyledButton1_0"), Qt::LeftButton);
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
    child<QLineEdit>(w, "Text3")->setText("40");
    child<QLineEdit>(w, "Text1")->setText(" " + h.folder("snaps") + " ");
    child<QRadioButton>(w, "Option1_1")->setChecked(true);
    child<QScrollBar>(w, "HScroll1")->setValue(90);
    child<QLineEdit>(w, "txtCounter")->setText("00042");
    child<QLineEdit>(w, "txtMaxPicLimit")->setText("100000");
    child<QLineEdit>(w, "txtRecDuration")->setText("3");
    child<QComboBox>(w, "cmbMaxBurst")->setCurrentIndex(3);
    child<QCheckBox>(w, "chkMini_0")->setChecked(true);
    child<QCheckBox>(w, "chkMini_1")->setChecked(true);
    child<QLineEdit>(w, "txtStampText")->setText("Porch");
    child<QRadioButton>(w, "optCheckRes_1")->setChecked(true);
    child<QCheckBox>(w, "Check2")->setChecked(true);
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
    EXPECT_EQ(child<QLineEdit>(w, "txtStampText")->text(), "Porch ");
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
        child<QLineEdit>(w, "Text3")->setText(period);
        child<QLineEdit>(w, "txtFilename")->setText("Other");
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
    child<QLineEdit>(w, "Text3")->setText("99");
    child<QLineEdit>(w, "txtFilename")->setText("Other");
    child<QCheckBox>(w, "chkMini_1")->setChecked(true);
    child<QCheckBox>(w, "chkVersionupdate")->setChecked(false);
    QTest::mousePress(child<StyledButton>(w, "StyledButton8"), Qt::LeftButton);
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
        child<QCheckBox>(w, "chkVersionupdate")->setChecked(ticked);
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
        child<QCheckBox>(w, "chkFTP")->setChecked(c.ftp);
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
    child<QCheckBox>(w, "chkAutoTimer")->setChecked(true);
    child<QLineEdit>(w, "txtStartTime")->setText("21:07:03");
    child<QLineEdit>(w, "txtStopTime")->setText("07:15");
    pressOk(w);
    EXPECT_TRUE(h.main.timeWindowArmed);
    EXPECT_EQ(h.s.AutoTimer, 1) << "not stored in the file, kept through the reload";
    EXPECT_EQ(h.s.StartTime, "21:07");
    EXPECT_EQ(h.s.StopTime, "07:15");
}

TEST(frmSetupOk, RememberedWindowPlaceGoesToTheRegistry)
{
    SetupHarness h;
    h.loadSettings();
    h.s.MainWidth = 7125;
    h.s.MainHeight = 5655;
    h.main.rectTwips = QRect(300, 450, 9000, 6600);
    frmSetup& w = h.open();
    child<QCheckBox>(w, "Check3")->setChecked(true);
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
    child<QCheckBox>(w, "chkAutoTimer")->setChecked(true);
    child<QLineEdit>(w, "txtStartTime")->setText("09:30");
    child<QLineEdit>(w, "txtStopTime")->setText("10:00");
    ASSERT_FALSE(child<QTimer>(main, "tmrTime")->isActive());
    QTest::mousePress(child<StyledButton>(w, "StyledButton1_0"), Qt::LeftButton);
    EXPECT_TRUE(child<QTimer>(main, "tmrTime")->isActive());
    EXPECT_LE(child<QTimer>(main, "tmrTime")->interval(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(main.windowTitle().endsWith(" *Timer start 09:30*"), 1500);
}

TEST(frmSetupOk, WithTheRealMainWindowFtpSelectsAutoSaveAndColoursItsOptions)
{
    MainWindowHarness h;
    frmMain& main = h.start();
    ASSERT_TRUE(child<StyledButton>(main, "OptSaveChoice", 0)->Value());
    PromptsFake prompts;
    SetupServices services{h.registry, *h.capture, h.shell, prompts};
    frmSetup w(h.s, main, services);
    w.Form_Load();
    w.show();
    child<QCheckBox>(w, "chkFTP")->setChecked(true);
    child<QCheckBox>(w, "Check2")->setChecked(false);
    QTest::mousePress(child<StyledButton>(w, "StyledButton1_0"), Qt::LeftButton);
    EXPECT_TRUE(child<StyledButton>(main, "OptSaveChoice", 1)->Value());
    EXPECT_EQ(h.s.SaveMode, 1);
    EXPECT_EQ(child<StyledButton>(main, "OptSaveChoice", 1)->ForeColor(), 255);
    EXPECT_EQ(child<StyledButton>(main, "OptSaveChoice", 2)->ForeColor(), 255);
    EXPECT_FALSE(child<QLabel>(main, "imgSizeLogo")->isVisible());
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
    QTest::mousePress(child<StyledButton>(w, "StyledButton1_0"), Qt::LeftButton);
    const QStringList lines = h.iniLines();
    EXPECT_EQ(lines[lines.indexOf("[AutoRunStream]") + 1], " 0 ");
    EXPECT_EQ(lines[lines.indexOf("[TolvexStartMode]") + 1], " 0 ");
}

TEST(frmSetupOk, ValuesThatCannotBeUsedAreRefusedAndTheDialogKeepsTheEdits)
{
    const struct {
        const char* box;
        const char* text;
        const char* message;
    } cases[] = {
        {"Text3", "40000", "Scan Refresh invalid."},
        {"txtRecDuration", "99999999999", setuptext::kRecordTimeInvalid},
        {"txtStartTime", "25:99", setuptext::kStartTimeInvalid},
        {"txtStopTime", "7:30", setuptext::kStopTimeInvalid},
        {"txtFilename", "porch/cam", "Filename: invalid: \"/\" cannot stand in a file name."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        SetupHarness h;
        h.loadSettings();
        const QByteArray before = iniBytes(h);
        const SettingsModel model = h.s;
        frmSetup& w = h.open();
        child<QCheckBox>(w, "chkMini_1")->setChecked(true);
        auto* box = w.findChild<QLineEdit*>(c.box);
        ASSERT_NE(box, nullptr);
        box->setText(c.text);
        pressOk(w);
        ASSERT_EQ(h.prompts.boxes.size(), 1);
        EXPECT_EQ(h.prompts.boxes[0].text, c.message);
        EXPECT_EQ(h.prompts.boxes[0].title, "Setup");
        EXPECT_EQ(h.prompts.boxes[0].icon, BoxIcon::Exclamation);
        EXPECT_TRUE(w.isVisible()) << "the dialog stays open";
        EXPECT_EQ(box->text(), c.text) << "the edit is kept";
        EXPECT_TRUE(child<QCheckBox>(w, "chkMini_1")->isChecked());
        EXPECT_EQ(iniBytes(h), before);
        EXPECT_EQ(h.s.StartMode, model.StartMode) << "nothing is applied";
        EXPECT_EQ(h.main.opmaakCalls, 0);
    }
}

TEST(frmSetupOk, ANewFolderIsMadeAndARelativeOneTakenFromTheProgramFolder)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    const QString snapshots = h.box.root() + "/new/snaps";
    child<QLineEdit>(w, "Text1")->setText(snapshots);
    child<QLineEdit>(w, "Text2")->setText("  AutoPics ");
    pressOk(w);
    EXPECT_TRUE(h.prompts.boxes.isEmpty());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(QFileInfo(snapshots).isDir());
    EXPECT_EQ(h.s.PicturePath, snapshots);
    EXPECT_EQ(h.s.AutoSavePath, h.box.programFolder() + "/AutoPics");
    EXPECT_TRUE(QFileInfo(h.box.programFolder() + "/AutoPics").isDir());
    EXPECT_TRUE(iniBytes(h).contains("[AutoSavePath]\r\n" + (h.box.programFolder() + "/AutoPics").toUtf8()));
}

TEST(frmSetupOk, AFolderUnderAFileIsRefusedNamingTheBoxAndNothingIsMade)
{
    SetupHarness h;
    h.loadSettings();
    h.box.writeFile("notes.txt", "text");
    const QByteArray before = iniBytes(h);
    frmSetup& w = h.open();
    const QString fresh = h.box.root() + "/fresh";
    child<QLineEdit>(w, "Text1")->setText(fresh);
    child<QLineEdit>(w, "Text6")->setText(h.box.programFolder() + "/notes.txt/videos");
    pressOk(w);
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Video recordings: the folder " + h.box.programFolder() +
                                           "/notes.txt/videos cannot be used: " + h.box.programFolder() +
                                           "/notes.txt is a file, not a folder.");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(child<QLineEdit>(w, "Text6")->text(), h.box.programFolder() + "/notes.txt/videos");
    EXPECT_FALSE(QFileInfo::exists(fresh)) << "a refused OK makes no folder";
    EXPECT_EQ(iniBytes(h), before);
}

TEST(frmSetupOk, AFailedSaveKeepsTheDialogOpenWithTheEditsAndTheOldSettings)
{
    SetupHarness h;
    h.loadSettings();
    const QByteArray before = iniBytes(h);
    const SettingsModel model = h.s;
    frmSetup& w = h.open();
    child<QLineEdit>(w, "Text3")->setText("40");
    child<QLineEdit>(w, "txtFilename")->setText("Porch");
    {
        FileSizeLimitScope full(16);
        pressOk(w);
    }
    ASSERT_EQ(h.main.saveErrors.size(), 1);
    EXPECT_EQ(h.main.saveErrors[0].first, 61);
    EXPECT_TRUE(w.isVisible()) << "the dialog stays open";
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), "40");
    EXPECT_EQ(child<QLineEdit>(w, "txtFilename")->text(), "Porch");
    EXPECT_EQ(iniBytes(h), before);
    EXPECT_EQ(h.s.ScanRefresh, model.ScanRefresh) << "the program goes on with the settings it had";
    EXPECT_EQ(h.s.DefaultFilename, model.DefaultFilename);
    EXPECT_EQ(h.main.opmaakCalls, 0);

    // Once the cause is gone, the same OK saves.
    pressOk(w);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(h.s.ScanRefresh, 40);
    EXPECT_EQ(h.s.DefaultFilename, "Porch");
    EXPECT_NE(iniBytes(h), before);
}
