#include "buttons/StyledButton.h"

void StyledButton::setForeColor(ButtonColor color)
{
    if (color == foreColor_)
        return;
    foreColor_ = color;
    if (hoverColorLocks_ == 0 || hoverColorLocks_ == 1)
        setHoverForeColor(color);
    redrawButton();
    recordChange("cFore");
}

void StyledButton::setBackColor(ButtonColor color)
{
    backColor_ = color;
    if (hoverColorLocks_ == 0 || hoverColorLocks_ == 2)
        setHoverBackColor(gradientMode_ != 0 ? gradientColor_ : color);
    updateProperty("BackColor");
    redrawButton();
    recordChange("cBack");
}

void StyledButton::setGradientColor(ButtonColor color)
{
    if ((hoverColorLocks_ == 0 || hoverColorLocks_ == 2) && gradientMode_ > 0)
        hoverBackColor_ = color;
    gradientColor_ = color;
    updateProperty("BackColor");
    if (gradientMode_ != 0)
        redrawButton();
    recordChange("cGradient");
}

void StyledButton::setGradientMode(int mode)
{
    if (mode < 0 || mode > 4)
        return;
    gradientMode_ = mode;
    if (hoverColorLocks_ == 0 || hoverColorLocks_ == 2) {
        hoverBackColor_ = mode == 0 ? backColor_ : gradientColor_;
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
    setGradientMode(0);
    setHoverColorLocks(0);
    updateProperty("BackColor");
    DelayDrawing(false);
    recordChange("cGradient");
    recordChange("cBack");
}

void StyledButton::setHoverColorLocks(int locks)
{
    hoverColorLocks_ = locks;
    if (locks == 0 || locks == 2) {
        hoverBackColor_ = gradientMode_ != 0 ? gradientColor_ : backColor_;
        recordChange("cBHover");
    }
    if (locks == 0 || locks == 1) {
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
        if (hoverColorLocks_ == 0)
            hoverColorLocks_ = 2;
        else if (hoverColorLocks_ == 1)
            hoverColorLocks_ = 3;
    }
    recordChange("cFHover");
}

void StyledButton::setHoverBackColor(ButtonColor color)
{
    if (color == hoverBackColor_)
        return;
    hoverBackColor_ = color;
    if (color != backColor_) {
        if (hoverColorLocks_ == 0)
            hoverColorLocks_ = 1;
        else if (hoverColorLocks_ == 2)
            hoverColorLocks_ = 3;
    }
    updateProperty("BackColor");
    recordChange("cBHover");
}
