#include "platform/capdriver/CaptureSequence.h"

#include <QtEndian>

namespace platform::capdriver {

WaveFormat WaveFormat::pcm(std::uint32_t rate, int bits, int channels)
{
    WaveFormat f;
    f.channels = std::uint16_t(channels);
    f.samplesPerSec = rate;
    f.bitsPerSample = std::uint16_t(bits);
    f.blockAlign = std::uint16_t(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    return f;
}

QByteArray WaveFormat::toRecord() const
{
    QByteArray r(kRecordSize + cbSize, '\0');
    char* p = r.data();
    qToLittleEndian<std::uint16_t>(formatTag, p);
    qToLittleEndian<std::uint16_t>(channels, p + 2);
    qToLittleEndian<std::uint32_t>(samplesPerSec, p + 4);
    qToLittleEndian<std::uint32_t>(avgBytesPerSec, p + 8);
    qToLittleEndian<std::uint16_t>(blockAlign, p + 12);
    qToLittleEndian<std::uint16_t>(bitsPerSample, p + 14);
    qToLittleEndian<std::uint16_t>(cbSize, p + 16);
    return r;
}

std::optional<WaveFormat> WaveFormat::fromRecord(const QByteArray& bytes)
{
    if (bytes.size() < kRecordSize)
        return std::nullopt;
    const char* p = bytes.constData();
    WaveFormat f;
    f.formatTag = qFromLittleEndian<std::uint16_t>(p);
    f.channels = qFromLittleEndian<std::uint16_t>(p + 2);
    f.samplesPerSec = qFromLittleEndian<std::uint32_t>(p + 4);
    f.avgBytesPerSec = qFromLittleEndian<std::uint32_t>(p + 8);
    f.blockAlign = qFromLittleEndian<std::uint16_t>(p + 12);
    f.bitsPerSample = qFromLittleEndian<std::uint16_t>(p + 14);
    f.cbSize = qFromLittleEndian<std::uint16_t>(p + 16);
    if (bytes.size() < kRecordSize + f.cbSize)
        return std::nullopt;
    return f;
}

bool WaveFormat::isUsablePcm() const
{
    return formatTag == kPcm && (bitsPerSample == 8 || bitsPerSample == 16) && (channels == 1 || channels == 2)
           && samplesPerSec >= 1000 && samplesPerSec <= 192000 && blockAlign == channels * bitsPerSample / 8
           && avgBytesPerSec == samplesPerSec * blockAlign;
}

QString WaveFormat::description() const
{
    return QStringLiteral("%1 kHz, %2 Bit, %3")
        .arg(QString::number(samplesPerSec / 1000.0, 'f', 3))
        .arg(bitsPerSample)
        .arg(channels == 1 ? "Mono" : "Stereo");
}

QString codecName(VideoCompression::Codec codec)
{
    switch (codec) {
    case VideoCompression::Codec::Uncompressed: return QStringLiteral("Full Frames (Uncompressed)");
    case VideoCompression::Codec::MotionJpeg: return QStringLiteral("Motion JPEG");
    case VideoCompression::Codec::Mpeg4: return QStringLiteral("MPEG-4 Part 2");
    }
    return {};
}

}  // namespace platform::capdriver
