#pragma once

#include "core/ButtonCodes.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiColour.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace buttons {

using gdi::Colour;

// State flags of a button, as the behaviour code keeps them.
enum StateFlag : int {
    kFlagDefault = 1,  // drawn as the container's default button
    kFlagPressed = 2,  // left mouse button or Space held
    kFlagHover = 4,    // hover look
};

// Everything the drawing code reads from a button for one redraw or layout.
struct ButtonLook {
    QSize size;  // the client area in pixels
    int buttonStyle = kStyleClassic;
    int buttonShape = kShapeRectangle;
    int mode = kModeCommand;  // ButtonModeCode
    bool value = false;
    bool enabled = true;
    bool designing = false;
    int stateFlags = 0;
    bool hovering = false;  // the cursor is over the button
    bool held = false;      // the left button or Space is down on the button
    Colour backColor = gdi::kButtonFace;
    Colour foreColor = gdi::kButtonText;
    Colour hoverBackColor = gdi::kButtonFace;
    Colour hoverForeColor = gdi::kButtonText;
    Colour gradientColor = gdi::kButtonFace;
    int gradientMode = kGradientNone;
    int captionAlign = kCaptionCentre;
    int captionStyle = kCaptionPlain;
    int pictureAlign = 0;
    int pictureSize = 16;  // pixels: 16, 24, 32, 40 or 48
    int customClick = 0;
    bool showFocusRect = true;
    QString caption;
    QFont font;
    QImage picture;  // null when there is none
    bool pictureIsIcon = false;
    gdi::SystemColours systemColours;

    int width() const { return size.width(); }
    int height() const { return size.height(); }
    bool pushed() const { return (stateFlags & (kFlagPressed | kFlagHover)) == (kFlagPressed | kFlagHover); }
    bool isDefault() const { return stateFlags & kFlagDefault; }
    bool checkOrOption() const { return mode == kModeCheck || mode == kModeOption; }
    // Value True, or a check or option button being held.
    bool latched() const { return value || (checkOrOption() && held); }
    bool hasPicture() const { return !picture.isNull() && picture.width() + picture.height() > 0; }
    bool pictureShaped() const { return isPictureShape(buttonShape); }
    Colour resolve(Colour c) const { return systemColours.resolve(c); }
};

// The colours every painter starts from, derived from BackColor and HoverBackColor.
struct DerivedColours {
    Colour face = 0;
    Colour shadow = 0;
    Colour hoverFace = 0;
    Colour latchedFace = 0;
};

// One colour per ring segment; entry n (1-12) is ring A (inner) 1-4, ring B 5-8,
// ring C (outer) 9-12, each left, top, right, bottom. A negative entry is not drawn.
// Entry 12 also gives the colour of the outline frame of shaped buttons.
class EdgeColours {
public:
    EdgeColours() { entries_.fill(gdi::kNoColour); }
    Colour& operator[](int entry) { return entries_[size_t(entry - 1)]; }
    Colour operator[](int entry) const { return entries_[size_t(entry - 1)]; }
    // Sets left and top of a ring (0 A, 1 B, 2 C) to one colour, right and bottom to another.
    void setRing(int ring, Colour leftTop, Colour rightBottom);
    void setRing(int ring, Colour left, Colour top, Colour right, Colour bottom);

private:
    std::array<Colour, 12> entries_{};
};

enum Ring : int { kRingA = 0, kRingB = 1, kRingC = 2 };

// Result codes of a painter and of the shape clip.
enum PaintResult : int {
    kPaintNothing = 0,
    kPaintShow = 1,
    kPaintOuterClip = 3,  // clipped to the outer region; the outline may be framed
    kPaintRimDrawn = 4,   // rim drawn, clipped to the inner region
};

// Where the caption and the picture go, from the layout.
struct ButtonLayout {
    QRect caption;
    QRect picture;
    bool stretch = false;  // the picture is larger than 32 pixels and reserves no room
};

