#include "platform/video/VideoDecoder.h"

#include "platform/video/FfmpegHandles.h"
#include "platform/video/MciCommand.h"
#include "platform/video/VideoLog.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <array>
#include <deque>
#include <cmath>
#include <mutex>
#include <vector>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {

QString avReason(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    ffmpeg::fn().av_strerror(error, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

// The full-range ("J") formats of Motion JPEG are the plain ones with the range
// given separately, which is how the scaler wants them. `fullRange` keeps what
// the frame said and becomes true for a "J" format.
AVPixelFormat plainFormat(AVPixelFormat format, bool& fullRange)
{
    const bool jpegRange = format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P ||
                           format == AV_PIX_FMT_YUVJ444P || format == AV_PIX_FMT_YUVJ440P;
    fullRange = fullRange || jpegRange;
    switch (format) {
    case AV_PIX_FMT_YUVJ420P: return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P: return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P: return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P: return AV_PIX_FMT_YUV440P;
    default: break;
    }
    return format;
}

// A jump forward of more than this many frames seeks instead of decoding through.
constexpr qint64 kDecodeAheadFrames = 48;

// A damaged clip makes the decoder report every damaged picture it meets; the
// first report of each opened clip is logged, the rest are dropped.
std::atomic<bool> g_decoderErrorLogged{false};

bool fromDecoder(void* object)
{
    const AVClass* cls = object ? *static_cast<const AVClass* const*>(object) : nullptr;
    if (!cls || std::strcmp(cls->class_name, "AVCodecContext") != 0)
        return false;
    const AVCodec* codec = static_cast<const AVCodecContext*>(object)->codec;
    return codec && ffmpeg::fn().av_codec_is_decoder(codec);
}

extern "C" void logFfmpeg(void* object, int level, const char* format, va_list arguments)
{
    if (level > ffmpeg::fn().av_log_get_level())
        return;
    if (!fromDecoder(object)) {
        ffmpeg::fn().av_log_default_callback(object, level, format, arguments);
        return;
    }
    if (g_decoderErrorLogged.exchange(true))
        return;
    char line[1024] = {};
    int printPrefix = 1;
    ffmpeg::fn().av_log_format_line2(object, level, format, arguments, line, sizeof line, &printPrefix);
    qCWarning(platform::video::lcVideo).noquote() << QString::fromUtf8(line).trimmed()
                                                  << "(further decoder errors of this clip are not logged)";
}

}  // namespace

struct VideoDecoder::Impl {
    ffmpeg::FormatInput format;
    ffmpeg::CodecContext codec;
    ffmpeg::Frame decoded{ffmpeg::fn().av_frame_alloc()};  // newest frame out of the decoder
    ffmpeg::Frame scratch{ffmpeg::fn().av_frame_alloc()};
    ffmpeg::Packet packet{ffmpeg::fn().av_packet_alloc()};
    // The newest packets passed over undecoded, oldest first: should the file end
    // before the wanted frame, the last of them that decodes is the last picture
    // the file holds (the very last one of a cut-off file is often damaged).
    std::deque<ffmpeg::Packet> passed;
    ffmpeg::ScaleContext scaler;
    struct ScalerKey {
        int width = 0, height = 0, format = -1;
        QSize size;
        bool operator==(const ScalerKey&) const = default;
    } scalerKey;
    int stream = -1;
    AVRational timeBase{1, 1};
    double fps = 25;
    qint64 frames = 0;
    qint64 startPts = 0;
    bool intraOnly = false;
    qint64 nextIndex = 0;  // index of the frame the decoder gives next
    bool decodedValid = false;
    qint64 decodedIndex = -1;  // the frame in `decoded`
    bool drained = false;  // the end of the file was handed to the decoder
    bool refusalLogged = false;  // a damaged clip tells it once, not at every frame
    QImage shown;
    qint64 shownIndex = -1;

    qint64 indexOfPts(int64_t pts) const
    {
        return std::llround(double(pts - startPts) * av_q2d(timeBase) * fps);
    }
    int64_t ptsOfIndex(qint64 index) const
    {
        return startPts + static_cast<int64_t>(std::llround(double(index) / fps / av_q2d(timeBase)));
    }
    qint64 framesFound(bool fromIndex);
    void seekTo(qint64 index);
    bool decodeUpTo(qint64 index);
    bool readPacket(qint64 index);
    void pass(AVPacket& skipped);
    void decodePassedAtEnd();
    QImage convert(QSize size);
    QImage& freeImage(QSize size);

    // Pictures handed out earlier; one that nobody holds any more is written
    // again, which spares a fresh allocation (and its page faults) per frame.
    std::array<QImage, 3> pool;
};

VideoDecoder::VideoDecoder() : d_(std::make_unique<Impl>()) {}
VideoDecoder::~VideoDecoder() = default;

platform::Result VideoDecoder::open(const QString& path)
{
    // The libraries' own notes on recoverable damage (a missing end marker, a
    // repaired index) would flood standard error during playback.
    if (platform::Result loaded = ffmpeg::load(); !loaded)
        return loaded;
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        ffmpeg::fn().av_log_set_level(AV_LOG_ERROR);
        ffmpeg::fn().av_log_set_callback(logFfmpeg);
    });
    g_decoderErrorLogged = false;
    if (!QFileInfo(path).isFile())
        return platform::Result::failure("no such file: " + path, kMciFileNotFound);
    AVFormatContext* raw = nullptr;
    if (const int error = ffmpeg::fn().avformat_open_input(&raw, QFile::encodeName(path).constData(), nullptr, nullptr);
        error < 0)
        return platform::Result::failure(avReason(error), kMciInvalidFile);
    d_->format.reset(raw);
    // What the file's own index holds, before any reading adds to it.
    std::vector<int> indexed;
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        indexed.push_back(ffmpeg::fn().avformat_index_get_entries_count(raw->streams[i]));
    if (const int error = ffmpeg::fn().avformat_find_stream_info(raw, nullptr); error < 0)
        return platform::Result::failure(avReason(error), kMciInvalidFile);
    const AVCodec* codec = nullptr;
    d_->stream = ffmpeg::fn().av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (d_->stream < 0 || !codec)
        return platform::Result::failure("no video stream that can be decoded", kMciInvalidFile);
    AVStream* st = raw->streams[d_->stream];
    d_->codec.reset(ffmpeg::fn().avcodec_alloc_context3(codec));
    if (const int error = ffmpeg::fn().avcodec_parameters_to_context(d_->codec.get(), st->codecpar); error < 0)
        return platform::Result::failure(avReason(error), kMciInvalidFile);
    // Codecs that decode frames (or slices) in parallel do so on every core; the
    // others (Motion JPEG in this FFmpeg) decode on the calling thread.
    d_->codec->thread_count = 0;
    d_->codec->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (const int error = ffmpeg::fn().avcodec_open2(d_->codec.get(), codec, nullptr); error < 0)
        return platform::Result::failure(avReason(error), kMciInvalidFile);
    d_->timeBase = st->time_base;
    const AVRational rate = ffmpeg::fn().av_guess_frame_rate(raw, st, nullptr);
    d_->fps = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 25.0;
    d_->startPts = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    if (st->nb_frames > 0)
        d_->frames = st->nb_frames;
    else if (st->duration != AV_NOPTS_VALUE)
        d_->frames = std::llround(double(st->duration) * av_q2d(st->time_base) * d_->fps);
    else if (raw->duration != AV_NOPTS_VALUE)
        d_->frames = std::llround(double(raw->duration) / AV_TIME_BASE * d_->fps);
    if (const qint64 found = d_->framesFound(size_t(d_->stream) < indexed.size() && indexed[size_t(d_->stream)] > 0);
        found > 0)
        d_->frames = found;
    const AVCodecDescriptor* descriptor = ffmpeg::fn().avcodec_descriptor_get(codec->id);
    d_->intraOnly = descriptor && (descriptor->props & AV_CODEC_PROP_INTRA_ONLY);
    if (d_->frames <= 0 || d_->codec->width <= 0 || d_->codec->height <= 0)
        return platform::Result::failure("the video stream holds no frames", kMciInvalidFile);
    return platform::Result::success();
}

