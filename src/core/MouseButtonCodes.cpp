#include "core/MouseButtonCodes.h"

namespace buttons {

int mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return kMouseLeft;
    case Qt::RightButton: return kMouseRight;
    case Qt::MiddleButton: return kMouseMiddle;
    default: return kMouseNone;
    }
}

int mouseButtonsCode(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? kMouseLeft : 0) | (buttons & Qt::RightButton ? kMouseRight : 0) |
           (buttons & Qt::MiddleButton ? kMouseMiddle : 0);
}

}  // namespace buttons
