// Video recording of the main window: the record button, the recording window,
// the blinking mark with the motion-recording count, and the ESC stop.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "capture/CaptureLog.h"
#include "capture/Recording.h"
#include "core/SaveModes.h"
#include "platform/capdriver/CaptureSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

using platform::capdriver::kWsChild;
using platform::capdriver::kWsVisible;

namespace {

// After ESC the window waits this long and lets the message loop turn this often.
constexpr qint64 kEscapeWaitMs = 1000;
constexpr int kEscapeWaitTurns = 20000;
// A notice that a recording could not start stays about three seconds.
constexpr int kFailureNoticeExtraTicks = 2;

// The red dot that flashes while a recording runs.
QPixmap recordingDot(QSize size)
{
    QPixmap dot(size);
    dot.fill(Qt::transparent);
    QPainter p(&dot);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::red);
    p.drawEllipse(QRectF(QPointF(0, 0), size));
    return dot;
}

// Sees ESC before any control of the main window does, for as long as one
// recording lasts; a focused button would otherwise take the key.
class EscapeWhileRecording final : public QObject {
public:
    // `recordingWindow` is the capture window's holder: ESC counts while it shows.
    EscapeWhileRecording(frmMain* window, QWidget* recordingWindow)
        : QObject(window), window_(window), recordingWindow_(recordingWindow)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!window_->recording()) {
            deleteLater();
            return false;
        }
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != window_ || recordingWindow_->isHidden())
            return false;
        // A second ESC during the wait after the first one is only swallowed.
        if (!stopping_) {
            stopping_ = true;
            window_->stopRecordingByEscape();
        }
        return true;
    }

private:
    frmMain* window_;
    QWidget* recordingWindow_;
    bool stopping_ = false;
};

}  // namespace

void frmMain::cmdRecord_Click()
{
    ViewerFolderIndex = 2;
    SaveVideo();
}

void frmMain::startMotionRecording()
{
    cmdRecord_Click();
}

void frmMain::recordFromStartSwitch()
{
    show();
    cmdStart_Click();
    const int16_t keep = s_.VidCompressDialog;
    s_.VidCompressDialog = 0;
    cmdRecord_Click();
    s_.VidCompressDialog = keep;
}

void frmMain::SaveVideo()
{
    s_.NumAudioRequested = kNumAudioRequested;
    const platform::capdriver::CaptureParms parms = recordingParms(s_, OptSaveChoice[3]->Value());
    cmdStop_Click();
    tmrMain->stop();
    Image1->setGeometry(Image4->geometry());
    Image1->show();
    yield();
    capwnd_ = capture_.capCreateCaptureWindowA(CaptureWindowName, kWsChild | kWsVisible, 0, 0, CaptureWidth,
                                               CaptureHeight, Image1, 0);
    yield();
    if (capwnd_ == 0) {
        prompts().message(this, recordingtext::kNoDevice, QCoreApplication::applicationName(), BoxIcon::Information);
        Image1->hide();
        Image4->show();
        return;
    }
    Recording = true;
    delete escapeWatch_;  // one watch at a time, also when the last one has not gone yet
    escapeWatch_ = new EscapeWhileRecording(this, Image1);
    yield();
    if (!capture_.capDriverConnect(capwnd_, s_.CaptureDevice))
        return abandonRecording("No Connection to Video Device");
    yield();
    capture_.capPreviewScale(capwnd_, true);
    yield();
    if (s_.MotionRecordMode == 0 && s_.VidCompressDialog != 0) {
        if (s_.StayOnTop != 0)
            SetAlwaysOnTop(false);
        capture_.capDlgVideoCompression(capwnd_);
        if (s_.StayOnTop != 0)
            SetAlwaysOnTop(true);
    }
    yield();
    capture_.capPreviewRate(capwnd_, s_.ScanRefresh);
    capture_.capPreview(capwnd_, true);
    Image4->hide();
    Image1->show();
    setRecordingControls();
    if (!beginRecordingFile() || !capture_.capCaptureSetSetup(capwnd_, parms) || !capture_.capCaptureSequence(capwnd_))
        return abandonRecording(recordingtext::kCannotStart);
    tmrFlash->start();
    platform::capdriver::SequenceStatus status;
    if (capture_.capGetStatus(capwnd_, status))
        if (const auto notice = recordingStartNotice(parms, status))
            ShowMessage(*notice);
}

