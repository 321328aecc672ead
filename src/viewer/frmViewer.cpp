#include "viewer/frmViewer.h"

#include "buttons/AccessKey.h"
#include "buttons/StyledButton.h"
#include "core/MouseButtonCodes.h"
#include "core/ViewerFolderCodes.h"
#include "platform/lists/DirListBox.h"
#include "platform/lists/DriveListBox.h"
#include "platform/lists/FileListBox.h"
#include "settings/Module1Files.h"
#include "settings/Prompts.h"
#include "settings/SettingsFile.h"
#include "platform/files/FileOperations.h"
#include "platform/video/MciPlayer.h"
#include "platform/video/VideoSurface.h"
#include "viewer/FrmBlend.h"
#include "viewer/PictureBox.h"
#include "viewer/PictureReader.h"
#include "viewer/SlideShow.h"
#include "viewer/ViewerFileOps.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

frmViewer::frmViewer(SettingsModel& settings, MainWindowLink& mainWindow, ViewerServices services, QWidget* parent)
    : QDialog(parent), s_(settings), main_(mainWindow), services_(services)
{
    setObjectName("frmViewer");
    buildControls();
    // The design: nothing shown yet, no timer running.
    applyButtonSet(ButtonSet::Nothing);
    cmdMPpauze->setEnabled(false);  // nothing plays yet
    tmrPosition->stop();
    connectPlayer();
    connectHandlers();
}

frmViewer::~frmViewer()
{
    player_->unregisterWindow(movieWindow_);
}

void frmViewer::Form_Load()
{
    Dir1->setPath(s_.PicturePath);
    for (int kind : folderKindsForSaveMode(s_.SaveMode, s_.MotionRecordMode)) {
        opt_folders_MouseDown(kind, buttons::kMouseLeft, 0, 0, 0);
        opt_folders[kind]->setValue(true);
    }
    if (!s_.IrfanViewPath.isEmpty()) {
        cmdIrfan->show();
        mnuOpenIrfan->setVisible(true);
    }
    if (!s_.PictureEditor.isEmpty()) {
        SplitPath(s_, s_.PictureEditor);
        StyledButton4->setCaption(editorCaption(s_.SplitFileName));
        StyledButton4->show();
    } else {
        StyledButton4->show();
        StyledButton4->setEnabled(false);
    }
    cmdContrast->show();
    opt_folders[4]->show();
    if (File1->ListCount() == 0)
        cmdSlide->setEnabled(false);
    if (s_.SlideTiming >= 0)
        InitSlideTiming();
}

void frmViewer::Form_Unload()
{
    const QString temp = s_.AppPath + "/temp.bmp";
    if (FileExists(temp))
        platform::removeFile(temp);
    picResult->clear();
    Source->clear();
    FrmBlend->clearPartner();
    // From here on the file list loads nothing (File1_Click ignores it as during a show).
    setSlideShowRunning(true);
    // A show still waiting between slides ends before the window goes.
    closing_ = true;
    slideWait_->stop();
    if (tmrVideoStatus->isActive() && !cmdMPstart->Enabled())
        CloseScene();
    // Only a preview this viewer stopped comes back, and only once.
    if (services_.session.stoppedPreview && !main_.stopEnabled())
        main_.cmdStart_Click();
    services_.session.stoppedPreview = false;
}

void frmViewer::unloadOnce()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    Form_Unload();
}

void frmViewer::done(int result)
{
    unloadOnce();
    QDialog::done(result);
}

void frmViewer::closeEvent(QCloseEvent* event)
{
    unloadOnce();
    QDialog::closeEvent(event);
}

bool frmViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseButtonPress)
        Frame1_MouseDown();
    return QDialog::eventFilter(watched, event);
}

void frmViewer::Frame1_MouseDown()
{
    effects.clearBusy();
}

