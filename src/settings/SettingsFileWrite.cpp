#include "settings/SettingsFileWrite.h"

#include "platform/files/SaveFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

SettingsFileError pathNotFound()
{
    return {76, QStringLiteral("Path not found")};
}

SettingsFileError accessError()
{
    return {75, QStringLiteral("Path/File access error")};
}

SettingsFileError errorOf(QFileDevice::FileError error, const QString& path)
{
    switch (error) {
    case QFileDevice::PermissionsError:
        return {70, QStringLiteral("Permission denied")};
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return {61, QStringLiteral("Disk full")};
    case QFileDevice::OpenError:
        if (!QFileInfo(path).absoluteDir().exists())
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
    const platform::Result written = platform::writeFileSafely(path, joinedWithCrLf(lines), permissions);
    if (written)
        return std::nullopt;
    return errorOf(QFileDevice::FileError(written.code), path);
}
