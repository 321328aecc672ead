// The main window's layout: minimum size, fitting the picture, fit/stretch, full
// screen, the tiny view, the title bar and stay-on-top.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "buttons/VirtualKeys.h"
#include "capture/MainLook.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QResizeEvent>
#include <QShowEvent>
#include <QMoveEvent>

#include <utility>
#include <QScreen>
#include <QTimer>

using mainlayout::SpringBack;

namespace {

// How long after the first show a window manager may take to frame the window.
constexpr int kFrameWaitMs = 5000;

}  // namespace

QSize frmMain::outerSize() const
{
    return frameGeometry().size();
}

void frmMain::setOuterSize(QSize outer)
{
    if (!Picture2->isHidden())
        outer = mainlayout::keepMinimum(outer, MinWidth, MinHeight);
    setOuterSizeAsIs(outer);
}

void frmMain::setOuterSizeAsIs(QSize outer)
{
    // A minimized window keeps its state: resizing it would bring it back. It takes
    // the size when it is restored.
    if (windowState().testFlag(Qt::WindowMinimized)) {
        sizeWhenRestored_ = outer;
        return;
    }
    // The sizes the window works with are the outer frame's; Qt sizes the inside.
    const QSize frame = frameGeometry().size() - size();
    if (!frameKnown_)
        pendingOuter_ = outer;
    resize((outer - frame).expandedTo(QSize(1, 1)));
}

void frmMain::applyPendingOuterSize()
{
    if (frameKnown_ || !isVisible() || windowState().testFlag(Qt::WindowMinimized))
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty())
        return;  // not framed yet
    frameKnown_ = true;
    if (const std::optional<QSize> outer = std::exchange(pendingOuter_, std::nullopt))
        resize((*outer - frame).expandedTo(QSize(1, 1)));
}

void frmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (frameKnown_)
        return;
    applyPendingOuterSize();
    // A window without a frame (no window manager, no title bar) never gets one.
    QTimer::singleShot(kFrameWaitMs, this, [this] {
        frameKnown_ = true;
        pendingOuter_.reset();
    });
}

void frmMain::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    applyPendingOuterSize();
}

mainlayout::Panels frmMain::panels() const
{
    return {Picture2->width(), Picture3->height()};
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyPendingOuterSize();
    Form_Resize();
}

void frmMain::dockBottomPanel()
{
    const int left = Picture2->width();
    Picture3->setGeometry(left, height() - Picture3->height(), std::max(0, width() - left), Picture3->height());
}

void frmMain::Form_Resize()
{
    dockBottomPanel();
    const QSize outer = outerSize();
    const auto fix = mainlayout::minimumSizeFix(!Picture2->isHidden(), outer, MinWidth, MinHeight);
    if (fix.dimension == SpringBack::Height) {
        setOuterSizeAsIs({outer.width(), fix.pixels});
        return;
    }
    if (fix.dimension == SpringBack::Width) {
        setOuterSizeAsIs({fix.pixels, outer.height()});
        return;
    }
    if (!LayoutReady)
        return;
    if (fullScreen_) {
        // The window manager may size a full-screen window after the view was set up.
        Image4->setGeometry(rect());
        return;
    }
    Image4->resize(mainlayout::fittedPicture(outer, panels(), AllowanceX, AllowanceY).expandedTo(QSize(0, 0)));
    if (s_.ShowSideLogo != 0)
        layOutSideLogo();
}

