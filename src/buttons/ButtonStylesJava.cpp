#include "buttons/ButtonStyles.h"

#include <algorithm>

namespace buttons {

namespace {

constexpr Colour kJavaFocus = 0xCC9999;

Colour javaFace(const ButtonCanvas& canvas)
{
    const ButtonLook& look = canvas.look();
    const DerivedColours& c = canvas.colours();
    if (look.checkOrOption())
        return look.value ? c.latchedFace : c.face;
    return look.pushed() ? c.shadow : c.face;
}

int javaEdgeState(const ButtonLook& look, int faceState)
{
    if (look.checkOrOption())
        return look.latched() || look.held ? kEdgePushed : kEdgeFourth;
    return std::max<int>(faceState, kEdgeDefault);
}

}  // namespace

int drawStyle3(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    const Colour face = javaFace(canvas);
    FaceResult result;
    if (!skeleton::face(canvas, face, canvas.resolve(look.gradientColor), result))
        return kPaintNothing;
    // The caption keeps its place when pressed.
    canvas.drawCaptionAndPicture(face, shaded(gdi::kGrey, -16), false, true);
    if (hasRings(look.buttonShape)) {
        const Colour dark = shaded(gdi::kGrey, -26);
        if (look.enabled || look.checkOrOption()) {
            const int state = javaEdgeState(look, result.state);
            edges.setRing(kRingB, state == kEdgePushed ? face : gdi::kWhite, dark);
            edges.setRing(kRingC, dark, gdi::kWhite);
        } else {
            edges.setRing(kRingA, face, face);
            edges.setRing(kRingB, face, face);
            edges.setRing(kRingC, dark, dark);
        }
        canvas.drawEdges(edges);
    }
    return skeleton::outlineAndFocus(canvas, edges, result.clip, kJavaFocus);
}

}  // namespace buttons
