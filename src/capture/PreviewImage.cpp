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
    // The frame pump hands the same frame again when the camera is slower than the
    // pump; the picture on screen is that frame already.
    const bool same = !image.isNull() && !image_.isNull() && image.cacheKey() == image_.cacheKey();
    image_ = image;
    if (!stretch_)
        takeFrameSize();
    if (!same)
        update();
}

void PreviewImage::setStretch(bool stretch)
{
    stretch_ = stretch;
    if (!stretch_)
        takeFrameSize();
    update();
}

void PreviewImage::takeFrameSize()
{
    if (!image_.isNull() && size() != image_.size())
        resize(image_.size());
}

void PreviewImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (image_.isNull() || !stretch_) {
        // Only what the picture leaves free: a full-HD frame is not painted twice.
        const QRegion free = image_.isNull() ? QRegion(rect())
                                             : QRegion(rect()).subtracted(QRect(QPoint(0, 0), image_.size()));
        for (const QRect& r : free)
            p.fillRect(r, palette().window());
    }
    if (image_.isNull())
        return;
    if (stretch_)
        p.drawImage(rect(), image_);
    else
        p.drawImage(QPoint(0, 0), image_);
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
