#include "capture/SaveAs.h"

#include "capture/CaptureLog.h"
#include "capture/PictureSaving.h"
#include "platform/files/BmpFile.h"
#include "settings/JpegWriter.h"
#include "settings/Module1Files.h"

#include <QFileInfo>

namespace {

// The shortest SaveAsPath taken as a folder; anything shorter is no choice.
constexpr qsizetype kMinimumSaveAsPath = 3;
constexpr qsizetype kExtensionLength = 3;

bool bitmapSetting(const SettingsModel& s)
{
    return s.SaveBitmapType != kSaveAsJpeg;
}

int32_t filterForScreenSize(int16_t screenSize, const QString& extension)
{
    return extension != kExtensionJpg ? screenSize : screenSize + 2;
}

QString initialFolder(const SettingsModel& s, const SaveAsMemory& memory)
{
    if (s.SaveAsPath.size() >= kMinimumSaveAsPath)
        return s.SaveAsPath;
    return memory.folder.isEmpty() ? s.AppPath : memory.folder;
}

int errorNumberOf(SaveFailure failure)
{
    switch (failure) {
    case SaveFailure::FolderMissing: return kSaveAsErrorPathNotFound;
    case SaveFailure::NoPermission: return kSaveAsErrorPermission;
    case SaveFailure::DiskFull: return kSaveAsErrorDiskFull;
    case SaveFailure::NoPicture: return kSaveAsErrorInvalidPicture;
    default: return kSaveAsErrorFileAccess;
    }
}

platform::Result writeBitmap(const QImage& picture, const QString& path)
{
    QString error;
    if (platform::writeBmp24(picture, path, &error))
        return platform::Result::success();
    return platform::Result::failure(error, errorNumberOf(writeFailureKind(QFileInfo(path).path(), error)));
}

int jpegErrorNumber(const JpegResult& jpeg, const QString& path)
{
    switch (jpeg.error) {
    case JpegError::NoPicture: return kSaveAsErrorInvalidPicture;
    case JpegError::WriteFailed: return errorNumberOf(writeFailureKind(QFileInfo(path).path(), jpeg.reason));
    default: return kSaveAsErrorFileAccess;
    }
}

platform::Result writeJpeg(const QImage& picture, const QString& path, int quality)
{
    const JpegResult jpeg = SavePictureAsJPG(path, quality, picture);
    if (jpeg)
        return platform::Result::success();
    return platform::Result::failure(jpeg.reason, jpegErrorNumber(jpeg, path));
}

}  // namespace

SaveAsProposal proposeSaveAs(const SettingsModel& s, const SaveAsMemory& memory)
{
    SaveAsProposal p;
    p.filterIndex = memory.filterIndex;
    p.extension = memory.extension;
    if (memory.filterIndex == kFilterNone) {
        p.extension = bitmapSetting(s) ? kExtensionBmp : kExtensionJpg;
        p.filterIndex = bitmapSetting(s) ? kFilterBmpTrueSize : kFilterJpgTrueSize;
    }
    if (s.SaveAsScreenSize > kScreenSizeNoPreference)
        p.filterIndex = filterForScreenSize(s.SaveAsScreenSize, p.extension);
    p.folder = initialFolder(s, memory);
    if (p.extension.size() < kExtensionLength) {
        p.extension = bitmapSetting(s) ? kExtensionBmp : kExtensionJpg;
        p.filterIndex = bitmapSetting(s) ? kFilterBmpScaled : kFilterJpgScaled;
    }
    QString name = QStringLiteral("MyImage.") + p.extension;
    QString folder = p.folder;
    p.fileName = UniqueFileName(name, folder);
    return p;
}

SaveDialogArgs saveAsDialogArgs(const SaveAsProposal& proposal)
{
    SaveDialogArgs a;
    a.fileName = proposal.fileName;
    a.overwritePrompt = true;
    a.filter = kSaveAsFilterList;
    a.filterIndex = proposal.filterIndex;
    a.initialFolder = proposal.folder;
    a.dialogTitle = kSaveAsDialogTitle;
    a.defaultExtension = proposal.extension;
    return a;
}

SaveAsTarget saveAsTarget(const QString& chosenPath, int32_t filterIndex, const QString& previousExtension)
{
    const qsizetype slash = chosenPath.lastIndexOf('/');
    const QString folder = chosenPath.left(slash + 1);
    QString name = chosenPath.mid(slash + 1);

    const bool bitmapFilter = filterIndex == kFilterBmpTrueSize || filterIndex == kFilterBmpScaled;
    const QString suffix = QFileInfo(name).suffix().toLower();
    const bool ownExtension = suffix == "bmp" || suffix == "jpg" || suffix == "jpeg";
    if (!ownExtension)
        name += bitmapFilter ? ".bmp" : ".jpg";

    SaveAsTarget target;
    target.extension = previousExtension;
    if (bitmapFilter)
        target.extension = kExtensionBmp;
    else if (filterIndex == kFilterJpgTrueSize || filterIndex == kFilterJpgScaled)
        target.extension = kExtensionJpg;
    target.path = folder + name;
    target.bitmap = QFileInfo(name).suffix().compare("bmp", Qt::CaseInsensitive) == 0;
    return target;
}

bool isScaledFilter(int32_t filterIndex)
{
    return filterIndex == kFilterBmpScaled || filterIndex == kFilterJpgScaled;
}

QSize saveAsPictureSize(int32_t filterIndex, QSize frameSize, QSize shownSize, bool stretched)
{
    if (isScaledFilter(filterIndex) && stretched && !shownSize.isEmpty())
        return shownSize;
    return frameSize;
}

QImage saveAsPicture(const QImage& frame, int32_t filterIndex, QSize shownSize, bool stretched)
{
    const QSize size = saveAsPictureSize(filterIndex, frame.size(), shownSize, stretched);
    if (frame.isNull() || size == frame.size())
        return frame;
    return frame.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

platform::Result writeSaveAsPicture(const QImage& picture, const SaveAsTarget& target, int jpegQuality)
{
    if (picture.isNull()) {
        qCWarning(lcCapture).noquote() << "picture" << target.path << "not saved: there is no frame yet";
        return platform::Result::failure(QStringLiteral("there is no frame to save"), kSaveAsErrorInvalidPicture);
    }
    return target.bitmap ? writeBitmap(picture, target.path) : writeJpeg(picture, target.path, jpegQuality);
}

QString saveAsErrorTitle(const QString& programTitle, int errorNumber)
{
    return programTitle + QStringLiteral(" - Error nr:") + QString::number(errorNumber);
}

SaveAsMemory rememberSaveAs(const SaveAsTarget& target, int32_t filterIndex)
{
    return {target.path, QFileInfo(target.path).path(), filterIndex, target.extension};
}