qint64 VideoDecoder::frameCount() const
{
    return d_->frames;
}

double VideoDecoder::frameRate() const
{
    return d_->fps;
}

qint64 VideoDecoder::lengthMs() const
{
    return std::llround(double(d_->frames) * 1000.0 / d_->fps);
}

QSize VideoDecoder::frameSize() const
{
    return d_->codec ? QSize(d_->codec->width, d_->codec->height) : QSize();
}

qint64 VideoDecoder::frameIndexAt(qint64 positionMs) const
{
    const auto index = static_cast<qint64>(std::floor(double(positionMs) * d_->fps / 1000.0 + 1e-6));
    return std::clamp<qint64>(index, 0, std::max<qint64>(0, d_->frames - 1));
}

QImage VideoDecoder::frame(qint64 index, QSize size)
{
    if (!d_->codec)
        return {};
    index = std::clamp<qint64>(index, 0, d_->frames - 1);
    if (size.isEmpty())
        size = frameSize();
    if (index == d_->shownIndex && d_->shown.size() == size)
        return d_->shown;
    if (d_->decodedValid && index == d_->decodedIndex) {  // the same frame at another size
        d_->shown = d_->convert(size);
        d_->shownIndex = index;
        return d_->shown;
    }
    const bool behind = index < d_->nextIndex;
    const bool farAhead = index > d_->nextIndex + kDecodeAheadFrames;
    if (behind || farAhead)
        d_->seekTo(index);
    if (!d_->decodeUpTo(index) && !d_->decodedValid)
        return {};
    d_->shown = d_->convert(size);
    d_->shownIndex = index;
    return d_->shown;
}

