#pragma once

// The one owner of each FFmpeg handle: every reader and writer of clips holds them
// through these, so each is freed once, with the library's own call.
#include "platform/video/FfmpegApi.h"

#include <QString>

#include <memory>

namespace ffmpeg {

struct FormatInputCloser {
    void operator()(AVFormatContext* c) const { fn().avformat_close_input(&c); }
};
// A muxer's context: the file it opened (avio_open) is closed with it.
struct FormatOutputCloser {
    void operator()(AVFormatContext* c) const
    {
        if (c->pb && !(c->oformat && (c->oformat->flags & AVFMT_NOFILE)))
            fn().avio_closep(&c->pb);
        fn().avformat_free_context(c);
    }
};
struct CodecContextFreer {
    void operator()(AVCodecContext* c) const { fn().avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { fn().av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { fn().av_packet_free(&p); }
};
struct ResamplerFreer {
    void operator()(SwrContext* s) const { fn().swr_free(&s); }
};
struct ScaleContextFreer {
    void operator()(SwsContext* s) const { fn().sws_freeContext(s); }
};

using FormatInput = std::unique_ptr<AVFormatContext, FormatInputCloser>;
using FormatOutput = std::unique_ptr<AVFormatContext, FormatOutputCloser>;
using CodecContext = std::unique_ptr<AVCodecContext, CodecContextFreer>;
using Frame = std::unique_ptr<AVFrame, FrameFreer>;
using Packet = std::unique_ptr<AVPacket, PacketFreer>;
using Resampler = std::unique_ptr<SwrContext, ResamplerFreer>;
using ScaleContext = std::unique_ptr<SwsContext, ScaleContextFreer>;

// FFmpeg's text for an error code.
inline QString errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    fn().av_strerror(code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

}  // namespace ffmpeg
