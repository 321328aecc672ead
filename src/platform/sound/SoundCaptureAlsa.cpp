#include "platform/sound/SoundCapture.h"

#include "platform/sound/AlsaPcm.h"
#include "platform/sound/SoundLog.h"

namespace {

constexpr unsigned kLatencyMicroseconds = 200000;

snd_pcm_format_t alsaFormat(const PcmFormat& f)
{
    return f.bits == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
}

class AlsaCapture final : public SoundCapture {
public:
    AlsaCapture(PcmHandle pcm, const PcmFormat& format)
        : pcm_(std::move(pcm)), frameBytes_(format.channels * format.bits / 8)
    {
    }

    QByteArray read() override
    {
        QByteArray out;
        char chunk[4096];
        const snd_pcm_uframes_t chunkFrames = sizeof chunk / frameBytes_;
        for (;;) {
            const snd_pcm_sframes_t got = snd_pcm_readi(pcm_.get(), chunk, chunkFrames);
            if (got == -EAGAIN)
                return out;
            if (got < 0) {
                if (snd_pcm_recover(pcm_.get(), int(got), 1) < 0)
                    return out;
                snd_pcm_start(pcm_.get());
                continue;
            }
            out.append(chunk, qsizetype(got) * frameBytes_);
            if (snd_pcm_uframes_t(got) < chunkFrames)
                return out;
        }
    }

private:
    PcmHandle pcm_;
    int frameBytes_;
};

bool accepts(snd_pcm_t* pcm, snd_pcm_hw_params_t* any, const PcmFormat& f)
{
    snd_pcm_hw_params_t* trial = nullptr;
    if (snd_pcm_hw_params_malloc(&trial) < 0)
        return false;
    HwParamsHandle owned(trial);
    snd_pcm_hw_params_copy(trial, any);
    unsigned rate = f.rate;
    return snd_pcm_hw_params_set_access(pcm, trial, SND_PCM_ACCESS_RW_INTERLEAVED) >= 0
           && snd_pcm_hw_params_set_format(pcm, trial, alsaFormat(f)) >= 0
           && snd_pcm_hw_params_set_channels(pcm, trial, unsigned(f.channels)) >= 0
           && snd_pcm_hw_params_set_rate(pcm, trial, rate, 0) >= 0;
}

}  // namespace

std::unique_ptr<SoundCapture> openAlsaCapture(const PcmFormat& format, const QByteArray& device)
{
    int error = 0;
    PcmHandle pcm = openPcm(device, SND_PCM_STREAM_CAPTURE, error);
    if (!pcm) {
        // No capture device means a recording without sound, not a failure.
        qCInfo(lcSound).noquote() << "opening capture device" << device << "failed:" << snd_strerror(error);
        return nullptr;
    }
    // No resampling: the file carries what the device really delivers.
    if (snd_pcm_set_params(pcm.get(), alsaFormat(format), SND_PCM_ACCESS_RW_INTERLEAVED, unsigned(format.channels),
                           format.rate, 0, kLatencyMicroseconds) < 0
        || snd_pcm_start(pcm.get()) < 0)
        return nullptr;
    return std::make_unique<AlsaCapture>(std::move(pcm), format);
}

QList<PcmFormat> alsaCaptureFormats(const QList<PcmFormat>& candidates, const QByteArray& device)
{
    QList<PcmFormat> accepted;
    int error = 0;
    PcmHandle pcm = openPcm(device, SND_PCM_STREAM_CAPTURE, error);
    snd_pcm_hw_params_t* any = nullptr;
    if (!pcm || snd_pcm_hw_params_malloc(&any) < 0)
        return accepted;
    HwParamsHandle owned(any);
    if (snd_pcm_hw_params_any(pcm.get(), any) < 0)
        return accepted;
    for (const PcmFormat& f : candidates)
        if (accepts(pcm.get(), any, f))
            accepted.append(f);
    return accepted;
}
