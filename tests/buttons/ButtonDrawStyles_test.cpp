// The looks as the window shows them: pixels of grab() of real buttons on a
// container, with a fixed palette and font.
#include "buttons/ButtonPaint.h"
#include "core/ButtonCodes.h"
#include "buttons/ButtonPicture.h"
#include "buttons/StyledButton.h"
#include "platform/gdi/GdiColour.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <memory>
#include <set>

using gdi::Colour;
using gdi::rgb;

namespace {

constexpr Colour kContainer = 0x00A000;
constexpr Colour kFace = 0xC8D0D4;  // the classic button face, rgb(212, 208, 200)

enum class State { Normal, Hover, Pushed };

class ButtonDrawWidget : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setPalette(gdi::classicPalette());
        QApplication::setFont(QFont("DejaVu Sans", 8));
        window_ = std::make_unique<QWidget>();
        QPalette p = window_->palette();
        p.setColor(QPalette::Window, QColor::fromRgb(gdi::toQRgb(kContainer)));
        window_->setPalette(p);
        window_->setAutoFillBackground(true);
        window_->setGeometry(40, 40, 420, 200);
    }

    StyledButton* button(int style, QSize size = QSize(75, 23), const QString& caption = "OK")
    {
        auto* b = new StyledButton(window_.get());
        b->setGeometry(QRect(QPoint(10, 10), size));
        b->setCaption(caption);
        b->setButtonStyle(style);
        // The classic face whatever the palette of the container says.
        b->setBackColor(kFace);
        b->setHoverBackColor(kFace);
        b->setForeColor(0);
        b->setHoverForeColor(0);
        return b;
    }

    void show()
    {
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    void hover(StyledButton* b, QPoint at = QPoint(-1, -1))
    {
        if (at.x() < 0)
            at = b->rect().center();
        QCursor::setPos(b->mapToGlobal(at));
        QTest::mouseMove(b, at);
        ASSERT_TRUE(b->isHovering());
    }

    void setState(StyledButton* b, State state)
    {
        if (state == State::Normal)
            return;
        show();
        hover(b);
        if (state == State::Pushed)
            QTest::mousePress(b, Qt::LeftButton, {}, b->rect().center());
    }

    static QImage shot(StyledButton* b) { return b->grab().toImage(); }
    // The container with its buttons, as the screen shows it.
    QImage windowShot() { return window_->grab().toImage(); }
    static Colour at(const QImage& img, int x, int y) { return gdi::fromQRgb(img.pixel(x, y)); }

    std::unique_ptr<QWidget> window_;
};

// Mid-edge sample points of the three rings of a 75 x 23 button, in the order of
// the edge colour entries: ring A left, top, right, bottom, then B, then C.
const QPoint kRingPoints[12] = {{2, 11}, {37, 2}, {72, 11}, {37, 20}, {1, 11}, {37, 1},
                                {73, 11}, {37, 21}, {0, 11}, {37, 0}, {74, 11}, {37, 22}};

struct RingCase {
    int style;
    State state;
    Colour ring[12];
};

constexpr Colour W = 0xFFFFFF, K = 0x000000, G = 0x808080, L = 0xE9E9E9;
constexpr Colour kNoOutline = -1;

