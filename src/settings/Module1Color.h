#pragma once

#include "core/SettingsModel.h"

class QWidget;

// Shows the colour dialog over `owner` (may be null). PickedColor receives the
// chosen colour as &H00BBGGRR, or -1 when the user cancels.
void PickColor(SettingsModel& s, QWidget* owner);
