#include "platform/video/AudioInput.h"

#include "platform/sound/SoundCapture.h"

#include <QtEndian>

#include <cmath>
#include <numbers>

namespace platform::video {

namespace {

using capdriver::AudioSource;
using capdriver::WaveFormat;

constexpr unsigned kRates[] = {8000, 11025, 22050, 44100, 48000};
constexpr double kToneHz = 1000.0;

PcmFormat pcmOf(const WaveFormat& f)
{
    return PcmFormat{f.samplesPerSec, f.bitsPerSample, f.channels};
}

class AlsaInput final : public AudioInput {
public:
    explicit AlsaInput(std::unique_ptr<SoundCapture> capture) : capture_(std::move(capture)) {}
    QByteArray read(qint64) override { return capture_->read(); }

private:
    std::unique_ptr<SoundCapture> capture_;
};

}  // namespace

QByteArray ToneInput::read(qint64 elapsedUs)
{
    const qint64 due = elapsedUs * qint64(format_.samplesPerSec) / 1000000;
    const qint64 count = std::max<qint64>(0, due - produced_);
    QByteArray out(count * format_.blockAlign, '\0');
    char* p = out.data();
    for (qint64 i = 0; i < count; ++i) {
        const double t = double(produced_ + i) / format_.samplesPerSec;
        const double v = 0.5 * std::sin(2 * std::numbers::pi * kToneHz * t);
        for (int c = 0; c < format_.channels; ++c) {
            if (format_.bitsPerSample == 8) {
                *p++ = char(quint8(std::lround(128 + 127 * v)));
            } else {
                qToLittleEndian<qint16>(qint16(std::lround(32767 * v)), p);
                p += 2;
            }
        }
    }
    produced_ += count;
    return out;
}

QList<WaveFormat> candidateAudioFormats()
{
    QList<WaveFormat> formats;
    for (unsigned rate : kRates)
        for (int bits : {8, 16})
            for (int channels : {1, 2})
                formats.append(WaveFormat::pcm(rate, bits, channels));
    return formats;
}

QList<WaveFormat> acceptedAudioFormats(AudioSource source)
{
    switch (source) {
    case AudioSource::None: return {};
    case AudioSource::Synthetic: return candidateAudioFormats();
    case AudioSource::Alsa: break;
    }
    QList<PcmFormat> wanted;
    for (const WaveFormat& f : candidateAudioFormats())
        wanted.append(pcmOf(f));
    const QList<PcmFormat> accepted = alsaCaptureFormats(wanted);
    QList<WaveFormat> formats;
    for (const PcmFormat& f : accepted)
        formats.append(WaveFormat::pcm(f.rate, f.bits, f.channels));
    return formats;
}

std::unique_ptr<AudioInput> openAudioInput(AudioSource source, const WaveFormat& format)
{
    if (!format.isUsablePcm())
        return nullptr;
    switch (source) {
    case AudioSource::None: return nullptr;
    case AudioSource::Synthetic: return std::make_unique<ToneInput>(format);
    case AudioSource::Alsa: break;
    }
    auto capture = openAlsaCapture(pcmOf(format));
    return capture ? std::make_unique<AlsaInput>(std::move(capture)) : nullptr;
}

}  // namespace platform::video
