#pragma once

#include <QList>
#include <QRect>

// A stored window place that lies off every screen (a screen since removed, a
// hand-edited file) would open the window where nobody sees it.

// The place to open a window at: the stored one when enough of it (64 x 32
// pixels, or all of a smaller window) lies on a screen; otherwise the same size
// moved onto the screen nearest to it, wholly inside where it fits, else at that
// screen's top-left corner. No screens: the stored place.
QRect bringOntoScreen(const QRect& stored, const QList<QRect>& screens);
