#pragma once

#include "platform/capdriver/CaptureSequence.h"

#include <QByteArray>
#include <QList>

#include <memory>

namespace platform::video {

// The sound of a recording as it comes in, in the recording's format.
class AudioInput {
public:
    virtual ~AudioInput() = default;
    // What has come in since the last call, up to `elapsedUs` after the recording
    // began; never waits.
    virtual QByteArray read(qint64 elapsedUs) = 0;
};

// The input of a source in this format; null when the source has no device or
// refuses the format (the recording then has no sound, and goes on).
std::unique_ptr<AudioInput> openAudioInput(capdriver::AudioSource source, const capdriver::WaveFormat& format);

// Rates 8000, 11025, 22050, 44100, 48000 x 8/16 bits x mono/stereo, as the source
// accepts them.
QList<capdriver::WaveFormat> acceptedAudioFormats(capdriver::AudioSource source);
QList<capdriver::WaveFormat> candidateAudioFormats();

// The test tone: 1 kHz, half scale, exactly as many samples as the time asks for.
class ToneInput final : public AudioInput {
public:
    explicit ToneInput(const capdriver::WaveFormat& format) : format_(format) {}
    QByteArray read(qint64 elapsedUs) override;

private:
    capdriver::WaveFormat format_;
    qint64 produced_ = 0;
};

}  // namespace platform::video
