#include "viewer/Magnifier.h"

#include <algorithm>

QRectF magnifierPatch(const QSize& picture, const QRect& shown, const QPointF& mouse, double twipsPerPixel)
{
    if (picture.isEmpty() || shown.isEmpty() || twipsPerPixel <= 0)
        return {};
    const double side = std::min({kPatchSize / twipsPerPixel, double(picture.width()), double(picture.height())});
    // The mouse's fraction across the shown picture, held to its edges.
    const double fx = std::clamp((mouse.x() - shown.x()) / shown.width(), 0.0, 1.0);
    const double fy = std::clamp((mouse.y() - shown.y()) / shown.height(), 0.0, 1.0);
    const double cx = fx * picture.width();
    const double cy = fy * picture.height();
    const double x = std::clamp(cx - side / 2, 0.0, picture.width() - side);
    const double y = std::clamp(cy - side / 2, 0.0, picture.height() - side);
    return {x, y, side, side};
}

QRectF magnifierDestination(double zoomScaleWidth, double zoomScaleHeight)
{
    return {0, 0, zoomScaleWidth * 1.0, zoomScaleHeight * 1.2};
}
