#include "viewer/PictureEffects.h"

#include "PictureFixtures.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>

namespace {

class RecordingProgress : public EffectProgress {
public:
    void setScale(int steps) override { scale = steps; }
    void setValue(int steps) override
    {
        value = steps;
        ++updates;
    }
    int scale = -1;
    int value = -1;
    int updates = 0;
};

QRgb grey(int v) { return qRgb(v, v, v); }

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    const std::pair<double, int> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {229.5, 230},
                                            {228.5, 228}, {-0.5, 0}, {-1.5, -2}, {4.49, 4}, {4.51, 5}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
}

// Brighten moves a channel 10% of the way to 255, darken keeps 90% of it. The
// factor is single precision, the arithmetic double: 255 darkened is 229 (the
// product 229.49999...), where a double factor would give 229.5 and so 230.
TEST(PictureEffects, BrightenAndDarkenTable)
{
    struct Case {
        int value, brightened, darkened;
    };
    const Case cases[] = {
        {0, 26, 0},      {1, 26, 1},      {5, 30, 4},      {10, 35, 9},
        {15, 39, 13},    {100, 116, 90},  {128, 141, 115}, {230, 233, 207},
        {250, 251, 225}, {254, 254, 229}, {255, 255, 229},
    };
    QImage picture(int(std::size(cases)), 1, QImage::Format_RGB32);
    for (int i = 0; i < int(std::size(cases)); ++i)
        picture.setPixel(i, 0, grey(cases[i].value));
    const QImage up = adjustBrightness(picture, kBrightenPercent);
    const QImage down = adjustBrightness(picture, kDarkenPercent);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        EXPECT_EQ(rgbOnly(up.pixel(i, 0)), rgbOnly(grey(cases[i].brightened))) << "brighten " << cases[i].value;
        EXPECT_EQ(rgbOnly(down.pixel(i, 0)), rgbOnly(grey(cases[i].darkened))) << "darken " << cases[i].value;
    }
}

TEST(PictureEffects, BrightnessTreatsEachChannelOnItsOwn)
{
    const QImage picture = pictureOf({{qRgb(0, 100, 255)}});
    EXPECT_EQ(rgbOnly(adjustBrightness(picture, kBrightenPercent).pixel(0, 0)), rgbOnly(qRgb(26, 116, 255)));
    EXPECT_EQ(rgbOnly(adjustBrightness(picture, kDarkenPercent).pixel(0, 0)), rgbOnly(qRgb(0, 90, 229)));
}

TEST(PictureEffects, ContrastTable)
{
    struct Case {
        int value, up, down;
    };
    const Case cases[] = {
        {0, 0, 12},     {1, 0, 13},       {100, 98, 102}, {127, 127, 127},
        {128, 128, 128}, {200, 207, 193}, {250, 255, 238}, {255, 255, 243},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(contrastLevel(c.value, kContrastStep), c.up) << c.value;
        EXPECT_EQ(contrastLevel(c.value, -kContrastStep), c.down) << c.value;
    }
    // Through the picture's byte stream, on a width whose rows carry padding.
    const QImage picture = pictureOf({
        {qRgb(0, 100, 127), qRgb(255, 1, 128), qRgb(200, 250, 0)},
        {qRgb(255, 0, 100), qRgb(127, 200, 1), qRgb(250, 128, 255)},
    });
    for (int step : {kContrastStep, -kContrastStep}) {
        const QImage result = adjustContrast(picture, step);
        ASSERT_EQ(result.size(), picture.size());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const QRgb in = picture.pixel(x, y);
                const QRgb expected = qRgb(contrastLevel(qRed(in), step), contrastLevel(qGreen(in), step),
                                           contrastLevel(qBlue(in), step));
                EXPECT_EQ(rgbOnly(result.pixel(x, y)), rgbOnly(expected)) << step << " at " << x << "," << y;
            }
    }
}

TEST(PictureEffects, ColourRotationMovesChannelsAndThreeTimesIsIdentity)
{
    const QImage picture = pictureOf({{qRgb(10, 20, 30), qRgb(255, 0, 1)}, {qRgb(7, 8, 9), qRgb(0, 0, 0)}});
    const QImage once = rotateColours(picture);
    // New red = old blue, new green = old red, new blue = old green.
    EXPECT_EQ(rgbOnly(once.pixel(0, 0)), rgbOnly(qRgb(30, 10, 20)));
    EXPECT_EQ(rgbOnly(once.pixel(1, 0)), rgbOnly(qRgb(1, 255, 0)));
    const QImage thrice = rotateColours(rotateColours(once));
    EXPECT_EQ(pixelsOf(thrice), pixelsOf(picture));
}