const RingCase kRingCases[] = {
    {0, State::Normal, {kFace, kFace, kFace, kFace, L, L, G, G, W, W, K, K}},
    {0, State::Hover, {kFace, kFace, kFace, kFace, L, L, G, G, W, W, K, K}},
    {0, State::Pushed, {kFace, kFace, kFace, kFace, kFace, kFace, G, G, W, W, K, K}},
    {1, State::Normal, {W, W, G, G, W, W, G, G, K, K, K, K}},
    {1, State::Hover, {W, W, G, G, W, W, G, G, K, K, K, K}},
    {1, State::Pushed, {G, G, W, W, G, G, W, W, K, K, K, K}},
    {2, State::Normal, {0xEDF5F5, 0xFFFFFF, 0xDBE7E7, 0xD1DFDF, 0xF4FAFA, 0xFFFFFF, 0xCCDBDB, 0xBCCFCF,
                        0x733C00, 0x733C00, 0x733C00, 0x733C00}},
    {2, State::Hover, {0x6BCBFF, 0x8CDBFF, 0x6BCBFF, 0x31B2FF, 0x31B2FF, 0xA6E9FF, 0x31B2FF, 0x0096E7,
                       0x733C00, 0x733C00, 0x733C00, 0x733C00}},
    {2, State::Pushed, {0xBAC9C9, 0xB7C7C7, 0xB7C7C7, 0xDBE9E9, 0xAFBFBF, 0xAFBFBF, 0xD6E4E4, 0xE2EFEF,
                        0x733C00, 0x733C00, 0x733C00, 0x733C00}},
    {3, State::Normal, {kFace, kFace, kFace, kFace, W, W, 0x666666, 0x666666, 0x666666, 0x666666, W, W}},
    {3, State::Hover, {kFace, kFace, kFace, kFace, W, W, 0x666666, 0x666666, 0x666666, 0x666666, W, W}},
    {3, State::Pushed, {0x8C8C8C, 0x8C8C8C, 0x8C8C8C, 0x8C8C8C, 0x8C8C8C, 0x8C8C8C, 0x666666, 0x666666,
                        0x666666, 0x666666, W, W}},
    {4, State::Normal, {kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, W, W, G, G}},
    {4, State::Hover, {kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, W, W, G, G}},
    {4, State::Pushed, {kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, G, G, W, W}},
    // The hover look shows no ring until the cursor is over the button.
    {5, State::Normal, {kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace}},
    {5, State::Hover, {kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, W, W, G, G}},
    {5, State::Pushed, {kFace, kFace, kFace, kFace, kFace, kFace, kFace, kFace, G, G, W, W}},
    {6, State::Normal, {kFace, kFace, kFace, kFace, 0xE7E7E7, 0xE7E7E7, G, G, 0xE7E7E7, 0xE7E7E7, G, G}},
    {6, State::Hover, {kFace, kFace, kFace, kFace, 0xE7E7E7, 0xE7E7E7, G, G, 0xE7E7E7, 0xE7E7E7, G, G}},
    {6, State::Pushed, {kFace, kFace, kFace, kFace, G, G, 0xE7E7E7, 0xE7E7E7, G, G, 0xE7E7E7, 0xE7E7E7}},
    {7, State::Normal, {W, W, 0xC7CFD3, 0xC7CFD3, W, W, 0xC7CFD3, 0xA7AFB3, G, G, 0x707070, 0x707070}},
    {7, State::Hover, {W, W, 0xC7CFD3, 0xC7CFD3, W, W, 0xC7CFD3, 0xA7AFB3, G, G, 0x707070, 0x707070}},
    {7, State::Pushed, {0x505050, 0x303030, 0x8F8F8F, 0x8F8F8F, 0x303030, 0x303030, W, W, 0x707070, 0x707070,
                        0x707070, 0x707070}},
};

const char* stateName(State s)
{
    return s == State::Normal ? "normal" : s == State::Hover ? "hover" : "pushed";
}

}  // namespace

class ButtonRings : public ButtonDrawWidget, public ::testing::WithParamInterface<RingCase> {};

TEST_P(ButtonRings, CommandButtonRingPixels)
{
    const RingCase& c = GetParam();
    StyledButton* b = button(c.style);
    setState(b, c.state);
    const QImage img = shot(b);
    ASSERT_EQ(img.size(), QSize(75, 23));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(at(img, kRingPoints[i].x(), kRingPoints[i].y()), c.ring[i])
            << "style " << c.style << " " << stateName(c.state) << ", entry " << i + 1 << std::hex << " got "
            << at(img, kRingPoints[i].x(), kRingPoints[i].y());
}

INSTANTIATE_TEST_SUITE_P(AllStyles, ButtonRings, ::testing::ValuesIn(kRingCases),
                         [](const ::testing::TestParamInfo<RingCase>& info) {
                             return "Style" + std::to_string(info.param.style) + stateName(info.param.state);
                         });

