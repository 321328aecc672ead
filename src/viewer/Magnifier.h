#pragma once

#include <QRectF>

// The magnifier's mapping from the mouse over the shown picture to the patch it
// enlarges. Sizes are in twips, as the window measures them; the shown picture's
// work copy gives its outer size (twips) and its inner size (pixels).
struct MagnifierInput {
    double resultWidth = 0;   // outer width of the work picture, twips
    double resultHeight = 0;
    double scaleWidth = 0;    // inner width of the work picture, pixels
    double scaleHeight = 0;
    double imageWidth = 0;    // the shown picture's control, twips
    double imageHeight = 0;
    double mouseX = 0;        // mouse over the shown picture, twips
    double mouseY = 0;
    double twipsPerPixel = 15;
};

struct MagnifierSource {
    double zx = 0;
    double zy = 0;
    double sx = 0;  // top-left of the patch, in the zoom window's units (twips)
    double sy = 0;
};

// The work picture up to this outer width uses the small-picture factors.
inline constexpr double kSmallPictureWidth = 320;
// The patch is always this many source units square.
inline constexpr double kPatchSize = 64;

MagnifierSource magnifierSource(const MagnifierInput& in);

// Where the patch lands in the zoom window, in the units of its inner size: the
// whole width and 1.2 times the height.
QRectF magnifierDestination(double zoomScaleWidth, double zoomScaleHeight);
// The patch in the picture's own pixels.
QRectF magnifierPatchPixels(const MagnifierSource& source, double twipsPerPixel = 15);
