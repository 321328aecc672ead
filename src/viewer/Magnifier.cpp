#include "viewer/Magnifier.h"

#include <cmath>

namespace {

// A factor of the small-picture branch; a zero difference keeps the factor it had,
// as the original's ignored division error did.
double smallFactor(double scaleSize, double imageSize, double divisor, double kept)
{
    const double difference = std::abs(scaleSize - imageSize);
    return difference == 0 ? kept : scaleSize / (difference / divisor);
}

}  // namespace

MagnifierSource magnifierSource(const MagnifierInput& in)
{
    MagnifierSource out;
    out.zx = in.resultWidth * 1.96 / 1300;
    out.zy = in.resultHeight * 2.25 / 1100;
    if (in.resultWidth <= kSmallPictureWidth) {
        out.zx = smallFactor(in.scaleWidth, in.imageWidth, 12, out.zx);
        out.zy = smallFactor(in.scaleHeight, in.imageHeight, 11.5, out.zy);
    }
    out.sx = in.mouseX / in.twipsPerPixel * out.zx;
    out.sy = in.mouseY / in.twipsPerPixel * out.zy;
    return out;
}

QRectF magnifierDestination(double zoomScaleWidth, double zoomScaleHeight)
{
    return {0, 0, zoomScaleWidth * 1.0, zoomScaleHeight * 1.2};
}

QRectF magnifierPatchPixels(const MagnifierSource& source, double twipsPerPixel)
{
    return {source.sx / twipsPerPixel, source.sy / twipsPerPixel, kPatchSize / twipsPerPixel,
            kPatchSize / twipsPerPixel};
}
