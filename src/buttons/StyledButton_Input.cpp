#include "buttons/StyledButton.h"

#include "core/ButtonCodes.h"
#include "buttons/ButtonContainer.h"
#include "buttons/VirtualKeys.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

using namespace buttons;

namespace {

constexpr int kKeyShift = 16;
constexpr int kKeySpace = 32;

bool isArrowKey(int keyCode) { return keyCode >= 37 && keyCode <= 40; }

// The keys the button itself uses: Space clicks, the arrows move the focus.
bool ownsKey(const QKeyEvent& event)
{
    const int key = event.key();
    return key == Qt::Key_Space || key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
           key == Qt::Key_Down;
}

}  // namespace

void StyledButton::mouseDownHandling(int button, int shift, QPointF pos)
{
    lastMouseButton_ = button;
    if (button == kMouseLeft) {
        stateFlags_ |= kFlagPressed;
        held_ = true;
        drawingDelayed_ = false;
        redrawButton();
    }
    emit MouseDown(button, shift, float(pos.x()), float(pos.y()));
}

void StyledButton::mouseUpHandling(int button, int shift, QPointF pos)
{
    held_ = false;
    if (button == kMouseLeft) {
        stateFlags_ &= ~kFlagPressed;
        drawingDelayed_ = false;
        if (mode_ == kModeCommand)
            redrawButton();
    }
    emit MouseUp(button, shift, float(pos.x()), float(pos.y()));
    lastMouseButton_ = button;
}

void StyledButton::clickHandling()
{
    if (lastMouseButton_ != kMouseLeft)
        return;
    if (mode_ == kModeCheck) {
        setValue(!value_);
    } else if (mode_ == kModeOption) {
        if (value_)
            return;
        setValue(true);
    }
    emit Click();
}

void StyledButton::accessKeyPress(int keyAscii)
{
    const bool enterOrEsc = keyAscii == 13 || keyAscii == 27;
    if (enterOrEsc && (mode_ == kModeCheck || mode_ == kModeOption))
        return;
    if (!enterOrEsc && !(stateFlags_ & kFlagDefault))
        redrawButton();
    keyboardClick();
}

void StyledButton::keyboardClick()
{
    lastMouseButton_ = kMouseLeft;
    pressWithoutMouse();
}

void StyledButton::pressWithoutMouse()
{
    // The window's handler may close the window (and so delete this button) or
    // disable the button; the click then goes no further, as with the mouse.
    const QPointer<StyledButton> alive(this);
    emit pressedWithoutMouse();
    if (!alive || !isEnabled())
        return;
    lastMouseButton_ = kMouseLeft;
    clickHandling();
}

void StyledButton::animateClick()
{
    if (!isEnabled())
        return;
    if (!animateTimer_) {
        animateTimer_ = new QTimer(this);
        animateTimer_->setSingleShot(true);
        animateTimer_->setInterval(kAnimateClickMs);
        connect(animateTimer_, &QTimer::timeout, this, [this] {
            stateFlags_ &= ~kFlagPressed;
            held_ = false;
            redrawButton();
            if (isEnabled())
                keyboardClick();
        });
    }
    stateFlags_ |= kFlagPressed;
    redrawButton();
    // A second press while the first is pending gives one click, as the platform's buttons do.
    animateTimer_->start();
}

void StyledButton::mousePressEvent(QMouseEvent* event)
{
    const int button = buttons::mouseButtonCode(event->button());
    if (button == kMouseNone)
        return;
    afterDoubleClick_ = false;
    mouseDownHandling(button, buttons::shiftState(event->modifiers()), event->position());
}

void StyledButton::mouseReleaseEvent(QMouseEvent* event)
{
    const int button = buttons::mouseButtonCode(event->button());
    if (button == kMouseNone)
        return;
    mouseUpHandling(button, buttons::shiftState(event->modifiers()), event->position());
    // The platform clicks a control when the press and the release are both on it;
    // the release that ends a double click gives no second click.
    const QPoint at = event->position().toPoint();
    const bool inside = rect().contains(at) && (mask().isEmpty() || mask().contains(at));
    const bool doubleClickRelease = afterDoubleClick_;
    afterDoubleClick_ = false;
    if (inside && !doubleClickRelease)
        clickHandling();
}

void StyledButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (buttons::mouseButtonCode(event->button()) == kMouseNone)
        return;
    afterDoubleClick_ = true;
    const QPointF pos = event->position();
    emit DoubleClick(lastMouseButton_);
    if (lastMouseButton_ == kMouseLeft) {
        mouseDownHandling(kMouseLeft, 0, pos);
        lastMouseButton_ = -1;
    } else {
        emit MouseDown(kMouseLeft, 0, float(pos.x()), float(pos.y()));
    }
}

