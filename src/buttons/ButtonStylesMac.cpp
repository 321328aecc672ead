#include "buttons/ButtonStyles.h"

namespace buttons {

using gdi::kWhite;

namespace {

struct MacPalette {
    Colour highlight;  // face +31
    Colour shade;      // face -32
    Colour dark;       // face -64
    Colour mid;        // grey, or the face with a gradient
    Colour outline;    // grey -16
};

Colour macFace(const ButtonCanvas& canvas)
{
    const ButtonLook& look = canvas.look();
    const DerivedColours& c = canvas.colours();
    if (look.latched())
        return c.latchedFace;
    return look.pushed() ? c.shadow : c.face;
}

Colour macCaption(const ButtonLook& look)
{
    if (look.pushed())
        return kWhite;
    return look.resolve(look.hovering ? look.hoverForeColor : look.foreColor);
}

void macEdges(EdgeColours& e, int state, const MacPalette& p)
{
    if (state == kEdgePushed) {
        e.setRing(kRingA, p.shade, p.dark, p.highlight, p.highlight);
        e.setRing(kRingB, p.dark, p.dark, kWhite, kWhite);
        e.setRing(kRingC, p.outline, p.outline);
        return;
    }
    e.setRing(kRingA, p.highlight, kWhite, p.shade, p.shade);
    e.setRing(kRingB, kWhite, kWhite, p.shade, p.dark);
    if (state == kEdgeDefault)
        e.setRing(kRingC, p.outline, p.outline);
    else
        e.setRing(kRingC, p.mid, p.mid, p.outline, p.outline);
}

// Ten pixels round the cut corners: the corner of ring B takes the outline colour
// and its neighbours the mid colour.
void macCorners(ButtonCanvas& canvas, const EdgeColours& e, Colour mid)
{
    const int shape = canvas.look().buttonShape;
    const int w = canvas.width(), h = canvas.height();
    gdi::Surface& s = canvas.surface();
    if (!slantsLeft(shape)) {
        s.setPixel(1, 1, e[10]);
        s.setPixel(2, 1, mid);
        s.setPixel(1, 2, mid);
        s.setPixel(1, h - 2, e[9]);
        s.setPixel(1, h - 3, mid);
    }
    if (!slantsRight(shape)) {
        s.setPixel(w - 2, 1, e[11]);
        s.setPixel(w - 3, 1, mid);
        s.setPixel(w - 2, 2, mid);
        s.setPixel(w - 2, h - 2, e[12]);
        s.setPixel(w - 2, h - 3, mid);
    }
}

}  // namespace

int drawStyle7(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    const Colour face = macFace(canvas);
    FaceResult result;
    if (!skeleton::face(canvas, face, canvas.resolve(look.gradientColor), result))
        return kPaintNothing;
    canvas.drawCaptionAndPicture(face, skeleton::disabledText(look), look.value, look.checkOrOption(),
                                 macCaption(look));
    if (hasRings(look.buttonShape)) {
        const MacPalette p{shaded(face, 31), shaded(face, -32), shaded(face, -64),
                           look.gradientMode != kGradientNone ? face : gdi::kGrey, shaded(gdi::kGrey, -16)};
        macEdges(edges, look.latched() ? kEdgePushed : result.state, p);
        canvas.drawEdges(edges);
        macCorners(canvas, edges, p.mid);
    }
    return skeleton::outlineAndFocus(canvas, edges, result.clip, gdi::kBlack);
}

}  // namespace buttons
