#include "settings/SettingsFileWrite.h"

#include "platform/files/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Asked with the effective user, as the write itself will be made.
bool writableByUs(const QString& path)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

SettingsFileError pathNotFound()
{
    return {76, QStringLiteral("Path not found"), {}};
}

SettingsFileError accessError()
{
    return {75, QStringLiteral("Path/File access error"), {}};
}

// The number and text of the classic error that fits what stopped the write. The
// file's place is looked at first: the temporary-file writer reports a folder or a
// read-only file there as a write error, which is not a full disk.
SettingsFileError errorOf(QFileDevice::FileError error, const QString& path)
{
    const QFileInfo place(path);
    if (place.exists() && (!place.isFile() || !writableByUs(path)))
        return accessError();
    switch (error) {
    case QFileDevice::PermissionsError:
        return {70, QStringLiteral("Permission denied"), {}};
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return {61, QStringLiteral("Disk full"), {}};
    case QFileDevice::OpenError:
        if (!place.absoluteDir().exists())
            return pathNotFound();
        return accessError();
    default:
        return accessError();
    }
}

QByteArray joinedWithCrLf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

}  // namespace

std::optional<SettingsFileError> writeTextLines(
    const QString& path, const QStringList& lines,
    std::optional<QFileDevice::Permissions> permissions)
{
    // A read-only file is the user's wish that it stays, and a pipe or a device is no
    // settings file: both are left alone, as an access error.
    const QFileInfo place(path);
    if (place.exists() && (place.isFile() ? !writableByUs(path) : !place.isDir())) {
        SettingsFileError refused = accessError();
        refused.reason = place.isFile() ? QStringLiteral("%1 is read-only").arg(path)
                                        : QStringLiteral("%1 is not a regular file").arg(path);
        return refused;
    }
    const platform::Result written = platform::writeFileSafely(path, joinedWithCrLf(lines), permissions);
    if (written)
        return std::nullopt;
    SettingsFileError failure = errorOf(QFileDevice::FileError(written.code), path);
    failure.reason = written.reason;
    return failure;
}
