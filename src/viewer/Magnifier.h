#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

// The magnifier's mapping from the mouse over the shown picture to the patch it
// enlarges. The shown picture fills `shown` (the picture box's own pixels, its
// proportions kept); the mouse is in the same pixels.

// The patch is always this many twips of the screen square (64 / 15 pixels).
inline constexpr double kPatchSize = 64;

// The patch of the picture, in its own pixels, around the pixel under the mouse:
// the mouse's place across the shown picture is the same place across the whole
// picture, so the patch under the mouse is the one shown. The patch stays inside
// the picture: at the right edge it is the rightmost band, at the top-left corner
// it starts at the origin. Empty for an empty picture or place.
QRectF magnifierPatch(const QSize& picture, const QRect& shown, const QPointF& mouse,
                      double twipsPerPixel = 15);

// Where the patch lands in the zoom window, in the units of its inner size: the
// whole width and 1.2 times the height.
QRectF magnifierDestination(double zoomScaleWidth, double zoomScaleHeight);
