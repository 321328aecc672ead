#pragma once

#include "platform/capdriver/FrameSlot.h"
#include "platform/capdriver/MjpegDecoder.h"
#include "platform/capdriver/V4l2Handles.h"

#include <QString>

#include <linux/videodev2.h>

#include <atomic>
#include <memory>
#include <vector>
#include <thread>

namespace platform::capdriver {

// Memory-mapped streaming of one open node on a thread of its own; each frame that
// arrives whole goes into the slot as RGB: frames come as RGB24 (converted by
// libv4l2, kept as RGB888) or as Motion JPEG, which the stream decodes itself into
// RGB32; a damaged one is skipped, and logged once per stream.
class V4l2Stream {
public:
    // node names the device in the log.
    V4l2Stream(V4l2Io& io, int fd, FrameSlot& slot, QString node = {});
    ~V4l2Stream() { stop(); }
    V4l2Stream(const V4l2Stream&) = delete;
    V4l2Stream& operator=(const V4l2Stream&) = delete;

    // Maps and queues the buffers and starts the thread; false when the device
    // refuses (e.g. another program streams from it).
    bool start(const v4l2_pix_format& pix);
    void stop();
    bool running() const { return thread_.joinable(); }

private:
    // The bytes a whole frame fills: the last row needs no padding.
    std::size_t frameBytes() const;
    bool prepareBuffers();
    bool prepareBuffer(quint32 index);
    // Logs the failed request with errno's text and returns false.
    bool refused(const char* request) const;
    void releaseBuffers();
    void run();
    // False when the device failed for good.
    bool takeOneFrame(int& transientErrors);
    // The frame in a picture of the stream's pool, or a null one when it is damaged.
    QImage toImage(const v4l2_buffer& buffer);
    // A picture of the stream's size that nobody else holds any more, reused so
    // that a frame costs no fresh memory.
    QImage& freePicture();

    V4l2Io& io_;
    int fd_;
    FrameSlot& slot_;
    QString node_;
    V4l2Mappings mappings_;
    v4l2_pix_format pix_{};
    std::unique_ptr<MjpegDecoder> decoder_;
    std::vector<QImage> pool_;
    std::vector<quint64> usedAt_;  // per picture of the pool: when it was last decoded into
    quint64 decoded_ = 0;
    int damagedFrames_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace platform::capdriver
