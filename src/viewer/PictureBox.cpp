#include "viewer/PictureBox.h"

#include "platform/gdi/Twips.h"
#include "viewer/ViewerDisplay.h"

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
    shown_ = QImage();
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

void PictureBox::PaintFitted(const QImage& source)
{
    surface_ = QImage(size(), QImage::Format_RGB32);
    surface_.fill(palette().window().color());
    const QRect place = letterboxRect(source.size(), rect());
    if (!place.isEmpty()) {
        QPainter painter(&surface_);
        painter.drawImage(place.topLeft(),
                          source.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    update();
}

QRect PictureBox::shownRect() const
{
    return letterboxRect(picture_.size(), rect());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!surface_.isNull()) {
        painter.drawImage(0, 0, surface_);
        return;
    }
    const QRect place = shownRect();
    if (place.isEmpty())
        return;
    // A large picture is scaled once for its place, not on every repaint.
    if (shown_.size() != place.size())
        shown_ = picture_.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(place.topLeft(), shown_);
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
