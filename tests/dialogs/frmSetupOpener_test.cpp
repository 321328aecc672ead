#include "Children.h"
#include "MainWindowHarness.h"
#include "buttons/StyledButton.h"
#include "capture/CaptureDevices.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTimer>

namespace {

struct OpenerTest : ::testing::Test {
    MainWindowHarness h;

    void SetUp() override { qputenv("TOLVEX_SYNTH_DEVICES", "2"); }

    frmMain& startPreview()
    {
        h.capture->reloadSettings();
        frmMain& w = h.start();
        w.show();
        w.cmdStart_Click();
        return w;
    }
};

}  // namespace

TEST_F(OpenerTest, ANewDeviceRestartsThePreviewOnIt)
{
    frmMain& w = startPreview();
    ASSERT_TRUE(w.previewRunning());
    ASSERT_EQ(GetCapDriverName(*h.capture, w.capwnd()), "Tolvex Test Pattern");
    int opened = 0;
    w.setOpeners(WindowOpeners{.openSetup = [&] {
        ++opened;
        h.s.DeviceListIndex = 0;
        h.s.CaptureDevice = 1;
    }});
    h.checkCaptureSizes(w);
    QTest::mouseClick(child<StyledButton>(w, "cmdSetup"), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(w.previewRunning());
    EXPECT_EQ(GetCapDriverName(*h.capture, w.capwnd()), "Tolvex Test Pattern 2");
    EXPECT_FALSE(w.resolutionsChecked());
    EXPECT_TRUE(child<QAction>(w, "mnudevices", 1)->isChecked());
    EXPECT_FALSE(child<QAction>(w, "mnudevices", 0)->isChecked());
}

TEST_F(OpenerTest, TheSameDeviceKeepsThePreviewAndTheMenuItemOpensTheDialogToo)
{
    frmMain& w = startPreview();
    const qint32 window = w.capwnd();
    int opened = 0;
    w.setOpeners(WindowOpeners{.openSetup = [&] {
        ++opened;
        h.s.DeviceListIndex = static_cast<int16_t>(h.s.CaptureDevice);
    }});
    h.checkCaptureSizes(w);
    w.mnuOptionss_Click(frmMain::kMenuSetup);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(w.capwnd(), window) << "not restarted";
    EXPECT_TRUE(w.resolutionsChecked());
}

TEST_F(OpenerTest, TheFramePumpPausesWhileTheDialogIsOpenInFileMode)
{
    for (const int16_t source : {kStreamThroughFile, kStreamThroughClipboard}) {
        frmMain& w = startPreview();
        h.s.StreamSource = source;
        ASSERT_TRUE(child<QTimer>(w, "tmrMain")->isActive());
        bool pumpRanDuringDialog = true;
        w.setOpeners(WindowOpeners{.openSetup = [&] {
            pumpRanDuringDialog = child<QTimer>(w, "tmrMain")->isActive();
            h.s.DeviceListIndex = static_cast<int16_t>(h.s.CaptureDevice);
        }});
        w.cmdSetup_Click();
        EXPECT_EQ(pumpRanDuringDialog, source == kStreamThroughClipboard) << source;
        EXPECT_TRUE(child<QTimer>(w, "tmrMain")->isActive()) << "running again afterwards";
        w.cmdStop_Click();
    }
}
