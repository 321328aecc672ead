#pragma once

#include <QString>

namespace automation {

// The leading number of a text, as the interval box is read: blanks are skipped,
// and a text without a number counts as 0 ("30" -> 30, "12 sec" -> 12, "" -> 0).
double leadingNumber(const QString& text);

// What the interval saver's timer sees on one tick.
struct IntervalInputs {
    bool previewRunning = false;
    int checkedOption = -1;       // the save-mode option button that is set
    bool timeWindowArmed = false; // AutoTimer
    bool inTimeWindow = false;
    QString intervalText;
    bool recording = false;
};

enum class IntervalStep {
    Idle,            // nothing happens on this tick
    Manual,          // manual mode: the count and the title are reset
    Counting,        // one more second counted, no save yet
    Save,            // the interval is over: save now
    SkipRecording,   // the interval is over while a video records: no save, count again
};

// One second of the interval saver. `seconds` (AutoSaveSeconds) counts the seconds
// since the last save; it is reset on Manual and SkipRecording and left at the
// count on Save, which the window clears once the save is done.
IntervalStep intervalTick(const IntervalInputs& in, float& seconds);

}  // namespace automation
