#pragma once

// Working a window's controls without the mouse, as a keyboard user and an
// assistive tool do, and reading what the tool would read out.
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <string>

namespace keyboard {

// The roles of the controls a user works: each must carry a name a screen reader
// can read out.
inline bool isWorkedControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::List:
    case QAccessible::Link:
    case QAccessible::Slider:
        return true;
    default:
        return false;
    }
}

// Parts a composite control makes for itself (a combo box's own line edit, the
// scroll bars of a list) are named by their owner.
inline bool isPartOfAnotherControl(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p))
            return true;
    }
    return false;
}

// Every worked control of the window (shown or hidden, the window's own, not those
// of the windows it opens) whose accessible name is empty, as
// "objectName (class)", joined by commas; empty when every control has a name.
inline std::string unnamedControls(QWidget* window)
{
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || isPartOfAnotherControl(w))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (!face || !isWorkedControl(face->role()))
            continue;
        if (face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName() + " (" + QString::fromLatin1(w->metaObject()->className()) + ")";
    }
    unnamed.sort();
    return unnamed.join(", ").toStdString();
}

// The controls the user can work at the moment (shown and enabled) that Tab does
// not reach, going once round the window from the first control, joined by
// commas; empty when Tab reaches them all.
inline std::string unreachedByTab(QWidget* window)
{
    QList<QWidget*> wanted;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || isPartOfAnotherControl(w) || !w->isVisible() || !w->isEnabled())
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (face && isWorkedControl(face->role()))
            wanted << w;
    }
    QList<QWidget*> reached;
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != window) {
        for (QWidget* w : wanted) {
            if (w->focusPolicy() & Qt::TabFocus) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    QWidget* first = QApplication::focusWidget();
    for (int step = 0; step < 500 && QApplication::focusWidget(); ++step) {
        QWidget* now = QApplication::focusWidget();
        if (step > 0 && now == first)
            break;
        reached << now;
        QTest::keyClick(now, Qt::Key_Tab);
    }
    // Tab stops once in a group of option buttons, at the chosen one; the arrow
    // keys move within the group.
    auto sameOptionGroup = [](const QWidget* a, const QWidget* b) {
        const auto* x = qobject_cast<const QRadioButton*>(a);
        const auto* y = qobject_cast<const QRadioButton*>(b);
        return x && y && x->autoExclusive() && y->autoExclusive() && x->parentWidget() == y->parentWidget();
    };
    QStringList missing;
    for (QWidget* w : wanted) {
        bool found = false;
        for (QWidget* r : reached)
            found = found || r == w || w->isAncestorOf(r) || r->focusProxy() == w || sameOptionGroup(r, w);
        if (!found)
            missing << w->objectName();
    }
    missing.sort();
    return missing.join(", ").toStdString();
}

// The assistive tool's press (or toggle) of a control; the click it queues runs
// from the event loop, so the caller waits for its effect.
inline bool pressByTool(QObject* control, const QString& action = QAccessibleActionInterface::pressAction())
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    if (!face || !face->actionInterface() || !face->actionInterface()->actionNames().contains(action))
        return false;
    face->actionInterface()->doAction(action);
    return true;
}

// Space on a control that has the focus.
inline void pressBySpace(QWidget* control)
{
    control->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control, Qt::Key_Space);
}

}  // namespace keyboard
