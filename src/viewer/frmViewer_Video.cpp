// Video playback in PicMovie through the player's command strings, the player
// buttons, the position display and its two timers.
#include "viewer/frmViewer.h"

#include "buttons/StyledButton.h"
#include "core/MouseButtonCodes.h"
#include "platform/shell/Shell.h"
#include "platform/video/MciPlayer.h"
#include "platform/video/VideoSurface.h"
#include "settings/Prompts.h"
#include "viewer/PictureBox.h"
#include "viewer/SlideShow.h"
#include "viewer/VideoPlayback.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

namespace {

// The player draws into PicMovie's own picture: the frame at its destination,
// the rest of the picture black.
class MovieSurface : public VideoSurface {
public:
    explicit MovieSurface(PictureBox* box) : box_(box) {}
    void showVideoFrame(const QImage& frame, const QRect& destination) override
    {
        if (destination.topLeft() == QPoint(0, 0)) {
            box_->setPicture(frame);
            return;
        }
        QImage picture(destination.right() + 1, destination.bottom() + 1, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter(&picture).drawImage(destination.topLeft(), frame);
        box_->setPicture(picture);
    }

private:
    PictureBox* box_;
};

// Waits in a local event loop that a single-shot timer or stop() ends, so the
// window answers while a slide stays on screen and nothing spins meanwhile.
class EventLoopSlideWait : public SlideWait {
public:
    void wait(std::chrono::milliseconds delay) override
    {
        QEventLoop loop;
        QTimer::singleShot(delay, &loop, &QEventLoop::quit);
        loops_.push_back(&loop);
        loop.exec();
        loops_.pop_back();
    }
    void stop() override
    {
        for (QEventLoop* loop : loops_)
            loop->quit();
    }

private:
    std::vector<QEventLoop*> loops_;
};

}  // namespace

void frmViewer::connectPlayer()
{
    if (!services_.player)
        ownPlayer_ = std::make_unique<MciPlayer>();
    player_ = services_.player ? services_.player : ownPlayer_.get();
    movieSurface_ = std::make_unique<MovieSurface>(PicMovie);
    movieWindow_ = player_->registerWindow(movieSurface_.get());
    if (!services_.slideWait)
        ownSlideWait_ = std::make_unique<EventLoopSlideWait>();
    slideWait_ = services_.slideWait ? services_.slideWait : ownSlideWait_.get();
}

int frmViewer::mciSendString(const QString& command, QString* reply)
{
    return player_->sendString(command, reply);
}

void frmViewer::applyChanges(const std::vector<ControlChange>& changes)
{
    for (const ControlChange& change : changes)
        applyChange(change);
}

long frmViewer::TimeofScene(long)
{
    mciSendString("set AVIvideo time format s");
    QString reply;
    mciSendString("status AVIvideo length ", &reply);
    return movieSeconds(replyNumber(reply));
}

QString frmViewer::AVIStatus()
{
    QString reply;
    mciSendString("status AVIvideo mode", &reply);
    return reply;
}

void frmViewer::OpenScene(qint64 hWnds)
{
    const int code = mciSendString(openSceneCommand(MovieFile));
    SceneError = code != 0;
    if (SceneError) {
        services_.prompts.message(this, openErrorText(MovieFile), openErrorTitle(code), BoxIcon::None);
        return;
    }
    mciSendString(windowCommand(hWnds));
}

void frmViewer::Play(bool repeat)
{
    mciSendString(playCommand(repeat));
}

void frmViewer::Position(long mLeft, long mTop, long mWidth, long mHeight)
{
    mciSendString(positionCommand(mLeft, mTop, mWidth, mHeight));
}

void frmViewer::GoToEndScene()
{
    mciSendString("seek AVIvideo to end");
}

void frmViewer::GoToStartScene()
{
    mciSendString("seek AVIvideo to 5");
}

void frmViewer::GoToSceneFrame(long posFrame)
{
    mciSendString(seekCommand(posFrame));
}

void frmViewer::CloseScene()
{
    mciSendString("stop AVIvideo");
    mciSendString("close AVIvideo");
}

void frmViewer::cmdMPstart_MouseUp(int Button, int, float, float)
{
    PlayerState = kPlaying;
    CloseScene();
    cmdSave->setEnabled(true);
    cmsSave2->setEnabled(true);
    MovieFile = frameCaption();
    OpenScene(movieWindow_);
    if (SceneError) {
        EnableButtons();
        return;
    }
    // The player scales each frame once, straight into the picture box's own size,
    // so painting it is a plain copy.
    Position(0, 0, PicMovie->width(), PicMovie->height());
    lblPicSize->setText(movieLengthText(TimeofScene(), QFileInfo(frameCaption()).size()));
    Play(Button != buttons::kMouseLeft);
    applyChanges(playerButtonChanges(kPlaying));
}

void frmViewer::cmdMPpauze_Click()
{
    PlayerState = kPausePressed;
    mciSendString(pauseOrResumeCommand(AVIStatus()));
}

void frmViewer::cmdMPstop_Click()
{
    PlayerState = kStopped;
    CloseScene();
    applyChanges(playerButtonChanges(kStopped));
}

void frmViewer::cmdMPbegin_MouseDown(int, int, float, float)
{
    PlayerState = kAtStart;
    GoToStartScene();
    applyChanges(playerButtonChanges(kAtStart));
}

void frmViewer::cmdMPend_MouseDown(int, int, float, float)
{
    PlayerState = kAtEnd;
    GoToEndScene();
    applyChanges(playerButtonChanges(kAtEnd));
}

void frmViewer::cmdMediaPlayer_Click()
{
    services_.shell.openUrl(QUrl::fromLocalFile(frameCaption()));
}

void frmViewer::mnuMediaPlayer_Click()
{
    cmdMediaPlayer_Click();
}

void frmViewer::scrlMovie_Scroll()
{
    GoToSceneFrame(scrlMovie->value());
    cmdMPpauze_Click();
}

void frmViewer::tmrPosition_Timer()
{
    if (!AVIStatus().toLower().contains("playing"))
        return;
    QString reply;
    mciSendString("status AVIvideo position", &reply);
    const long scale = progressScale(TimeofScene());
    scrlMovie->setMaximum(int(scale));
    progressPosition_ = long(replyNumber(reply));
    imgProgress->resize(int(progressPosition_ * picProgress->width() / scale), imgProgress->height());
    // The thumb follows playback, unless the user holds it.
    if (!scrlMovie->isSliderDown())
        scrlMovie->setValue(int(progressPosition_));
}

void frmViewer::tmrVideoStatus_Timer()
{
    if (statusEndsPlayback(AVIStatus(), PlayerState))
        cmdMPstop_Click();
}

long frmViewer::holdVideoFrame()
{
    if (AVIStatus().toLower().contains("playing"))
        mciSendString("pause AVIvideo");
    mciSendString("set AVIvideo time format frames");
    QString reply;
    mciSendString("status AVIvideo position", &reply);
    return long(replyNumber(reply));
}

void frmViewer::sCopyScreen()
{
    // Before any video was drawn there is no frame to take; the shown picture stays.
    if (player_->lastFrame().isNull())
        return;
    PicMovie->setPicture(player_->lastFrame());
    Image1->setPicture(PicMovie->picture());
}
