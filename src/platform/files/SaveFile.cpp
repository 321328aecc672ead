#include "platform/files/SaveFile.h"

#include "platform/base/SystemReason.h"
#include "platform/files/FilesLog.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace platform {

namespace {

bool diskFull(int error)
{
    return error == ENOSPC || error == EFBIG || error == EDQUOT;
}

// Runs one step of the write and keeps the system's errno of a failure, before
// the clean-up that follows can overwrite it.
bool step(bool ok, int& savedErrno)
{
    if (!ok && savedErrno == 0)
        savedErrno = errno;
    return ok;
}

// A short write leaves QSaveFile without an error of its own; it is a write error.
QFileDevice::FileError kindOf(const QSaveFile& file)
{
    return file.error() != QFileDevice::NoError ? file.error() : QFileDevice::WriteError;
}

QString reasonOf(const QSaveFile& file, int savedErrno)
{
    if (diskFull(savedErrno))
        return QStringLiteral("disk full (%1)").arg(systemReason(savedErrno));
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return savedErrno != 0 ? systemReason(savedErrno) : QStringLiteral("the file was written only in part");
}

}  // namespace

Result writeFileSafely(const QString& path, const QByteArray& bytes,
                       std::optional<QFileDevice::Permissions> permissions)
{
    return writeFileSafely(
        path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); }, permissions);
}

Result writeFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write,
                       std::optional<QFileDevice::Permissions> permissions)
{
    // The writer replaces a file by renaming a new one over it: over a device, a
    // pipe or a socket (or a link to one) that would put a regular file in its
    // place, so anything but a regular file is refused and left as it is.
    const QFileInfo place(path);
    if (place.exists() && !place.isFile() && !place.isDir()) {
        const QString reason = QStringLiteral("cannot write %1: not a regular file").arg(path);
        qCWarning(lcFiles).noquote() << reason;
        return Result::failure(reason, int(QFileDevice::OpenError));
    }
    QSaveFile file(path);
    int savedErrno = 0;
    errno = 0;
    const bool ok = step(file.open(QIODevice::WriteOnly), savedErrno)
                    && step(!permissions || file.setPermissions(*permissions), savedErrno)
                    && step(write(file), savedErrno) && step(file.flush(), savedErrno)
                    && step(file.commit(), savedErrno);
    if (ok)
        return Result::success();
    const QString reason = QStringLiteral("cannot write %1: %2").arg(path, reasonOf(file, savedErrno));
    qCWarning(lcFiles).noquote() << reason;
    return Result::failure(reason, int(kindOf(file)));
}

}  // namespace platform
