#pragma once

#include "buttons/ButtonPaintCanvas.h"

namespace buttons {

constexpr Colour kLight = gdi::rgb(233, 233, 233);

// The steps every painter shares.
namespace skeleton {

// The latched face colour for a check or option button that is on, else the face.
Colour faceColour(const ButtonCanvas& canvas);
// -1 (embossed) for command buttons and enabled buttons, grey for disabled check
// and option buttons.
Colour disabledText(const ButtonLook& look);
// DrawFace with the hover face colour; false when the painter must stop.
bool face(ButtonCanvas& canvas, Colour face, Colour gradient, FaceResult& result);
// The face, then the caption and picture; false when the painter must stop.
bool faceAndCaption(ButtonCanvas& canvas, Colour face, Colour gradient, FaceResult& result);
// The same with the skeleton's face colour and the button's gradient colour.
bool faceAndCaption(ButtonCanvas& canvas, FaceResult& result);
// The outline rule of shaped buttons and the focus mark; returns the result code.
int outlineAndFocus(ButtonCanvas& canvas, EdgeColours& edges, int clip, Colour focus);

}  // namespace skeleton

// The whole of a painter whose only own part is its rings: the skeleton's face and
// caption, rings from ringsFor(state of DrawFace) for shapes 0 to 3, outline and focus.
template <typename Rings>
int paintWithRings(ButtonCanvas& canvas, EdgeColours& edges, Rings ringsFor)
{
    FaceResult face;
    if (!skeleton::faceAndCaption(canvas, face))
        return kPaintNothing;
    if (hasRings(canvas.look().buttonShape)) {
        ringsFor(face.state);
        canvas.drawEdges(edges);
    }
    return skeleton::outlineAndFocus(canvas, edges, face.clip, gdi::kBlack);
}

}  // namespace buttons
