#include "platform/sound/AlsaPcm.h"

PcmHandle openPlaybackPcm(const QByteArray& name, int& error)
{
    snd_pcm_t* raw = nullptr;
    error = snd_pcm_open(&raw, name.constData(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    return PcmHandle(error < 0 ? nullptr : raw);
}

int setPlaybackParams(snd_pcm_t* pcm, snd_pcm_format_t format, unsigned channels, unsigned rate)
{
    return snd_pcm_set_params(pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, channels, rate, 1,
                              kPcmLatencyMicroseconds);
}
