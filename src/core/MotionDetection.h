#pragma once

#include "core/SettingsModel.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace automation {

// The detector's logic below the picture: the grid of sampled colours, the history
// of grid values, the thresholds and what a motion does.

// The detector's grid: cell (i, j) holds the colour sampled for column i, row j.
// Samples land in 0..10; only 0..7 are summed.
inline constexpr int kGridSize = 11;
inline constexpr int kSummedCells = 8;
using MotionGrid = std::array<std::array<int32_t, kGridSize>, kGridSize>;

// Sampling zones (TriggerFocus) and sensitivities (MotionSensing); values outside
// their range are held at the nearest end.
inline constexpr int kZoneCount = 8;
inline constexpr int kSensitivityCount = 7;
int clampZone(int triggerFocus);
int clampSensitivity(int motionSensing);

// Sum of cell \ 10 over the summed cells, divided by 10: the value one tick adds to
// the history.
int32_t gridValue(const MotionGrid& grid);

// The last grid values of one cycle and the slot the next tick writes, with the last
// tested value of the cycles before: a change that falls between two cycles is seen by
// comparing a cycle's first value with the previous cycle's last one.
struct MotionHistory {
    std::array<int32_t, 4> values{};
    int16_t index = 0;
    std::optional<int32_t> previousLast;  // slot 1 of the cycle before the last complete one
    std::optional<int32_t> cycleLast;     // slot 1 of the last complete cycle
};

// Stores a tick's value. True when the cycle is complete (2 ticks, 3 with the noise
// filter); the slot index then starts again and the filter has averaged slots 0 and 1
// with slot 2. The completed cycle's last value becomes the one the next cycle's first
// value is compared with.
bool addToHistory(MotionHistory& history, int32_t value, bool noiseReduction);

// The detector was armed again: its first cycle is not compared with one from before.
void forgetEarlierCycles(MotionHistory& history);

// Motion-record mode tests no cycle until its fifth: counts the cycle (up to 5) and
// says whether this one is still warming up. Outside that mode the count is cleared.
inline constexpr int16_t kWarmupCycles = 5;
bool warmingUp(int16_t& motionWarmup, bool motionRecordMode);

// 250000 \ (sensitivity + 1).
int32_t motionThreshold(int motionSensing);
// Motion when the two values of the complete cycle differ by more than the threshold,
// or its first value differs that much from the previous cycle's last value.
bool isMotion(const MotionHistory& history, int motionSensing);

// What one detector tick found.
enum class MotionOutcome {
    NoPicture,   // too small to sample: the tick is skipped
    Collecting,  // the cycle is not complete yet
    WarmingUp,   // a motion-record cycle that is not tested
    Quiet,
    Motion,
};

// One tick after the picture was sampled (the picture's part is
// automation/MotionSampling.h): add the grid's value to the history, and at the end
// of a cycle the warm-up and the test. Never NoPicture.
MotionOutcome motionStep(MotionHistory& history, int16_t& motionWarmup, int32_t value, const SettingsModel& s);

// The mode whose text the title shows after a quiet test, or nothing. Timed modes
// show always; untimed ones only while the preview can be stopped.
std::optional<int> quietTitleMode(const SettingsModel& s, bool stopEnabled);

// What a detected motion does after the upload.
enum class MotionSave { Nothing, Record, Burst, Picture };
struct MotionPlan {
    bool playSound = false;
    bool ask = false;        // a Yes/No box decides between `action` and nothing
    MotionSave action = MotionSave::Nothing;
};
MotionPlan motionPlan(const SettingsModel& s);

// The confirmation box.
inline constexpr char kMotionQuestionTitle[] = "Motion Detected";
QString motionQuestion(int saveMode);

}  // namespace automation