TEST(PictureEffects, GreyIsTheRoundedMeanOfTheChannelsEverywhere)
{
    const QImage picture = pictureOf({
        {qRgb(255, 0, 0), qRgb(1, 1, 2)},
        {qRgb(1, 2, 2), qRgb(255, 255, 254)},
    });
    const QImage result = greyPicture(picture);
    EXPECT_EQ(rgbOnly(result.pixel(0, 0)), rgbOnly(grey(85)));  // first row and column too
    EXPECT_EQ(rgbOnly(result.pixel(1, 0)), rgbOnly(grey(1)));   // 4 / 3
    EXPECT_EQ(rgbOnly(result.pixel(0, 1)), rgbOnly(grey(2)));   // 5 / 3
    EXPECT_EQ(rgbOnly(result.pixel(1, 1)), rgbOnly(grey(255))); // 764 / 3
}

TEST(PictureEffects, GreyOfEveryChannelSumMatchesTheRoundedMean)
{
    QImage picture(766, 1, QImage::Format_RGB32);
    for (int sum = 0; sum <= 765; ++sum)
        picture.setPixel(sum, 0, qRgb(std::min(sum, 255), std::clamp(sum - 255, 0, 255), std::max(sum - 510, 0)));
    const QImage result = greyPicture(picture);
    for (int sum = 0; sum <= 765; ++sum)
        ASSERT_EQ(qRed(result.pixel(sum, 0)), roundHalfEven(sum / 3.0)) << sum;
}

TEST(PictureEffects, SmoothingOfFourByTwo)
{
    const QImage picture = pictureOf({
        {qRgb(90, 91, 92), qRgb(80, 81, 82), qRgb(70, 71, 72), qRgb(60, 61, 62)},
        {qRgb(9, 0, 255), qRgb(2, 1, 255), qRgb(3, 2, 254), qRgb(8, 200, 0)},
    });
    const QImage result = smoothPicture(picture);
    const std::vector<QRgb> expected = {
        // the top row keeps its pixels
        rgbOnly(qRgb(90, 91, 92)), rgbOnly(qRgb(80, 81, 82)), rgbOnly(qRgb(70, 71, 72)), rgbOnly(qRgb(60, 61, 62)),
        // columns 0 and 1 keep theirs; from column 2 the mean with the left neighbour
        rgbOnly(qRgb(9, 0, 255)), rgbOnly(qRgb(2, 1, 255)),
        rgbOnly(qRgb(2, 2, 254)),    // 2+3 -> 2, 1+2 -> 2, 255+254 -> 254
        rgbOnly(qRgb(6, 101, 127)),  // 3+8 -> 6, 2+200 -> 101, 254+0 -> 127
    };
    EXPECT_EQ(pixelsOf(result), expected);
}

// Only the centre of a 3 x 3 has neighbours all round: v + (v - u) / 2 with u its
// upper-left neighbour, ties to even, clamped.
TEST(PictureEffects, SharpeningOfThreeByThree)
{
    struct Case {
        int v, u, expected;
    };
    const Case cases[] = {
        {100, 99, 100},  // 100.5
        {101, 100, 102}, // 101.5
        {50, 50, 50},
        {200, 0, 255},   // 300, clamped
        {10, 60, 0},     // -15, clamped
        {0, 255, 0},
    };
    for (const Case& c : cases) {
        QImage picture = uniformPicture(3, 3, grey(77));
        picture.setPixel(0, 0, grey(c.u));
        picture.setPixel(1, 1, grey(c.v));
        const QImage result = sharpenPicture(picture);
        EXPECT_EQ(rgbOnly(result.pixel(1, 1)), rgbOnly(grey(c.expected))) << c.v << " over " << c.u;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 3; ++x) {
                if (x != 1 || y != 1) {
                    EXPECT_EQ(result.pixel(x, y), picture.pixel(x, y)) << "border " << x << "," << y;
                }
            }
        }
    }
}

TEST(PictureEffects, InvertAndMirrors)
{
    const QImage picture = pictureOf({
        {qRgb(0, 128, 255), qRgb(1, 2, 3), qRgb(4, 5, 6)},
        {qRgb(7, 8, 9), qRgb(10, 11, 12), qRgb(13, 14, 15)},
    });
    EXPECT_EQ(pixelsOf(invertPicture(picture)),
              pixelsOf(pictureOf({{qRgb(255, 127, 0), qRgb(254, 253, 252), qRgb(251, 250, 249)},
                                  {qRgb(248, 247, 246), qRgb(245, 244, 243), qRgb(242, 241, 240)}})));
    EXPECT_EQ(pixelsOf(mirrorLeftRight(picture)),
              pixelsOf(pictureOf({{qRgb(4, 5, 6), qRgb(1, 2, 3), qRgb(0, 128, 255)},
                                  {qRgb(13, 14, 15), qRgb(10, 11, 12), qRgb(7, 8, 9)}})));
    EXPECT_EQ(pixelsOf(mirrorTopBottom(picture)),
              pixelsOf(pictureOf({{qRgb(7, 8, 9), qRgb(10, 11, 12), qRgb(13, 14, 15)},
                                  {qRgb(0, 128, 255), qRgb(1, 2, 3), qRgb(4, 5, 6)}})));
}

