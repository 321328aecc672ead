#pragma once

#include <QAccessible>

class StyledButton;

namespace buttons {

// Lets screen readers and other assistive tools find StyledButton as a push
// button, check box or radio button. Safe to call any number of times; the first
// button made calls it.
void installButtonAccessibility();

// Tell assistive tools what just changed on a button; nothing is sent while no
// tool listens.
void announceStateChange(StyledButton& button, QAccessible::State changed);
void announceNameChange(StyledButton& button);

}  // namespace buttons
