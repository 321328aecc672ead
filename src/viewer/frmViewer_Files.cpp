// The file operations of the viewer: delete, rename, delete all, properties,
// refresh, the file manager, the Delete key and the two pop-up menus.
#include "viewer/frmViewer.h"

#include "buttons/StyledButton.h"
#include "core/MouseButtonCodes.h"
#include "platform/files/FileOperations.h"
#include "platform/lists/DirListBox.h"
#include "platform/lists/FileListBox.h"
#include "platform/shell/Shell.h"
#include "settings/Prompts.h"
#include "settings/SettingsFile.h"
#include "viewer/PictureBox.h"
#include "viewer/ViewerFileOps.h"

#include <QCursor>
#include <QDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QSignalBlocker>
#include <QUrl>

namespace {

enum FileButton { kDelete, kRename, kDeleteAll, kProperties, kRefresh, kExplorer };
constexpr int kKeyDelete = 46;

}  // namespace

void frmViewer::StyledButton1_Click(int Index)
{
    closeVideoBeforeFileOperation();
    switch (Index) {
    case kDelete: deleteSelected(); break;
    case kRename: renameSelected(); break;
    case kDeleteAll: deleteAllOfKind(); break;
    case kProperties: showPropertiesOfShown(); break;
    case kRefresh: refreshLists(); break;
    case kExplorer: menuexplorer_Click(); break;
    default: break;
    }
}

void frmViewer::closeVideoBeforeFileOperation()
{
    if (cmdMPstart->Enabled() || isVideoFile(frameCaption())) {
        CloseScene();
        EnableButtons(3);
        cmdMPstart->setEnabled(false);
    }
}

void frmViewer::deleteSelected()
{
    const QString name = File1->FileName();
    if (name.isEmpty()) {
        services_.prompts.message(this, "Please select a file first", "Viewer", BoxIcon::None);
        return;
    }
    const bool yes = !deleteNeedsConfirmation(s_.NoConfirmDelete) ||
                     services_.prompts.yesNo(this, "Are you sure to delete " + name + "?", "Delete",
                                             BoxIcon::Information);
    if (deleteAsksTurnOff(s_.NoConfirmDelete, services_.session.deleteQuestionAsked)) {
        const BoxAnswer answer = services_.prompts.yesNoCancel(
            this, "Do you want turn off the Delete confirmation-dialog?", "Confirmation on Delete",
            BoxIcon::Information);
        const TurnOffAnswer turnOff = answer == BoxAnswer::Yes  ? TurnOffAnswer::Yes
                                      : answer == BoxAnswer::No ? TurnOffAnswer::No
                                                                : TurnOffAnswer::Cancel;
        s_.NoConfirmDelete = static_cast<int16_t>(noConfirmDeleteFor(turnOff));
        WriteIniValue(s_, "[NoConfirmDelete]", s_.NoConfirmDelete);
        services_.session.deleteQuestionAsked = true;
    }
    if (!yes)
        return;
    const QString path = listFolder() + name;
    const int index = File1->ListIndex();
    const platform::Result removed = platform::removeFile(path);
    if (!removed) {
        qCWarning(lcViewer) << "could not delete:" << removed.reason;
        services_.prompts.message(this, "Could not delete file.", "Delete error nr" + QString::number(removed.code),
                                  BoxIcon::None);
        return;
    }
    File1->Refresh();
    File1->setListIndex(index);
    afterFileGone(path);
}

void frmViewer::afterFileGone(const QString& path)
{
    // The next file of the list shows; with none left (or the shown file gone and
    // nothing else shown) the view, its size line, its caption and its buttons say
    // that nothing is shown.
    if (File1->ListIndex() < 0 || frameCaption() == path)
        emptyShownPicture();
}

