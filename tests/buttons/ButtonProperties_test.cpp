#include "ButtonTestSupport.h"
#include "core/ButtonCodes.h"

#include "buttons/AccessKey.h"

#include <QSignalSpy>

#include <functional>

namespace {

struct PropertyCase {
    const char* name;
    std::function<void(StyledButton&)> act;
    std::function<void(const StyledButton&)> expect;
    QString designMessage;  // the information box a designer sees; empty when none
};

const QString kCrLf = "\r\n";

const PropertyCase kPropertyCases[] = {
    {"style 8 ignored",
     [](StyledButton& b) { b.setButtonStyle(buttons::kStyleJava); b.setButtonStyle(8); },
     [](const StyledButton& b) { EXPECT_EQ(b.ButtonStyle(), buttons::kStyleJava); }, {}},
    {"style -1 ignored",
     [](StyledButton& b) { b.setButtonStyle(buttons::kStyleHover); b.setButtonStyle(-1); },
     [](const StyledButton& b) { EXPECT_EQ(b.ButtonStyle(), buttons::kStyleHover); }, {}},
    {"mode 3 ignored",
     [](StyledButton& b) { b.setMode(buttons::kModeCheck); b.setMode(3); },
     [](const StyledButton& b) { EXPECT_EQ(b.Mode(), buttons::kModeCheck); }, {}},
    {"Value True refused on a command button",
     [](StyledButton& b) { b.setValue(true); },
     [](const StyledButton& b) { EXPECT_FALSE(b.Value()); },
     "This property is not applicable for command button modes."},
    {"Value False always taken",
     [](StyledButton& b) { b.setMode(buttons::kModeCheck); b.setValue(true); b.setValue(false); },
     [](const StyledButton& b) { EXPECT_FALSE(b.Value()); }, {}},
    {"leaving check mode for command clears Value",
     [](StyledButton& b) { b.setMode(buttons::kModeCheck); b.setValue(true); b.setMode(buttons::kModeCommand); },
     [](const StyledButton& b) { EXPECT_FALSE(b.Value()); EXPECT_EQ(b.Mode(), buttons::kModeCommand); }, {}},
    {"PictureSize 5 ignored",
     [](StyledButton& b) { b.setPictureSize(1); b.setPictureSize(5); },
     [](const StyledButton& b) { EXPECT_EQ(b.PictureSize(), 1); EXPECT_EQ(b.pictureSizePixels(), 24); }, {}},
    {"PictureSize 2 is 32 pixels",
     [](StyledButton& b) { b.setPictureSize(2); },
     [](const StyledButton& b) { EXPECT_EQ(b.PictureSize(), 2); EXPECT_EQ(b.pictureSizePixels(), 32); }, {}},
    {"FontStyle 1 gives a plain font",
     [](StyledButton& b) { b.setFontStyle(14); b.setFontStyle(1); },
     [](const StyledButton& b) {
         EXPECT_EQ(b.FontStyle(), 0);
         EXPECT_FALSE(b.Font().bold());
         EXPECT_FALSE(b.Font().italic());
         EXPECT_FALSE(b.Font().underline());
     }, {}},
    {"FontStyle 6 gives bold italic",
     [](StyledButton& b) { b.setFontStyle(6); },
     [](const StyledButton& b) {
         EXPECT_EQ(b.FontStyle(), 6);
         EXPECT_TRUE(b.Font().bold());
         EXPECT_TRUE(b.Font().italic());
         EXPECT_FALSE(b.Font().underline());
     }, {}},
    {"PictureAlign 4 forces CaptionAlign 2",
     [](StyledButton& b) { b.setCaptionAlign(buttons::kCaptionLeft); b.setPictureAlign(buttons::kPictureAbove); },
     [](const StyledButton& b) { EXPECT_EQ(b.CaptionAlign(), buttons::kCaptionCentre); EXPECT_EQ(b.PictureAlign(), buttons::kPictureAbove); }, {}},
    {"CaptionAlign 0 refused beside a centred picture",
     [](StyledButton& b) { b.setPicture(testBitmap()); b.setPictureAlign(buttons::kPictureBelow); b.setCaptionAlign(buttons::kCaptionLeft); },
     [](const StyledButton& b) { EXPECT_EQ(b.CaptionAlign(), buttons::kCaptionCentre); },
     "When button images are aligned top/bottom center, " + kCrLf + "button captions can only be center aligned"},
    {"CaptionAlign 0 taken without a picture",
     [](StyledButton& b) { b.setPictureAlign(buttons::kPictureAbove); b.setCaptionAlign(buttons::kCaptionLeft); },
     [](const StyledButton& b) { EXPECT_EQ(b.CaptionAlign(), buttons::kCaptionLeft); }, {}},
    {"shape 7 refused without a picture",
     [](StyledButton& b) { b.setButtonShape(buttons::kShapeCutTopRight); b.setCaptionAlign(buttons::kCaptionRight); b.setButtonShape(buttons::kShapePictureFramed); },
     [](const StyledButton& b) { EXPECT_EQ(b.ButtonShape(), buttons::kShapeCutTopRight); EXPECT_EQ(b.CaptionAlign(), buttons::kCaptionRight); },
     "The Picture Property must be assigned first and must be a bitmap or JPEG."},
    {"shape 8 refused with an icon",
     [](StyledButton& b) { b.setPicture(testIcon()); b.setButtonShape(buttons::kShapePicture); },
     [](const StyledButton& b) { EXPECT_EQ(b.ButtonShape(), buttons::kShapeRectangle); },
     "The Picture Property must be assigned first and must be a bitmap or JPEG."},
    {"shape 7 with a bitmap takes 48 pixels and centres the caption",
     [](StyledButton& b) { b.setPicture(testBitmap()); b.setCaptionAlign(buttons::kCaptionRight); b.setButtonShape(buttons::kShapePictureFramed); },
     [](const StyledButton& b) {
         EXPECT_EQ(b.ButtonShape(), buttons::kShapePictureFramed);
         EXPECT_EQ(b.PictureSize(), 4);
         EXPECT_EQ(b.CaptionAlign(), buttons::kCaptionCentre);
     }, {}},
    {"picture size fixed on a shaped button",
     [](StyledButton& b) { b.setPicture(testBitmap()); b.setButtonShape(buttons::kShapePictureFramed); b.setPictureSize(1); },
     [](const StyledButton& b) { EXPECT_EQ(b.PictureSize(), 4); },
     "The picture size cannot be changed for Shaped buttons"},
    {"an icon on a shaped button makes it rectangular",
     [](StyledButton& b) { b.setPicture(testBitmap()); b.setButtonShape(buttons::kShapePicture); b.setPicture(testIcon()); },
     [](const StyledButton& b) { EXPECT_EQ(b.ButtonShape(), buttons::kShapeRectangle); EXPECT_TRUE(b.Picture().isIcon()); },
     "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs." + kCrLf +
         "Button was changed to Rectangular shaped."},
    {"removing the picture of a shaped button makes it rectangular",
     [](StyledButton& b) { b.setPicture(testBitmap()); b.setButtonShape(buttons::kShapePictureFramed); b.setPicture(ButtonPicture()); },
     [](const StyledButton& b) { EXPECT_EQ(b.ButtonShape(), buttons::kShapeRectangle); }, {}},
    {"CustomClick kept without a custom shape",
     [](StyledButton& b) { b.setCustomClick(3); b.setCustomClick(9); },
     [](const StyledButton& b) { EXPECT_EQ(b.CustomClick(), 3); },
     "This property has no effect unless the Button Shape is a custom shape."},
    {"a bitmap is no mouse pointer",
     [](StyledButton& b) { b.setMouseIcon(testBitmap()); },
     [](const StyledButton& b) { EXPECT_TRUE(b.MouseIcon().isNull()); EXPECT_EQ(b.MousePointer(), 0); },
     "Select .ico Or .cur Files Only"},
    {"an icon pointer switches to the custom pointer",
     [](StyledButton& b) { b.setMouseIcon(testIcon()); },
     [](const StyledButton& b) { EXPECT_EQ(b.MousePointer(), 99); }, {}},
    {"hover fore colour of its own locks it",
     [](StyledButton& b) { b.setHoverColorLocks(buttons::kHoverLockBack); b.setHoverForeColor(0x0000FF); b.setForeColor(0x00FF00); },
     [](const StyledButton& b) {
         EXPECT_EQ(b.HoverColorLocks(), buttons::kHoverLocksBoth);
         EXPECT_EQ(b.HoverForeColor(), 0x0000FF);
         EXPECT_EQ(b.ForeColor(), 0x00FF00);
     }, {}},
    {"an unlocked hover fore colour follows ForeColor",
     [](StyledButton& b) { b.setForeColor(0x123456); },
     [](const StyledButton& b) { EXPECT_EQ(b.HoverForeColor(), 0x123456); EXPECT_EQ(b.HoverColorLocks(), buttons::kHoverLocksNone); }, {}},
    {"a hover back colour of its own locks it",
     [](StyledButton& b) { b.setHoverBackColor(0x00FFFF); b.setBackColor(0x0000FF); },
     [](const StyledButton& b) { EXPECT_EQ(b.HoverColorLocks(), buttons::kHoverLockBack); EXPECT_EQ(b.HoverBackColor(), 0x00FFFF); }, {}},
    {"an unlocked hover back colour follows the gradient",
     [](StyledButton& b) { b.setGradientMode(buttons::kGradientTopToBottom); b.setGradientColor(0x112233); },
     [](const StyledButton& b) { EXPECT_EQ(b.HoverBackColor(), 0x112233); }, {}},
    {"ResetDefaultColors does nothing at run time",
     [](StyledButton& b) { b.setForeColor(0x111111); b.setResetDefaultColors(true); },
     [](const StyledButton& b) {
         EXPECT_EQ(b.ForeColor(), b.designing() ? kButtonTextColor : 0x111111);
         EXPECT_FALSE(b.ResetDefaultColors());
     }, {}},
};

class PropertyRefusals : public ::testing::TestWithParam<bool> {};

TEST_P(PropertyRefusals, EveryCaseKeepsItsRuleAndTellsOnlyADesigner)
{
    const bool designing = GetParam();
    for (const PropertyCase& c : kPropertyCases) {
        SCOPED_TRACE(c.name);
        RecordingContainer container;
        container.designing_ = designing;
        StyledButton* b = createStyledButton(&container, "cmdTest", {});
        QSignalSpy clicks(b, &StyledButton::Click);
        c.act(*b);
        c.expect(*b);
        EXPECT_EQ(clicks.count(), 0);
        const QStringList expected = designing && !c.designMessage.isEmpty() ? QStringList{c.designMessage}
                                                                            : QStringList{};
        EXPECT_EQ(container.messages, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(RunningAndDesigning, PropertyRefusals, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Designing" : "Running"; });

TEST(AccessKeys, TheLastSingleAmpersandMarksTheKeyAndUnmarkedCaptionsKeepTheOldOne)
{
    struct Case {
        const char* caption;
        QChar key;
    };
    const Case cases[] = {
        {"&Start", 'S'}, {"x&y&z", 'z'}, {"&a&&b", 'a'}, {"A&&B", 'Q'}, {"Plain", 'Q'}, {"End&", 'Q'}, {"&&&k", 'k'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        QWidget parent;
        StyledButton* b = createStyledButton(&parent, "cmdKey", {{"Caption", "&Quit"}});
        ASSERT_EQ(b->accessKey(), QChar('Q'));
        b->setCaption(c.caption);
        EXPECT_EQ(b->accessKey(), c.key);
        EXPECT_EQ(b->Caption(), c.caption);
    }
}

TEST(ButtonPainting, ABracketedBatchPaintsOnce)
{
    QWidget parent;
    StyledButton* b = createStyledButton(&parent, "cmdBatch", {});
    const quint64 before = b->redrawCount();
    b->DelayDrawing(true);
    b->setButtonStyle(buttons::kStyleWindowsXp);
    b->setForeColor(0x00FF00);
    b->setGradientMode(buttons::kGradientLeftToRight);
    b->setGradientColor(0x0000FF);
    EXPECT_EQ(b->redrawCount(), before);
    b->DelayDrawing(false);
    EXPECT_EQ(b->redrawCount(), before + 1);
}

TEST(ButtonPainting, SettersReportTheirKeysToTheContainer)
{
    RecordingContainer container;
    StyledButton* b = createStyledButton(&container, "cmdKeys", {});
    container.changed.clear();
    b->setButtonStyle(buttons::kStyleWindows95);
    b->setMode(buttons::kModeCheck);
    b->setValue(true);
    b->setForeColor(0x10);
    b->setPictureSize(3);
    EXPECT_EQ(container.changed, (QStringList{"BackStyle", "Mode", "Value", "cFHover", "cFore", "ImgSize"}));
}

TEST(ButtonPainting, DisplayAsDefaultFollowsTheWindowsDefaultButtonAndFocusRect)
{
    QWidget window;
    StyledButton* ok = createStyledButton(&window, "cmdOK", {});
    StyledButton* other = createStyledButton(&window, "cmdOther", {});
    ok->setDefault(true);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(ok->stateFlags() & StyledButton::kFlagDefault);
    other->setDefault(true);
    EXPECT_FALSE(ok->stateFlags() & StyledButton::kFlagDefault);
    EXPECT_TRUE(other->stateFlags() & StyledButton::kFlagDefault);
    other->setShowFocusRect(false);
    EXPECT_FALSE(other->stateFlags() & StyledButton::kFlagDefault);
}

}  // namespace
