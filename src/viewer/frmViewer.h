#pragma once

#include "settings/MainWindowLink.h"
#include "core/SettingsModel.h"
#include "viewer/ViewerDisplay.h"
#include "viewer/ViewerEffects.h"
#include "viewer/ViewerServices.h"

#include <QDialog>

#include <array>
#include <memory>

class MciPlayer;
class FrmBlend;
struct ProgramCall;
class PictureBox;
class SlideWait;
class VideoSurface;
class QAction;
class QCloseEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QMouseEvent;
class QPushButton;
class QScrollBar;
class QTimer;
class StyledButton;
namespace platform {
class DirListBox;
class DriveListBox;
class FileListBox;
}  // namespace platform

// The viewer and editor window: browses the capture folders and any other folder,
// shows the selected picture, manages the folder's files and carries the buttons
// of playback, effects, saving and printing. The main window opens it modal.
class frmViewer : public QDialog, public EffectsView {
    Q_OBJECT
public:
    frmViewer(SettingsModel& settings, MainWindowLink& mainWindow, ViewerServices services,
              QWidget* parent = nullptr);
    ~frmViewer() override;

    void Form_Load();
    void Form_Unload();

    // Browsing and display
    void opt_folders_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // How the main window opens the viewer on a folder kind: that folder button
    // becomes the selected one, then its handler switches the lists.
    void selectFolderButton(int index);
    // Shows a frame the main window hands over, under a caption of its own
    // ("Snapshot3.jpg"), in picture mode.
    void showSnapshot(const QImage& frame, const QString& caption);
    void EnableButtons(int Keuze = 0);
    void DisableButtonsforSlide();
    void EnableButtonsAfterSlide();
    void EnableFileOptions(bool Ja);
    bool CheckIfSelection();
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Click();
    void File1_Click();
    void File1_DblClick();
    void cmdDesktop_Click();
    void cmdDocs_Click();
    void Frame1_MouseDown();

    // Video playback
    long TimeofScene(long hWnds = 0);
    QString AVIStatus();
    void OpenScene(qint64 hWnds = 0);
    void Play(bool repeat = false);
    void Position(long mLeft, long mTop, long mWidth, long mHeight);
    void GoToEndScene();
    void GoToStartScene();
    void GoToSceneFrame(long posFrame);
    void CloseScene();
    void cmdMPstart_MouseUp(int Button, int Shift, float X, float Y);
    void cmdMPpauze_Click();
    void cmdMPstop_Click();
    void cmdMPbegin_MouseDown(int Button, int Shift, float X, float Y);
    void cmdMPend_MouseDown(int Button, int Shift, float X, float Y);
    void cmdMediaPlayer_Click();
    void mnuMediaPlayer_Click();
    void scrlMovie_Scroll();
    void tmrPosition_Timer();
    void tmrVideoStatus_Timer();
    void sCopyScreen();
    // Pauses a playing clip on the frame on screen and gives its number.
    long holdVideoFrame();
    // The progress bar's width in its own scale (the last position shown).
    long imgProgressWidth() const { return progressPosition_; }

    // Slide show
    void InitSlideTiming();
    void cmdSlide_MouseDown(int Button, int Shift, float X, float Y);
    void mnu3slidetiming_Click();
    void mnu3Timing_Click(int Index);
    void cmdSlide_Click();

    // File operations
    void StyledButton1_Click(int Index);
    void DisplayFileProperties(const QString& sFullFileAndPathName);
    bool CheckFileExists(const QString& path) const;
    void File1_KeyUp(int KeyCode, int Shift);
    void File1_MouseDown(int Button, int Shift, float X, float Y);
    void Image1_MouseDown(int Button, int Shift, float X, float Y);
    void menurefresh_Click();
    void menuexplorer_Click();
    void mnuProps_Click();

