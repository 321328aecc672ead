#pragma once

#include <QPalette>
#include <QRgb>

#include <array>
#include <cstdint>

namespace gdi {

// A colour as the window layer stores it: &H00BBGGRR. A value with the top bit set
// (negative) names system colour n in its low byte and is resolved only when drawing.
using Colour = int32_t;

constexpr Colour kNoColour = -1;
constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kGrey = 0x808080;

constexpr Colour rgb(int r, int g, int b) { return Colour(r | (g << 8) | (b << 16)); }
constexpr int red(Colour c) { return c & 0xFF; }
constexpr int green(Colour c) { return (c >> 8) & 0xFF; }
constexpr int blue(Colour c) { return (c >> 16) & 0xFF; }

constexpr bool isSystemColour(Colour c) { return c < 0; }
constexpr Colour systemColour(int index) { return Colour(0x80000000u | uint32_t(index & 0xFF)); }

constexpr Colour kButtonFace = systemColour(15);
constexpr Colour kButtonText = systemColour(18);

inline QRgb toQRgb(Colour c) { return qRgb(red(c), green(c), blue(c)); }
inline Colour fromQRgb(QRgb c) { return rgb(qRed(c), qGreen(c), qBlue(c)); }

// The platform's system colour numbers (button face 15, button text 18, ...) mapped
// onto one palette; every drawing path resolves system colours through this table.
// The platform's classic colour scheme (grey button faces, black text) as a palette,
// for pictures that must not depend on the desktop's theme.
QPalette classicPalette();

class SystemColours {
public:
    static constexpr int kCount = 31;

    SystemColours();  // from the application palette
    static SystemColours fromPalette(const QPalette& palette);

    // The colour of system colour index (only the low byte counts); unknown indexes
    // give black, as the platform does.
    Colour colour(int index) const;
    // Plain colours unchanged, system colours looked up.
    Colour resolve(Colour c) const { return isSystemColour(c) ? colour(c & 0xFF) : c; }

private:
    explicit SystemColours(const std::array<Colour, kCount>& table) : table_(table) {}
    std::array<Colour, kCount> table_{};
};

}  // namespace gdi
