#include "platform/sound/AlsaPcm.h"

PcmHandle openPcm(const QByteArray& name, snd_pcm_stream_t direction, int& error)
{
    snd_pcm_t* raw = nullptr;
    error = snd_pcm_open(&raw, name.constData(), direction, SND_PCM_NONBLOCK);
    return PcmHandle(error < 0 ? nullptr : raw);
}

PcmHandle openPlaybackPcm(const QByteArray& name, int& error)
{
    return openPcm(name, SND_PCM_STREAM_PLAYBACK, error);
}

int setPlaybackParams(snd_pcm_t* pcm, snd_pcm_format_t format, unsigned channels, unsigned rate)
{
    return snd_pcm_set_params(pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, channels, rate, 1,
                              kPcmLatencyMicroseconds);
}

PcmWriteEnd writeFrames(snd_pcm_t* pcm, const char* data, qsizetype frames, qsizetype frameBytes,
                        const std::function<bool()>& shouldStop, const std::function<void(long)>& wrote,
                        int& error)
{
    qsizetype done = 0;
    while (done < frames) {
        if (shouldStop())
            return PcmWriteEnd::Stopped;
        const auto written =
            snd_pcm_writei(pcm, data + done * frameBytes, static_cast<snd_pcm_uframes_t>(frames - done));
        if (written == -EAGAIN)
            snd_pcm_wait(pcm, kPcmWaitMilliseconds);
        else if (written < 0 && snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) {
            error = static_cast<int>(written);
            return PcmWriteEnd::Failed;
        }
        else if (written > 0) {
            done += written;
            if (wrote)
                wrote(written);
        }
    }
    return PcmWriteEnd::Written;
}
