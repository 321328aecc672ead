#pragma once

#include <QImage>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform::capdriver {

// Hands the newest frame from a capture thread to the user-interface thread. QImage
// shares its pixels with an atomic count, so taking a frame copies nothing.
class FrameSlot {
public:
    // A new stream begins: no frame yet, no failure.
    void reset();
    void publish(QImage frame);
    // The device is gone or broken; waiting takers wake at once.
    void fail();
    bool failed() const;
    // The newest frame, waiting up to `wait` when none has come since reset; a null
    // image on failure or time-out.
    QImage take(std::chrono::milliseconds wait) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    QImage frame_;
    bool failed_ = false;
};

}  // namespace platform::capdriver
