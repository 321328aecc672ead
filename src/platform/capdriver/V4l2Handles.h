#pragma once

#include "platform/capdriver/V4l2Io.h"

#include <cstddef>
#include <vector>

namespace platform::capdriver {

// An open device node, closed when the owner goes.
class V4l2Fd {
public:
    V4l2Fd() = default;
    V4l2Fd(V4l2Io& io, int fd) : io_(&io), fd_(fd) {}
    ~V4l2Fd() { reset(); }
    V4l2Fd(V4l2Fd&& other) noexcept { *this = std::move(other); }
    V4l2Fd& operator=(V4l2Fd&& other) noexcept;
    V4l2Fd(const V4l2Fd&) = delete;
    V4l2Fd& operator=(const V4l2Fd&) = delete;

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    void reset();

private:
    V4l2Io* io_ = nullptr;
    int fd_ = -1;
};

// The memory-mapped buffers of one stream, unmapped when the owner goes.
class V4l2Mappings {
public:
    struct Buffer {
        void* start;
        std::size_t length;
    };

    explicit V4l2Mappings(V4l2Io& io) : io_(io) {}
    ~V4l2Mappings() { clear(); }
    V4l2Mappings(const V4l2Mappings&) = delete;
    V4l2Mappings& operator=(const V4l2Mappings&) = delete;

    // False (and nothing kept) when the mapping fails.
    bool map(int fd, std::size_t length, off_t offset);
    const Buffer& at(std::size_t index) const { return buffers_[index]; }
    std::size_t size() const { return buffers_.size(); }
    void clear();

private:
    V4l2Io& io_;
    std::vector<Buffer> buffers_;
};

}  // namespace platform::capdriver
