// Saving the shown picture, the clipboard, and handing the picture to other programs.
#include "viewer/frmViewer.h"

#include "buttons/ButtonPress.h"
#include "buttons/StyledButton.h"
#include "core/MouseButtonCodes.h"
#include "platform/lists/DirListBox.h"
#include "platform/lists/FileListBox.h"
#include "platform/shell/Shell.h"
#include "settings/FileDialogs.h"
#include "settings/Module1Files.h"
#include "settings/Prompts.h"
#include "viewer/PictureBox.h"
#include "viewer/ViewerLog.h"
#include "viewer/ViewerSaving.h"
#include "viewer/frmPrint.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>

namespace {

constexpr char kSaveFailedText[] = "Problem saving pictureframe";
constexpr char kApplicationTitle[] = "Tolvex";
constexpr char kNoPaintText[] =
    "Could not find MS-PAINT (MSPAINT.EXE or PBRUSH.EXE)!\n"
    "Please install Microsoft Paint using Add/Remove programs -> Windows Setup.";
constexpr char kNoPaintTitle[] = "Edit AutoLoad Picture";
constexpr char kNoEditorText[] = "No Picture Editor defined yet (Use Setup-button in main window).";
constexpr char kNoEditorTitle[] = "User Defined Picture Editor";

}  // namespace

void frmViewer::connectSaving()
{
    // Handlers of a mouse press run for Space, Enter, the access key and an
    // assistive tool's press too, as the left button.
    auto handler = [this](void (frmViewer::*h)(int, int, float, float)) {
        return [this, h](int b, int sh, float x, float y) { (this->*h)(b, sh, x, y); };
    };
    buttons::connectMouseDown(cmsSave2, this, handler(&frmViewer::cmsSave2_MouseDown));
    buttons::connectMouseDown(cmdSave, this, handler(&frmViewer::cmdSave_MouseDown));
    connect(mnu2Save, &QAction::triggered, this, &frmViewer::mnu2Save_Click);
    for (int i = 0; i < 2; ++i)
        connect(StyledButton2[i], &StyledButton::Click, this, [this, i] { StyledButton2_Click(i); });
    connect(mnu2Copy, &QAction::triggered, this, [this] { StyledButton2_Click(0); });
    connect(mnu2Openpaint, &QAction::triggered, this, [this] { StyledButton2_Click(1); });
    connect(mnuOpenPaint, &QAction::triggered, this, [this] { StyledButton2_Click(1); });
    connect(cmdIrfan, &StyledButton::Click, this, &frmViewer::cmdIrfan_Click);
    connect(mnu2OpenIrfanview, &QAction::triggered, this, &frmViewer::cmdIrfan_Click);
    connect(mnuOpenIrfan, &QAction::triggered, this, &frmViewer::cmdIrfan_Click);
    connect(StyledButton4, &StyledButton::Click, this, &frmViewer::StyledButton4_Click);
    connect(mnu2OpenEditor, &QAction::triggered, this, &frmViewer::StyledButton4_Click);
    buttons::connectMouseDown(cmdZarn, this, handler(&frmViewer::cmdZarn_MouseDown));
    buttons::connectMouseDown(CmdPrint, this, handler(&frmViewer::CmdPrint_MouseDown));
    connect(mnu2Print, &QAction::triggered, this, &frmViewer::mnu2Print_Click);
}

void frmViewer::cmsSave2_MouseDown(int, int, float, float)
{
    SaveAsInput in;
    in.shownFile = frameCaption_;
    in.videoOpen = cmdMPstart->Enabled();
    in.selectedFile = File1->FileName();
    in.listFolder = Dir1->Path();
    in.appPath = s_.AppPath;
    // A clip that plays is held on the frame on screen; its number is the proposal's.
    const bool sceneOpen = !AVIStatus().isEmpty();
    if (sceneOpen)
        in.lastPosition = int(holdVideoFrame());
    in.today = QDate::currentDate();
    const SaveAsPlan plan = saveAsPlan(in);
    if (plan.videoFrame) {
        CloseScene();
        if (sceneOpen)
            sCopyScreen();
    }
    picResult->setPicture(Image1->picture());
    yield();

    SaveDialogArgs dialog;
    dialog.fileName = plan.proposedName;
    dialog.overwritePrompt = true;
    dialog.filter = saveAsFilter();
    dialog.filterIndex = plan.filterIndex;
    dialog.initialFolder = plan.startFolder;
    dialog.dialogTitle = QStringLiteral("Save Picture");
    dialog.defaultExtension = plan.defaultExtension;
    dialog.owner = this;
    const DialogResult answer = services_.saveDialog ? services_.saveDialog(dialog) : ShowSaveDialog(dialog);
    yield();
    if (answer != DialogResult::Confirmed)
        return;
    // The dialog asked about the name it handed back; a name that gets the filter's
    // extension added is asked about again before an existing file is replaced.
    const ViewerSaveTarget target = viewerSaveTarget(dialog.fileName, dialog.filterIndex);
    if (target.path != dialog.fileName && QFileInfo::exists(target.path)
        && !services_.prompts.yesNo(this, replaceQuestionText(target.path), dialog.dialogTitle, BoxIcon::Exclamation))
        return;
    const platform::Result written = writeViewerPicture(picResult->picture(), target.path, target.format, s_.JPGQuality);
    if (!written) {
        showSaveFailure(written.code);  // the writer logged why
        return;
    }
    File1->Refresh();
}

