#include "ButtonTestSupport.h"
#include "core/ButtonCodes.h"

#include <QPalette>

namespace {

TEST(PropertyBag, NamesAreMatchedWithoutCaseAndKeptInLowerCaseInWritingOrder)
{
    PropertyBag bag;
    bag.write("CapAlign", 1, 2);
    bag.write("cBhover", 0x123, 0);
    bag.write("Mode", 0);
    bag.write("Shape", 0, 0);
    EXPECT_EQ(bag.keys(), (QStringList{"capalign", "cbhover", "mode"}));
    EXPECT_EQ(bag.read("CAPALIGN", 2).toInt(), 1);
    EXPECT_EQ(bag.read("cBHover", 0).toInt(), 0x123);
    EXPECT_EQ(bag.read("Shape", 5).toInt(), 5);
    bag.write("capalign", 2, 2);
    EXPECT_FALSE(bag.contains("CapAlign"));
}

TEST(StoredDesign, AnUntouchedButtonStoresOnlyTheAlwaysWrittenKeys)
{
    QWidget window;
    StyledButton* b = createStyledButton(&window, "cmdPlain", {});
    EXPECT_EQ(b->writeProperties().keys(), (QStringList{"font", "mode", "value", "cback"}));
}

PropertyBag fullDesign()
{
    QFont font("DejaVu Sans", 11);
    font.setBold(true);
    return PropertyBag{
        {"mPointer", 99},
        {"mIcon", QVariant::fromValue(testIcon())},
        {"Caption", "&Save||now"},
        {"CapAlign", 0},
        {"BackStyle", 2},
        {"Shape", 3},
        {"Gradient", 1},
        {"cGradient", 0x00FF8800},
        {"cFore", 0x000000FF},
        {"Font", font},
        {"Focus", false},
        {"Mode", 1},
        {"Value", true},
        {"CustomClick", 4},
        {"Image", QVariant::fromValue(testBitmap())},
        {"ImgSize", 32},
        {"ImgAlign", 3},
        {"cFHover", 0x00FF0000},
        {"Enabled", false},
        {"cBack", 0x00C0C0C0},
        {"cBHover", 0x00808080},
        {"LockHover", 3},
        {"CapStyle", 1},
    };
}

TEST(StoredDesign, EveryPropertyIsWrittenInItsOrderAndReadsBackTheSame)
{
    QWidget window;
    StyledButton* b = createStyledButton(&window, "chkAll", fullDesign());
    const PropertyBag stored = b->writeProperties();
    EXPECT_EQ(stored.keys(), (QStringList{"caption", "capalign", "backstyle", "shape", "font", "cfore", "cfhover",
                                          "cbhover", "focus", "lockhover", "cgradient", "gradient", "capstyle",
                                          "mode", "value", "customclick", "imgalign", "image", "imgsize",
                                          "enabled", "cback", "mpointer", "micon"}));
    EXPECT_EQ(b->Caption(), "&Save||now");
    EXPECT_EQ(b->accessKey(), QChar('S'));
    EXPECT_EQ(b->CaptionAlign(), buttons::kCaptionLeft);
    EXPECT_EQ(b->ButtonStyle(), buttons::kStyleWindowsXp);
    EXPECT_EQ(b->ButtonShape(), buttons::kShapeCutBoth);
    EXPECT_EQ(b->GradientMode(), buttons::kGradientLeftToRight);
    EXPECT_EQ(b->GradientColor(), 0x00FF8800);
    EXPECT_EQ(b->ForeColor(), 0x000000FF);
    EXPECT_TRUE(b->Font().bold());
    EXPECT_FALSE(b->ShowFocusRect());
    EXPECT_EQ(b->Mode(), buttons::kModeCheck);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(b->CustomClick(), 4);
    EXPECT_EQ(b->PictureSize(), 2);
    EXPECT_EQ(b->pictureWidth(), 24);
    EXPECT_EQ(b->PictureAlign(), buttons::kPictureRightOfCaption);
    EXPECT_EQ(b->HoverForeColor(), 0x00FF0000);
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(b->BackColor(), 0x00C0C0C0);
    EXPECT_EQ(b->HoverBackColor(), 0x00808080);
    EXPECT_EQ(b->HoverColorLocks(), buttons::kHoverLocksBoth);
    EXPECT_EQ(b->CaptionStyle(), 1);
    EXPECT_EQ(b->MousePointer(), 99);
    EXPECT_FALSE(b->drawingDelayed());

    StyledButton* again = createStyledButton(&window, "chkAgain", stored);
    EXPECT_EQ(again->writeProperties(), stored);
}

TEST(StoredDesign, SystemColoursSurviveTheRoundTrip)
{
    QWidget window;
    StyledButton* b = createStyledButton(&window, "cmdSys", {{"cFore", int(0x80000008)}, {"cBack", int(0x80000005)}});
    EXPECT_EQ(b->ForeColor(), int32_t(0x80000008));
    EXPECT_EQ(b->BackColor(), int32_t(0x80000005));
    EXPECT_EQ(b->HoverBackColor(), int32_t(0x80000005));
    StyledButton* again = createStyledButton(&window, "cmdSys2", b->writeProperties());
    EXPECT_EQ(again->ForeColor(), int32_t(0x80000008));
    EXPECT_EQ(again->writeProperties(), b->writeProperties());
}

TEST(StoredDesign, HoverBackColourStoredUnderTheOtherSpellingIsReadBack)
{
    QWidget window;
    StyledButton* b = createStyledButton(&window, "cmdHover", {{"cBhover", 0x00345678}});
    EXPECT_EQ(b->HoverBackColor(), 0x00345678);
    EXPECT_TRUE(b->writeProperties().contains("cBHover"));
}

TEST(StoredDesign, MissingKeysTakeTheContainersFontAndBackColour)
{
    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0x10, 0x20, 0x30));
    window.setPalette(palette);
    window.setFont(QFont("DejaVu Sans", 13));
    StyledButton* b = createStyledButton(&window, "cmdAmbient", {});
    EXPECT_EQ(b->BackColor(), 0x00302010);
    EXPECT_EQ(b->HoverBackColor(), 0x00302010);
    EXPECT_EQ(b->containerBackColor(), 0x00302010);
    EXPECT_EQ(b->Font().pointSize(), 13);

    QWidget plain;
    EXPECT_EQ(createStyledButton(&plain, "cmdFace", {})->BackColor(), kButtonFaceColor);
}

