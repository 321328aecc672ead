#pragma once

#include <QString>

namespace platform {

// The folder ids the program asks for. The numbers are fixed: stored settings and
// callers pass them as they are.
inline constexpr int kFolderDesktop = 16;
inline constexpr int kFolderDocuments = 5;

// The user's folder of that id (the XDG user folders), without a trailing
// separator; empty text for an id that has no counterpart here.
QString specialFolderPath(int folderId);

}  // namespace platform
