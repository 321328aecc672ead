#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <functional>

#include <optional>

namespace platform {

// Makes bytes the whole new content of path. The old file is replaced only once
// every byte has reached the disk: on any failure (no folder, no permission, a
// full disk) it stays as it was and no partial file is left. Qt's QSaveFile alone
// is not enough, as its commit replaces the file even when its final flush failed.
// On failure, error gets a readable text and fileError the kind of failure.
bool writeFileSafely(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                     std::optional<QFileDevice::Permissions> permissions = std::nullopt,
                     QFileDevice::FileError* fileError = nullptr);

// The same for content made piece by piece: `write` puts the whole new content into
// the device and says whether every write went through, so a large file needs no
// copy of itself in memory.
bool writeFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write,
                     QString* error = nullptr,
                     std::optional<QFileDevice::Permissions> permissions = std::nullopt,
                     QFileDevice::FileError* fileError = nullptr);

}  // namespace platform
