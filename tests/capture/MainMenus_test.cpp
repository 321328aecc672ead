// The main window's button look, the options pop-up menu with each item's action
// and state, IrfanView, and the setup, about and help buttons.
#include "Children.h"
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "buttons/StyledButton.h"
#include "settings/Module1Registry.h"

#include <QAction>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct MainMenus : ::testing::Test, MainWindowHarness {
    QStringList notices;

    frmMain& open()
    {
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        qputenv("TOLVEX_SYNTH_DEVICES", "2");
        capture->reloadSettings();
        frmMain& m = start();
        QObject::connect(&m, &frmMain::noticeShown, [this](const QString& t) { notices << t; });
        m.show();
        m.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        EXPECT_TRUE(m.layoutReady());
        return m;
    }

    static std::vector<StyledButton*> allButtons(frmMain& m)
    {
        return {child<StyledButton>(m, "cmdCamOptions"), child<StyledButton>(m, "cmdVideoSize"), child<StyledButton>(m, "cmdStart"), child<StyledButton>(m, "cmdStop"), child<StyledButton>(m, "cmdSnapShot"), child<StyledButton>(m, "cmdRecord"), child<StyledButton>(m, "cmdSetup"),
                child<StyledButton>(m, "cmdAbout"), child<StyledButton>(m, "cmdHelp"), child<StyledButton>(m, "cmdSaveAs"), child<StyledButton>(m, "cmdViewer"), child<StyledButton>(m, "cmdBurst"), child<StyledButton>(m, "StyledButton13"), child<StyledButton>(m, "cmdOptions")};
    }

    // Pop-up items 0..15 as the menu opens: 1 enabled, 0 disabled.
    static std::string menuStates(frmMain& m)
    {
        m.mnuoptions_Click();
        std::string out;
        for (QAction* item : child<QMenu>(m, "mnuoptions")->actions())
            out += item->isSeparator() ? '-' : item->isEnabled() ? '1' : '0';
        return out;
    }

    int snapshots() const { return int(QDir(s.PicturePath).entryList(QDir::Files).size()); }
};

}  // namespace

TEST_F(MainMenus, OpmaakStylesEveryButtonAndColoursByButtonColor)
{
    frmMain& m = open();
    for (int style = 0; style <= 7; ++style) {
        s.ButtonStyle = static_cast<int16_t>(style);
        m.Opmaak();
        for (StyledButton* b : allButtons(m))
            EXPECT_EQ(b->ButtonStyle(), style) << b->objectName().toStdString();
    }
    for (int colour = 0; colour <= 10; ++colour) {
        s.ButtonColor = static_cast<int16_t>(colour);
        m.Opmaak();
        const ButtonColor caption = colour == 6 ? 0xFFFFFF : 0;
        for (StyledButton* b : allButtons(m)) {
            EXPECT_EQ(b->GradientColor(), ButtonColor(s.ButtonColors[colour])) << colour;
            if (b != child<StyledButton>(m, "cmdOptions")) {
                EXPECT_EQ(b->ForeColor(), caption) << colour << b->objectName().toStdString();
            }
        }
    }
    const ButtonColor kept = child<StyledButton>(m, "cmdStart")->GradientColor();
    s.ButtonColor = 11;  // outside the palette: the gradients stay
    m.Opmaak();
    EXPECT_EQ(child<StyledButton>(m, "cmdStart")->GradientColor(), kept);
    EXPECT_EQ(child<StyledButton>(m, "cmdStart")->ForeColor(), 0);
}

namespace {

// The share of a button's pixels in which red stands out (the "Red" colour).
double reddishShare(StyledButton* b)
{
    const QImage shot = b->grab().toImage();
    int reddish = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            reddish += c.red() > c.green() + 60 && c.red() > c.blue() + 60 ? 1 : 0;
        }
    return double(reddish) / (shot.width() * shot.height());
}

// WCAG contrast of two colours.
double contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

