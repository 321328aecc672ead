#pragma once

#include "platform/base/Result.h"

#include <QString>

namespace platform {

// Error numbers of file operations. The windows show them in their titles and
// messages, so each number is fixed (53 is "file not found" wherever it appears).
inline constexpr int kErrorFileNotFound = 53;
inline constexpr int kErrorFileExists = 58;
inline constexpr int kErrorPermission = 70;
inline constexpr int kErrorFileAccess = 75;

// The error number for an errno value.
int fileErrorNumber(int errnoValue);

// Deletes one file outright (no waste basket). A folder is never deleted.
Result removeFile(const QString& path);
// Renames a file; an existing file at the new name is never replaced (code 58).
Result renameFile(const QString& from, const QString& to);

}  // namespace platform
