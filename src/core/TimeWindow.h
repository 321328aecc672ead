#pragma once

#include <QString>
#include <QTime>

#include <functional>
#include <optional>

namespace automation {

// The time of day the time window reads; tests move it by hand.
using TimeOfDayFunction = std::function<QTime()>;
TimeOfDayFunction systemTimeOfDay();

// Whether "now" lies in the daily window from start to stop, all "hh:mm" texts
// compared as text; a window whose start is later than its stop crosses midnight.
// Nothing when start or stop is not exactly five characters long.
std::optional<bool> insideTimeWindow(const QString& start, const QString& stop, const QString& now);

// What one tick of the time window does.
struct TimeWindowStep {
    bool showTimerStart = false; // the title shows " *Timer start ...*"
    bool startPreview = false;   // entering the window: start the preview
    bool inside = false;         // arm the mode and its interval saver
    bool leave = false;          // back to manual mode, the window switched off
    // The window was switched off elsewhere (the setup dialog): it counts as not
    // entered, so arming it again later starts afresh instead of leaving at once.
    bool forget = false;
};

// One second of the time window. The window is left at the stop minute, and also at
// the first tick outside it when the stop minute was missed (suspend, clock change).
TimeWindowStep timeWindowTick(bool armed, bool inTimeWindow, const QString& startTime,
                              const QString& stopTime, QTime now);

}  // namespace automation
