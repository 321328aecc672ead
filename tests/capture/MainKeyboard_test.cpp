// The main window worked without the mouse: the buttons whose handler runs on a
// mouse press ("Open/View", Help, the tiny-mode button, Devices) answer Space,
// their access key and an assistive tool's press as the left button; an
// assistive tool's press of a button that opens a modal window returns at once;
// every control has a name and Tab reaches it.
#include "Children.h"
#include "KeyboardParity.h"
#include "MainWindowHarness.h"
#include "buttons/StyledButton.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

// The tiny view shows: its menu item offers the buttons back.
bool tinyView(frmMain& m)
{
    return child<QAction>(m, "mnuOptionss", frmMain::kMenuMiniMode)->text() == "Show Buttons";
}

struct MainKeyboard : ::testing::Test, MainWindowHarness {
    frmMain& open()
    {
        frmMain& m = start();
        m.show();
        m.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        EXPECT_TRUE(m.layoutReady());
        return m;
    }
};

struct Way {
    const char* name;
    std::function<void(frmMain&, StyledButton*, Qt::Key accessKey)> press;
};

const Way kWays[] = {
    {"Space", [](frmMain&, StyledButton* b, Qt::Key) { keyboard::pressBySpace(b); }},
    {"access key",
     [](frmMain& m, StyledButton*, Qt::Key key) { QTest::keyClick(m.windowHandle(), key, Qt::AltModifier); }},
    {"assistive tool", [](frmMain&, StyledButton* b, Qt::Key) { ASSERT_TRUE(keyboard::pressByTool(b)); }},
};

}  // namespace

TEST_F(MainKeyboard, OpenViewOpensTheViewerWithoutTheMouse)
{
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        frmMain& m = open();
        int opened = 0;
        m.setOpeners(WindowOpeners{.openViewer = [&opened](const ViewerHandOff&) { ++opened; }});
        way.press(m, child<StyledButton>(m, "cmdViewer"), Qt::Key_E);
        QTRY_COMPARE(opened, 1);
        w.reset();
    }
}

TEST_F(MainKeyboard, HelpOpensTheManualWithoutTheMouse)
{
    box.writeFile("Manual.pdf", "%PDF-1.4\n");
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        frmMain& m = open();
        shell.openedUrls.clear();
        way.press(m, child<StyledButton>(m, "cmdHelp"), Qt::Key_H);
        QTRY_COMPARE(shell.openedUrls.size(), 1);
        EXPECT_EQ(shell.openedUrls[0].toLocalFile(), box.programFolder() + "/Manual.pdf");
        w.reset();
    }
}

TEST_F(MainKeyboard, TheTinyModeButtonAndTheDeviceMenuWorkWithoutTheMouse)
{
    for (const Way& way : {kWays[0], kWays[2]}) {
        SCOPED_TRACE(way.name);
        frmMain& m = open();
        ASSERT_FALSE(tinyView(m));
        way.press(m, child<StyledButton>(m, "cmdOptions"), Qt::Key_unknown);
        QTRY_VERIFY(tinyView(m));
        w.reset();
    }
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        frmMain& m = open();
        // The device menu opens at the button, not wherever the mouse happens to be.
        QPoint shownAt;
        bool shown = false;
        QObject::connect(child<QMenu>(m, "mnuVideoDevice"), &QMenu::aboutToShow, child<QMenu>(m, "mnuVideoDevice"), [&] {
            shown = true;
            QTimer::singleShot(0, child<QMenu>(m, "mnuVideoDevice"), [&] {
                shownAt = child<QMenu>(m, "mnuVideoDevice")->pos();
                child<QMenu>(m, "mnuVideoDevice")->close();
            });
        });
        way.press(m, child<StyledButton>(m, "StyledButton13"), Qt::Key_D);
        QTRY_VERIFY(shown);
        QTRY_VERIFY(child<QMenu>(m, "mnuVideoDevice")->isHidden());
        const QPoint middle = child<StyledButton>(m, "StyledButton13")->mapToGlobal(child<StyledButton>(m, "StyledButton13")->rect().center());
        EXPECT_LE((shownAt - middle).manhattanLength(), 2) << shownAt.x() << "," << shownAt.y();
        w.reset();
    }
}

TEST_F(MainKeyboard, AnAssistivePressOfSetupReturnsWhileTheSetupWindowOpens)
{
    frmMain& m = open();
    bool opened = false, closed = false;
    m.setOpeners(WindowOpeners{.openSetup = [&] {
        QDialog setup(&m);
        opened = true;
        QTimer::singleShot(100, &setup, &QDialog::reject);
        setup.exec();
        closed = true;
    }});
    QElapsedTimer took;
    took.start();
    ASSERT_TRUE(keyboard::pressByTool(child<StyledButton>(m, "cmdSetup")));
    EXPECT_LT(took.elapsed(), 1000);
    EXPECT_FALSE(opened) << "the press returned before the window opened";
    QTRY_VERIFY(opened);
    QTRY_VERIFY(closed);
}

TEST_F(MainKeyboard, EveryControlHasANameAndTabReachesIt)
{
    frmMain& m = open();
    EXPECT_EQ(keyboard::unnamedControls(&m), "");
    EXPECT_EQ(keyboard::unreachedByTab(&m), "");
}
