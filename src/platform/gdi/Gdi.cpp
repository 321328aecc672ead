#include "platform/gdi/Gdi.h"

#include <QFontMetrics>

#include <cstdlib>
#include <utility>

namespace gdi {

namespace {

// The pixels of a line from a towards b, b itself left out.
void appendLine(QVector<QPoint>& out, QPoint a, QPoint b)
{
    const int dx = std::abs(b.x() - a.x());
    const int dy = std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1;
    const int sy = a.y() < b.y() ? 1 : -1;
    int err = dx - dy;
    int x = a.x();
    int y = a.y();
    while (x != b.x() || y != b.y()) {
        out.append(QPoint(x, y));
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

QImage keyed(const QImage& bitmap)
{
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull())
        return out;
    const QRgb key = out.pixel(0, 0) & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = (line[x] & 0xFFFFFF) == key ? 0 : (line[x] | 0xFF000000);
    }
    return out;
}

}  // namespace

Surface::Surface() : Surface(QSize(1, 1)) {}

Surface::Surface(QSize size) { resize(size); }

Surface::Surface(const QImage& image) : image_(image.convertToFormat(QImage::Format_RGB32))
{
    image_.detach();
}

Surface::~Surface()
{
    if (painter_.isActive())
        painter_.end();
}

void Surface::resize(QSize size)
{
    if (painter_.isActive())
        painter_.end();
    image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(Qt::black);
}

QImage Surface::takeImage()
{
    if (painter_.isActive())
        painter_.end();
    return std::exchange(image_, QImage());
}

QPainter& Surface::painter()
{
    if (!painter_.isActive())
        begin();
    return painter_;
}

void Surface::begin()
{
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
}

QPen Surface::pen(Colour colour) const
{
    QPen p(QColor::fromRgb(toQRgb(colour)));
    p.setWidth(1);
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

Colour Surface::pixel(int x, int y) const
{
    if (!image_.rect().contains(x, y))
        return kNoColour;
    return fromQRgb(image_.pixel(x, y));
}

void Surface::setClip(const QRegion& region) { painter().setClipRegion(region); }

// Switching clipping off with setClipping(false) would make a later clip to a
// region of several rectangles ineffective; the explicit "no clip" keeps it working.
void Surface::removeClip()
{
    if (painter_.isActive())
        painter_.setClipRegion(QRegion(), Qt::NoClip);
}

void Surface::fillRect(int left, int top, int right, int bottom, Colour colour)
{
    if (right <= left || bottom <= top)
        return;
    painter().fillRect(QRect(left, top, right - left, bottom - top), QColor::fromRgb(toQRgb(colour)));
}

void Surface::rectangle(int left, int top, int right, int bottom, Colour fill, Colour penColour)
{
    if (penColour == kNoColour || penColour == fill) {
        fillRect(left, top, right, bottom, fill);
        return;
    }
    fillRect(left, top, right, bottom, penColour);
    fillRect(left + 1, top + 1, right - 1, bottom - 1, fill);
}

void Surface::setPixel(int x, int y, Colour colour) { fillRect(x, y, x + 1, y + 1, colour); }

void Surface::polyline(const QVector<QPoint>& points, Colour colour)
{
    // Level and upright lines are filled as one-pixel-thick rectangles; slanted ones
    // are set pixel by pixel.
    QVector<QPoint> pixels;
    for (qsizetype i = 1; i < points.size(); ++i) {
        const QPoint a = points[i - 1];
        const QPoint b = points[i];
        if (a.y() == b.y() && a.x() != b.x()) {
            const bool rightwards = a.x() < b.x();
            fillRect(rightwards ? a.x() : b.x() + 1, a.y(), rightwards ? b.x() : a.x() + 1, a.y() + 1, colour);
        } else if (a.x() == b.x() && a.y() != b.y()) {
            const bool downwards = a.y() < b.y();
            fillRect(a.x(), downwards ? a.y() : b.y() + 1, a.x() + 1, downwards ? b.y() : a.y() + 1, colour);
        } else {
            appendLine(pixels, a, b);
        }
    }
    if (pixels.isEmpty())
        return;
    // One aliased one-pixel pen sets exactly these pixels, in one call.
    const QPen before = painter().pen();
    painter().setPen(pen(colour));
    painter().drawPoints(pixels.constData(), int(pixels.size()));
    painter().setPen(before);
}

void Surface::fillRegion(const QRegion& region, Colour colour)
{
    const QColor c = QColor::fromRgb(toQRgb(colour));
    for (const QRect& r : region)
        painter().fillRect(r, c);
}

void Surface::frameRegion(const QRegion& region, Colour colour)
{
    const QRegion inside = region & region.translated(1, 0) & region.translated(-1, 0)
                           & region.translated(0, 1) & region.translated(0, -1);
    fillRegion(region - inside, colour);
}

void Surface::drawFocusRect(const QRect& rect)
{
    if (rect.isEmpty())
        return;
    QVector<QPoint> border;
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    for (int x = l; x <= r; ++x) {
        border.append(QPoint(x, t));
        if (b != t)
            border.append(QPoint(x, b));
    }
    for (int y = t + 1; y < b; ++y) {
        border.append(QPoint(l, y));
        if (r != l)
            border.append(QPoint(r, y));
    }
    const auto mode = painter().compositionMode();
    painter().setCompositionMode(QPainter::CompositionMode_Difference);
    for (const QPoint& p : border)
        if (((p.x() + p.y()) & 1) == 0)
            painter().fillRect(QRect(p, QSize(1, 1)), Qt::white);
    painter().setCompositionMode(mode);
}

void Surface::ellipseOutline(int left, int top, int right, int bottom, Colour penColour)
{
    if (right - left < 1 || bottom - top < 1)
        return;
    painter().setPen(pen(penColour));
    painter().setBrush(Qt::NoBrush);
    painter().drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void Surface::drawText(const QRect& box, const QString& text, int format, Colour colour,
                       const QFont& font)
{
    TextBlock block;
    block.setText(text, font);
    drawText(box, block, format, colour);
}

void Surface::drawText(const QRect& box, TextBlock& text, int format, Colour colour)
{
    if (text.isEmpty())
        return;
    painter().setPen(pen(colour));
    const Qt::Alignment align = (format & kTextCenter) ? Qt::AlignHCenter
                                : (format & kTextRight) ? Qt::AlignRight
                                                        : Qt::AlignLeft;
    text.draw(painter(), box, align, (format & kTextWordBreak) != 0);
}

QSize Surface::measureText(int width, int height, const QString& text, int format,
                           const QFont& font)
{
    TextBlock block;
    block.setText(text, font);
    return block.measure(width, height, (format & kTextWordBreak) != 0);
}

void Surface::drawTransparentBitmap(const QRect& target, const QImage& bitmap)
{
    drawIcon(target, keyed(bitmap));
}

void Surface::drawIcon(const QRect& target, const QImage& icon)
{
    if (icon.isNull() || target.isEmpty())
        return;
    painter().drawImage(target, icon);
}

void Surface::drawGreyed(const QRect& target, const QImage& picture, bool keyedOnTopLeft)
{
    if (picture.isNull() || target.isEmpty())
        return;
    QImage work(target.size(), QImage::Format_ARGB32);
    work.fill(Qt::white);
    {
        QPainter p(&work);
        p.drawImage(QRect(QPoint(0, 0), target.size()), keyedOnTopLeft ? keyed(picture) : picture);
    }
    const QRgb grey = toQRgb(kGrey);
    for (int y = 0; y < work.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(work.scanLine(y));
        for (int x = 0; x < work.width(); ++x)
            line[x] = (line[x] & 0xFFFFFF) == 0xFFFFFF ? 0 : grey;
    }
    painter().drawImage(target, work);
}

QRegion regionFromRuns(const QVector<PixelRun>& runs)
{
    QRegion region;
    for (const PixelRun& run : runs)
        if (run.x1 > run.x0)
            region += QRect(run.x0, run.y, run.x1 - run.x0, 1);
    return region;
}

void drawFrame(QPainter& painter, const QRect& area, const QImage& frame, bool stretch, const QBrush& background)
{
    const QRect covered = frame.isNull() ? QRect() : stretch ? area : QRect(area.topLeft(), frame.size());
    for (const QRect& free : QRegion(area).subtracted(covered))
        painter.fillRect(free, background);
    if (frame.isNull())
        return;
    if (stretch)
        painter.drawImage(area, frame);
    else
        painter.drawImage(area.topLeft(), frame);
}

}  // namespace gdi
