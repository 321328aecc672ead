#pragma once

#include "capture/CommandLine.h"
#include "capture/FrmMessage.h"
#include "platform/InstanceLock.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsModel.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class Registry;

// The main window: live picture, button panel, save modes. Its load handler is the
// whole start-up of the program and its unload handler the whole shutdown.
class frmMain : public QWidget, public SettingsHost {
    Q_OBJECT
public:
    frmMain(SettingsModel& settings, Registry& registry, QWidget* parent = nullptr);
    ~frmMain() override;

    // The command line the start-up reads (the arguments after the program name).
    void setCommandLine(const QString& commandLine) { commandLine_ = commandLine; }
    // What "end the process" does; the program quits its event loop, tests record it.
    void setEndProcess(std::function<void()> endProcess) { endProcess_ = std::move(endProcess); }

    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload();
    void Form_Unload();

    // SettingsHost
    void showSettingsSaveError(int errorNumber, const QString& description) override;
    void Opmaak() override;

    void FindIrfanView();
    void LoadDeviceList();
    void cmdStart_Click();
    void cmdRecord_Click();
    void mnuOptionss_Click(int index);
    void OptSaveChoice_Click(int index);
    void SetAlwaysOnTop(bool onTop);
    void runUpdateCheck();
    void StopWork();

    // The notice window: loaded when needed, its text replaced while it is open.
    void ShowMessage(const QString& text);
    void UnloadMessage();
    FrmMessage* notice() const { return notice_; }

    // The capture window handle; 0 while there is none.
    qintptr capwnd() const { return capwnd_; }
    bool unloaded() const { return unloaded_; }

    // Start values and layout members shared with the other main-window code.
    QString CaptureWindowName;
    int32_t CaptureWidth = 0, CaptureHeight = 0;
    int32_t VideoWidth = 0, VideoHeight = 0;
    int32_t MinWidth = 0, MinHeight = 0;
    int16_t AllowanceX = 0, AllowanceY = 0;
    int16_t SavedAllowanceX = 0, SavedAllowanceY = 0;
    bool PreviewStopped = false;
    bool PreviewStarted = false;
    bool Recording = false;
    QString BaseTitle;
    bool LayoutReady = false;
    QString HelpFile;

    // Controls
    QWidget* Picture2 = nullptr;    // button panel
    QWidget* Picture3 = nullptr;    // bottom panel
    QLabel* imgSizeLogo = nullptr;  // side logo
    QWidget* Image1 = nullptr;      // holds the capture window
    QLabel* Image4 = nullptr;       // the live picture
    QLineEdit* txtSaveInterval = nullptr;
    QPushButton* cmdAbout = nullptr;
    QPushButton* cmdBurst = nullptr;
    QMenu* mnuoptions = nullptr;
    std::array<QAction*, 16> mnuOptionss{};
    QMenu* mnuVideoDevice = nullptr;
    std::array<QAction*, 10> mnudevices{};

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void buildOptionsMenu();
    void applyStartValues();
    void applyResetSwitch(const CommandLineSwitches& sw);
    void detectSecondCopy(const CommandLineSwitches& sw);
    void applySwitches(const CommandLineSwitches& sw);
    void restoreWindowPosition();
    void fillDeviceMenu();
    void showSideLogo();
    void applyStartMode();
    void markUploadingModes();
    void stopFramePump();
    void yield();

    SettingsModel& s_;
    Registry& registry_;
    QString commandLine_;
    std::function<void()> endProcess_;
    platform::InstanceLock instanceLock_;
    QPointer<FrmMessage> notice_;
    qintptr capwnd_ = 0;
    bool unloaded_ = false;
};
