#include "viewer/PictureBox.h"

#include "platform/gdi/Twips.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    surface_ = QImage();
    update();
}

int PictureBox::WidthTwips() const
{
    return platform::pixelsToTwips(isHidden() && !picture_.isNull() ? picture_.width() : width());
}

int PictureBox::HeightTwips() const
{
    return platform::pixelsToTwips(isHidden() && !picture_.isNull() ? picture_.height() : height());
}

void PictureBox::PaintPicture(const QImage& source, const QRectF& destination, const QRectF& sourceRect)
{
    if (surface_.size() != size()) {
        surface_ = QImage(size(), QImage::Format_RGB32);
        surface_.fill(palette().window().color());
    }
    QPainter painter(&surface_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(destination, source, sourceRect);
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!surface_.isNull())
        painter.drawImage(0, 0, surface_);
    else if (!picture_.isNull())
        painter.drawImage(rect(), picture_);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        emit Click();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMove(event);
}
