#pragma once

#include <QByteArray>

#include <optional>

// The playable content of a RIFF/WAVE file: its sample layout and the interleaved
// frames of the "data" chunk, cut to whole frames.
struct WaveSound {
    enum class Sample { U8, S16, S24, S32, F32 };

    Sample sample = Sample::S16;
    int channels = 0;
    int sampleRate = 0;
    QByteArray frames;

    int bytesPerFrame() const;
    qsizetype frameCount() const { return frames.size() / bytesPerFrame(); }
};

// Reads a RIFF/WAVE file's content (whatever the file was called). Uncompressed
// integer PCM of 8, 16, 24 or 32 bits and 32-bit float are accepted, also inside
// WAVE_FORMAT_EXTENSIBLE; anything else, or a file without a frame to play, gives
// nothing.
std::optional<WaveSound> parseWave(const QByteArray& content);
