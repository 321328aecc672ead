#include "capture/ViewerHandOff.h"

#include "core/SaveModes.h"
#include "core/ViewerFolderCodes.h"
#include "settings/Module1Files.h"

QString handOffFile(const QString& appPath)
{
    return appPath + QStringLiteral("/temp.bmp");
}

OutsideViewerStart outsideViewerStart(SettingsModel& s)
{
    SplitPath(s, s.PictureViewer);
    // A bare program name has no folder of its own; it is found on the search path.
    const QString folder = s.SplitFileName.isEmpty() ? QString() : s.SplitFolder;
    return {s.PictureViewer, folder, {handOffFile(s.AppPath)}};
}

QString snapshotCaption(int32_t snapshotNumber, int16_t saveBitmapType)
{
    return QStringLiteral("Snapshot") + QString::number(snapshotNumber)
        + (saveBitmapType != kSaveAsJpeg ? QStringLiteral(".bmp") : QStringLiteral(".jpg"));
}

int16_t viewerFolderFor(int selectedSaveOption, int16_t currentFolderIndex)
{
    switch (selectedSaveOption) {
    case kModeAutoSave: return kFolderAutoSave;
    case kModeMotionSave: return kFolderMotionSave;
    case kModeMotionRecord: return kFolderMotionRecording;
    default: return currentFolderIndex;
    }
}