TEST_F(ButtonDrawWidget, ClassicDefaultButtonHasABlackFrameAndAFocusMark)
{
    StyledButton* b = button(0);
    b->setStateFlags(StyledButton::kFlagDefault);
    b->Refresh();
    const QImage img = shot(b);
    const Colour expected[12] = {L, L, G, G, W, W, K, K, K, K, K, K};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(at(img, kRingPoints[i].x(), kRingPoints[i].y()), expected[i]) << "entry " << i + 1;
    // The dotted focus rectangle from (4, 4) inverts every other pixel of the face.
    EXPECT_EQ(at(img, 4, 4), 0x372F2B);
    EXPECT_EQ(at(img, 5, 4), kFace);
    EXPECT_EQ(at(img, 70, 18), 0x372F2B);
    EXPECT_EQ(at(img, 71, 18), kFace);
}

TEST_F(ButtonDrawWidget, XpHoverShowsOrangeAndCornersShowTheContainer)
{
    StyledButton* b = button(2);
    show();
    hover(b);
    const QImage img = windowShot();
    const QPoint o = b->pos();
    struct Probe {
        QPoint p;
        Colour expected;
    };
    const Probe probes[] = {
        // The three pixels of each corner are cut from the window ...
        {{0, 0}, kContainer}, {{1, 0}, kContainer}, {{0, 1}, kContainer},
        {{74, 0}, kContainer}, {{73, 0}, kContainer}, {{74, 1}, kContainer},
        {{0, 22}, kContainer}, {{1, 22}, kContainer}, {{0, 21}, kContainer},
        {{74, 22}, kContainer}, {{73, 22}, kContainer}, {{74, 21}, kContainer},
        // ... and the outline rounds them off.
        {{1, 1}, 0x733C00}, {{73, 1}, 0x733C00}, {{1, 21}, 0x733C00}, {{73, 21}, 0x733C00},
        {{2, 0}, 0x733C00}, {{0, 2}, 0x733C00},
        // Orange hover segments.
        {{2, 11}, 0x6BCBFF}, {{37, 2}, 0x8CDBFF}, {{37, 21}, 0x0096E7},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(at(img, o.x() + p.p.x(), o.y() + p.p.y()), p.expected) << p.p.x() << "," << p.p.y();
}

TEST_F(ButtonDrawWidget, XpDefaultColoursOnlyWithTheFocusRectangle)
{
    StyledButton* b = button(2);
    b->setStateFlags(StyledButton::kFlagDefault);
    b->Refresh();
    EXPECT_EQ(at(shot(b), 37, 1), 0xFFDFBF);
    b->setShowFocusRect(false);
    b->setStateFlags(StyledButton::kFlagDefault);
    b->Refresh();
    EXPECT_EQ(at(shot(b), 37, 1), 0xFFFFFF);
}

TEST_F(ButtonDrawWidget, JavaCaptionDoesNotMoveWhenPushed)
{
    auto textPixels = [](const QImage& img) {
        std::set<std::pair<int, int>> out;
        for (int y = 3; y < img.height() - 3; ++y)
            for (int x = 3; x < img.width() - 3; ++x)
                if (at(img, x, y) == 0)
                    out.insert({x, y});
        return out;
    };
    StyledButton* java = button(3);
    const auto normal = textPixels(shot(java));
    ASSERT_FALSE(normal.empty());
    setState(java, State::Pushed);
    ASSERT_TRUE(java->stateFlags() & StyledButton::kFlagPressed);
    EXPECT_EQ(textPixels(shot(java)), normal);
}

TEST_F(ButtonDrawWidget, ClassicCaptionMovesOnePixelWhenPushed)
{
    StyledButton* classic = button(0);
    std::set<std::pair<int, int>> moved;
    const QImage before = shot(classic);
    for (int y = 3; y < 20; ++y)
        for (int x = 3; x < 72; ++x)
            if (at(before, x, y) == 0)
                moved.insert({x + 1, y + 1});
    ASSERT_FALSE(moved.empty());
    setState(classic, State::Pushed);
    const QImage after = shot(classic);
    std::set<std::pair<int, int>> ink;
    for (int y = 3; y < 21; ++y)
        for (int x = 3; x < 73; ++x)
            if (at(after, x, y) == 0)
                ink.insert({x, y});
    EXPECT_EQ(ink, moved);
}

TEST_F(ButtonDrawWidget, GradientStartsAtTheLeftOrTheRightColumn)
{
    for (int mode : {1, 2}) {
        StyledButton* b = button(5, QSize(100, 23), "");
        b->setBackColor(0x0000C0);
        b->setGradientColor(0xC00000);
        b->setGradientMode(mode);
        const QImage img = shot(b);
        const int startColumn = mode == 1 ? 0 : 99;
        const int endColumn = mode == 1 ? 99 : 0;
        EXPECT_EQ(at(img, startColumn, 11), 0x0000C0) << "mode " << mode;
        EXPECT_NE(at(img, endColumn, 11), 0x0000C0) << "mode " << mode;
        EXPECT_GE(gdi::blue(at(img, endColumn, 11)), 0xBF) << "mode " << mode;
        EXPECT_NE(at(img, startColumn + (mode == 1 ? 1 : -1), 11), 0x0000C0) << "mode " << mode;
        delete b;
    }
}

TEST_F(ButtonDrawWidget, WideGradientsOnASmallScreenUseTwoPixelBands)
{
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    const int width = (screenWidth / 4 + 10) & ~1;
    StyledButton* b = button(5, QSize(width, 23), "");
    b->setBackColor(0x000000);
    b->setGradientColor(0xFFFFFF);
    b->setGradientMode(buttons::kGradientLeftToRight);
    const QImage img = shot(b);
    int steps = 0;
    for (int x = 0; x + 1 < width; x += 2) {
        EXPECT_EQ(at(img, x, 11), at(img, x + 1, 11)) << x;
        if (x + 2 < width && at(img, x + 1, 11) != at(img, x + 2, 11))
            ++steps;
    }
    EXPECT_GT(steps, width / 4);
    EXPECT_EQ(at(img, 0, 11), 0);
}

TEST_F(ButtonDrawWidget, EllipseCornersShowTheContainer)
{
    StyledButton* b = button(0, QSize(80, 40), "");
    b->setButtonShape(buttons::kShapeEllipse);
    show();
    const QImage img = windowShot();
    const QPoint o = b->pos();
    for (const QPoint& corner : {QPoint(0, 0), QPoint(79, 0), QPoint(0, 39), QPoint(79, 39), QPoint(6, 3)})
        EXPECT_EQ(at(img, o.x() + corner.x(), o.y() + corner.y()), kContainer) << corner.x() << "," << corner.y();
    EXPECT_EQ(at(img, o.x() + 40, o.y() + 20), kFace);
    // The rim between the window outline and the face.
    EXPECT_EQ(at(img, o.x() + 40, o.y()), 0);
}

TEST_F(ButtonDrawWidget, MaskedCornersTakeNoClicks)
{
    StyledButton* b = button(0, QSize(80, 40), "");
    b->setButtonShape(buttons::kShapeEllipse);
    show();
    QSignalSpy clicks(b, &StyledButton::Click);
    // Through the window, so the platform decides which widget the mouse hits.
    QWindow* w = window_->windowHandle();
    QTest::mouseClick(w, Qt::LeftButton, {}, b->pos() + QPoint(1, 1));
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(w, Qt::LeftButton, {}, b->pos() + QPoint(40, 20));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ButtonDrawWidget, DisabledCaptionWithAGradientIsEmbossed)
{
    StyledButton* b = button(0, QSize(90, 30), "MMM");
    b->setGradientColor(0x804000);
    b->setGradientMode(buttons::kGradientTopToBottom);
    b->setEnabled(false);
    const QImage img = shot(b);
    int white = 0, grey = 0;
    for (int y = 4; y < 26; ++y) {
        for (int x = 4; x < 86; ++x) {
            const Colour c = at(img, x, y);
            if (c == 0x808080)
                ++grey;
            if (c == 0xFFFFFF) {
                ++white;
                // White is the copy one pixel right and down of the grey caption.
                EXPECT_EQ(at(img, x - 1, y - 1), 0x808080) << x << "," << y;
            }
        }
    }
    EXPECT_GT(grey, 20);
    EXPECT_GT(white, 5);
}

TEST_F(ButtonDrawWidget, DoubleBarCaptionIsDrawnOnTwoLines)
{
    auto inkRows = [](const QImage& img) {
        std::vector<int> rows;
        for (int y = 3; y < img.height() - 3; ++y)
            for (int x = 3; x < img.width() - 3; ++x)
                if (at(img, x, y) == 0) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    };
    auto blocks = [](const std::vector<int>& rows) {
        int n = 0;
        for (size_t i = 0; i < rows.size(); ++i)
            if (i == 0 || rows[i] != rows[i - 1] + 1)
                ++n;
        return n;
    };
    StyledButton* two = button(4, QSize(75, 44), "A||B");
    EXPECT_EQ(blocks(inkRows(shot(two))), 2);
    StyledButton* one = button(4, QSize(75, 44), "A B");
    EXPECT_EQ(blocks(inkRows(shot(one))), 1);
}

TEST_F(ButtonDrawWidget, HoverRimRunsDownWhateverTheGradientMode)
{
    StyledButton* b = button(5, QSize(100, 40), "");
    b->setButtonShape(buttons::kShapeEllipse);
    b->setBackColor(0x0000C0);
    b->setGradientColor(0xC00000);
    b->setHoverBackColor(0xC00000);
    b->setGradientMode(buttons::kGradientLeftToRight);
    show();
    hover(b);
    const QImage img = shot(b);
    EXPECT_EQ(b->GradientMode(), buttons::kGradientLeftToRight);
    // The rim: white at the top, grey at the bottom.
    const Colour top = at(img, 50, 1), bottom = at(img, 50, 39);
    EXPECT_EQ(gdi::red(top), gdi::blue(top));
    EXPECT_GE(gdi::red(top), 250);
    EXPECT_EQ(gdi::red(bottom), gdi::blue(bottom));
    EXPECT_LE(gdi::red(bottom), 132);
    // The face: across the width.
    EXPECT_EQ(at(img, 10, 20), at(img, 10, 14));
    EXPECT_NE(at(img, 10, 20), at(img, 90, 20));
}

TEST_F(ButtonDrawWidget, NarrowSlantedButtonWidensOnceWithoutReentering)
{
    StyledButton* b = button(0, QSize(20, 23), "");
    show();
    b->setButtonShape(buttons::kShapeCutBoth);
    EXPECT_EQ(b->size(), QSize(30, 23));
    // 22 and 27 leave less than 5 pixels beside the 24-pixel cut.
    b->resize(22, 23);
    EXPECT_EQ(b->size(), QSize(32, 23));
    const QRegion mask = b->mask();
    EXPECT_TRUE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(0, 22)));
    EXPECT_TRUE(mask.contains(QPoint(22, 22)));
    EXPECT_FALSE(mask.contains(QPoint(9, 0)));
    EXPECT_TRUE(mask.contains(QPoint(8, 0)));
    EXPECT_EQ(shot(b).size(), QSize(32, 23));
}

