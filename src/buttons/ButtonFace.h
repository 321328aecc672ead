#pragma once

#include <QString>

#include <memory>

class QPainter;
class StyledButton;

// The look of one button: layout, window shape and painting. The button asks its
// face at every point where its look may change; the face reads the button's
// public state.
class ButtonFace {
public:
    virtual ~ButtonFace() = default;

    // A derived drawing resource must be rebuilt: "Font", "Picture" or "BackColor".
    virtual void updateProperty(const QString& name) { (void)name; }
    // Caption and picture places after a change of size, caption, picture or alignment.
    virtual void calculateLayout() {}
    // The window outline of the current shape.
    virtual void createButtonRegion() {}
    // The back buffer for a new size.
    virtual void createButtonDC() {}
    // One full redraw, asked for whenever drawing is not delayed. The state flags
    // may change again right after the call (Space clears the hover look it set for
    // this one redraw), so the face must take the state now, not at the next paint.
    virtual void redrawButton() = 0;
    // The window needs its pixels (an expose, or the update after redrawButton);
    // a face that has not drawn yet draws the current state.
    virtual void paint(QPainter& painter) = 0;
    // The button was shown.
    virtual void shown() {}
};

// The face every button gets.
std::unique_ptr<ButtonFace> makeButtonFace(StyledButton& button);