void frmViewer::cmdSave_MouseDown(int Button, int Shift, float X, float Y)
{
    if (CheckIfSelection())
        cmsSave2_MouseDown(Button, Shift, X, Y);
}

void frmViewer::mnu2Save_Click()
{
    cmsSave2_MouseDown(buttons::kMouseLeft, 0, 1, 1);
}

void frmViewer::StyledButton2_Click(int Index)
{
    if (!CheckIfSelection())
        return;
    if (Index == 0)
        copyToClipboard();
    else
        openInPaint();
}

void frmViewer::copyToClipboard()
{
    // The live preview passes its frames through the clipboard.
    if (main_.previewRunning()) {
        main_.cmdStop_Click();
        services_.session.stoppedPreview = true;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(Image1->picture());
}

void frmViewer::showSaveFailure(int errorNumber)
{
    services_.prompts.message(this, kSaveFailedText,
                              QStringLiteral("%1 - Error nr:%2").arg(kApplicationTitle).arg(errorNumber),
                              BoxIcon::Information);
}

// An outside program never gets a stale or missing file: a picture that cannot be
// written says so and hands nothing on. The writer logged why.
bool frmViewer::writeHandOffFile(const QString& path)
{
    const platform::Result written = writeViewerPicture(Image1->picture(), path, SavedFormat::Bitmap, 0);
    if (!written)
        showSaveFailure(written.code);
    return written.ok;
}

bool frmViewer::startOutside(const ProgramCall& call)
{
    if (call.program.isEmpty())
        return false;
    const bool started = services_.shell.startProgramIn(call.workingFolder, call.program, call.arguments);
    if (!started)
        qCWarning(lcViewer) << "could not start" << call.program;
    return started;
}

void frmViewer::openInPaint()
{
    const QString picture = s_.AppPath + u'/' + QLatin1String(kHandOffFile);
    picResult->setPicture(Image1->picture());
    if (!writeHandOffFile(picture))
        return;
    yield();
    const ProgramFinder find = services_.findProgram ? services_.findProgram : ProgramFinder(findOnPath);
    const bool started = startOutside(paintCall(find, picture));
    yield();
    if (!started)
        services_.prompts.message(this, kNoPaintText, kNoPaintTitle, BoxIcon::Exclamation);
}

void frmViewer::cmdIrfan_Click()
{
    if (isVideoFile(File1->FileName())) {
        EnableButtons(2);
        startOutside(outsideViewerCall(s_.IrfanViewPath, listFolder() + File1->FileName()));
        return;
    }
    const QString picture = s_.AppPath + u'/' + QLatin1String(kHandOffFile);
    picResult->setPicture(Image1->picture());
    // The outside viewer reports nothing; without its file it takes the clipboard.
    const bool written = writeViewerPicture(Image1->picture(), picture, SavedFormat::Bitmap, 0).ok;
    yield();
    const bool started = written && startOutside(outsideViewerCall(s_.IrfanViewPath, picture));
    yield();
    if (!started) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setImage(Image1->picture());
        startOutside(outsideViewerClipboardCall(s_.IrfanViewPath));
        yield();
    }
}

void frmViewer::StyledButton4_Click()
{
    if (!CheckIfSelection())
        return;
    const QString picture = s_.AppPath + u'/' + QLatin1String(kHandOffFile);
    picResult->setPicture(Image1->picture());
    if (!writeHandOffFile(picture))
        return;
    yield();
    const bool started = startOutside(editorCall(s_.PictureEditor, picture));
    yield();
    if (!started)
        services_.prompts.message(this, kNoEditorText, kNoEditorTitle, BoxIcon::Information);
}

void frmViewer::cmdZarn_MouseDown(int, int, float, float)
{
    startOutside(companionCall(s_.AppPath, File1->Path()));
}

void frmViewer::CmdPrint_MouseDown(int, int, float, float)
{
    if (!CheckIfSelection())
        return;
    if (!writeHandOffFile(s_.AppPath + u'/' + QLatin1String(kPrintHandOffFile)))
        return;
    frmPrint print(s_.AppPath,
                   PrintServices{services_.prompts, services_.shell, services_.printer, services_.findProgram}, this);
    print.Form_Load();
    print.exec();
}

void frmViewer::mnu2Print_Click()
{
    CmdPrint_MouseDown(buttons::kMouseLeft, 0, 1, 1);
}
