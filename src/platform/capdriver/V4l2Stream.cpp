#include "platform/capdriver/V4l2Stream.h"

#include "platform/gdi/SharedPictures.h"

#include "platform/capdriver/V4l2Format.h"
#include "platform/capdriver/V4l2Log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform::capdriver {

namespace {

// Enough for the stream thread to be kept from the processor for a quarter of a
// second at 30 frames a second without the camera losing a frame.
constexpr quint32 kBufferCount = 8;
constexpr int kPollMs = 100;
// EIO can mean a lost signal for a moment; this many in a row mean a dead device.
constexpr int kTransientLimit = 50;

v4l2_buffer mmapBuffer(quint32 index = 0)
{
    v4l2_buffer b{};
    b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    b.memory = V4L2_MEMORY_MMAP;
    b.index = index;
    return b;
}

v4l2_requestbuffers bufferRequest(quint32 count)
{
    v4l2_requestbuffers r{};
    r.count = count;
    r.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    r.memory = V4L2_MEMORY_MMAP;
    return r;
}

}  // namespace

V4l2Stream::V4l2Stream(V4l2Io& io, int fd, FrameSlot& slot, QString node)
    : io_(io), fd_(fd), slot_(slot), node_(std::move(node)), mappings_(io)
{
}

bool V4l2Stream::refused(const char* request) const
{
    const int reason = errno;
    warnSystemFailure(request, node_, reason);
    errno = reason;
    return false;
}

std::size_t V4l2Stream::frameBytes() const
{
    if (decoder_)
        return 1;  // a compressed frame has no fixed size
    return std::size_t(rowStride(pix_)) * (pix_.height - 1) + std::size_t(pix_.width) * 3;
}

bool V4l2Stream::prepareBuffers()
{
    v4l2_requestbuffers request = bufferRequest(kBufferCount);
    if (io_.ioctl(fd_, VIDIOC_REQBUFS, &request) != 0)
        return refused("VIDIOC_REQBUFS on");
    if (request.count == 0) {
        qCWarning(lcV4l2).noquote() << node_ << "gives no capture buffers";
        return false;
    }
    for (quint32 i = 0; i < request.count; ++i)
        if (!prepareBuffer(i))
            return false;
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    return io_.ioctl(fd_, VIDIOC_STREAMON, &type) == 0 || refused("VIDIOC_STREAMON on");
}

bool V4l2Stream::prepareBuffer(quint32 index)
{
    v4l2_buffer b = mmapBuffer(index);
    if (io_.ioctl(fd_, VIDIOC_QUERYBUF, &b) != 0)
        return refused("VIDIOC_QUERYBUF on");
    if (b.length < frameBytes()) {
        qCWarning(lcV4l2).noquote() << node_ << "gives a buffer of" << b.length << "bytes for a frame of"
                                    << frameBytes();
        return false;
    }
    if (!mappings_.map(fd_, b.length, off_t(b.m.offset)))
        return refused("mmap of");
    return io_.ioctl(fd_, VIDIOC_QBUF, &b) == 0 || refused("VIDIOC_QBUF on");
}

void V4l2Stream::releaseBuffers()
{
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    io_.ioctl(fd_, VIDIOC_STREAMOFF, &type);
    // The driver frees its buffers only once nothing maps them any more.
    mappings_.clear();
    v4l2_requestbuffers none = bufferRequest(0);
    io_.ioctl(fd_, VIDIOC_REQBUFS, &none);
}

