#pragma once

#include "platform/base/Result.h"

#include <QString>
#include <QStringList>

namespace platform {

// Error numbers the list boxes report for a folder they cannot show; fixed, the
// same as the file operations' numbers, so a window can put them in its titles.
inline constexpr int kErrorPathNotFound = 76;
inline constexpr int kErrorPermissionDenied = 70;

// A file-list pattern: globs separated by ";" ("*.jpg;*.bmp"), blanks around them
// ignored. An empty pattern means "*".
QStringList splitPattern(const QString& pattern);
// True when the name matches one of the globs, ignoring case ("*" any run, "?" one
// character).
bool matchesPattern(const QString& name, const QStringList& globs);

struct Listing {
    Result result;
    QStringList names;
};

// The folder's normal files matching the pattern, without hidden (dot) files,
// sorted ignoring case. A folder named like a picture is not a file.
Listing listFiles(const QString& folder, const QString& pattern);
// The folder's subfolders (full paths), without hidden ones, sorted ignoring case.
Listing listFolders(const QString& folder);
// Whether the path names a folder that can be listed; the failure carries the
// error number for a title.
Result checkFolder(const QString& folder);

// The mount points of real file systems in the text of /proc/self/mounts: "/"
// always first, then the others sorted; pseudo file systems (proc, sysfs, tmpfs,
// overlay, squashfs, cgroup, ...) left out. Escaped blanks ("\040") are decoded.
QStringList drivesFromMounts(const QString& mountsText);
// The drives of this machine.
QStringList mountedDrives();
// The drive that holds the path: the longest mount point that is a prefix of it.
QString driveOfPath(const QStringList& drives, const QString& path);

}  // namespace platform
