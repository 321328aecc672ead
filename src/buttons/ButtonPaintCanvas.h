#pragma once

#include "buttons/ButtonPaint.h"

namespace buttons {

// The edge states a painter draws its rings in. DrawFace gives the first three; a
// painter may add its own fourth (latched in the classic look, hover in XP).
enum EdgeState : int {
    kEdgeNormal = 0,
    kEdgeDefault = 1,  // the container's default button
    kEdgePushed = 2,
    kEdgeFourth = 3,
};

// What DrawFace tells the painter.
struct FaceResult {
    int clip = kPaintNothing;  // the result of the shape clip
    int state = kEdgeNormal;   // kEdgeNormal, kEdgeDefault or kEdgePushed
    bool goOn = false;         // false: the painter stops and shows nothing
};

// The drawing primitives of one redraw: a painter draws its look with these into
// the button's buffer.
class ButtonCanvas {
public:
    ButtonCanvas(const ButtonLook& look, ButtonPainter& painter);

    const ButtonLook& look() const { return look_; }
    const DerivedColours& colours() const { return colours_; }
    gdi::Surface& surface() { return painter_.buffer_; }
    const ButtonRegions& regions() const { return painter_.regions_; }
    int width() const { return look_.width(); }
    int height() const { return look_.height(); }
    Colour resolve(Colour c) const { return look_.resolve(c); }

    FaceResult drawFace(Colour face, Colour gradient, Colour hover);
    int clipToShape();
    void drawGradient(Colour start, Colour end, int mode);
    // painterText: the caption colour style 7 passes (kNoColour for the others).
    void drawCaptionAndPicture(Colour shadeBase, Colour disabledText, bool offset, bool noEmboss,
                               Colour painterText = gdi::kNoColour);
    void drawPicture(const QRect& rect);
    void drawEdges(const EdgeColours& colours);
    void drawFocusEdges(Colour focus, bool polyline);
    // Moves the window for CustomClick; true when it just moved (the redraw stops).
    bool customClickOffset();

    // Clip to a region of the shape; an empty region removes the clip.
    void selectClip(const QRegion& region);

private:
    void drawCaption(const QRect& rect, Colour shadeBase, Colour disabledText, bool noEmboss,
                     Colour painterText);
    void drawCaptionText(const QRect& rect, int dx, int dy, Colour colour);

    const ButtonLook& look_;
    ButtonPainter& painter_;
    DerivedColours colours_;
};

// The eight painters; each fills the edge colours and returns its result code.
int drawStyle0(ButtonCanvas& canvas, EdgeColours& edges);
int drawStyle1(ButtonCanvas& canvas, EdgeColours& edges);
int drawStyle2(ButtonCanvas& canvas, EdgeColours& edges);
int drawStyle3(ButtonCanvas& canvas, EdgeColours& edges);
int drawStyle4(ButtonCanvas& canvas, EdgeColours& edges);
int drawStyle5(ButtonCanvas& canvas, EdgeColours& edges);
int drawStyle6(ButtonCanvas& canvas, EdgeColours& edges);
int drawStyle7(ButtonCanvas& canvas, EdgeColours& edges);
int drawStyle(int style, ButtonCanvas& canvas, EdgeColours& edges);

}  // namespace buttons