bool StyledButton::cursorOverButton() const { return QApplication::widgetAt(QCursor::pos()) == this; }

void StyledButton::mouseMoveEvent(QMouseEvent* event)
{
    const int pressed = buttons::mouseButtonsCode(event->buttons());
    if (!hovering_ && QApplication::widgetAt(event->globalPosition().toPoint()) == this)
        startHover(pressed);
    const QPointF pos = event->position();
    emit MouseMove(pressed, buttons::shiftState(event->modifiers()), float(pos.x()), float(pos.y()));
}

void StyledButton::startHover(int button)
{
    stateFlags_ |= kFlagHover;
    emit MouseOnButton(true);
    setProperty("sb_ClassID", QVariant::fromValue(static_cast<QObject*>(this)));
    setProperty("sb_TimerID", kHoverTimerId);
    hoverTimer_->start();
    hovering_ = true;
    drawingDelayed_ = false;
    if (button == kMouseLeft)
        held_ = true;
    redrawButton();
}

void StyledButton::timerTick(int timerId)
{
    (void)timerId;
    if (cursorOverButton())
        return;
    endHover();
}

void StyledButton::endHover()
{
    hoverTimer_->stop();
    stateFlags_ &= ~kFlagHover;
    hovering_ = false;
    drawingDelayed_ = false;
    emit MouseOnButton(false);
    held_ = false;
    redrawButton();
}

void StyledButton::leaveEvent(QEvent* event)
{
    // The platform reports the leave at once; the timer stays the rule for the
    // cases it does not (a region the cursor crossed while captured).
    if (hovering_)
        endHover();
    QWidget::leaveEvent(event);
}

void StyledButton::keyDownHandling(int& keyCode, int shift)
{
    if (isArrowKey(keyCode)) {
        if (ButtonContainer* c = container())
            c->arrowKey(*this, keyCode);
        keyCode = 0;
    } else if (keyCode == kKeySpace && !(stateFlags_ & kFlagPressed)) {
        stateFlags_ |= kFlagHover | kFlagPressed;
        held_ = true;
        spaceDown_ = true;
        redrawButton();
        if (!hovering_)
            stateFlags_ &= ~kFlagHover;
    }
    if (keyCode != 0)
        emit KeyDown(keyCode, shift);
}

void StyledButton::keyUpHandling(int& keyCode, int shift)
{
    held_ = false;
    if (keyCode == kKeySpace && (stateFlags_ & kFlagPressed)) {
        spaceDown_ = false;
        lastMouseButton_ = kMouseLeft;
        stateFlags_ &= ~kFlagPressed;
        if (mode_ == kModeCommand) {
            redrawButton();
        } else {
            emit KeyUp(keyCode, shift);
            keyCode = 0;
        }
        const QPointer<StyledButton> alive(this);
        pressWithoutMouse();
        if (!alive)
            return;
    }
    if (isArrowKey(keyCode)) {
        keyCode = 0;
        if (mode_ == kModeOption && !value_)
            keyboardClick();
    }
    if (keyCode == kKeyShift)
        keyCode = 0;
    if (keyCode != 0)
        emit KeyUp(keyCode, shift);
}

void StyledButton::keyPressEvent(QKeyEvent* event)
{
    const bool own = ownsKey(*event);
    int keyCode = buttons::virtualKeyCode(*event);
    keyDownHandling(keyCode, buttons::shiftState(event->modifiers()));
    const QString text = event->text();
    if (!text.isEmpty() && text[0].unicode() < 256)
        emit KeyPress(text[0].unicode());
    // Keys the button does not use go on to its window: Esc closes a dialog with the
    // focus on a button, as it does elsewhere.
    if (!own)
        event->ignore();
}

void StyledButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!ownsKey(*event))
        event->ignore();
    // A held key repeats its press, not its release.
    if (event->isAutoRepeat())
        return;
    int keyCode = buttons::virtualKeyCode(*event);
    keyUpHandling(keyCode, buttons::shiftState(event->modifiers()));
}

void StyledButton::focusInEvent(QFocusEvent* event)
{
    (void)event;
    if (mode_ != kModeOption || value_)
        return;
    bool memberTrue = false;
    optionToggle(2, memberTrue);
    if (!memberTrue)
        keyboardClick();
}

void StyledButton::focusOutEvent(QFocusEvent* event)
{
    (void)event;
    releaseSpace();
}

void StyledButton::releaseSpace()
{
    // The Space release goes to whatever took the focus, so the pressed look would stay.
    if (!spaceDown_)
        return;
    spaceDown_ = false;
    held_ = false;
    stateFlags_ &= ~kFlagPressed;
    if (!hovering_)
        stateFlags_ &= ~kFlagHover;
    redrawButton();
}