TEST_F(ButtonDrawWidget, ShapesFiveToEightShowTheirCaptionOnlyWhileValueIsTrue)
{
    StyledButton* b = button(4, QSize(90, 40), "MMM");
    b->setMode(buttons::kModeCheck);
    b->setButtonShape(buttons::kShapeEllipse5);
    auto ink = [](const QImage& img) {
        int n = 0;
        for (int y = 8; y < 32; ++y)
            for (int x = 20; x < 70; ++x)
                n += at(img, x, y) == 0;
        return n;
    };
    EXPECT_EQ(ink(shot(b)), 0);
    b->setValue(true);
    EXPECT_GT(ink(shot(b)), 20);
}

TEST_F(ButtonDrawWidget, XpMacRingsWhenDefaultLatchedAndWithAGradient)
{
    struct Case {
        const char* name;
        std::function<void(StyledButton*)> set;
        Colour ring[12];
    };
    const Colour d = 0x707070;
    const Case cases[] = {
        {"default", [](StyledButton* b) {
             b->setStateFlags(StyledButton::kFlagDefault);
             b->Refresh();
         },
         {W, W, 0xC7CFD3, 0xC7CFD3, W, W, 0xC7CFD3, 0xA7AFB3, d, d, d, d}},
        {"check on",
         [](StyledButton* b) {
             b->setMode(buttons::kModeCheck);
             b->setValue(true);
         },
         {0x6A7070, 0x4A5050, 0xA9AFAF, 0xA9AFAF, 0x4A5050, 0x4A5050, W, W, d, d, d, d}},
        {"gradient",
         [](StyledButton* b) {
             b->setGradientColor(0x804000);
             b->setGradientMode(buttons::kGradientLeftToRight);
         },
         {W, W, 0xC7CFD3, 0xC7CFD3, W, W, 0xC7CFD3, 0xA7AFB3, 0xE7EFF3, 0xE7EFF3, d, d}},
    };
    for (const Case& c : cases) {
        StyledButton* b = button(7);
        c.set(b);
        const QImage img = shot(b);
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(at(img, kRingPoints[i].x(), kRingPoints[i].y()), c.ring[i]) << c.name << ", entry " << i + 1;
        delete b;
    }
}

