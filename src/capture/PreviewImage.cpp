#include "capture/PreviewImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

}  // namespace

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
    emit mousePressed(buttonCode(event->button()), shiftCode(event->modifiers()),
                      float(event->position().x()), float(event->position().y()));
}

void PreviewImage::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(buttonCode(event->button()), shiftCode(event->modifiers()),
                       float(event->position().x()), float(event->position().y()));
}
