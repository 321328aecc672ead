// Capture devices, the preview capture window and the frame pump of the main window.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "capture/CaptureDevices.h"
#include "capture/CaptureLog.h"
#include "capture/Recording.h"
#include "platform/capdriver/CaptureSystem.h"
#include "platform/capdriver/CaptureTypes.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

using platform::capdriver::kWsChild;
using platform::capdriver::kWsVisible;

namespace {

// The error numbers the stream-buffer notice "IDE Mode Error: n" shows.
constexpr int kErrorFileAccess = 75;
constexpr int kErrorFileNotFound = 53;
constexpr int kErrorInvalidPicture = 481;

}  // namespace

void frmMain::LoadDeviceList()
{
    // Between two drivers a shown window paints; the start-up asks before the window
    // shows, when there is nothing to paint.
    ::LoadDeviceList(DeviceListTarget::DeviceNames, s_, capture_, {}, [this] {
        if (isVisible())
            yield();
    });
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
    qCWarning(lcCapture) << "no connection to capture device" << s_.CaptureDevice << "after three tries";
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
    setVideoSizeCaption("&Video Size");
    applyPreviewControls(PreviewMoment::ConnectFailed);
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
    applyPreviewControls(PreviewMoment::PreviewRuns);
    armModeAtPreviewStart();
    yield();
    if (!Check1->Value()) {
        tmrMain_Timer();
        Check1_Click();
    }
}

void frmMain::applyPreviewControls(PreviewMoment moment)
{
    for (const ControlEnabled& control : previewControls(moment)) {
        QObject* found = findChild<QObject*>(control.name);
        if (auto* button = qobject_cast<StyledButton*>(found))
            button->setEnabled(control.enabled);
        else if (auto* widget = qobject_cast<QWidget*>(found))
            widget->setEnabled(control.enabled);
        else if (auto* action = qobject_cast<QAction*>(found))
            action->setEnabled(control.enabled);
    }
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
    applyPreviewControls(PreviewMoment::Stopped);
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
    platform::capdriver::SequenceStatus status;
    capture_.capGetStatus(capwnd_, status);
    UnloadMessage();
    sleep(100);
    ShowMessage(recordingEndedNotice(status));
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
    const bool grabbed = capture_.capGrabFrameNoStop(capwnd_);
    if (!grabbed && capture_.capDeviceLost(capwnd_))
        return previewDeviceLost();
    if (s_.StreamSource == kStreamThroughClipboard)
        pumpThroughClipboard(grabbed);
    else
        pumpThroughFile(grabbed);
}

void frmMain::previewDeviceLost()
{
    // An unplugged camera: the preview stops as by the Stop button, the last frame
    // stays on show, and the user is told once; the device can be chosen again
    // once it is back.
    qCWarning(lcCapture) << "capture device" << s_.CaptureDevice << "stopped delivering; the preview stops";
    cmdStop_Click();
    ShowMessage(QStringLiteral("No Connection to Video Device"));
}

void frmMain::pumpThroughClipboard(bool grabbed)
{
    if (!grabbed)
        return;  // no new frame: the last one stays on show
    // The camera is often slower than the pump: a frame that is on the clipboard and
    // on show already costs nothing (each clipboard call is a round trip to the
    // display server).
    const bool onClipboard = capture_.clipboardHoldsCopy();
    if (onClipboard && capture_.lastFrame(capwnd_).cacheKey() == pumpedClipboardKey_)
        return;
    // Text the user copied survives the pump: it goes back once the frame is through.
    QClipboard* clipboard = QGuiApplication::clipboard();
    QString keptText;
    bool keepText = false;
    if (!onClipboard) {
        const QMimeData* data = clipboard->mimeData();
        if (data && data->hasText()) {
            keptText = data->text();
            keepText = true;
        }
    }
    if (capture_.capEditCopy(capwnd_)) {
        // What the pump has just put on the clipboard is the frame; it is read back
        // only when something else took the clipboard at once.
        const QImage frame = capture_.clipboardHoldsCopy() ? capture_.lastFrame(capwnd_) : clipboard->image();
        pumpedClipboardKey_ = frame.cacheKey();
        if (!frame.isNull())
            showFrame(frame);
    }
    if (keepText)
        clipboard->setText(keptText);
}

void frmMain::pumpThroughFile(bool grabbed)
{
    const QString bufferFile = streamBufferFile();
    int error = 0;
    QString reason;
    if (!grabbed || bufferFile.isEmpty() || !capture_.capFileSaveDIB(capwnd_, bufferFile)) {
        error = kErrorFileAccess;  // the buffer file could not be written; the writer logged why
    } else {
        streamBuffers_.markWritten(bufferFile);
        QImage frame;
        if (streamFile_.read(bufferFile, frame))
            showFrame(frame);
        else
            error = QFileInfo::exists(bufferFile) ? kErrorInvalidPicture : kErrorFileNotFound;
    }
    if (error != 0 && !MessageLoaded) {
        // Logged with the message, once, not at every tick of the frame pump.
        if (!reason.isEmpty())
            qCWarning(lcCapture).noquote() << "cannot read the stream buffer" << bufferFile << "-"
                                           << reason;
        MessageLoaded = true;
        ShowMessage(QStringLiteral("IDE Mode Error: %1").arg(error));
        yield();
    }
}

QString frmMain::streamBufferFile()
{
    bool isNew = false;
    const BufferFileChoice& choice = streamBuffers_.choose(s_.TempBufferFileAndPath, s_.AppPath, isNew);
    if (isNew && !choice.warning.isEmpty())
        qCWarning(lcCapture).noquote() << choice.warning;
    if (isNew && !choice.notice.isEmpty())
        ShowMessage(choice.notice);
    return choice.path;
}

void frmMain::showFrame(const QImage& frame)
{
    Image4->setImage(frame);
}

void frmMain::StyledButton13_MouseDown(int, int, float X, float Y)
{
    // At the press: under the mouse, or in the middle of the button pressed by key.
    mnuVideoDevice->exec(StyledButton13->mapToGlobal(QPointF(X, Y)).toPoint());
    WriteIniValue(s_, "[Device]", s_.CaptureDevice);
}

void frmMain::mnudevices_Click(int index)
{
    if (index == 12 || index == s_.CaptureDevice) {
        // A checkable item flips its own tick before this runs; the tick marks the device in use.
        markDeviceInUse();
        return;
    }
    yield();
    ResolutionsChecked = false;
    s_.CaptureDevice = index;
    markDeviceInUse();
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

void frmMain::markDeviceInUse()
{
    for (int i = 0; i <= 10; ++i)
        mnudevices[i]->setChecked(i == s_.CaptureDevice);
}

void frmMain::cmdCamOptions_Click()
{
    if (capwnd_ == 0)
        return;
    runModal([this] {
        capture_.capDlgVideoSource(capwnd_);
        if (s_.HowToCheckDriver == kProbeAlways)
            ResolutionsChecked = false;
        yield();
    });
}

