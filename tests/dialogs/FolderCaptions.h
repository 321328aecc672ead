#pragma once

#include "dialogs/frmGetFolderKind.h"

#include <utility>

// The setup dialog's folder chooser captions and the folder each one names.
inline constexpr std::pair<const char*, FolderKind> kFolderCaptions[] = {
    {"Select your motion recording save folder", FolderKind::MotionRecording},
    {"Select your autosave folder", FolderKind::AutoSave},
    {"Select your picture folder", FolderKind::Picture},
    {"Select your video folder", FolderKind::Video},
    {"Select your motionsave pics folder", FolderKind::MotionPics},
    {"Select your 'Save As...' folder", FolderKind::SaveAs},
};
