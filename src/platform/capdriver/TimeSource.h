#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

#include <atomic>

namespace platform::capdriver {

// Milliseconds since the process started. Test-pattern frames and trace lines are
// functions of it, so tests inject a clock they move by hand.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual qint64 msecsSinceStart() const = 0;
};

// The real clock; it starts when it is made, which main does at start-up.
class SteadyTimeSource final : public TimeSource {
public:
    SteadyTimeSource() { timer_.start(); }
    qint64 msecsSinceStart() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

// A clock that moves only when told to.
class ManualTimeSource final : public TimeSource {
public:
    explicit ManualTimeSource(qint64 startMs = 0) : now_(startMs) {}
    qint64 msecsSinceStart() const override { return now_.load(); }
    void set(qint64 ms) { now_.store(ms); }
    void advance(qint64 ms) { now_.fetch_add(ms); }

private:
    std::atomic<qint64> now_;
};

}  // namespace platform::capdriver
