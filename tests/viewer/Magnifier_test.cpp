#include "viewer/Magnifier.h"

#include <gtest/gtest.h>

TEST(Magnifier, ThePatchUnderTheMouseIsTheOneShown)
{
    const double side = 64 / 15.0;
    struct Case {
        const char* what;
        QSize picture;
        QRect shown;
        QPointF mouse;
        QRectF patch;
    };
    const Case cases[] = {
        {"top-left corner starts at the origin", {640, 480}, {0, 0, 400, 300}, {0, 0}, {0, 0, side, side}},
        {"middle of a 4:3 box", {640, 480}, {0, 0, 400, 300}, {200, 150}, {320 - side / 2, 240 - side / 2, side, side}},
        {"right edge is the rightmost band", {8000, 6000}, {0, 0, 400, 300}, {400, 150},
         {8000 - side, 3000 - side / 2, side, side}},
        {"bottom-right corner", {8000, 6000}, {0, 0, 400, 300}, {399.9, 299.9}, {8000 - side, 6000 - side, side, side}},
        // A portrait picture letterboxed in the box: 225 x 300 at x = 87.
        {"letterboxed portrait, its right edge", {480, 640}, {87, 0, 225, 300}, {312, 0}, {480 - side, 0, side, side}},
        {"letterboxed portrait, the bar left of it", {480, 640}, {87, 0, 225, 300}, {10, 300},
         {0, 640 - side, side, side}},
        {"a picture smaller than the patch", {2, 3}, {0, 0, 200, 300}, {100, 250}, {0, 1, 2, 2}},
    };
    for (const Case& c : cases) {
        const QRectF patch = magnifierPatch(c.picture, c.shown, c.mouse);
        EXPECT_NEAR(patch.x(), c.patch.x(), 1e-6) << c.what;
        EXPECT_NEAR(patch.y(), c.patch.y(), 1e-6) << c.what;
        EXPECT_NEAR(patch.width(), c.patch.width(), 1e-9) << c.what;
        EXPECT_NEAR(patch.height(), c.patch.height(), 1e-9) << c.what;
    }
    EXPECT_TRUE(magnifierPatch({}, {0, 0, 400, 300}, {1, 1}).isEmpty());
    EXPECT_TRUE(magnifierPatch({10, 10}, {}, {1, 1}).isEmpty());
}

TEST(Magnifier, PatchLandsStretchedWithExtraHeight)
{
    EXPECT_EQ(magnifierDestination(108, 92), QRectF(0, 0, 108, 92 * 1.2));
}
