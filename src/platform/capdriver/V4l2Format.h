#pragma once

#include <QList>
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

// A request for the camera's own Motion JPEG frames of this size.
v4l2_format mjpegRequest(QSize size);
bool isMjpeg(quint32 pixelformat);

// One format the camera delivers itself (not one libv4l2 makes of it), with its sizes.
struct NativeFormat {
    quint32 pixelformat = 0;
    bool compressed = false;
    QList<QSize> sizes;      // discrete sizes
    QList<v4l2_frmsize_stepwise> ranges;  // stepwise or continuous ones
    bool offers(QSize size) const;
};
// Decides the road of frames of `size`: true when only the camera's Motion JPEG has
// that size, so the stream decodes it with TurboJPEG; false when an uncompressed
// format of the camera has it (libv4l2 converts those well) or nothing has it.
bool decodeMjpegDirectly(const QList<NativeFormat>& formats, QSize size);

}  // namespace platform::capdriver
