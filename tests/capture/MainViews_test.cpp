// The main window's views (minimum size, fit/stretch, full screen, tiny view), its
// hot keys from any control, and stay-on-top around modal windows.
#include "Children.h"
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "buttons/StyledButton.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QFontMetrics>
#include <QPixmap>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The tiny view shows: its menu item offers the buttons back.
bool tinyView(frmMain& m)
{
    return child<QAction>(m, "mnuOptionss", frmMain::kMenuMiniMode)->text() == "Show Buttons";
}

struct MainViews : ::testing::Test, MainWindowHarness {
    frmMain& open(const QString& commandLine = QString())
    {
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        qputenv("TOLVEX_SYNTH_DEVICES", "1");
        capture->reloadSettings();
        frmMain& m = start(commandLine);
        m.show();
        m.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        EXPECT_TRUE(m.layoutReady());
        return m;
    }

    frmMain& previewing()
    {
        frmMain& m = open();
        m.cmdStart_Click();
        // No frames while the geometry is checked: each new frame resizes the picture.
        child<QTimer>(m, "tmrMain")->stop();
        QCoreApplication::processEvents();
        return m;
    }

    int snapshots() const { return int(QDir(s.PicturePath).entryList(QDir::Files).size()); }

    // Runs action once the pop-up menu is open (the right click yields before it opens).
    static void whenMenuShows(frmMain& m, std::function<void()> action)
    {
        auto* poll = new QTimer(&m);
        QObject::connect(poll, &QTimer::timeout, poll, [&m, poll, action] {
            if (!child<QMenu>(m, "mnuoptions")->isVisible())
                return;
            poll->deleteLater();
            poll->stop();
            action();
        });
        poll->start(5);
    }

    static bool panelsShown(const frmMain& m) { return !child<QWidget>(m, "Picture2")->isHidden() && !child<QWidget>(m, "Picture3")->isHidden(); }
};

}  // namespace

TEST_F(MainViews, TooSmallWindowSpringsBackOneDimensionAPass)
{
    frmMain& m = open();
    m.hide();  // a hidden window takes sizes without resize events, so each pass shows
    const QSize frame = m.frameGeometry().size() - m.size();
    m.resize(QSize(300, 200) - frame);
    m.Form_Resize();
    EXPECT_EQ(m.frameGeometry().size(), QSize(300, 374));
    m.Form_Resize();
    EXPECT_EQ(m.frameGeometry().size(), QSize(475, 374));
    m.Form_Resize();
    EXPECT_EQ(m.frameGeometry().size(), QSize(475, 374));

    m.show();
    m.resize(QSize(200, 100) - frame);  // the resize events do both passes
    (void)QTest::qWaitFor([&] { return m.frameGeometry().size() == QSize(475, 374); }, 2000);
    EXPECT_EQ(m.frameGeometry().size(), QSize(475, 374));
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), QSize(360, 274));
}

TEST_F(MainViews, LargerWindowFitsThePictureAndTheSideLogo)
{
    frmMain& m = open();
    ASSERT_EQ(s.ShowSideLogo, 1);
    child<StyledButton>(m, "Check1")->setValue(true);
    m.Check1_Click();
    const QSize frame = m.frameGeometry().size() - m.size();
    m.resize(QSize(800, 600) - frame);
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), QSize(800 - 96 - 22 + 3, 600 - 52 - 48));
    EXPECT_EQ(child<QWidget>(m, "Picture3")->geometry().bottom(), m.height() - 1);
    EXPECT_TRUE(child<QLabel>(m, "imgSizeLogo")->isVisible());
    EXPECT_EQ(child<QLabel>(m, "imgSizeLogo")->height(), m.height() - 334 - 52 - 12);

    m.resize(600, 334 + 52 + 12 + 71);
    EXPECT_TRUE(child<QLabel>(m, "imgSizeLogo")->isVisible());
    EXPECT_EQ(child<QLabel>(m, "imgSizeLogo")->height(), 71);
    m.resize(600, 334 + 52 + 12 + 70);  // 70 px or less for the logo: hidden
    EXPECT_FALSE(child<QLabel>(m, "imgSizeLogo")->isVisible());
}

