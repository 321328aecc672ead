#include "buttons/StyledButton.h"

#include "buttons/VirtualKeys.h"
#include "core/ButtonCodes.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

namespace {

// The platform's drop effects: none 0, copy 1, move 2.
int dropEffect(Qt::DropActions actions)
{
    return (actions & Qt::CopyAction ? 1 : 0) | (actions & Qt::MoveAction ? 2 : 0);
}

enum DragState { kDragEnter = 0, kDragLeave = 1, kDragOver = 2 };

void raiseDragOver(StyledButton& button, QDragMoveEvent* event, int state)
{
    const QPointF pos = event->position();
    emit button.OLEDragOver(event->mimeData(), dropEffect(event->possibleActions()),
                            buttons::mouseButtonsCode(event->buttons()), buttons::shiftState(event->modifiers()),
                            float(pos.x()), float(pos.y()), state);
    event->acceptProposedAction();
}

}  // namespace

void StyledButton::setOLEDropMode(int mode)
{
    oleDropMode_ = mode;
    setAcceptDrops(mode != buttons::kOleDropNone);
}

void StyledButton::OLEDrag()
{
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    emit OLEStartDrag(data, dropEffect(Qt::CopyAction | Qt::MoveAction));
    drag->setMimeData(data);
    connect(drag, &QDrag::actionChanged, this,
            [this](Qt::DropAction action) { emit OLEGiveFeedback(dropEffect(action), true); });
    const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction);
    emit OLECompleteDrag(dropEffect(done));
}

void StyledButton::dragEnterEvent(QDragEnterEvent* event) { raiseDragOver(*this, event, kDragEnter); }

void StyledButton::dragMoveEvent(QDragMoveEvent* event) { raiseDragOver(*this, event, kDragOver); }

void StyledButton::dragLeaveEvent(QDragLeaveEvent* event)
{
    (void)event;
    const QPointF pos = mapFromGlobal(QCursor::pos());
    emit OLEDragOver(nullptr, 0, buttons::mouseButtonsCode(QApplication::mouseButtons()),
                     buttons::shiftState(QApplication::keyboardModifiers()), float(pos.x()), float(pos.y()),
                     kDragLeave);
}

void StyledButton::dropEvent(QDropEvent* event)
{
    const QPointF pos = event->position();
    emit OLEDragDrop(event->mimeData(), dropEffect(event->proposedAction()),
                     buttons::mouseButtonsCode(event->buttons()), buttons::shiftState(event->modifiers()),
                     float(pos.x()), float(pos.y()));
    event->acceptProposedAction();
}
