#include "viewer/EffectButtons.h"
#include "core/MouseButtonCodes.h"

#include <gtest/gtest.h>

namespace {

constexpr int kMiddle = 4;

TEST(EffectButtons, EachButtonActsOnItsOwnEventOnly)
{
    using E = EffectCommand;
    struct Case {
        const char* button;
        ButtonEvent event;
        int mouse;
        EffectCommand expected;
    };
    const Case cases[] = {
        // Brighten has no right-button variant: it answers Click only.
        {"cmdBright", ButtonEvent::Click, buttons::kMouseLeft, E::Brighten},
        {"cmdBright", ButtonEvent::MouseDown, buttons::kMouseRight, E::None},
        // Darken and the horizontal mirror act on any mouse button.
        {"cmdDarken", ButtonEvent::MouseDown, buttons::kMouseLeft, E::Darken},
        {"cmdDarken", ButtonEvent::MouseDown, buttons::kMouseRight, E::Darken},
        {"cmdDarken", ButtonEvent::MouseDown, kMiddle, E::Darken},
        {"cmdDarken", ButtonEvent::Click, buttons::kMouseLeft, E::None},
        {"cmdFlipH", ButtonEvent::MouseDown, buttons::kMouseRight, E::MirrorLeftRight},
        {"cmdFlipH", ButtonEvent::Click, buttons::kMouseLeft, E::None},
        // Contrast: the right button lowers it, every other raises it.
        {"cmdContrast", ButtonEvent::MouseDown, buttons::kMouseLeft, E::ContrastUp},
        {"cmdContrast", ButtonEvent::MouseDown, kMiddle, E::ContrastUp},
        {"cmdContrast", ButtonEvent::MouseDown, buttons::kMouseRight, E::ContrastDown},
        {"cmdContrast", ButtonEvent::Click, buttons::kMouseLeft, E::None},
        {"cmdColor", ButtonEvent::Click, buttons::kMouseLeft, E::RotateColours},
        {"cmdGray", ButtonEvent::Click, buttons::kMouseLeft, E::Grey},
        {"cmdSmooth", ButtonEvent::Click, buttons::kMouseLeft, E::Smooth},
        {"cmdSharpen", ButtonEvent::Click, buttons::kMouseLeft, E::Sharpen},
        {"cmdInvert", ButtonEvent::Click, buttons::kMouseLeft, E::Invert},
        {"cmdFlipV", ButtonEvent::Click, buttons::kMouseLeft, E::MirrorTopBottom},
        {"cmdFlipV", ButtonEvent::MouseDown, buttons::kMouseRight, E::None},
        {"cmdAlphaBlend", ButtonEvent::MouseDown, buttons::kMouseRight, E::OpenBlendPanel},
        {"cmdDoTheBlend", ButtonEvent::MouseDown, buttons::kMouseLeft, E::Blend},
        {"cmdUndo", ButtonEvent::Click, buttons::kMouseLeft, E::Reload},
        {"cmdSave", ButtonEvent::Click, buttons::kMouseLeft, E::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(effectCommand(c.button, c.event, c.mouse), c.expected)
            << c.button << " event " << int(c.event) << " button " << c.mouse;
}

}  // namespace
