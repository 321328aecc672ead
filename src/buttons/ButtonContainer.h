#pragma once

#include "buttons/ButtonColors.h"

#include <QFont>
#include <QPointer>
#include <QString>

class QShortcut;
class QWidget;
class StyledButton;

// What a window or frame tells the buttons placed on it, and the default and
// cancel buttons of a window. A window may implement it itself; any other widget
// gets the plain implementation from ButtonContainer::of.
class ButtonContainer {
public:
    virtual ~ButtonContainer() = default;

    // The container widget: option groups live in its dynamic properties.
    virtual QWidget* containerWidget() const = 0;

    // The name the container gives a control (a new button's caption).
    virtual QString controlName(const StyledButton& button) const;
    virtual QFont ambientFont() const;
    virtual ButtonColor ambientBackColor() const;
    // False while the program runs; only a form designer sets it.
    virtual bool designing() const { return false; }
    // A button's information box for a designer; only asked for while designing.
    // The designer shows it in its own box (the buttons show no box of their own:
    // every box of the program goes through the prompts of the window layer).
    virtual void showDesignMessage(const QString& text) = 0;
    // A persisted property of the button changed (key as it is stored).
    virtual void propertyChanged(StyledButton& button, const QString& key);

    // Default and cancel buttons belong to the window; setting one replaces the
    // previous one and tells both buttons that their default look may change.
    virtual StyledButton* defaultButton() const { return default_; }
    virtual StyledButton* cancelButton() const { return cancel_; }
    virtual void setDefaultButton(StyledButton* button);
    virtual void setCancelButton(StyledButton* button);
    // Whether the container shows the button as its default button.
    virtual bool displayAsDefault(const StyledButton& button) const;

    // An arrow key pressed on a button (virtual-key code 37 to 40): moves the focus
    // to the previous (left, up) or next (right, down) control of the container.
    virtual void arrowKey(StyledButton& button, int keyCode);

    // The container of a widget: the widget itself when it implements this
    // interface, otherwise a plain one kept with the widget.
    static ButtonContainer* of(QWidget* widget);

private:
    QPointer<StyledButton> default_;
    QPointer<StyledButton> cancel_;
    QPointer<QShortcut> enterKeys_[2];
    QPointer<QShortcut> escapeKey_;
};
