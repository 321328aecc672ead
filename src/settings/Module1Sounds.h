#pragma once

#include "settings/SettingsModel.h"

#include <QString>

class SoundOutput;

// The program's event sounds, numbered as their sound flags (SoundFlags[n - 1]).
enum class EventSound { Snapshot = 1, Burst = 2, AutoSave = 3, Motion = 4 };

// Starts the file and returns at once; a file that cannot be played plays nothing.
void PlaySoundFile(SoundOutput& output, const QString& filePath);

// The file event sound n plays: the user's own "usern.wav" in the program folder
// when there is one, else the shipped "soundn.bin".
QString EventSoundFile(const SettingsModel& s, EventSound sound);

// Plays the event's sound when its flag is on (exactly 1).
void PlayEventSound(const SettingsModel& s, SoundOutput& output, EventSound sound);