TEST_F(MainViews, FitStretchOnAndOff)
{
    frmMain& m = previewing();  // the start fits the window to the 640 x 480 frame
    EXPECT_FALSE(child<StyledButton>(m, "Check1")->Value());
    EXPECT_FALSE(child<PreviewImage>(m, "Image4")->stretch());
    EXPECT_EQ(m.frameGeometry().size(), QSize(96 + 640 + 22, 52 + 480 + 48));
    EXPECT_EQ(m.captureSize().width(), 640);
    EXPECT_EQ(m.captureSize().height(), 480);

    QTest::mouseClick(child<StyledButton>(m, "Check1"), Qt::LeftButton);  // wider than 352: the picture stretches over the window
    EXPECT_TRUE(child<PreviewImage>(m, "Image4")->stretch());
    QCoreApplication::processEvents();
    const QSize outer = m.frameGeometry().size();
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), outer - QSize(96 + 22 - 3, 52 + 48));

    QTest::mouseClick(child<StyledButton>(m, "Check1"), Qt::LeftButton);  // off: the frame's own size again
    EXPECT_FALSE(child<PreviewImage>(m, "Image4")->stretch());
    EXPECT_EQ(m.captureSize(), QSize(640, 480));
    EXPECT_EQ(m.frameGeometry().size(), QSize(758, 580));
}

TEST_F(MainViews, FitStretchWithANarrowPictureGoesToTheMinimumWindow)
{
    frmMain& m = open();
    child<PreviewImage>(m, "Image4")->resize(320, 240);
    child<StyledButton>(m, "Check1")->setValue(true);
    m.Check1_Click();
    EXPECT_EQ(m.captureSize().width(), 320);
    EXPECT_EQ(m.frameGeometry().size(), QSize(475, 374));
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), QSize(360, 274));  // then fitted to that window
}

TEST_F(MainViews, FullScreenEnteredByTheBoxAndLeftByClickOrEsc)
{
    frmMain& m = previewing();
    s.RemoveTitleBar = 1;
    const QRect screen = m.screen()->geometry();
    for (const char* leaveBy : {"click", "escape"}) {
        SCOPED_TRACE(leaveBy);
        child<StyledButton>(m, "Check1")->setValue(false);
        m.Check1_Click();
        QCoreApplication::processEvents();
        const QSize picture = child<PreviewImage>(m, "Image4")->size();
        QTest::mouseClick(child<StyledButton>(m, "Check3"), Qt::LeftButton);
        EXPECT_TRUE(child<StyledButton>(m, "Check3")->Value());
        EXPECT_FALSE(panelsShown(m));
        EXPECT_FALSE(child<QLabel>(m, "imgSizeLogo")->isVisible());
        EXPECT_TRUE(m.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(m.isVisible());
        EXPECT_EQ(m.frameGeometry(), screen);
        EXPECT_EQ(child<PreviewImage>(m, "Image4")->geometry(), QRect(QPoint(0, 0), screen.size()));
        EXPECT_EQ(m.captureSize().height(), picture.height());

        if (QString(leaveBy) == "click")
            QTest::mouseClick(child<PreviewImage>(m, "Image4"), Qt::LeftButton);
        else
            QTest::keyClick(child<IntervalBox>(m, "txtSaveInterval"), Qt::Key_Escape);
        EXPECT_TRUE(panelsShown(m));
        EXPECT_FALSE(child<StyledButton>(m, "Check3")->Value());
        EXPECT_TRUE(child<StyledButton>(m, "Check1")->Value());  // fit/stretch comes back checked
        EXPECT_TRUE(child<PreviewImage>(m, "Image4")->stretch());
        EXPECT_FALSE(m.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_FALSE(m.windowState().testFlag(Qt::WindowFullScreen));
        EXPECT_TRUE(m.isVisible());
        // The window holds the picture as it was, beside the panels again.
        EXPECT_LT(m.frameGeometry().width(), screen.width());
        EXPECT_GE(child<PreviewImage>(m, "Image4")->height(), picture.height());
    }
}

TEST_F(MainViews, TinyViewHidesThePanelsAndSwapsTheAllowances)
{
    frmMain& m = open();
    QAction* item = child<QAction>(m, "mnuOptionss", frmMain::kMenuMiniMode);
    EXPECT_EQ(item->text(), "Hide Buttons (mini mode)");
    const QSize outer = m.frameGeometry().size();

    QTest::mouseClick(child<StyledButton>(m, "cmdOptions"), Qt::LeftButton);
    EXPECT_TRUE(tinyView(m));
    EXPECT_FALSE(panelsShown(m));
    EXPECT_FALSE(child<QLabel>(m, "imgSizeLogo")->isVisible());
    EXPECT_EQ(item->text(), "Show Buttons");
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->x(), 6);
    EXPECT_EQ(child<QWidget>(m, "Image1")->x(), 6);
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), QSize(outer.width() - 96 + 80 + 3, outer.height() - 52 - 10));
    const QSize frame = m.frameGeometry().size() - m.size();
    m.resize(QSize(200, 150) - frame);  // no minimum in the tiny view
    EXPECT_EQ(m.frameGeometry().size(), QSize(200, 150));
    // The picture keeps the tiny view's allowances to the window.
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), QSize(200 - 96 + 80 + 3, 150 - 52 - 10));

    item->trigger();
    EXPECT_FALSE(tinyView(m));
    EXPECT_TRUE(panelsShown(m));
    EXPECT_EQ(item->text(), "Hide Buttons");
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->x(), 104);
    EXPECT_EQ(child<QWidget>(m, "Image1")->x(), 104);
    // The minimum is back, then fit/stretch (off) fits the window around the picture.
    QCoreApplication::processEvents();
    EXPECT_GE(m.frameGeometry().width(), 475);
    EXPECT_GE(m.frameGeometry().height(), 374);
    // The picture has the panels' allowances again.
    m.resize(QSize(700, 500) - frame);
    QCoreApplication::processEvents();
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), QSize(700 - 96 - 22 + 3, 500 - 52 - 48));

    for (auto leave : {+[](frmMain& w) { QTest::mouseClick(child<PreviewImage>(w, "Image4"), Qt::LeftButton); },
                       +[](frmMain& w) { QTest::keyClick(child<IntervalBox>(w, "txtSaveInterval"), Qt::Key_Escape); }}) {
        m.mnuOptionss_Click(frmMain::kMenuMiniMode);
        ASSERT_TRUE(tinyView(m));
        leave(m);
        EXPECT_FALSE(tinyView(m));
        EXPECT_TRUE(panelsShown(m));
    }
}

