#include "platform/video/VideoEncoder.h"

extern "C" {
#include <libavutil/imgutils.h>
}

#include <algorithm>
#include <climits>

namespace platform::video {

namespace {

using capdriver::VideoCompression;

struct CodecChoice {
    AVCodecID id;
    AVPixelFormat pixels;
};

CodecChoice choiceFor(VideoCompression::Codec codec)
{
    switch (codec) {
    case VideoCompression::Codec::Uncompressed: return {AV_CODEC_ID_RAWVIDEO, AV_PIX_FMT_BGR24};
    case VideoCompression::Codec::MotionJpeg: return {AV_CODEC_ID_MJPEG, AV_PIX_FMT_YUVJ420P};
    case VideoCompression::Codec::Mpeg4: return {AV_CODEC_ID_MPEG4, AV_PIX_FMT_YUV420P};
    }
    return {AV_CODEC_ID_MJPEG, AV_PIX_FMT_YUVJ420P};
}

// One frame period as a fraction of a second, in lowest terms (40000 us -> 1/25).
AVRational framePeriod(int microSecPerFrame)
{
    AVRational period{1, 1};
    ffmpeg::fn().av_reduce(&period.num, &period.den, std::max(1, microSecPerFrame), 1000000, INT_MAX);
    return period;
}

// RGB rows to the codec's pixels. The JPEG formats are the plain YUV layout at
// full range; naming them so keeps the scaler from being rebuilt for each frame.
ffmpeg::ScaleContext makeScaler(QSize from, AVPixelFormat input, QSize to, AVPixelFormat pixels)
{
    const bool fullRange = pixels == AV_PIX_FMT_YUVJ420P;
    ffmpeg::ScaleContext scaler(ffmpeg::fn().sws_getContext(from.width(), from.height(), input, to.width(), to.height(),
                                       fullRange ? AV_PIX_FMT_YUV420P : pixels, SWS_BILINEAR, nullptr, nullptr,
                                       nullptr));
    if (scaler && fullRange) {
        const int* coefficients = ffmpeg::fn().sws_getCoefficients(SWS_CS_ITU601);
        ffmpeg::fn().sws_setColorspaceDetails(scaler.get(), coefficients, 1, coefficients, 1, 0, 1 << 16, 1 << 16);
    }
    return scaler;
}

}  // namespace

bool needsEvenSize(VideoCompression::Codec codec)
{
    return codec != VideoCompression::Codec::Uncompressed;
}

int quantiserFor(int quality)
{
    const int q = std::clamp(quality, 1, 100);
    return 31 - (q - 1) * 29 / 99;
}

Result VideoEncoder::open(const VideoCompression& compression, QSize size, int microSecPerFrame)
{
    if (Result loaded = ffmpeg::load(); !loaded)
        return loaded;
    const CodecChoice choice = choiceFor(compression.codec);
    const AVCodec* codec = ffmpeg::fn().avcodec_find_encoder(choice.id);
    if (!codec)
        return Result::failure("no encoder for " + capdriver::codecName(compression.codec));
    codec_.reset(ffmpeg::fn().avcodec_alloc_context3(codec));
    frame_.reset(ffmpeg::fn().av_frame_alloc());
    packet_.reset(ffmpeg::fn().av_packet_alloc());
    if (!codec_ || !frame_ || !packet_)
        return Result::failure("out of memory");
    // MPEG-4 and the JPEG sampling work on even sizes; uncompressed rows keep the
    // device's own size.
    size_ = needsEvenSize(compression.codec) ? QSize(size.width() & ~1, size.height() & ~1) : size;
    AVCodecContext* c = codec_.get();
    c->width = size_.width();
    c->height = size_.height();
    c->pix_fmt = choice.pixels;
    c->time_base = framePeriod(microSecPerFrame);
    c->framerate = av_inv_q(c->time_base);
    c->gop_size = compression.codec == VideoCompression::Codec::Mpeg4 ? compression.keyFrameEvery : 1;
    c->max_b_frames = 0;
    // The recording shares the machine with the device's stream and the preview:
    // one thread encodes 1280 x 720 at 40 frames a second with room to spare, and
    // a thread per core only competes with them; larger frames get a second one.
    c->thread_count = size_.width() * size_.height() > 1280 * 720 ? 2 : 1;
    if (compression.codec != VideoCompression::Codec::Uncompressed) {
        // A fixed quantiser; these encoders read it from each frame, the context's
        // value only tells the stream's headers.
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = FF_QP2LAMBDA * quantiserFor(compression.quality);
        frameQuality_ = c->global_quality;
    }
    if (choice.pixels == AV_PIX_FMT_YUVJ420P)
        c->color_range = AVCOL_RANGE_JPEG;
    int rc = ffmpeg::fn().avcodec_open2(c, codec, nullptr);
    if (rc < 0)
        return Result::failure(ffmpeg::errorText(rc));
    frame_->format = c->pix_fmt;
    frame_->width = c->width;
    frame_->height = c->height;
    rc = ffmpeg::fn().av_frame_get_buffer(frame_.get(), 0);
    if (rc < 0)
        return Result::failure(ffmpeg::errorText(rc));
    // The converter for frames of the size given is made now, before the recording's
    // clock runs, not on its first frame.
    scaler_ = makeScaler(size, AV_PIX_FMT_RGB24, size_, c->pix_fmt);
    scalerInput_ = size;
    scalerPixels_ = AV_PIX_FMT_RGB24;
    if (!warming_)
        warmUp(compression, size, microSecPerFrame);
    return Result::success();
}

void VideoEncoder::warmUp(const VideoCompression& compression, QSize size, int microSecPerFrame)
{
    // A codec's first frames cost many times a usual one (its tables and buffers are
    // made then); this takes that cost before the recording's clock starts. Codecs
    // whose frames stand alone encode a frame of their own first, before frame 0,
    // and drop its packet; MPEG-4, whose frames refer to the ones before, warms a
    // spare encoder of the same kind instead.
    QImage blank(size, QImage::Format_RGB888);
    blank.fill(Qt::gray);
    const auto drop = [](AVPacket*) { return Result::success(); };
    if (compression.codec != VideoCompression::Codec::Mpeg4) {
        encode(blank, -1, drop);
        return;
    }
    VideoEncoder spare;
    spare.warming_ = true;
    if (!spare.open(compression, size, microSecPerFrame))
        return;
    spare.encode(blank, 0, drop);
    spare.flush(drop);
}

Result VideoEncoder::encode(const QImage& image, qint64 index, const PacketSink& sink)
{
    // 24-bit RGB and the screen's 32-bit RGB (a camera's decoded frames) go to the
    // scaler as they are; anything else is made 24-bit first.
    const bool direct32 = image.format() == QImage::Format_RGB32 && Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
    const QImage rgb = image.format() == QImage::Format_RGB888 || direct32 ? image
                                                                            : image.convertToFormat(QImage::Format_RGB888);
    const AVPixelFormat input = direct32 ? AV_PIX_FMT_BGR0 : AV_PIX_FMT_RGB24;
    if (!scaler_ || rgb.size() != scalerInput_ || input != scalerPixels_) {
        scaler_ = makeScaler(rgb.size(), input, size_, codec_->pix_fmt);
        scalerInput_ = rgb.size();
        scalerPixels_ = input;
    }
    if (!scaler_)
        return Result::failure("cannot convert the frame");
    int rc = ffmpeg::fn().av_frame_make_writable(frame_.get());
    if (rc < 0)
        return Result::failure(ffmpeg::errorText(rc));
    const uint8_t* planes[1] = {rgb.constBits()};
    const int strides[1] = {int(rgb.bytesPerLine())};
    ffmpeg::fn().sws_scale(scaler_.get(), planes, strides, 0, rgb.height(), frame_->data, frame_->linesize);
    frame_->pts = index;
    frame_->quality = frameQuality_;
    rc = ffmpeg::fn().avcodec_send_frame(codec_.get(), frame_.get());
    if (rc < 0)
        return Result::failure(ffmpeg::errorText(rc));
    return drain(sink);
}

Result VideoEncoder::flush(const PacketSink& sink)
{
    const int rc = ffmpeg::fn().avcodec_send_frame(codec_.get(), nullptr);
    if (rc < 0 && rc != AVERROR_EOF)
        return Result::failure(ffmpeg::errorText(rc));
    return drain(sink);
}

Result VideoEncoder::drain(const PacketSink& sink)
{
    for (;;) {
        const int rc = ffmpeg::fn().avcodec_receive_packet(codec_.get(), packet_.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return Result::success();
        if (rc < 0)
            return Result::failure(ffmpeg::errorText(rc));
        Result written = sink(packet_.get());
        ffmpeg::fn().av_packet_unref(packet_.get());
        if (!written)
            return written;
    }
}

}  // namespace platform::video
