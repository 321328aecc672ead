#include "platform/gdi/TextBlock.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using gdi::TextBlock;

namespace {

QFont aliased(QFont font)
{
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QString lineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString withoutMarkers(const QString& text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

// What the painter's own text drawing makes of the same request: the text
// measured and drawn in one call each, the wrap left out for a text that fits.
QSize paintersMeasure(const QString& text, const QFont& font, int width, int height, bool wrap)
{
    const int flags = Qt::AlignTop | Qt::AlignLeft | Qt::TextShowMnemonic | (wrap ? Qt::TextWordWrap : 0);
    return QFontMetrics(aliased(font))
        .boundingRect(QRect(0, 0, std::max(width, 1), std::max(height, 1)), flags, lineBreaks(text))
        .size();
}

QImage paintersDrawing(const QString& text, const QFont& font, const QRect& box, Qt::Alignment align, bool wrap)
{
    QImage image(box.right() + 12, box.bottom() + 12, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(aliased(font));
    p.setPen(Qt::black);
    const QString lines = lineBreaks(text);
    int flags = Qt::AlignTop | Qt::TextShowMnemonic | int(align);
    if (wrap && !lines.contains('\n')
        && QFontMetrics(aliased(font)).horizontalAdvance(withoutMarkers(lines)) > box.width())
        flags |= Qt::TextWordWrap;
    p.drawText(box, flags, lines);
    return image;
}

QImage blockDrawing(TextBlock& block, const QRect& box, Qt::Alignment align, bool wrap)
{
    QImage image(box.right() + 12, box.bottom() + 12, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    block.draw(p, box, align, wrap);
    return image;
}

QFont sized(int points, bool bold = false, bool italic = false)
{
    QFont f;
    f.setPointSize(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

}  // namespace

// One shaped text measures and draws the way the painter's own text does, for the
// program's captions, access keys, line breaks, wrapping, narrow and short boxes,
// every alignment, and the same block reused across all of them.
TEST(TextBlock, MeasuresAndDrawsAsThePainterDoes)
{
    const QString texts[] = {"Start",        "S&top",          "Au&tosave",         "Save &As...",
                             "A && B",       "Motion\r\nDetection", "Line\rbreak\nmixed", "Save to the FTP server now",
                             "trailing&",    "&",              "  spaced  out ",    "Tab\there",
                             "Wrap&this long caption please"};
    const QFont fonts[] = {sized(8), sized(12, true), sized(9, false, true), sized(20)};
    const QRect boxes[] = {{3, 2, 200, 60}, {0, 0, 40, 60}, {5, 4, 61, 14}, {1, 1, 8, 30}, {2, 3, 90, 0}};
    const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    int compared = 0;
    for (const QFont& font : fonts) {
        for (const QString& text : texts) {
            TextBlock block;
            block.setText(text, font);
            for (const QRect& box : boxes) {
                for (bool wrap : {false, true}) {
                    EXPECT_EQ(block.measure(box.width(), box.height(), wrap),
                              paintersMeasure(text, font, box.width(), box.height(), wrap))
                        << text.toStdString() << " width " << box.width() << " wrap " << wrap << " "
                        << font.pointSize();
                    for (Qt::Alignment align : aligns) {
                        EXPECT_EQ(blockDrawing(block, box, align, wrap), paintersDrawing(text, font, box, align, wrap))
                            << text.toStdString() << " in " << box.width() << "x" << box.height() << " align "
                            << int(align) << " wrap " << wrap << " " << font.pointSize();
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 0);
}

// A button draws its caption in the box it measured for it: the box is exactly as
// wide as the text, the case where a pixel decides between one line and two.
TEST(TextBlock, DrawsInTheBoxItMeasuredAsThePainterDoes)
{
    const QString texts[] = {"&Record", "&Video Size", "&Start", "S&top", "&SnapShot", "&Burst", "Save &As...",
                             "Cam &Options", "&Devices", "Open/&View", "Set&up", "&Help", "&About", "Manual",
                             "Autosave", "Motionsave", "Motionrecord", "&Fit/Stretch", "Full Screen", "A&V"};
    QFont small;
    small.setPointSizeF(8.25);
    QFont bold = small;
    bold.setBold(true);
    for (const QFont& font : {small, bold, sized(10), sized(12, false, true)}) {
        for (const QString& text : texts) {
            const QSize measured = paintersMeasure(text, font, 80, 30, true);
            for (const QRect& box : {QRect(QPoint(3, 2), measured), QRect(QPoint(3, 2), measured + QSize(2, 2))}) {
                TextBlock block;
                block.setText(text, font);
                EXPECT_EQ(block.measure(80, 30, true), measured) << text.toStdString();
                for (Qt::Alignment align : {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight})
                    EXPECT_EQ(blockDrawing(block, box, align, true), paintersDrawing(text, font, box, align, true))
                        << text.toStdString() << " in " << box.width() << "x" << box.height() << " align "
                        << int(align) << " " << font.pointSizeF();
            }
        }
    }
}

// Setting the same text and font again keeps the block; an empty text measures
// nothing and draws nothing.
TEST(TextBlock, EmptyTextTakesNoRoom)
{
    TextBlock block;
    block.setText("", sized(10));
    EXPECT_TRUE(block.isEmpty());
    EXPECT_EQ(block.measure(100, 100, true), QSize(0, 0));
    const QImage drawn = blockDrawing(block, QRect(0, 0, 50, 20), Qt::AlignLeft, true);
    QImage white(drawn.size(), drawn.format());
    white.fill(Qt::white);
    EXPECT_EQ(drawn, white);
}
