#pragma once

#include "platform/base/Result.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

// The pictures of a video file, one frame at a time, scaled to the size they are
// shown at. Moving on to the next frames decodes forward; a jump back or far
// ahead seeks. Failures to open carry the player's error code.
class VideoDecoder {
public:
    VideoDecoder();
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    platform::Result open(const QString& path);

    qint64 frameCount() const;
    double frameRate() const;
    qint64 lengthMs() const;
    QSize frameSize() const;
    // The frame showing at a position of the clip.
    qint64 frameIndexAt(qint64 positionMs) const;

    // Frame `index` (clamped into the clip) scaled to `size` (the frame's own size
    // when empty); null when the file cannot give it.
    QImage frame(qint64 index, QSize size = {});

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};
