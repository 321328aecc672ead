#include "platform/video/AviMuxer.h"

#include <QFile>

namespace platform::video {

Result AviMuxer::open(const QString& path)
{
    if (Result loaded = ffmpeg::load(); !loaded)
        return loaded;
    AVFormatContext* raw = nullptr;
    const int rc = ffmpeg::fn().avformat_alloc_output_context2(&raw, nullptr, "avi", nullptr);
    if (rc < 0 || !raw)
        return Result::failure(ffmpeg::errorText(rc));
    context_.reset(raw);
    path_ = path;
    return Result::success();
}

int AviMuxer::addVideo(const AVCodecContext& encoder)
{
    AVStream* stream = ffmpeg::fn().avformat_new_stream(context_.get(), nullptr);
    if (!stream)
        return -1;
    ffmpeg::fn().avcodec_parameters_from_context(stream->codecpar, &encoder);
    stream->time_base = encoder.time_base;
    stream->avg_frame_rate = av_inv_q(encoder.time_base);
    return stream->index;
}

int AviMuxer::addAudio(const capdriver::WaveFormat& format)
{
    AVStream* stream = ffmpeg::fn().avformat_new_stream(context_.get(), nullptr);
    if (!stream)
        return -1;
    AVCodecParameters* p = stream->codecpar;
    p->codec_type = AVMEDIA_TYPE_AUDIO;
    p->codec_id = format.bitsPerSample == 8 ? AV_CODEC_ID_PCM_U8 : AV_CODEC_ID_PCM_S16LE;
    p->sample_rate = int(format.samplesPerSec);
    ffmpeg::fn().av_channel_layout_default(&p->ch_layout, format.channels);
    p->bits_per_coded_sample = format.bitsPerSample;
    p->block_align = format.blockAlign;
    p->bit_rate = qint64(format.avgBytesPerSec) * 8;
    stream->time_base = AVRational{1, int(format.samplesPerSec)};
    return stream->index;
}

Result AviMuxer::begin()
{
    const QByteArray name = QFile::encodeName(path_);
    int rc = ffmpeg::fn().avio_open(&context_->pb, name.constData(), AVIO_FLAG_WRITE);
    if (rc < 0)
        return Result::failure(ffmpeg::errorText(rc));
    rc = ffmpeg::fn().avformat_write_header(context_.get(), nullptr);
    if (rc < 0) {
        ffmpeg::fn().avio_closep(&context_->pb);
        QFile::remove(path_);
        return Result::failure(ffmpeg::errorText(rc));
    }
    begun_ = true;
    return Result::success();
}

Result AviMuxer::write(AVPacket* packet, int stream, AVRational from)
{
    packet->stream_index = stream;
    ffmpeg::fn().av_packet_rescale_ts(packet, from, context_->streams[stream]->time_base);
    const int rc = ffmpeg::fn().av_interleaved_write_frame(context_.get(), packet);
    if (rc < 0)
        return Result::failure(ffmpeg::errorText(rc));
    if (context_->pb->error < 0)
        return Result::failure(ffmpeg::errorText(context_->pb->error));
    return Result::success();
}

Result AviMuxer::finish()
{
    if (!begun_)
        return Result::failure("not begun");
    begun_ = false;
    int rc = ffmpeg::fn().av_write_trailer(context_.get());
    if (rc >= 0)
        ffmpeg::fn().avio_flush(context_->pb);
    if (rc >= 0 && context_->pb->error < 0)
        rc = context_->pb->error;
    const int closed = ffmpeg::fn().avio_closep(&context_->pb);
    if (rc >= 0)
        rc = closed;
    return rc < 0 ? Result::failure(ffmpeg::errorText(rc)) : Result::success();
}

}  // namespace platform::video