bool V4l2Stream::start(const v4l2_pix_format& pix)
{
    stop();
    if (pix.width == 0 || pix.height == 0)
        return false;
    pix_ = pix;
    decoder_ = isMjpeg(pix.pixelformat) ? std::make_unique<MjpegDecoder>() : nullptr;
    if (decoder_ && !decoder_->valid()) {
        qCWarning(lcV4l2).noquote() << node_ << "sends Motion JPEG, but no decoder could be made";
        return false;
    }
    // Whether the display shares memory is found out here, on the thread that
    // opens the device, before the stream's thread makes pictures.
    if (decoder_)
        platform::gdi::sharedPicturesAvailable();
    pool_.clear();
    usedAt_.clear();
    damagedFrames_ = 0;
    slot_.reset();
    if (!prepareBuffers()) {
        const int reason = errno;
        releaseBuffers();
        errno = reason;
        return false;
    }
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void V4l2Stream::stop()
{
    if (!thread_.joinable())
        return;
    stopping_ = true;
    thread_.join();
    releaseBuffers();
}

void V4l2Stream::run()
{
    int transientErrors = 0;
    while (!stopping_) {
        const int ready = io_.poll(fd_, kPollMs);
        if (ready < 0)
            qCWarning(lcV4l2).noquote() << node_ << "failed or is gone; the stream stops";
        if (ready < 0 || (ready > 0 && !takeOneFrame(transientErrors))) {
            slot_.fail();
            return;
        }
    }
}

bool V4l2Stream::takeOneFrame(int& transientErrors)
{
    v4l2_buffer b = mmapBuffer();
    if (io_.ioctl(fd_, VIDIOC_DQBUF, &b) != 0) {
        if (errno == EAGAIN || errno == EINTR)
            return true;
        if (errno == EIO && ++transientErrors < kTransientLimit)
            return true;
        return refused("VIDIOC_DQBUF on");
    }
    transientErrors = 0;
    const bool whole = !(b.flags & V4L2_BUF_FLAG_ERROR) && b.index < mappings_.size()
                       && b.bytesused >= frameBytes();
    if (whole) {
        QImage frame = toImage(b);
        if (!frame.isNull())
            slot_.publish(std::move(frame));
    }
    return io_.ioctl(fd_, VIDIOC_QBUF, &b) == 0 || refused("VIDIOC_QBUF on");
}

QImage& V4l2Stream::freePicture()
{
    // The newest frame, the grabbed one, the clipboard's, the one on show and the
    // one being decoded: fewer would make fresh memory for nearly every frame.
    constexpr std::size_t kPoolSize = 6;
    // Of the pictures nobody else holds (the slot and the user-interface thread have
    // let them go), the one decoded into last: its memory is the likeliest to be in
    // the caches still.
    std::size_t best = pool_.size();
    for (std::size_t i = 0; i < pool_.size(); ++i)
        if (pool_[i].isDetached() && (best == pool_.size() || usedAt_[i] > usedAt_[best]))
            best = i;
    if (best < pool_.size()) {
        usedAt_[best] = ++decoded_;
        return pool_[best];
    }
    // Decoded frames are made in the screen's own format, in memory the display
    // shares where it can, so showing them converts and copies nothing; libv4l2's
    // frames stay in the RGB24 it delivers.
    const QSize size(int(pix_.width), int(pix_.height));
    QImage fresh = decoder_ ? platform::gdi::makeSharedPicture(size) : QImage(size, QImage::Format_RGB888);
    if (pool_.size() < kPoolSize) {
        pool_.push_back(std::move(fresh));
        usedAt_.push_back(++decoded_);
        return pool_.back();
    }
    // Every picture is still in use: the oldest one is left to its holders.
    const auto oldest = std::size_t(std::min_element(usedAt_.begin(), usedAt_.end()) - usedAt_.begin());
    pool_[oldest] = std::move(fresh);
    usedAt_[oldest] = ++decoded_;
    return pool_[oldest];
}

QImage V4l2Stream::toImage(const v4l2_buffer& buffer)
{
    QImage& image = freePicture();
    if (image.isNull())
        return {};
    const auto* source = static_cast<const uchar*>(mappings_.at(buffer.index).start);
    if (decoder_) {
        const std::size_t length = std::min<std::size_t>(buffer.bytesused, mappings_.at(buffer.index).length);
        if (decoder_->decode(source, length, image))
            return image;
        // Cameras send a damaged frame now and then; one line tells it per stream.
        if (damagedFrames_++ == 0)
            qCWarning(lcV4l2).noquote() << node_ << "sent a damaged Motion JPEG frame (" + decoder_->error()
                                                       + "); such frames are skipped";
        return {};
    }
    const quint32 stride = rowStride(pix_);
    for (quint32 y = 0; y < pix_.height; ++y)
        std::memcpy(image.scanLine(int(y)), source + std::size_t(y) * stride, pix_.width * 3);
    return image;
}

}  // namespace platform::capdriver
