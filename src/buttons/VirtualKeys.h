#pragma once

#include <Qt>

class QKeyEvent;

namespace buttons {

// The Windows virtual-key code of a key (US layout for the punctuation keys); 0
// for keys that have none.
int virtualKeyCode(const QKeyEvent& event);
// Shift 1, Ctrl 2, Alt 4.
int shiftState(Qt::KeyboardModifiers modifiers);
// The Button argument of MouseDown.
enum MouseButtonCode : int {
    kMouseNone = 0,
    kMouseLeft = 1,
    kMouseRight = 2,
    kMouseMiddle = 4,
};

// kMouseLeft, kMouseRight, kMouseMiddle; kMouseNone for any other button.
int mouseButtonCode(Qt::MouseButton button);
int mouseButtonsCode(Qt::MouseButtons buttons);

}  // namespace buttons
