#include "AviProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <QFile>

#include <memory>

namespace {

struct InputCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecCloser {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameCloser {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketCloser {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

QImage toRgb(const AVFrame* frame)
{
    QImage image(frame->width, frame->height, QImage::Format_RGB888);
    SwsContext* sws = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                     frame->height, AV_PIX_FMT_RGB24, SWS_POINT, nullptr, nullptr, nullptr);
    if (!sws)
        return {};
    uint8_t* planes[1] = {image.bits()};
    const int strides[1] = {int(image.bytesPerLine())};
    sws_scale(sws, frame->data, frame->linesize, 0, frame->height, planes, strides);
    sws_freeContext(sws);
    return image;
}

QImage firstFrame(AVFormatContext* input, int streamIndex)
{
    const AVCodecParameters* par = input->streams[streamIndex]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    std::unique_ptr<AVCodecContext, CodecCloser> dec(avcodec_alloc_context3(codec));
    avcodec_parameters_to_context(dec.get(), par);
    if (avcodec_open2(dec.get(), codec, nullptr) < 0)
        return {};
    std::unique_ptr<AVPacket, PacketCloser> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameCloser> frame(av_frame_alloc());
    while (av_read_frame(input, packet.get()) >= 0) {
        const bool ours = packet->stream_index == streamIndex && packet->size > 0;
        if (ours && avcodec_send_packet(dec.get(), packet.get()) >= 0
            && avcodec_receive_frame(dec.get(), frame.get()) >= 0) {
            av_packet_unref(packet.get());
            return toRgb(frame.get());
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(dec.get(), nullptr);
    return avcodec_receive_frame(dec.get(), frame.get()) >= 0 ? toRgb(frame.get()) : QImage();
}

}  // namespace

AviInfo probeAvi(const QString& path)
{
    AviInfo info;
    AVFormatContext* raw = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (avformat_open_input(&raw, name.constData(), nullptr, nullptr) < 0) {
        info.error = "cannot open " + path;
        return info;
    }
    std::unique_ptr<AVFormatContext, InputCloser> input(raw);
    if (avformat_find_stream_info(input.get(), nullptr) < 0) {
        info.error = "no stream info";
        return info;
    }
    int video = -1;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* st = input->streams[i];
        const AVCodecParameters* par = st->codecpar;
        if (par->codec_type == AVMEDIA_TYPE_VIDEO && video < 0) {
            video = int(i);
            info.videoCodec = avcodec_get_name(par->codec_id);
            info.fps = av_q2d(st->r_frame_rate);
            info.size = QSize(par->width, par->height);
            info.seconds = st->duration != AV_NOPTS_VALUE ? st->duration * av_q2d(st->time_base)
                                                          : double(input->duration) / AV_TIME_BASE;
        } else if (par->codec_type == AVMEDIA_TYPE_AUDIO) {
            ++info.audioStreams;
            info.audioCodec = avcodec_get_name(par->codec_id);
            info.sampleRate = par->sample_rate;
            info.channels = par->ch_layout.nb_channels;
            info.bitsPerSample = par->bits_per_coded_sample;
            // An AVI sound stream gives its length in sample blocks, as its frame count.
            if (st->duration != AV_NOPTS_VALUE)
                info.audioBytes = st->duration * par->block_align;
            else if (st->nb_frames > 0)
                info.audioBytes = st->nb_frames * par->block_align;
        }
    }
    if (video < 0) {
        info.error = "no video stream";
        return info;
    }
    info.firstFrame = firstFrame(input.get(), video);
    info.ok = !info.firstFrame.isNull();
    if (!info.ok)
        info.error = "first frame does not decode";
    return info;
}
