#include "automation/MotionDetection.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace automation;

namespace {

QImage uniform(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

int32_t valueOf(const QImage& picture, int zone)
{
    const auto grid = sampleGrid(picture, zone);
    return grid ? gridValue(*grid) : -999;
}

}  // namespace

TEST(MotionDetection, ZonePointIsTheColourValueAndMinusOneOutside)
{
    QImage picture = uniform(20, 20, qRgb(1, 2, 3));
    picture.setPixel(5, 6, qRgb(255, 255, 255));
    EXPECT_EQ(zonePoint(picture, 0, 0), 1 + 256 * 2 + 65536 * 3);
    EXPECT_EQ(zonePoint(picture, 5, 6), 16777215);
    for (const QPoint outside : {QPoint(-1, 0), QPoint(0, -1), QPoint(20, 0), QPoint(0, 20)})
        EXPECT_EQ(zonePoint(picture, outside.x(), outside.y()), -1) << outside.x() << "," << outside.y();
    EXPECT_EQ(zonePoint(QImage(), 0, 0), -1);
    const QImage rgb888 = picture.convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(zonePoint(rgb888, 0, 0), 1 + 256 * 2 + 65536 * 3);
}

TEST(MotionDetection, UniformFramesGiveTheSameValueInEveryZone)
{
    const struct {
        QSize size;
        QRgb colour;
        int32_t value;
    } rows[] = {
        {{640, 480}, qRgb(0, 0, 1), 41939},
        {{1920, 1080}, qRgb(0, 0, 1), 41939},
        {{640, 480}, qRgb(0, 1, 0), 160},       // 256 \ 10 = 25, 64 cells, \ 10
        {{640, 480}, qRgb(200, 0, 0), 128},     // strong red weighs less than blue 1
        {{640, 480}, qRgb(255, 255, 255), 10737414},
        {{1920, 1080}, qRgb(0, 0, 0), 0},
    };
    for (const auto& r : rows)
        for (int zone = 0; zone < kZoneCount; ++zone)
            EXPECT_EQ(valueOf(uniform(r.size.width(), r.size.height(), r.colour), zone), r.value)
                << r.size.width() << "x" << r.size.height() << " zone " << zone;
}

TEST(MotionDetection, EachZoneSeesItsOwnPartOfThePicture)
{
    // Only the bottom right quarter of a 640x480 frame is blue 1.
    QImage picture = uniform(640, 480, qRgb(0, 0, 0));
    QPainter(&picture).fillRect(320, 240, 320, 240, QColor(0, 0, 1));
    const int32_t expected[kZoneCount] = {10484, 10484, 0, 20969, 0, 0, 0, 41939};
    for (int zone = 0; zone < kZoneCount; ++zone)
        EXPECT_EQ(valueOf(picture, zone), expected[zone]) << "zone " << zone;
    // Out-of-range zones are held at the nearest end.
    EXPECT_EQ(valueOf(picture, -3), expected[0]);
    EXPECT_EQ(valueOf(picture, 12), expected[7]);
}

TEST(MotionDetection, SmallFramesSkipOrDropSamplesInsteadOfFailing)
{
    // Under 16 pixels the step would be zero: no grid at all.
    for (const QImage& picture : {uniform(15, 100, 0), uniform(100, 15, 0), QImage()})
        EXPECT_FALSE(sampleGrid(picture, 4)) << picture.width() << "x" << picture.height();
    // 31x31: step 1, samples from 10 to 15, so columns and rows 11..15 fall off the grid.
    const auto grid = sampleGrid(uniform(31, 31, qRgb(0, 0, 1)), 4);
    ASSERT_TRUE(grid);
    EXPECT_EQ((*grid)[10][10], 65536);
    EXPECT_EQ(gridValue(*grid), 0);  // nothing lands in the summed cells
    // 16x16: the loops start beyond the half size and sample nothing.
    EXPECT_EQ(valueOf(uniform(16, 16, qRgb(0, 0, 255)), 0), 0);
}

TEST(MotionDetection, ThresholdsBySensitivity)
{
    const int32_t thresholds[kSensitivityCount] = {250000, 125000, 83333, 62500, 50000, 41666, 35714};
    for (int s = 0; s < kSensitivityCount; ++s) {
        EXPECT_EQ(motionThreshold(s), thresholds[s]);
        MotionHistory h;
        h.values = {1000, 1000 + thresholds[s], 0, 0};
        EXPECT_FALSE(isMotion(h, s)) << "at the threshold, sensitivity " << s;
        h.values = {1000 + thresholds[s] + 1, 1000, 0, 0};
        EXPECT_TRUE(isMotion(h, s)) << "one above, sensitivity " << s;
    }
    EXPECT_EQ(motionThreshold(-1), 250000);
    EXPECT_EQ(motionThreshold(9), 35714);
}

TEST(MotionDetection, HistoryCyclesWithAndWithoutTheNoiseFilter)
{
    const struct {
        bool filter;
        std::vector<int32_t> ticks;
        std::vector<bool> complete;
        int32_t first, second;  // slots 0 and 1 after the last tick
    } rows[] = {
        {false, {100, 70000}, {false, true}, 100, 70000},
        {false, {5, 6, 7}, {false, true, false}, 7, 6},  // the next cycle refills slot 0
        {true, {100, 200, 300}, {false, false, true}, 200, 250},
        {true, {1, 4, 2}, {false, false, true}, 2, 3},      // 1.5 -> 2, 3.0 -> 3
        {true, {3, 2, 2}, {false, false, true}, 2, 2},      // 2.5 -> 2 (halves to even)
        {true, {4, 9, 3}, {false, false, true}, 4, 6},      // 3.5 -> 4, 6
        {true, {-3, 0, -4}, {false, false, true}, 4, 2},    // the magnitude is averaged
    };
    for (const auto& r : rows) {
        MotionHistory h;
        for (size_t i = 0; i < r.ticks.size(); ++i)
            EXPECT_EQ(addToHistory(h, r.ticks[i], r.filter), r.complete[i]) << "tick " << i;
        EXPECT_EQ(h.values[0], r.first);
        EXPECT_EQ(h.values[1], r.second);
    }
}

TEST(MotionDetection, WarmupHoldsTheFirstFourCyclesAndStopsCountingAtFive)
{
    int16_t warmup = 0;
    const bool held[] = {true, true, true, true, false, false, false};
    for (size_t cycle = 0; cycle < std::size(held); ++cycle)
        EXPECT_EQ(warmingUp(warmup, true), held[cycle]) << "cycle " << cycle + 1;
    EXPECT_EQ(warmup, kWarmupCycles);
    warmup = 32767;  // never wraps into a new warm-up
    EXPECT_FALSE(warmingUp(warmup, true));
    EXPECT_EQ(warmup, kWarmupCycles);
    EXPECT_FALSE(warmingUp(warmup, false));
    EXPECT_EQ(warmup, 0);
}

TEST(MotionDetection, TickOutcomesInMotionRecordMode)
{
    SettingsModel s;
    s.MotionRecordMode = 1;
    s.MotionSensing = 3;
    MotionHistory state;
    int16_t warmup = 0;
    const QImage dark = uniform(640, 480, qRgb(0, 0, 0));
    const QImage bright = uniform(640, 480, qRgb(0, 0, 128));
    std::vector<MotionOutcome> seen;
    for (int cycle = 0; cycle < 6; ++cycle) {
        seen.push_back(motionTick(state, warmup, dark, s));
        seen.push_back(motionTick(state, warmup, bright, s));
    }
    using O = MotionOutcome;
    const std::vector<O> expected = {O::Collecting, O::WarmingUp, O::Collecting, O::WarmingUp,
                                     O::Collecting, O::WarmingUp, O::Collecting, O::WarmingUp,
                                     O::Collecting, O::Motion,    O::Collecting, O::Motion};
    EXPECT_EQ(seen, expected);

    // A picture too small to sample leaves the history alone.
    const MotionHistory before = state;
    EXPECT_EQ(motionTick(state, warmup, uniform(8, 8, 0), s), O::NoPicture);
    EXPECT_EQ(state.values, before.values);
    EXPECT_EQ(state.index, before.index);

    s.MotionRecordMode = 0;
    motionTick(state, warmup, bright, s);
    EXPECT_EQ(motionTick(state, warmup, bright, s), O::Quiet);
    EXPECT_EQ(warmup, 0);
}

TEST(MotionDetection, ALastingChangeIsSeenWhereverItFallsAgainstTheCycle)
{
    // A change from one still picture to another, at every tick of a few cycles: with
    // the old within-cycle test alone, a change that fell on a cycle's first tick was
    // never seen.
    constexpr int32_t kBefore = 0, kAfter = 400000;  // far above the threshold, also halved by the filter
    for (const bool filter : {false, true}) {
        const int cycle = filter ? 3 : 2;
        for (int at = 1; at < 4 * cycle; ++at) {
            MotionHistory h;
            int motions = 0;
            for (int tick = 0; tick < 6 * cycle; ++tick)
                if (addToHistory(h, tick < at ? kBefore : kAfter, filter) && isMotion(h, 3))
                    ++motions;
            EXPECT_GE(motions, 1) << "filter " << filter << ", change at tick " << at;
            EXPECT_LE(motions, 2) << "filter " << filter << ", change at tick " << at;
        }
    }
}

TEST(MotionDetection, AStillSceneNeverTriggersAndArmingAgainForgetsTheOldCycles)
{
    for (const bool filter : {false, true}) {
        MotionHistory h;
        for (int tick = 0; tick < 600; ++tick)
            if (addToHistory(h, 123456, filter)) {
                EXPECT_FALSE(isMotion(h, 6)) << "filter " << filter << ", tick " << tick;
            }
    }
    // Armed again after a pause in which the scene changed: the first cycle is compared
    // with itself only.
    MotionHistory h;
    addToHistory(h, 0, false);
    addToHistory(h, 0, false);
    forgetEarlierCycles(h);
    addToHistory(h, 900000, false);
    ASSERT_TRUE(addToHistory(h, 900000, false));
    EXPECT_FALSE(isMotion(h, 6));
    // The cycle after it is compared with it again.
    addToHistory(h, 0, false);
    ASSERT_TRUE(addToHistory(h, 0, false));
    EXPECT_TRUE(isMotion(h, 6));
}

TEST(MotionDetection, NoiseReductionIsOnOrOff)
{
    // Any nonzero value is the three-tick cycle; none reaches past the history.
    for (int16_t setting : {int16_t(1), int16_t(2), int16_t(7), int16_t(-1)}) {
        SettingsModel s;
        s.NoiseReduction = setting;
        MotionHistory state;
        int16_t warmup = 0;
        const QImage still = uniform(64, 64, qRgb(0, 0, 9));
        EXPECT_EQ(motionTick(state, warmup, still, s), MotionOutcome::Collecting);
        EXPECT_EQ(motionTick(state, warmup, still, s), MotionOutcome::Collecting);
        EXPECT_EQ(motionTick(state, warmup, still, s), MotionOutcome::Quiet) << setting;
    }
}

TEST(MotionDetection, QuietTitleModeByTimerModeAndPreview)
{
    const struct {
        int16_t autoTimer, saveMode;
        bool stopEnabled;
        std::optional<int> mode;
    } rows[] = {
        {1, 2, false, 2}, {1, 3, false, 3}, {1, 2, true, 2}, {1, 1, true, std::nullopt},
        {0, 2, true, 2},  {0, 3, true, 3},  {0, 1, true, 2}, {0, 2, false, std::nullopt},
        {0, 3, false, std::nullopt},
    };
    for (const auto& r : rows) {
        SettingsModel s;
        s.AutoTimer = r.autoTimer;
        s.SaveMode = r.saveMode;
        EXPECT_EQ(quietTitleMode(s, r.stopEnabled), r.mode)
            << r.autoTimer << " " << r.saveMode << " " << r.stopEnabled;
    }
}

TEST(MotionDetection, PlanBySaveModeConfirmationBurstAndSound)
{
    const struct {
        int16_t saveMode, confirm, burst, soundFlag;
        bool sound, ask;
        MotionSave action;
    } rows[] = {
        {2, 0, 0, 1, true, false, MotionSave::Picture},
        {2, 0, 1, 0, false, false, MotionSave::Burst},
        {2, 1, 1, 1, true, true, MotionSave::Picture},  // a confirmed save is never a burst
        {3, 0, 1, 1, false, false, MotionSave::Record}, // no motion sound while recording
        {3, 1, 0, 1, false, true, MotionSave::Record},
    };
    for (const auto& r : rows) {
        SettingsModel s;
        s.SaveMode = r.saveMode;
        s.SaveConfirmation = r.confirm;
        s.UseBurstAsSnapshot = r.burst;
        s.SoundFlags[3] = r.soundFlag;
        const MotionPlan plan = motionPlan(s);
        EXPECT_EQ(plan.playSound, r.sound) << r.saveMode;
        EXPECT_EQ(plan.ask, r.ask) << r.saveMode;
        EXPECT_EQ(plan.action, r.action) << r.saveMode;
    }
    EXPECT_EQ(motionQuestion(2), "A motion has been detected.\nDo you want to save the image?");
    EXPECT_EQ(motionQuestion(3), "A motion has been detected.\nDo you want to save the recording?");
}
