// Pixel rules of the drawing surface that the button looks rely on.
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiColour.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QPalette>

#include <set>
#include <utility>

using namespace gdi;

namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;

using PixelSet = std::set<std::pair<int, int>>;

PixelSet pixelsOf(const Surface& s, Colour c)
{
    PixelSet out;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) == c)
                out.insert({x, y});
    return out;
}

PixelSet rectPixels(int l, int t, int r, int b)
{
    PixelSet out;
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x)
            out.insert({x, y});
    return out;
}

QFont testFont()
{
    return QFont("DejaVu Sans", 10);
}

}  // namespace

TEST(GdiSurface, NewSurfaceIsBlackAndFilledRectanglesLeaveOutRightAndBottom)
{
    Surface s(QSize(10, 10));
    EXPECT_EQ(pixelsOf(s, kBlack).size(), 100u);
    s.fillRect(2, 3, 5, 6, kRed);
    EXPECT_EQ(pixelsOf(s, kRed), rectPixels(2, 3, 5, 6));
    s.rectangle(6, 6, 9, 9, kGreen, kNoColour);
    EXPECT_EQ(pixelsOf(s, kGreen), rectPixels(6, 6, 9, 9));
}

TEST(GdiSurface, OutlinedRectangleDrawsItsPenOnTheOuterPixels)
{
    Surface s(QSize(8, 8));
    s.rectangle(1, 1, 6, 5, kGreen, kRed);
    EXPECT_EQ(pixelsOf(s, kGreen), rectPixels(2, 2, 5, 4));
    PixelSet border = rectPixels(1, 1, 6, 5);
    for (const auto& p : rectPixels(2, 2, 5, 4))
        border.erase(p);
    EXPECT_EQ(pixelsOf(s, kRed), border);
}

