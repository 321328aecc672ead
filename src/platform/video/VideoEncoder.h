#pragma once

#include "platform/base/Result.h"
#include "platform/capdriver/CaptureSequence.h"
#include "platform/video/FfmpegHandles.h"
#include "platform/video/VideoRecording.h"

#include <QImage>
#include <QSize>

#include <functional>

namespace platform::video {

// Whether the codec takes only even widths and heights (the frames are then scaled
// to the even size below theirs).
bool needsEvenSize(capdriver::VideoCompression::Codec codec);

// Turns frames into packets of the chosen codec: uncompressed BGR rows, Motion JPEG
// or MPEG-4 Part 2. Frame times count frame periods.
class VideoEncoder {
public:
    using PacketSink = std::function<Result(AVPacket*)>;

    // microSecPerFrame is the period of one frame; the encoder's time base. The
    // compression's quality sets the quantiser of every frame (quantiserFor).
    Result open(const capdriver::VideoCompression& compression, QSize size, int microSecPerFrame);
    const AVCodecContext& context() const { return *codec_; }
    // Frames of another size are scaled to the size the encoder was opened with.
    Result encode(const QImage& frame, qint64 index, const PacketSink& sink);
    // The packets the codec still holds.
    Result flush(const PacketSink& sink);

private:
    Result drain(const PacketSink& sink);
    void warmUp(const capdriver::VideoCompression& compression, QSize size, int microSecPerFrame);

    ffmpeg::CodecContext codec_;
    ffmpeg::ScaleContext scaler_;
    ffmpeg::Frame frame_;
    ffmpeg::Packet packet_;
    QSize size_;
    QSize scalerInput_;
    int frameQuality_ = 0;  // the quantiser as a lambda, given to every frame
    bool warming_ = false;  // a spare encoder, run once before the real one starts
    AVPixelFormat scalerPixels_ = AV_PIX_FMT_NONE;
};

}  // namespace platform::video
