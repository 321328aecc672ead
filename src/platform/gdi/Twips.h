#pragma once

#include <cstdint>

namespace platform {

// Window sizes and places are stored in twips (Tolvex.ini keeps them so, and the
// stored values never change); this platform has 15 twips to a pixel.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Sizes that must not shrink (minimum window sizes) round up, or a 5605-twip minimum
// becomes 373 px and a resize handler keeps finding the window too small.
inline constexpr int twipsToPixelsCeil(int64_t twips)
{
    return static_cast<int>(twips >= 0 ? (twips + kTwipsPerPixel - 1) / kTwipsPerPixel
                                       : -((-twips) / kTwipsPerPixel));
}

// Positions truncate toward zero, as an integer division would.
inline constexpr int twipsToPixels(int64_t twips) { return static_cast<int>(twips / kTwipsPerPixel); }

}  // namespace platform
