#pragma once

#include "core/SettingsModel.h"

#include <QString>

#include <cstdint>

// True when the path names an existing normal file: not a folder and not hidden
// (a name with a leading "."). "*" and "?" in the file name match any run of
// characters and any one character, so a pattern asks whether any normal file of
// the folder matches; every other character, "[" and "]" too, stands for itself.
bool FileExists(const QString& path);

// A free name for a copy of `name` (a file name with a 4-character extension such
// as ".jpg") in `folder`: folder, the name without its extension, "-01" (or the
// first of "-02", "-03", ... past "-99" "-100", ...) and the extension. `folder`
// gets a trailing "/" when it had none; `name` becomes the result without the
// extension. Every kind of directory entry counts as taken, not only normal files.
QString UniqueFileName(QString& name, QString& folder);

// Splits at the last "/": SplitFileName the part after it, SplitFolder the part up
// to and including it. Without a "/", SplitFileName is empty and SplitFolder the path.
void SplitPath(SettingsModel& s, const QString& path);

// The path of a special folder (16 the desktop, 5 the documents), empty when there is none.
QString GetSpecialFolderPath(int32_t folderId);
