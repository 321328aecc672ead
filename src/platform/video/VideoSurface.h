#pragma once

#include <QImage>
#include <QRect>

// A window the player draws into: the frame comes already scaled to the
// destination rectangle (in the window's pixels).
class VideoSurface {
public:
    virtual ~VideoSurface() = default;
    virtual void showVideoFrame(const QImage& frame, const QRect& destination) = 0;
};
