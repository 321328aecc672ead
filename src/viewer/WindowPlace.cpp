#include "viewer/WindowPlace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kVisibleWidth = 64;
constexpr int kVisibleHeight = 32;

// How far a point lies from a rectangle (0 inside it).
double distanceTo(const QRect& screen, const QPoint& p)
{
    const int dx = std::max({screen.left() - p.x(), 0, p.x() - screen.right()});
    const int dy = std::max({screen.top() - p.y(), 0, p.y() - screen.bottom()});
    return std::hypot(double(dx), double(dy));
}

}  // namespace

QRect bringOntoScreen(const QRect& stored, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return stored;
    const int needW = std::min(kVisibleWidth, std::max(1, stored.width()));
    const int needH = std::min(kVisibleHeight, std::max(1, stored.height()));
    for (const QRect& screen : screens) {
        const QRect seen = screen.intersected(stored);
        if (seen.width() >= needW && seen.height() >= needH)
            return stored;
    }
    const QRect* nearest = &screens.front();
    double best = std::numeric_limits<double>::max();
    for (const QRect& screen : screens) {
        const double d = distanceTo(screen, stored.center());
        if (d < best) {
            best = d;
            nearest = &screen;
        }
    }
    const QRect& s = *nearest;
    const int x = std::clamp(stored.x(), s.left(), std::max(s.left(), s.right() + 1 - stored.width()));
    const int y = std::clamp(stored.y(), s.top(), std::max(s.top(), s.bottom() + 1 - stored.height()));
    return {x, y, stored.width(), stored.height()};
}