TEST_F(MainMenus, TheChosenButtonColourIsPaintedInEveryStyle)
{
    frmMain& m = open();
    s.ButtonColor = 5;  // "Red"
    for (int style = 0; style <= 7; ++style) {
        s.ButtonStyle = int16_t(style);
        m.Opmaak();
        for (StyledButton* b : allButtons(m))
            EXPECT_GT(reddishShare(b), 0.1) << "style " << style << " " << b->objectName().toStdString();
    }
}

TEST_F(MainMenus, DarkCaptionsAreReadableOnTheirFaceInEveryStyle)
{
    frmMain& m = open();
    s.ButtonColor = kButtonColorDark;
    for (int style = 0; style <= 7; ++style) {
        s.ButtonStyle = int16_t(style);
        m.Opmaak();
        const QImage shot = child<StyledButton>(m, "cmdStart")->grab().toImage();
        // The face behind the caption: the darkest and the lightest non-white pixels
        // of the caption's rows (the middle of the button), edges left out.
        double worst = 1e9;
        for (int y = shot.height() / 2 - 4; y <= shot.height() / 2 + 4; ++y)
            for (int x = 8; x < shot.width() - 8; ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.lightness() < 200)
                    worst = std::min(worst, contrast(Qt::white, c));
            }
        EXPECT_GE(worst, 4.5) << "style " << style << ": white captions on a face too light";
    }
}

TEST_F(MainMenus, OpmaakBackgroundOnWindowPanelsAndOptions)
{
    frmMain& m = open();
    s.BackgroundColor = 0x00336699;  // &H00BBGGRR
    m.Opmaak();
    const QColor expected(0x99, 0x66, 0x33);
    for (QWidget* w : {static_cast<QWidget*>(&m), child<QWidget>(m, "Picture2"), child<QWidget>(m, "Picture3")})
        EXPECT_EQ(w->palette().color(QPalette::Window), expected) << w->objectName().toStdString();
    for (StyledButton* b : {child<StyledButton>(m, "Check1"), child<StyledButton>(m, "Check3"), child<StyledButton>(m, "OptSaveChoice", 0), child<StyledButton>(m, "OptSaveChoice", 1), child<StyledButton>(m, "OptSaveChoice", 2)})
        EXPECT_EQ(b->BackColor(), 0x00336699) << b->objectName().toStdString();
    EXPECT_NE(child<StyledButton>(m, "OptSaveChoice", 3)->BackColor(), 0x00336699);

    s.BackgroundColor = -1;
    m.Opmaak();
    EXPECT_EQ(s.BackgroundColor, kSystemButtonFace);
}

TEST_F(MainMenus, ItemsEnabledByThePreviewState)
{
    frmMain& m = open();
    //                      0123456789012345
    EXPECT_EQ(menuStates(m), "001-001-00-110-1");
    EXPECT_EQ(child<QAction>(m, "mnuOptionss", frmMain::kMenuStartFeed)->text(), "Start Feed");
    m.cmdStart_Click();
    EXPECT_EQ(menuStates(m), "111-111-10-111-1");
    EXPECT_EQ(child<QAction>(m, "mnuOptionss", frmMain::kMenuStartFeed)->text(), "Restart Feed");
    m.cmdStop_Click();
    EXPECT_EQ(menuStates(m), "111-111-10-110-1");  // the last frame can still be saved or copied
    EXPECT_EQ(child<QAction>(m, "mnuOptionss", frmMain::kMenuStartFeed)->text(), "Start Feed");
}

TEST_F(MainMenus, CaptionsOfTheItems)
{
    frmMain& m = open();
    const char* const captions[] = {"Cam Options", "Video Si&ze", "Setup...", "", "&Open in Viewer/Editor...",
                                    "&Save Picture Now", "Save &As...", "", "&Copy", "Copy to Irfanview", "",
                                    "Start Feed", "Record", "Stop", "", "Hide Buttons (mini mode)"};
    for (int i = 0; i < frmMain::kOptionsMenuItems; ++i)
        EXPECT_EQ(child<QAction>(m, "mnuOptionss", i)->text(), captions[i]) << i;
    EXPECT_EQ(child<QMenu>(m, "mnuoptions")->title(), "Options");
    EXPECT_FALSE(child<QAction>(m, "mnuOptionss", frmMain::kMenuCopyToIrfanView)->isVisible());
}

