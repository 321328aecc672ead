#pragma once

#include "platform/sound/SoundDevice.h"

#include <QByteArray>

// Playback through an ALSA PCM ("default" is the desktop's chosen output). The
// device is opened for each sound and closed after it, so a sound card that comes
// or goes between sounds is picked up, and a missing one costs nothing.
class AlsaSoundDevice : public SoundDevice {
public:
    explicit AlsaSoundDevice(QByteArray pcmName = "default");
    SoundOutcome play(const WaveSound& sound, const std::function<bool()>& shouldStop) override;

private:
    QByteArray pcmName_;
};
