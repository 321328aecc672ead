// The slide show: every picture of the folder in PicMovie, one after another,
// with the delay chosen in cmdSlide's menu.
#include "viewer/frmViewer.h"

#include "buttons/StyledButton.h"
#include "core/MouseButtonCodes.h"
#include "platform/lists/FileListBox.h"
#include "viewer/PictureBox.h"
#include "viewer/SlideShow.h"
#include "viewer/PictureReader.h"

#include <QAction>
#include <QCursor>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTimer>

void frmViewer::buildSlideMenu()
{
    mnu3slidetiming = new QMenu("menu3", this);
    mnu3slidetiming->setObjectName("mnu3slidetiming");
    for (int i = 0; i < kSlideTimings; ++i) {
        QAction* item = mnu3slidetiming->addAction(slideTimingCaption(i));
        item->setObjectName(QStringLiteral("mnu3Timing_%1").arg(i));
        item->setCheckable(true);
        mnu3Timing[i] = item;
    }
}

void frmViewer::InitSlideTiming()
{
    SlideDelay = slideDelayFor(s_.SlideTiming);
    if (s_.SlideTiming >= 0 && s_.SlideTiming < kSlideTimings)
        mnu3Timing[s_.SlideTiming]->setChecked(true);
}

void frmViewer::cmdSlide_MouseDown(int Button, int, float, float)
{
    if (Button == buttons::kMouseRight)
        mnu3slidetiming->popup(QCursor::pos());
}

void frmViewer::mnu3slidetiming_Click()
{
    for (int i = 0; i < kSlideTimings; ++i)
        mnu3Timing[i]->setChecked(i == s_.SlideTiming);
}

void frmViewer::mnu3Timing_Click(int Index)
{
    s_.SlideTiming = static_cast<int16_t>(Index);
    InitSlideTiming();
}

void frmViewer::cmdSlide_Click()
{
    if (File1->ListCount() == 0)
        return;
    toggleSlideShow();
    const QString folder = listFolder();
    prepareSlides(folder);
    setCursor(Qt::WaitCursor);
    // The name, the list and the size line follow the slides that loaded: a file
    // that is no picture leaves the slide before it on screen, and its name too.
    QString lastShown;
    int lastShownIndex = -1;
    QPointer<frmViewer> alive(this);
    bool stopped = false;
    for (int i = File1->ListIndex(); i < File1->ListCount(); ++i) {
        const QString path = folder + File1->List(i);
        if (showSlide(path)) {
            lastShown = path;
            lastShownIndex = i;
        }
        File1->setListIndex(i);
        stopped = !waitSlide();
        if (!alive || closing_)
            return;
        if (stopped)
            break;
        yield();
    }
    unsetCursor();
    endSlideShow(stopped, lastShown, lastShownIndex);
}

// A click while a show runs stops it (the running show sees it at its next
// check); otherwise a show begins.
void frmViewer::toggleSlideShow()
{
    if (slideShowRunning_) {
        setSlideShowRunning(false);
        EnableButtonsAfterSlide();
        slideWait_->stop();
    } else {
        setSlideShowRunning(true);
        DisableButtonsforSlide();
    }
}

void frmViewer::setSlideShowRunning(bool running)
{
    slideShowRunning_ = running;
    cmdSlide->setCaption(running ? "Pause" : "Slide");
}

// Closes a video, puts PicMovie in Image1's place and picks the first slide.
void frmViewer::prepareSlides(const QString& folder)
{
    setFrameCaption(folder + File1->FileName());
    if (isVideoFile(File1->FileName())) {
        EnableButtons(2);
    } else {
        if (!cmdMPstart->Enabled() || isVideoFile(frameCaption()))
            CloseScene();
        PicMovie->hide();
        tmrVideoStatus->stop();
        if (cmdMPstop->Enabled())
            CloseScene();
    }
    Image1->hide();
    PicMovie->show();
    File1->setListIndex(slideStartIndex(File1->ListIndex(), File1->ListCount()));
}

bool frmViewer::showSlide(const QString& path)
{
    const QImage picture = readPicture(path).picture;
    if (picture.isNull())
        return false;
    setFrameCaption(path);
    picResult->setPicture(picture);
    PicMovie->PaintFitted(picture);
    Image1->setPicture(picture);
    Source->setPicture(picture);
    lblPicSize->setText(sizeLineText(picture.width(), picture.height(), QFileInfo(path).size()));
    return true;
}

bool frmViewer::waitSlide()
{
    if (!slideShowRunning_ || closing_)
        return false;
    slideWait_->wait(slideDelayDuration(SlideDelay));
    return slideShowRunning_;
}

void frmViewer::endSlideShow(bool stopped, const QString& lastShown, int lastShownIndex)
{
    Image1->show();
    PicMovie->hide();
    picResult->setPicture(Image1->picture());
    Source->setPicture(picResult->picture());
    if (!stopped) {
        setSlideShowRunning(false);
        EnableButtonsAfterSlide();
    }
    if (!lastShown.isEmpty()) {
        setFrameCaption(lastShown);
        File1->setListIndex(lastShownIndex);
    }
}
