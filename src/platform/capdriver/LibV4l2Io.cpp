#include "platform/capdriver/LibV4l2Io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <libv4l2.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>

namespace platform::capdriver {

namespace {

const char* const kNodesVariable = "TOLVEX_V4L2_NODES";

}  // namespace

bool LibV4l2Io::nodesInGivenOrder() const
{
    return !qEnvironmentVariableIsEmpty(kNodesVariable);
}

QStringList LibV4l2Io::listNodes()
{
    QStringList nodes;
    if (nodesInGivenOrder()) {
        for (const QString& path : qEnvironmentVariable(kNodesVariable).split(':', Qt::SkipEmptyParts))
            if (QFileInfo::exists(path) && !nodes.contains(path))
                nodes << path;
        return nodes;
    }
    const QDir dev(folder_);
    for (const QString& name : dev.entryList({"video*"}, QDir::System | QDir::Files))
        nodes << dev.filePath(name);
    return nodes;
}

int LibV4l2Io::open(const QString& path)
{
    // Non-blocking, so no call on the device can hang the caller.
    return v4l2_open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

int LibV4l2Io::close(int fd)
{
    return v4l2_close(fd);
}

int LibV4l2Io::ioctl(int fd, unsigned long request, void* arg)
{
    int r;
    do {
        r = v4l2_ioctl(fd, request, arg);
    } while (r == -1 && errno == EINTR);
    return r;
}

void* LibV4l2Io::mmap(std::size_t length, int fd, off_t offset)
{
    return v4l2_mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
}

int LibV4l2Io::munmap(void* start, std::size_t length)
{
    return v4l2_munmap(start, length);
}

int LibV4l2Io::poll(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    const int r = ::poll(&p, 1, timeoutMs);
    if (r < 0)
        return errno == EINTR ? 0 : -1;
    if (r == 0)
        return 0;
    return (p.revents & (POLLERR | POLLHUP | POLLNVAL)) ? -1 : 1;
}

}  // namespace platform::capdriver
