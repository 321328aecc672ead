// Shade arithmetic, the colours derived per look, and gradient bands.
#include "buttons/ButtonPaint.h"

#include <gtest/gtest.h>

#include <QPalette>

using namespace buttons;
using gdi::rgb;

TEST(ButtonShadeColor, ShadesClampsInvertsAndWritesTheFlippedShadeBack)
{
    struct Case {
        const char* name;
        Colour colour;
        int shade;
        bool blue, avoid, invert;
        Colour expected;
        int shadeAfter;
    };
    const Case cases[] = {
        {"white +40 stays white", 0xFFFFFF, 40, false, false, false, 0xFFFFFF, 40},
        {"white +40 avoiding white flips", 0xFFFFFF, 40, false, true, false, rgb(215, 215, 215), -40},
        {"black, shade 0, avoiding black", 0x000000, 0, false, true, false, rgb(64, 64, 64), 64},
        {"blue 0 stays 0 with the blue flag", rgb(100, 100, 0), 50, true, false, false, rgb(150, 150, 0), 50},
        {"(10,20,30) + 10", rgb(10, 20, 30), 10, false, false, false, rgb(20, 30, 40), 10},
        {"(10,20,30) + 10, blue scaled", rgb(10, 20, 30), 10, true, false, false, rgb(20, 30, 31), 10},
        {"(10,20,30) + 10, inverted", rgb(10, 20, 30), 10, false, false, true, rgb(235, 225, 215), 10},
        {"blue scaling truncates toward zero", 0xFFFFFF, -32, true, false, false, rgb(223, 223, 213), -32},
        {"clamped below", rgb(10, 200, 5), -20, false, false, false, rgb(0, 180, 0), -20},
        {"flips at most once", rgb(128, 128, 128), 300, false, true, false, 0x000000, -300},
        {"inverted white avoiding black", 0xFFFFFF, 10, false, true, true, rgb(10, 10, 10), -10},
    };
    for (const Case& c : cases) {
        int shade = c.shade;
        EXPECT_EQ(shadeColor(c.colour, shade, c.blue, c.avoid, c.invert), c.expected) << c.name;
        EXPECT_EQ(shade, c.shadeAfter) << c.name;
    }
}

TEST(ButtonDerivedColours, EachLookDerivesItsColoursFromBackColor)
{
    struct Case {
        int style;
        DerivedColours expected;
    };
    const Colour back = rgb(200, 200, 200);
    const Colour hover = rgb(0, 100, 192);
    const Case cases[] = {
        {0, {back, back, hover, rgb(223, 223, 223)}},
        {2, {rgb(248, 248, 250), rgb(216, 216, 209), rgb(48, 148, 240), rgb(223, 223, 213)}},
        {3, {back, rgb(140, 140, 140), hover, rgb(171, 171, 171)}},
        {5, {back, back, hover, rgb(223, 223, 223)}},
        {7, {rgb(231, 231, 231), rgb(112, 112, 112), rgb(31, 131, 223), rgb(144, 144, 138)}},
    };
    for (const Case& c : cases) {
        ButtonLook look;
        look.buttonStyle = c.style;
        look.backColor = back;
        look.hoverBackColor = hover;
        const DerivedColours d = deriveColours(look);
        EXPECT_EQ(d.face, c.expected.face) << "style " << c.style;
        EXPECT_EQ(d.shadow, c.expected.shadow) << "style " << c.style;
        EXPECT_EQ(d.hoverFace, c.expected.hoverFace) << "style " << c.style;
        EXPECT_EQ(d.latchedFace, c.expected.latchedFace) << "style " << c.style;
    }
}

TEST(ButtonDerivedColours, SystemColoursAreResolvedFirst)
{
    QPalette p;
    p.setColor(QPalette::Button, QColor(10, 20, 30));
    ButtonLook look;
    look.systemColours = gdi::SystemColours::fromPalette(p);
    look.buttonStyle = 7;
    EXPECT_EQ(deriveColours(look).face, rgb(41, 51, 61));
}

