// The drawing state machine: one copy per redraw, the CustomClick jump, region
// rebuilding that resizes the window, and the outline frame of shaped buttons.
#include "buttons/ButtonPaint.h"

#include <gtest/gtest.h>

#include <QFont>

#include <functional>
#include <vector>

using namespace buttons;
using gdi::rgb;

namespace {

class RecordingHost : public ButtonHost {
public:
    void moveBy(int dx, int dy) override { moves.push_back({dx, dy}); }
    void resizeTo(QSize size) override
    {
        resizes.push_back(size);
        if (onResize)
            onResize(size);
    }
    QSize screenSize() const override { return screen; }
    void setWindowRegion(const QRegion& region) override { window = region; }
    void showFrame(const QImage& frame) override { frames.push_back(frame); }

    std::vector<QPoint> moves;
    std::vector<QSize> resizes;
    std::vector<QImage> frames;
    QRegion window;
    QSize screen{1920, 1080};
    std::function<void(QSize)> onResize;
};

// A white picture with a coloured block inside its margin.
QImage blockPicture(QSize size, int margin, QRgb colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = margin; y < size.height() - margin; ++y)
        for (int x = margin; x < size.width() - margin; ++x)
            picture.setPixel(x, y, colour);
    return picture;
}

ButtonLook baseLook(QSize size = QSize(75, 23))
{
    ButtonLook l;
    l.size = size;
    l.font = QFont("DejaVu Sans", 8);
    l.backColor = rgb(212, 208, 200);
    l.hoverBackColor = l.backColor;
    l.foreColor = 0;
    l.hoverForeColor = 0;
    l.caption = "OK";
    return l;
}

struct Button {
    explicit Button(ButtonLook l = baseLook()) : look(std::move(l)), painter(host)
    {
        painter.createBuffer(look.size);
        painter.createRegion(look);
        painter.calculateLayout(look);
    }
    int redraw() { return painter.redraw(look); }
    gdi::Colour at(int x, int y) const { return gdi::fromQRgb(host.frames.back().pixel(x, y)); }

    ButtonLook look;
    RecordingHost host;
    ButtonPainter painter;
};

}  // namespace

TEST(ButtonPainter, EachRedrawReachesTheWindowInOneCopy)
{
    Button b;
    EXPECT_EQ(b.redraw(), kPaintShow);
    ASSERT_EQ(b.host.frames.size(), 1u);
    EXPECT_EQ(b.host.frames[0].size(), QSize(75, 23));
    EXPECT_EQ(b.at(37, 2), rgb(212, 208, 200));
    b.look.buttonStyle = 8;
    EXPECT_EQ(b.redraw(), kPaintNothing);
    EXPECT_EQ(b.host.frames.size(), 1u);
}

TEST(ButtonPainter, CustomClickJumpsOnceAndBack)
{
    struct Case {
        int customClick;
        QPoint step;
    };
    const Case cases[] = {{1, {0, -1}}, {2, {1, -1}}, {3, {-1, -1}}, {4, {1, 1}},
                          {5, {-1, 1}}, {6, {1, 0}},  {7, {0, 1}},   {8, {-1, 0}}};
    for (const Case& c : cases) {
        Button b;
        b.look.customClick = c.customClick;
        b.look.stateFlags = kFlagPressed | kFlagHover;
        b.look.hovering = true;
        // The jump shows the buffer as it was and stops the redraw there.
        EXPECT_EQ(b.redraw(), kPaintNothing);
        EXPECT_TRUE(b.painter.moved());
        EXPECT_EQ(b.host.frames.size(), 1u);
        EXPECT_EQ(b.redraw(), kPaintShow);
        b.look.stateFlags = kFlagHover;
        b.redraw();
        EXPECT_FALSE(b.painter.moved());
        ASSERT_EQ(b.host.moves.size(), 2u) << c.customClick;
        EXPECT_EQ(b.host.moves[0], c.step);
        EXPECT_EQ(b.host.moves[1], -c.step);
    }
}

TEST(ButtonPainter, CustomClickOnlyMovesCommandButtons)
{
    Button b;
    b.look.customClick = 4;
    b.look.mode = 1;
    b.look.stateFlags = kFlagPressed | kFlagHover;
    EXPECT_EQ(b.redraw(), kPaintShow);
    EXPECT_TRUE(b.host.moves.empty());
}

TEST(ButtonPainter, ResizingFromInsideTheRegionRebuildDoesNotReenter)
{
    Button b;
    int nested = 0;
    b.host.onResize = [&](QSize size) {
        // What the window's resize handling does: buffer, region, layout, paint.
        ++nested;
        b.look.size = size;
        b.painter.createBuffer(size);
        b.painter.createRegion(b.look);
        b.painter.calculateLayout(b.look);
        EXPECT_EQ(b.painter.redraw(b.look), kPaintNothing);
    };
    b.look.size = QSize(20, 23);
    b.look.buttonShape = 3;
    b.painter.createRegion(b.look);
    EXPECT_EQ(nested, 1);
    ASSERT_EQ(b.host.resizes.size(), 1u);
    EXPECT_EQ(b.host.resizes[0], QSize(30, 23));
    EXPECT_EQ(b.look.size, QSize(30, 23));
    EXPECT_EQ(b.painter.regions().leftCut, 24);
    EXPECT_EQ(b.painter.regions().rightCut, 6);
    EXPECT_EQ(b.painter.buffer().size(), QSize(30, 23));
    EXPECT_FALSE(b.painter.buildingRegion());
    EXPECT_EQ(b.redraw(), kPaintShow);
}

TEST(ButtonPainter, PictureShapeResizesToThePictureAndPaintsItsRim)
{
    ButtonLook l = baseLook(QSize(60, 60));
    l.picture = blockPicture(QSize(30, 20), 2, qRgb(0, 0, 200));
    l.pictureSize = 48;
    l.buttonShape = 8;
    Button b(l);
    ASSERT_EQ(b.host.resizes.size(), 1u);
    EXPECT_EQ(b.host.resizes[0], QSize(60, 40));
    EXPECT_FALSE(b.host.window.contains(QPoint(0, 0)));
    EXPECT_TRUE(b.host.window.contains(QPoint(30, 20)));
    // The white-to-grey rim is in the buffer before the first paint.
    EXPECT_EQ(b.painter.buffer().pixel(30, 0), gdi::kWhite);
}

TEST(ButtonPainter, ShapedDefaultButtonsGetTheirOutlineFramedOnTheWindowOnly)
{
    ButtonLook l = baseLook(QSize(60, 40));
    l.picture = blockPicture(QSize(60, 40), 5, qRgb(0, 120, 0));
    l.pictureSize = 48;
    l.buttonShape = 7;
    l.stateFlags = kFlagDefault;
    Button b(l);
    EXPECT_EQ(b.redraw(), kPaintOuterClip);
    // Style 0 frames the outer region of a default picture button in black.
    const QRect outer = b.painter.regions().outer.boundingRect();
    EXPECT_EQ(b.at(outer.left(), outer.center().y()), gdi::kBlack);
    EXPECT_NE(b.painter.buffer().pixel(outer.left(), outer.center().y()), gdi::kBlack);
}

TEST(ButtonPainter, ShadedFaceOfAButtonWithoutHeightPaintsWithoutFault)
{
    for (int height : {0, 1}) {
        ButtonLook l = baseLook(QSize(75, height));
        l.buttonStyle = 2;
        Button b(l);
        EXPECT_EQ(b.redraw(), kPaintShow) << height;
        EXPECT_EQ(b.host.frames.size(), 1u) << height;
    }
}
