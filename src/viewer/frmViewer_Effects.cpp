// The viewer as the picture effects see it, and the effect buttons wired to them.
#include "viewer/frmViewer.h"

#include "buttons/ButtonPress.h"
#include "buttons/StyledButton.h"
#include "platform/gdi/GdiColour.h"
#include "viewer/EffectButtons.h"
#include "viewer/FrmBlend.h"
#include "viewer/PictureBox.h"

#include <QCoreApplication>
#include <QGroupBox>

QImage frmViewer::shownPicture() const
{
    return Image1->picture();
}

void frmViewer::showPicture(const QImage& picture)
{
    Image1->setPicture(picture);
    picResult->setPicture(picture);
}

QString frmViewer::shownFile() const
{
    return frameCaption_;
}

QImage frmViewer::blendPartner() const
{
    return FrmBlend->PicBlender();
}

QRgb frmViewer::blendBackColour() const
{
    return gdi::toQRgb(gdi::SystemColours().resolve(gdi::kButtonFace));
}

void frmViewer::openBlendPanel()
{
    FrmBlend->showPanel();
}

void frmViewer::setWaitCursor(bool on)
{
    if (on)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmViewer::setProgressScale(int steps)
{
    progressScale_ = steps;
}

void frmViewer::setProgress(int steps)
{
    const int scale = progressScale_ > 0 ? progressScale_ : 1;
    const qint64 width = qint64(picProgress->width()) * qBound(0, steps, scale) / scale;
    imgProgress->resize(int(width), imgProgress->height());
}

void frmViewer::yield()
{
    QCoreApplication::processEvents();
}

// The blend panel connects its own blend button.
void frmViewer::connectEffects()
{
    for (const EffectButtonRow& row : effectButtonRows()) {
        const QString name = QLatin1String(row.name);
        if (name == QLatin1String("cmdDoTheBlend"))
            continue;
        auto* button = findChild<StyledButton*>(name);
        if (!button)
            continue;
        button->setToolTip(row.toolTip);
        if (row.trigger == ButtonEvent::Click)
            connect(button, &StyledButton::Click, this, [this, name] { effects.onClick(name); });
        else
            buttons::connectMouseDown(button, this, [this, name](int mouseButton, int, float, float) {
                effects.onMouseDown(name, mouseButton);
            });
    }
}
