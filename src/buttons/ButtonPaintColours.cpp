#include "buttons/ButtonPaint.h"

#include <algorithm>

namespace buttons {

using gdi::kGrey;
using gdi::kWhite;

Colour shadeColor(Colour c, int& shade, bool scaleBlue, bool avoidBlackWhite, bool invert)
{
    // The avoid flag flips the shade once only: a colour that is black or white
    // both ways would otherwise flip forever.
    for (bool flipped = false;; flipped = true) {
        const int s = shade;
        const int b0 = (c & 0xFF0000) >> 16;
        int parts[3] = {(c & 0xFF) + s, ((c & 0xFF00) >> 8) + s, scaleBlue ? b0 + (s * b0) / 192 : b0 + s};
        for (int& p : parts) {
            p = std::clamp(p, 0, 255);
            if (invert)
                p = 255 - p;
        }
        const Colour result = gdi::rgb(parts[0], parts[1], parts[2]);
        if (!avoidBlackWhite || flipped || (result != gdi::kBlack && result != kWhite))
            return result;
        shade = shade == 0 ? 64 : -shade;
    }
}

Colour shaded(Colour c, int shade, bool scaleBlue)
{
    return shadeColor(c, shade, scaleBlue, false, false);
}

DerivedColours deriveColours(const ButtonLook& look)
{
    DerivedColours d;
    d.face = d.shadow = look.resolve(look.backColor);
    d.hoverFace = look.resolve(look.hoverBackColor);
    switch (look.buttonStyle) {
    case kStyleWindowsXp:
        d.face = shaded(d.face, 48, true);
        d.hoverFace = shaded(d.hoverFace, 48, true);
        d.shadow = shaded(d.face, -32, true);
        d.latchedFace = shaded(kWhite, -32, true);
        break;
    case kStyleJava:
        d.shadow = shaded(kGrey, 12);
        d.latchedFace = shaded(d.shadow, 31);
        break;
    case kStyleXpMac:
        d.face = shaded(d.face, 31);
        d.hoverFace = shaded(d.hoverFace, 31);
        d.shadow = shaded(kGrey, -16);
        d.latchedFace = shaded(kGrey, 16, true);
        break;
    default:
        d.latchedFace = shaded(kWhite, -32);
        break;
    }
    return d;
}

}  // namespace buttons