TEST(PictureEffects, BlendOfTwoByTwoWithOneByOneChangesOnlyTheTopLeft)
{
    const QImage shown = pictureOf({{qRgb(10, 20, 30), qRgb(1, 2, 3)}, {qRgb(4, 5, 6), qRgb(7, 8, 9)}});
    const QImage partner = pictureOf({{qRgb(11, 21, 255)}});
    const QImage result = blendPictures(shown, partner, qRgb(0, 0, 0));
    EXPECT_EQ(pixelsOf(result),
              pixelsOf(pictureOf({{qRgb(10, 20, 142), qRgb(1, 2, 3)},  // 10.5, 20.5, 142.5
                                  {qRgb(4, 5, 6), qRgb(7, 8, 9)}})));
    // A partner larger than the shown picture mixes over the whole picture only.
    const QImage bigPartner = uniformPicture(5, 5, grey(20));
    EXPECT_EQ(blendPictures(shown, bigPartner, 0).size(), shown.size());
    EXPECT_EQ(rgbOnly(blendPictures(shown, bigPartner, 0).pixel(1, 1)), rgbOnly(qRgb(14, 14, 14)));  // 13.5, 14, 14.5
}

TEST(PictureEffects, TransparentBlendPartnerIsLaidOverTheBackColourFirst)
{
    const QImage shown = pictureOf({{qRgb(10, 20, 30), qRgb(10, 20, 30)}});
    QImage partner(2, 1, QImage::Format_ARGB32);
    partner.setPixel(0, 0, qRgba(255, 255, 255, 0));  // fully transparent
    partner.setPixel(1, 0, qRgba(100, 100, 100, 255));
    const QImage result = blendPictures(shown, partner, qRgb(200, 100, 50));
    EXPECT_EQ(rgbOnly(result.pixel(0, 0)), rgbOnly(qRgb(105, 60, 40)));
    EXPECT_EQ(rgbOnly(result.pixel(1, 0)), rgbOnly(qRgb(55, 60, 65)));
}

TEST(PictureEffects, NoPartnerLeavesThePicture)
{
    const QImage shown = patternPicture(4, 3);
    EXPECT_EQ(pixelsOf(blendPictures(shown, QImage(), 0)), pixelsOf(shown));
}

// The old fixed work buffers held 2000 x 1600; pictures beyond them in either
// direction are handled whole.
TEST(PictureEffects, PicturesBeyondTheOldBufferLimitsAreHandledWhole)
{
    const QSize sizes[] = {{2100, 3}, {3, 2100}, {1, 1}};
    for (const QSize& size : sizes) {
        const QImage picture = uniformPicture(size.width(), size.height(), qRgb(30, 60, 90));
        const QImage g = greyPicture(picture);
        EXPECT_EQ(rgbOnly(g.pixel(size.width() - 1, size.height() - 1)), rgbOnly(grey(60)));
        const QImage s = smoothPicture(picture);
        EXPECT_EQ(pixelsOf(s), pixelsOf(picture));  // means of equal neighbours
        const QImage sh = sharpenPicture(picture);
        EXPECT_EQ(pixelsOf(sh), pixelsOf(picture));
        EXPECT_EQ(adjustContrast(picture, kContrastStep).size(), size);
    }
}

TEST(PictureEffects, ProgressScaleAndEndOfEachEffect)
{
    const QImage picture = patternPicture(5, 4);  // W 5, H 4
    struct Case {
        const char* name;
        std::function<void(EffectProgress*)> run;
        int scale, end;
    };
    const int64_t n = (4 + 1) * 5 * 3;
    const Case cases[] = {
        {"brighten", [&](EffectProgress* p) { adjustBrightness(picture, 10, p); }, 4, 4},
        {"contrast", [&](EffectProgress* p) { adjustContrast(picture, 10, p); }, int(n), int(n)},
        {"rotation", [&](EffectProgress* p) { rotateColours(picture, p); }, 4, 3},
        {"grey", [&](EffectProgress* p) { greyPicture(picture, p); }, 15, 15},
        {"smooth", [&](EffectProgress* p) { smoothPicture(picture, p); }, 15, 15},
        {"sharpen", [&](EffectProgress* p) { sharpenPicture(picture, p); }, 8, 6},
        {"blend", [&](EffectProgress* p) { blendPictures(picture, uniformPicture(2, 3, 0), 0, p); }, 3, 2},
    };
    for (const Case& c : cases) {
        RecordingProgress progress;
        c.run(&progress);
        EXPECT_EQ(progress.scale, c.scale) << c.name;
        EXPECT_EQ(progress.value, c.end) << c.name;
        EXPECT_GT(progress.updates, 1) << c.name;
    }
}

TEST(PictureEffects, IntoVariantsReuseTheDestination)
{
    const QImage picture = patternPicture(8, 6);
    QImage destination(8, 6, QImage::Format_RGB32);
    const uchar* bits = destination.constBits();
    invertPicture(picture, destination);
    EXPECT_EQ(destination.constBits(), bits);
    EXPECT_EQ(pixelsOf(destination), pixelsOf(invertPicture(picture)));
    greyPicture(picture, destination);
    EXPECT_EQ(destination.constBits(), bits);
    EXPECT_EQ(pixelsOf(destination), pixelsOf(greyPicture(picture)));
}

}  // namespace
