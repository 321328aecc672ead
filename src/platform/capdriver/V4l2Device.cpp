#include "platform/capdriver/V4l2Device.h"

#include "platform/capdriver/V4l2Controls.h"
#include "platform/capdriver/V4l2Format.h"
#include "platform/capdriver/V4l2Log.h"

#include <algorithm>
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

QList<NativeFormat> V4l2Device::nativeFormats()
{
    QList<NativeFormat> formats;
    v4l2_fmtdesc d{};
    d.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    for (d.index = 0; io_->ioctl(fd_.get(), VIDIOC_ENUM_FMT, &d) == 0; ++d.index) {
        if (d.flags & V4L2_FMT_FLAG_EMULATED)
            continue;
        NativeFormat f;
        f.pixelformat = d.pixelformat;
        f.compressed = d.flags & V4L2_FMT_FLAG_COMPRESSED;
        v4l2_frmsizeenum e{};
        e.pixel_format = d.pixelformat;
        for (e.index = 0; io_->ioctl(fd_.get(), VIDIOC_ENUM_FRAMESIZES, &e) == 0; ++e.index) {
            if (e.type == V4L2_FRMSIZE_TYPE_DISCRETE)
                f.sizes.append(QSize(int(e.discrete.width), int(e.discrete.height)));
            else
                f.ranges.append(e.stepwise);
        }
        formats.append(f);
    }
    return formats;
}

std::optional<v4l2_pix_format> V4l2Device::applySize(QSize size)
{
    // Motion JPEG that only the camera's compressed format has is decoded by the
    // stream itself: libv4l2's conversion of it is too slow for full-HD previews.
    if (decodeMjpegDirectly(nativeFormats(), size)) {
        v4l2_format f = mjpegRequest(size);
        if (io_->ioctl(fd_.get(), VIDIOC_S_FMT, &f) == 0 && isMjpeg(f.fmt.pix.pixelformat)
            && f.fmt.pix.width == quint32(size.width()) && f.fmt.pix.height == quint32(size.height()))
            return f.fmt.pix;
    }
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
    pendingSize_.reset();
    bitCount_ = wanted && isStreamDepth(wanted->bitCount) ? wanted->bitCount : quint16(24);
    return true;
}

void V4l2Device::close()
{
    stream_.reset();
    fd_.reset();
    pendingSize_.reset();
}

BitmapFormat V4l2Device::format() const
{
    const QSize size = pendingSize_.value_or(appliedSize());
    return {size.width(), size.height(), bitCount_, 0};
}

V4l2Device::Trial V4l2Device::trial(QSize size)
{
    const v4l2_format asked = rgb24Request(size);
    v4l2_format answer = asked;
    if (io_->ioctl(fd_.get(), VIDIOC_TRY_FMT, &answer) != 0)
        return Trial::Unsupported;
    return deliversExactly(asked, answer) ? Trial::Exact : Trial::Refused;
}

bool V4l2Device::setFormat(const BitmapFormat& format)
{
    if (!isOpen() || !isRequestable(format))
        return false;
    const QSize size = format.size();
    if (size == this->format().size()) {
        bitCount_ = format.bitCount;
        return true;
    }
    switch (trial(size)) {
    case Trial::Refused:
        return false;
    case Trial::Exact:
        // Only the size the caller settles on costs a stream restart, at the next frame.
        if (size == appliedSize())
            pendingSize_.reset();
        else
            pendingSize_ = size;
        bitCount_ = format.bitCount;
        return true;
    case Trial::Unsupported:
        break;
    }
    // A driver without a trial gets the real attempt now.
    pendingSize_.reset();
    if (!switchStream(size))
        return false;
    bitCount_ = format.bitCount;
    return true;
}

bool V4l2Device::switchStream(QSize size)
{
    stream_->stop();
    const QSize old = appliedSize();
    auto pix = applySize(size);
    const bool exact = pix && QSize(int(pix->width), int(pix->height)) == size;
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

void V4l2Device::applyPendingSize()
{
    const QSize size = *pendingSize_;
    pendingSize_.reset();
    if (!switchStream(size))
        qCWarning(lcV4l2).noquote() << node_.path << "accepted" << size << "on trial but not when set";
}

QList<QSize> V4l2Device::enumeratedSizes()
{
    QList<QSize> found;
    v4l2_frmsizeenum e{};
    e.pixel_format = V4L2_PIX_FMT_RGB24;
    for (e.index = 0; io_->ioctl(fd_.get(), VIDIOC_ENUM_FRAMESIZES, &e) == 0; ++e.index) {
        if (e.type != V4L2_FRMSIZE_TYPE_DISCRETE)
            return {};  // a range: the trial below finds the usual sizes in it
        found.append(QSize(int(e.discrete.width), int(e.discrete.height)));
    }
    return found;
}

QList<QSize> V4l2Device::sizes()
{
    if (!isOpen())
        return {};
    QList<QSize> found = enumeratedSizes();
    if (found.isEmpty()) {
        static const QSize kUsualSizes[] = {
            {160, 120}, {176, 144}, {320, 240}, {352, 288}, {640, 480}, {720, 480}, {800, 450}, {800, 448},
            {800, 600}, {960, 544}, {1024, 768}, {1280, 720}, {1280, 800}, {1280, 960}, {1280, 1024},
            {1600, 1200}, {1600, 1280}, {1920, 1080}};
        for (QSize size : kUsualSizes)
            if (trial(size) == Trial::Exact)
                found.append(size);
    }
    if (!found.contains(appliedSize()))
        found.append(appliedSize());
    std::sort(found.begin(), found.end(), [](QSize a, QSize b) {
        return std::pair(a.width(), a.height()) < std::pair(b.width(), b.height());
    });
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

QImage V4l2Device::frame(std::chrono::milliseconds wait)
{
    if (!isOpen())
        return {};
    if (pendingSize_)
        applyPendingSize();
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
