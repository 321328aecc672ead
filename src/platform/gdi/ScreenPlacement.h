#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace platform {

// How much of a window must show on one screen, along its top edge (where its
// title bar is), to count as reachable there.
inline constexpr int kReachableWidth = 40;
inline constexpr int kReachableHeight = 20;

// Where a top-level window goes so that the user can reach it. window is its outer
// rectangle (frame included) where it would be placed; screens are the screens'
// available areas. A window whose top edge shows on some screen over at least
// kReachableWidth x kReachableHeight pixels stays where it is. Any other window (one
// stored on a screen that is gone, or dragged far off) is moved onto the nearest
// screen by the least shift that puts it wholly inside; a window larger than that
// screen keeps its top-left corner on it. No screens: nothing moves.
QPoint placeOnScreen(const QRect& window, const QList<QRect>& screens);

}  // namespace platform