// The window outline of a shape and the two areas inside it.
struct ButtonRegions {
    QRegion window;  // the window mask
    QRegion outer;   // the rim, one pixel inside (empty: no clip)
    QRegion inner;   // the face, two pixels inside (empty: no clip)
    int leftCut = 0;
    int rightCut = 0;
};

// What the drawing code asks of the window it draws for.
class ButtonHost {
public:
    virtual ~ButtonHost() = default;
    virtual void moveBy(int dx, int dy) = 0;
    virtual void resizeTo(QSize size) = 0;
    virtual QSize screenSize() const = 0;
    virtual void setWindowRegion(const QRegion& region) = 0;
    // The finished picture reaches the window in one copy.
    virtual void showFrame(const QImage& frame) = 0;
};

// Shade arithmetic (also used by the behaviour code through UpdateProperty).
// The shade is changed in place when the avoid-black-and-white flag flips it.
Colour shadeColor(Colour c, int& shade, bool scaleBlue, bool avoidBlackWhite, bool invert);
Colour shaded(Colour c, int shade, bool scaleBlue = false);
DerivedColours deriveColours(const ButtonLook& look);

// The band colours of a gradient of n bands.
std::vector<Colour> gradientColors(Colour start, Colour end, int n);
// A gradient over the whole surface: modes 1 and 2 along the width, 3 and 4 along
// the height; modes 2 and 4 start at the right or bottom edge.
void drawGradient(gdi::Surface& surface, Colour start, Colour end, int mode, QSize screen);

// The caption as it is drawn and measured: every "||" becomes a line break.
QString captionLines(const QString& caption);
ButtonLayout calculateLayout(const ButtonLook& look, int leftCut, int rightCut);
// The same with the caption shaped in the given block (set to the look's caption),
// which keeps the shaping for the redraws that follow.
ButtonLayout calculateLayout(const ButtonLook& look, int leftCut, int rightCut, gdi::TextBlock& caption);

// The size a shape needs (slanted shapes widen narrow buttons, picture shapes take
// the picture's proportions) and the regions for that size.
QSize regionSize(const ButtonLook& look);
ButtonRegions buildRegions(const ButtonLook& look);
// Cuts the picture's transparent pixels (within 3 of its top-left colour) from the
// window, outer and inner regions of a picture drawn at the given size.
ButtonRegions regionFromPicture(const QImage& picture, QSize size);

// The drawing state of one button: the off-screen buffer, the regions and the
// layout, and the jump of CustomClick.
class ButtonPainter {
public:
    explicit ButtonPainter(ButtonHost& host);

    // A fresh buffer of the given size (black, as a new bitmap is).
    void createBuffer(QSize size);
    // One full redraw; returns the painter's result code (0: nothing was shown).
    int redraw(const ButtonLook& look);
    // Rebuilds the window region (may resize the window through the host).
    void createRegion(ButtonLook& look);
    void calculateLayout(const ButtonLook& look);

    bool buildingRegion() const { return buildingRegion_; }
    bool moved() const { return moved_; }
    const gdi::Surface& buffer() const { return buffer_; }
    const ButtonRegions& regions() const { return regions_; }
    const ButtonLayout& layout() const { return layout_; }

private:
    friend class ButtonCanvas;
    void frameOutline(gdi::Surface& window, const ButtonLook& look, const DerivedColours& colours,
                      Colour frame) const;

    // What a shape with rings was last cut for; the same again keeps its regions.
    struct RingCut {
        QSize size;
        int shape = 0;
        int style = 0;
        bool enabled = true;
        friend bool operator==(const RingCut&, const RingCut&) = default;
    };

    ButtonHost& host_;
    gdi::Surface buffer_;
    ButtonRegions regions_;
    std::optional<RingCut> regionsCutFor_;
    ButtonLayout layout_;
    // The caption, shaped once for its measuring and all its drawing.
    gdi::TextBlock caption_;
    bool moved_ = false;
    QPoint movedBy_;
    bool buildingRegion_ = false;
};

}  // namespace buttons
