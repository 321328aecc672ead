#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <QString>

#include <memory>

namespace platform::video {

// Each FFmpeg object the recorder uses, owned once. The output file of a format
// context is closed with it.
struct FormatContextCloser {
    void operator()(AVFormatContext* context) const
    {
        if (context->pb && !(context->oformat->flags & AVFMT_NOFILE))
            avio_closep(&context->pb);
        avformat_free_context(context);
    }
};
struct CodecContextCloser {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameCloser {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketCloser {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerCloser {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};

using FormatContextHandle = std::unique_ptr<AVFormatContext, FormatContextCloser>;
using CodecContextHandle = std::unique_ptr<AVCodecContext, CodecContextCloser>;
using FrameHandle = std::unique_ptr<AVFrame, FrameCloser>;
using PacketHandle = std::unique_ptr<AVPacket, PacketCloser>;
using ScalerHandle = std::unique_ptr<SwsContext, ScalerCloser>;

// FFmpeg's text for an error code.
inline QString ffmpegError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

}  // namespace platform::video
