#include "platform/files/SaveFile.h"

#include <QSaveFile>

namespace platform {

bool writeFileSafely(const QString& path, const QByteArray& bytes, QString* error,
                     std::optional<QFileDevice::Permissions> permissions, QFileDevice::FileError* fileError)
{
    return writeFileSafely(
        path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); }, error, permissions,
        fileError);
}

bool writeFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error,
                     std::optional<QFileDevice::Permissions> permissions, QFileDevice::FileError* fileError)
{
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly)
                    && (!permissions || file.setPermissions(*permissions))
                    && write(file) && file.flush() && file.commit();
    if (!ok && error)
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    if (!ok && fileError)
        *fileError = file.error();
    return ok;
}

}  // namespace platform