TEST(StoredDesign, UnfittingStoredValuesNeverReachTheButton)
{
    struct Case {
        const char* name;
        PropertyBag design;
        std::function<void(const StyledButton&)> expect;
    };
    const Case cases[] = {
        {"style 9", {{"BackStyle", 9}}, [](const StyledButton& b) { EXPECT_EQ(b.ButtonStyle(), buttons::kStyleClassic); }},
        {"style -1", {{"BackStyle", -1}}, [](const StyledButton& b) { EXPECT_EQ(b.ButtonStyle(), buttons::kStyleClassic); }},
        {"Value True in mode 0", {{"Mode", 0}, {"Value", true}},
         [](const StyledButton& b) { EXPECT_FALSE(b.Value()); }},
        {"mode 3", {{"Mode", 3}}, [](const StyledButton& b) { EXPECT_EQ(b.Mode(), buttons::kModeCommand); }},
        {"picture size 20 pixels", {{"ImgSize", 20}},
         [](const StyledButton& b) { EXPECT_EQ(b.pictureSizePixels(), 16); }},
        {"picture size 56 pixels", {{"ImgSize", 56}},
         [](const StyledButton& b) { EXPECT_EQ(b.pictureSizePixels(), 16); }},
        {"caption alignment 5", {{"CapAlign", 5}}, [](const StyledButton& b) { EXPECT_EQ(b.CaptionAlign(), buttons::kCaptionCentre); }},
        {"shape 9", {{"Shape", 9}}, [](const StyledButton& b) { EXPECT_EQ(b.ButtonShape(), buttons::kShapeRectangle); }},
        {"shape 7 without a picture", {{"Shape", 7}}, [](const StyledButton& b) { EXPECT_EQ(b.ButtonShape(), buttons::kShapeRectangle); }},
        {"gradient 5", {{"Gradient", 5}}, [](const StyledButton& b) { EXPECT_EQ(b.GradientMode(), buttons::kGradientNone); }},
        {"caption style 3", {{"CapStyle", 3}}, [](const StyledButton& b) { EXPECT_EQ(b.CaptionStyle(), 0); }},
        {"picture alignment 6", {{"ImgAlign", 6}}, [](const StyledButton& b) { EXPECT_EQ(b.PictureAlign(), buttons::kPictureLeftEdge); }},
        {"custom click 9", {{"CustomClick", 9}}, [](const StyledButton& b) { EXPECT_EQ(b.CustomClick(), 0); }},
        {"a number that is no number", {{"BackStyle", "Java"}},
         [](const StyledButton& b) { EXPECT_EQ(b.ButtonStyle(), buttons::kStyleClassic); }},
        {"caption alignment 0 is kept", {{"CapAlign", 0}},
         [](const StyledButton& b) { EXPECT_EQ(b.CaptionAlign(), buttons::kCaptionLeft); }},
        {"a bitmap shape is kept", {{"Shape", 8}, {"Image", QVariant::fromValue(testBitmap())}, {"ImgSize", 48}},
         [](const StyledButton& b) { EXPECT_EQ(b.ButtonShape(), buttons::kShapePicture); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        c.expect(*createStyledButton(&window, "cmdStored", c.design));
    }
}

}  // namespace
