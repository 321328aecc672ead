// Placement of caption and picture: halves round to even, bands of the slanted
// and picture shapes, reserved picture room and the 4/5-pixel margins.
#include "buttons/ButtonPaint.h"

#include <gtest/gtest.h>

#include <QFont>

using namespace buttons;

namespace {

ButtonLook withPicture(QSize size, int pictureAlign, int pictureSize = 16)
{
    ButtonLook l;
    l.size = size;
    l.font = QFont("DejaVu Sans", 8);
    l.picture = QImage(pictureSize, pictureSize, QImage::Format_RGB32);
    l.pictureSize = pictureSize;
    l.pictureAlign = pictureAlign;
    return l;
}

}  // namespace

TEST(ButtonLayout, HalvesRoundToEven)
{
    struct Case {
        QSize size;
        QPoint picture;  // picture above an empty caption: centred both ways
    };
    const Case cases[] = {
        {{41, 41}, {12, 12}},  // 12.5 -> 12
        {{43, 43}, {14, 14}},  // 13.5 -> 14
        {{42, 42}, {13, 13}},
    };
    for (const Case& c : cases) {
        const ButtonLayout layout = calculateLayout(withPicture(c.size, 4), 0, c.size.width());
        EXPECT_EQ(layout.picture.topLeft(), c.picture) << c.size.width();
        EXPECT_EQ(layout.picture.size(), QSize(16, 16));
    }
}

TEST(ButtonLayout, CentredCaptionRoundsToEvenToo)
{
    ButtonLook l;
    l.font = QFont("DejaVu Sans", 8);
    l.caption = "Go";
    const QSize text = gdi::Surface::measureText(200, 100, "Go", gdi::kTextWordBreak, l.font);
    for (int extra : {11, 13, 15}) {
        l.size = QSize(text.width() + extra, 40);
        const ButtonLayout layout = calculateLayout(l, 0, l.size.width());
        const int half = extra / 2;
        EXPECT_EQ(layout.caption.left(), half % 2 == 0 ? half : half + 1) << extra;
        EXPECT_EQ(layout.caption.size(), text);
    }
}

TEST(ButtonLayout, SidePicturesReserveRoomAndStayInsideTheMargins)
{
    ButtonLook l = withPicture(QSize(100, 23), 0);
    l.caption = "Save";
    l.captionAlign = 0;
    ButtonLayout layout = calculateLayout(l, 0, 100);
    EXPECT_EQ(layout.picture.left(), 4);
    EXPECT_EQ(layout.caption.left(), 4 + 16 + 4);
    // (23 - 16) / 2 = 3.5 -> 4; the bottom is kept 5 pixels above the edge.
    EXPECT_EQ(layout.picture.top(), 4);
    EXPECT_EQ(layout.picture.bottom() + 1, 18);

    l.pictureAlign = 2;
    l.captionAlign = 1;
    layout = calculateLayout(l, 0, 100);
    EXPECT_EQ(layout.picture.left(), 100 - 4 - 16);
    EXPECT_EQ(layout.caption.right() + 1, 100 - 4 - 16 - 4);
}

TEST(ButtonLayout, PictureAndCaptionCentredTogether)
{
    ButtonLook l = withPicture(QSize(120, 30), 1);
    l.caption = "Open";
    const int w = gdi::Surface::measureText(120, 30, "Open", gdi::kTextWordBreak, l.font).width();
    const ButtonLayout layout = calculateLayout(l, 0, 120);
    const int start = int(std::lrint((120 - (w + 4 + 16)) / 2.0));
    EXPECT_EQ(layout.picture.left(), start);
    EXPECT_EQ(layout.caption.left(), start + 16 + 4);

    l.pictureAlign = 3;
    const ButtonLayout right = calculateLayout(l, 0, 120);
    EXPECT_EQ(right.caption.left(), start);
    EXPECT_EQ(right.picture.left(), start + w + 4);
}

TEST(ButtonLayout, LargePicturesStretchOrFit)
{
    ButtonLook l = withPicture(QSize(80, 40), 0, 40);
    ButtonLayout layout = calculateLayout(l, 0, 80);
    EXPECT_TRUE(layout.stretch);
    EXPECT_EQ(layout.picture, QRect(3, 3, 74, 34));
    l.buttonShape = 6;
    EXPECT_EQ(calculateLayout(l, 0, 80).picture, QRect(1, 1, 78, 38));

    l = withPicture(QSize(80, 40), 0, 48);
    l.picture = QImage(20, 10, QImage::Format_RGB32);
    layout = calculateLayout(l, 0, 80);
    // min((80 - 12) / 20, (40 - 12) / 10) = 2.8: 56 x 28, centred.
    EXPECT_EQ(layout.picture, QRect(12, 6, 56, 28));
}

TEST(ButtonLayout, SlantedShapesNarrowTheBand)
{
    ButtonLook l;
    l.font = QFont("DejaVu Sans", 8);
    l.caption = "X";
    l.captionAlign = 0;
    l.size = QSize(100, 23);
    l.buttonShape = 1;
    // Left cut 24: L = 24 - 8 + 3 = 19.
    EXPECT_EQ(calculateLayout(l, 24, 100).caption.left(), 19 + 4);
    l.buttonShape = 2;
    l.captionAlign = 1;
    // Right cut 76: E = 76 + 24 / 3 = 84.
    EXPECT_EQ(calculateLayout(l, 0, 76).caption.right() + 1, 84 - 4);
    l.buttonShape = 7;
    l.captionAlign = 0;
    EXPECT_EQ(calculateLayout(l, 0, 100).caption.left(), 3 + 4);
}

TEST(ButtonLayout, TwoLineCaptionIsTwiceAsHigh)
{
    ButtonLook l;
    l.font = QFont("DejaVu Sans", 8);
    l.size = QSize(100, 60);
    l.caption = "A";
    const int one = calculateLayout(l, 0, 100).caption.height();
    l.caption = "A||B";
    EXPECT_EQ(calculateLayout(l, 0, 100).caption.height(), 2 * one);
    l.captionStyle = 1;
    EXPECT_EQ(calculateLayout(l, 0, 100).caption.height(), 2 * one + 2);
}
