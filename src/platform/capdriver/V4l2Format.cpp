#include "platform/capdriver/V4l2Format.h"

#include <algorithm>

namespace platform::capdriver {

v4l2_format rgb24Request(QSize size)
{
    v4l2_format f{};
    f.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    f.fmt.pix.width = quint32(size.width());
    f.fmt.pix.height = quint32(size.height());
    f.fmt.pix.pixelformat = V4L2_PIX_FMT_RGB24;
    f.fmt.pix.field = V4L2_FIELD_ANY;
    return f;
}

bool deliversExactly(const v4l2_format& asked, const v4l2_format& answer)
{
    return answer.type == asked.type && answer.fmt.pix.width == asked.fmt.pix.width
           && answer.fmt.pix.height == asked.fmt.pix.height
           && answer.fmt.pix.pixelformat == asked.fmt.pix.pixelformat;
}

quint32 rowStride(const v4l2_pix_format& pix)
{
    return std::max(pix.bytesperline, pix.width * 3);
}

v4l2_format mjpegRequest(QSize size)
{
    v4l2_format f = rgb24Request(size);
    f.fmt.pix.pixelformat = V4L2_PIX_FMT_MJPEG;
    return f;
}

bool isMjpeg(quint32 pixelformat)
{
    return pixelformat == V4L2_PIX_FMT_MJPEG || pixelformat == V4L2_PIX_FMT_JPEG;
}

bool NativeFormat::offers(QSize size) const
{
    if (sizes.contains(size))
        return true;
    const auto w = quint32(size.width()), h = quint32(size.height());
    for (const v4l2_frmsize_stepwise& r : ranges) {
        const bool inside = w >= r.min_width && w <= r.max_width && h >= r.min_height && h <= r.max_height;
        const quint32 sw = std::max(r.step_width, 1u), sh = std::max(r.step_height, 1u);
        if (inside && (w - r.min_width) % sw == 0 && (h - r.min_height) % sh == 0)
            return true;
    }
    return false;
}

bool decodeMjpegDirectly(const QList<NativeFormat>& formats, QSize size)
{
    bool mjpeg = false;
    for (const NativeFormat& f : formats) {
        if (!f.offers(size))
            continue;
        if (!f.compressed)
            return false;
        mjpeg = mjpeg || isMjpeg(f.pixelformat);
    }
    return mjpeg;
}

}  // namespace platform::capdriver
