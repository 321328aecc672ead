#pragma once

#include "platform/sound/SoundWave.h"

#include <functional>

enum class SoundOutcome { Played, Stopped, BadFile, NoDevice, DeviceError };

// One playback of a whole sound on an output device, on the player's thread.
// The device asks shouldStop often enough (every few tens of milliseconds) that a
// newer sound or the player's end never waits long for it.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual SoundOutcome play(const WaveSound& sound, const std::function<bool()>& shouldStop) = 0;
};
