// Capture devices, the preview capture window and the frame pump of the main window.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "platform/capdriver/CaptureSystem.h"
#include "platform/capdriver/CaptureTypes.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

using platform::capdriver::kWsChild;
using platform::capdriver::kWsVisible;

void frmMain::LoadDeviceList()
{
    s_.DeviceNames.fill(QString());
    for (int i = 0;; ++i) {
        QString name, version;
        if (!capture_.capGetDriverDescriptionA(i, name, version))
            break;
        if (i < static_cast<int>(s_.DeviceNames.size()))
            s_.DeviceNames[i] = name.trimmed();
        yield();
    }
}

void frmMain::Start()
{
    if (capwnd_ != 0 || Recording)
        return;
    setCursor(Qt::WaitCursor);
    Image4->show();
    tmrMain->setInterval(s_.ScanRefresh);
    tmrMain->stop();
    yield();
    capwnd_ = capture_.capCreateCaptureWindowA(CaptureWindowName, kWsChild | kWsVisible, 0, 0,
                                               CaptureWidth, CaptureHeight, Image1, 0);
    yield();
    DriverConnected = capture_.capDriverConnect(capwnd_, s_.CaptureDevice);
    yield();
    if (DriverConnected == 0) {
        DriverConnected = capture_.capDriverConnect(capwnd_, s_.CaptureDevice);
        sleep(100);
        yield();
    }
    if (DriverConnected == 0) {
        DriverConnected = capture_.capDriverConnect(capwnd_, s_.CaptureDevice);
        yield();
    }
    yield();
    capture_.capPreview(capwnd_, true);
    yield();
    if (DriverConnected != 0) {
        FailedConnectCount = 0;
        tmrMain->start();
        tmrCheckSize->start();
        unsetCursor();
        PreviewStarted = true;
    } else {
        connectFailed();
    }
}

void frmMain::connectFailed()
{
    ShowMessage("No Connection to Video Device");
    yield();
    sleep(1200);
    UnloadMessage();
    ShowMessage("Please choose another device");
    yield();
    if (FailedConnectCount >= 1) {
        sleep(1200);
        UnloadMessage();
        ShowMessage("Or restart Tolvex and/or the device");
        yield();
    }
    ++FailedConnectCount;
    sleep(1700);
    cmdStop_Click();
    cmdVideoSize->setCaption("&Video Size");
    cmdStart->setEnabled(true);
    for (StyledButton* b : {cmdCamOptions, cmdVideoSize, cmdStop, cmdSnapShot, cmdRecord, cmdSaveAs, cmdBurst})
        b->setEnabled(false);
}

void frmMain::StopWork()
{
    for (QTimer* t : {tmrMain, tmrAutoSave, tmrAutoMotion, tmrCheckSize})
        t->stop();
    setWindowTitle(BaseTitle);
    capture_.capCaptureStop(capwnd_);
    yield();
    capture_.capDriverDisconnect(capwnd_);
    // Every start makes a new capture window; the old one would pile up on Image1
    // over days of starts and stops by the time window.
    if (QWidget* old = capture_.window(capwnd_))
        old->deleteLater();
    capwnd_ = 0;
    yield();
    clearPumpedClipboard();
}

void frmMain::clearPumpedClipboard()
{
    // Only the pump's own frame goes; whatever the user copied since stays.
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData();
    if (pumpedClipboardKey_ != 0 && data && data->hasImage() && !data->hasText()
        && clipboard->image().cacheKey() == pumpedClipboardKey_)
        clipboard->clear();
    pumpedClipboardKey_ = 0;
}

void frmMain::cmdStart_Click()
{
    if (!Recording)
        StopWork();
    Recording = false;
    OptionSaveMode();
    Image4->show();
    Image1->hide();
    Start();
    MessageLoaded = false;
    if (DriverConnected == 0) {
        cmdStop->setEnabled(false);
        cmdStart->setEnabled(true);
        unsetCursor();
        return;
    }
    for (int i : {0, 1, 4, 5, 8, 9})
        mnuOptionss[i]->setEnabled(true);
    setPreviewControls(true);
    setModeControlsEnabled();
    armModeAtPreviewStart();
    yield();
    if (!Check1->Value()) {
        tmrMain_Timer();
        Check1_Click();
    }
}

void frmMain::setPreviewControls(bool previewing)
{
    for (StyledButton* b : {cmdSnapShot, cmdRecord, cmdSetup, cmdAbout, cmdHelp, cmdSaveAs, cmdViewer, cmdBurst})
        b->setEnabled(true);
    cmdCamOptions->setEnabled(previewing);
    cmdVideoSize->setEnabled(previewing);
    cmdStop->setEnabled(previewing);
    cmdStart->setEnabled(!previewing);
    if (!previewing)
        StyledButton13->setEnabled(true);
}

