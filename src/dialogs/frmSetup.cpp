#include "dialogs/frmSetup.h"

#include "automation/frmFTP.h"
#include "buttons/ButtonColors.h"
#include "buttons/StyledButton.h"
#include "capture/CaptureDevices.h"
#include "capture/MainLook.h"
#include "core/ButtonCodes.h"
#include "dialogs/SetupLog.h"
#include "dialogs/frmGetFolder.h"
#include "platform/gdi/GdiColour.h"
#include "platform/shell/Shell.h"
#include "settings/Prompts.h"
#include "settings/Registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace {

// The dialog's size: 10230 x 9420 twips.
constexpr int kWidth = 682, kHeight = 628;
// The counter box takes at most this many typed characters; text set by the
// dialog itself may be longer.
constexpr int kCounterTyped = 5;
constexpr int kBuiltInViewer = 0, kOtherViewer = 1;
constexpr int kNormalBackground = 0, kUserBackground = 1;
constexpr int kCounterNaming = 2;
constexpr int kFolderChooserFirst = 2;
constexpr int kMixerNotFound = 53;  // the platform's "file not found"
constexpr int kShortestViewerPath = 5;

bool ticked(int16_t value)
{
    return value != 0;
}

void setIndex(QComboBox* box, int index)
{
    // An index outside the list leaves it without a selection.
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

template <size_t N>
void selectOption(const std::array<QRadioButton*, N>& group, int index)
{
    if (index >= 0 && index < static_cast<int>(N))
        group[index]->setChecked(true);
}

void paintLabel(QLabel* label, gdi::Colour colour)
{
    label->setProperty("BackColor", colour);
    const gdi::Colour shown = gdi::SystemColours::fromPalette(label->palette()).resolve(colour);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(gdi::toQRgb(shown)));
    label->setPalette(p);
}

struct FolderBrowse {
    QString SettingsModel::*setting;
    const char* caption;
};

// Browse buttons 2..7.
const FolderBrowse kFolderBrowses[6] = {
    {&SettingsModel::PicturePath, "Select your picture folder"},
    {&SettingsModel::AutoSavePath, "Select your autosave folder"},
    {&SettingsModel::MotionPicsPath, "Select your motionsave pics folder"},
    {&SettingsModel::VideoPath, "Select your video folder"},
    {&SettingsModel::SaveAsPath, "Select your 'Save As...' folder"},
    {&SettingsModel::MotionRecordingPath, "Select your motion recording save folder"},
};

}  // namespace

frmSetup::frmSetup(SettingsModel& settings, MainWindowLink& mainWindow, SetupServices services, QWidget* parent)
    : QDialog(parent)
    , s_(settings)
    , main_(mainWindow)
    , services_(std::move(services))
{
    setObjectName("frmSetup");
    setWindowTitle("Setup");
    buildControls();
    paintLabel(LblKleur, gdi::kButtonFace);
    connectHandlers();
}

frmSetup::~frmSetup() = default;

void frmSetup::yield()
{
    QCoreApplication::processEvents();
}

void frmSetup::Form_Load()
{
    chkVersionupdate->setChecked(services_.registry.get("NoURLupdate") != "Yes");
    chkUseBurstAsSnapshot->setChecked(ticked(s_.UseBurstAsSnapshot));
    loadDevices();
    chkVideoCompression->setChecked(ticked(s_.VidCompressDialog));
    loadFolders();
    HScroll1->setValue(s_.JPGQuality);
    // Setting the bar to the value it already has raises no change.
    HScroll1_Change();
    Option1[s_.SaveBitmapType != 0 ? 1 : 0]->setChecked(true);

    Check2->setChecked(ticked(s_.ShowSideLogo));
    Text3->setText(QString::number(s_.ScanRefresh));
    setIndex(cmbButton, s_.ButtonColor);
    cmbButton_Click();
    Check3->setChecked(ticked(s_.ScreenSizePosition));
    if (s_.BackgroundColor != -1) {
        Option4[kUserBackground]->setChecked(true);
        paintLabel(LblKleur, s_.BackgroundColor);
    }

    selectOption(OptFileOptions, s_.SaveFileNameOptions);
    if (s_.DefaultFilename.trimmed().isEmpty()) {
        OptFileOptions[0]->setChecked(true);
        s_.DefaultFilename = "Cam";
    }
    txtFilename->setText(s_.DefaultFilename.trimmed());
    if (s_.ButtonStyle < buttons::kStyleClassic || s_.ButtonStyle > buttons::kStyleXpMac)
        s_.ButtonStyle = buttons::kStyleXpMac;
    setIndex(cmbStyle, s_.ButtonStyle);
    cmbStyle_Click();
    setIndex(cmbMaxBurst, s_.MaxBurstFrames - kFewestBurstFrames);
    chkStayOnTop->setChecked(ticked(s_.StayOnTop));
    chkAudiocap->setChecked(ticked(s_.DisableAudioCap));
    cmbTrigger->addItems({"Total Image (default)", "Centre Image", "Top half 1/2)", "Bottom half of Image (1/2)",
                          "Top left corner (1/4)", "Top right corner (1/4)", "Bottom left corner (1/4)",
                          "Bottom right corner (1/4)"});
    selectOption(optCheckRes, s_.HowToCheckDriver);
    selectOption(optStreamSource, s_.StreamSource);
    if (s_.MotionRecordingDuration < kShortestRecording)
        s_.MotionRecordingDuration = kDefaultRecording;
    setFixedSize(kWidth, kHeight);

    chkAutoTimer->setChecked(ticked(s_.AutoTimer));
    const QTime now = services_.timeOfDay();
    txtStartTime->setText(timeBoxText(s_.StartTime, now));
    txtStopTime->setText(timeBoxText(s_.StopTime, now));
    setIndex(cmbTrigger, s_.TriggerFocus);
    chkFilter->setChecked(ticked(s_.NoiseReduction));
    setIndex(cmbSensitivity, s_.MotionSensing);
    txtMaxPicLimit->setText(fiveDigitText(s_.MaxSaveLimit));
    txtCounter->setText(fiveDigitText(s_.FileCounter));
    loadChecks();
    txtRecDuration->setText(QString::number(s_.MotionRecordingDuration));
    txtStampText->setText(s_.StampText);

    Text4->setText(s_.PictureEditor);
    Text5->setText(s_.PictureViewer);
    if (s_.PictureViewer.size() >= kShortestViewerPath) {
        Option3[kOtherViewer]->setChecked(true);
    } else {
        // The built-in viewer is chosen, so no outside viewer may stay in the box.
        s_.PictureViewer.clear();
        Text5->clear();
    }
    Timer1_Timer();
    Timer1->start();
}

