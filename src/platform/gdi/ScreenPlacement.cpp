#include "platform/gdi/ScreenPlacement.h"

#include <algorithm>
#include <limits>

namespace platform {

namespace {

bool reachableOn(const QRect& window, const QRect& screen)
{
    const QRect topEdge(window.topLeft(), QSize(window.width(), std::min(window.height(), kReachableHeight)));
    const QRect shown = topEdge.intersected(screen);
    return shown.width() >= std::min(window.width(), kReachableWidth)
           && shown.height() >= std::min(window.height(), kReachableHeight);
}

// Squared distance between two rectangles, 0 when they touch or overlap.
qint64 distance(const QRect& a, const QRect& b)
{
    const qint64 dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const qint64 dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

// The least shift along one axis that puts [start, start + length) inside
// [low, high); the start stays at low when the length does not fit.
int clampStart(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

}  // namespace

QPoint placeOnScreen(const QRect& window, const QList<QRect>& screens)
{
    QList<QRect> areas;
    for (const QRect& s : screens)
        if (s.isValid())
            areas.append(s);
    if (areas.isEmpty())
        return window.topLeft();
    for (const QRect& s : areas)
        if (reachableOn(window, s))
            return window.topLeft();
    const QRect* nearest = &areas.first();
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect& s : areas) {
        const qint64 d = distance(window, s);
        if (d < best) {
            best = d;
            nearest = &s;
        }
    }
    return {clampStart(window.left(), window.width(), nearest->left(), nearest->left() + nearest->width()),
            clampStart(window.top(), window.height(), nearest->top(), nearest->top() + nearest->height())};
}

}  // namespace platform
