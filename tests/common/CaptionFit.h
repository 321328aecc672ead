#pragma once

#include "buttons/StyledButton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidget>

// Captions a window shows cut off: each fixed text of its labels, check boxes,
// options and buttons measured in the control's own font against the control's
// own size. A user sees "resolutio" instead of "resolutions" long before anyone
// looks at a screenshot, so the windows' tests walk every control with this.
namespace caption_fit {

// The text as drawn: "&&" shows one ampersand, a single "&" marks the access key.
inline QString shownText(QString text)
{
    text.replace(QLatin1String("&&"), QString(QChar(0x1)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x1), QLatin1Char('&'));
    return text;
}

// A font given in points as a desktop shows it, at 96 dots per inch, whatever the
// test platform's own resolution: a caption must fit there.
inline QFont desktopFont(QFont font)
{
    if (font.pixelSize() <= 0)
        font.setPixelSize(qRound(font.pointSizeF() * 96 / 72));
    return font;
}

// Whether the text fits the room in one line, or word-broken within the room's height.
inline bool fits(const QFont& shown, const QString& text, const QSize& room, bool wrapped)
{
    const QFontMetrics metrics(desktopFont(shown));
    if (!wrapped)
        return metrics.horizontalAdvance(text) <= room.width();
    const QRect needed = metrics.boundingRect(QRect(QPoint(), room), Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

inline QString describe(const QWidget* control, const QString& text, const QFont& font, int room)
{
    return QStringLiteral("%1 \"%2\": needs %3 px, has %4")
        .arg(control->objectName(), text)
        .arg(QFontMetrics(desktopFont(font)).horizontalAdvance(text))
        .arg(room);
}

// The room a check box's or option's text has beside its indicator.
inline int textRoom(const QAbstractButton* button)
{
    const QStyle* style = button->style();
    if (qobject_cast<const QCheckBox*>(button))
        return button->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) -
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    if (qobject_cast<const QRadioButton*>(button))
        return button->width() - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) -
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    return button->width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
}

// One line per clipped caption; a styled button keeps its caption `border` pixels from
// its left and right edges (its lines may use the whole height).
inline QStringList clippedCaptions(const QWidget* window, int border = 5)
{
    QStringList clipped;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QString text = shownText(label->text());
        const bool roomForHint = label->wordWrap() || label->sizeHint().width() <= label->width();
        if (!text.isEmpty() && (!roomForHint || !fits(label->font(), text, label->size(), label->wordWrap())))
            clipped << describe(label, text, label->font(), label->width()) +
                           QStringLiteral(" (style asks %1)").arg(label->sizeHint().width());
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QString text = shownText(button->text());
        const int room = textRoom(button);
        // The style's own measure adds its margins and the indicator's frame.
        const bool roomForHint = button->sizeHint().width() <= button->width();
        if (!text.isEmpty() && (!roomForHint || !fits(button->font(), text, {room, button->height()}, false)))
            clipped << describe(button, text, button->font(), room) +
                           QStringLiteral(" (style asks %1 of %2)").arg(button->sizeHint().width()).arg(button->width());
    }
    // A group's title sits where its style places it, on the frame's top line.
    for (const QGroupBox* box : window->findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox opt;
        opt.initFrom(box);
        opt.text = box->title();
        opt.textAlignment = box->alignment();
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
        const QString text = shownText(box->title()).trimmed();
        if (!text.isEmpty() && (title.right() >= box->width() || !fits(box->font(), text, box->size(), false)))
            clipped << describe(box, text, box->font(), box->width()) +
                           QStringLiteral(" (title ends at %1)").arg(title.right());
    }
    for (const StyledButton* button : window->findChildren<StyledButton*>()) {
        const QString text = shownText(button->Caption());
        const QSize room = button->size() - QSize(2 * border, 0);
        if (!text.isEmpty() && !fits(button->font(), text, room, true))
            clipped << describe(button, text, button->font(), room.width());
    }
    return clipped;
}

}  // namespace caption_fit
