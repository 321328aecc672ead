#include "buttons/ButtonStyles.h"

#include <algorithm>

namespace buttons {

using gdi::kGrey;
using gdi::kWhite;

namespace {

// Ring C alone, raised (state 1) or sunken (state 2).
void flatRing(EdgeColours& edges, int state)
{
    edges.setRing(kRingC, state == kEdgePushed ? kGrey : kWhite, state == kEdgePushed ? kWhite : kGrey);
}

}  // namespace

int drawStyle4(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    return paintWithRings(canvas, edges,
                          [&](int faceState) { flatRing(edges, look.latched() ? kEdgePushed : std::max<int>(faceState, kEdgeDefault)); });
}

int drawStyle5(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    FaceResult face;
    if (!skeleton::faceAndCaption(canvas, face))
        return kPaintNothing;
    const Colour faceColour = skeleton::faceColour(canvas);
    if (hasRings(look.buttonShape)) {
        if (look.hovering || look.pushed() || look.latched()) {
            flatRing(edges, look.latched() || look.pushed() ? 2 : 1);
        } else if (look.designing) {
            // A designer still sees where the button is.
            Colour c = shaded(faceColour, -64);
            if (c == gdi::kBlack)
                c = kWhite;
            edges.setRing(kRingC, c, c);
        }
        canvas.drawEdges(edges);
    } else if (look.buttonShape <= kShapeEllipseHoverFrame) {
        // Picture shapes take their outline from the frame rule instead; an ellipse
        // would cut across the picture.
        canvas.surface().removeClip();
        canvas.surface().ellipseOutline(0, 0, canvas.width() - 1, canvas.height() - 1, shaded(faceColour, -32));
        canvas.selectClip(canvas.regions().outer);
    }
    return skeleton::outlineAndFocus(canvas, edges, face.clip, gdi::kBlack);
}

int drawStyle6(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    return paintWithRings(canvas, edges, [&](int) {
        const Colour light = shaded(0xDFDFDF, 8);
        const bool down = look.pushed() || look.latched();
        edges.setRing(kRingB, down ? kGrey : light, down ? light : kGrey);
        edges.setRing(kRingC, down ? kGrey : light, down ? light : kGrey);
    });
}

}  // namespace buttons
