#include "buttons/ButtonStyles.h"

namespace buttons {

namespace skeleton {

Colour faceColour(const ButtonCanvas& canvas)
{
    const ButtonLook& look = canvas.look();
    return look.checkOrOption() && look.value ? canvas.colours().latchedFace : canvas.colours().face;
}

Colour disabledText(const ButtonLook& look)
{
    return look.mode == kModeCommand || look.enabled ? gdi::kNoColour : gdi::kGrey;
}

bool face(ButtonCanvas& canvas, Colour face, Colour gradient, FaceResult& result)
{
    result = canvas.drawFace(face, gradient, canvas.colours().hoverFace);
    return result.goOn;
}

bool faceAndCaption(ButtonCanvas& canvas, Colour faceColour, Colour gradient, FaceResult& result)
{
    const ButtonLook& look = canvas.look();
    if (!face(canvas, faceColour, gradient, result))
        return false;
    canvas.drawCaptionAndPicture(faceColour, disabledText(look), look.value, look.checkOrOption());
    return true;
}

bool faceAndCaption(ButtonCanvas& canvas, FaceResult& result)
{
    return faceAndCaption(canvas, faceColour(canvas), canvas.resolve(canvas.look().gradientColor), result);
}

int outlineAndFocus(ButtonCanvas& canvas, EdgeColours& edges, int clip, Colour focus)
{
    const ButtonLook& look = canvas.look();
    const int shape = look.buttonShape;
    int result = kPaintShow;
    const bool framed =
        (shape == kShapeEllipseHoverFrame && (look.hovering || look.pushed())) || shape >= kShapePictureFramed;
    // In the hover and XP/Mac looks a latched picture button of shape 7 shows its
    // sunken rim instead of an outline.
    const bool rimInstead = shape == kShapePictureFramed && look.value
                            && (look.buttonStyle == kStyleHover || look.buttonStyle == kStyleXpMac);
    if (framed && !rimInstead) {
        edges[12] = gdi::kBlack;
        result = clip;
    }
    canvas.drawFocusEdges(focus, look.buttonStyle == kStyleJava);
    return result;
}

}  // namespace skeleton

int drawStyle(int style, ButtonCanvas& canvas, EdgeColours& edges)
{
    using Painter = int (*)(ButtonCanvas&, EdgeColours&);
    static constexpr Painter kPainters[8] = {drawStyle0, drawStyle1, drawStyle2, drawStyle3,
                                             drawStyle4, drawStyle5, drawStyle6, drawStyle7};
    if (style < kStyleClassic || style > kStyleXpMac)
        return kPaintNothing;
    return kPainters[style](canvas, edges);
}

}  // namespace buttons
