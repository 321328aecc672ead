#include "buttons/ButtonPaintCanvas.h"

#include <cmath>

namespace buttons {

using gdi::kBlack;
using gdi::kGrey;
using gdi::kWhite;

ButtonCanvas::ButtonCanvas(const ButtonLook& look, ButtonPainter& painter)
    : look_(look), painter_(painter), colours_(deriveColours(look))
{
}

void ButtonCanvas::selectClip(const QRegion& region)
{
    if (region.isEmpty())
        surface().removeClip();
    else
        surface().setClip(region);
}

void ButtonCanvas::drawGradient(Colour start, Colour end, int mode)
{
    buttons::drawGradient(surface(), start, end, mode, painter_.host_.screenSize());
}

bool ButtonCanvas::customClickOffset()
{
    static constexpr int kSteps[9][2] = {{0, 0},  {0, -1}, {1, -1}, {-1, -1}, {1, 1},
                                         {-1, 1}, {1, 0},  {0, 1},  {-1, 0}};
    if (look_.mode != kModeCommand || look_.customClick < 1 || look_.customClick > 8)
        return false;
    if (look_.pushed() && !painter_.moved_) {
        const QPoint step(kSteps[look_.customClick][0], kSteps[look_.customClick][1]);
        painter_.host_.moveBy(step.x(), step.y());
        painter_.moved_ = true;
        painter_.movedBy_ = step;
        painter_.host_.showFrame(surface().copyImage());
        return true;
    }
    if (!look_.pushed() && painter_.moved_) {
        painter_.host_.moveBy(-painter_.movedBy_.x(), -painter_.movedBy_.y());
        painter_.moved_ = false;
    }
    return false;
}

int ButtonCanvas::clipToShape()
{
    if (customClickOffset())
        return kPaintNothing;
    const int shape = look_.buttonShape;
    const bool pushed = look_.pushed();
    const bool shape6or7 = shape == kShapeEllipseHoverFrame || shape == kShapePictureFramed;
    const bool style5 = look_.buttonStyle == kStyleHover;
    if (!look_.hovering && !pushed && !look_.value && style5) {
        surface().removeClip();
        return kPaintShow;
    }
    surface().removeClip();
    if (style5 && !(!look_.value && shape6or7)) {
        drawGradient(kWhite, kGrey, kGradientTopToBottom);
        selectClip(regions().inner);
        return kPaintRimDrawn;
    }
    if ((pushed || look_.value) && !shape6or7) {
        selectClip(regions().outer);
        drawGradient(kGrey, kWhite, kGradientTopToBottom);
        selectClip(regions().inner);
        return kPaintRimDrawn;
    }
    if (!shape6or7) {
        selectClip(regions().outer);
        return kPaintOuterClip;
    }
    if (shape == kShapeEllipseHoverFrame && !look_.hovering)
        return kPaintShow;
    surface().frameRegion(regions().window, shape == kShapePictureFramed ? resolve(look_.backColor) : kBlack);
    selectClip(regions().outer);
    return kPaintOuterClip;
}

FaceResult ButtonCanvas::drawFace(Colour face, Colour gradient, Colour hover)
{
    FaceResult r;
    r.clip = clipToShape();
    if (r.clip == kPaintNothing)
        return r;
    r.goOn = true;
    const bool pushed = look_.pushed();
    r.state = pushed ? kEdgePushed : (look_.isDefault() ? kEdgeDefault : kEdgeNormal);
    if (hover < 0)
        hover = face;
    const bool hoverFill =
        look_.hovering && ((look_.mode == kModeCommand && !pushed) || (look_.checkOrOption() && !look_.value));
    const Colour fill = hoverFill ? hover : face;

    if (look_.gradientMode == kGradientNone || look_.pictureShaped() || look_.value) {
        if (look_.buttonStyle != kStyleWindowsXp || (!look_.enabled && look_.mode == kModeCommand)) {
            surface().fillAll(fill);
            return r;
        }
        const int h = height();
        for (int i = 0; i <= h; ++i) {
            // A button of no height has no rows to darken.
            const int shade = h > 0 ? int(std::lrint(-(25.0 / h) * i)) : 0;
            surface().fillRect(0, i, width(), i + 1, shaded(fill, shade, true));
        }
        return r;
    }
    if (look_.hovering && !pushed && look_.gradientColor != look_.hoverBackColor) {
        surface().fillAll(hover);
        return r;
    }
    drawGradient(face, gradient < 0 ? face : gradient, look_.gradientMode);
    return r;
}

}  // namespace buttons