TEST_F(MainViews, StartsInTheTinyView)
{
    frmMain& m = open("/tiny");
    EXPECT_TRUE(tinyView(m));
    EXPECT_FALSE(panelsShown(m));
}

TEST_F(MainViews, HotKeysFromAFocusedTextBox)
{
    frmMain& m = open();
    child<IntervalBox>(m, "txtSaveInterval")->setFocus();
    QWidget* edit = child<IntervalBox>(m, "txtSaveInterval");  // the interval box, a text field of the window

    QTest::keyClick(edit, Qt::Key_F2);
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_FALSE(child<StyledButton>(m, "cmdStart")->Enabled());

    QTest::keyClick(edit, Qt::Key_F3);
    EXPECT_EQ(snapshots(), 1);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(snapshots(), 2);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(snapshots(), 2);

    QTest::keyClick(edit, Qt::Key_F10);
    EXPECT_FALSE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_TRUE(child<StyledButton>(m, "cmdStart")->Enabled());
    EXPECT_EQ(m.capwnd(), 0);

    // F1 opens the program's help with the desktop's handler.
    EXPECT_TRUE(shell.openedUrls.isEmpty());
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_TRUE(shell.openedUrls.isEmpty()) << "no help in the program folder, nothing opened";
    box.writeFile("README.md", "# Tolvex\n");
    QTest::keyClick(edit, Qt::Key_F1);
    ASSERT_EQ(shell.openedUrls.size(), 1);
    EXPECT_EQ(shell.openedUrls[0].toLocalFile(), box.programFolder() + "/README.md");
}