void frmViewer::opt_folders_MouseDown(int Index, int, int, float, float)
{
    if (Index < 0 || Index >= kFolderKinds)
        return;
    effects.clearBusy();
    setCursor(Qt::WaitCursor);
    const QString folders[kFolderKinds] = {s_.PicturePath, s_.AutoSavePath, s_.VideoPath, s_.MotionPicsPath,
                                           s_.MotionRecordingPath};
    const platform::Result changed = Dir1->setPath(folders[Index]);
    const bool video = Index == kFolderVideos || Index == kFolderMotionRecording;
    if (video) {
        cmdSlide->setEnabled(false);
        cmdZarn->setEnabled(false);
        if (Index == kFolderVideos)
            cmdSave->setEnabled(false);
        tmrPosition->start();
    } else {
        tmrPosition->stop();
    }
    if (!changed) {
        unsetCursor();
        qCWarning(lcViewer) << "folder switch failed:" << changed.reason;
        folderSwitchFailed(Index, changed.code);
    }
    yield();
    Drive1->setDrive(Dir1->Path());
    Drive1->Refresh();
    Dir1->Refresh();
    File1->Refresh();
    FrmBlend->setFolder(Dir1->Path());
    unsetCursor();
    main_.setViewerFolderIndex(Index);
}

void frmViewer::selectFolderButton(int index)
{
    if (index < 0 || index >= kFolderKinds)
        return;
    opt_folders[index]->setValue(true);
    opt_folders_MouseDown(index, buttons::kMouseLeft, 0, 0, 0);
}

void frmViewer::folderSwitchFailed(int index, int errorNumber)
{
    const int failures = ++services_.session.folderFailures;
    const FolderFailureBox box = folderFailureBox(failures);
    // The caption as the user reads it, without its access-key marker.
    const BoxTexts texts = folderFailureTexts(box, buttons::captionText(opt_folders[index]->Caption()), errorNumber);
    if (box == FolderFailureBox::Information)
        services_.prompts.message(this, texts.text, texts.title, BoxIcon::Information);
    else if (services_.prompts.yesNo(this, texts.text, texts.title, BoxIcon::Information))
        fixSettingsFile();
}

void frmViewer::fixSettingsFile()
{
    // The file of this copy of the program (Tolvex.ini or Tolvex2.ini); reading it
    // back then finds none and writes every default.
    const platform::Result removed = platform::removeFile(settingsFileName(s_));
    if (!removed)
        qCWarning(lcViewer) << "could not delete the settings file:" << removed.reason;
    QString fileName;
    LoadSettings(s_, fileName, &main_);
}

void frmViewer::Drive1_Change()
{
    const platform::Result changed = Dir1->setPath(Drive1->Drive());
    if (!changed) {
        qCWarning(lcViewer) << "drive cannot be read:" << changed.reason;
        services_.prompts.message(this, "Can not acces drive " + Drive1->Drive() + "\n" + Dir1->Path(),
                                  "Error nr:" + QString::number(changed.code), BoxIcon::None);
        return;
    }
    yield();
    Dir1->Refresh();
    EnableFileOptions(false);
}

void frmViewer::Dir1_Change()
{
    File1->setPath(Dir1->Path());
    File1->Refresh();
    yield();
    FrmBlend->setFolder(Dir1->Path());
    EnableFileOptions(false);
}

void frmViewer::Dir1_Click()
{
    File1->setPath(Dir1->Path());
    EnableFileOptions(false);
}

QString frmViewer::listFolder() const
{
    return folderWithSlash(File1->Path());
}

void frmViewer::File1_Click()
{
    effects.clearBusy();
    if (slideShowRunning_)
        return;
    const QString path = listFolder() + File1->FileName();
    setFrameCaption(path);
    EnableFileOptions(true);
    setSlideShowRunning(false);
    if (isVideoFile(File1->FileName())) {
        // Nothing of the previous picture or clip stays under the new name.
        clearShownPictures();
        PicMovie->clear();
        EnableButtons(2);
        return;
    }
    if (!cmdMPstart->Enabled())
        CloseScene();
    EnableButtons(1);
    clearProgress();
    if (!showPicture(path)) {
        emptyShownPicture();
        // The list keeps the file selected; the size line says why nothing shows.
        lblPicSize->setText(unreadablePictureText(unreadableReason_));
    }
    PicMovie->hide();
    tmrVideoStatus->stop();
    if (cmdMPstop->Enabled())
        CloseScene();
}

