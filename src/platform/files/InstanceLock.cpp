#include "platform/files/InstanceLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

InstanceLock::InstanceLock() = default;

InstanceLock::~InstanceLock()
{
    release();
}

QString InstanceLock::lockFileName(const QString& programFolder)
{
    return programFolder + "/.tolvex.lock";
}

bool InstanceLock::acquire(const QString& programFolder)
{
    release();
    const QString path = lockFileName(programFolder);
    const QByteArray name = QFile::encodeName(path);
    // A copy that ends removes the file while it still holds the lock: a lock taken
    // on a file that is no longer in the folder is taken again on the new one.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return true;  // no lock can be made here: the folder counts as free
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(fd);
            return !held;
        }
        struct stat opened {}, named {};
        if (::fstat(fd, &opened) == 0 && ::stat(name.constData(), &named) == 0 && opened.st_ino == named.st_ino
            && opened.st_dev == named.st_dev) {
            fd_ = fd;
            path_ = path;
            return true;
        }
        ::close(fd);
    }
    return true;
}

bool InstanceLock::held() const
{
    return fd_ >= 0;
}

void InstanceLock::release()
{
    if (fd_ < 0)
        return;
    ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

}  // namespace platform
