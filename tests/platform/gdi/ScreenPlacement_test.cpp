#include "platform/gdi/ScreenPlacement.h"

#include <gtest/gtest.h>

using platform::placeOnScreen;

TEST(ScreenPlacement, ReachableWindowsStayAndOthersComeToTheNearestScreen)
{
    const QRect left(0, 0, 1920, 1080), right(1920, 0, 1280, 1024);
    const QList<QRect> two{left, right};
    const QSize w(480, 400);
    const struct {
        const char* what;
        QPoint at;
        QList<QRect> screens;
        QPoint expected;
    } cases[] = {
        {"inside", {100, 100}, two, {100, 100}},
        {"on the second screen", {2000, 300}, two, {2000, 300}},
        {"across both screens", {1700, 200}, two, {1700, 200}},
        {"partly off the right edge, title bar reachable", {1150 + 1920, 50}, two, {1150 + 1920, 50}},
        {"partly off the bottom, title bar reachable", {100, 1000}, two, {100, 1000}},
        {"only 30 pixels of the title bar show", {-450, 100}, two, {0, 100}},
        {"title bar above the screen", {100, -300}, two, {100, 0}},
        {"far right, a screen that is gone", {5000, 200}, two, {3200 - 480, 200}},
        {"far below the second screen", {2500, 4000}, two, {2500, 1024 - 400}},
        {"far left and above", {-3000, -3000}, two, {0, 0}},
        {"below the shorter second screen only", {2200, 1050}, two, {2200, 1024 - 400}},
        {"no screens: left alone", {-3000, -3000}, {}, {-3000, -3000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeOnScreen(QRect(c.at, w), c.screens), c.expected) << c.what;
}

TEST(ScreenPlacement, AWindowLargerThanTheScreenKeepsItsTopLeftOnIt)
{
    const QList<QRect> one{QRect(0, 0, 800, 600)};
    EXPECT_EQ(placeOnScreen(QRect(900, 700, 1024, 768), one), QPoint(0, 0));
    EXPECT_EQ(placeOnScreen(QRect(-2000, 50, 1024, 300), one), QPoint(0, 50));
    // An area that does not start at the origin (a panel on the left).
    const QList<QRect> panel{QRect(64, 24, 1856, 1056)};
    EXPECT_EQ(placeOnScreen(QRect(-500, -500, 400, 300), panel), QPoint(64, 24));
}
