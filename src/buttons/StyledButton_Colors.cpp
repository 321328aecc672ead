#include "buttons/StyledButton.h"

#include "core/ButtonCodes.h"

using namespace buttons;

void StyledButton::setForeColor(ButtonColor color)
{
    if (color == foreColor_)
        return;
    foreColor_ = color;
    if (hoverForeFollows(hoverColorLocks_))
        setHoverForeColor(color);
    redrawButton();
    recordChange("cFore");
}

void StyledButton::setBackColor(ButtonColor color)
{
    backColor_ = color;
    if (hoverBackFollows(hoverColorLocks_))
        setHoverBackColor(gradientMode_ != kGradientNone ? gradientColor_ : color);
    updateProperty("BackColor");
    redrawButton();
    recordChange("cBack");
}

void StyledButton::setGradientColor(ButtonColor color)
{
    if (hoverBackFollows(hoverColorLocks_) && gradientMode_ > kGradientNone)
        hoverBackColor_ = color;
    gradientColor_ = color;
    updateProperty("BackColor");
    if (gradientMode_ != kGradientNone)
        redrawButton();
    recordChange("cGradient");
}

void StyledButton::setGradientMode(int mode)
{
    if (mode < kGradientNone || mode > kGradientBottomToTop)
        return;
    gradientMode_ = mode;
    if (hoverBackFollows(hoverColorLocks_)) {
        hoverBackColor_ = mode == kGradientNone ? backColor_ : gradientColor_;
        updateProperty("BackColor");
    }
    redrawButton();
    recordChange("Gradient");
}

void StyledButton::setResetDefaultColors(bool reset)
{
    (void)reset;
    if (!designing())
        return;
    drawingDelayed_ = true;
    backColor_ = kButtonFaceColor;
    setForeColor(kButtonTextColor);
    setGradientColor(kButtonFaceColor);
    setGradientMode(kGradientNone);
    setHoverColorLocks(kHoverLocksNone);
    updateProperty("BackColor");
    DelayDrawing(false);
    recordChange("cGradient");
    recordChange("cBack");
}

void StyledButton::setHoverColorLocks(int locks)
{
    hoverColorLocks_ = locks;
    if (hoverBackFollows(locks)) {
        hoverBackColor_ = gradientMode_ != kGradientNone ? gradientColor_ : backColor_;
        recordChange("cBHover");
    }
    if (hoverForeFollows(locks)) {
        hoverForeColor_ = foreColor_;
        recordChange("cFHover");
    }
    updateProperty("BackColor");
    recordChange("LockHover");
}

void StyledButton::setHoverForeColor(ButtonColor color)
{
    if (color == hoverForeColor_)
        return;
    hoverForeColor_ = color;
    if (color != foreColor_) {
        if (hoverColorLocks_ == kHoverLocksNone)
            hoverColorLocks_ = kHoverLockFore;
        else if (hoverColorLocks_ == kHoverLockBack)
            hoverColorLocks_ = kHoverLocksBoth;
    }
    recordChange("cFHover");
}

void StyledButton::setHoverBackColor(ButtonColor color)
{
    if (color == hoverBackColor_)
        return;
    hoverBackColor_ = color;
    if (color != backColor_) {
        if (hoverColorLocks_ == kHoverLocksNone)
            hoverColorLocks_ = kHoverLockBack;
        else if (hoverColorLocks_ == kHoverLockFore)
            hoverColorLocks_ = kHoverLocksBoth;
    }
    updateProperty("BackColor");
    recordChange("cBHover");
}
