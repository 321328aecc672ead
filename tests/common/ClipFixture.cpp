#include "ClipFixture.h"

#include <QFile>

#include <cstdio>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int kSoundRate = 8000;

struct Output {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVCodecContext* sound = nullptr;
    AVFrame* samples = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scaler = nullptr;
    ~Output()
    {
        sws_freeContext(scaler);
        av_packet_free(&packet);
        av_frame_free(&frame);
        av_frame_free(&samples);
        avcodec_free_context(&codec);
        avcodec_free_context(&sound);
        if (format && format->pb)
            avio_closep(&format->pb);
        avformat_free_context(format);
    }
};

bool fail(const char* what, int error = 0)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    std::fprintf(stderr, "clip fixture: %s %s\n", what, error ? text : "");
    return false;
}

bool drain(Output& out, AVCodecContext* codec, AVStream* stream)
{
    for (;;) {
        const int got = avcodec_receive_packet(codec, out.packet);
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            return true;
        if (got < 0)
            return fail("encoding", got);
        av_packet_rescale_ts(out.packet, codec->time_base, stream->time_base);
        out.packet->stream_index = stream->index;
        if (const int written = av_interleaved_write_frame(out.format, out.packet); written < 0)
            return fail("writing", written);
    }
}

AVStream* addSound(Output& out)
{
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
    AVStream* stream = avformat_new_stream(out.format, nullptr);
    out.sound = avcodec_alloc_context3(encoder);
    out.sound->sample_fmt = AV_SAMPLE_FMT_S16;
    out.sound->sample_rate = kSoundRate;
    out.sound->time_base = AVRational{1, kSoundRate};
    AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
    av_channel_layout_copy(&out.sound->ch_layout, &mono);
    if (avcodec_open2(out.sound, encoder, nullptr) < 0)
        return nullptr;
    avcodec_parameters_from_context(stream->codecpar, out.sound);
    stream->time_base = out.sound->time_base;
    return stream;
}

// The sound of one picture's time: a quiet 440 Hz tone.
bool writeSound(Output& out, AVStream* stream, int index, int framesPerSecond)
{
    const int count = kSoundRate / framesPerSecond;
    av_frame_free(&out.samples);
    out.samples = av_frame_alloc();
    out.samples->format = AV_SAMPLE_FMT_S16;
    out.samples->sample_rate = kSoundRate;
    out.samples->nb_samples = count;
    av_channel_layout_copy(&out.samples->ch_layout, &out.sound->ch_layout);
    av_frame_get_buffer(out.samples, 0);
    auto* data = reinterpret_cast<int16_t*>(out.samples->data[0]);
    for (int i = 0; i < count; ++i)
        data[i] = int16_t(((index * count + i) * 440 / kSoundRate) % 2 ? 300 : -300);
    out.samples->pts = int64_t(index) * count;
    return avcodec_send_frame(out.sound, out.samples) >= 0 && drain(out, out.sound, stream);
}

}  // namespace

QImage greyFrame(int index, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    const int grey = std::min(255, 8 * index);
    image.fill(qRgb(grey, grey, grey));
    return image;
}

int greyAtCentre(const QImage& picture)
{
    return qGray(picture.pixel(picture.width() / 2, picture.height() / 2));
}

bool writeClip(const QString& path, const ClipSpec& spec, const FramePainter& painter)
{
    Output out;
    const QByteArray name = QFile::encodeName(path);
    if (avformat_alloc_output_context2(&out.format, nullptr, "avi", name.constData()) < 0)
        return fail("no AVI muxer");
    const bool motionJpeg = spec.codec == ClipCodec::MotionJpeg;
    const AVCodecID id = motionJpeg                       ? AV_CODEC_ID_MJPEG
                         : spec.codec == ClipCodec::Mpeg4 ? AV_CODEC_ID_MPEG4
                                                          : AV_CODEC_ID_RAWVIDEO;
    const AVCodec* encoder = avcodec_find_encoder(id);
    if (!encoder)
        return fail("no encoder");
    AVStream* stream = avformat_new_stream(out.format, nullptr);
    out.codec = avcodec_alloc_context3(encoder);
    out.codec->width = spec.size.width();
    out.codec->height = spec.size.height();
    out.codec->time_base = AVRational{1, spec.framesPerSecond};
    out.codec->framerate = AVRational{spec.framesPerSecond, 1};
    out.codec->pix_fmt = motionJpeg                       ? AV_PIX_FMT_YUVJ420P
                         : spec.codec == ClipCodec::Mpeg4 ? AV_PIX_FMT_YUV420P
                                                          : AV_PIX_FMT_BGR24;
    if (spec.codec != ClipCodec::Raw) {
        out.codec->flags |= AV_CODEC_FLAG_QSCALE;
        out.codec->global_quality = FF_QP2LAMBDA * 3;
        out.codec->gop_size = 10;
        out.codec->max_b_frames = 0;
    }
    if (const int opened = avcodec_open2(out.codec, encoder, nullptr); opened < 0)
        return fail("opening the encoder", opened);
    avcodec_parameters_from_context(stream->codecpar, out.codec);
    stream->time_base = out.codec->time_base;
    AVStream* soundStream = spec.withSound ? addSound(out) : nullptr;
    if (spec.withSound && !soundStream)
        return fail("no sound encoder");
    if (const int opened = avio_open(&out.format->pb, name.constData(), AVIO_FLAG_WRITE); opened < 0)
        return fail("creating the file", opened);
    if (const int header = avformat_write_header(out.format, nullptr); header < 0)
        return fail("writing the header", header);
    out.frame = av_frame_alloc();
    out.packet = av_packet_alloc();
    out.frame->format = out.codec->pix_fmt;
    out.frame->width = spec.size.width();
    out.frame->height = spec.size.height();
    av_frame_get_buffer(out.frame, 0);
    out.scaler = sws_getContext(spec.size.width(), spec.size.height(), AV_PIX_FMT_RGB32, spec.size.width(),
                                spec.size.height(), out.codec->pix_fmt, SWS_POINT, nullptr, nullptr, nullptr);
    // Motion JPEG pictures use the full range of levels, as cameras write them.
    const int* coefficients = sws_getCoefficients(SWS_CS_DEFAULT);
    sws_setColorspaceDetails(out.scaler, coefficients, 1, coefficients, motionJpeg ? 1 : 0, 0, 1 << 16,
                             1 << 16);
    for (int i = 0; i < spec.frameCount; ++i) {
        const QImage picture = painter(i, spec.size).convertToFormat(QImage::Format_RGB32);
        av_frame_make_writable(out.frame);
        const uint8_t* planes[1] = {picture.constBits()};
        const int strides[1] = {int(picture.bytesPerLine())};
        sws_scale(out.scaler, planes, strides, 0, spec.size.height(), out.frame->data, out.frame->linesize);
        out.frame->pts = i;
        if (avcodec_send_frame(out.codec, out.frame) < 0 || !drain(out, out.codec, stream))
            return fail("encoding a frame");
        if (soundStream && !writeSound(out, soundStream, i, spec.framesPerSecond))
            return fail("encoding the sound");
    }
    avcodec_send_frame(out.codec, nullptr);
    if (!drain(out, out.codec, stream))
        return false;
    if (soundStream) {
        avcodec_send_frame(out.sound, nullptr);
        if (!drain(out, out.sound, soundStream))
            return false;
    }
    if (const int trailer = av_write_trailer(out.format); trailer < 0)
        return fail("writing the index", trailer);
    return true;
}
