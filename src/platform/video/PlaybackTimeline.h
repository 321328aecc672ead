#pragma once

#include <QtGlobal>

// Where an open clip stands at a given moment: its mode and position, worked out
// from the moment playing began, so that asking never depends on a timer having
// run. Times are milliseconds of a monotonic clock; positions milliseconds of the
// clip, from 0 to its length (the length itself means "at the end").
enum class PlayMode { Stopped, Playing, Paused };

class PlaybackTimeline {
public:
    explicit PlaybackTimeline(qint64 lengthMs = 0) : length_(lengthMs) {}

    qint64 length() const { return length_; }
    bool repeat() const { return repeat_; }

    // Plays on from the position; a play at the end starts a loop from the
    // beginning and leaves a single play stopped where it is.
    void play(qint64 now, bool repeat);
    void pause(qint64 now);
    // Plays on after a pause or a seek with the repeat of the last play; false
    // when it was already playing.
    bool resume(qint64 now);
    void stop(qint64 now);
    // Moves to a position (clamped into the clip) and stops there.
    void seek(qint64 now, qint64 positionMs);

    qint64 position(qint64 now) const;
    PlayMode mode(qint64 now) const;
    // How many times a looping play has gone round since it began: a change
    // tells that the clip started over.
    qint64 round(qint64 now) const;

private:
    void freeze(qint64 now, PlayMode mode);

    qint64 length_ = 0;
    qint64 anchorPosition_ = 0;  // position at anchorTime_
    qint64 anchorTime_ = 0;
    PlayMode mode_ = PlayMode::Stopped;
    bool repeat_ = false;
};
