#include "capture/PictureSaving.h"

#include "capture/CaptureLog.h"
#include "capture/PictureSavingJpeg.h"
#include "capture/PictureSavingNames.h"
#include "platform/files/BmpFile.h"
#include "settings/JpegWriter.h"

#include <QFileInfo>

namespace {

SaveResult failed(const QString& path, const QString& reason) { return {false, path, reason, {}}; }

// A failure found here, before any writer ran; the writers log their own.
SaveResult refused(const QString& path, const QString& reason)
{
    qCWarning(lcCapture).noquote() << "picture not saved:" << reason;
    return failed(path, reason);
}

// Why the picture cannot go into the folder, or empty text when it can.
QString folderProblem(const QString& folder)
{
    if (folder.isEmpty())
        return QStringLiteral("no folder is set for pictures");
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("the folder %1 does not exist").arg(folder);
    return {};
}

SaveResult writeBmp(const QImage& image, const QString& path)
{
    QString error;
    if (!platform::writeBmp24(image, path, &error))
        return failed(path, error);
    return {true, path, {}, {}};
}

SaveResult writeJpeg(const QImage& image, const QString& path, int quality)
{
    const JpegResult jpeg = SavePictureAsJPG(path, quality, image);
    if (!jpeg)
        return {false, path, jpegFailureText(jpeg, path), jpeg.boxText()};
    return {true, path, {}, {}};
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
        return refused(name.path, problem);
    if (picture.image.isNull())
        return refused(name.path, QStringLiteral("there is no picture to save"));
    if (!name.replacesExisting)
        name.path = firstFreePath(name.path);
    return s.SaveBitmapType != kSaveAsJpeg ? writeBmp(picture.image, name.path)
                                 : writeJpeg(picture.image, name.path, s.JPGQuality);
}

SaveResult saveImage(SettingsModel& s, WorkPicture& picture, int32_t& counter, const QString& folder)
{
    return saveImage(s, picture, counter, folder, QDateTime::currentDateTime());
}

QString snapshotNotice(const SaveResult& result)
{
    return result.ok ? QStringLiteral("Snapshot Saved")
                     : QStringLiteral("Snapshot NOT saved: ") + result.reason;
}
