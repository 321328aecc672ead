// OK: the controls into the settings, the main window's updates, save and reload.
#include "dialogs/frmSetup.h"

#include "buttons/StyledButton.h"
#include "dialogs/SetupChecks.h"
#include "dialogs/SetupLog.h"
#include "settings/Prompts.h"
#include "settings/Registry.h"
#include "settings/RegistryRecords.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace {

constexpr int kAutoSaveOption = 1, kMotionSaveOption = 2;

template <size_t N>
int selectedOption(const std::array<QRadioButton*, N>& group)
{
    for (size_t i = 0; i < N; ++i)
        if (group[i]->isChecked())
            return static_cast<int>(i);
    return kNoSelection;
}

}  // namespace

SetupForm frmSetup::form() const
{
    SetupForm f;
    f.Text3 = Text3->text();
    f.chkVersionupdate = chkVersionupdate->isChecked();
    f.chkUseBurstAsSnapshot = chkUseBurstAsSnapshot->isChecked();
    f.chkVideoCompression = chkVideoCompression->isChecked();
    f.Text1 = Text1->text();
    f.Text2 = Text2->text();
    f.Text6 = Text6->text();
    f.Text7 = Text7->text();
    f.Text8 = Text8->text();
    f.Text9 = Text9->text();
    f.jpgSelected = Option1[0]->isChecked();
    f.Label3 = Label3->text();
    f.lstDevices = lstDevices->currentRow();
    f.driverCount = driverCount_;
    f.Check2 = Check2->isChecked();
    f.saveIntervalText = main_.saveIntervalText();
    f.buttonColor = SelectedButtonColor;
    f.Text4 = Text4->text();
    f.Text5 = Text5->text();
    f.Check3 = Check3->isChecked();
    f.mainWindowTwips = main_.windowRectTwips();
    f.userColor = Option4[1]->isChecked();
    f.LblKleurColor = LblKleur->property("BackColor").toInt();
    f.fileOption = selectedOption(OptFileOptions);
    f.txtFilename = txtFilename->text();
    f.txtCounter = txtCounter->text();
    f.cmbStyle = cmbStyle->currentIndex();
    f.cmbMaxBurst = cmbMaxBurst->currentIndex();
    f.chkStayOnTop = chkStayOnTop->isChecked();
    f.chkAudiocap = chkAudiocap->isChecked();
    f.checkRes = selectedOption(optCheckRes);
    f.streamSource = selectedOption(optStreamSource);
    f.chkAutoTimer = chkAutoTimer->isChecked();
    f.txtStartTime = txtStartTime->text();
    f.txtStopTime = txtStopTime->text();
    f.cmbSensitivity = cmbSensitivity->currentIndex();
    f.cmbTrigger = cmbTrigger->currentIndex();
    f.txtMaxPicLimit = txtMaxPicLimit->text();
    f.chkTitleBar = chkTitleBar->isChecked();
    f.cmbStartMode = cmbStartMode->currentIndex();
    f.chkAutoRun = chkAutoRun->isChecked();
    f.chkEmbedTime = chkEmbedTime->isChecked();
    f.minimized = chkMini[0]->isChecked();
    f.miniMode = chkMini[1]->isChecked();
    f.sounds = {chkSSnap->isChecked(), chkSBurst->isChecked(), chkSAuto->isChecked(), chkSMotion->isChecked()};
    f.chkFTP = chkFTP->isChecked();
    f.chkFilter = chkFilter->isChecked();
    f.txtRecDuration = txtRecDuration->text();
    f.txtStampText = txtStampText->text();
    f.chkMultipleRecord = chkMultipleRecord->isChecked();
    return f;
}

void frmSetup::StyledButton1_MouseDown(int Index)
{
    if (Index != 0)
        return;
    const SetupChecked checked = checkSetupForm(form(), s_.AppPath);
    if (checked.refusal)
        return refuse(*checked.refusal);
    for (const FolderToMake& folder : checked.create) {
        if (const platform::Result made = makeFolder(folder.path); !made) {
            qCWarning(lcSetup) << "cannot make the folder" << folder.path << ":" << made.reason;
            return refuse({folder.box, folderNotMadeMessage(folder.box, folder.path, made.reason)});
        }
    }
    // The settings as they were, for a save that fails: the dialog then stays open
    // with the user's edits and the program goes on with the settings it had.
    const SettingsModel before = s_;
    const SetupOutcome outcome = applySetupForm(checked.form, s_);
    if (!outcome.applied)
        return refuse({"Text3", kScanRefreshInvalid});
    QString fileName;
    if (!SaveSettings(s_, fileName, &main_)) {
        s_ = before;
        return;
    }
    services_.registry.save("NoURLupdate", outcome.noUrlUpdate);
    if (outcome.saveRegistry)
        SaveRegistry(s_, services_.registry);
    if (outcome.selectFirstFileOption)
        OptFileOptions[0]->setChecked(true);
    txtStampText->setText(outcome.stampBoxText);
    applyToMainWindow(outcome);
    reload();
    accept();
}

void frmSetup::refuse(const SetupRefusal& refusal)
{
    services_.prompts.message(this, refusal.message, "Setup", BoxIcon::Exclamation);
    if (auto* box = findChild<QWidget*>(refusal.box))
        box->setFocus();
}

void frmSetup::applyToMainWindow(const SetupOutcome& outcome)
{
    main_.setSideLogoVisible(outcome.showSideLogo);
    if (outcome.probeSizesAgain)
        main_.setResolutionsChecked(false);
    main_.armTimeWindow();
    const quint32 caption = outcome.ftpOn ? kFtpOptionColour : kWindowTextColour;
    main_.setSaveOptionForeColor(kAutoSaveOption, caption);
    main_.setSaveOptionForeColor(kMotionSaveOption, caption);
    const int mode = main_.selectedSaveOption();
    if (outcome.ftpOn && mode != kAutoSaveOption && mode != kMotionSaveOption)
        main_.selectSaveOption(kAutoSaveOption);
}

void frmSetup::reload()
{
    yield();
    QString fileName;
    LoadSettings(s_, fileName, &main_);
    yield();
    main_.Opmaak();
    yield();
}
