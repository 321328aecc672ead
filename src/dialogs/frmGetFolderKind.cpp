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

QString folderRefusedText(const QString& path, const QString& reason)
{
    return QStringLiteral("The folder %1 cannot be opened: %2.").arg(path, reason);
}

QString missingSpecialFolderText(const QString& name, const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("This system has no %1.").arg(name);
    return QStringLiteral("The %1 %2 does not exist.").arg(name, path);
}