void frmSetup::loadDevices()
{
    LoadDeviceList(
        DeviceListTarget::ListBox, s_, services_.capture,
        [this](const QString& name) { lstDevices->addItem(name); }, [this] { yield(); });
    driverCount_ = lstDevices->count();
    if (s_.CaptureDevice >= 0 && s_.CaptureDevice < driverCount_) {
        lstDevices->setCurrentRow(s_.CaptureDevice);
        s_.DeviceListIndex = static_cast<int16_t>(lstDevices->currentRow());
    } else {
        s_.CaptureDevice = 0;
        lstDevices->addItem(kNoDevice);
    }
}

void frmSetup::loadFolders()
{
    Text1->setText(s_.PicturePath);
    Text2->setText(s_.AutoSavePath);
    Text6->setText(s_.VideoPath.trimmed());
    Text7->setText(s_.MotionPicsPath.trimmed());
    Text8->setText(s_.SaveAsPath.trimmed());
    Text9->setText(s_.MotionRecordingPath.trimmed());
}

void frmSetup::loadChecks()
{
    chkTitleBar->setChecked(ticked(s_.RemoveTitleBar));
    setIndex(cmbStartMode, s_.AutoRunMode);
    chkAutoRun->setChecked(ticked(s_.AutoRunStream));
    chkEmbedTime->setChecked(ticked(s_.EmbedTime));
    chkMini[0]->setChecked(s_.StartMode == kStartMinimized || s_.StartMode == kStartMinimizedTiny);
    chkMini[1]->setChecked(s_.StartMode == kStartTiny || s_.StartMode == kStartMinimizedTiny);
    const std::array<QCheckBox*, 4> sounds = {chkSSnap, chkSBurst, chkSAuto, chkSMotion};
    for (size_t n = 0; n < sounds.size(); ++n)
        if (s_.SoundFlags[n] == 1)
            sounds[n]->setChecked(true);
    chkFTP->setChecked(ticked(s_.FtpEnabled));
    chkMultipleRecord->setChecked(ticked(s_.MultipleMotionRecords));
}

void frmSetup::Command1_Click()
{
    txtStartTime->setText(services_.timeOfDay().toString(QStringLiteral("HH:mm:ss")));
}

void frmSetup::Command2_Click()
{
    txtStopTime->setText(services_.timeOfDay().toString(QStringLiteral("HH:mm:ss")));
}

void frmSetup::Timer1_Timer()
{
    Label12->setText(services_.timeOfDay().toString(QStringLiteral("HH:mm")));
}

void frmSetup::chkAutoTimer_Click()
{
    txtStartTime->setFocus();
}

void frmSetup::chkAutoRun_Click()
{
    StyledButton1_0->setFocus();
}

void frmSetup::HScroll1_Change()
{
    Label3->setText(QString::number(HScroll1->value()));
}

void frmSetup::cmbButton_Click()
{
    const int index = cmbButton->currentIndex();
    SelectedButtonColor = index;
    if (index < 0)
        return;
    // The example shows the colour as the main window's buttons will (Opmaak).
    const MainButtonLook look = mainButtonLook(index, s_.ButtonColors, s_.BackgroundColor);
    StyledButton2->setForeColor(look.captionColour);
    if (look.gradient)
        StyledButton2->setGradientColor(*look.gradient);
    StyledButton2->setBackColor(look.face.value_or(kButtonFaceColor));
}

