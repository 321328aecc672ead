#include "capture/PreviewImage.h"

#include "buttons/VirtualKeys.h"

#include <QMouseEvent>
#include <QPainter>

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewImage::setImage(const QImage& image)
{
    image_ = image;
    update();
}

void PreviewImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (image_.isNull())
        p.fillRect(rect(), palette().window());
    else
        p.drawImage(rect(), image_);
}

void PreviewImage::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(buttons::mouseButtonCode(event->button()), buttons::shiftState(event->modifiers()),
                      float(event->position().x()), float(event->position().y()));
}

void PreviewImage::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(buttons::mouseButtonCode(event->button()), buttons::shiftState(event->modifiers()),
                       float(event->position().x()), float(event->position().y()));
}
