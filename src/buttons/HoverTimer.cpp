#include "buttons/HoverTimer.h"

#include "buttons/StyledButton.h"

namespace buttons {

void hoverTimerProc(QWidget* window)
{
    auto* button = qobject_cast<StyledButton*>(window->property("sb_ClassID").value<QObject*>());
    if (button)
        button->timerTick(window->property("sb_TimerID").toInt());
}

}  // namespace buttons