// The frames the file holds, from its index, or for a file without one (a
// recording cut off by a kill or a power cut) by reading it through, as FFmpeg's
// own tools do; the header's count may promise more than reached the disk. 0 when
// nothing was found.
qint64 VideoDecoder::Impl::framesFound(bool fromIndex)
{
    AVStream* st = format->streams[stream];
    if (const int entries = ffmpeg::fn().avformat_index_get_entries_count(st); fromIndex && entries > 0) {
        const AVIndexEntry* last = ffmpeg::fn().avformat_index_get_entry(st, entries - 1);
        return last ? indexOfPts(last->timestamp) + 1 : 0;
    }
    qint64 found = 0;
    while (ffmpeg::fn().av_read_frame(format.get(), packet.get()) >= 0) {
        // A picture the end of the file cut short is no frame the clip holds.
        if (packet->stream_index == stream && !(packet->flags & AV_PKT_FLAG_CORRUPT)) {
            const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            found = std::max(found + 1, pts != AV_NOPTS_VALUE ? indexOfPts(pts) + 1 : 0);
        }
        ffmpeg::fn().av_packet_unref(packet.get());
    }
    seekTo(0);
    return found;
}

void VideoDecoder::Impl::seekTo(qint64 index)
{
    const int error = ffmpeg::fn().av_seek_frame(format.get(), stream, ptsOfIndex(index), AVSEEK_FLAG_BACKWARD);
    if (error < 0)
        qCDebug(platform::video::lcVideo) << "seeking failed:" << avReason(error);
    ffmpeg::fn().avcodec_flush_buffers(codec.get());
    passed.clear();
    nextIndex = 0;
    drained = false;
    decodedValid = false;
}

// Decodes until the frame at `index` (or the last one before the end) is in
// `decoded`; false when the decoder gave nothing new.
bool VideoDecoder::Impl::decodeUpTo(qint64 index)
{
    if (decodedValid && nextIndex > index)
        return true;
    for (;;) {
        const int got = ffmpeg::fn().avcodec_receive_frame(codec.get(), scratch.get());
        if (got == 0) {
            const int64_t pts = scratch->best_effort_timestamp;
            const qint64 at = pts != AV_NOPTS_VALUE ? indexOfPts(pts) : nextIndex;
            ffmpeg::fn().av_frame_unref(decoded.get());
            ffmpeg::fn().av_frame_move_ref(decoded.get(), scratch.get());
            decodedValid = true;
            decodedIndex = at;
            nextIndex = at + 1;
            if (at >= index)
                return true;
            continue;
        }
        if (got == AVERROR_EOF)
            return false;
        if (got != AVERROR(EAGAIN)) {
            qCWarning(platform::video::lcVideo) << "decoding failed:" << avReason(got);
            return false;
        }
        if (drained || !readPacket(index))
            return false;
    }
}

