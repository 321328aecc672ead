#include "platform/files/SaveFile.h"

#include <QSaveFile>

#include <cerrno>

namespace platform {

bool writeFileSafely(const QString& path, const QByteArray& bytes, QString* error,
                     std::optional<QFileDevice::Permissions> permissions, QFileDevice::FileError* fileError)
{
    QSaveFile file(path);
    errno = 0;
    const bool ok = file.open(QIODevice::WriteOnly)
                    && (!permissions || file.setPermissions(*permissions))
                    && file.write(bytes) == bytes.size() && file.flush() && file.commit();
    // Qt often reports a failed write (a full disk, a size limit) as "Unknown
    // error"; the system's own reason is still in errno, set by the call that failed.
    const int systemError = errno;
    if (!ok && error) {
        const QString reason = systemError != 0 ? qt_error_string(systemError) : file.errorString();
        *error = QStringLiteral("cannot write %1: %2").arg(path, reason);
    }
    if (!ok && fileError)
        *fileError = file.error();
    return ok;
}

}  // namespace platform
