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

}  // namespace platform::capdriver