TEST_F(MainViews, EscapeByState)
{
    frmMain& m = open();
    // Normal view: nothing changes.
    QTest::keyClick(child<IntervalBox>(m, "txtSaveInterval"), Qt::Key_Escape);
    EXPECT_TRUE(panelsShown(m));
    EXPECT_FALSE(tinyView(m));

    // While a recording shows, ESC is the recording's and the view stays.
    m.mnuOptionss_Click(frmMain::kMenuMiniMode);
    child<QWidget>(m, "Image1")->show();
    QTest::keyClick(child<IntervalBox>(m, "txtSaveInterval"), Qt::Key_Escape);
    EXPECT_TRUE(tinyView(m));
    child<QWidget>(m, "Image1")->hide();
    QTest::keyClick(child<StyledButton>(m, "cmdStart"), Qt::Key_Escape);  // from a button too
    EXPECT_FALSE(tinyView(m));
}

TEST_F(MainViews, KeysOfOtherWindowsAreTheirs)
{
    frmMain& m = open();
    QWidget other;
    QLineEdit* edit = new QLineEdit(&other);
    other.show();
    QTest::keyClick(edit, Qt::Key_F2);
    EXPECT_FALSE(child<QTimer>(m, "tmrMain")->isActive());
}

TEST_F(MainViews, RightClickPausesThePumpWhileTheMenuIsOpen)
{
    frmMain& m = previewing();
    child<QTimer>(m, "tmrMain")->start();
    bool pumpingWhileOpen = true;
    QString startCaption;
    whenMenuShows(m, [&] {
        pumpingWhileOpen = child<QTimer>(m, "tmrMain")->isActive();
        startCaption = child<QAction>(m, "mnuOptionss", frmMain::kMenuStartFeed)->text();
        child<QMenu>(m, "mnuoptions")->hide();
    });
    QTest::mousePress(child<PreviewImage>(m, "Image4"), Qt::RightButton);
    EXPECT_FALSE(pumpingWhileOpen);
    EXPECT_EQ(startCaption, "Restart Feed");
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());
    QTest::mouseRelease(child<PreviewImage>(m, "Image4"), Qt::RightButton);
    EXPECT_TRUE(panelsShown(m));

    // Stop chosen from the menu: the pump is not switched on again over no preview.
    whenMenuShows(m, [&] {
        child<QAction>(m, "mnuOptionss", frmMain::kMenuStop)->trigger();
        child<QMenu>(m, "mnuoptions")->hide();
    });
    QTest::mousePress(child<PreviewImage>(m, "Image4"), Qt::RightButton);
    EXPECT_FALSE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_EQ(m.capwnd(), 0);
}

