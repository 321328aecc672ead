#include "capture/NoticeWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

TEST(NoticeWait, TheEventLoopTurnsDuringTheWaitAndHeldTimersDoNotTick)
{
    int otherTicks = 0, heldTicks = 0;
    QTimer other, held;
    QObject::connect(&other, &QTimer::timeout, [&] { ++otherTicks; });
    QObject::connect(&held, &QTimer::timeout, [&] { ++heldTicks; });
    other.start(10);
    held.start(10);
    QElapsedTimer clock;
    clock.start();
    {
        const TimerTicksHeld hold({&held});
        waitWithoutInput(150);
        EXPECT_TRUE(held.signalsBlocked());
    }
    EXPECT_GE(clock.elapsed(), 140);
    EXPECT_GT(otherTicks, 3) << "the wait must keep the event loop turning (painting, other timers)";
    EXPECT_EQ(heldTicks, 0);
    EXPECT_FALSE(held.signalsBlocked());
    clock.restart();
    while (heldTicks == 0 && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GT(heldTicks, 0) << "the held timer ticks again afterwards";

    // A timer blocked by someone else stays blocked.
    held.blockSignals(true);
    { const TimerTicksHeld hold({&held}); }
    EXPECT_TRUE(held.signalsBlocked());
}
