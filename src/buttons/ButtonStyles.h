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
// The face, then the caption and picture; false when the painter must stop.
bool faceAndCaption(ButtonCanvas& canvas, Colour face, Colour gradient, FaceResult& result);
// The outline rule of shaped buttons and the focus mark; returns the result code.
int outlineAndFocus(ButtonCanvas& canvas, EdgeColours& edges, int clip, Colour focus);

}  // namespace skeleton

}  // namespace buttons