TEST_F(ButtonDrawWidget, XpMacSoftensItsCornersWithTenPixels)
{
    StyledButton* b = button(7);
    const QImage img = shot(b);
    struct Probe {
        QPoint p;
        Colour expected;
    };
    const Probe probes[] = {
        {{1, 1}, G},       {{2, 1}, G},  {{1, 2}, G},  {{1, 21}, G},       {{1, 20}, G},
        {{73, 1}, 0x707070}, {{72, 1}, G}, {{73, 2}, G}, {{73, 21}, 0x707070}, {{73, 20}, G},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(at(img, p.p.x(), p.p.y()), p.expected) << p.p.x() << "," << p.p.y();
}

TEST_F(ButtonDrawWidget, XpMacCaptionColours)
{
    auto inkColours = [](const QImage& img) {
        std::set<Colour> out;
        for (int y = 6; y < 17; ++y)
            for (int x = 28; x < 47; ++x)
                out.insert(at(img, x, y));
        return out;
    };
    StyledButton* b = button(7);
    b->setHoverForeColor(0x0000FF);
    EXPECT_TRUE(inkColours(shot(b)).count(0));
    show();
    hover(b);
    EXPECT_TRUE(inkColours(shot(b)).count(0x0000FF));
    QTest::mousePress(b, Qt::LeftButton, {}, b->rect().center());
    const auto pushed = inkColours(shot(b));
    EXPECT_TRUE(pushed.count(W));
    EXPECT_FALSE(pushed.count(0));
}

TEST_F(ButtonDrawWidget, XpDisabledRimIsTheDarkenedFace)
{
    StyledButton* b = button(2);
    b->setEnabled(false);
    const QImage img = shot(b);
    const Colour face = 0xDBE7E7, rim = 0x7C9393;
    const Colour expected[12] = {face, face, face, face, face, face, face, face, rim, rim, rim, rim};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(at(img, kRingPoints[i].x(), kRingPoints[i].y()), expected[i]) << "entry " << i + 1;
    EXPECT_EQ(at(img, 1, 1), rim);
    EXPECT_EQ(at(img, 73, 21), rim);

    StyledButton* ellipse = button(2, QSize(80, 40), "");
    ellipse->setButtonShape(buttons::kShapeEllipse);
    ellipse->setEnabled(false);
    show();
    const QImage framed = windowShot();
    EXPECT_EQ(at(framed, ellipse->x() + 40, ellipse->y() + 1), rim);
}

namespace {

// A 40 x 30 picture: white margin (its top-left colour) round a dark green block.
ButtonPicture blockPicture()
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 35; ++x)
            img.setPixel(x, y, qRgb(0, 100, 0));
    return ButtonPicture::bitmap(img);
}

}  // namespace

