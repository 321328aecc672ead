#include "core/TimeWindow.h"

namespace automation {

namespace {

constexpr int kTimeLength = 5;  // "hh:mm"

}  // namespace

TimeOfDayFunction systemTimeOfDay()
{
    return [] { return QTime::currentTime(); };
}

std::optional<bool> insideTimeWindow(const QString& start, const QString& stop, const QString& now)
{
    if (start.size() != kTimeLength || stop.size() != kTimeLength)
        return std::nullopt;
    if (start > stop)
        return (now >= start && now > stop) || (now < start && now < stop);
    return now >= start && now < stop;
}

TimeWindowStep timeWindowTick(bool armed, bool inTimeWindow, const QString& startTime,
                              const QString& stopTime, QTime now)
{
    TimeWindowStep step;
    if (!armed) {
        step.forget = inTimeWindow;
        return step;
    }
    step.showTimerStart = true;
    const QString start = startTime.left(kTimeLength);
    const QString stop = stopTime.left(kTimeLength);
    const QString clock = now.toString("hh:mm");
    const std::optional<bool> inside = insideTimeWindow(start, stop, clock);
    if (!inside)
        return step;
    step.inside = *inside;
    step.startPreview = *inside && !inTimeWindow;
    step.leave = clock == stop || (inTimeWindow && !*inside);
    return step;
}

}  // namespace automation
