#pragma once

class QWidget;

namespace buttons {

// The hover timer's tick for the button window it runs on: finds the button and
// the timer id through the window's "sb_ClassID" and "sb_TimerID" properties.
void hoverTimerProc(QWidget* window);

}  // namespace buttons