TEST_F(MainMenus, EachItemRunsItsCommand)
{
    frmMain& m = open();
    QStringList opened;
    m.setOpeners(WindowOpeners{.openViewer = [&](const ViewerHandOff&) { opened << "viewer"; },
                               .openAbout = [&] { opened << "about"; },
                               .openSetup = [&] { opened << "setup"; }});
    s.DeviceListIndex = static_cast<int16_t>(s.CaptureDevice);

    child<QAction>(m, "mnuOptionss", frmMain::kMenuStartFeed)->trigger();
    EXPECT_NE(m.capwnd(), 0);
    child<QAction>(m, "mnuOptionss", frmMain::kMenuSaveAs)->trigger();  // "Save &As..." takes a snapshot at once
    EXPECT_EQ(snapshots(), 1);
    child<QAction>(m, "mnuOptionss", frmMain::kMenuSetup)->trigger();
    child<QAction>(m, "mnuOptionss", frmMain::kMenuOpenInViewer)->trigger();
    EXPECT_EQ(opened, QStringList({"setup", "viewer"}));
    EXPECT_NE(m.capwnd(), 0) << "the same device: the preview goes on";

    answerNextModal([&](QWidget* dialog) {
        opened << "source";
        dialog->close();
    });
    child<QAction>(m, "mnuOptionss", frmMain::kMenuCamOptions)->trigger();
    EXPECT_EQ(opened.last(), "source");

    const int before = snapshots();
    for (int nothing : {3, 7, 10, 14, 16, 99, -1})
        m.mnuOptionss_Click(nothing);
    EXPECT_EQ(snapshots(), before);
    EXPECT_NE(m.capwnd(), 0);

    child<QAction>(m, "mnuOptionss", frmMain::kMenuStop)->trigger();
    EXPECT_EQ(m.capwnd(), 0);
    EXPECT_TRUE(child<StyledButton>(m, "cmdStart")->Enabled());
}

TEST_F(MainMenus, SetupWithAnotherDeviceRestartsThePreviewOnIt)
{
    frmMain& m = open();
    m.cmdStart_Click();
    s.DeviceListIndex = 0;
    checkCaptureSizes(m);
    m.setOpeners(WindowOpeners{.openSetup = [&] { s.CaptureDevice = 1; }});
    const qint32 before = m.capwnd();
    QTest::mouseClick(child<StyledButton>(m, "cmdSetup"), Qt::LeftButton);
    EXPECT_FALSE(m.resolutionsChecked());
    EXPECT_TRUE(child<QAction>(m, "mnudevices", 1)->isChecked());
    EXPECT_FALSE(child<QAction>(m, "mnudevices", 0)->isChecked());
    EXPECT_NE(m.capwnd(), 0);
    EXPECT_NE(m.capwnd(), before);
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());

    m.cmdStop_Click();
    s.DeviceListIndex = 1;
    m.setOpeners(WindowOpeners{.openSetup = [&] { s.CaptureDevice = 0; }});
    m.cmdSetup_Click();
    EXPECT_EQ(m.capwnd(), 0) << "stopped: the new device is not started";
    EXPECT_TRUE(child<QAction>(m, "mnudevices", 0)->isChecked());
}

