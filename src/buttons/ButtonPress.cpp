#include "buttons/ButtonPress.h"

#include "buttons/StyledButton.h"
#include "buttons/VirtualKeys.h"

#include <QRect>

namespace buttons {

namespace {

void connectLeftPress(StyledButton* button, const QObject* context, const MouseHandler& handler)
{
    QObject::connect(button, &StyledButton::pressedWithoutMouse, context, [button, handler] {
        const QPoint middle = button->rect().center();
        handler(kMouseLeft, 0, float(middle.x()), float(middle.y()));
    });
}

}  // namespace

void connectMouseDown(StyledButton* button, const QObject* context, MouseHandler handler)
{
    QObject::connect(button, &StyledButton::MouseDown, context, handler);
    connectLeftPress(button, context, handler);
}

void connectMouseUp(StyledButton* button, const QObject* context, MouseHandler handler)
{
    QObject::connect(button, &StyledButton::MouseUp, context, handler);
    connectLeftPress(button, context, handler);
}

}  // namespace buttons
