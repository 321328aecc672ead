#include "ClipFixture.h"

#include "platform/video/FfmpegHandles.h"

#include <QFile>

#include <cstdio>

namespace {

constexpr int kSoundRate = 8000;

// The muxer is declared first so that it is freed last.
struct Output {
    ffmpeg::FormatOutput format;
    ffmpeg::CodecContext codec;
    ffmpeg::CodecContext sound;
    ffmpeg::Frame samples;
    ffmpeg::Frame frame;
    ffmpeg::Packet packet;
    ffmpeg::ScaleContext scaler;
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
        const int got = avcodec_receive_packet(codec, out.packet.get());
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            return true;
        if (got < 0)
            return fail("encoding", got);
        av_packet_rescale_ts(out.packet.get(), codec->time_base, stream->time_base);
        out.packet->stream_index = stream->index;
        if (const int written = av_interleaved_write_frame(out.format.get(), out.packet.get()); written < 0)
            return fail("writing", written);
    }
}

AVStream* addSound(Output& out)
{
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
    AVStream* stream = avformat_new_stream(out.format.get(), nullptr);
    out.sound.reset(avcodec_alloc_context3(encoder));
    out.sound->sample_fmt = AV_SAMPLE_FMT_S16;
    out.sound->sample_rate = kSoundRate;
    out.sound->time_base = AVRational{1, kSoundRate};
    AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
    av_channel_layout_copy(&out.sound->ch_layout, &mono);
    if (avcodec_open2(out.sound.get(), encoder, nullptr) < 0)
        return nullptr;
    avcodec_parameters_from_context(stream->codecpar, out.sound.get());
    stream->time_base = out.sound->time_base;
    return stream;
}

// The sound of one picture's time: a quiet 440 Hz tone.
bool writeSound(Output& out, AVStream* stream, int index, int framesPerSecond)
{
    const int count = kSoundRate / framesPerSecond;
    out.samples.reset(av_frame_alloc());
    out.samples->format = AV_SAMPLE_FMT_S16;
    out.samples->sample_rate = kSoundRate;
    out.samples->nb_samples = count;
    av_channel_layout_copy(&out.samples->ch_layout, &out.sound->ch_layout);
    av_frame_get_buffer(out.samples.get(), 0);
    auto* data = reinterpret_cast<int16_t*>(out.samples->data[0]);
    for (int i = 0; i < count; ++i)
        data[i] = int16_t(((index * count + i) * 440 / kSoundRate) % 2 ? 300 : -300);
    out.samples->pts = int64_t(index) * count;
    return avcodec_send_frame(out.sound.get(), out.samples.get()) >= 0 && drain(out, out.sound.get(), stream);
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
    AVFormatContext* muxer = nullptr;
    if (avformat_alloc_output_context2(&muxer, nullptr, "avi", name.constData()) < 0)
        return fail("no AVI muxer");
    out.format.reset(muxer);
    const bool motionJpeg = spec.codec == ClipCodec::MotionJpeg;
    const AVCodecID id = motionJpeg                       ? AV_CODEC_ID_MJPEG
                         : spec.codec == ClipCodec::Mpeg4 ? AV_CODEC_ID_MPEG4
                                                          : AV_CODEC_ID_RAWVIDEO;
    const AVCodec* encoder = avcodec_find_encoder(id);
    if (!encoder)
        return fail("no encoder");
    AVStream* stream = avformat_new_stream(out.format.get(), nullptr);
    out.codec.reset(avcodec_alloc_context3(encoder));
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
    if (const int opened = avcodec_open2(out.codec.get(), encoder, nullptr); opened < 0)
        return fail("opening the encoder", opened);
    avcodec_parameters_from_context(stream->codecpar, out.codec.get());
    stream->time_base = out.codec->time_base;
    AVStream* soundStream = spec.withSound ? addSound(out) : nullptr;
    if (spec.withSound && !soundStream)
        return fail("no sound encoder");
    if (const int opened = avio_open(&out.format->pb, name.constData(), AVIO_FLAG_WRITE); opened < 0)
        return fail("creating the file", opened);
    if (const int header = avformat_write_header(out.format.get(), nullptr); header < 0)
        return fail("writing the header", header);
    out.frame.reset(av_frame_alloc());
    out.packet.reset(av_packet_alloc());
    out.frame->format = out.codec->pix_fmt;
    out.frame->width = spec.size.width();
    out.frame->height = spec.size.height();
    av_frame_get_buffer(out.frame.get(), 0);
    out.scaler.reset(sws_getContext(spec.size.width(), spec.size.height(), AV_PIX_FMT_RGB32, spec.size.width(),
                                    spec.size.height(), out.codec->pix_fmt, SWS_POINT, nullptr, nullptr, nullptr));
    // Motion JPEG pictures use the full range of levels, as cameras write them.
    const int* coefficients = sws_getCoefficients(SWS_CS_DEFAULT);
    sws_setColorspaceDetails(out.scaler.get(), coefficients, 1, coefficients, motionJpeg ? 1 : 0, 0, 1 << 16,
                             1 << 16);
    for (int i = 0; i < spec.frameCount; ++i) {
        const QImage picture = painter(i, spec.size).convertToFormat(QImage::Format_RGB32);
        av_frame_make_writable(out.frame.get());
        const uint8_t* planes[1] = {picture.constBits()};
        const int strides[1] = {int(picture.bytesPerLine())};
        sws_scale(out.scaler.get(), planes, strides, 0, spec.size.height(), out.frame->data, out.frame->linesize);
        out.frame->pts = i;
        if (avcodec_send_frame(out.codec.get(), out.frame.get()) < 0 || !drain(out, out.codec.get(), stream))
            return fail("encoding a frame");
        if (soundStream && !writeSound(out, soundStream, i, spec.framesPerSecond))
            return fail("encoding the sound");
    }
    avcodec_send_frame(out.codec.get(), nullptr);
    if (!drain(out, out.codec.get(), stream))
        return false;
    if (soundStream) {
        avcodec_send_frame(out.sound.get(), nullptr);
        if (!drain(out, out.sound.get(), soundStream))
            return false;
    }
    if (const int trailer = av_write_trailer(out.format.get()); trailer < 0)
        return fail("writing the index", trailer);
    return true;
}
