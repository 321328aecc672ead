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
