#include "buttons/ButtonContainer.h"

#include "buttons/StyledButton.h"

#include <QApplication>
#include <QObject>
#include <QPalette>
#include <QShortcut>
#include <QWidget>

namespace {

// The container services of a widget that does not give its own: kept as a child
// object of the widget and found again by the next button.
class PlainButtonContainer final : public QObject, public ButtonContainer {
public:
    explicit PlainButtonContainer(QWidget* widget) : QObject(widget), widget_(widget) {}
    QWidget* containerWidget() const override { return widget_; }
    // A plain container never designs, so it is never asked to show a design box.
    void showDesignMessage(const QString&) override {}

private:
    QWidget* widget_;
};

ButtonColor toButtonColor(const QColor& c)
{
    return static_cast<ButtonColor>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

// The controls of the container that take the focus from the keyboard, in focus order
// starting after the given one.
QList<QWidget*> focusRing(QWidget* container, QWidget* from, bool forward)
{
    QList<QWidget*> ring;
    for (QWidget* w = forward ? from->nextInFocusChain() : from->previousInFocusChain(); w && w != from;
         w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (w->parentWidget() == container && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(container))
            ring << w;
    }
    return ring;
}

}  // namespace

QString ButtonContainer::controlName(const StyledButton& button) const { return button.objectName(); }

QFont ButtonContainer::ambientFont() const
{
    QWidget* w = containerWidget();
    return w ? w->font() : QApplication::font();
}

ButtonColor ButtonContainer::ambientBackColor() const
{
    // A widget that was given no colour of its own shows the system's button face.
    QWidget* w = containerWidget();
    if (!w || !w->testAttribute(Qt::WA_SetPalette))
        return kButtonFaceColor;
    return toButtonColor(w->palette().color(QPalette::Window));
}

void ButtonContainer::propertyChanged(StyledButton& button, const QString& key)
{
    (void)button;
    (void)key;
}

void ButtonContainer::setDefaultButton(StyledButton* button)
{
    StyledButton* old = default_;
    default_ = button;
    if (button && containerWidget() && !enterKeys_[0]) {
        for (int i = 0; i < 2; ++i) {
            auto* shortcut = new QShortcut(QKeySequence(i == 0 ? Qt::Key_Return : Qt::Key_Enter), containerWidget());
            QObject::connect(shortcut, &QShortcut::activated, shortcut, [this] {
                if (StyledButton* b = defaultButton(); b && b->isEnabled() && b->isVisible())
                    b->accessKeyPress(13);
            });
            enterKeys_[i] = shortcut;
        }
    }
    if (old && old != button)
        old->ambientChanged("DisplayAsDefault");
    if (button && button != old)
        button->ambientChanged("DisplayAsDefault");
}

void ButtonContainer::setCancelButton(StyledButton* button)
{
    cancel_ = button;
    if (button && containerWidget() && !escapeKey_) {
        escapeKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), containerWidget());
        QObject::connect(escapeKey_, &QShortcut::activated, escapeKey_, [this] {
            if (StyledButton* b = cancelButton(); b && b->isEnabled() && b->isVisible())
                b->accessKeyPress(27);
        });
    }
}

bool ButtonContainer::displayAsDefault(const StyledButton& button) const { return defaultButton() == &button; }

void ButtonContainer::arrowKey(StyledButton& button, int keyCode)
{
    QWidget* container = containerWidget();
    if (!container)
        return;
    const bool forward = keyCode == 39 || keyCode == 40;
    const QList<QWidget*> ring = focusRing(container, &button, forward);
    if (!ring.isEmpty())
        ring.first()->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

ButtonContainer* ButtonContainer::of(QWidget* widget)
{
    if (!widget)
        return nullptr;
    if (auto* own = dynamic_cast<ButtonContainer*>(widget))
        return own;
    for (QObject* child : widget->children()) {
        if (auto* plain = dynamic_cast<PlainButtonContainer*>(child))
            return plain;
    }
    return new PlainButtonContainer(widget);
}
