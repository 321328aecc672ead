#include "core/MotionDetection.h"

#include "core/SaveModes.h"

#include <algorithm>
#include <cstdlib>

namespace automation {

namespace {

constexpr int32_t kMotionScale = 250000;

// |a + b| / 2 rounded to the nearest whole number, halves to the even neighbour.
int32_t averageHalfEven(int32_t a, int32_t b)
{
    const int64_t sum = std::llabs(int64_t(a) + b);
    int64_t half = sum / 2;
    if (sum % 2 != 0 && half % 2 != 0)
        ++half;
    return int32_t(half);
}

}  // namespace

int clampZone(int triggerFocus) { return std::clamp(triggerFocus, 0, kZoneCount - 1); }

int clampSensitivity(int motionSensing) { return std::clamp(motionSensing, 0, kSensitivityCount - 1); }

int32_t gridValue(const MotionGrid& grid)
{
    int32_t sum = 0;
    for (int i = 0; i < kSummedCells; ++i)
        for (int j = 0; j < kSummedCells; ++j)
            sum += grid[i][j] / 10;
    return sum / 10;
}

bool addToHistory(MotionHistory& history, int32_t value, bool noiseReduction)
{
    const int cycle = noiseReduction ? 3 : 2;
    history.values[std::clamp<int>(history.index, 0, int(history.values.size()) - 1)] = value;
    ++history.index;
    if (history.index < cycle)
        return false;
    history.index = 0;
    if (noiseReduction) {
        auto& v = history.values;
        v[0] = averageHalfEven(v[0], v[2]);
        v[1] = averageHalfEven(v[1], v[2]);
    }
    history.previousLast = history.cycleLast;
    history.cycleLast = history.values[1];
    return true;
}

void forgetEarlierCycles(MotionHistory& history)
{
    history.previousLast.reset();
    history.cycleLast.reset();
}

bool warmingUp(int16_t& motionWarmup, bool motionRecordMode)
{
    if (!motionRecordMode) {
        motionWarmup = 0;
        return false;
    }
    motionWarmup = int16_t(std::clamp(int(motionWarmup) + 1, 1, int(kWarmupCycles)));
    return motionWarmup < kWarmupCycles;
}

int32_t motionThreshold(int motionSensing) { return kMotionScale / (clampSensitivity(motionSensing) + 1); }

bool isMotion(const MotionHistory& history, int motionSensing)
{
    const int64_t threshold = motionThreshold(motionSensing);
    const int64_t first = history.values[0];
    if (std::llabs(first - history.values[1]) > threshold)
        return true;
    return history.previousLast && std::llabs(first - *history.previousLast) > threshold;
}

MotionOutcome motionStep(MotionHistory& history, int16_t& motionWarmup, int32_t value, const SettingsModel& s)
{
    if (!addToHistory(history, value, s.NoiseReduction != 0))
        return MotionOutcome::Collecting;
    if (warmingUp(motionWarmup, s.MotionRecordMode != 0))
        return MotionOutcome::WarmingUp;
    return isMotion(history, s.MotionSensing) ? MotionOutcome::Motion : MotionOutcome::Quiet;
}

std::optional<int> quietTitleMode(const SettingsModel& s, bool stopEnabled)
{
    if (s.AutoTimer != 0) {
        if (s.SaveMode == kModeMotionSave || s.SaveMode == kModeMotionRecord)
            return s.SaveMode;
        return std::nullopt;
    }
    if (!stopEnabled)
        return std::nullopt;
    return s.SaveMode == kModeMotionRecord ? kModeMotionRecord : kModeMotionSave;
}

MotionPlan motionPlan(const SettingsModel& s)
{
    const bool recording = s.SaveMode == kModeMotionRecord;
    MotionPlan plan;
    plan.playSound = !recording && eventSoundOn(s, EventSound::Motion);
    plan.ask = s.SaveConfirmation != 0;
    if (recording)
        plan.action = MotionSave::Record;
    else if (!plan.ask && s.UseBurstAsSnapshot != 0)
        plan.action = MotionSave::Burst;
    else
        plan.action = MotionSave::Picture;
    return plan;
}

QString motionQuestion(int saveMode)
{
    const QString word = saveMode == kModeMotionRecord ? QStringLiteral("recording") : QStringLiteral("image");
    return QStringLiteral("A motion has been detected.\nDo you want to save the ") + word + "?";
}

}  // namespace automation
