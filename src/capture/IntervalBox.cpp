#include "capture/IntervalBox.h"

#include <QCompleter>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QScopedValueRollback>
#include <QStyleOptionComplex>

#include <iterator>

namespace {

constexpr const char* kIntervals[] = {"2",   "3",   "5",   "10",  "15",  "20",   "30",   "40",   "50",
                                      "60",  "120", "240", "300", "400", "500",  "600",  "700",  "800",
                                      "900", "1000", "1200", "1800", "2700", "3000", "3600"};

// The box is only a few digits wide: the styles' own drop-down button took more than
// half of it and cut "30" in two, so the button is kept as narrow as the spinner beside it.
class NarrowArrowStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override
    {
        if (control != CC_ComboBox || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
            return QProxyStyle::subControlRect(control, option, part, widget);
        const QRect r = option->rect;
        const QRect wanted = part == SC_ComboBoxArrow
                                 ? QRect(r.right() - kArrowWidth + 1, r.top(), kArrowWidth, r.height())
                                 : QRect(r.left() + kFrame, r.top() + kFrame, r.width() - kArrowWidth - kFrame,
                                         r.height() - 2 * kFrame);
        return visualRect(option->direction, r, wanted);
    }

private:
    static constexpr int kArrowWidth = 11;
    static constexpr int kFrame = 1;
};

// One style for every interval box of the program: making a style is a good part of
// the main window's construction.
QStyle* narrowArrowStyle()
{
    static QPointer<NarrowArrowStyle> shared;
    if (!shared) {
        shared = new NarrowArrowStyle;
        shared->setParent(QCoreApplication::instance());
    }
    return shared;
}

}  // namespace

IntervalBox::IntervalBox(QWidget* parent) : QComboBox(parent)
{
    {
        const QScopedValueRollback<bool> taking(takingStyle_, true);
        setStyle(narrowArrowStyle());
    }
    // The box is editable through its own text field; the list's popup is made when
    // the list first opens (setEditable would make it at once). Nothing can be typed,
    // so the field completes nothing: it gets an empty completer of its own in place
    // of the combo box's, which would follow the whole list.
    auto* field = new QLineEdit(this);
    field->setCompleter(new QCompleter(field));
    setLineEdit(field);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setReadOnly(true);
    QStringList intervals;
    intervals.reserve(std::size(kIntervals));
    for (const char* seconds : kIntervals)
        intervals.append(QString::fromLatin1(seconds));
    addItems(intervals);
    setEditText("30");
    setToolTip("seconds");
}

void IntervalBox::changeEvent(QEvent* event)
{
    // The combo box answers a new style by making its list's popup at once; the
    // box's first style comes before it has a list or a text field, and the popup
    // is made in that style when the list first opens.
    if (event->type() == QEvent::StyleChange && takingStyle_) {
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}
