#include "buttons/ButtonPaintCanvas.h"

#include <QVector>

namespace buttons {

void EdgeColours::setRing(int ring, Colour leftTop, Colour rightBottom)
{
    setRing(ring, leftTop, leftTop, rightBottom, rightBottom);
}

void EdgeColours::setRing(int ring, Colour left, Colour top, Colour right, Colour bottom)
{
    const int first = ring * 4 + 1;  // ring A holds entries 1-4, C 9-12
    (*this)[first] = left;
    (*this)[first + 1] = top;
    (*this)[first + 2] = right;
    (*this)[first + 3] = bottom;
}

namespace {

struct RingCorners {
    QPoint bottomLeft, topLeft, topRight, bottomRight;
};

// Ring `inset` pixels inside the edge; slanted sides run at 45 degrees, each inner
// ring one pixel further in.
RingCorners ringCorners(int inset, int w, int h, int shape, int leftCut, int rightCut)
{
    const int k = inset;
    const bool slantLeft = slantsLeft(shape);
    const bool slantRight = slantsRight(shape);
    RingCorners c;
    c.topLeft = slantLeft ? QPoint(2 * k, k) : QPoint(k, k);
    c.bottomLeft = slantLeft ? QPoint(leftCut - 2, h - 1 - k) : QPoint(k, h - 1 - k);
    c.topRight = slantRight ? QPoint(rightCut, k) : QPoint(w - 1 - k, k);
    c.bottomRight = slantRight ? QPoint(rightCut + h - 1 - 2 * k, h - 1 - k) : QPoint(w - 1 - k, h - 1 - k);
    return c;
}

}  // namespace

void ButtonCanvas::drawEdges(const EdgeColours& colours)
{
    const int shape = look_.buttonShape;
    for (int ring = kRingA; ring <= kRingC; ++ring) {
        const RingCorners c = ringCorners(2 - ring, width(), height(), shape, regions().leftCut, regions().rightCut);
        const int first = ring * 4 + 1;
        const QPoint segments[4][2] = {{c.bottomLeft, c.topLeft},
                                       {c.topLeft, c.topRight},
                                       {c.topRight, c.bottomRight},
                                       {c.bottomRight, c.bottomLeft}};
        for (int s = 0; s < 4; ++s) {
            const Colour colour = colours[first + s];
            if (colour >= 0)
                surface().polyline({segments[s][0], segments[s][1]}, colour);
        }
    }
}

void ButtonCanvas::drawFocusEdges(Colour focus, bool polyline)
{
    const int shape = look_.buttonShape;
    if (!look_.isDefault() || !look_.enabled || shape > kShapeEllipseHoverFrame
        || (look_.buttonStyle == kStyleWindowsXp && shape >= kShapeEllipse))
        return;
    QRect r;
    if (hasRings(shape)) {
        const int leftCut = slantsLeft(shape) ? regions().leftCut : 0;
        const int rightCut = slantsRight(shape) ? regions().rightCut : width();
        r = QRect(QPoint(leftCut + 4, 4), QPoint(rightCut - 5, height() - 5));
    } else {
        r = painter_.layout_.caption.adjusted(-2, -1, 2, 1);
    }
    if (r.isEmpty())
        return;
    if (!look_.value && !polyline) {
        surface().drawFocusRect(r);
        return;
    }
    const QPoint tl = r.topLeft(), tr = r.topRight(), br = r.bottomRight(), bl = r.bottomLeft();
    surface().polyline({tl, tr, br, bl, tl}, focus < 0 ? gdi::kBlack : focus);
}

}  // namespace buttons