void frmMain::layOutSideLogo()
{
    const auto h = mainlayout::sideLogoHeight(height(), Picture2->height(), Picture3->height());
    if (h)
        imgSizeLogo->resize(imgSizeLogo->width(), *h);
    const bool shown = h.has_value() && !Picture2->isHidden();
    // The logo is read and scaled only for a box that shows it. It keeps its shape:
    // scaled into the box, not stretched over it.
    if (shown) {
        if (sideLogo_.isNull())
            sideLogo_ = loadSideLogo();
        imgSizeLogo->setPixmap(sideLogo_.scaled(imgSizeLogo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    imgSizeLogo->setVisible(shown);
}

void frmMain::Check1_Click()
{
    CaptureWidth = Image4->width();
    CaptureHeight = Image4->height();
    if (Check1->Value()) {
        Image4->setStretch(true);
        const auto on = mainlayout::stretchOn(Image4->size());
        if (on.windowToMinimum) {
            Image4->resize(on.picture);
            setOuterSize(mainlayout::minimumOuterSize(MinWidth, MinHeight));
        }
        Form_Resize();
        return;
    }
    Image4->setStretch(false);
    CaptureWidth = Image4->width();
    CaptureHeight = Image4->height();
    setOuterSize(mainlayout::windowAround(Image4->size(), panels(), AllowanceX, AllowanceY));
    yield();
}

void frmMain::Check3_Click()
{
    if (!Check3->Value())
        return;  // the view ends by a click on the picture or ESC
    if (s_.RemoveTitleBar != 0)
        ShowTitleBar(false);
    CaptureWidth = Image4->width();
    CaptureHeight = Image4->height();
    Image4->hide();
    Picture2->hide();
    Picture3->hide();
    fullScreen_ = true;
    const QRect screenArea = screen()->geometry();
    setOuterSize(screenArea.size());
    if (Check1->Value())
        Image4->setStretch(true);
    Image4->setGeometry(QRect(QPoint(0, 0), screenArea.size()));
    move(screenArea.topLeft());
    enterFullScreenState();
    Image4->show();
    imgSizeLogo->hide();
}

void frmMain::enterFullScreenState()
{
    // A window manager frames the window and keeps it off the screen's edges (the
    // frame of a title bar just taken away may still be counted); its own full-screen
    // state covers the whole screen in every case.
    if (isVisible())
        setWindowState(windowState() | Qt::WindowFullScreen);
}

void frmMain::leaveFullScreen()
{
    fullScreen_ = false;
    Image4->hide();
    Picture2->show();
    Picture3->show();
    if (windowState().testFlag(Qt::WindowFullScreen))
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    Image4->setStretch(true);
    Image4->setGeometry(Picture2->width() + 5, 8, CaptureWidth, CaptureHeight);
    setOuterSize(mainlayout::windowAround({CaptureWidth, CaptureHeight}, panels(), AllowanceX, AllowanceY));
    Check3->setValue(false);
    if (!Check1->Value()) {
        Check1->setValue(true);
        Check1_Click();
    }
    Form_Resize();
    Image4->show();
    if (s_.RemoveTitleBar != 0)
        ShowTitleBar(true);
}

void frmMain::toggleButtonPanels()
{
    const bool entering = !Picture2->isHidden();
    const auto view = mainlayout::tinyView(entering, SavedAllowanceX, SavedAllowanceY);
    mnuOptionss[kMenuMiniMode]->setText(miniModeCaption(view.panelsShown));
    Picture2->setVisible(view.panelsShown);
    Picture3->setVisible(view.panelsShown);
    if (entering)
        imgSizeLogo->hide();
    Image1->move(view.pictureLeft, Image1->y());
    Image4->move(view.pictureLeft, Image4->y());
    AllowanceX = view.allowanceX;
    AllowanceY = view.allowanceY;
    TinyView = view.tiny;
    Form_Resize();
    if (!entering)
        Check1_Click();
}

void frmMain::Image4_MouseUp(int button, int, float, float)
{
    if (button == buttons::kMouseRight)
        return;
    if (TinyView) {
        mnuOptionss_Click(kMenuMiniMode);
        return;
    }
    if (Picture2->isHidden())
        leaveFullScreen();
}

void frmMain::Image4_MouseDown(int button, int, float, float)
{
    if (button != buttons::kMouseRight)
        return;
    yield();
    const bool pumping = tmrMain->isActive();
    tmrMain->stop();
    mnuoptions->exec(QCursor::pos());
    // An item may have stopped the preview or started a recording; the pump goes on
    // only over a preview that still runs.
    if (pumping && capwnd_ != 0 && !Recording && !tmrMain->isActive())
        tmrMain->start();
}

void frmMain::ShowTitleBar(bool show)
{
    // The title stays: without the bar nobody sees it, and the task bar still can.
    setWindowFlagKeepingGeometry(Qt::FramelessWindowHint, !show);
    Form_Resize();
}

void frmMain::SetAlwaysOnTop(bool onTop)
{
    setWindowFlagKeepingGeometry(Qt::WindowStaysOnTopHint, onTop);
}

void frmMain::setWindowFlagKeepingGeometry(Qt::WindowType flag, bool on)
{
    if (windowFlags().testFlag(flag) == on)
        return;
    const QRect kept = geometry();
    const bool wasVisible = isVisible();
    const Qt::WindowStates states = windowState();
    // Changing a window flag hides the window; bring it back where it was.
    setWindowFlag(flag, on);
    setGeometry(kept);
    if (wasVisible) {
        setWindowState(states);
        show();
    }
}

void frmMain::runModal(const std::function<void()>& dialog)
{
    if (!dialog)
        return;
    SetAlwaysOnTop(false);
    dialog();
    if (!unloaded_)
        SetAlwaysOnTop(s_.StayOnTop != 0);
}
