#pragma once

#include <QSize>

#include <linux/videodev2.h>

namespace platform::capdriver {

// A request for packed 24-bit RGB frames of this size (libv4l2 converts to it).
v4l2_format rgb24Request(QSize size);
// V4L2 adjusts a requested format to what the device can do without saying so; a
// size counts as accepted only when the answer is exactly the size asked for.
bool deliversExactly(const v4l2_format& asked, const v4l2_format& answer);
// Bytes per row of an RGB24 answer, never less than the pixels themselves.
quint32 rowStride(const v4l2_pix_format& pix);

}  // namespace platform::capdriver
