#pragma once

#include "core/SetupApply.h"
#include "dialogs/SetupChecks.h"
#include "dialogs/SetupServices.h"
#include "settings/MainWindowLink.h"
#include "core/SettingsModel.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QScrollBar;
class QTimer;
class StyledButton;

// "Setup": every setting in one modal dialog. The main window opens it; OK copies
// the controls into the settings, saves and reloads the settings file and restyles
// the main window; Cancel applies nothing.
class frmSetup : public QDialog {
    Q_OBJECT
public:
    static constexpr char kScanRefreshInvalid[] = "Scan Refresh invalid.";
    static constexpr char kNoDevice[] = "No Device Available";

    frmSetup(SettingsModel& settings, MainWindowLink& mainWindow, SetupServices services,
             QWidget* parent = nullptr);
    ~frmSetup() override;

    void Form_Load();

    // Handlers while the dialog is open.
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void chkAutoTimer_Click();
    void chkAutoRun_Click();
    void HScroll1_Change();
    void cmbButton_Click();
    void cmbStyle_Click();
    void OptFileOptions_Click(int Index);
    void Option3_Click(int Index);
    void Option4_Click(int Index);
    void Option4_DblClick(int Index);
    void LblKleur_Click();
    void optStreamSource_Click();
    void optStreamSource_MouseUp();
    void chkFTP_MouseUp();
    void StyledButton7_MouseDown();
    void StyledButton3_Click(int Index);
    void StyledButton4_Click();
    void StyledButton5_MouseDown();
    void StyledButton6_MouseDown();
    void StyledButton8_MouseDown();
    // OK.
    void StyledButton1_MouseDown(int Index);

    // The controls as OK reads them.
    SetupForm form() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Devices
    QGroupBox* fraDevices = nullptr;
    QListWidget* lstDevices = nullptr;
    std::array<QRadioButton*, 3> optCheckRes{};
    // Folders, in the order of the browse buttons 2..7: Text1, Text2, Text7, Text6, Text8, Text9
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLineEdit* Text9 = nullptr;
    std::array<StyledButton*, 8> StyledButton3{};
    // Viewer and editor
    std::array<QRadioButton*, 2> Option3{};
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    // Picture format and quality, frame period
    std::array<QRadioButton*, 2> Option1{};
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr;
    QCheckBox* chkVideoCompression = nullptr;
    // Audio
    StyledButton* StyledButton6 = nullptr;
    StyledButton* StyledButton5 = nullptr;
    QCheckBox* chkAudiocap = nullptr;
    // Bursts and file names
    QComboBox* cmbMaxBurst = nullptr;
    QCheckBox* chkUseBurstAsSnapshot = nullptr;
    QLineEdit* txtFilename = nullptr;
    std::array<QRadioButton*, 3> OptFileOptions{};
    QLineEdit* txtCounter = nullptr;
    QGroupBox* fraMaxPicLimit = nullptr;
    QLineEdit* txtMaxPicLimit = nullptr;
    // Time window
    QCheckBox* chkAutoTimer = nullptr;
    QLineEdit* txtStartTime = nullptr;
    QLineEdit* txtStopTime = nullptr;
    StyledButton* Command1 = nullptr;  // paste current time
    StyledButton* Command2 = nullptr;
    QLabel* Label12 = nullptr;
    QTimer* Timer1 = nullptr;
    // Motion
    QComboBox* cmbSensitivity = nullptr;
    QComboBox* cmbTrigger = nullptr;
    QCheckBox* chkFilter = nullptr;
    QLineEdit* txtRecDuration = nullptr;
    QCheckBox* chkMultipleRecord = nullptr;
    // Start mode
    QComboBox* cmbStartMode = nullptr;
    QCheckBox* chkAutoRun = nullptr;
    std::array<QCheckBox*, 2> chkMini{};
    // Sounds, full screen, stamp
    QCheckBox* chkSSnap = nullptr;
    QCheckBox* chkSBurst = nullptr;
    QCheckBox* chkSAuto = nullptr;
    QCheckBox* chkSMotion = nullptr;
    QCheckBox* chkTitleBar = nullptr;
    QLineEdit* txtStampText = nullptr;
    QCheckBox* chkEmbedTime = nullptr;
    // Screen and buttons
    std::array<QRadioButton*, 2> Option4{};
    QLabel* LblKleur = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* chkStayOnTop = nullptr;
    QCheckBox* Check3 = nullptr;
    QComboBox* cmbButton = nullptr;
    QComboBox* cmbStyle = nullptr;
    StyledButton* StyledButton2 = nullptr;
    // Stream source, second copy, FTP, update check
    std::array<QRadioButton*, 2> optStreamSource{};
    StyledButton* StyledButton4 = nullptr;
    QCheckBox* chkFTP = nullptr;
    StyledButton* StyledButton7 = nullptr;
    QCheckBox* chkVersionupdate = nullptr;
    StyledButton* StyledButton1_0 = nullptr;  // OK
    StyledButton* StyledButton8 = nullptr;    // Cancel

    // The selected button colour, kept by cmbButton and stored by OK.
    int SelectedButtonColor = kNoSelection;

    void buildControls();
    void connectHandlers();
    void loadDevices();
    void loadFolders();
    void loadChecks();
    void applyToMainWindow(const SetupOutcome& outcome);
    void reload();
    void refuse(const SetupRefusal& refusal);
    void browseForFile(int index);
    void browseForFolder(int index);
    void yield();

    SettingsModel& s_;
    MainWindowLink& main_;
    SetupServices services_;
    int driverCount_ = 0;
};
