#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <cstddef>

namespace platform::capdriver {

// The calls the V4L2 driver makes on device nodes, so a scripted fake can stand in
// for the kernel and libv4l2 in tests. Failures return -1 (MAP_FAILED for mmap)
// and leave the reason in errno, as the system calls do.
class V4l2Io {
public:
    virtual ~V4l2Io() = default;

    // The video nodes present, e.g. "/dev/video0", in no particular order unless
    // nodesInGivenOrder() says otherwise.
    virtual QStringList listNodes() = 0;
    // True when the node list was named by the user: the nodes are probed in that
    // order, whatever their names.
    virtual bool nodesInGivenOrder() const { return false; }
    virtual int open(const QString& path) = 0;
    virtual int close(int fd) = 0;
    virtual int ioctl(int fd, unsigned long request, void* arg) = 0;
    virtual void* mmap(std::size_t length, int fd, off_t offset) = 0;
    virtual int munmap(void* start, std::size_t length) = 0;
    // Waits up to timeoutMs for a frame: 1 when one is ready, 0 on time-out, -1 when
    // the device has failed or gone.
    virtual int poll(int fd, int timeoutMs) = 0;
};

}  // namespace platform::capdriver
