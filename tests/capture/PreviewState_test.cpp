// Which controls of the main window can be used in each preview state, and the
// title while nothing runs.
#include "Children.h"
#include "MainWindowHarness.h"
#include "buttons/StyledButton.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

// The controls the preview state decides, in a fixed order. Pop-up item 9 is left
// out: it stays hidden, and so disabled, while no IrfanView is found.
const char* const kControls[] = {
    "cmdStart", "cmdStop", "cmdCamOptions", "cmdVideoSize", "cmdSnapShot", "cmdRecord", "cmdSaveAs",
    "cmdBurst", "cmdSetup", "cmdAbout", "cmdHelp", "cmdViewer", "StyledButton13",
    "OptSaveChoice_0", "OptSaveChoice_1", "OptSaveChoice_2", "txtSaveInterval", "Check1", "Check3",
    "mnuOptionss_0", "mnuOptionss_1", "mnuOptionss_4", "mnuOptionss_5", "mnuOptionss_8",
};

struct PreviewState : ::testing::Test, MainWindowHarness {
    frmMain& open(const QByteArray& connectFail, const QString& commandLine = QString())
    {
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", connectFail);
        qputenv("TOLVEX_SYNTH_DEVICES", "1");
        capture->reloadSettings();
        return start(commandLine);
    }

    // One character per control of kControls: 1 enabled, 0 disabled, ? not found.
    static std::string states(frmMain& m)
    {
        std::string out;
        for (const char* name : kControls) {
            QObject* found = m.findChild<QObject*>(name);
            if (auto* widget = qobject_cast<QWidget*>(found))
                out += widget->isEnabled() ? '1' : '0';
            else if (auto* action = qobject_cast<QAction*>(found))
                out += action->isEnabled() ? '1' : '0';
            else
                out += '?';
        }
        return out;
    }
};

//                                  buttons        modes  pop-up
//                                  1234567890123  123456 12345
const std::string kAtStartUp     = "1000111111111" "111111" "00000";
const std::string kPreviewing    = "0111111111111" "111111" "11111";
const std::string kAfterStop     = "1000111111111" "111111" "11111";
const std::string kFailedAtFirst = "1000000011111" "111111" "00000";

}  // namespace

TEST_F(PreviewState, ControlsAtStartUpGoodStartStopAndFailedStart)
{
    frmMain& m = open("0");
    EXPECT_EQ(states(m), kAtStartUp);
    m.cmdStart_Click();
    ASSERT_TRUE(m.previewRunning());
    EXPECT_EQ(states(m), kPreviewing);
    m.cmdStop_Click();
    EXPECT_EQ(states(m), kAfterStop);

    frmMain& failing = restart();
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "all");
    capture->reloadSettings();
    failing.cmdStart_Click();
    ASSERT_FALSE(failing.previewRunning());
    EXPECT_EQ(states(failing), kFailedAtFirst);
}

TEST_F(PreviewState, FailedStartAfterAGoodOneKeepsThePopUpItemsOfTheLastFrame)
{
    frmMain& m = open("0");
    m.cmdStart_Click();
    m.cmdStop_Click();
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "all");
    capture->reloadSettings();
    m.cmdStart_Click();
    EXPECT_EQ(states(m), "1000000011111" "111111" "11111");
}

TEST_F(PreviewState, SavedModeShowsNoModeTextUntilThePreviewStarts)
{
    for (int mode : {1, 2, 3}) {
        open("0");
        WriteIniValue(s, "[AutoRunMode]", mode);
        frmMain& m = restart();
        EXPECT_EQ(m.windowTitle(), m.baseTitle()) << "mode " << mode;
        EXPECT_FALSE(child<StyledButton>(m, "cmdStop")->Enabled());
        m.cmdStart_Click();
        EXPECT_NE(m.windowTitle(), m.baseTitle()) << "mode " << mode;
    }
}

TEST_F(PreviewState, ChoosingAModeBeforeTheFirstStartLeavesTheTitle)
{
    frmMain& m = open("0");
    for (int mode : {3, 2, 1, 0}) {
        m.selectSaveOption(mode);
        EXPECT_EQ(m.windowTitle(), m.baseTitle()) << "mode " << mode;
        EXPECT_EQ(s.SaveMode, mode);
    }
}

TEST_F(PreviewState, StartSwitchShowsTheModeTextOfTheRunningPreview)
{
    open("0");
    WriteIniValue(s, "[AutoRunMode]", 3);
    frmMain& m = restart("/start");
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *MotionRecord mode*");
    EXPECT_EQ(states(m), kPreviewing);
}
