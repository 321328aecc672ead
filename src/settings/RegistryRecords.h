#pragma once

#include "settings/Registry.h"
#include "core/SettingsModel.h"

// The program's records in the per-user store: its location and version for outside
// use, the main window's position and size, the AVI index size and the date pattern.

// "1.0.0": major, minor and revision joined by ".".
QString programVersionText();

// Writes Path, Version, EXE, the window values and B_IndexSize (a size below 1 is
// first set to 324000). The caller copies the window's geometry into the model first.
void SaveRegistry(SettingsModel& s, Registry& reg);

// Reads Top, Left, Height, Width in this order. Stops at the first value that is
// missing or not a number and returns false; the values read before it stay set and
// the size repairs are skipped.
bool LoadWindowPosition(SettingsModel& s, Registry& reg);

// The start-up's part: writes Path, Version and EXE, reads and repairs BIndexSize
// and DateFormat, writing repaired values back at once.
void loadStartupRecords(SettingsModel& s, Registry& reg);
