#pragma once

#include "core/MouseButtonCodes.h"

#include <QString>

#include <vector>

// What a press on one of the viewer's effect buttons asks for.
enum class EffectCommand {
    None,
    Brighten,
    Darken,
    ContrastUp,
    ContrastDown,
    RotateColours,
    Grey,
    Smooth,
    Sharpen,
    Invert,
    MirrorLeftRight,
    MirrorTopBottom,
    OpenBlendPanel,
    Blend,
    Reload,
};

// The button event a handler listens to. Click comes only from the left button and
// the keyboard; MouseDown from every mouse button.
enum class ButtonEvent { Click, MouseDown };

// Mouse buttons are the button layer's codes (core/MouseButtonCodes.h).

struct EffectButtonRow {
    const char* name;
    const char* toolTip;
    ButtonEvent trigger;
    EffectCommand command;  // for MouseDown of contrast: the left button's
};

// The effect buttons of the viewer and of the blend panel (cmdDoTheBlend), with
// their tool tips and the one event each acts on.
const std::vector<EffectButtonRow>& effectButtonRows();

// The command an event of a button stands for: None for a button that is not an
// effect button or for the event it does not act on. MouseDown buttons act on any
// mouse button; only contrast tells them apart (right lowers it).
EffectCommand effectCommand(const QString& button, ButtonEvent event, int mouseButton = buttons::kMouseLeft);