TEST_F(MainMenus, SetupPausesTheFramePumpOfTheStreamFile)
{
    s.StreamSource = kStreamThroughFile;
    frmMain& m = open();
    s.StreamSource = kStreamThroughFile;
    s.TempBufferFileAndPath = box.programFolder() + "/cap$$$.tmp";
    m.cmdStart_Click();
    s.DeviceListIndex = static_cast<int16_t>(s.CaptureDevice);
    bool pumpingInside = true;
    m.setOpeners(WindowOpeners{.openSetup = [&] { pumpingInside = child<QTimer>(m, "tmrMain")->isActive(); }});
    m.cmdSetup_Click();
    EXPECT_FALSE(pumpingInside);
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());
}

TEST_F(MainMenus, CopiedFrameSurvivesALaterStop)
{
    frmMain& m = open();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    m.cmdStart_Click();
    m.tmrMain_Timer();
    const QImage shown = child<PreviewImage>(m, "Image4")->image();
    child<QAction>(m, "mnuOptionss", frmMain::kMenuCopy)->trigger();
    EXPECT_EQ(notices.last(), "Frame copied to clipboard");
    EXPECT_EQ(clipboard->image(), shown.convertToFormat(clipboard->image().format()));
    m.cmdStop_Click();
    EXPECT_FALSE(clipboard->image().isNull());
    EXPECT_EQ(clipboard->image().size(), shown.size());
}

TEST_F(MainMenus, IrfanViewFoundThroughTheRegistryAndHandedTheFrame)
{
    const auto place = registryValueLocation(kHkeyLocalMachine, "SOFTWARE\\Classes\\IrfanView\\shell\\open\\command", "");
    ASSERT_TRUE(place);
    registry.saveSetting(place->first, place->second, "\"/opt/IrfanView/i_view64.exe\" \"%1\"");
    frmMain& m = open();
    EXPECT_EQ(s.IrfanViewPath, "/opt/IrfanView/i_view64.exe");
    EXPECT_TRUE(child<QAction>(m, "mnuOptionss", frmMain::kMenuCopyToIrfanView)->isVisible());
    m.cmdStart_Click();
    m.tmrMain_Timer();
    QGuiApplication::clipboard()->clear();
    child<QAction>(m, "mnuOptionss", frmMain::kMenuCopyToIrfanView)->trigger();
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
    ASSERT_EQ(shell.startedPrograms.size(), 1);
    EXPECT_EQ(shell.startedPrograms[0].program, "/opt/IrfanView/i_view64.exe");
    EXPECT_EQ(shell.startedPrograms[0].arguments, QStringList{"/clippaste"});
}

TEST_F(MainMenus, HelpButtonOpensTheManualWhenThereIsOne)
{
    frmMain& m = open();
    QTest::mouseClick(child<StyledButton>(m, "cmdHelp"), Qt::RightButton);
    EXPECT_TRUE(shell.openedUrls.isEmpty());
    box.writeFile("Manual.pdf", "%PDF-1.4\n");
    QTest::mouseClick(child<StyledButton>(m, "cmdHelp"), Qt::RightButton);  // any mouse button
    ASSERT_EQ(shell.openedUrls.size(), 1);
    EXPECT_EQ(shell.openedUrls[0].toLocalFile(), box.programFolder() + "/Manual.pdf");
}

TEST_F(MainMenus, NoneFoundIsNoDeviceToTick)
{
    qputenv("TOLVEX_SYNTH_DEVICES", "0");
    capture->reloadSettings();
    frmMain& m = start();
    QAction* none = child<QAction>(m, "mnudevices", 0);
    EXPECT_EQ(none->text(), "none found");
    EXPECT_FALSE(none->isCheckable());
    none->trigger();
    EXPECT_FALSE(none->isChecked());

    // With a device, item 0 names it and carries the tick.
    qputenv("TOLVEX_SYNTH_DEVICES", "1");
    capture->reloadSettings();
    frmMain& again = restart();
    EXPECT_EQ(child<QAction>(again, "mnudevices", 0)->text(), "Tolvex Test Pattern");
    EXPECT_TRUE(child<QAction>(again, "mnudevices", 0)->isCheckable());
    EXPECT_TRUE(child<QAction>(again, "mnudevices", 0)->isChecked());
}