// Hands the decoder its next packet, or the end of the file. With pictures that
// stand alone, packets before the wanted frame are passed over undecoded.
bool VideoDecoder::Impl::readPacket(qint64 index)
{
    for (;;) {
        const int read = ffmpeg::fn().av_read_frame(format.get(), packet.get());
        if (read < 0) {
            drained = true;
            decodePassedAtEnd();
            ffmpeg::fn().avcodec_send_packet(codec.get(), nullptr);
            return true;
        }
        if (packet->stream_index != stream) {
            ffmpeg::fn().av_packet_unref(packet.get());
            continue;
        }
        const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (intraOnly && pts != AV_NOPTS_VALUE && indexOfPts(pts) < index) {
            nextIndex = indexOfPts(pts) + 1;
            pass(*packet);
            continue;
        }
        passed.clear();
        const int sent = ffmpeg::fn().avcodec_send_packet(codec.get(), packet.get());
        ffmpeg::fn().av_packet_unref(packet.get());
        if (sent < 0 && sent != AVERROR(EAGAIN) && !refusalLogged) {
            qCDebug(platform::video::lcVideo) << "a packet was refused:" << avReason(sent);
            refusalLogged = true;
        }
        return true;
    }
}

void VideoDecoder::Impl::pass(AVPacket& skipped)
{
    constexpr size_t kKept = 4;
    if (passed.size() == kKept)
        passed.pop_front();
    passed.emplace_back(ffmpeg::fn().av_packet_alloc());
    ffmpeg::fn().av_packet_move_ref(passed.back().get(), &skipped);
}

// Pictures that stand alone decode in any order: the newest that decodes wins.
void VideoDecoder::Impl::decodePassedAtEnd()
{
    while (!passed.empty()) {
        const int sent = ffmpeg::fn().avcodec_send_packet(codec.get(), passed.back().get());
        passed.pop_back();
        if (sent >= 0 && ffmpeg::fn().avcodec_receive_frame(codec.get(), scratch.get()) == 0) {
            const int64_t pts = scratch->best_effort_timestamp;
            ffmpeg::fn().av_frame_unref(decoded.get());
            ffmpeg::fn().av_frame_move_ref(decoded.get(), scratch.get());
            decodedValid = true;
            decodedIndex = pts != AV_NOPTS_VALUE ? indexOfPts(pts) : nextIndex - 1;
            break;
        }
    }
    passed.clear();
}

QImage VideoDecoder::Impl::convert(QSize size)
{
    bool fullRange = decoded->color_range == AVCOL_RANGE_JPEG;
    const auto source = plainFormat(static_cast<AVPixelFormat>(decoded->format), fullRange);
    const ScalerKey key{decoded->width, decoded->height, decoded->format, size};
    if (!scaler || key != scalerKey) {
        // Nearest pixels, as the window stretches its pictures: a smoothing filter
        // would cost more than decoding the frame.
        scaler.reset(ffmpeg::fn().sws_getContext(key.width, key.height, source, size.width(), size.height(), AV_PIX_FMT_RGB32,
                                    SWS_POINT, nullptr, nullptr, nullptr));
        if (!scaler)
            return {};
        const int* coefficients = ffmpeg::fn().sws_getCoefficients(SWS_CS_DEFAULT);
        ffmpeg::fn().sws_setColorspaceDetails(scaler.get(), coefficients, fullRange ? 1 : 0, coefficients, 1, 0, 1 << 16,
                                 1 << 16);
        scalerKey = key;
    }
    // Written in place while only the pool holds it; handed out shared.
    QImage& image = freeImage(size);
    uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    ffmpeg::fn().sws_scale(scaler.get(), decoded->data, decoded->linesize, 0, decoded->height, planes, strides);
    return image;
}

QImage& VideoDecoder::Impl::freeImage(QSize size)
{
    for (QImage& image : pool)
        if (image.size() == size && image.isDetached())
            return image;
    for (QImage& image : pool)
        if (image.isNull() || image.isDetached()) {
            image = QImage(size, QImage::Format_RGB32);
            return image;
        }
    // Every picture is still held: this one becomes a new picture of its own.
    pool[0] = QImage(size, QImage::Format_RGB32);
    return pool[0];
}
