#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTextLayout>

#include <memory>

namespace gdi {

// A text shaped once and then measured and drawn as often as asked, in boxes of any
// width: "&" underlines the access key that follows it, "&&" is a literal ampersand,
// CR LF or a lone CR or LF breaks the line. The font is drawn aliased. Measuring and
// drawing follow the painter's own text layout pixel for pixel: lines stacked with
// the font's leading between them, each line aligned on its own, the box clipping
// what does not fit (drawing stops after the first line that reaches its bottom).
// Like the painter's, the measure shapes the text as one run, while the drawing
// shapes the underlined key apart from its neighbours (no kerning across it): a
// text with an access key is shaped twice, once for each.
class TextBlock {
public:
    TextBlock();
    ~TextBlock();
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    // The same text and font again keep the shaped glyphs.
    void setText(const QString& text, const QFont& font);
    bool isEmpty() const { return shown_.isEmpty(); }

    // The size of the laid-out text, top-left in a box of the given size; wordBreak
    // wraps lines at word ends to the width (a word wider than it sticks out). No
    // text takes no room; a text of markers only is one empty line high.
    QSize measure(int width, int height, bool wordBreak);
    // Draws in the box with the pen's colour; align is Qt::AlignLeft, AlignHCenter
    // or AlignRight. A text asked to wrap that fits the width on one line is not
    // wrapped.
    void draw(QPainter& painter, const QRect& box, Qt::Alignment align, bool wordBreak);

private:
    // One shaping of the text and the lines last laid out from it: the width they
    // were laid out for, their widest line, and whether a line was broken at a word end.
    struct Lines {
        std::unique_ptr<QTextLayout> layout;
        qreal width = -1;
        qreal widest = 0;
        bool wrapped = false;
    };

    // The shaping for measuring, and the one for drawing (the same without a key).
    Lines& measured();
    Lines& drawn();
    Lines makeLines(bool underline) const;
    // Lays the lines out for this width, unless the lines laid out last are the same.
    void layOut(Lines& lines, qreal width);
    // The widest line and the height of the lines laid out, up to and with the first
    // line that reaches stopAt (all of them for a negative stopAt).
    QSizeF extent(const Lines& lines, qreal stopAt) const;
    qreal unwrappedAdvance();

    QString source_;
    QFont sourceFont_;
    QString shown_;
    QList<int> underlined_;
    QFont font_;
    bool shaped_ = false;
    Lines plain_;
    Lines keyed_;
    bool hasLineBreak_ = false;
    bool noText_ = true;
    qreal leading_ = -1;
    qreal unwrappedAdvance_ = -1;
};

}  // namespace gdi