    // Saving, clipboard and hand-offs (frmViewer_Save.cpp)
    void cmsSave2_MouseDown(int Button, int Shift, float X, float Y);
    void cmdSave_MouseDown(int Button, int Shift, float X, float Y);
    void mnu2Save_Click();
    void StyledButton2_Click(int Index);
    void cmdIrfan_Click();
    void StyledButton4_Click();
    void cmdZarn_MouseDown(int Button, int Shift, float X, float Y);
    void CmdPrint_MouseDown(int Button, int Shift, float X, float Y);
    void mnu2Print_Click();

    // Magnifier
    void cmdZoom_MouseDown(int Button, int Shift, float X, float Y);
    void mnuZoom_Click();
    void WegZoom();
    void picZoom_Click();
    void Image1_MouseMove(int Button, int Shift, float X, float Y);

    // The caption of Frame2: the shown file's full path; "View" or "" when nothing
    // is shown.
    QString frameCaption() const;
    void setFrameCaption(const QString& caption);
    // The folder the file list shows, with a "/" at its end: the one folder every
    // file operation works in.
    QString listFolder() const;
    bool viewerBusy() const { return effects.ViewerBusy(); }

    // What the effects see of the window (frmViewer_Effects.cpp)
    QImage shownPicture() const override;
    void showPicture(const QImage& picture) override;
    QString shownFile() const override;
    QImage blendPartner() const override;
    QRgb blendBackColour() const override;
    void openBlendPanel() override;
    void setWaitCursor(bool on) override;
    void setProgressScale(int steps) override;
    void setProgress(int steps) override;
    void yield() override;

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Controls
    platform::DriveListBox* Drive1 = nullptr;
    platform::DirListBox* Dir1 = nullptr;
    platform::FileListBox* File1 = nullptr;
    QGroupBox* Frame1 = nullptr;  // the browsing panel
    QGroupBox* Frame2 = nullptr;  // its title is the shown file's full path
    PictureBox* Image1 = nullptr;
    PictureBox* picResult = nullptr;
    PictureBox* Source = nullptr;
    PictureBox* PicMovie = nullptr;
    QWidget* picZoomContainer = nullptr;
    PictureBox* picZoom = nullptr;
    QLabel* lblPicSize = nullptr;
    QLabel* Label1 = nullptr;
    std::array<StyledButton*, kFolderKinds> opt_folders{};
    QPushButton* cmdDesktop = nullptr;
    QPushButton* cmdDocs = nullptr;
    std::array<StyledButton*, 6> StyledButton1{};
    std::array<StyledButton*, 2> StyledButton2{};
    StyledButton* StyledButton3 = nullptr;
    StyledButton* StyledButton4 = nullptr;
    StyledButton* cmdZarn = nullptr;
    StyledButton* cmdIrfan = nullptr;
    StyledButton* CmdPrint = nullptr;
    StyledButton* cmsSave2 = nullptr;
    StyledButton* cmdSave = nullptr;
    StyledButton* cmdZoom = nullptr;
    StyledButton* cmdSlide = nullptr;
    StyledButton* cmdUndo = nullptr;
    StyledButton* cmdFlipV = nullptr;
    StyledButton* cmdGray = nullptr;
    StyledButton* cmdSmooth = nullptr;
    StyledButton* cmdSharpen = nullptr;
    StyledButton* cmdFlipH = nullptr;
    StyledButton* cmdInvert = nullptr;
    StyledButton* cmdBright = nullptr;
    StyledButton* cmdDarken = nullptr;
    StyledButton* cmdContrast = nullptr;
    StyledButton* cmdColor = nullptr;
    StyledButton* cmdAlphaBlend = nullptr;
    StyledButton* cmdMPstart = nullptr;
    StyledButton* cmdMPpauze = nullptr;
    StyledButton* cmdMPstop = nullptr;
    StyledButton* cmdMPbegin = nullptr;
    StyledButton* cmdMPend = nullptr;
    StyledButton* cmdMediaPlayer = nullptr;
    QScrollBar* scrlMovie = nullptr;
    QWidget* picProgress = nullptr;
    QWidget* imgProgress = nullptr;
    QTimer* tmrPosition = nullptr;
    QTimer* tmrVideoStatus = nullptr;
    // The blend panel, with its own controls
    class FrmBlend* FrmBlend = nullptr;
    // Pop-up menus
    QMenu* menu = nullptr;
    QAction* menurefresh = nullptr;
    QAction* menuexplorer = nullptr;
    QAction* mnuProps = nullptr;
    QAction* mnuOpenIrfan = nullptr;
    QAction* mnuMediaPlayer = nullptr;
    QAction* mnuOpenPaint = nullptr;
    QMenu* menu2 = nullptr;
    QAction* mnuZoom = nullptr;
    QAction* mnu2Copy = nullptr;
    QAction* mnu2Openpaint = nullptr;
    QAction* mnu2OpenIrfanview = nullptr;
    QAction* mnu2OpenEditor = nullptr;
    QAction* mnu2Save = nullptr;
    QAction* mnu2Print = nullptr;
    QMenu* mnu3slidetiming = nullptr;
    std::array<QAction*, 10> mnu3Timing{};

