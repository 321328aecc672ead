#pragma once

// The numbers of the button's coded properties, as designs store them and windows
// set them. The values are the stored ones and must not change.
namespace buttons {

// ButtonStyle ("BackStyle"): the drawing style.
enum ButtonStyleCode : int {
    kStyleClassic = 0,
    kStyleWindows95 = 1,
    kStyleWindowsXp = 2,
    kStyleJava = 3,
    kStyleFlat = 4,
    kStyleHover = 5,
    kStyleNetscape = 6,
    kStyleXpMac = 7,
};

// ButtonShape: the outline of the button.
enum ButtonShapeCode : int {
    kShapeRectangle = 0,
    kShapeCutBottomLeft = 1,  // slanted left side
    kShapeCutTopRight = 2,    // slanted right side
    kShapeCutBoth = 3,        // a parallelogram
    kShapeEllipse = 4,
    kShapeEllipse5 = 5,
    kShapeEllipseHoverFrame = 6,  // an ellipse framed in black only while hovered or pushed
    kShapePictureFramed = 7,      // the picture's outline, framed in BackColor
    kShapePicture = 8,            // the picture's outline
};

// Mode: what a click does.
enum ButtonModeCode : int {
    kModeCommand = 0,
    kModeCheck = 1,
    kModeOption = 2,
};

// CaptionAlign ("CapAlign").
enum CaptionAlignCode : int {
    kCaptionLeft = 0,
    kCaptionRight = 1,
    kCaptionCentre = 2,
};

// CaptionStyle ("CapStyle"): plain, or a shaded copy behind the caption.
enum CaptionStyleCode : int {
    kCaptionPlain = 0,
    kCaptionShadowDark = 1,   // dark copy up-left, light copy down-right
    kCaptionShadowLight = 2,  // the other way round
};

// GradientMode ("Gradient"): which way the face runs from the back colour to
// GradientColor.
enum GradientModeCode : int {
    kGradientNone = 0,
    kGradientLeftToRight = 1,
    kGradientRightToLeft = 2,
    kGradientTopToBottom = 3,
    kGradientBottomToTop = 4,
};

// PictureAlign ("ImgAlign"): where the picture sits against the band or the caption.
enum PictureAlignCode : int {
    kPictureLeftEdge = 0,
    kPictureLeftOfCaption = 1,
    kPictureRightEdge = 2,
    kPictureRightOfCaption = 3,
    kPictureAbove = 4,
    kPictureBelow = 5,
};

// OLEDropMode: whether the button takes dropped data.
enum OleDropModeCode : int {
    kOleDropNone = 0,
    kOleDropManual = 1,  // drops are offered through OLEDragDrop and OLEDragOver
};

// HoverColorLocks ("LockHover"): which hover colour the button keeps as its own.
// An unlocked hover colour follows the back (or gradient) colour or the fore colour
// when those change; setting a hover colour of its own locks it.
enum HoverColorLockCode : int {
    kHoverLocksNone = 0,   // both hover colours follow
    kHoverLockBack = 1,    // the hover back colour is the button's own
    kHoverLockFore = 2,    // the hover fore colour is the button's own
    kHoverLocksBoth = 3,
};
constexpr bool hoverBackFollows(int locks) { return locks == kHoverLocksNone || locks == kHoverLockFore; }
constexpr bool hoverForeFollows(int locks) { return locks == kHoverLocksNone || locks == kHoverLockBack; }

// The slanted shapes, whose left or right side is cut.
constexpr bool slantsLeft(int shape) { return shape == kShapeCutBottomLeft || shape == kShapeCutBoth; }
constexpr bool slantsRight(int shape) { return shape == kShapeCutTopRight || shape == kShapeCutBoth; }
// Shapes 7 and 8 take their outline from the picture.
constexpr bool isPictureShape(int shape) { return shape == kShapePictureFramed || shape == kShapePicture; }
// Shapes 0 to 3 are drawn with border rings.
constexpr bool hasRings(int shape) { return shape <= kShapeCutBoth; }

}  // namespace buttons
