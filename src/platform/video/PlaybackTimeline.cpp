#include "platform/video/PlaybackTimeline.h"

#include <algorithm>

void PlaybackTimeline::play(qint64 now, bool repeat)
{
    const qint64 from = position(now);
    repeat_ = repeat;
    if (from >= length_ && !repeat) {
        freeze(now, PlayMode::Stopped);
        return;
    }
    anchorPosition_ = from >= length_ ? 0 : from;
    anchorTime_ = now;
    mode_ = length_ > 0 ? PlayMode::Playing : PlayMode::Stopped;
}

void PlaybackTimeline::pause(qint64 now)
{
    if (mode(now) == PlayMode::Playing)
        freeze(now, PlayMode::Paused);
}

bool PlaybackTimeline::resume(qint64 now)
{
    if (mode(now) == PlayMode::Playing)
        return false;
    play(now, repeat_);
    return true;
}

void PlaybackTimeline::stop(qint64 now)
{
    freeze(now, PlayMode::Stopped);
}

void PlaybackTimeline::seek(qint64 now, qint64 positionMs)
{
    anchorPosition_ = std::clamp<qint64>(positionMs, 0, length_);
    anchorTime_ = now;
    mode_ = PlayMode::Stopped;
}

void PlaybackTimeline::freeze(qint64 now, PlayMode mode)
{
    anchorPosition_ = position(now);
    anchorTime_ = now;
    mode_ = mode;
}

qint64 PlaybackTimeline::position(qint64 now) const
{
    if (mode_ != PlayMode::Playing)
        return anchorPosition_;
    const qint64 reached = anchorPosition_ + std::max<qint64>(0, now - anchorTime_);
    if (!repeat_)
        return std::min(reached, length_);
    return reached % length_;
}

PlayMode PlaybackTimeline::mode(qint64 now) const
{
    if (mode_ == PlayMode::Playing && !repeat_ && position(now) >= length_)
        return PlayMode::Stopped;
    return mode_;
}

qint64 PlaybackTimeline::round(qint64 now) const
{
    if (mode_ != PlayMode::Playing || !repeat_)
        return 0;
    return (anchorPosition_ + std::max<qint64>(0, now - anchorTime_)) / length_;
}