void frmSetup::cmbStyle_Click()
{
    if (cmbStyle->currentIndex() >= 0)
        StyledButton2->setButtonStyle(cmbStyle->currentIndex());
}

void frmSetup::OptFileOptions_Click(int Index)
{
    txtMaxPicLimit->setEnabled(Index == kCounterNaming);
}

void frmSetup::Option3_Click(int Index)
{
    if (Index == kBuiltInViewer)
        Text5->clear();
}

void frmSetup::Option4_Click(int Index)
{
    if (Index != kNormalBackground)
        return;
    s_.PickedColor = -1;
    paintLabel(LblKleur, gdi::kButtonFace);
}

void frmSetup::Option4_DblClick(int Index)
{
    if (Index == kUserBackground)
        LblKleur_Click();
}

void frmSetup::LblKleur_Click()
{
    services_.pickColor(s_, this);
    if (s_.PickedColor >= 0)
        paintLabel(LblKleur, s_.PickedColor);
}

void frmSetup::optStreamSource_Click()
{
    StyledButton4->setEnabled(!optStreamSource[kStreamThroughFile]->isChecked());
}

void frmSetup::optStreamSource_MouseUp()
{
    if (optStreamSource[kStreamThroughFile]->isChecked())
        services_.prompts.message(this, "IDE mode is only recommended for low resolution cam's.", "Info on IDE Mode",
                                  BoxIcon::Information);
}

void frmSetup::chkFTP_MouseUp()
{
    s_.FtpEnabled = chkFTP->isChecked() ? 1 : 0;
}

void frmSetup::StyledButton7_MouseDown()
{
    frmFTP ftp(s_, services_.prompts, this);
    services_.runModal(ftp);
    chkFTP->setChecked(ticked(s_.FtpEnabled));
}

void frmSetup::StyledButton3_Click(int Index)
{
    if (Index < kFolderChooserFirst)
        browseForFile(Index);
    else if (Index < static_cast<int>(StyledButton3.size()))
        browseForFolder(Index);
}

void frmSetup::browseForFile(int index)
{
    OpenDialogArgs args;
    args.initialFolder = s_.AppPath;
    args.dialogTitle = index == 0 ? "Select your picture editor" : "Select your picture viewer";
    args.filter = "All (*.*)| *.*";
    args.owner = this;
    if (services_.showOpenDialog(args) != DialogResult::Confirmed)
        return;
    if (index == 0) {
        Text4->setText(args.fileName);
    } else {
        Text5->setText(args.fileName);
        Option3[kOtherViewer]->setChecked(true);
    }
}

void frmSetup::browseForFolder(int index)
{
    const FolderBrowse& browse = kFolderBrowses[index - kFolderChooserFirst];
    FolderBoxes boxes{};
    boxes[static_cast<int>(FolderKind::MotionRecording)] = Text9;
    boxes[static_cast<int>(FolderKind::AutoSave)] = Text2;
    boxes[static_cast<int>(FolderKind::Picture)] = Text1;
    boxes[static_cast<int>(FolderKind::Video)] = Text6;
    boxes[static_cast<int>(FolderKind::MotionPics)] = Text7;
    boxes[static_cast<int>(FolderKind::SaveAs)] = Text8;
    frmGetFolder chooser(s_, boxes, services_.prompts, this);
    chooser.setShownFolder(s_.*browse.setting);
    chooser.setWindowTitle(browse.caption);
    services_.runModal(chooser);
}

void frmSetup::StyledButton4_Click()
{
    const ProgramCommand second = secondInstanceCommand(s_.AppPath);
    if (!services_.shell.startProgram(second.program, second.arguments))
        qCWarning(lcSetup) << "second copy did not start:" << second.program << second.arguments;
    yield();
}

void frmSetup::StyledButton5_MouseDown()
{
    services_.selectAudioFormat(this);
}

void frmSetup::StyledButton6_MouseDown()
{
    if (startVolumeMixer(services_.shell, services_.findProgram))
        return;
    qCWarning(lcSetup) << "no volume mixer started: none of pavucontrol, pavucontrol-qt, alsamixer in a terminal";
    services_.prompts.message(this,
                              "Could not find a Volume Control Mixer (pavucontrol or alsamixer)\r"
                              "Install a volume control (for example the package pavucontrol)",
                              QStringLiteral("Not found, Err:%1").arg(kMixerNotFound), BoxIcon::Exclamation);
}

void frmSetup::StyledButton8_MouseDown()
{
    reject();
}

bool frmSetup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 2; ++i)
            if (watched == Option4[i])
                Option4_DblClick(i);
    }
    if (watched == txtCounter && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool typesText = !key->text().isEmpty() && key->text()[0].isPrint();
        const qsizetype kept = txtCounter->text().size() - txtCounter->selectedText().size();
        if (typesText && kept >= kCounterTyped)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
