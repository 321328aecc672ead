#include "capture/PictureSaving.h"

#include "capture/PictureSavingNames.h"
#include "capture/PictureSavingJpeg.h"
#include "platform/BmpFile.h"

#include <QFileInfo>

namespace {

SaveResult failed(const QString& path, const QString& error) { return {false, path, error}; }

// Why the picture cannot go into the folder, or empty text when it can.
QString folderProblem(const QString& folder)
{
    if (folder.isEmpty())
        return QStringLiteral("no folder is set for pictures");
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("the folder %1 does not exist").arg(folder);
    return {};
}

}  // namespace

SaveResult saveImage(SettingsModel& s, WorkPicture& picture, int32_t& counter,
                     const QString& folder, const QDateTime& now)
{
    const QString target = pictureFolder(s, folder);
    PictureName name = nextPictureName(s, target, counter, now);
    if (s.EmbedTime != 0)
        drawStamp(picture, s, now);
    if (const QString problem = folderProblem(target); !problem.isEmpty())
        return failed(name.path, problem);
    if (picture.image.isNull())
        return failed(name.path, QStringLiteral("there is no picture to save"));
    if (!name.replacesExisting)
        name.path = firstFreePath(name.path);
    QString error;
    const bool written = s.SaveBitmapType != 0
                             ? platform::writeBmp24(picture.image, name.path, &error)
                             : writeJpegPicture(picture.image, name.path, s.JPGQuality, &error);
    return written ? SaveResult{true, name.path, {}} : failed(name.path, error);
}

SaveResult saveImage(SettingsModel& s, WorkPicture& picture, int32_t& counter, const QString& folder)
{
    return saveImage(s, picture, counter, folder, QDateTime::currentDateTime());
}

QString snapshotNotice(const SaveResult& result)
{
    return result.ok ? QStringLiteral("Snapshot Saved")
                     : QStringLiteral("Snapshot NOT saved: ") + result.error;
}
