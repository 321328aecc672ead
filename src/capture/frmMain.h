#pragma once

#include "automation/MotionSampling.h"
#include "automation/SaveFailureNotice.h"
#include "core/TimeWindow.h"
#include "capture/CommandLine.h"
#include "capture/FrmMessage.h"
#include "capture/IntervalBox.h"
#include "capture/MainLayout.h"
#include "capture/MainServices.h"
#include "capture/PictureSavingStamp.h"
#include "capture/PreviewControls.h"
#include "capture/PreviewImage.h"
#include "capture/SaveAs.h"
#include "capture/WindowOpeners.h"
#include "capture/StreamBufferFile.h"
#include "platform/files/InstanceLock.h"
#include "platform/files/ScratchBitmap.h"
#include "settings/MainWindowLink.h"
#include "settings/Prompts.h"
#include "settings/SettingsFile.h"
#include "core/SettingsModel.h"

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <array>
#include <map>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct SaveModeChange;
struct SaveResult;
class FtpUploader;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class Prompts;
class QTimer;
class StyledButton;

// The waits of the main window (waitWithoutInput unless set); tests shorten them.
using SleepFunction = std::function<void(int milliseconds)>;
// The interval spinner's largest value.
inline constexpr int kSpinnerMax = 9999;
// The main window: live picture, button panel, save modes. Its load handler is the
// whole start-up of the program and its unload handler the whole shutdown.
class frmMain : public QWidget, public MainWindowLink {
    Q_OBJECT
public:
    // The items of the options pop-up menu mnuoptions, indexes of mnuOptionss.
    enum OptionsMenuItem : int {
        kMenuCamOptions = 0,
        kMenuVideoSize = 1,
        kMenuSetup = 2,
        kMenuOpenInViewer = 4,
        kMenuSavePictureNow = 5,
        kMenuSaveAs = 6,
        kMenuCopy = 8,
        kMenuCopyToIrfanView = 9,
        kMenuStartFeed = 11,
        kMenuRecord = 12,
        kMenuStop = 13,
        kMenuMiniMode = 15,
        kOptionsMenuItems = 16,  // separators at 3, 7, 10 and 14
    };

