#include "dialogs/frmGetFolderKind.h"

#include <array>
#include <utility>

std::optional<FolderKind> folderKindOfCaption(const QString& caption)
{
    // "recording" comes before "motion", so the motion recording folder is not taken
    // for the motion pictures folder.
    static const std::array<std::pair<const char*, FolderKind>, kFolderKinds> words = {{
        {"recording", FolderKind::MotionRecording},
        {"autosave", FolderKind::AutoSave},
        {"picture", FolderKind::Picture},
        {"video", FolderKind::Video},
        {"motion", FolderKind::MotionPics},
        {"save as", FolderKind::SaveAs},
    }};
    const QString lower = caption.toLower();
    for (const auto& [word, kind] : words)
        if (lower.contains(QLatin1String(word)))
            return kind;
    return std::nullopt;
}