TEST_F(ButtonDrawWidget, PictureShapesOfTheHoverAndXpMacLooksFollowTheFrameRule)
{
    struct Case {
        int style;
        bool value;
        Colour outline;  // on the outer region's left edge
    };
    const Case cases[] = {
        {0, false, K},
        {7, false, K},
        // A latched picture button of shape 7 shows its sunken rim instead.
        {7, true, kNoOutline},
        // The hover look shows no outline until the cursor is over the button.
        {5, false, kNoOutline},
    };
    for (const Case& c : cases) {
        StyledButton* b = button(c.style, QSize(80, 60), "");
        b->setPicture(blockPicture());
        b->setButtonShape(buttons::kShapePictureFramed);
        if (c.value) {
            b->setMode(buttons::kModeCheck);
            b->setValue(true);
        }
        b->setStateFlags(StyledButton::kFlagDefault);
        b->Refresh();
        ASSERT_EQ(b->size(), QSize(80, 60));
        const QImage img = shot(b);
        // The block spans x 10..69 at this size; the outer region starts one pixel in.
        const Colour edge = at(img, 11, 30);
        if (c.outline == kNoOutline)
            EXPECT_NE(edge, K) << "style " << c.style;
        else
            EXPECT_EQ(edge, c.outline) << "style " << c.style << std::hex << " got " << edge;
        delete b;
    }
}

