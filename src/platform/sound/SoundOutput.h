#pragma once

#include <QString>

#include <memory>

// Plays sound files for the program's events. play() returns at once; a sound
// that cannot be played (no device, not a sound file) is silently skipped.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts the file, ending whatever sound is still playing.
    virtual void play(const QString& filePath) = 0;
};

// The program's sound output: the system's default ALSA device.
std::unique_ptr<SoundOutput> makeSoundOutput();