TEST(ButtonGradient, BandColoursStartExactlyAndFloorTheirSteps)
{
    EXPECT_TRUE(gradientColors(0, 0xFFFFFF, 0).empty());
    // One band has no step; it takes the start colour.
    EXPECT_EQ(gradientColors(rgb(1, 2, 3), 0xFFFFFF, 1), std::vector<Colour>{rgb(1, 2, 3)});
    EXPECT_EQ(gradientColors(0, 0xFFFFFF, 3), (std::vector<Colour>{0, rgb(127, 127, 127), 0xFFFFFF}));
    const auto down = gradientColors(rgb(200, 100, 0), rgb(0, 100, 200), 7);
    ASSERT_EQ(down.size(), 7u);
    EXPECT_EQ(down[0], rgb(200, 100, 0));
    for (size_t i = 1; i < down.size(); ++i) {
        EXPECT_LT(gdi::red(down[i]), gdi::red(down[i - 1]));
        EXPECT_EQ(gdi::green(down[i]), 100);
        EXPECT_GT(gdi::blue(down[i]), gdi::blue(down[i - 1]));
        EXPECT_LE(std::abs(gdi::blue(down[i]) - int(200.0 * i / 6)), 1);
    }
}

TEST(ButtonGradient, ModesRunAlongEachAxisFromEitherEnd)
{
    struct Case {
        int mode;
        QPoint startPixel, endPixel;
    };
    const Colour start = rgb(250, 0, 0), end = rgb(0, 0, 250);
    const Case cases[] = {
        {1, {0, 5}, {99, 5}},
        {2, {99, 5}, {0, 5}},
        {3, {50, 0}, {50, 19}},
        {4, {50, 19}, {50, 0}},
    };
    for (const Case& c : cases) {
        gdi::Surface s(QSize(100, 20));
        drawGradient(s, start, end, c.mode, QSize(1920, 1080));
        EXPECT_EQ(s.pixel(c.startPixel.x(), c.startPixel.y()), start) << "mode " << c.mode;
        EXPECT_NE(s.pixel(c.endPixel.x(), c.endPixel.y()), start) << "mode " << c.mode;
        EXPECT_LE(std::abs(gdi::blue(s.pixel(c.endPixel.x(), c.endPixel.y())) - 250), 1) << "mode " << c.mode;
        EXPECT_NE(s.pixel(c.startPixel.x(), c.startPixel.y()), s.pixel(c.startPixel.x() + (c.mode == 1) - (c.mode == 2),
                                                                  c.startPixel.y() + (c.mode == 3) - (c.mode == 4)))
            << "mode " << c.mode;
    }
}

TEST(ButtonGradient, LargeButtonsOnASmallScreenUseTwoPixelBands)
{
    gdi::Surface s(QSize(101, 4));
    drawGradient(s, 0, rgb(0, 200, 0), 1, QSize(400, 300));
    for (int x = 0; x + 1 < 100; x += 2)
        EXPECT_EQ(s.pixel(x, 1), s.pixel(x + 1, 1)) << x;
    EXPECT_NE(s.pixel(1, 1), s.pixel(2, 1));
    EXPECT_EQ(s.pixel(0, 1), 0);
    // The odd last column belongs to the last band.
    EXPECT_EQ(s.pixel(100, 1), s.pixel(99, 1));
    gdi::Surface small(QSize(99, 4));
    drawGradient(small, 0, rgb(0, 200, 0), 1, QSize(400, 300));
    EXPECT_NE(small.pixel(0, 1), small.pixel(1, 1));
}

TEST(ButtonGradient, ASingleBandTakesTheStartColour)
{
    gdi::Surface s(QSize(1, 5));
    drawGradient(s, rgb(9, 8, 7), rgb(200, 0, 0), 1, QSize(1920, 1080));
    EXPECT_EQ(s.pixel(0, 2), rgb(9, 8, 7));
}
