#include "capture/PictureSavingStamp.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <cstring>

namespace {

// Point sizes become pixels as on a 96-dpi screen, whatever the picture's own
// resolution says, so the stamp has the same size in every saved file.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

QFont pixelSizedFont(const QFont& font)
{
    QFont drawn = font;
    if (font.pointSizeF() > 0)
        drawn.setPixelSize(int(std::lround(qBound(1.0, font.pointSizeF() * kPixelsPerPoint, 4096.0))));
    return drawn;
}

// A Qt time format without its time-zone fields ('t' outside quotes).
QString withoutZone(const QString& format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == '\'')
            quoted = !quoted;
        if (quoted || c != 't')
            out += c;
    }
    return out.simplified();
}

void ensurePaintable(QImage& image)
{
    if (image.depth() < 24)
        image = image.convertToFormat(QImage::Format_RGB32);
}

// The stamp draws into a picture of its own. A frame still shared with the preview
// is copied into the spare memory when that fits; otherwise the painter copies it.
void copyIntoSpare(WorkPicture& picture)
{
    const QImage& image = picture.image;
    QImage& spare = picture.spare;
    if (image.isDetached() || !spare.isDetached() || spare.size() != image.size()
        || spare.format() != image.format() || spare.bytesPerLine() != image.bytesPerLine())
        return;
    std::memcpy(spare.bits(), image.constBits(), size_t(image.sizeInBytes()));
    spare.setDotsPerMeterX(image.dotsPerMeterX());
    spare.setDotsPerMeterY(image.dotsPerMeterY());
    picture.image = std::move(spare);
    spare = QImage();
}

void drawTextAt(QPainter& painter, const QPoint& topLeft, const QColor& colour, const QString& text)
{
    painter.setPen(colour);
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent()), text);
}

}  // namespace

void WorkPicture::take(const QImage& frame)
{
    if (image.isDetached())
        spare = std::move(image);
    image = frame;
}

QString generalDateText(const QDateTime& now, const QLocale& locale)
{
    const QString date = locale.toString(now.date(), QLocale::ShortFormat);
    const QString time = locale.toString(now.time(), withoutZone(locale.timeFormat(QLocale::LongFormat)));
    return date + " " + time;
}

QString stampText(SettingsModel& s, const QDateTime& now)
{
    if (s.StampText.isEmpty())
        s.StampText = kDefaultStampText;
    return s.StampText + generalDateText(now);
}

void applyStampFont(QFont& font, const SettingsModel& s)
{
    if (s.EmbedFontSize > 7)
        font.setPointSize(s.EmbedFontSize);
    if (s.EmbedFontBold != 0)
        font.setBold(true);
    if (!s.EmbedFontName.isEmpty())
        font.setFamily(s.EmbedFontName);
}

void drawStamp(WorkPicture& picture, SettingsModel& s, const QDateTime& now)
{
    if (picture.image.isNull())
        return;
    const QString text = stampText(s, now);
    applyStampFont(picture.font, s);
    ensurePaintable(picture.image);
    copyIntoSpare(picture);
    QPainter painter(&picture.image);
    painter.setFont(pixelSizedFont(picture.font));
    drawTextAt(painter, QPoint(0, 0), Qt::white, text);
    drawTextAt(painter, QPoint(1, 1), Qt::black, text);
}
