#pragma once

#include <cstdint>

// Button colours are &H00BBGGRR values; one with the top bit set stands for the
// system colour numbered by its low byte and is only resolved when drawn.
using ButtonColor = int32_t;

constexpr ButtonColor systemButtonColor(int index)
{
    return static_cast<ButtonColor>(0x80000000u | static_cast<uint32_t>(index));
}

constexpr ButtonColor kButtonFaceColor = systemButtonColor(15);
constexpr ButtonColor kButtonTextColor = systemButtonColor(18);