TEST_F(ButtonDrawWidget, HoverLookOutlinesEllipsesOnlyWithAnArc)
{
    StyledButton* ellipse = button(5, QSize(80, 40), "");
    ellipse->setButtonShape(buttons::kShapeEllipse);
    // The arc in the face shaded by -32 on the outline of a flat, unhovered face.
    EXPECT_EQ(at(shot(ellipse), 39, 0), 0xA8B0B4);
    EXPECT_EQ(at(shot(ellipse), 40, 20), kFace);

    StyledButton* picture = button(5, QSize(80, 60), "");
    picture->setPicture(blockPicture());
    picture->setButtonShape(buttons::kShapePictureFramed);
    const QImage img = shot(picture);
    for (int y = 8; y < 52; ++y)
        for (int x = 8; x < 72; ++x)
            ASSERT_NE(at(img, x, y), 0xA8B0B4) << x << "," << y;
}

TEST_F(ButtonDrawWidget, DisabledPictureIsGreyWhereItIsNotWhite)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 255));
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x)
            img.setPixel(x, y, x < 8 ? qRgb(255, 255, 255) : qRgb(200, 30, 30));
    StyledButton* b = button(0, QSize(75, 30), "");
    b->setPicture(ButtonPicture::bitmap(img));
    b->setPictureAlign(buttons::kPictureLeftEdge);
    const QImage enabled = shot(b);
    // The picture sits at (4, 7), 16 pixels square.
    EXPECT_EQ(at(enabled, 4 + 10, 7 + 8), rgb(200, 30, 30));
    EXPECT_EQ(at(enabled, 4 + 4, 7 + 8), W);
    EXPECT_EQ(at(enabled, 4, 7), kFace);
    b->setEnabled(false);
    const QImage disabled = shot(b);
    EXPECT_EQ(at(disabled, 4 + 10, 7 + 8), G);
    EXPECT_EQ(at(disabled, 4 + 4, 7 + 8), kFace);
    EXPECT_EQ(at(disabled, 4, 7), kFace);
}

TEST_F(ButtonDrawWidget, SpaceShowsThePushedLookUntilItIsReleased)
{
    StyledButton* b = button(0);
    show();
    b->setFocus();
    QTest::keyPress(b, Qt::Key_Space);
    // The hover look Space set for its redraw is gone again, the picture stays.
    ASSERT_FALSE(b->stateFlags() & StyledButton::kFlagHover);
    EXPECT_EQ(at(shot(b), 1, 11), kFace);
    EXPECT_EQ(at(shot(b), 73, 11), G);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(at(shot(b), 1, 11), L);
}

TEST_F(ButtonDrawWidget, CaptionWithAnAccessKeyKeepsEveryWordOnItsLine)
{
    // The ink of the caption spans both words, not just the first.
    auto inkSpan = [](const QImage& img) {
        int left = img.width(), right = -1;
        for (int y = 3; y < img.height() - 3; ++y)
            for (int x = 3; x < img.width() - 3; ++x)
                if (at(img, x, y) == 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right - left + 1;
    };
    QFont f("DejaVu Sans");
    f.setPointSizeF(8.25);
    const int words = QFontMetrics(f).horizontalAdvance("Video Size");
    for (const char* caption : {"&Video Size", "Video &Size", "Video Size"}) {
        StyledButton* b = button(4, QSize(88, 23), caption);
        b->setFont(f);
        EXPECT_GE(inkSpan(shot(b)), words - 3) << caption;
    }
}
