#include "platform/capdriver/ClockGlyphs.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace platform::capdriver {

const QString& ClockGlyphs::characters()
{
    static const QString chars = "0123456789:.";
    return chars;
}

QFont ClockGlyphs::fittingFont(QSize area, int length)
{
    QFont font("DejaVu Sans Mono");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(std::max(6, area.height() / 2));
    const int advance = QFontMetrics(font).horizontalAdvance('0');
    const int room = area.width() * 9 / 10;
    if (advance * length > room)
        font.setPixelSize(std::max(6, font.pixelSize() * room / (advance * length)));
    return font;
}

void ClockGlyphs::prepare(QSize area, int length, QRgb ink, QRgb paper)
{
    if (!strip_.isNull() && area == area_ && length == length_ && ink == ink_ && paper == paper_)
        return;
    const QFont font = fittingFont(area, length);
    const QFontMetrics metrics(font);
    advance_ = std::max(1, metrics.horizontalAdvance('0'));
    strip_ = QImage(advance_ * int(characters().size()), std::max(1, metrics.height()), QImage::Format_RGB888);
    strip_.fill(QColor(paper));
    QPainter p(&strip_);
    p.setFont(font);
    p.setPen(QColor(ink));
    for (int i = 0; i < characters().size(); ++i)
        p.drawText(QRect(i * advance_, 0, advance_, strip_.height()), Qt::AlignCenter, characters().at(i));
    area_ = area;
    length_ = length;
    ink_ = ink;
    paper_ = paper;
}

void ClockGlyphs::draw(QImage& frame, const QRect& area, const QString& text) const
{
    if (strip_.isNull() || frame.format() != QImage::Format_RGB888)
        return;
    const int width = advance_ * int(text.size());
    const QPoint origin(area.left() + (area.width() - width) / 2, area.top() + (area.height() - strip_.height()) / 2);
    const QRect target = QRect(origin, QSize(width, strip_.height())) & area & frame.rect();
    for (int i = 0; i < text.size(); ++i) {
        const int glyph = int(characters().indexOf(text.at(i)));
        if (glyph < 0)
            continue;
        const QRect cell = QRect(origin.x() + i * advance_, origin.y(), advance_, strip_.height()) & target;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            std::memcpy(frame.scanLine(y) + cell.left() * 3,
                        strip_.constScanLine(y - origin.y()) + (glyph * advance_ + cell.left() - origin.x() - i * advance_) * 3,
                        std::size_t(cell.width()) * 3);
    }
}

}  // namespace platform::capdriver
