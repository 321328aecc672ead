// The magnifier: an enlarged patch of the shown picture around the mouse.
#include "viewer/frmViewer.h"

#include "buttons/StyledButton.h"
#include "platform/gdi/Twips.h"
#include "viewer/Magnifier.h"
#include "viewer/PictureBox.h"

// The custom pointer of the shown picture while the magnifier is on.
static constexpr Qt::CursorShape kMagnifierPointer = Qt::CrossCursor;

void frmViewer::cmdZoom_MouseDown(int, int, float, float)
{
    mnuZoom_Click();
}

void frmViewer::mnuZoom_Click()
{
    if (picZoomContainer->isVisible()) {
        picZoomContainer->hide();
        Image1->unsetCursor();
    } else {
        picZoomContainer->show();
        Image1->setCursor(kMagnifierPointer);
    }
}

void frmViewer::WegZoom()
{
    picZoomContainer->hide();
    Image1->unsetCursor();
    cmdZoom->setValue(false);
}

void frmViewer::picZoom_Click()
{
    WegZoom();
}

void frmViewer::Image1_MouseMove(int, int, float X, float Y)
{
    if (picZoomContainer->isHidden() || Image1->isEmpty())
        return;
    const QPointF mouse(X / platform::kTwipsPerPixel, Y / platform::kTwipsPerPixel);
    const QRectF patch = magnifierPatch(Image1->picture().size(), Image1->shownRect(), mouse);
    const QRectF target = magnifierDestination(picZoom->width(), picZoom->height());
    picZoom->PaintPicture(Image1->picture(), target, patch);
}
