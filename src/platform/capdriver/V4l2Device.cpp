#include "platform/capdriver/V4l2Device.h"

#include "platform/capdriver/V4l2Controls.h"
#include "platform/capdriver/V4l2Format.h"
#include "platform/capdriver/V4l2Log.h"

#include <cerrno>

namespace platform::capdriver {

namespace {

constexpr QSize kFallbackSize{640, 480};

}  // namespace

V4l2Device::V4l2Device(std::shared_ptr<V4l2Io> io, V4l2NodeInfo node) : io_(std::move(io)), node_(std::move(node)) {}

QSize V4l2Device::currentSize()
{
    v4l2_format f{};
    f.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (io_->ioctl(fd_.get(), VIDIOC_G_FMT, &f) != 0 || f.fmt.pix.width == 0 || f.fmt.pix.height == 0)
        return kFallbackSize;
    return QSize(int(f.fmt.pix.width), int(f.fmt.pix.height));
}

std::optional<v4l2_pix_format> V4l2Device::applySize(QSize size)
{
    v4l2_format f = rgb24Request(size);
    if (io_->ioctl(fd_.get(), VIDIOC_S_FMT, &f) != 0) {
        warnSystemFailure("VIDIOC_S_FMT on", node_.path, errno);
        return std::nullopt;
    }
    if (f.fmt.pix.pixelformat != V4L2_PIX_FMT_RGB24 || f.fmt.pix.width == 0 || f.fmt.pix.height == 0) {
        qCWarning(lcV4l2).noquote() << node_.path << "offers no 24-bit RGB picture of" << size;
        return std::nullopt;
    }
    return f.fmt.pix;
}

bool V4l2Device::open(const std::optional<BitmapFormat>& wanted)
{
    if (isOpen())
        return false;
    fd_ = V4l2Fd(*io_, io_->open(node_.path));
    if (!fd_.valid()) {
        warnSystemFailure("opening", node_.path, errno);
        return false;
    }
    const auto pix = applySize(wanted ? wanted->size() : currentSize());
    auto stream = std::make_unique<V4l2Stream>(*io_, fd_.get(), slot_, node_.path);
    if (!pix || !stream->start(*pix)) {
        fd_.reset();
        return false;
    }
    pix_ = *pix;
    stream_ = std::move(stream);
    return true;
}

void V4l2Device::close()
{
    stream_.reset();
    fd_.reset();
}

BitmapFormat V4l2Device::format() const
{
    return BitmapFormat::rgb24(QSize(int(pix_.width), int(pix_.height)));
}

bool V4l2Device::refusedOnTrial(QSize size)
{
    const v4l2_format asked = rgb24Request(size);
    v4l2_format trial = asked;
    // A driver without TRY_FMT gets the real attempt instead.
    return io_->ioctl(fd_.get(), VIDIOC_TRY_FMT, &trial) == 0 && !deliversExactly(asked, trial);
}

bool V4l2Device::setFormat(const BitmapFormat& format)
{
    if (!isOpen() || format.bitCount != 24 || format.compression != 0 || format.width <= 0 || format.height <= 0)
        return false;
    if (format == this->format())
        return true;
    // Trying first keeps a refused size from interrupting the running stream.
    if (refusedOnTrial(format.size()))
        return false;
    stream_->stop();
    const QSize old(int(pix_.width), int(pix_.height));
    auto pix = applySize(format.size());
    const bool exact = pix && QSize(int(pix->width), int(pix->height)) == format.size();
    if (!exact)
        pix = applySize(old);
    if (pix)
        pix_ = *pix;
    if (!pix || !stream_->start(pix_)) {
        slot_.fail();
        return false;
    }
    return exact;
}

QImage V4l2Device::frame(std::chrono::milliseconds wait)
{
    if (!isOpen())
        return {};
    return slot_.take(wait);
}

QList<SourceControl> V4l2Device::controls()
{
    return isOpen() ? queryV4l2Controls(*io_, fd_.get()) : QList<SourceControl>{};
}

bool V4l2Device::setControl(quint32 id, qint32 value)
{
    return isOpen() && setV4l2Control(*io_, fd_.get(), id, value);
}

}  // namespace platform::capdriver