TEST_F(MainViews, StayOnTopDroppedAroundModalWindowsAndRestored)
{
    frmMain& m = previewing();
    s.StayOnTop = 1;
    m.SetAlwaysOnTop(true);
    const QRect kept = m.geometry();
    ASSERT_TRUE(m.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    QList<bool> onTopInside;
    auto record = [&] { onTopInside << m.windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
    s.DeviceListIndex = 0;
    m.setOpeners(WindowOpeners{
        .openViewer = [&](const ViewerHandOff&) { record(); }, .openAbout = record, .openSetup = record});
    QTest::mouseClick(child<StyledButton>(m, "cmdAbout"), Qt::LeftButton);
    QTest::mouseClick(child<StyledButton>(m, "cmdSetup"), Qt::LeftButton);
    m.mnuOptionss_Click(frmMain::kMenuOpenInViewer);
    // The capture driver's own dialog.
    answerNextModal([&](QWidget* dialog) {
        record();
        dialog->close();
    });
    m.cmdCamOptions_Click();
    EXPECT_EQ(onTopInside, QList<bool>({false, false, false, false}));
    EXPECT_TRUE(m.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(m.geometry(), kept);

    // Switched off in the setup dialog: it stays off afterwards.
    m.setOpeners(WindowOpeners{.openSetup = [&] { s.StayOnTop = 0; }});
    m.cmdSetup_Click();
    EXPECT_FALSE(m.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(m.isVisible());
}

TEST_F(MainViews, FullScreenOffersNoMiniModeAndCoversTheScreen)
{
    frmMain& m = previewing();
    QTest::mouseClick(child<StyledButton>(m, "Check3"), Qt::LeftButton);
    ASSERT_FALSE(panelsShown(m));
    EXPECT_TRUE(m.windowState().testFlag(Qt::WindowFullScreen));
    m.mnuoptions_Click();  // the menu opens
    EXPECT_FALSE(child<QAction>(m, "mnuOptionss", frmMain::kMenuMiniMode)->isEnabled());
    // Even asked for, the item does not show the panels under the picture.
    m.mnuOptionss_Click(frmMain::kMenuMiniMode);
    EXPECT_FALSE(panelsShown(m));
    EXPECT_FALSE(tinyView(m));
    QCoreApplication::processEvents();  // the full-screen state's size arrives
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->geometry(), m.rect());
    QTest::keyClick(child<IntervalBox>(m, "txtSaveInterval"), Qt::Key_Escape);
    EXPECT_TRUE(panelsShown(m));
    m.mnuoptions_Click();
    EXPECT_TRUE(child<QAction>(m, "mnuOptionss", frmMain::kMenuMiniMode)->isEnabled());
}

TEST_F(MainViews, TheVideoSizeCaptionShowsWholeAndTheSideLogoKeepsItsShape)
{
    qputenv("TOLVEX_SYNTH_FORMAT", "640x480");
    frmMain& m = previewing();
    m.tmrCheckSize_Timer();
    const QString caption = child<StyledButton>(m, "cmdVideoSize")->Caption();
    EXPECT_EQ(caption, "&Video Size 640x480");
    EXPECT_LE(QFontMetrics(child<StyledButton>(m, "cmdVideoSize")->Font()).horizontalAdvance("Video Size 640x480"), child<StyledButton>(m, "cmdVideoSize")->width() - 8);

    s.ShowSideLogo = 1;
    m.setSideLogoVisible(true);
    const QSize frame = m.frameGeometry().size() - m.size();
    m.resize(QSize(700, 800) - frame);
    QCoreApplication::processEvents();
    ASSERT_TRUE(child<QLabel>(m, "imgSizeLogo")->isVisible());
    const QPixmap shown = child<QLabel>(m, "imgSizeLogo")->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_NEAR(double(shown.width()) / shown.height(), 88.0 / 60.0, 0.05);  // the built-in logo's shape
    EXPECT_LE(shown.height(), child<QLabel>(m, "imgSizeLogo")->height());
}

TEST_F(MainViews, ASmallFrameKeepsTheMinimumAlreadyBeforeTheWindowShows)
{
    qputenv("TOLVEX_SYNTH_FORMAT", "320x240");
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
    qputenv("TOLVEX_SYNTH_DEVICES", "1");
    capture->reloadSettings();
    frmMain& m = start("/start");
    ASSERT_NE(m.capwnd(), 0);
    EXPECT_FALSE(m.isVisible());
    EXPECT_GE(m.frameGeometry().width(), 475);
    EXPECT_GE(m.frameGeometry().height(), 374);
    m.show();
    QCoreApplication::processEvents();
    EXPECT_GE(m.frameGeometry().width(), 475);
    EXPECT_GE(m.frameGeometry().height(), 374);
}

TEST_F(MainViews, TheStoredOuterSizeIsTheShownOuterSize)
{
    frmMain& first = open();
    s.ScreenSizePosition = -1;
    WriteIniValue(s, "[ScreenSizePosition]", -1);
    const QSize frame = first.frameGeometry().size() - first.size();
    ASSERT_FALSE(frame.isEmpty()) << "the platform gives the window no frame to test with";
    first.resize(QSize(600, 450) - frame);
    QCoreApplication::processEvents();
    ASSERT_EQ(first.frameGeometry().size(), QSize(600, 450));
    first.Form_Unload();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        frmMain& again = restart();  // reads the stored place before the window shows
        again.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(again.frameGeometry().size(), QSize(600, 450)) << "the window grew by its frame";
        again.Form_Unload();
        EXPECT_EQ(s.MainWidth, 600 * 15);
        EXPECT_EQ(s.MainHeight, 450 * 15);
    }
}

TEST_F(MainViews, AStoredPlaceOffEveryScreenComesBackOntoOne)
{
    frmMain& first = open();
    s.ScreenSizePosition = -1;
    WriteIniValue(s, "[ScreenSizePosition]", -1);
    first.Form_Unload();
    registry.save("Left", QString::number(40000 * 15));
    registry.save("Top", QString::number(30000 * 15));
    frmMain& again = restart();
    const QRect screen = again.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(again.pos())) << again.pos().x() << "," << again.pos().y();
}
