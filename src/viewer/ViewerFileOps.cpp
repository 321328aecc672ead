#include "viewer/ViewerFileOps.h"

#include "platform/files/FileOperations.h"
#include "viewer/ViewerDisplay.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QLoggingCategory>


bool deleteNeedsConfirmation(int noConfirmDelete)
{
    return noConfirmDelete != kNoConfirmDelete;
}

bool deleteAsksTurnOff(int noConfirmDelete, bool questionAsked)
{
    return noConfirmDelete == kConfirmAndAskTurnOff && !questionAsked;
}

int noConfirmDeleteFor(TurnOffAnswer answer)
{
    switch (answer) {
    case TurnOffAnswer::Yes: return kNoConfirmDelete;
    case TurnOffAnswer::No: return kConfirmDelete;
    case TurnOffAnswer::Cancel: break;
    }
    return kConfirmAndAskTurnOff;
}

DeleteAllKind deleteAllKind(const QString& selectedName)
{
    return isVideoFile(selectedName) ? DeleteAllKind::Movie : DeleteAllKind::Picture;
}

QString deleteAllKindText(DeleteAllKind kind)
{
    return kind == DeleteAllKind::Movie ? QStringLiteral("movie") : QStringLiteral("picture");
}

QStringList deleteAllTargets(const QStringList& listedNames, DeleteAllKind kind)
{
    const QStringList endings = kind == DeleteAllKind::Movie ? QStringList{".avi"} : QStringList{".jpg", ".bmp"};
    QStringList targets;
    for (const QString& name : listedNames) {
        const QString ending = name.right(4).toLower();
        if (endings.contains(ending) && name.size() > 4)
            targets.append(name);
    }
    return targets;
}

DeleteAllResult deleteAll(const QString& folder, const QStringList& listedNames, DeleteAllKind kind)
{
    DeleteAllResult result;
    const QStringList targets = deleteAllTargets(listedNames, kind);
    if (targets.isEmpty())
        return {false, platform::kErrorFileNotFound, {}};
    for (const QString& name : targets) {
        const QString path = folder + name;
        const QFileInfo info(path);
        platform::Result removed = info.isDir() && !info.isSymLink()
                                       ? platform::Result::failure("a folder: " + path, platform::kErrorFileAccess)
                                       : platform::removeFile(path);
        if (removed)
            continue;
        qCWarning(lcViewer) << "could not delete" << removed.reason;
        if (result.ok)
            result.errorNumber = removed.code;
        result.ok = false;
        result.notDeleted.append(name);
    }
    return result;
}

QString deleteAllFailureText(const DeleteAllResult& result)
{
    QString text = QStringLiteral("Could not delete all files.");
    for (const QString& name : result.notDeleted)
        text += '\n' + name;
    return text;
}

RenameCheck checkRename(const QString& folder, const QString& oldName, const QString& reply)
{
    if (reply.isEmpty() || (folder + oldName).toLower() == (folder + reply).toLower())
        return RenameCheck::Nothing;
    const QString lower = reply.toLower();
    const bool hasExtension = lower.contains(".jpg") || lower.contains(".bmp") || lower.contains(".avi") ||
                              lower.contains(".jpeg");
    if (!hasExtension)
        return RenameCheck::NeedsExtension;
    if (reply.contains('/'))
        return RenameCheck::NotAName;
    return RenameCheck::Go;
}

namespace {

QString permissionText(QFileDevice::Permissions p)
{
    const std::pair<QFileDevice::Permission, char> bits[] = {
        {QFileDevice::ReadOwner, 'r'}, {QFileDevice::WriteOwner, 'w'}, {QFileDevice::ExeOwner, 'x'},
        {QFileDevice::ReadGroup, 'r'}, {QFileDevice::WriteGroup, 'w'}, {QFileDevice::ExeGroup, 'x'},
        {QFileDevice::ReadOther, 'r'}, {QFileDevice::WriteOther, 'w'}, {QFileDevice::ExeOther, 'x'}};
    QString text;
    for (const auto& [bit, letter] : bits)
        text += p.testFlag(bit) ? QChar(letter) : QChar('-');
    return text;
}

}  // namespace

QList<PropertyLine> filePropertyLines(const QString& path)
{
    const QFileInfo info(path);
    QList<PropertyLine> lines{
        {"Name", info.fileName()},
        {"Folder", info.absolutePath()},
        {"Size", QStringLiteral("%1 bytes").arg(info.size())},
        {"Modified", info.lastModified().toString("yyyy-MM-dd hh:mm:ss")},
        {"Permissions", permissionText(info.permissions())},
    };
    const QSize pictureSize = QImageReader(path).size();
    if (pictureSize.isValid())
        lines.append({"Picture size", QStringLiteral("%1 x %2").arg(pictureSize.width()).arg(pictureSize.height())});
    return lines;
}
