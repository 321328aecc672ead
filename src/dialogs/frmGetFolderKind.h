#pragma once

#include <QString>

#include <optional>

// The six working folders the folder chooser serves. The setup dialog names the one
// it wants only through the chooser's caption.
enum class FolderKind : int {
    MotionRecording = 0,
    AutoSave,
    Picture,
    Video,
    MotionPics,
    SaveAs,
};
inline constexpr int kFolderKinds = 6;

// The kind a caption names, by the first of "recording", "autosave", "picture",
// "video", "motion" and "save as" found in it (case ignored); nothing for none.
std::optional<FolderKind> folderKindOfCaption(const QString& caption);

// The shortcut buttons' names, as their tool tips show them.
inline constexpr char kDesktopFolder[] = "Desktop folder";
inline constexpr char kDocumentsFolder[] = "My Documents folder";

// What the chooser says when a folder the user opened cannot be opened.
QString folderRefusedText(const QString& path, const QString& reason);
// What it says when a shortcut's folder ("Desktop folder") is missing; path may be empty.
QString missingSpecialFolderText(const QString& name, const QString& path);
