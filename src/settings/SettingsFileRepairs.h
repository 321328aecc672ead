#pragma once

#include "core/SettingsModel.h"

#include <QString>

// Failure codes of a settings-file reading, numbered as BASIC's run-time errors.
namespace SettingsFailure {
inline constexpr int None = 0;
inline constexpr int Overflow = 6;
inline constexpr int FileNotFound = 53;
inline constexpr int InputPastEnd = 62;
inline constexpr int FileAccess = 75;
}  // namespace SettingsFailure

// Every character "1" of SoundsSelection switches its sound flag on; any other
// character leaves that flag alone.
void applySoundsSelection(SettingsModel& s);

// Keeps read values that the rest of the program indexes or hands on inside the
// range it can use.
void clampReadValues(SettingsModel& s);

// The repairs that follow every reading, in their order. lastFailure is the last
// failure code of the reading.
void repairAfterReading(SettingsModel& s, int lastFailure);

// Whether the file must be rebuilt with the full default set.
bool needsFullDefaults(int lastFailure, const QString& titleLine);

// The full default set; the folders, JPGQuality, SaveFileNameOptions, the stamp
// font and the shortcut keys are not part of it.
void applyFullDefaults(SettingsModel& s);

// The button colour palette, assigned on every reading.
void assignButtonPalette(SettingsModel& s);

// RGB(r, g, b) in the platform's colour format.
constexpr int32_t rgbColor(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}