bool frmViewer::showPicture(const QString& path)
{
    const PictureRead read = readPicture(path);
    const QImage& picture = read.picture;
    if (picture.isNull()) {
        unreadableReason_ = read.error;
        return false;
    }
    Image1->setPicture(picture);
    picResult->setPicture(picture);
    Source->setPicture(picture);
    lblPicSize->setText(sizeLineText(picResult->ScaleWidth(), picResult->ScaleHeight(), QFileInfo(path).size()));
    return true;
}

void frmViewer::clearShownPictures()
{
    Image1->clear();
    picResult->clear();
    Source->clear();
    lblPicSize->clear();
    clearProgress();
}

void frmViewer::clearProgress()
{
    progressPosition_ = 0;
    imgProgress->resize(0, imgProgress->height());
}

void frmViewer::emptyShownPicture()
{
    // Nothing of the previous picture may stay for a later save, copy or effect.
    clearShownPictures();
    PicMovie->clear();
    setFrameCaption(QString());
    EnableButtons(0);
}

void frmViewer::File1_DblClick()
{
    if (isVideoFile(File1->FileName())) {
        EnableButtons(2);
        emit cmdMPstart->MouseUp(buttons::kMouseLeft, 0, 0, 0);
    } else {
        emit StyledButton2[1]->Click();
    }
}

void frmViewer::cmdDesktop_Click()
{
    for (StyledButton* option : opt_folders)
        option->setValue(false);
    Dir1->setPath(GetSpecialFolderPath(16));
}

void frmViewer::cmdDocs_Click()
{
    Dir1->setPath(GetSpecialFolderPath(5));
    Dir1->Refresh();
}

void frmViewer::EnableButtons(int Keuze)
{
    applyButtonSet(buttonSetOfKeuze(Keuze));
}

void frmViewer::DisableButtonsforSlide()
{
    applyButtonSet(ButtonSet::Slide);
}

void frmViewer::EnableButtonsAfterSlide()
{
    applyButtonSet(ButtonSet::AfterSlide);
}

void frmViewer::applyButtonSet(ButtonSet set)
{
    for (const ControlChange& change : buttonSetChanges(set))
        applyChange(change);
}

void frmViewer::applyChange(const ControlChange& change)
{
    QObject* control = findChild<QObject*>(change.name);
    if (!control)
        return;
    if (change.enabled != Switch::Leave) {
        const bool on = change.enabled == Switch::On;
        if (auto* timer = qobject_cast<QTimer*>(control))
            on ? timer->start() : timer->stop();
        else if (auto* button = qobject_cast<StyledButton*>(control))
            button->setEnabled(on);
        else if (auto* widget = qobject_cast<QWidget*>(control))
            widget->setEnabled(on);
    }
    if (auto* widget = qobject_cast<QWidget*>(control); widget && change.visible != Switch::Leave)
        widget->setVisible(change.visible == Switch::On);
}

void frmViewer::EnableFileOptions(bool Ja)
{
    for (StyledButton* button : StyledButton1)
        button->setEnabled(Ja);
    mnuProps->setEnabled(Ja);
}

bool frmViewer::CheckIfSelection()
{
    if (frameCaption_ == "View" || frameCaption_.isEmpty()) {
        services_.prompts.message(this, "Please select a picture first", QString(), BoxIcon::None);
        return false;
    }
    return true;
}

QString frmViewer::frameCaption() const
{
    return frameCaption_;
}

void frmViewer::setFrameCaption(const QString& caption)
{
    frameCaption_ = caption;
    QString shown = caption;
    Frame2->setTitle(shown.replace('&', "&&"));
}
