#pragma once

#include <QList>
#include <QTimer>

// The waits of the main window (connect retries, failure notices, closing a
// recording). The window's thread waits in an event loop that takes no user input,
// so a notice shown before the wait is painted while it lasts and neither a key nor
// a click acts in between; input that arrives meanwhile is handled afterwards.
void waitWithoutInput(int milliseconds);

// Holds back the ticks of the given timers for as long as it lives: a wait keeps
// painting but runs none of the window's own timer handlers, which a blocking wait
// could not run either. Ticks due meanwhile are lost, not stacked up.
class TimerTicksHeld {
public:
    explicit TimerTicksHeld(const QList<QTimer*>& timers);
    ~TimerTicksHeld();
    TimerTicksHeld(const TimerTicksHeld&) = delete;
    TimerTicksHeld& operator=(const TimerTicksHeld&) = delete;

private:
    QList<QTimer*> held_;
};
