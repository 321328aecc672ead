#pragma once

#include "platform/capdriver/V4l2Io.h"

namespace platform::capdriver {

// The real devices, through libv4l2, which converts every camera format it knows
// into the RGB the layer asks for.
class LibV4l2Io final : public V4l2Io {
public:
    // Looks for video nodes (video*) in this folder, unless the variable
    // TOLVEX_V4L2_NODES names the nodes: paths separated by ":", in the order they
    // are listed; the ones that do not exist at the time are left out.
    explicit LibV4l2Io(QString deviceFolder = "/dev") : folder_(std::move(deviceFolder)) {}

    QStringList listNodes() override;
    bool nodesInGivenOrder() const override;
    int open(const QString& path) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    void* mmap(std::size_t length, int fd, off_t offset) override;
    int munmap(void* start, std::size_t length) override;
    int poll(int fd, int timeoutMs) override;

private:
    QString folder_;
};

}  // namespace platform::capdriver
