#include "capture/PictureSaving.h"

#include "capture/CaptureLog.h"
#include "core/PictureSavingNames.h"
#include "capture/PictureSavingJpeg.h"
#include "platform/files/BmpFile.h"
#include "settings/JpegWriter.h"

#include <QFileInfo>

#include <cerrno>
#include <initializer_list>

namespace {

SaveResult failed(const QString& path, const QString& error, SaveFailure failure)
{
    return {false, path, error, {}, failure};
}

// Why the picture cannot go into the folder; None when it can.
SaveResult folderProblem(const QString& folder, const QString& path)
{
    if (folder.isEmpty())
        return failed(path, QStringLiteral("no folder is set for pictures"), SaveFailure::NoFolder);
    if (!QFileInfo(folder).isDir())
        return failed(path, QStringLiteral("the folder %1 does not exist").arg(folder), SaveFailure::FolderMissing);
    return {true, path, {}, {}, SaveFailure::None};
}

SaveResult writeBmp(const QImage& image, const QString& folder, const QString& path)
{
    QString error;
    if (!platform::writeBmp24(image, path, &error))
        return failed(path, error, writeFailureKind(folder, error));
    return {true, path, {}, {}};
}

SaveFailure jpegFailureKind(const JpegResult& jpeg, const QString& folder)
{
    switch (jpeg.error) {
    case JpegError::None: return SaveFailure::None;
    case JpegError::EncoderUnavailable: return SaveFailure::EncoderUnavailable;
    case JpegError::NoPicture: return SaveFailure::NoPicture;
    case JpegError::EncodeFailed: return SaveFailure::EncodeFailed;
    case JpegError::WriteFailed: return writeFailureKind(folder, jpeg.reason);
    }
    return SaveFailure::WriteFailed;
}

SaveResult writeJpeg(const QImage& image, const QString& folder, const QString& path, int quality)
{
    const JpegResult jpeg = SavePictureAsJPG(path, quality, image);
    if (!jpeg)
        return {false, path, jpegFailureText(jpeg, path), jpeg.boxText(), jpegFailureKind(jpeg, folder)};
    return {true, path, {}, {}};
}

bool reasonNames(const QString& reason, std::initializer_list<int> errorNumbers)
{
    for (int number : errorNumbers)
        if (reason.contains(qt_error_string(number), Qt::CaseInsensitive))
            return true;
    return false;
}

SaveResult logged(SaveResult result)
{
    if (!result.ok)
        qCWarning(lcCapture).noquote() << "picture" << result.path << "not saved:" << result.reason;
    return result;
}

}  // namespace

QString saveFailureText(SaveFailure failure)
{
    switch (failure) {
    case SaveFailure::None: return {};
    case SaveFailure::NoFolder: return QStringLiteral("no folder is set");
    case SaveFailure::FolderMissing: return QStringLiteral("the folder does not exist");
    case SaveFailure::NoPermission: return QStringLiteral("no permission");
    case SaveFailure::DiskFull: return QStringLiteral("disk full");
    case SaveFailure::NoPicture: return QStringLiteral("no picture yet");
    case SaveFailure::EncoderUnavailable: return QStringLiteral("no JPEG encoder");
    case SaveFailure::EncodeFailed: return QStringLiteral("JPEG encoding failed");
    case SaveFailure::WriteFailed: return QStringLiteral("write error");
    }
    return QStringLiteral("write error");
}

SaveFailure writeFailureKind(const QString& folder, const QString& reason)
{
    if (!QFileInfo(folder).isDir())
        return SaveFailure::FolderMissing;
    if (reasonNames(reason, {EACCES, EPERM, EROFS}))
        return SaveFailure::NoPermission;
    if (reasonNames(reason, {ENOSPC, EFBIG, EDQUOT}))
        return SaveFailure::DiskFull;
    return SaveFailure::WriteFailed;
}

SaveResult saveImage(SettingsModel& s, WorkPicture& picture, int32_t& counter,
                     const QString& folder, const QDateTime& now)
{
    const QString target = pictureFolder(s, folder);
    PictureName name = nextPictureName(s, target, counter, now);
    if (s.EmbedTime != 0)
        drawStamp(picture, s, now);
    if (SaveResult problem = folderProblem(target, name.path); !problem.ok)
        return logged(problem);
    if (picture.image.isNull())
        return logged(failed(name.path, QStringLiteral("there is no picture to save"), SaveFailure::NoPicture));
    if (!name.replacesExisting)
        name.path = firstFreePath(name.path);
    // The writers log their own failures; only the checks above are this layer's to log.
    return s.SaveBitmapType != kSaveAsJpeg ? writeBmp(picture.image, target, name.path)
                                           : writeJpeg(picture.image, target, name.path, s.JPGQuality);
}

SaveResult saveImage(SettingsModel& s, WorkPicture& picture, int32_t& counter, const QString& folder)
{
    return saveImage(s, picture, counter, folder, QDateTime::currentDateTime());
}

QString snapshotNotice(const SaveResult& result)
{
    return result.ok ? QStringLiteral("Snapshot Saved")
                     : QStringLiteral("Snapshot NOT saved: ") + saveFailureText(result.failure);
}

QString burstFailureNotice(int saved, int frames, SaveFailure firstFailure)
{
    if (saved >= frames)
        return {};
    return QStringLiteral("Burst: %1 of %2 saved, %3").arg(saved).arg(frames).arg(saveFailureText(firstFailure));
}
