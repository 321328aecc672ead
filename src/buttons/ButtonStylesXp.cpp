#include "buttons/ButtonStyles.h"

namespace buttons {

namespace {

// Per segment of rings A and B (left, top, right, bottom): the shade of the face in
// the normal look, the fixed default colour, the shade when pushed, the hover colour.
struct XpSegment {
    int normalShade;
    Colour defaultColour;
    int pushedShade;
    Colour hoverColour;
};

constexpr XpSegment kRingASegments[4] = {
    {-10, 0xF0D1B5, -22, 0x6BCBFF},
    {10, 0xF7D7BD, -24, 0x8CDBFF},
    {-24, 0xF0D1B5, -24, 0x6BCBFF},
    {-32, 0xE7AE8C, 10, 0x31B2FF},
};
constexpr XpSegment kRingBSegments[4] = {
    {-5, 0xE7AE8C, -32, 0x31B2FF},
    {16, 0xFFDFBF, -32, 0xA6E9FF},
    {-36, 0xE7AE8C, 5, 0x31B2FF},
    {-48, 0xEF826B, 16, 0x0096E7},
};
constexpr Colour kXpOutline = 0x733C00;
constexpr Colour kXpDefaultFrame = 0xEF826B;
constexpr Colour kXpHoverFrame = 0x0096E7;

Colour xpFace(const ButtonCanvas& canvas)
{
    const ButtonLook& look = canvas.look();
    const DerivedColours& c = canvas.colours();
    if (look.checkOrOption())
        return look.value ? c.latchedFace : c.face;
    if (!look.enabled)
        return shaded(c.face, -24, true);
    if (look.pushed() && look.gradientMode == kGradientNone)
        return c.shadow;
    return c.face;
}

int xpEdgeState(const ButtonLook& look, int faceState)
{
    int state = faceState;
    if ((look.stateFlags & kFlagHover) && !(look.stateFlags & kFlagPressed))
        state = kEdgeFourth;  // hover
    if (look.latched())
        state = look.isDefault() ? kEdgeDefault : kEdgePushed;
    if (state == kEdgeDefault && !look.showFocusRect)
        state = kEdgeNormal;
    return state;
}

Colour xpSegment(const XpSegment& s, int state, Colour face)
{
    switch (state) {
    case kEdgeDefault:
        return s.defaultColour;
    case kEdgePushed:
        return shaded(face, s.pushedShade, true);
    case kEdgeFourth:
        return s.hoverColour;
    default:
        return shaded(face, s.normalShade, true);
    }
}

void xpCorners(ButtonCanvas& canvas, Colour outline)
{
    const int shape = canvas.look().buttonShape;
    const int w = canvas.width(), h = canvas.height();
    gdi::Surface& s = canvas.surface();
    if (!slantsLeft(shape)) {
        s.setPixel(1, 1, outline);
        s.setPixel(1, h - 2, outline);
    }
    if (!slantsRight(shape)) {
        s.setPixel(w - 2, 1, outline);
        s.setPixel(w - 2, h - 2, outline);
    }
}

// The frame of the elliptic and picture shapes.
Colour xpOutlineFrame(const ButtonLook& look, Colour disabledOutline)
{
    if (!look.enabled)
        return disabledOutline;
    if (look.hovering)
        return kXpHoverFrame;
    return look.isDefault() ? kXpDefaultFrame : gdi::kNoColour;
}

}  // namespace

int drawStyle2(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    const Colour face = xpFace(canvas);
    const Colour gradientEnd = shaded(canvas.resolve(look.gradientColor), 48, true);
    FaceResult result;
    if (!skeleton::faceAndCaption(canvas, face, gradientEnd, result))
        return kPaintNothing;
    const Colour disabledOutline = shaded(face, -84, true);
    if (hasRings(look.buttonShape)) {
        if (look.enabled) {
            const int state = xpEdgeState(look, result.state);
            for (int i = 0; i < 4; ++i) {
                edges[1 + i] = xpSegment(kRingASegments[i], state, face);
                edges[5 + i] = xpSegment(kRingBSegments[i], state, face);
            }
        }
        const Colour outline = look.enabled ? kXpOutline : disabledOutline;
        edges.setRing(kRingC, outline, outline);
        canvas.drawEdges(edges);
        xpCorners(canvas, outline);
        canvas.drawFocusEdges(gdi::kBlack, false);
        return kPaintShow;
    }
    edges[12] = xpOutlineFrame(look, disabledOutline);
    return edges[12] < 0 ? int(kPaintShow) : result.clip;
}

}  // namespace buttons
