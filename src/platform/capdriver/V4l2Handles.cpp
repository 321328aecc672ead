#include "platform/capdriver/V4l2Handles.h"

#include <sys/mman.h>

#include <utility>

namespace platform::capdriver {

V4l2Fd& V4l2Fd::operator=(V4l2Fd&& other) noexcept
{
    if (this != &other) {
        reset();
        io_ = std::exchange(other.io_, nullptr);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void V4l2Fd::reset()
{
    if (fd_ >= 0 && io_)
        io_->close(fd_);
    fd_ = -1;
}

bool V4l2Mappings::map(int fd, std::size_t length, off_t offset)
{
    void* start = io_.mmap(length, fd, offset);
    if (start == MAP_FAILED)
        return false;
    buffers_.push_back({start, length});
    return true;
}

void V4l2Mappings::clear()
{
    for (const Buffer& b : buffers_)
        io_.munmap(b.start, b.length);
    buffers_.clear();
}

}  // namespace platform::capdriver