    // Form-level state
    int PlayerState = 0;
    QString MovieFile;
    bool SceneError = false;
    double SlideDelay = 0;
    // A slide show runs; cmdSlide's caption shows it ("Pause" while it runs, "Slide" when idle).
    bool slideShowRunning_ = false;
    // The picture effects, with their busy guard ViewerBusy
    ViewerEffects effects{*this};


    struct ButtonDesign;  // a button's row of the design table
    static std::vector<ButtonDesign> buttonDesigns();
    void buildControls();
    void buildLists();
    void buildPictures();
    void buildButtons();
    void connectEffects();
    void connectSaving();
    void copyToClipboard();
    void openInPaint();
    bool writeHandOffFile(const QString& path);
    void showSaveFailure(int errorNumber);
    bool startOutside(const ProgramCall& call);
    void buildMenus();
    void connectHandlers();
    void applyButtonSet(ButtonSet set);
    void applyChange(const ControlChange& change);
    bool showPicture(const QString& path);
    void emptyShownPicture();
    void clearShownPictures();
    void clearProgress();
    QString unreadableReason_;  // why the last picture could not be shown
    void folderSwitchFailed(int index, int errorNumber);
    void fixSettingsFile();
    void deleteSelected();
    void afterFileGone(const QString& path);
    void renameSelected();
    void deleteAllOfKind();
    void showPropertiesOfShown();
    void refreshLists();
    void deleteByKey();
    void showOwnProperties(const QString& path);
    void closeVideoBeforeFileOperation();
    void unloadOnce();
    void buildSlideMenu();
    void toggleSlideShow();
    void setSlideShowRunning(bool running);
    void prepareSlides(const QString& folder);
    void connectPlayer();
    int mciSendString(const QString& command, QString* reply = nullptr);
    void applyChanges(const std::vector<ControlChange>& changes);
    // One slide of a show; false when the file is not a picture.
    bool showSlide(const QString& path);
    // Waits out the slide's delay; false when the show was stopped meanwhile.
    bool waitSlide();
    void endSlideShow(bool stopped, const QString& lastShown, int lastShownIndex);

    SettingsModel& s_;
    MainWindowLink& main_;
    ViewerServices services_;
    QString frameCaption_ = QStringLiteral("View");
    bool unloaded_ = false;
    std::unique_ptr<MciPlayer> ownPlayer_;
    MciPlayer* player_ = nullptr;
    std::unique_ptr<VideoSurface> movieSurface_;
    qint64 movieWindow_ = 0;
    long progressPosition_ = 0;
    std::unique_ptr<SlideWait> ownSlideWait_;
    SlideWait* slideWait_ = nullptr;
    bool closing_ = false;  // the window is closing: a running show ends at once
    int progressScale_ = 100;
};