TEST(GdiSurface, PolylineLeavesOutOnlyItsLastPixel)
{
    struct Case {
        QVector<QPoint> points;
        PixelSet expected;
    };
    const Case cases[] = {
        {{{1, 1}, {5, 1}}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {{{5, 6}, {5, 2}}, {{5, 6}, {5, 5}, {5, 4}, {5, 3}}},
        {{{5, 2}, {1, 2}}, {{5, 2}, {4, 2}, {3, 2}, {2, 2}}},
        {{{2, 2}, {2, 2}}, {}},
        {{{1, 5}, {4, 2}, {6, 2}}, {{1, 5}, {2, 4}, {3, 3}, {4, 2}, {5, 2}}},
        {{{1, 1}, {3, 1}, {3, 3}}, {{1, 1}, {2, 1}, {3, 1}, {3, 2}}},
        {{{4, 4}, {1, 1}}, {{4, 4}, {3, 3}, {2, 2}}},
        {{{1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}}, {{1, 1}, {2, 1}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {1, 2}}},
    };
    for (const Case& c : cases) {
        Surface s(QSize(8, 8));
        s.polyline(c.points, kRed);
        EXPECT_EQ(pixelsOf(s, kRed), c.expected) << "from " << c.points.first().x() << "," << c.points.first().y();
    }
}

TEST(GdiSurface, FrameRegionFramesOnePixelInsideTheRegion)
{
    Surface s(QSize(10, 10));
    QRegion region(QRect(1, 1, 6, 5));
    region -= QRect(1, 1, 2, 2);  // a notch at the top-left corner
    s.frameRegion(region, kRed);
    const PixelSet red = pixelsOf(s, kRed);
    for (const auto& p : rectPixels(1, 1, 7, 6)) {
        const bool inRegion = region.contains(QPoint(p.first, p.second));
        const bool onEdge = inRegion
                            && (!region.contains(QPoint(p.first - 1, p.second)) || !region.contains(QPoint(p.first + 1, p.second))
                                || !region.contains(QPoint(p.first, p.second - 1)) || !region.contains(QPoint(p.first, p.second + 1)));
        EXPECT_EQ(red.count(p) == 1, onEdge) << p.first << "," << p.second;
    }
    EXPECT_EQ(s.pixel(4, 3), kBlack);
}

TEST(GdiSurface, FocusRectInvertsEveryOtherBorderPixelAndUndoesItself)
{
    Surface s(QSize(12, 10));
    s.fillAll(kWhite);
    s.drawFocusRect(QRect(QPoint(2, 2), QPoint(8, 6)));
    const PixelSet black = pixelsOf(s, kBlack);
    for (const auto& p : black) {
        EXPECT_TRUE(p.first == 2 || p.first == 8 || p.second == 2 || p.second == 6) << p.first << "," << p.second;
        EXPECT_EQ((p.first + p.second) % 2, 0);
    }
    // 7 + 7 pixels along top and bottom, 3 + 3 along the sides, every other one.
    EXPECT_EQ(black.size(), 10u);
    s.drawFocusRect(QRect(QPoint(2, 2), QPoint(8, 6)));
    EXPECT_EQ(pixelsOf(s, kWhite).size(), 120u);
}

TEST(GdiSurface, EllipseOutlineCoversExactlyItsBox)
{
    Surface s(QSize(16, 12));
    s.ellipseOutline(1, 1, 11, 9, kRed);
    const PixelSet red = pixelsOf(s, kRed);
    ASSERT_FALSE(red.empty());
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (const auto& p : red) {
        minX = std::min(minX, p.first);
        maxX = std::max(maxX, p.first);
        minY = std::min(minY, p.second);
        maxY = std::max(maxY, p.second);
    }
    EXPECT_EQ(minX, 1);
    EXPECT_EQ(maxX, 10);
    EXPECT_EQ(minY, 1);
    EXPECT_EQ(maxY, 8);
    EXPECT_EQ(s.pixel(6, 5), kBlack);  // outline only
}

TEST(GdiSurface, EverythingRespectsTheClip)
{
    Surface s(QSize(10, 10));
    s.setClip(QRegion(QRect(2, 2, 3, 3)));
    s.fillAll(kRed);
    s.polyline({{0, 8}, {9, 8}}, kGreen);
    EXPECT_EQ(pixelsOf(s, kRed), rectPixels(2, 2, 5, 5));
    EXPECT_TRUE(pixelsOf(s, kGreen).empty());
    s.removeClip();
    s.polyline({{0, 8}, {9, 8}}, kGreen);
    EXPECT_EQ(pixelsOf(s, kGreen).size(), 9u);
}

TEST(GdiSurface, AClipRemovedAndSetAgainStillClips)
{
    Surface s(QSize(20, 10));
    const QRegion ellipse(0, 0, 20, 10, QRegion::Ellipse);
    for (int pass = 0; pass < 3; ++pass) {
        s.removeClip();
        EXPECT_FALSE(s.hasClip());
        s.fillAll(kBlack);
        s.setClip(ellipse);
        s.fillAll(kRed);
        EXPECT_EQ(s.pixel(0, 0), kBlack) << pass;
        EXPECT_EQ(s.pixel(10, 5), kRed) << pass;
    }
}

TEST(GdiSurface, TransparentBitmapLeavesOutItsTopLeftColourOnly)
{
    QImage bmp(4, 2, QImage::Format_RGB32);
    bmp.fill(toQRgb(kRed));
    bmp.setPixel(1, 0, toQRgb(kBlue));
    bmp.setPixel(2, 1, toQRgb(0x0000FE));  // near the key colour, but not it
    Surface s(QSize(6, 4));
    s.fillAll(kGreen);
    s.drawTransparentBitmap(QRect(1, 1, 4, 2), bmp);
    EXPECT_EQ(pixelsOf(s, kBlue), PixelSet({{2, 1}}));
    EXPECT_EQ(s.pixel(3, 2), 0x0000FE);
    EXPECT_EQ(pixelsOf(s, kRed).size(), 0u);
    EXPECT_EQ(pixelsOf(s, kGreen).size(), 24u - 2u);
}

TEST(GdiSurface, TransparentBitmapIsScaledToItsTarget)
{
    QImage bmp(2, 2, QImage::Format_RGB32);
    bmp.fill(toQRgb(kWhite));
    bmp.setPixel(1, 1, toQRgb(kBlue));
    Surface s(QSize(6, 6));
    s.drawTransparentBitmap(QRect(0, 0, 4, 4), bmp);
    EXPECT_EQ(pixelsOf(s, kBlue), rectPixels(2, 2, 4, 4));
}

TEST(GdiSurface, GreyedPictureKeepsTheFaceUnderWhiteAndTransparentPixels)
{
    QImage bmp(3, 1, QImage::Format_RGB32);
    bmp.setPixel(0, 0, toQRgb(kRed));    // the key
    bmp.setPixel(1, 0, toQRgb(kWhite));  // exact white
    bmp.setPixel(2, 0, toQRgb(0x102030));
    Surface s(QSize(3, 1));
    s.fillAll(kGreen);
    s.drawGreyed(QRect(0, 0, 3, 1), bmp, true);
    EXPECT_EQ(s.pixel(0, 0), kGreen);
    EXPECT_EQ(s.pixel(1, 0), kGreen);
    EXPECT_EQ(s.pixel(2, 0), kGrey);
}

TEST(GdiSurface, TextHasNoBackgroundAndIsAliased)
{
    Surface s(QSize(60, 24));
    s.fillAll(kGreen);
    s.drawText(QRect(0, 0, 60, 24), "Hg", kTextLeft, kRed, testFont());
    const size_t red = pixelsOf(s, kRed).size();
    EXPECT_GT(red, 10u);
    EXPECT_EQ(pixelsOf(s, kGreen).size() + red, size_t(60 * 24));
}

TEST(GdiSurface, AccessKeyIsUnderlinedAndDoubleAmpersandIsLiteral)
{
    auto drawn = [](const QString& text) {
        Surface s(QSize(60, 24));
        s.fillAll(kWhite);
        s.drawText(QRect(0, 0, 60, 24), text, kTextLeft, kBlack, testFont());
        return s.copyImage();
    };
    const QImage plain = drawn("Ab");
    const QImage marked = drawn("&Ab");
    EXPECT_NE(plain, marked);
    // The underline sits below the baseline, under the first letter only.
    const int w = QFontMetrics(testFont()).horizontalAdvance("A");
    bool underline = false;
    for (int y = QFontMetrics(testFont()).ascent() + 1; y < 24; ++y)
        for (int x = 0; x < w; ++x)
            underline = underline || (marked.pixel(x, y) != plain.pixel(x, y));
    EXPECT_TRUE(underline);
    // "&&" draws one ampersand and marks no key: wider than "Ab", no underline.
    EXPECT_GT(Surface::measureText(60, 24, "A&&b", kTextLeft, testFont()).width(),
              Surface::measureText(60, 24, "A&b", kTextLeft, testFont()).width());
    EXPECT_EQ(Surface::measureText(60, 24, "A&b", kTextLeft, testFont()),
              Surface::measureText(60, 24, "Ab", kTextLeft, testFont()));
}

TEST(GdiSurface, CarriageReturnLineFeedBreaksLinesAndWordBreakWraps)
{
    const QFont f = testFont();
    const QSize one = Surface::measureText(200, 100, "Alpha", kTextWordBreak, f);
    const QSize two = Surface::measureText(200, 100, "Alpha\r\nBeta", kTextWordBreak, f);
    EXPECT_EQ(two.height(), 2 * one.height());
    const QSize wrapped = Surface::measureText(one.width() + 5, 100, "Alpha Alpha", kTextWordBreak, f);
    EXPECT_EQ(wrapped.height(), 2 * one.height());
    EXPECT_LE(wrapped.width(), one.width() + 5);
    const QSize unwrapped = Surface::measureText(one.width() + 5, 100, "Alpha Alpha", kTextLeft, f);
    EXPECT_EQ(unwrapped.height(), one.height());
    EXPECT_EQ(Surface::measureText(100, 100, "", kTextWordBreak, f), QSize(0, 0));
}

TEST(GdiSystemColours, SystemColoursResolveThroughThePalette)
{
    QPalette p;
    p.setColor(QPalette::Button, QColor(0x11, 0x22, 0x33));
    p.setColor(QPalette::ButtonText, QColor(0x44, 0x55, 0x66));
    const SystemColours table = SystemColours::fromPalette(p);
    EXPECT_EQ(table.resolve(kButtonFace), rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(table.resolve(Colour(0x80000012u)), rgb(0x44, 0x55, 0x66));
    EXPECT_EQ(table.resolve(0x123456), 0x123456);
    EXPECT_EQ(table.resolve(Colour(0x800000F0u)), kBlack);
    EXPECT_EQ(rgb(1, 2, 3), 0x030201);
    EXPECT_EQ(toQRgb(0x030201), qRgb(1, 2, 3));
}