    frmMain(SettingsModel& settings, MainServices services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The command line the start-up reads (the arguments after the program name).
    void setCommandLine(const QString& commandLine) { commandLine_ = commandLine; }
    // What "end the process" does; the program quits its event loop, tests record it.
    void setEndProcess(std::function<void()> endProcess) { endProcess_ = std::move(endProcess); }
    // The waits (connect retries, failure notices, closing a recording). The window's
    // own timers do not tick during a wait.
    void setSleep(SleepFunction sleep) { sleep_ = std::move(sleep); }
    // The clock the time window reads, and the upload after an automatic save or a
    // motion (none until one is set), which is handed the work picture to send.
    void setTimeOfDay(automation::TimeOfDayFunction timeOfDay) { timeOfDay_ = std::move(timeOfDay); }
    void setDoTheFTP(std::function<void(QImage& picture)> upload) { doTheFTP_ = std::move(upload); }
    // The windows the main window opens above itself.
    void setOpeners(WindowOpeners openers) { openers_ = std::move(openers); }
    // The Save As dialog and every box of the main window (the motion detector's
    // question among them); tests answer them. Without prompts set, the desktop's
    // boxes are used.
    void setSaveDialog(std::function<DialogResult(SaveDialogArgs&)> dialog) { saveDialog_ = std::move(dialog); }
    void setPrompts(Prompts& prompts) { prompts_ = &prompts; }

    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload();
    void Form_Unload();

    // SettingsHost
    void showSettingsSaveError(int errorNumber, const QString& description) override;
    void Opmaak() override;

    // MainWindowLink
    bool previewRunning() const override;
    bool stopEnabled() const override;
    int viewerFolderIndex() const override { return ViewerFolderIndex; }
    void setViewerFolderIndex(int index) override;
    QString baseTitle() const override { return BaseTitle; }
    void setModeTitle(const QString& modeText) override;
    QImage latestPicture() const override;
    void setSideLogoVisible(bool visible) override;
    QString saveIntervalText() const override;
    int selectedSaveOption() const override { return checkedSaveOption(); }
    void setSaveOptionForeColor(int index, quint32 colour) override;
    void armTimeWindow() override;
    void setResolutionsChecked(bool checked) override { ResolutionsChecked = checked; }
    QRect windowRectTwips() const override;

    void FindIrfanView();
    void LoadDeviceList();
    void Start();
    void StopWork();
    void cmdStart_Click() override;
    void cmdStop_Click() override;
    void tmrMain_Timer();
    void cmdCamOptions_Click();
    void StyledButton13_MouseDown(int button, int shift, float x, float y);
    void mnudevices_Click(int index);
    // Ticks the device menu item of CaptureDevice and no other.
    void markDeviceInUse();
    void cmdAbout_Click();
    void cmdSetup_Click();
    void cmdViewer_MouseDown(int button, int shift, float x, float y);
    void cmdSaveAs_Click();
    // Recording: the record button, and motion recording's way in.
    void cmdRecord_Click() override;
    void startMotionRecording();
    void SaveVideo();
    void tmrFlash_Timer();
    // ESC anywhere in the window while the recording window is shown.
    void stopRecordingByEscape();
    void cmdHelp_MouseDown(int button, int shift, float x, float y);
    void cmdOptions_MouseDown(int button, int shift, float x, float y);
    SaveResult SaveImage(int32_t& counter, const QString& folder = QString());
    // The box a save asks for ("Error loading GDI+!"), a critical stop under the program's title.
    void showSaveBox(const SaveResult& result);
    void cmdSnapShot_Click();
    void cmdBurst_Click();
    void cmdBurst_MouseDown(int button, int shift, float x, float y);
    void mnuburstframes_Click();
    void mnub_Click(int index);
    void mnuOptionss_Click(int index);
    void mnuoptions_Click();
    void OptSaveChoice_Click(int index);
    void OptionSaveMode();
    // Sets an option button as code does, which runs its click handler too.
    void selectSaveOption(int index) override;
    void SetAlwaysOnTop(bool onTop);
    // Runs a modal window above the main window with stay-on-top dropped, and puts
    // stay-on-top back as the settings then say.
    void runModal(const std::function<void()>& dialog);

    // Layout and views.
    void Form_Resize();
    void Check1_Click();
    void Check3_Click();
    void Image4_MouseDown(int button, int shift, float x, float y);
    void Image4_MouseUp(int button, int shift, float x, float y);
    // The fixed hot keys; Form_KeyDown answers whether it used the key.
    bool Form_KeyDown(int keyCode, int shift);
    void Form_KeyPress(int keyAscii);
    void tmrAutoSave_Timer();
    void tmrTime_Timer();
    void tmrAutoMotion_Timer();
    // The upload of the latest picture after an automatic save or a motion.
    void DoTheFTP();
    void VScroll1_Change();
    // Capture sizes: the size check, the caption timer and the size command.
    void CheckWebRes();
    void tmrCheckSize_Timer();
    void cmdVideoSize_Click();
    void runUpdateCheck();

    // The notice window: loaded when needed, its text replaced while it is open.
    void ShowMessage(const QString& text) override;
    void UnloadMessage();
    FrmMessage* notice() const { return notice_; }

    // The capture window handle; 0 while there is none.
    qint32 capwnd() const { return capwnd_; }
    bool unloaded() const { return unloaded_; }

    // Read-only views of state no control shows, for the window's tests.
    // A recording runs (from its start until it is stopped or abandoned).
    bool recording() const { return Recording; }
    // The window's layout follows its size (once activated or placed from the stored size).
    bool layoutReady() const { return LayoutReady; }
    // The frame size the capture windows are made with.
    QSize captureSize() const { return {CaptureWidth, CaptureHeight}; }
    // The device's sizes have been checked this run; how many the chooser offers (0: none).
    bool resolutionsChecked() const { return ResolutionsChecked; }
    int resolutionCount() const { return ResolutionCount; }
    // The motion detector's warm-up cycles since the preview started, and its history's place.
    int motionWarmup() const { return MotionWarmup; }
    int motionHistoryIndex() const { return MotionHistory.index; }
    // The hidden work picture every save draws on.
    QImage workPicture() const { return PicContainer.image; }

signals:
    // Every notice text as it is shown, in order.
    void noticeShown(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The hot keys reach the window whichever of its controls has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Panel;
    struct ButtonDesign;  // a button's row of the design table
    static std::vector<ButtonDesign> buttonDesigns();
    void buildControls();
    void buildButtons();
    void buildSpinner();
    void buildOptionsMenu();
    void buildDeviceMenu();
    void buildTimers();
    void buildBurstMenu();
    void takePreviewPicture();
    void connectHandlers();
    void applyStartValues();
    void applyResetSwitch(const CommandLineSwitches& sw, bool anotherCopyRuns);
    bool detectSecondCopy(const CommandLineSwitches& sw);  // true: another copy runs
    void applySwitches(const CommandLineSwitches& sw);
    void restoreWindowPosition();
    void resizeOuter(int32_t widthTwips, int32_t heightTwips);
    void fillDeviceMenu();
    void showSideLogo();
    void layOutSideLogo();
    QPixmap loadSideLogo() const;
    void dockBottomPanel();
    QSize outerSize() const;
    // Sets the outer size, never below the minimum while the button panel shows. Until
    // the window manager has framed the window its frame is unknown: the size is set
    // again once it is, so the outer size is the one asked for.
    void setOuterSize(QSize outer);
    void setOuterSizeAsIs(QSize outer);  // the minimum's spring-back, one dimension a pass
    void applyPendingOuterSize();
    mainlayout::Panels panels() const;
    void ShowTitleBar(bool show);
    void setWindowFlagKeepingGeometry(Qt::WindowType flag, bool on);
    void enterFullScreenState();
    void leaveFullScreen();
    void toggleButtonPanels();
    void openHelp();
    void copyFrame();
    void copyToIrfanView();
    void applyDeviceChoice();
    void applyStartMode();
    void markUploadingModes();
    void connectFailed();
    void applyPreviewControls(PreviewMoment moment);
    void armModeAtPreviewStart();
    void applySaveModeChange(const SaveModeChange& change);
    void pumpThroughClipboard(bool grabbed);
    void previewDeviceLost();
    void pumpThroughFile(bool grabbed);
    QString streamBufferFile();
    void closeRecording();
    void recordFromStartSwitch();
    void waitAfterEscape();
    void abandonRecording(const QString& notice);
    bool beginRecordingFile();
    void setRecordingControls();
    void endBrokenRecording();
    void showFrame(const QImage& frame);
    void clearPumpedClipboard();
    int checkedSaveOption() const;
    void intervalSave();
    // Stamps a copy of a picture as a save would, for the upload.
    void stampCopy(QImage& picture);
    void enterTimeWindow(bool startPreview);
    void leaveTimeWindow();
    void applyMotionOutcome(automation::MotionOutcome outcome);
    void onMotion();
    void runMotionSave(automation::MotionSave action);
    void saveAutomatically(const QString& folder);
    Prompts& prompts();
    QSize shownFrameSize() const;
    void readSizeCache(const QString& deviceName);
    void probeCaptureSizes(const QString& deviceName, bool writeCache);
    void chooseCaptureSize();
    void applyChosenSize();
    void fitWindowToCapture();
    // The size button's caption, in a font small enough to show it whole.
    void setVideoSizeCaption(const QString& caption);
    void yield();
    void sleep(int milliseconds);

    // Start values and layout members of the main-window code.
    QString CaptureWindowName;
    int32_t CaptureWidth = 0, CaptureHeight = 0;
    int32_t VideoWidth = 0, VideoHeight = 0;
    int32_t MinWidth = 0, MinHeight = 0;
    int16_t AllowanceX = 0, AllowanceY = 0;
    int16_t SavedAllowanceX = 0, SavedAllowanceY = 0;
    bool PreviewStarted = false;
    bool Recording = false;
    bool EscStopped = false;
    bool MessageLoaded = false;
    bool ResolutionsChecked = false;
    int16_t ResolutionCount = 0;  // nonzero: the chooser offers the sizes
    int32_t DriverConnected = 0;
    int32_t FailedConnectCount = 0;
    int16_t MotionWarmup = 0;
    double RecordTicks = 0;
    float AutoSaveSeconds = 0;  // seconds since the last interval save
    bool InTimeWindow = false;
    automation::MotionHistory MotionHistory;
    int16_t ViewerFolderIndex = 0;
    QString BaseTitle;
    bool LayoutReady = false;
    bool TinyView = false;
    QString HelpFile;
    WorkPicture PicContainer;  // the hidden work picture every save draws on

    // Controls
    QWidget* Picture2 = nullptr;    // button panel
    QWidget* Picture3 = nullptr;    // bottom panel
    QLabel* imgSizeLogo = nullptr;  // side logo
    QWidget* Image1 = nullptr;      // holds the capture window
    PreviewImage* Image4 = nullptr; // the live picture
    QLabel* imgRecFlash = nullptr;  // the recording mark
    IntervalBox* txtSaveInterval = nullptr;
    QScrollBar* VScroll1 = nullptr;  // the interval box's spinner
    StyledButton* cmdCamOptions = nullptr;
    StyledButton* cmdVideoSize = nullptr;
    StyledButton* cmdStart = nullptr;
    StyledButton* cmdStop = nullptr;
    StyledButton* cmdSnapShot = nullptr;
    StyledButton* cmdRecord = nullptr;
    StyledButton* cmdSetup = nullptr;
    StyledButton* cmdAbout = nullptr;
    StyledButton* cmdHelp = nullptr;
    StyledButton* cmdSaveAs = nullptr;
    StyledButton* cmdViewer = nullptr;
    StyledButton* cmdBurst = nullptr;
    StyledButton* StyledButton13 = nullptr;  // the device button
    StyledButton* cmdOptions = nullptr;      // the tiny-mode button
    std::array<StyledButton*, 4> OptSaveChoice{};
    StyledButton* Check1 = nullptr;  // fit/stretch
    StyledButton* Check3 = nullptr;  // full screen
    QMenu* mnuoptions = nullptr;
    std::array<QAction*, kOptionsMenuItems> mnuOptionss{};
    QMenu* mnuVideoDevice = nullptr;
    std::array<QAction*, 13> mnudevices{};
    QMenu* mnuburstframes = nullptr;
    std::map<int, QAction*> mnub;
    QTimer* tmrMain = nullptr;
    QTimer* tmrCheckSize = nullptr;
    QTimer* tmrAutoSave = nullptr;
    QTimer* tmrAutoMotion = nullptr;
    QTimer* tmrTime = nullptr;
    QTimer* tmrFlash = nullptr;

    SettingsModel& s_;
    Registry& registry_;
    platform::capdriver::CaptureSystem& capture_;
    SoundOutput& sound_;
    Shell& shell_;
    platform::FtpWorker* ftp_;
    QString commandLine_;
    std::function<void()> endProcess_;
    SleepFunction sleep_;
    automation::TimeOfDayFunction timeOfDay_ = automation::systemTimeOfDay();
    std::function<void(QImage& picture)> doTheFTP_;
    std::unique_ptr<FtpUploader> uploader_;  // made at the first upload
    automation::SaveFailureNotice autoSaveFailures_;
    bool motionTickRunning_ = false;
    WindowOpeners openers_;
    Prompts* prompts_ = nullptr;
    std::unique_ptr<Prompts> ownPrompts_;
    platform::InstanceLock instanceLock_;
    QPointer<FrmMessage> notice_;
    // The recording's ESC watch (an application event filter); it goes first when
    // the window goes, so no event reaches it while the window is being destroyed.
    QPointer<QObject> escapeWatch_;
    StreamBufferFiles streamBuffers_;
    qint32 capwnd_ = 0;
    platform::ScratchBitmap streamFile_;  // the stream buffer file, read back on every tick
    qint64 pumpedClipboardKey_ = 0;  // cache key of the frame the pump last put on the clipboard
    bool unloaded_ = false;

    // Save As and the viewer hand-off
    void handToOutsideViewer();
    void openBuiltInViewer();
    void removeHandOffFile();
    std::function<DialogResult(SaveDialogArgs&)> saveDialog_ = ShowSaveDialog;
    SaveAsMemory saveAs_;
    int32_t viewerSnapshots_ = 0;  // frames handed to the built-in viewer so far
    bool handOffFileWritten_ = false;  // this run wrote the outside viewer's file
    bool recordAtStart_ = false;  // "/record": started once the rest of the start-up is done
    // "/start", "/minimize" and "/tiny" hold for this run only: kept apart from the model,
    // which the setup dialog writes back to the settings file whole.
    bool startSwitch_ = false;
    int startModeSwitch_ = -1;
    bool fullScreen_ = false;  // the full-screen view shows
    QFont videoSizeFont_;  // the size button's design font
    int32_t buttonFace_ = 0;  // the fourteen buttons' design face colour
    QPixmap sideLogo_;     // the side logo at its own size, read when first shown
    std::optional<QSize> pendingOuter_;  // set before the frame was known
    std::optional<QSize> sizeWhenRestored_;  // set while minimized
    bool frameKnown_ = false;            // the window manager's frame has been seen (or never comes)
};
