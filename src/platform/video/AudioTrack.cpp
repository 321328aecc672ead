#include "platform/video/AudioTrack.h"

#include "platform/sound/AlsaPcm.h"
#include "platform/video/FfmpegHandles.h"
#include "platform/video/VideoLog.h"

#include <QFile>

#include <chrono>
#include <vector>

namespace {

constexpr int kChannels = 2;
// The tail is a tenth of a second; a device that takes far longer is given up.
constexpr int kDrainLimitMilliseconds = 1000;

// The decoder side: the file's sound stream turned into 16-bit stereo.
struct SoundSource {
    ffmpeg::FormatInput format;
    ffmpeg::CodecContext codec;
    ffmpeg::Resampler resampler;
    int stream = -1;

    bool open(const QString& path, qint64 fromMs)
    {
        if (!ffmpeg::load())
            return false;
        AVFormatContext* raw = nullptr;
        if (ffmpeg::fn().avformat_open_input(&raw, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
            return false;
        format.reset(raw);
        if (ffmpeg::fn().avformat_find_stream_info(raw, nullptr) < 0)
            return false;
        const AVCodec* decoder = nullptr;
        stream = ffmpeg::fn().av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
        if (stream < 0 || !decoder)
            return false;
        codec.reset(ffmpeg::fn().avcodec_alloc_context3(decoder));
        if (ffmpeg::fn().avcodec_parameters_to_context(codec.get(), raw->streams[stream]->codecpar) < 0 ||
            ffmpeg::fn().avcodec_open2(codec.get(), decoder, nullptr) < 0)
            return false;
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        SwrContext* swr = nullptr;
        if (ffmpeg::fn().swr_alloc_set_opts2(&swr, &stereo, AV_SAMPLE_FMT_S16, codec->sample_rate, &codec->ch_layout,
                                codec->sample_fmt, codec->sample_rate, 0, nullptr) < 0 ||
            ffmpeg::fn().swr_init(swr) < 0) {
            ffmpeg::fn().swr_free(&swr);
            return false;
        }
        resampler.reset(swr);
        if (fromMs > 0)
            ffmpeg::fn().av_seek_frame(raw, -1, fromMs * (AV_TIME_BASE / 1000), AVSEEK_FLAG_BACKWARD);
        return true;
    }
};

PcmHandle openDevice(const QByteArray& name, unsigned rate)
{
    int error = 0;
    PcmHandle pcm = openPlaybackPcm(name, error);
    if (!pcm) {
        qCInfo(platform::video::lcVideo) << "no sound for the video:" << snd_strerror(error);
        return nullptr;
    }
    if (error = setPlaybackParams(pcm.get(), SND_PCM_FORMAT_S16_LE, kChannels, rate); error < 0) {
        qCWarning(platform::video::lcVideo) << "the sound device refused the video's sound:" << snd_strerror(error);
        return nullptr;
    }
    return pcm;
}

// Writes all samples unless told to stop; false when the device failed.
bool writeSamples(snd_pcm_t* pcm, const int16_t* samples, int frames, const std::atomic<bool>& stop,
                  std::atomic<qint64>& total)
{
    int error = 0;
    const PcmWriteEnd end =
        writeFrames(pcm, reinterpret_cast<const char*>(samples), frames, qsizetype(kChannels * sizeof(int16_t)),
                    [&stop] { return bool(stop); }, [&total](long written) { total += written; }, error);
    return end != PcmWriteEnd::Failed;
}

// Lets the buffered tail play out while still answering a stop at once.
void drain(snd_pcm_t* pcm, const std::atomic<bool>& stop)
{
    const int started = snd_pcm_drain(pcm);
    if (started < 0 && started != -EAGAIN)
        return;
    for (int waited = 0; snd_pcm_state(pcm) == SND_PCM_STATE_DRAINING && !stop; waited += kPcmWaitMilliseconds) {
        if (waited > kDrainLimitMilliseconds)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPcmWaitMilliseconds));
    }
}

}  // namespace

void AudioTrack::start(qint64 fromMs)
{
    stop();
    stop_ = false;
    framesWritten_ = 0;
    worker_ = std::thread([this, fromMs] { run(fromMs); });
}

void AudioTrack::stop()
{
    stop_ = true;
    if (worker_.joinable())
        worker_.join();
    playing_ = false;
}

void AudioTrack::waitUntilDone()
{
    if (worker_.joinable())
        worker_.join();
}

void AudioTrack::run(qint64 fromMs)
{
    SoundSource source;
    if (!source.open(path_, fromMs))
        return;
    auto pcm = openDevice(pcmName_, unsigned(source.codec->sample_rate));
    if (!pcm)
        return;
    playing_ = true;
    ffmpeg::Packet packet(ffmpeg::fn().av_packet_alloc());
    ffmpeg::Frame frame(ffmpeg::fn().av_frame_alloc());
    std::vector<int16_t> samples;
    bool failed = false;
    while (!stop_ && !failed && ffmpeg::fn().av_read_frame(source.format.get(), packet.get()) >= 0) {
        const bool ours = packet->stream_index == source.stream;
        if (ours)
            ffmpeg::fn().avcodec_send_packet(source.codec.get(), packet.get());
        ffmpeg::fn().av_packet_unref(packet.get());
        while (ours && !stop_ && ffmpeg::fn().avcodec_receive_frame(source.codec.get(), frame.get()) == 0) {
            const int capacity = ffmpeg::fn().swr_get_out_samples(source.resampler.get(), frame->nb_samples);
            samples.resize(size_t(std::max(capacity, 0)) * kChannels);
            auto* out = reinterpret_cast<uint8_t*>(samples.data());
            const int converted = ffmpeg::fn().swr_convert(source.resampler.get(), &out, capacity,
                                              const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
            if (converted > 0 && !writeSamples(pcm.get(), samples.data(), converted, stop_, framesWritten_))
                failed = true;
        }
    }
    if (failed)
        qCWarning(platform::video::lcVideo) << "the sound device failed during the video";
    if (!stop_ && !failed)
        drain(pcm.get(), stop_);
    if (stop_ || failed)
        snd_pcm_drop(pcm.get());
    playing_ = false;
}
