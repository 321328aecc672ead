#pragma once

#include "platform/base/Result.h"
#include "platform/capdriver/CaptureSequence.h"
#include "platform/video/FfmpegHandles.h"

namespace platform::video {

// One AVI file being written: its streams, the interleaved packets and the index.
// A muxer that began but did not finish still closes its file; finish() writes the
// index, which makes the file whole.
class AviMuxer {
public:
    Result open(const QString& path);
    // Both before begin(). The stream numbers are returned.
    int addVideo(const AVCodecContext& encoder);
    int addAudio(const capdriver::WaveFormat& format);
    Result begin();
    // Takes the packet's content; its times are in `from` units.
    Result write(AVPacket* packet, int stream, AVRational from);
    Result finish();
    bool begun() const { return begun_; }

private:
    ffmpeg::FormatOutput context_;
    QString path_;
    bool begun_ = false;
};

}  // namespace platform::video
