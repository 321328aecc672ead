#include "settings/SettingsFileWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

SettingsFileError pathNotFound()
{
    return {76, QStringLiteral("Path not found")};
}

SettingsFileError accessError()
{
    return {75, QStringLiteral("Path/File access error")};
}

SettingsFileError errorOf(const QSaveFile& file, const QString& path)
{
    switch (file.error()) {
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return errorOf(file, path);
    if (permissions && !file.setPermissions(*permissions))
        return errorOf(file, path);
    const QByteArray bytes = joinedWithCrLf(lines);
    // QSaveFile::commit() replaces the old file even when its own final flush
    // failed, so a short write must be caught before it.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return errorOf(file, path);
    if (!file.commit())
        return errorOf(file, path);
    return std::nullopt;
}
