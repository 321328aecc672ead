#include "platform/capdriver/FrameSlot.h"

namespace platform::capdriver {

void FrameSlot::reset()
{
    std::lock_guard lock(mutex_);
    frame_ = QImage();
    failed_ = false;
}

void FrameSlot::publish(QImage frame)
{
    // The replaced frame is let go outside the lock; freeing it takes a while.
    QImage old;
    {
        std::lock_guard lock(mutex_);
        old = std::exchange(frame_, std::move(frame));
    }
    arrived_.notify_all();
}

void FrameSlot::fail()
{
    {
        std::lock_guard lock(mutex_);
        failed_ = true;
    }
    arrived_.notify_all();
}

bool FrameSlot::failed() const
{
    std::lock_guard lock(mutex_);
    return failed_;
}

QImage FrameSlot::take(std::chrono::milliseconds wait) const
{
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, wait, [this] { return failed_ || !frame_.isNull(); });
    return failed_ ? QImage() : frame_;
}

}  // namespace platform::capdriver
