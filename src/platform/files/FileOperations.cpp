#include "platform/files/FileOperations.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

Result errnoFailure(const QString& what, int errnoValue)
{
    return Result::failure(what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errnoValue)),
                           fileErrorNumber(errnoValue));
}

}  // namespace

int fileErrorNumber(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR: return kErrorFileNotFound;
    case EEXIST: return kErrorFileExists;
    case EBUSY:
    case ETXTBSY: return kErrorPermission;
    default: return kErrorFileAccess;
    }
}

Result removeFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return errnoFailure(path, errno);
    if (S_ISDIR(info.st_mode))
        return errnoFailure(path, EISDIR);
    if (::unlink(name.constData()) != 0)
        return errnoFailure(path, errno);
    return Result::success();
}

Result renameFile(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return Result::success();
    if (errno != EINVAL && errno != ENOSYS)
        return errnoFailure(from, errno);
    // A file system without the no-replace rename: a hard link refuses an existing
    // name just as well, then the old name goes.
    if (::link(source.constData(), target.constData()) != 0)
        return errnoFailure(from, errno);
    if (::unlink(source.constData()) != 0)
        return errnoFailure(from, errno);
    return Result::success();
}

}  // namespace platform
