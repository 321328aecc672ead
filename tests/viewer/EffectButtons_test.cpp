#include "viewer/EffectButtons.h"

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
        {"cmdBright", ButtonEvent::Click, kLeftMouseButton, E::Brighten},
        {"cmdBright", ButtonEvent::MouseDown, kRightMouseButton, E::None},
        // Darken and the horizontal mirror act on any mouse button.
        {"cmdDarken", ButtonEvent::MouseDown, kLeftMouseButton, E::Darken},
        {"cmdDarken", ButtonEvent::MouseDown, kRightMouseButton, E::Darken},
        {"cmdDarken", ButtonEvent::MouseDown, kMiddle, E::Darken},
        {"cmdDarken", ButtonEvent::Click, kLeftMouseButton, E::None},
        {"cmdFlipH", ButtonEvent::MouseDown, kRightMouseButton, E::MirrorLeftRight},
        {"cmdFlipH", ButtonEvent::Click, kLeftMouseButton, E::None},
        // Contrast: the right button lowers it, every other raises it.
        {"cmdContrast", ButtonEvent::MouseDown, kLeftMouseButton, E::ContrastUp},
        {"cmdContrast", ButtonEvent::MouseDown, kMiddle, E::ContrastUp},
        {"cmdContrast", ButtonEvent::MouseDown, kRightMouseButton, E::ContrastDown},
        {"cmdContrast", ButtonEvent::Click, kLeftMouseButton, E::None},
        {"cmdColor", ButtonEvent::Click, kLeftMouseButton, E::RotateColours},
        {"cmdGray", ButtonEvent::Click, kLeftMouseButton, E::Grey},
        {"cmdSmooth", ButtonEvent::Click, kLeftMouseButton, E::Smooth},
        {"cmdSharpen", ButtonEvent::Click, kLeftMouseButton, E::Sharpen},
        {"cmdInvert", ButtonEvent::Click, kLeftMouseButton, E::Invert},
        {"cmdFlipV", ButtonEvent::Click, kLeftMouseButton, E::MirrorTopBottom},
        {"cmdFlipV", ButtonEvent::MouseDown, kRightMouseButton, E::None},
        {"cmdAlphaBlend", ButtonEvent::MouseDown, kRightMouseButton, E::OpenBlendPanel},
        {"cmdDoTheBlend", ButtonEvent::MouseDown, kLeftMouseButton, E::Blend},
        {"cmdUndo", ButtonEvent::Click, kLeftMouseButton, E::Reload},
        {"cmdSave", ButtonEvent::Click, kLeftMouseButton, E::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(effectCommand(c.button, c.event, c.mouse), c.expected)
            << c.button << " event " << int(c.event) << " button " << c.mouse;
}

}  // namespace
