#include "buttons/ButtonPaint.h"

#include "buttons/ButtonPaintCanvas.h"

namespace buttons {

namespace {

// Clears a flag when the scope ends, however it ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

ButtonPainter::ButtonPainter(ButtonHost& host) : host_(host) {}

void ButtonPainter::createBuffer(QSize size) { buffer_.resize(size); }

void ButtonPainter::calculateLayout(const ButtonLook& look)
{
    layout_ = buttons::calculateLayout(look, regions_.leftCut, regions_.rightCut, caption_);
}

void ButtonPainter::createRegion(ButtonLook& look)
{
    // Resizing the window below runs the resize handling again; that nested run
    // must neither rebuild the region nor paint.
    if (buildingRegion_)
        return;
    FlagScope building(buildingRegion_);
    const QSize needed = regionSize(look);
    if (needed != look.size) {
        host_.resizeTo(needed);
        look.size = needed;
    }
    if (buffer_.size() != look.size)
        createBuffer(look.size);
    if (look.pictureShaped() && !look.hasPicture()) {
        regions_.outer = regions_.inner = QRegion();
        regions_.leftCut = 0;
        regions_.rightCut = look.width();
        regionsCutFor_.reset();
        return;
    }
    // The regions of a shape with rings follow from its size, shape, style and
    // enabled state alone: a button set up again the same way keeps them.
    std::optional<RingCut> cut;
    if (hasRings(look.buttonShape))
        cut = RingCut{look.size, look.buttonShape, look.buttonStyle, look.enabled};
    if (cut && cut == regionsCutFor_)
        return;
    regions_ = buildRegions(look);
    regionsCutFor_ = cut;
    host_.setWindowRegion(regions_.window);
    if (look.buttonShape == kShapePicture) {
        buffer_.removeClip();
        drawGradient(buffer_, gdi::kWhite, gdi::kGrey, kGradientTopToBottom, host_.screenSize());
    }
}

int ButtonPainter::redraw(const ButtonLook& look)
{
    if (buildingRegion_)
        return kPaintNothing;
    if (buffer_.size() != look.size)
        createBuffer(look.size);
    ButtonCanvas canvas(look, *this);
    EdgeColours edges;
    const int result = drawStyle(look.buttonStyle, canvas, edges);
    if (result == kPaintNothing)
        return result;
    if (result <= kPaintShow) {
        host_.showFrame(buffer_.copyImage());
        return result;
    }
    // The outline goes on the shown frame only; the buffer keeps the face without it.
    gdi::Surface window(buffer_.copyImage());
    frameOutline(window, look, canvas.colours(), edges[12]);
    host_.showFrame(window.takeImage());
    return result;
}

void ButtonPainter::frameOutline(gdi::Surface& window, const ButtonLook& look, const DerivedColours& colours,
                                 Colour frame) const
{
    auto frameIn = [&window](const QRegion& region, Colour colour) {
        if (colour >= 0)
            window.frameRegion(region, colour);
    };
    const int shape = look.buttonShape;
    const bool pushed = look.pushed();
    if (shape >= kShapeEllipse && shape <= kShapeEllipseHoverFrame) {
        if (look.buttonStyle == kStyleWindowsXp && !pushed)
            frameIn(regions_.outer, frame);
        else if (shape == kShapeEllipseHoverFrame)
            frameIn(regions_.window, frame);
        return;
    }
    if (!look.pictureShaped())
        return;
    if (!look.hovering || pushed) {
        if (!look.isDefault())
            return;
        const Colour colour = look.value && look.buttonStyle != kStyleWindowsXp ? shaded(colours.shadow, -32) : frame;
        frameIn(shape == kShapePicture ? regions_.inner : regions_.outer, colour);
        return;
    }
    const Colour colour = look.buttonStyle != kStyleWindowsXp ? colours.hoverFace : frame;
    if (look.buttonStyle == kStyleWindowsXp || colour != look.resolve(look.backColor))
        frameIn(regions_.window, colour);
}

}  // namespace buttons
