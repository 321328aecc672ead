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
    if (layout_ && text == source_ && font == sourceFont_)
        return;
    source_ = text;
    sourceFont_ = font;
    QFont aliased(font);
    aliased.setStyleStrategy(QFont::NoAntialias);
    ShownText shown = shownText(text);
    noText_ = text.isEmpty();
    if (layout_ && shown.text == shown_ && aliased == font_ && shown.underlined == underlined_)
        return;
    shown_ = std::move(shown.text);
    underlined_ = std::move(shown.underlined);
    font_ = aliased;
    hasLineBreak_ = shown.hasLineBreak;
    layout_ = std::make_unique<QTextLayout>(shown_, font_);
    layout_->setCacheEnabled(true);
    QTextOption option;
    option.setAlignment(Qt::AlignLeft);  // each line is placed in the box when drawn
    option.setTextDirection(QGuiApplication::layoutDirection());
    layout_->setTextOption(option);
    laidOutWidth_ = -1;
    unwrappedAdvance_ = -1;
    leading_ = -1;
    if (underlined_.isEmpty())
        return;
    QList<QTextLayout::FormatRange> underlines;
    for (int at : underlined_) {
        QTextLayout::FormatRange range;
        range.start = at;
        range.length = 1;
        range.format.setFontUnderline(true);
        underlines.append(range);
    }
    layout_->setFormats(underlines);
}

void TextBlock::layOut(qreal width)
{
    // Lines that all end at a line break or at the end of the text come out the same
    // for every width they fit in: only a line broken at a word end depends on it.
    if (laidOutWidth_ == width || (laidOutWidth_ >= 0 && !wrapped_ && width >= widest_))
        return;
    if (leading_ < 0)
        leading_ = QFontMetricsF(font_).leading();
    qreal top = -leading_;
    widest_ = 0;
    wrapped_ = false;
    layout_->beginLayout();
    for (;;) {
        QTextLine line = layout_->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        top += leading_;
        line.setPosition(QPointF(0, top));
        top += line.height();
        widest_ = std::max(widest_, line.naturalTextWidth());
        const int end = line.textStart() + line.textLength();
        if (end < shown_.size() && shown_[end - 1] != QChar::LineSeparator)
            wrapped_ = true;
    }
    layout_->endLayout();
    laidOutWidth_ = width;
}

QSizeF TextBlock::extent(qreal stopAt) const
{
    // The lines stack with the font's leading between them; a stop ends the text
    // after the first line that reaches it.
    qreal height = -leading_;
    qreal widest = 0;
    for (int i = 0; i < layout_->lineCount(); ++i) {
        const QTextLine line = layout_->lineAt(i);
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
        if (laidOutWidth_ < 0 || wrapped_)
            layOut(kUnwrapped);
        unwrappedAdvance_ = layout_->lineCount() > 0 ? layout_->lineAt(0).horizontalAdvance() : 0;
    }
    return unwrappedAdvance_;
}

QSize TextBlock::measure(int width, int height, bool wordBreak)
{
    (void)height;  // a measured text is never cut short
    if (shown_.isEmpty())
        return noText_ ? QSize(0, 0) : QSize(0, int(std::ceil(QFontMetricsF(font_).height())));
    layOut(wordBreak ? qreal(std::max(width, 1)) : kUnwrapped);
    const QSizeF size = extent(-1);
    return QSize(int(std::ceil(size.width())), int(std::ceil(size.height())));
}

void TextBlock::draw(QPainter& painter, const QRect& box, Qt::Alignment align, bool wordBreak)
{
    if (shown_.isEmpty())
        return;
    // A text that fits its box on one line keeps to that line.
    if (wordBreak && !hasLineBreak_ && qRound(unwrappedAdvance()) <= box.width())
        wordBreak = false;
    layOut(wordBreak ? qreal(std::max(box.width(), 0)) : kUnwrapped);
    const QSizeF size = extent(box.height());
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
    for (int i = 0; i < layout_->lineCount(); ++i) {
        const QTextLine line = layout_->lineAt(i);
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
