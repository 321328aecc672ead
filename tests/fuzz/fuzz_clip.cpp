// The viewer's clip decoder on mutated AVI files: any file is opened or refused,
// and the frames of an opened clip come out at the size asked for, or not at all.
#include "FuzzSupport.h"
#include "platform/video/VideoDecoder.h"

extern "C" {
#include <libavutil/log.h>
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietLogs();
    av_log_set_level(AV_LOG_QUIET);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    const QString path = fuzz::scratchFolder() + "/clip.avi";
    fuzz::writeFile(path, fuzz::bytesOf(data, size));
    VideoDecoder decoder;
    if (!decoder.open(path))
        return 0;
    const qint64 frames = decoder.frameCount();
    FUZZ_CHECK(frames >= 0);
    FUZZ_CHECK(decoder.lengthMs() >= 0);
    const QSize small(32, 24);
    for (const qint64 index : {qint64(0), frames / 2, frames - 1, frames, qint64(-1)}) {
        const QImage frame = decoder.frame(index, small);
        FUZZ_CHECK(frame.isNull() || frame.size() == small);
    }
    for (const qint64 at : {qint64(0), decoder.lengthMs() / 2, decoder.lengthMs(), qint64(-5)})
        decoder.frameIndexAt(at);
    return 0;
}
