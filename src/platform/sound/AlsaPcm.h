#pragma once

#include <alsa/asoundlib.h>

#include <QByteArray>

#include <memory>

// An open ALSA PCM, playback or capture, closed once with its owner. Private to
// this folder: nothing above sees ALSA.
struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using PcmHandle = std::unique_ptr<snd_pcm_t, PcmCloser>;

// Non-blocking, so that neither a busy device nor a stalled sound server can hold
// a thread beyond one wait. Null when the device cannot be opened; error then gets
// ALSA's code.
inline PcmHandle openPcm(const QByteArray& name, snd_pcm_stream_t direction, int* error = nullptr)
{
    snd_pcm_t* raw = nullptr;
    if (const int opened = snd_pcm_open(&raw, name.constData(), direction, SND_PCM_NONBLOCK); opened < 0) {
        if (error)
            *error = opened;
        return nullptr;
    }
    return PcmHandle(raw);
}

struct HwParamsCloser {
    void operator()(snd_pcm_hw_params_t* params) const { snd_pcm_hw_params_free(params); }
};
using HwParamsHandle = std::unique_ptr<snd_pcm_hw_params_t, HwParamsCloser>;
