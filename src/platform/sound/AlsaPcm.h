#pragma once

#include <QByteArray>

#include <alsa/asoundlib.h>

#include <functional>
#include <memory>

// The one owner of an ALSA PCM handle, for every player of the program.
struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using PcmHandle = std::unique_ptr<snd_pcm_t, PcmCloser>;

// The players' buffer: short enough that a stop is heard at once.
constexpr unsigned kPcmLatencyMicroseconds = 100000;
// How long a player waits at most for room in a full buffer before asking again
// whether it should stop.
constexpr int kPcmWaitMilliseconds = 20;

// Opens `name` for playback or capture without blocking, so that neither a busy
// device nor a stalled sound server can hold a thread beyond one wait. On failure the
// handle is empty and `error` holds ALSA's (negative) code for its caller to log.
PcmHandle openPcm(const QByteArray& name, snd_pcm_stream_t direction, int& error);

struct HwParamsCloser {
    void operator()(snd_pcm_hw_params_t* params) const { snd_pcm_hw_params_free(params); }
};
using HwParamsHandle = std::unique_ptr<snd_pcm_hw_params_t, HwParamsCloser>;

// Opens `name` for playback without blocking, so that neither a busy device nor a
// stalled sound server can hold a player's thread beyond one wait. On failure the
// handle is empty and `error` holds ALSA's (negative) code for its caller to log.
PcmHandle openPlaybackPcm(const QByteArray& name, int& error);

// Interleaved samples of the given format, resampled by ALSA where the device
// cannot take the rate; ALSA's code, negative on failure.
int setPlaybackParams(snd_pcm_t* pcm, snd_pcm_format_t format, unsigned channels, unsigned rate);

enum class PcmWriteEnd { Written, Stopped, Failed };

// Writes `frames` interleaved frames of `frameBytes` bytes each, waiting for room
// while the buffer is full and recovering from an underrun. `shouldStop` is asked
// before each write; `wrote` (may be empty) hears each piece's frame count. On
// Failed, `error` holds ALSA's code.
PcmWriteEnd writeFrames(snd_pcm_t* pcm, const char* data, qsizetype frames, qsizetype frameBytes,
                        const std::function<bool()>& shouldStop, const std::function<void(long)>& wrote,
                        int& error);
