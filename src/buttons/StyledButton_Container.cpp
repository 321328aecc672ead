#include "buttons/StyledButton.h"

#include "core/ButtonCodes.h"
#include "buttons/ButtonContainer.h"
#include "buttons/ButtonFace.h"

void StyledButton::showEvent(QShowEvent* event)
{
    (void)event;
    face_->shown();
    if (shown_)
        return;
    shown_ = true;
    const ButtonContainer* window = ButtonContainer::of(this->window());
    if (designing() && window && window->displayAsDefault(*this) && showFocusRect_) {
        stateFlags_ |= kFlagDefault;
        redrawButton();
    }
}

void StyledButton::ambientChanged(const QString& name)
{
    if (name == QLatin1String("DisplayAsDefault")) {
        const ButtonContainer* window = ButtonContainer::of(this->window());
        const bool shown = window && window->displayAsDefault(*this);
        if (shown && (showFocusRect_ || designing()))
            stateFlags_ |= kFlagDefault;
        else
            stateFlags_ &= ~kFlagDefault;
        if (buttons::isPictureShape(buttonShape_) && designing()) {
            hovering_ = stateFlags_ & kFlagDefault;
            redrawButton();
            hovering_ = false;
        } else {
            redrawButton();
        }
    } else if (name == QLatin1String("BackColor")) {
        if (const ButtonContainer* c = container())
            containerBackColor_ = c->ambientBackColor();
        if (buttonShape_ >= buttons::kShapeEllipse || buttonStyle_ == buttons::kStyleHover)
            redrawButton();
    }
}

bool StyledButton::Default() const
{
    const ButtonContainer* window = ButtonContainer::of(this->window());
    return window && window->defaultButton() == this;
}

void StyledButton::setDefault(bool isDefault)
{
    ButtonContainer* window = ButtonContainer::of(this->window());
    if (isDefault)
        window->setDefaultButton(this);
    else if (window->defaultButton() == this)
        window->setDefaultButton(nullptr);
}

bool StyledButton::Cancel() const
{
    const ButtonContainer* window = ButtonContainer::of(this->window());
    return window && window->cancelButton() == this;
}

void StyledButton::setCancel(bool isCancel)
{
    ButtonContainer* window = ButtonContainer::of(this->window());
    if (isCancel)
        window->setCancelButton(this);
    else if (window->cancelButton() == this)
        window->setCancelButton(nullptr);
}
