#pragma once

#include <QObject>

#include <functional>

class StyledButton;

namespace buttons {

// A window's MouseDown or MouseUp handler: Button (1 left, 2 right, 4 middle),
// Shift, and X and Y in pixels inside the button.
using MouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;

// Connects a window's MouseDown handler so that it runs for every way the button
// can be pressed: the mouse (each mouse button, as MouseDown reports it), and
// Space, Enter, Esc, the access key and an assistive tool's press, which count as
// the left button pressed in the middle of the button. A press without the mouse
// runs the handler just before the button's Click handling, as the left button's
// press runs it before the click.
void connectMouseDown(StyledButton* button, const QObject* context, MouseHandler handler);
// The same for a MouseUp handler.
void connectMouseUp(StyledButton* button, const QObject* context, MouseHandler handler);

}  // namespace buttons
