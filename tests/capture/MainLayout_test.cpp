// The main window's layout arithmetic, hot-key table, button look and pop-up states,
// apart from the window.
#include "capture/HotKeys.h"
#include "capture/MainLayout.h"
#include "capture/MainLook.h"
#include "core/SettingsModel.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace mainlayout;

namespace {

constexpr int32_t kMinWidth = 7125;   // 475 px
constexpr int32_t kMinHeight = 5605;  // 373.67 px, so 374
constexpr Panels kPanels{96, 52};

}  // namespace

TEST(MainLayout, MinimumSizeSpringsBackHeightFirstThenWidth)
{
    const struct {
        bool panelShown;
        QSize outer;
        SpringBack dimension;
        int pixels;
    } cases[] = {
        {true, {300, 200}, SpringBack::Height, 374},
        {true, {300, 374}, SpringBack::Width, 475},
        {true, {475, 373}, SpringBack::Height, 374},  // 5595 twips is short of 5605
        {true, {474, 400}, SpringBack::Width, 475},
        {true, {475, 374}, SpringBack::None, 0},
        {true, {900, 700}, SpringBack::None, 0},
        {false, {100, 80}, SpringBack::None, 0},  // tiny view and full screen: no minimum
    };
    for (const auto& c : cases) {
        const MinimumSizeFix fix = minimumSizeFix(c.panelShown, c.outer, kMinWidth, kMinHeight);
        EXPECT_EQ(fix.dimension, c.dimension) << c.outer.width() << "x" << c.outer.height();
        EXPECT_EQ(fix.pixels, c.pixels) << c.outer.width() << "x" << c.outer.height();
    }
}

TEST(MainLayout, TheCorrectedSizeIsNeverFoundTooSmallAgain)
{
    // Rounded down, 5605 twips would give 373 px = 5595 twips and the resize would
    // correct itself for ever.
    for (int32_t minHeight = 5590; minHeight <= 5620; ++minHeight) {
        const QSize minimum = minimumOuterSize(kMinWidth, minHeight);
        EXPECT_EQ(minimumSizeFix(true, minimum, kMinWidth, minHeight).dimension, SpringBack::None) << minHeight;
    }
}

TEST(MainLayout, PictureFitsBesideThePanelsWithTheViewsAllowances)
{
    EXPECT_EQ(fittedPicture({475, 374}, kPanels, 22, 48), QSize(360, 274));
    EXPECT_EQ(fittedPicture({758, 580}, kPanels, 22, 48), QSize(643, 480));
    // The tiny view subtracts the hidden panels too; its allowances give the room back.
    EXPECT_EQ(fittedPicture({400, 300}, kPanels, kTinyAllowanceX, kTinyAllowanceY), QSize(387, 238));
}

TEST(MainLayout, SideLogoShowsOnlyWithMoreThanSeventyPixels)
{
    EXPECT_EQ(sideLogoHeight(469, 334, 52), 71);
    EXPECT_EQ(sideLogoHeight(468, 334, 52), std::nullopt);
    EXPECT_EQ(sideLogoHeight(300, 334, 52), std::nullopt);
    EXPECT_EQ(sideLogoHeight(800, 334, 52), 402);
}

TEST(MainLayout, FitStretchKeepsAWidePictureAndShrinksANarrowOne)
{
    const StretchOn wide = stretchOn({640, 480});
    EXPECT_EQ(wide.picture, QSize(640, 480));
    EXPECT_FALSE(wide.windowToMinimum);
    for (QSize narrow : {QSize(352, 400), QSize(160, 120)}) {
        const StretchOn on = stretchOn(narrow);
        EXPECT_EQ(on.picture, QSize(352, 288));
        EXPECT_TRUE(on.windowToMinimum);
    }
    EXPECT_EQ(windowAround({640, 480}, kPanels, 22, 48), QSize(758, 580));
}

TEST(MainLayout, TinyViewSwapsTheAllowancesAndPictureEdge)
{
    const TinyView in = tinyView(true, 22, 48);
    EXPECT_TRUE(in.tiny);
    EXPECT_FALSE(in.panelsShown);
    EXPECT_EQ(in.pictureLeft, 6);
    EXPECT_EQ(in.allowanceX, -80);
    EXPECT_EQ(in.allowanceY, 10);
    const TinyView out = tinyView(false, 22, 48);
    EXPECT_FALSE(out.tiny);
    EXPECT_TRUE(out.panelsShown);
    EXPECT_EQ(out.pictureLeft, 104);
    EXPECT_EQ(out.allowanceX, 22);
    EXPECT_EQ(out.allowanceY, 48);
}

