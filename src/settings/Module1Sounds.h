#pragma once

#include "core/SettingsModel.h"

#include <QString>

class SoundOutput;

// Starts the file and returns at once; a file that cannot be played plays nothing.
void PlaySoundFile(SoundOutput& output, const QString& filePath);

// The file event sound n plays: the user's own "usern.wav" in the program folder
// when there is one, else the shipped "soundn.bin".
QString EventSoundFile(const SettingsModel& s, EventSound sound);

// Plays the event's sound when its flag is on (exactly 1).
void PlayEventSound(const SettingsModel& s, SoundOutput& output, EventSound sound);
