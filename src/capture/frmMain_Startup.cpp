// The start-up (Form_Load) and the shutdown (Form_Unload) of the main window.
#include "capture/frmMain.h"

#include "core/PictureSavingNames.h"
#include "platform/files/AppPaths.h"
#include "platform/gdi/ScreenPlacement.h"
#include "platform/gdi/Twips.h"
#include "settings/Registry.h"
#include "settings/RegistryRecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include "buttons/StyledButton.h"

namespace {

const char* const kWorkingFolders[] = {"/CamSnapshots", "/CamAutoPics", "/CamVideos",
                                       "/CamMotionPics", "/CamMotionRecordings"};

// The logo shown beside the buttons when the program folder has no "tolvex.gif".
QPixmap builtInLogo()
{
    QPixmap logo(88, 60);
    logo.fill(QColor(16, 64, 120));
    QPainter p(&logo);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPointSize(12);
    p.setFont(f);
    p.drawText(logo.rect(), Qt::AlignCenter, "Tolvex");
    return logo;
}

}  // namespace

void frmMain::Form_Load()
{
    CaptureWindowName = "VykTolvex";
    s_.AppPath = platform::programFolder();
    s_.PercentDropForError = 35;
    const char* const sizes[] = {"160x120@24", "176x144@24", "320x240@24", "352x288@24", "640x480@24"};
    for (int i = 0; i < 5; ++i)
        s_.ResolutionList[i] = sizes[i];
    const CommandLineSwitches sw = parseCommandLine(commandLine_);

    for (const char* folder : kWorkingFolders) {
        const QString path = s_.AppPath + folder;
        if (!QFileInfo(path).isDir())
            QDir().mkdir(path);
    }
    HelpFile = s_.AppPath + "/README.md";
    FindIrfanView();
    if (!s_.IrfanViewPath.isEmpty())
        mnuOptionss[kMenuCopyToIrfanView]->setVisible(true);

    setWindowTitle(QStringLiteral("Vyk-Tolvex Pro %1.%2").arg(ProgramVersion::major).arg(ProgramVersion::minor));
    cmdAbout->setCaption("About");
    applyStartValues();
    BaseTitle = windowTitle();

    // Which copy this is decides which settings file a reset deletes.
    const bool anotherCopyRuns = detectSecondCopy(sw);
    applyResetSwitch(sw, anotherCopyRuns);
    QString settingsFile;
    LoadSettings(s_, settingsFile, this);
    // A box of the settings file lets the user (or a SIGTERM) close the program.
    if (unloaded_)
        return;
    loadStartupRecords(s_, registry_);
    applySwitches(sw);
    // Counter names continue after the newest one saved before, so a new run never
    // replaces what the last run saved.
    s_.FileCounter = counterAfterNewestSaved(filesInSaveFolders(s_), s_.DefaultFilename, s_.MaxSaveLimit);
    commandLine_.clear();

    txtSaveInterval->setText(QString::number(s_.AutoSaveInterval));
    if (s_.ScreenSizePosition != 0)
        restoreWindowPosition();
    LoadDeviceList();
    fillDeviceMenu();
    Opmaak();
    if (s_.ShowSideLogo != 0)
        showSideLogo();
    selectSaveOption(s_.AutoRunMode);
    applyStartMode();
    if (unloaded_)
        return;
    if (s_.FtpEnabled != 0)
        markUploadingModes();
    if (s_.AutoRunStream != 0 || startSwitch_) {
        yield();
        cmdStart_Click();
        if (unloaded_)
            return;
    }
    recordAtStart_ = sw.record;
    cmdBurst->setToolTip(QStringLiteral("Save %1 frames/sec as pictures to your harddisk").arg(s_.MaxBurstFrames));
    SetAlwaysOnTop(s_.StayOnTop != 0);
    if (registry_.get("NoURLupdate") != "Yes")
        runUpdateCheck();
    // Last, so that no later start-up step resets the recording's state.
    if (recordAtStart_)
        recordFromStartSwitch();
}

void frmMain::applyStartValues()
{
    AllowanceX = 22;
    AllowanceY = 48;
    SavedAllowanceX = 22;
    SavedAllowanceY = 48;
    s_.ScanRefresh = 25;
    CaptureWidth = 352;
    CaptureHeight = 288;
    VideoWidth = 352;
    VideoHeight = 288;
    MinWidth = 7125;
    MinHeight = 5605;
    capwnd_ = 0;
}

