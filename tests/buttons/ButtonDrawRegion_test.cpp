// Window outlines of the shapes: explicit corner cuts, slants, ellipses and
// picture outlines, and the resizing that some shapes need.
#include "buttons/ButtonPaint.h"

#include <gtest/gtest.h>

#include <QVector>

using namespace buttons;

namespace {

ButtonLook look(int shape, int style, QSize size)
{
    ButtonLook l;
    l.buttonShape = shape;
    l.buttonStyle = style;
    l.size = size;
    return l;
}

// The region row by row as [x0, x1) runs.
QVector<QVector<std::pair<int, int>>> rows(const QRegion& region, QSize size)
{
    QVector<QVector<std::pair<int, int>>> out(size.height());
    for (int y = 0; y < size.height(); ++y) {
        int x = 0;
        while (x < size.width()) {
            if (!region.contains(QPoint(x, y))) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < size.width() && region.contains(QPoint(x, y)))
                ++x;
            out[y].append({x0, x});
        }
    }
    return out;
}

using Runs = QVector<std::pair<int, int>>;

}  // namespace

TEST(ButtonRegion, RectangleCornersAreCutByStyle)
{
    const QSize size(10, 6);
    struct Case {
        int style;
        bool enabled;
        int top0[2], top1[2], bottom1[2], bottom0[2];  // rows 0, 1, 4, 5
    };
    const Case cases[] = {
        {0, true, {0, 10}, {0, 10}, {0, 10}, {0, 10}},
        {1, true, {1, 9}, {0, 10}, {0, 10}, {1, 9}},
        {2, true, {2, 8}, {1, 9}, {1, 9}, {2, 8}},
        {7, true, {2, 8}, {1, 9}, {1, 9}, {2, 8}},
        {3, true, {0, 9}, {0, 10}, {0, 10}, {1, 10}},
        {3, false, {0, 10}, {0, 10}, {0, 10}, {0, 10}},
        {5, true, {0, 10}, {0, 10}, {0, 10}, {0, 10}},
    };
    for (const Case& c : cases) {
        ButtonLook l = look(0, c.style, size);
        l.enabled = c.enabled;
        const ButtonRegions r = buildRegions(l);
        const auto got = rows(r.window, size);
        EXPECT_EQ(got[0], Runs({{c.top0[0], c.top0[1]}})) << "style " << c.style;
        EXPECT_EQ(got[1], Runs({{c.top1[0], c.top1[1]}})) << "style " << c.style;
        EXPECT_EQ(got[2], Runs({{0, 10}})) << "style " << c.style;
        EXPECT_EQ(got[4], Runs({{c.bottom1[0], c.bottom1[1]}})) << "style " << c.style;
        EXPECT_EQ(got[5], Runs({{c.bottom0[0], c.bottom0[1]}})) << "style " << c.style;
        EXPECT_TRUE(r.outer.isEmpty());
        EXPECT_TRUE(r.inner.isEmpty());
        EXPECT_EQ(r.leftCut, 0);
        EXPECT_EQ(r.rightCut, 10);
    }
}

TEST(ButtonRegion, SlantedShapesRunAtFortyFiveDegreesAndCutOnlyTheirStraightCorners)
{
    const QSize size(20, 6);
    struct Case {
        int shape;
        int leftCut, rightCut;
        Runs row0, row1, row4, row5;
    };
    const Case cases[] = {
        {1, 7, 20, {{0, 18}}, {{1, 19}}, {{4, 19}}, {{5, 18}}},
        {2, 0, 13, {{2, 14}}, {{1, 15}}, {{1, 18}}, {{2, 19}}},
        {3, 7, 13, {{0, 14}}, {{1, 15}}, {{4, 18}}, {{5, 19}}},
    };
    for (const Case& c : cases) {
        const ButtonRegions r = buildRegions(look(c.shape, 2, size));
        const auto got = rows(r.window, size);
        EXPECT_EQ(r.leftCut, c.leftCut) << "shape " << c.shape;
        EXPECT_EQ(r.rightCut, c.rightCut) << "shape " << c.shape;
        EXPECT_EQ(got[0], c.row0) << "shape " << c.shape;
        EXPECT_EQ(got[1], c.row1) << "shape " << c.shape;
        EXPECT_EQ(got[4], c.row4) << "shape " << c.shape;
        EXPECT_EQ(got[5], c.row5) << "shape " << c.shape;
    }
}

TEST(ButtonRegion, NarrowSlantedButtonsWidenInStepsOfFive)
{
    struct Case {
        int shape;
        QSize size, expected;
    };
    const Case cases[] = {
        {1, {26, 23}, {31, 23}},
        {2, {29, 23}, {29, 23}},
        {3, {10, 23}, {30, 23}},
        {0, {10, 23}, {10, 23}},
        {4, {10, 23}, {10, 23}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(regionSize(look(c.shape, 0, c.size)), c.expected) << "shape " << c.shape;
}

TEST(ButtonRegion, EllipsesNestOnePixelApart)
{
    const QSize size(40, 20);
    for (int shape : {4, 5, 6}) {
        const ButtonRegions r = buildRegions(look(shape, 0, size));
        EXPECT_FALSE(r.window.contains(QPoint(0, 0)));
        EXPECT_TRUE(r.window.contains(QPoint(0, 10)));
        EXPECT_TRUE(r.window.contains(QPoint(39, 10)));
        EXPECT_FALSE(r.outer.contains(QPoint(0, 10)));
        EXPECT_TRUE(r.outer.contains(QPoint(1, 10)));
        EXPECT_FALSE(r.inner.contains(QPoint(1, 10)));
        EXPECT_TRUE(r.inner.contains(QPoint(2, 10)));
        EXPECT_EQ((r.outer - r.window).boundingRect(), QRect());
        EXPECT_EQ((r.inner - r.outer).boundingRect(), QRect());
    }
}

TEST(ButtonRegion, PictureOutlineCutsColoursNearTheTopLeftPixel)
{
    // A 10 x 8 picture: white around a dark 4 x 4 block, with a nearly white and a
    // clearly different pixel in the margin.
    QImage picture(10, 8, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 2; y < 6; ++y)
        for (int x = 3; x < 7; ++x)
            picture.setPixel(x, y, qRgb(20, 20, 20));
    picture.setPixel(1, 1, qRgb(252, 253, 255));
    picture.setPixel(8, 6, qRgb(250, 255, 255));
    const ButtonRegions r = regionFromPicture(picture, picture.size());
    QRegion expected(QRect(3, 2, 4, 4));
    expected += QRect(8, 6, 1, 1);
    EXPECT_EQ(r.window, expected);
    // The rim and the face: each transparent run grown by 1 and 2 pixels is cut, the
    // rest moved to sit 1 and 2 pixels inside the window's box.
    EXPECT_TRUE(r.inner.isEmpty() || r.inner.boundingRect().topLeft() == QPoint(5, 4));
    EXPECT_EQ(r.outer.boundingRect().topLeft(), QPoint(4, 3));
    EXPECT_TRUE(r.outer.contains(QPoint(4, 3)));
    EXPECT_FALSE(r.outer.contains(QPoint(3, 2)));
}

TEST(ButtonRegion, PictureShapesTakeThePicturesProportions)
{
    ButtonLook l = look(7, 0, QSize(100, 100));
    l.picture = QImage(48, 24, QImage::Format_RGB32);
    EXPECT_EQ(regionSize(l), QSize(100, 50));
    l.size = QSize(30, 100);
    EXPECT_EQ(regionSize(l), QSize(30, 15));
    l.picture = QImage();
    EXPECT_EQ(regionSize(l), QSize(30, 100));
}
