#include "platform/gdi/TextBlock.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace gdi {

namespace {

// The widest a line gets when it is not wrapped.
constexpr qreal kUnwrapped = 0x01000000;

struct ShownText {
    QString text;
    QList<int> underlined;
    bool hasLineBreak = false;
};

// The text as it is shown: the access-key markers taken out (a lone "&" at the end
// is dropped), every line break one line separator, tabs as spaces.
ShownText shownText(const QString& text)
{
    ShownText shown;
    shown.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'&') {
            if (++i == text.size())
                break;
            c = text[i];
            if (c != u'&')
                shown.underlined.append(int(shown.text.size()));
        }
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            c = u'\n';
        }
        if (c == u'\n') {
            c = QChar::LineSeparator;
            shown.hasLineBreak = true;
        } else if (c == u'\t') {
            c = u' ';
        }
        shown.text.append(c);
    }
    return shown;
}

}  // namespace

TextBlock::TextBlock() = default;
TextBlock::~TextBlock() = default;

void TextBlock::setText(const QString& text, const QFont& font)
{
    if (shaped_ && text == source_ && font == sourceFont_)
        return;
    source_ = text;
    sourceFont_ = font;
    QFont aliased(font);
    aliased.setStyleStrategy(QFont::NoAntialias);
    ShownText shown = shownText(text);
    noText_ = text.isEmpty();
    if (shaped_ && shown.text == shown_ && aliased == font_ && shown.underlined == underlined_)
        return;
    shown_ = std::move(shown.text);
    underlined_ = std::move(shown.underlined);
    font_ = aliased;
    hasLineBreak_ = shown.hasLineBreak;
    shaped_ = true;
    plain_ = Lines();
    keyed_ = Lines();
    unwrappedAdvance_ = -1;
    leading_ = -1;
}

TextBlock::Lines TextBlock::makeLines(bool underline) const
{
    Lines lines;
    lines.layout = std::make_unique<QTextLayout>(shown_, font_);
    lines.layout->setCacheEnabled(true);
    QTextOption option;
    option.setAlignment(Qt::AlignLeft);  // each line is placed in the box when drawn
    option.setTextDirection(QGuiApplication::layoutDirection());
    lines.layout->setTextOption(option);
    if (underline) {
        QList<QTextLayout::FormatRange> ranges;
        for (int at : underlined_) {
            QTextLayout::FormatRange range;
            range.start = at;
            range.length = 1;
            range.format.setFontUnderline(true);
            ranges.append(range);
        }
        lines.layout->setFormats(ranges);
    }
    return lines;
}

TextBlock::Lines& TextBlock::measured()
{
    if (!plain_.layout)
        plain_ = makeLines(false);
    return plain_;
}

TextBlock::Lines& TextBlock::drawn()
{
    if (underlined_.isEmpty())
        return measured();
    if (!keyed_.layout)
        keyed_ = makeLines(true);
    return keyed_;
}

void TextBlock::layOut(Lines& lines, qreal width)
{
    // Lines that all end at a line break or at the end of the text come out the same
    // for every width they fit in: only a line broken at a word end depends on it.
    if (lines.width == width || (lines.width >= 0 && !lines.wrapped && width >= lines.widest))
        return;
    if (leading_ < 0)
        leading_ = QFontMetricsF(font_).leading();
    qreal top = -leading_;
    lines.widest = 0;
    lines.wrapped = false;
    lines.layout->beginLayout();
    for (;;) {
        QTextLine line = lines.layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        top += leading_;
        line.setPosition(QPointF(0, top));
        top += line.height();
        lines.widest = std::max(lines.widest, line.naturalTextWidth());
        const int end = line.textStart() + line.textLength();
        if (end < shown_.size() && shown_[end - 1] != QChar::LineSeparator)
            lines.wrapped = true;
    }
    lines.layout->endLayout();
    lines.width = width;
}

QSizeF TextBlock::extent(const Lines& lines, qreal stopAt) const
{
    // The lines stack with the font's leading between them; a stop ends the text
    // after the first line that reaches it.
    qreal height = -leading_;
    qreal widest = 0;
    for (int i = 0; i < lines.layout->lineCount(); ++i) {
        const QTextLine line = lines.layout->lineAt(i);
        height += leading_ + line.height();
        widest = std::max(widest, line.naturalTextWidth());
        if (stopAt >= 0 && height >= stopAt)
            break;
    }
    return QSizeF(widest, height);
}

qreal TextBlock::unwrappedAdvance()
{
    if (unwrappedAdvance_ < 0) {
        Lines& lines = measured();
        if (lines.width < 0 || lines.wrapped)
            layOut(lines, kUnwrapped);
        unwrappedAdvance_ = lines.layout->lineCount() > 0 ? lines.layout->lineAt(0).horizontalAdvance() : 0;
    }
    return unwrappedAdvance_;
}

QSize TextBlock::measure(int width, int height, bool wordBreak)
{
    (void)height;  // a measured text is never cut short
    if (shown_.isEmpty())
        return noText_ ? QSize(0, 0) : QSize(0, int(std::ceil(QFontMetricsF(font_).height())));
    Lines& lines = measured();
    layOut(lines, wordBreak ? qreal(std::max(width, 1)) : kUnwrapped);
    const QSizeF size = extent(lines, -1);
    return QSize(int(std::ceil(size.width())), int(std::ceil(size.height())));
}

void TextBlock::draw(QPainter& painter, const QRect& box, Qt::Alignment align, bool wordBreak)
{
    if (shown_.isEmpty())
        return;
    // A text that fits its box on one line keeps to that line.
    if (wordBreak && !hasLineBreak_ && qRound(unwrappedAdvance()) <= box.width())
        wordBreak = false;
    Lines& lines = drawn();
    layOut(lines, wordBreak ? qreal(std::max(box.width(), 0)) : kUnwrapped);
    const QSizeF size = extent(lines, box.height());
    qreal blockLeft = 0;
    if (align & Qt::AlignRight)
        blockLeft = box.width() - size.width();
    else if (align & Qt::AlignHCenter)
        blockLeft = qRound((box.width() - size.width()) / 2);
    const QRectF bounds(box.x() + blockLeft, box.y(), size.width(), size.height());
    const bool clip = !QRectF(box).contains(bounds);
    if (clip) {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    qreal height = -leading_;
    for (int i = 0; i < lines.layout->lineCount(); ++i) {
        const QTextLine line = lines.layout->lineAt(i);
        const qreal advance = line.horizontalAdvance();
        qreal left = 0;
        if (align & Qt::AlignRight)
            left = box.width() - advance;
        else if (align & Qt::AlignHCenter)
            left = (box.width() - advance) / 2;
        line.draw(&painter, QPointF(box.x() + left, box.y()));
        height += leading_ + line.height();
        if (height >= box.height())
            break;
    }
    if (clip)
        painter.restore();
}

}  // namespace gdi
