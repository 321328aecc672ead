#include "capture/PictureSavingStamp.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

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

void drawTextAt(QPainter& painter, const QPoint& topLeft, const QColor& colour, const QString& text)
{
    painter.setPen(colour);
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent()), text);
}

}  // namespace

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
    QPainter painter(&picture.image);
    painter.setFont(pixelSizedFont(picture.font));
    drawTextAt(painter, QPoint(0, 0), Qt::white, text);
    drawTextAt(painter, QPoint(1, 1), Qt::black, text);
}
