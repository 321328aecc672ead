#include "viewer/EffectButtons.h"

const std::vector<EffectButtonRow>& effectButtonRows()
{
    using E = EffectCommand;
    static const std::vector<EffectButtonRow> rows = {
        {"cmdBright", "Brighten by 10%", ButtonEvent::Click, E::Brighten},
        {"cmdDarken", "Darken by 10%", ButtonEvent::MouseDown, E::Darken},
        {"cmdContrast", "Increase Contrast by 10% (right-click = decrease by 10%)", ButtonEvent::MouseDown,
         E::ContrastUp},
        {"cmdColor", "Colorize plasma", ButtonEvent::Click, E::RotateColours},
        {"cmdGray", "Grayscale", ButtonEvent::Click, E::Grey},
        {"cmdSmooth", "Despeckle (smooth/blur)", ButtonEvent::Click, E::Smooth},
        {"cmdSharpen", "Sharpen", ButtonEvent::Click, E::Sharpen},
        {"cmdInvert", "Invert", ButtonEvent::Click, E::Invert},
        {"cmdFlipH", "flip horizontal", ButtonEvent::MouseDown, E::MirrorLeftRight},
        {"cmdFlipV", "Flip vertical", ButtonEvent::Click, E::MirrorTopBottom},
        {"cmdAlphaBlend", "Enhanced Gamma Blending (Astronomers tool)", ButtonEvent::MouseDown, E::OpenBlendPanel},
        {"cmdDoTheBlend", "Do the Enhanced Alpha Blend", ButtonEvent::MouseDown, E::Blend},
        {"cmdUndo", "Reload/Redo", ButtonEvent::Click, E::Reload},
    };
    return rows;
}

EffectCommand effectCommand(const QString& button, ButtonEvent event, int mouseButton)
{
    for (const EffectButtonRow& row : effectButtonRows()) {
        if (button != QLatin1String(row.name))
            continue;
        if (event != row.trigger)
            return EffectCommand::None;
        if (row.command == EffectCommand::ContrastUp && mouseButton == buttons::kMouseRight)
            return EffectCommand::ContrastDown;
        return row.command;
    }
    return EffectCommand::None;
}
