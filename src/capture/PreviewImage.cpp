#include "capture/PreviewImage.h"

#include "buttons/VirtualKeys.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SharedPictures.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewImage::fillOwnWindow()
{
    // From the first shared frame on: a program that never sees one (no camera
    // stream, no sharing display) keeps the ordinary painting and starts no faster
    // or slower for it.
    direct_ = true;
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_NativeWindow);
}

QPaintEngine* PreviewImage::paintEngine() const
{
    return direct_ ? nullptr : QWidget::paintEngine();
}

void PreviewImage::setImage(const QImage& image)
{
    // The frame pump hands the same frame again when the camera is slower than the
    // pump; the picture on screen is that frame already.
    const bool same = !image.isNull() && !image_.isNull() && image.cacheKey() == image_.cacheKey();
    image_ = image;
    if (!direct_ && platform::gdi::isShared(image_))
        fillOwnWindow();
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

void PreviewImage::paintEvent(QPaintEvent* event)
{
    if (direct_) {
        putOnScreen(event->rect());
        return;
    }
    QPainter p(this);
    paintPicture(p);
}

void PreviewImage::paintPicture(QPainter& p) const
{
    gdi::drawFrame(p, rect(), image_, stretch_, palette().window());
}

void PreviewImage::putOnScreen(const QRect& area)
{
    // A shared frame that fills the control exactly goes on as it is.
    if (rect() == image_.rect() && platform::gdi::putSharedPicture(winId(), image_, area, area.topLeft())) {
        onScreen_ = image_;
        return;
    }
    if (canvas_.size() != size())
        canvas_ = platform::gdi::makeSharedPicture(size());
    if (canvas_.isNull())
        return;
    {
        QPainter p(&canvas_);
        p.setClipRect(area);
        paintPicture(p);
    }
    platform::gdi::putSharedPicture(winId(), canvas_, area, area.topLeft());
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
