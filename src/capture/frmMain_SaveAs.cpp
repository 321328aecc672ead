// Save As and the hand-off of the live picture to a viewer.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "capture/CaptureLog.h"
#include "capture/SaveAs.h"
#include "capture/ViewerHandOff.h"
#include "platform/files/BmpFile.h"
#include "platform/files/FileOperations.h"
#include "platform/shell/Shell.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>

Prompts& frmMain::prompts()
{
    if (prompts_)
        return *prompts_;
    if (!ownPrompts_)
        ownPrompts_ = makeWindowPrompts();
    return *ownPrompts_;
}

void frmMain::cmdSaveAs_Click()
{
    SaveDialogArgs dialog = saveAsDialogArgs(proposeSaveAs(s_, saveAs_));
    dialog.owner = this;
    const bool confirmed = saveDialog_(dialog) == DialogResult::Confirmed;
    const QString extension = dialog.defaultExtension;
    // The picture is written from its own copy: an automatic save running in the
    // yield below refills and stamps the work picture.
    const QImage picture = saveAsPicture(Image4->image(), dialog.filterIndex, Image4->size(), Check1->Value());
    PicContainer.take(picture);
    yield();
    if (!confirmed)
        return;
    const SaveAsTarget target = saveAsTarget(dialog.fileName, dialog.filterIndex, extension);
    // The dialog asked about the name it handed back; a name the rules changed is
    // asked about again before an existing file of that name is replaced.
    if (target.path != dialog.fileName && QFileInfo::exists(target.path)
        && !prompts().yesNo(this, replaceQuestionText(target.path), kSaveAsDialogTitle, BoxIcon::Exclamation))
        return;
    const platform::Result written = writeSaveAsPicture(picture, target, s_.JPGQuality);
    if (!written) {
        prompts().message(this, kSaveAsProblemText,
                          saveAsErrorTitle(QGuiApplication::applicationDisplayName(), written.code),
                          BoxIcon::Information);
        return;
    }
    saveAs_ = rememberSaveAs(target, dialog.filterIndex);
    PicContainer.take(QImage());
}

void frmMain::cmdViewer_MouseDown(int, int, float, float)
{
    if (s_.StayOnTop)
        SetAlwaysOnTop(false);
    if (!s_.PictureViewer.isEmpty())
        handToOutsideViewer();
    else
        openBuiltInViewer();
    if (s_.StayOnTop)
        SetAlwaysOnTop(true);
}

void frmMain::handToOutsideViewer()
{
    const OutsideViewerStart start = outsideViewerStart(s_);
    const QString file = handOffFile(s_.AppPath);
    if (Image4->image().isNull()) {
        qCInfo(lcCapture) << "no frame yet to hand to the picture viewer";
        return;
    }
    // A viewer handed a file that could not be written would find no frame to show;
    // the writer has logged why.
    if (!platform::writeBmp24(Image4->image(), file))
        return;
    handOffFileWritten_ = true;
    if (!shell_.startProgramIn(start.workingFolder, start.program, start.arguments)) {
        qCWarning(lcCapture).noquote() << "the picture viewer" << start.program << "could not be started";
        removeHandOffFile();
    }
    yield();
}

void frmMain::openBuiltInViewer()
{
    const bool pumping = tmrMain->isActive();
    tmrMain->stop();
    ViewerHandOff handOff;
    if (!Image4->isHidden() && PreviewStarted) {
        handOff.snapshot = Image4->image();
        handOff.snapshotCaption = snapshotCaption(++viewerSnapshots_, s_.SaveBitmapType);
    }
    ViewerFolderIndex = viewerFolderFor(checkedSaveOption(), ViewerFolderIndex);
    if (openers_.openViewer)
        openers_.openViewer(handOff);
    // The viewer may have stopped the preview and started it again, which runs the
    // pump already; a preview it left stopped has nothing to pump.
    if (pumping && !tmrMain->isActive() && capwnd_ != 0)
        tmrMain->start();
}

void frmMain::removeHandOffFile()
{
    if (!handOffFileWritten_)
        return;
    handOffFileWritten_ = false;
    platform::removeFile(handOffFile(s_.AppPath));
}
