#include "capture/FrmMessage.h"
#include "capture/frmMain.h"
#include "Children.h"
#include "settings/Registry.h"

#include "MainWindowHarness.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Notice : ::testing::Test, MainWindowHarness {
    frmMain& main;
    Notice() : main(start())
    {
        main.setGeometry(100, 50, 560, 460);
        main.show();
    }
};

}  // namespace

TEST_F(Notice, ShowsBoldTextOverTheMainWindowWithoutTakingTheFocus)
{
    main.activateWindow();
    main.ShowMessage("Snapshot Saved");
    FrmMessage* n = main.notice();
    ASSERT_NE(n, nullptr);
    EXPECT_TRUE(n->isVisible());
    EXPECT_EQ(child<QLabel>(*n, "lblMessage")->text(), "Snapshot Saved");
    EXPECT_TRUE(child<QLabel>(*n, "lblMessage")->font().bold());
    EXPECT_EQ(n->size(), QSize(269, 29));
    EXPECT_EQ(n->pos(), FrmMessage::placement(main.frameGeometry()));
    EXPECT_TRUE(n->testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST_F(Notice, LongerTextsWidenTheWindowInsteadOfBeingCut)
{
    for (const char* text : {"Snapshot NOT saved: the folder does not exist", "Burst: 0 of 10 saved, the folder does not exist",
                             "Or restart Tolvex and/or the device"}) {
        main.ShowMessage(text);
        FrmMessage* n = main.notice();
        const int needed = QFontMetrics(child<QLabel>(*n, "lblMessage")->font()).horizontalAdvance(text);
        EXPECT_GE(child<QLabel>(*n, "lblMessage")->width(), needed) << text;
        EXPECT_GE(n->width(), child<QLabel>(*n, "lblMessage")->geometry().right() + 1) << text;
    }
    main.ShowMessage("Snapshot Saved");
    EXPECT_EQ(main.notice()->size(), QSize(269, 29));
}

TEST_F(Notice, PlacementFollowsTheMainWindowEvenOffScreen)
{
    EXPECT_EQ(FrmMessage::placement(QRect(0, 0, 560, 460)), QPoint(200, 200));
    EXPECT_EQ(FrmMessage::placement(QRect(1800, 10, 280, 230)), QPoint(1900, 110));
}

TEST_F(Notice, SecondTextReplacesTheFirstInTheSameWindow)
{
    main.ShowMessage("No Connection to Video Device");
    FrmMessage* first = main.notice();
    main.ShowMessage("Please choose another device");
    EXPECT_EQ(main.notice(), first);
    EXPECT_EQ(child<QLabel>(*first, "lblMessage")->text(), "Please choose another device");
    // The window is named by the notice it shows.
    EXPECT_EQ(first->windowTitle(), "Please choose another device");
}

TEST_F(Notice, ClosesAtTheFirstTickWithoutHold)
{
    main.ShowMessage("Recording Ended");
    QPointer<FrmMessage> n = main.notice();
    QSignalSpy gone(n.data(), &QObject::destroyed);
    EXPECT_TRUE(gone.wait(2500));
    EXPECT_TRUE(n.isNull());
}

TEST_F(Notice, HoldKeepsItOpenUntilCleared)
{
    s.MessageHold = 1;
    main.ShowMessage("Checking Device Resolutions");
    QPointer<FrmMessage> n = main.notice();
    QSignalSpy ticks(child<QTimer>(*n, "Timer1"), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(2500));
    EXPECT_FALSE(n.isNull());
    s.MessageHold = 0;
    QSignalSpy gone(n.data(), &QObject::destroyed);
    EXPECT_TRUE(gone.wait(2500));
}

TEST_F(Notice, NoInfoDialogLoadsButNeverShows)
{
    s.NoInfoDialog = 1;
    main.ShowMessage("Snapshot Saved");
    ASSERT_NE(main.notice(), nullptr);
    EXPECT_FALSE(main.notice()->isVisible());
    QPointer<FrmMessage> n = main.notice();
    QSignalSpy gone(n.data(), &QObject::destroyed);
    EXPECT_TRUE(gone.wait(2500));
}

TEST_F(Notice, HasNoTitleBarAndTakesNoInput)
{
    main.ShowMessage("Recording Ended");
    FrmMessage* n = main.notice();
    const Qt::WindowFlags flags = n->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(n->testAttribute(Qt::WA_TransparentForMouseEvents));
    // What it shows is painted: its text and edge, not one flat colour.
    const QImage shot = n->grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 1);
}

TEST_F(Notice, AFailureNoticeStaysItsExtraTicks)
{
    main.ShowMessage("Cannot start the recording");
    QPointer<FrmMessage> n = main.notice();
    child<QTimer>(*n, "Timer1")->stop();  // the test ticks it
    n->keepFor(2);
    n->Timer1_Timer();
    n->Timer1_Timer();
    QCoreApplication::processEvents();
    ASSERT_FALSE(n.isNull());
    EXPECT_TRUE(n->isVisible());
    n->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(n.isNull() || !n->isVisible());
}
