#include "automation/MotionDetection.h"

#include "core/SaveModes.h"

#include <algorithm>
#include <cstdlib>

namespace automation {

namespace {

// Sampling starts this many pixels in, and a picture is split into sixteenths.
constexpr int kFirstSample = 10;
constexpr int kSteps = 16;
constexpr int32_t kMotionScale = 250000;

struct GridGeometry {
    int halfW, halfH, stepX, stepY;
};

// Where the sample of loop position (x, y) is read, by zone.
QPoint zoneSample(int zone, int x, int y, const GridGeometry& g)
{
    switch (zone) {
    case 0: return {2 * (x + 20), 2 * (y + 10)};
    case 1: return {x + 4 * g.stepX, y + 4 * g.stepY};
    case 2: return {2 * x, y};
    case 3: return {2 * x, g.halfH + y};
    case 4: return {x, y};
    case 5: return {g.halfW + x, g.halfH - y};
    case 6: return {g.halfW - x, g.halfH + y};
    default: return {g.halfW + x, g.halfH + y};
    }
}

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

int32_t zonePoint(const QImage& picture, int x, int y)
{
    if (!picture.valid(x, y))
        return -1;
    const QRgb c = picture.pixel(x, y);
    return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c);
}

int clampZone(int triggerFocus) { return std::clamp(triggerFocus, 0, kZoneCount - 1); }

int clampSensitivity(int motionSensing) { return std::clamp(motionSensing, 0, kSensitivityCount - 1); }

std::optional<MotionGrid> sampleGrid(const QImage& picture, int triggerFocus)
{
    const GridGeometry g{picture.width() / 2, picture.height() / 2, picture.width() / kSteps,
                         picture.height() / kSteps};
    if (g.stepX <= 0 || g.stepY <= 0)
        return std::nullopt;
    const int zone = clampZone(triggerFocus);
    MotionGrid grid{};
    for (int x = kFirstSample; x <= g.halfW; x += g.stepX) {
        const int column = x / g.stepX;
        if (column >= kGridSize)
            break;
        for (int y = kFirstSample; y <= g.halfH; y += g.stepY) {
            const int row = y / g.stepY;
            if (row >= kGridSize)
                break;
            const QPoint at = zoneSample(zone, x, y, g);
            grid[column][row] = zonePoint(picture, at.x(), at.y());
        }
    }
    return grid;
}

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

MotionOutcome motionTick(MotionHistory& history, int16_t& motionWarmup, const QImage& picture,
                         const SettingsModel& s)
{
    const std::optional<MotionGrid> grid = sampleGrid(picture, s.TriggerFocus);
    if (!grid)
        return MotionOutcome::NoPicture;
    if (!addToHistory(history, gridValue(*grid), s.NoiseReduction != 0))
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