void frmMain::setModeControlsEnabled()
{
    for (int i = 0; i < 3; ++i)
        OptSaveChoice[i]->setEnabled(true);
    txtSaveInterval->setEnabled(true);
    Check1->setEnabled(true);
    Check3->setEnabled(true);
}

void frmMain::cmdStop_Click()
{
    if (Recording && !EscStopped) {
        yield();
        capture_.capCaptureStop(capwnd_);
        capture_.capDriverDisconnect(capwnd_);
        Image1->hide();
        Image4->show();
    } else {
        StopWork();
    }
    MotionWarmup = 0;
    setModeControlsEnabled();
    setPreviewControls(false);
    setWindowTitle(BaseTitle);
    RecordTicks = 0;
    if (Recording)
        closeRecording();
}

void frmMain::closeRecording()
{
    setCursor(Qt::WaitCursor);
    setWindowTitle("Please WAIT while closing recording....");
    tmrFlash->stop();
    imgRecFlash->hide();
    EscStopped = false;
    yield();
    UnloadMessage();
    sleep(100);
    ShowMessage("Recording Ended");
    yield();
    sleep(2000);
    StopWork();
    yield();
    sleep(100);
    yield();
    cmdStart_Click();
    unsetCursor();
    if (s_.MotionRecordMode != 0)
        OptSaveChoice_Click(3);
}

void frmMain::tmrMain_Timer()
{
    yield();
    QClipboard* clipboard = QGuiApplication::clipboard();
    QString keptText;
    bool keepText = false;
    if (s_.StreamSource == 0) {
        const QMimeData* data = clipboard->mimeData();
        if (data && data->hasText()) {
            keptText = data->text();
            keepText = true;
        }
    }
    const bool grabbed = capture_.capGrabFrameNoStop(capwnd_);
    if (s_.StreamSource == 0)
        pumpThroughClipboard(grabbed);
    if (keepText)
        clipboard->setText(keptText);
    if (s_.StreamSource != 0)
        pumpThroughFile(grabbed);
}

void frmMain::pumpThroughClipboard(bool grabbed)
{
    if (!grabbed || !capture_.capEditCopy(capwnd_))
        return;  // no new frame: the last one stays on show
    const QImage frame = QGuiApplication::clipboard()->image();
    pumpedClipboardKey_ = frame.cacheKey();
    if (!frame.isNull())
        showFrame(frame);
}

void frmMain::pumpThroughFile(bool grabbed)
{
    int error = 0;
    if (!grabbed || !capture_.capFileSaveDIB(capwnd_, s_.TempBufferFileAndPath)) {
        error = 75;  // the buffer file could not be written
    } else {
        QImageReader reader(s_.TempBufferFileAndPath);
        const QImage frame = reader.read();
        if (frame.isNull())
            error = reader.error() == QImageReader::FileNotFoundError ? 53 : 481;
        else
            showFrame(frame);
    }
    if (error != 0 && !MessageLoaded) {
        MessageLoaded = true;
        ShowMessage(QStringLiteral("IDE Mode Error: %1").arg(error));
        yield();
    }
}

void frmMain::showFrame(const QImage& frame)
{
    Image4->setImage(frame);
}

void frmMain::StyledButton13_MouseDown(int, int, float, float)
{
    mnuVideoDevice->exec(QCursor::pos());
    WriteIniValue(s_, "[Device]", s_.CaptureDevice);
}

void frmMain::mnudevices_Click(int index)
{
    if (index == 12 || index == s_.CaptureDevice)
        return;
    yield();
    for (int i = 0; i <= 10; ++i)
        mnudevices[i]->setChecked(false);
    ResolutionsChecked = false;
    s_.CaptureDevice = index;
    mnudevices[index]->setChecked(true);
    if (cmdStart->Enabled()) {
        StopWork();
        setWindowTitle(BaseTitle);
    } else {
        cmdStop_Click();
        yield();
        cmdStart_Click();
    }
    yield();
}

void frmMain::cmdCamOptions_Click()
{
    if (capwnd_ == 0)
        return;
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(false);
    capture_.capDlgVideoSource(capwnd_);
    if (s_.HowToCheckDriver == 1)
        ResolutionsChecked = false;
    yield();
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(true);
}

void frmMain::Check1_Click()
{
}