void frmMain::setRecordingControls()
{
    Check1->setEnabled(false);
    Check3->setEnabled(false);
    cmdStop->setEnabled(true);
    for (StyledButton* b : {cmdCamOptions, cmdVideoSize, cmdStart, cmdSnapShot, cmdRecord, cmdSetup, cmdAbout,
                            cmdHelp, cmdSaveAs, cmdViewer, cmdBurst, StyledButton13})
        b->setEnabled(false);
    if (!OptSaveChoice[3]->Enabled())
        selectSaveOption(0);
    txtSaveInterval->setEnabled(false);
    s_.SaveMode = kModeMotionRecord;
    setWindowTitle(recordingTitle(Picture3->isHidden()));
}

bool frmMain::beginRecordingFile()
{
    const PictureName name = nextVideoName(s_, s_.FileCounter, QDateTime::currentDateTime());
    yield();
    // A folder removed since the start-up is made again rather than failing.
    const QString folder = QFileInfo(name.path).absolutePath();
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    if (!capture_.capFileSetCaptureFile(capwnd_, name.path)) {
        qCWarning(lcCapture) << "cannot record into" << name.path;
        return false;
    }
    capture_.capFileSaveAs(capwnd_, name.path);
    yield();
    return true;
}

void frmMain::abandonRecording(const QString& notice)
{
    // The recording never began: no "Recording Video......" without a file.
    StopWork();
    Recording = false;
    tmrFlash->stop();
    imgRecFlash->hide();
    Image1->hide();
    Image4->show();
    applyPreviewControls(PreviewMoment::Stopped);
    cmdStart_Click();
    ShowMessage(notice);
    // A failure is told once; it stays long enough to be read.
    if (notice_)
        notice_->keepFor(kFailureNoticeExtraTicks);
}

void frmMain::tmrFlash_Timer()
{
    if (imgRecFlash->pixmap().isNull())
        imgRecFlash->setPixmap(recordingDot(imgRecFlash->size()));
    imgRecFlash->setVisible(imgRecFlash->isHidden());
    platform::capdriver::SequenceStatus status;
    if (capture_.capGetStatus(capwnd_, status) && !status.running && !status.result.ok)
        return endBrokenRecording();
    const FlashStep step = recordFlashTick(s_, !imgRecFlash->isHidden(), RecordTicks);
    RecordTicks = step.recordTicks;
    if (step.stopAndRearm) {
        cmdStop_Click();
        OptSaveChoice_Click(3);
    }
}

void frmMain::endBrokenRecording()
{
    platform::capdriver::SequenceStatus status;
    capture_.capGetStatus(capwnd_, status);
    cmdStop_Click();
    ShowMessage(recordingBrokeOffNotice(status.result.code));
    if (notice_)
        notice_->keepFor(kFailureNoticeExtraTicks);
}

void frmMain::stopRecordingByEscape()
{
    setWindowTitle(recordingtext::kEnding);
    yield();
    capture_.capCaptureStop(capwnd_);
    yield();
    capture_.capDriverDisconnect(capwnd_);
    yield();
    waitAfterEscape();
    EscStopped = true;
    cmdStop_Click();
    yield();
}

void frmMain::waitAfterEscape()
{
    // A monotonic clock: the wait ends even when midnight passes during it.
    QElapsedTimer waited;
    waited.start();
    for (int turns = 0; turns < kEscapeWaitTurns || waited.elapsed() < kEscapeWaitMs; ++turns)
        yield();
}
