#include "core/IntervalSave.h"

#include "core/SaveModes.h"

namespace automation {

double leadingNumber(const QString& text)
{
    QString compact = text;
    compact.remove(' ').remove('\t').remove('\n').remove('\r');
    int end = 0;
    if (end < compact.size() && (compact[end] == '+' || compact[end] == '-'))
        ++end;
    const int digitsFrom = end;
    while (end < compact.size() && compact[end].isDigit() && compact[end].unicode() < 128)
        ++end;
    if (end < compact.size() && compact[end] == '.') {
        ++end;
        while (end < compact.size() && compact[end].isDigit() && compact[end].unicode() < 128)
            ++end;
    }
    if (end == digitsFrom)
        return 0;
    bool ok = false;
    const double value = compact.left(end).toDouble(&ok);
    return ok ? value : 0;
}

IntervalStep intervalTick(const IntervalInputs& in, float& seconds)
{
    if (!in.previewRunning)
        return IntervalStep::Idle;
    if (in.checkedOption == kModeManual) {
        seconds = 0;
        return IntervalStep::Manual;
    }
    if (in.timeWindowArmed && !in.inTimeWindow)
        return IntervalStep::Idle;
    seconds += 1;
    if (leadingNumber(in.intervalText) > seconds)
        return IntervalStep::Counting;
    if (in.recording) {
        // A frame taken now would be the stale preview behind the recording.
        seconds = 0;
        return IntervalStep::SkipRecording;
    }
    return IntervalStep::Save;
}

}  // namespace automation
