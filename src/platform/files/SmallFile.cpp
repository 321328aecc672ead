#include "platform/files/SmallFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString limitText(qint64 maxBytes)
{
    return maxBytes % 1024 == 0 ? QStringLiteral("%1 KiB").arg(maxBytes / 1024)
                                : QStringLiteral("%1 bytes").arg(maxBytes);
}

// Why a file with this status is not read, or empty text.
QString statusProblem(const QString& path, const struct stat& st, qint64 maxBytes)
{
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("%1 is a folder, not a file").arg(path);
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("%1 is not a regular file (a pipe, a device or a socket)").arg(path);
    if (st.st_size > maxBytes)
        return QStringLiteral("%1 is larger than %2").arg(path, limitText(maxBytes));
    return {};
}

}  // namespace

QString smallFileProblem(const QString& path, qint64 maxBytes)
{
    FileStamp stamp;
    return smallFileProblem(path, stamp, maxBytes);
}

QString smallFileProblem(const QString& path, FileStamp& stamp, qint64 maxBytes)
{
    stamp = FileStamp();
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return statusProblem(path, st, maxBytes);
}

SmallFileRead readSmallFile(const QString& path, qint64 maxBytes)
{
    SmallFileRead read;
    // Non-blocking, so a FIFO in the file's place is refused instead of waited on.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        read.missing = error == ENOENT;
        read.result = Result::failure(QStringLiteral("cannot open %1: %2").arg(path, systemReason(error)));
        return read;
    }
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        read.result = Result::failure(QStringLiteral("cannot read %1: %2").arg(path, systemReason(errno)));
        return read;
    }
    if (const QString problem = statusProblem(path, st, maxBytes); !problem.isEmpty()) {
        read.result = Result::failure(problem);
        return read;
    }
    // One byte over the limit shows a file that grew since it was looked at.
    read.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        read.result = Result::failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    else if (read.bytes.size() > maxBytes)
        read.result = Result::failure(QStringLiteral("%1 is larger than %2").arg(path, limitText(maxBytes)));
    if (!read.result)
        read.bytes.clear();
    return read;
}

}  // namespace platform
