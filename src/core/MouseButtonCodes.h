#pragma once

#include <Qt>

namespace buttons {

// The Button argument of MouseDown and MouseUp: one bit per mouse button, the
// Buttons argument of MouseMove holds several.
enum MouseButtonCode : int {
    kMouseNone = 0,
    kMouseLeft = 1,
    kMouseRight = 2,
    kMouseMiddle = 4,
};

// kMouseLeft, kMouseRight, kMouseMiddle; kMouseNone for any other button.
int mouseButtonCode(Qt::MouseButton button);
// The codes of the buttons held, added together.
int mouseButtonsCode(Qt::MouseButtons buttons);

}  // namespace buttons