TEST(HotKeys, FixedKeysByCodeShiftAndRecording)
{
    const struct {
        int key;
        int shift;
        bool recording;
        HotKey expected;
    } cases[] = {
        {112, 0, false, HotKey::Help},
        {113, 0, false, HotKey::Start},
        {113, 1, false, HotKey::Start},  // every line tests the key alone
        {114, 0, false, HotKey::Snapshot},
        {121, 0, false, HotKey::Stop},
        {67, 6, false, HotKey::Snapshot},  // Ctrl+Alt+C
        {67, 7, false, HotKey::None},      // Ctrl+Shift+Alt+C
        {67, 2, false, HotKey::None},
        {67, 0, false, HotKey::None},
        {27, 0, true, HotKey::EndRecording},
        {27, 0, false, HotKey::LeaveView},
        {115, 0, false, HotKey::None},  // F4
        {120, 0, false, HotKey::None},  // F9
        {0, 0, false, HotKey::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hotKeyFor(c.key, c.shift, c.recording), c.expected) << c.key << " shift " << c.shift;
}

TEST(HotKeys, AKeyActsOnlyWhileItsButtonIsEnabled)
{
    const HotKeyTargets none{};
    const HotKeyTargets all{true, true, true, true};
    const HotKeyTargets recording{false, false, false, true};  // only the stop button
    const struct {
        HotKey key;
        bool withNone, withAll, whileRecording;
    } cases[] = {
        {HotKey::Help, false, true, false},
        {HotKey::Start, false, true, false},
        {HotKey::Snapshot, false, true, false},
        {HotKey::Stop, false, true, true},
        {HotKey::EndRecording, true, true, true},  // ESC stands for no button
        {HotKey::LeaveView, true, true, true},
        {HotKey::None, false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hotKeyEnabled(c.key, none), c.withNone) << int(c.key);
        EXPECT_EQ(hotKeyEnabled(c.key, all), c.withAll) << int(c.key);
        EXPECT_EQ(hotKeyEnabled(c.key, recording), c.whileRecording) << int(c.key);
    }
    // Each key follows its own button only.
    EXPECT_TRUE(hotKeyEnabled(HotKey::Start, {false, true, false, false}));
    EXPECT_FALSE(hotKeyEnabled(HotKey::Snapshot, {true, true, false, true}));
    EXPECT_TRUE(hotKeyEnabled(HotKey::Help, {true, false, false, false}));
}

TEST(MainLook, CaptionsWhiteOnlyForTheDarkColourAndGradientFromThePalette)
{
    std::array<int32_t, 11> palette{};
    for (int i = 0; i < 11; ++i)
        palette[i] = 0x101010 * (i + 1);
    for (int index = -1; index <= 11; ++index) {
        const MainButtonLook look = mainButtonLook(index, palette, 0x00C0C0C0);
        EXPECT_EQ(look.captionColour, index == 6 ? 0xFFFFFF : 0) << index;
        if (index >= 0 && index <= 10)
            EXPECT_EQ(look.gradient, palette[index]) << index;
        else
            EXPECT_EQ(look.gradient, std::nullopt) << index;
        EXPECT_EQ(look.background, 0x00C0C0C0);
    }
}

TEST(MainLook, NegativeBackgroundBecomesButtonFace)
{
    const std::array<int32_t, 11> palette{};
    EXPECT_EQ(mainButtonLook(0, palette, -1).background, kSystemButtonFace);
    EXPECT_EQ(mainButtonLook(0, palette, static_cast<int32_t>(0x80000005)).background, kSystemButtonFace);
    EXPECT_EQ(mainButtonLook(0, palette, 0).background, 0);
}

TEST(MainLook, IrfanViewPathFromItsOpenCommand)
{
    const struct {
        const char* value;
        const char* path;
    } cases[] = {
        {"\"C:\\Program Files\\IrfanView\\i_view32.exe\" \"%1\"", "C:\\Program Files\\IrfanView\\i_view32.exe"},
        {"/opt/irfanview/i_view64.exe %1 %2", "/opt/irfanview/i_view64.exe"},
        {"\"C:\\IrfanView\\I_VIEW32.EXE\" \"%1\"", ""},  // the extension must be exactly ".exe"
        {"C:\\IrfanView\\i_view32.com", ""},
        {"  a.ex ", ""},  // shorter than five characters once trimmed
        {"", ""},
        {"\"%1\"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(irfanViewPathFrom(c.value), c.path) << c.value;
}

TEST(MainLook, OptionsMenuFollowsThePreview)
{
    EXPECT_EQ(optionsMenuState(true).startFeedCaption, "Start Feed");
    EXPECT_FALSE(optionsMenuState(true).stopEnabled);
    EXPECT_EQ(optionsMenuState(false).startFeedCaption, "Restart Feed");
    EXPECT_TRUE(optionsMenuState(false).stopEnabled);
    // The mini-mode item applies outside full screen only.
    for (const bool startEnabled : {true, false}) {
        EXPECT_TRUE(optionsMenuState(startEnabled).miniModeEnabled);
        EXPECT_TRUE(optionsMenuState(startEnabled, false).miniModeEnabled);
        EXPECT_FALSE(optionsMenuState(startEnabled, true).miniModeEnabled);
    }
    EXPECT_EQ(miniModeCaption(false), "Show Buttons");
    EXPECT_EQ(miniModeCaption(true), "Hide Buttons");
}

TEST(MainLayout, AnOuterSizeAskedForKeepsTheMinimum)
{
    const QSize minimum = minimumOuterSize(7125, 5605);
    EXPECT_EQ(minimum, QSize(475, 374));
    const struct {
        QSize asked, expected;
    } cases[] = {
        {{438, 336}, {475, 374}},  // a 320 x 240 frame beside the panels
        {{438, 500}, {475, 500}},
        {{700, 300}, {700, 374}},
        {{475, 374}, {475, 374}},
        {{1280, 1024}, {1280, 1024}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(keepMinimum(c.asked, 7125, 5605), c.expected) << c.asked.width() << "x" << c.asked.height();
}

TEST(MainLook, ALongCaptionGetsAFontThatShowsItWhole)
{
    QFont design = QApplication::font();
    design.setPointSizeF(8.25);
    const QString caption = "&Video Size 640x480";
    const QFont fitted = captionFontToFit(design, caption, 80);
    EXPECT_LE(QFontMetrics(fitted).horizontalAdvance("Video Size 640x480"), 80);
    EXPECT_GE(fitted.pointSizeF(), kSmallestCaptionPoints);
    // A caption that fits keeps the design font; one that never fits stops at the smallest.
    EXPECT_EQ(captionFontToFit(design, "&Video Size", 80).pointSizeF(), 8.25);
    EXPECT_EQ(captionFontToFit(design, caption, 5).pointSizeF(), kSmallestCaptionPoints);
}
