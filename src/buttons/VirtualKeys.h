#pragma once

#include "core/MouseButtonCodes.h"

#include <Qt>

class QKeyEvent;

namespace buttons {

// The Windows virtual-key code of a key (US layout for the punctuation keys); 0
// for keys that have none.
int virtualKeyCode(const QKeyEvent& event);
// Shift 1, Ctrl 2, Alt 4.
int shiftState(Qt::KeyboardModifiers modifiers);
// The mouse-button codes and their conversion: core/MouseButtonCodes.h.

}  // namespace buttons
