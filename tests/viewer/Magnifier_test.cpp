#include "viewer/Magnifier.h"

#include <gtest/gtest.h>

namespace {

// A 640 x 480 picture (its work copy measures 9600 x 7200 twips) shown in a
// 400 x 300 pixel control.
MagnifierInput large(double x, double y)
{
    return {9600, 7200, 640, 480, 6000, 4500, x, y, 15};
}

}  // namespace

TEST(Magnifier, MapsTheMouseToThePatchOfTheLargePicture)
{
    struct Case {
        double xPixels, yPixels;
        double sx, sy;
    };
    const Case cases[] = {
        {0, 0, 0, 0},                           // the top-left corner starts at the origin
        {1300 / 1.96, 1100 / 2.25, 9600, 7200},  // these positions reach the full outer size
        {100, 50, 100 * 9600 * 1.96 / 1300, 50 * 7200 * 2.25 / 1100},
    };
    for (const Case& c : cases) {
        const MagnifierSource s = magnifierSource(large(c.xPixels * 15, c.yPixels * 15));
        EXPECT_NEAR(s.zx, 9600 * 1.96 / 1300, 1e-9);
        EXPECT_NEAR(s.zy, 7200 * 2.25 / 1100, 1e-9);
        EXPECT_NEAR(s.sx, c.sx, 1e-6);
        EXPECT_NEAR(s.sy, c.sy, 1e-6);
    }
}

TEST(Magnifier, SmallPictureFactorsUpToAnOuterWidthOf320)
{
    // Exactly 320 twips wide: the small-picture factors.
    MagnifierInput in{320, 300, 21, 20, 6000, 4500, 150, 150, 15};
    MagnifierSource s = magnifierSource(in);
    EXPECT_NEAR(s.zx, 21 / ((6000 - 21) / 12.0), 1e-12);
    EXPECT_NEAR(s.zy, 20 / ((4500 - 20) / 11.5), 1e-12);
    EXPECT_NEAR(s.sx, 10 * s.zx, 1e-12);

    // A difference of zero keeps the large-picture factor of that direction.
    in.imageWidth = 21;
    s = magnifierSource(in);
    EXPECT_NEAR(s.zx, 320 * 1.96 / 1300, 1e-12);
    EXPECT_NEAR(s.zy, 20 / ((4500 - 20) / 11.5), 1e-12);

    // One twip wider: the large-picture factors.
    in.resultWidth = 321;
    s = magnifierSource(in);
    EXPECT_NEAR(s.zx, 321 * 1.96 / 1300, 1e-12);
    EXPECT_NEAR(s.zy, 300 * 2.25 / 1100, 1e-12);
}

TEST(Magnifier, PatchIs64UnitsSquareAndLandsStretchedWithExtraHeight)
{
    const QRectF patch = magnifierPatchPixels({0, 0, 150, 300}, 15);
    EXPECT_EQ(patch, QRectF(10, 20, 64 / 15.0, 64 / 15.0));
    EXPECT_EQ(magnifierDestination(108, 92), QRectF(0, 0, 108, 92 * 1.2));
}
