#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <optional>

// A failed write, numbered and described as the program's error boxes show it.
struct SettingsFileError {
    int number = 0;
    QString description;
    QString reason;  // the system's own words, with the path, for the log
};

// Writes the lines, each ended by CR LF, in UTF-8, through a temporary file that
// replaces the old one only once everything was written, so a failed write leaves
// the old file as it was. permissions, when given, are set on the new file. A
// folder, a pipe or a device in the file's place is left alone (an access error).
std::optional<SettingsFileError> writeTextLines(
    const QString& path, const QStringList& lines,
    std::optional<QFileDevice::Permissions> permissions = std::nullopt);

// The settings file holds the FTP password in plain text: owner only.
inline constexpr QFileDevice::Permissions kSettingsFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner;
