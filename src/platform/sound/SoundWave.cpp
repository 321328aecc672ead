#include "platform/sound/SoundWave.h"

#include <QtEndian>

#include <cstdint>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

struct FormatChunk {
    uint16_t tag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
};

uint16_t u16(const char* p) { return qFromLittleEndian<uint16_t>(p); }
uint32_t u32(const char* p) { return qFromLittleEndian<uint32_t>(p); }

std::optional<FormatChunk> readFormat(const char* p, uint32_t size)
{
    if (size < 16)
        return std::nullopt;
    FormatChunk f{u16(p), u16(p + 2), u32(p + 4), u16(p + 12), u16(p + 14)};
    // The extensible header names the real format in the first two bytes of its
    // sub-format GUID.
    if (f.tag == kFormatExtensible) {
        if (size < 40)
            return std::nullopt;
        f.tag = u16(p + 24);
    }
    return f;
}

std::optional<WaveSound::Sample> sampleOf(const FormatChunk& f)
{
    if (f.tag == kFormatFloat)
        return f.bits == 32 ? std::optional(WaveSound::Sample::F32) : std::nullopt;
    if (f.tag != kFormatPcm)
        return std::nullopt;
    switch (f.bits) {
    case 8: return WaveSound::Sample::U8;
    case 16: return WaveSound::Sample::S16;
    case 24: return WaveSound::Sample::S24;
    case 32: return WaveSound::Sample::S32;
    default: return std::nullopt;
    }
}

std::optional<WaveSound> assemble(const FormatChunk& f, QByteArray data)
{
    const auto sample = sampleOf(f);
    if (!sample || f.channels < 1 || f.channels > 8 || f.sampleRate < 1000 || f.sampleRate > 384000)
        return std::nullopt;
    WaveSound wave{*sample, f.channels, static_cast<int>(f.sampleRate), std::move(data)};
    if (f.blockAlign != wave.bytesPerFrame())
        return std::nullopt;
    wave.frames.truncate(wave.frameCount() * wave.bytesPerFrame());
    if (wave.frames.isEmpty())
        return std::nullopt;
    return wave;
}

}  // namespace

int WaveSound::bytesPerFrame() const
{
    static constexpr int bytes[] = {1, 2, 3, 4, 4};
    return bytes[static_cast<int>(sample)] * channels;
}

std::optional<WaveSound> parseWave(const QByteArray& content)
{
    if (content.size() < 12 || !content.startsWith("RIFF") || content.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<FormatChunk> format;
    qsizetype pos = 12;
    while (pos + 8 <= content.size()) {
        const char* head = content.constData() + pos;
        const QByteArray id(head, 4);
        const qsizetype body = pos + 8;
        // A data chunk that claims more than the file holds is played as far as it goes.
        const qsizetype size = std::min<qsizetype>(u32(head + 4), content.size() - body);
        if (id == "fmt ")
            format = readFormat(content.constData() + body, static_cast<uint32_t>(size));
        else if (id == "data")
            return format ? assemble(*format, content.mid(body, size)) : std::nullopt;
        pos = body + size + (size & 1);
    }
    return std::nullopt;
}
