#pragma once

#include <QSize>
#include <QtGlobal>

#include <chrono>

namespace platform::capdriver {

// A capture window as the callers see it: a small number, 0 for "none". Handles are
// never reused within a run, so a stale one can only miss, never hit another window.
using CaptureHandle = qint32;

// The bitmap format a capture window delivers, in the terms of a BITMAPINFOHEADER.
// The bit count is the stream depth the caller chose (16, 24 or 32, compression 0);
// frames reach the callers as 24-bit RGB whatever the depth, so the depth is kept
// and reported, and every other depth or compression is refused.
struct BitmapFormat {
    qint32 width = 0;
    qint32 height = 0;
    quint16 bitCount = 24;
    quint32 compression = 0;

    QSize size() const { return {width, height}; }
    static BitmapFormat rgb24(QSize size) { return {size.width(), size.height(), 24, 0}; }
    bool operator==(const BitmapFormat&) const = default;
};

inline constexpr quint16 kStreamDepths[] = {16, 24, 32};

inline bool isStreamDepth(quint16 bitCount)
{
    for (quint16 d : kStreamDepths)
        if (d == bitCount)
            return true;
    return false;
}

// A format a device can be asked for: one of the stream depths, uncompressed, a real size.
inline bool isRequestable(const BitmapFormat& f)
{
    return isStreamDepth(f.bitCount) && f.compression == 0 && f.width > 0 && f.height > 0;
}

// Window style bits the callers pass to capCreateCaptureWindowA.
inline constexpr quint32 kWsChild = 0x40000000;
inline constexpr quint32 kWsVisible = 0x10000000;

// At most this many devices are listed, indexes 0..9.
inline constexpr int kMaxDrivers = 10;

// The first grab after a connect or a format change waits this long at most for a
// frame of the new size; every other grab takes what is there.
inline constexpr std::chrono::milliseconds kFirstFrameWait{2000};

}  // namespace platform::capdriver
