#pragma once

#include "platform/base/Result.h"

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
// On failure the reason names the file and says why ("disk full" for a disk or
// quota that ran out), code is the QFileDevice::FileError, and the failure is
// logged here, so callers do not log it again. Only a regular file is ever
// replaced: a device, a pipe or a socket at the path (also behind a symbolic link)
// is refused and stays as it is.
Result writeFileSafely(const QString& path, const QByteArray& bytes,
                       std::optional<QFileDevice::Permissions> permissions = std::nullopt);

// The same for content made piece by piece: `write` puts the whole new content into
// the device and says whether every write went through, so a large file needs no
// copy of itself in memory.
Result writeFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write,
                       std::optional<QFileDevice::Permissions> permissions = std::nullopt);

}  // namespace platform
