#include "viewer/ViewerSaving.h"

#include "platform/files/BmpFile.h"
#include "settings/JpegWriter.h"
#include "viewer/ViewerLog.h"

#include <QChar>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

namespace {

bool endsWithNoCase(const QString& text, const char* tail)
{
    return text.endsWith(QLatin1String(tail), Qt::CaseInsensitive);
}

int errorNumberOf(const QString& reason)
{
    return reason.contains(QLatin1String("disk full")) ? kErrorDiskFull : kErrorFileAccess;
}

QString folderOf(const QString& program)
{
    return QFileInfo(program).absolutePath();
}

}  // namespace

QString undatedPictureName(const QDate& today)
{
    return QStringLiteral("Tolvex_") + today.toString(QStringLiteral("yy-MM-dd"));
}

SaveAsPlan saveAsPlan(const SaveAsInput& in)
{
    SaveAsPlan plan;
    const bool jpeg = in.shownFile.right(4).toLower() == QLatin1String(".jpg");
    plan.defaultExtension = jpeg ? QStringLiteral("jpg") : QStringLiteral("bmp");
    plan.filterIndex = jpeg ? 2 : 1;
    plan.videoFrame = in.videoOpen || endsWithNoCase(in.shownFile, ".avi");
    if (plan.videoFrame) {
        plan.proposedName = QStringLiteral("VideoFrame") + QString::number(in.lastPosition);
        plan.startFolder = in.appPath;
    } else {
        plan.proposedName = in.selectedFile;
        plan.startFolder = in.listFolder;
    }
    if (plan.proposedName.isEmpty())
        plan.proposedName = undatedPictureName(in.today);
    return plan;
}

QString saveAsFilter()
{
    return QStringLiteral("Bitmap Files (*.bmp)|*.bmp") + QChar(0)
           + QStringLiteral("JPG Picture Files (*.jpg)|*.jpg;*.jpeg");
}

ViewerSaveTarget viewerSaveTarget(const QString& chosenPath, int filterIndex)
{
    const qsizetype slash = chosenPath.lastIndexOf(u'/');
    const QString suffix = QFileInfo(chosenPath.mid(slash + 1)).suffix().toLower();
    ViewerSaveTarget target;
    target.path = chosenPath;
    if (suffix != QLatin1String("bmp") && suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg"))
        target.path += filterIndex == 1 ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
    target.format = endsWithNoCase(target.path, ".bmp") ? SavedFormat::Bitmap : SavedFormat::Jpeg;
    return target;
}

platform::Result writeViewerPicture(const QImage& picture, const QString& path, SavedFormat format, int quality)
{
    if (picture.isNull()) {
        qCWarning(lcViewer) << "no picture to write to" << path;
        return platform::Result::failure(QStringLiteral("no picture to save"), kErrorFileAccess);
    }
    if (format == SavedFormat::Bitmap) {
        QString error;
        if (!platform::writeBmp24(picture, path, &error))
            return platform::Result::failure(error, errorNumberOf(error));
        return platform::Result::success();
    }
    const JpegResult written = SavePictureAsJPG(path, quality, picture);
    if (!written)
        return platform::Result::failure(written.reason, errorNumberOf(written.reason));
    return platform::Result::success();
}

QString findOnPath(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

const QStringList& paintPrograms()
{
    static const QStringList names = {"pinta", "kolourpaint", "mtpaint", "gimp", "krita"};
    return names;
}

ProgramCall paintCall(const ProgramFinder& find, const QString& picture)
{
    for (const QString& name : paintPrograms()) {
        const QString program = find(name);
        if (!program.isEmpty())
            return {program, {picture}, folderOf(program)};
    }
    return {};
}

ProgramCall editorCall(const QString& editor, const QString& picture)
{
    if (editor.trimmed().isEmpty())
        return {};
    return {editor, {picture}, folderOf(editor)};
}

ProgramCall companionCall(const QString& appPath, const QString& folder)
{
    return {appPath + u'/' + QLatin1String(kCompanionTool), {folder}, appPath};
}

ProgramCall outsideViewerCall(const QString& viewer, const QString& file)
{
    if (viewer.isEmpty())
        return {};
    return {viewer, {file}, folderOf(viewer)};
}

ProgramCall outsideViewerClipboardCall(const QString& viewer)
{
    if (viewer.isEmpty())
        return {};
    return {viewer, {QStringLiteral("/clippaste")}, folderOf(viewer)};
}

ProgramCall printerSettingsCall(const ProgramFinder& find)
{
    const QString program = find(QStringLiteral("system-config-printer"));
    if (program.isEmpty())
        return {};
    return {program, {}, folderOf(program)};
}