// A reset deletes this copy's own settings file (Tolvex2.ini in a second copy).
// The print settings are shared by both copies: they go only while no other copy
// runs that uses them.
void frmMain::applyResetSwitch(const CommandLineSwitches& sw, bool anotherCopyRuns)
{
    if (!sw.reset)
        return;
    QFile::remove(settingsFileName(s_));
    if (!anotherCopyRuns)
        QFile::remove(s_.AppPath + "/TolvexPrint.ini");
}

bool frmMain::detectSecondCopy(const CommandLineSwitches& sw)
{
    const bool anotherCopyRuns = !instanceLock_.acquire(s_.AppPath);
    if (sw.secondCopy || anotherCopyRuns) {
        s_.SecondInstance = -1;
        CaptureWindowName = "VykTolvex2";
    }
    return anotherCopyRuns;
}

void frmMain::applySwitches(const CommandLineSwitches& sw)
{
    startSwitch_ = sw.start;
    startModeSwitch_ = sw.startMode();
    if (sw.device)
        s_.CaptureDevice = sw.deviceIndex;
}

void frmMain::restoreWindowPosition()
{
    // A missing or broken value ends the reading early; what was read still counts.
    LoadWindowPosition(s_, registry_);
    QSize outer = frameGeometry().size();
    if (s_.MainWidth > MinWidth && s_.MainHeight > MinHeight) {
        resizeOuter(s_.MainWidth, s_.MainHeight);
        outer = {platform::twipsToPixelsCeil(s_.MainWidth), platform::twipsToPixelsCeil(s_.MainHeight)};
        LayoutReady = true;
    }
    if (s_.MainTop >= -100 && s_.MainLeft >= -100) {
        // A place on a screen that is gone (or far off every screen) is brought
        // back onto the nearest one.
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens())
            screens.append(screen->availableGeometry());
        const QPoint at(platform::twipsToPixels(s_.MainLeft), platform::twipsToPixels(s_.MainTop));
        move(platform::placeOnScreen(QRect(at, outer), screens));
    }
}

void frmMain::resizeOuter(int32_t widthTwips, int32_t heightTwips)
{
    // The stored sizes are the outer frame's. Rounded up as the minimum size is, so
    // a window set to its minimum is not found too small.
    setOuterSize({platform::twipsToPixelsCeil(widthTwips), platform::twipsToPixelsCeil(heightTwips)});
}

void frmMain::fillDeviceMenu()
{
    for (int i = 0; i < 10; ++i) {
        if (s_.DeviceNames[i].trimmed().isEmpty())
            continue;
        mnudevices[i]->setText(s_.DeviceNames[i]);
        mnudevices[i]->setCheckable(true);
        mnudevices[i]->setVisible(true);
        mnudevices[i]->setChecked(i == s_.CaptureDevice);
    }
}

void frmMain::showSideLogo()
{
    // Read again when the box next shows it: the picture may have changed.
    sideLogo_ = QPixmap();
    layOutSideLogo();
}

QPixmap frmMain::loadSideLogo() const
{
    const QString custom = s_.AppPath + "/tolvex.gif";
    QPixmap picture;
    if (!QFileInfo(custom).isFile() || !picture.load(custom))
        picture = builtInLogo();
    return picture;
}

void frmMain::applyStartMode()
{
    const int mode = startModeSwitch_ >= 0 ? startModeSwitch_ : s_.StartMode;
    if (mode > kStartNormal)
        show();
    if (mode == kStartTiny || mode == kStartMinimizedTiny) {
        resizeOuter(s_.MainWidth, s_.MainHeight);
        mnuOptionss_Click(kMenuMiniMode);
        Image4->resize(width() - Picture2->width() - AllowanceX, height() - Picture3->height() - AllowanceY);
        yield();
    }
    if (mode == kStartMinimized || mode == kStartMinimizedTiny)
        showMinimized();
}

void frmMain::Form_Activate()
{
    LayoutReady = true;
}

void frmMain::Form_QueryUnload()
{
    yield();
}

void frmMain::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    tmrMain->stop();
    if (capwnd_ != 0)
        StopWork();
    yield();
    const int widthTwips = platform::pixelsToTwips(frameGeometry().width());
    const int heightTwips = platform::pixelsToTwips(frameGeometry().height());
    if (s_.ScreenSizePosition != 0 && widthTwips > 600 && heightTwips > 600) {
        s_.MainTop = platform::pixelsToTwips(frameGeometry().top());
        s_.MainLeft = platform::pixelsToTwips(frameGeometry().left());
        s_.MainWidth = widthTwips;
        s_.MainHeight = heightTwips;
        SaveRegistry(s_, registry_);
    }
    yield();
    // Only the scratch files this run wrote; whatever else sits there is the user's.
    streamBuffers_.removeWritten();
    removeHandOffFile();
    endProcess_();
}