void frmViewer::renameSelected()
{
    const QString oldName = File1->FileName();
    if (oldName.isEmpty()) {
        services_.prompts.message(this, "Please select a file first", "Viewer", BoxIcon::None);
        return;
    }
    const QString reply =
        services_.prompts
            .inputBox(this, "Please enter the new filename (include .jpg, .bmp,...)", "Rename", oldName)
            .trimmed();
    const QString folder = listFolder();
    switch (checkRename(folder, oldName, reply)) {
    case RenameCheck::Nothing: return;
    case RenameCheck::NeedsExtension:
        services_.prompts.message(this, "Please enter the filename with the extension (.jpg, .bmp, .avi)",
                                  QString(), BoxIcon::None);
        return;
    case RenameCheck::NotAName:
        services_.prompts.message(this, "A file name cannot contain \"/\". Please choose another name.", "Rename",
                                  BoxIcon::Exclamation);
        return;
    case RenameCheck::Go: break;
    }
    if (CheckFileExists(folder + reply)) {
        services_.prompts.message(this,
                                  "File already exists. Could not rename file. Please choose another name.",
                                  "Rename error 58-0", BoxIcon::Information);
        return;
    }
    const platform::Result renamed = platform::renameFile(folder + oldName, folder + reply);
    if (!renamed) {
        qCWarning(lcViewer) << "could not rename:" << renamed.reason;
        services_.prompts.message(this, "Could not rename file.", "Rename error nr:" + QString::number(renamed.code),
                                  BoxIcon::Exclamation);
    }
    File1->Refresh();
    if (renamed && frameCaption() == folder + oldName) {
        // The shown file goes by its new name: the caption, the properties and the
        // list's selection follow it.
        setFrameCaption(folder + reply);
        if (MovieFile == folder + oldName)
            MovieFile = folder + reply;
        for (int i = 0; i < File1->ListCount(); ++i)
            if (File1->List(i) == reply) {
                const QSignalBlocker quiet(File1);
                File1->setListIndex(i);
            }
    }
}

bool frmViewer::CheckFileExists(const QString& path) const
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

void frmViewer::deleteAllOfKind()
{
    const DeleteAllKind kind = deleteAllKind(File1->FileName());
    const bool yes = services_.prompts.yesNo(
        this, "Are you sure to delete all " + deleteAllKindText(kind) + " files?", "Delete all", BoxIcon::Information);
    QStringList listed;
    for (int i = 0; yes && i < File1->ListCount(); ++i)
        listed.append(File1->List(i));
    // A No clears the shown picture as a finished deletion does.
    const DeleteAllResult result = yes ? deleteAll(listFolder(), listed, kind) : DeleteAllResult{};
    if (result.ok) {
        emptyShownPicture();
    } else {
        services_.prompts.message(this, deleteAllFailureText(result),
                                  "Delete error nr" + QString::number(result.errorNumber), BoxIcon::None);
    }
    File1->Refresh();
}

void frmViewer::showPropertiesOfShown()
{
    const int index = File1->ListIndex();
    DisplayFileProperties(frameCaption());
    yield();
    File1->setListIndex(index);
}

void frmViewer::DisplayFileProperties(const QString& sFullFileAndPathName)
{
    if (sFullFileAndPathName.isEmpty() || sFullFileAndPathName == "View")
        return;
    if (!services_.shell.showItemProperties(sFullFileAndPathName))
        showOwnProperties(sFullFileAndPathName);
}

void frmViewer::showOwnProperties(const QString& path)
{
    auto* dialog = new QDialog(this);
    dialog->setObjectName("FileProperties");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QFileInfo(path).fileName() + " - Properties");
    auto* form = new QFormLayout(dialog);
    for (const PropertyLine& line : filePropertyLines(path)) {
        auto* value = new QLabel(line.value, dialog);
        value->setObjectName("property_" + line.label);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(line.label + ":", value);
    }
    dialog->open();
}

void frmViewer::refreshLists()
{
    Dir1->Refresh();
    File1->Refresh();
    File1->setListIndex(0);
}

void frmViewer::menuexplorer_Click()
{
    const QString folder = File1->Path();
    if (!services_.shell.openUrl(QUrl::fromLocalFile(folder)))
        qCWarning(lcViewer) << "no file manager opened" << folder;
}

void frmViewer::menurefresh_Click()
{
    File1->Refresh();
    if (File1->ListCount() > 0)
        File1->setListIndex(0);
}

void frmViewer::mnuProps_Click()
{
    DisplayFileProperties(frameCaption());
}

void frmViewer::File1_KeyUp(int KeyCode, int)
{
    if (KeyCode == kKeyDelete)
        deleteByKey();
}

void frmViewer::deleteByKey()
{
    const QString name = File1->FileName();
    if (name.isEmpty())
        return;
    const QString path = listFolder() + name;
    const int index = File1->ListIndex();
    const platform::Result removed = platform::removeFile(path);
    if (!removed) {
        qCWarning(lcViewer) << "could not delete:" << removed.reason;
        return;
    }
    File1->Refresh();
    File1->setListIndex(index);
    afterFileGone(path);
}

void frmViewer::File1_MouseDown(int Button, int, float, float)
{
    const bool selected = File1->ListIndex() >= 0;
    const bool video = selected && isVideoFile(File1->FileName());
    mnuMediaPlayer->setEnabled(video);
    mnuOpenPaint->setEnabled(selected && !video);
    mnuOpenIrfan->setEnabled(selected);
    if (Button == buttons::kMouseRight)
        menu->popup(QCursor::pos());
}

void frmViewer::Image1_MouseDown(int Button, int, float, float)
{
    if (Button == buttons::kMouseRight)
        menu2->popup(QCursor::pos());
}
