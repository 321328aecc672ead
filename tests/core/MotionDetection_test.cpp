#include "core/MotionDetection.h"
#include "core/SaveModes.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

using namespace automation;

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

TEST(MotionDetection, QuietTitleModeByTimerModeAndPreview)
{
    const struct {
        int16_t autoTimer, saveMode;
        bool stopEnabled;
        std::optional<int> mode;
    } rows[] = {
        {1, kModeMotionSave, false, kModeMotionSave},
        {1, kModeMotionRecord, false, kModeMotionRecord},
        {1, kModeMotionSave, true, kModeMotionSave},
        {1, kModeAutoSave, true, std::nullopt},
        {0, kModeMotionSave, true, kModeMotionSave},
        {0, kModeMotionRecord, true, kModeMotionRecord},
        {0, kModeAutoSave, true, kModeMotionSave},
        {0, kModeMotionSave, false, std::nullopt},
        {0, kModeMotionRecord, false, std::nullopt},
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
        {kModeMotionSave, 0, 0, 1, true, false, MotionSave::Picture},
        {kModeMotionSave, 0, 1, 0, false, false, MotionSave::Burst},
        {kModeMotionSave, 1, 1, 1, true, true, MotionSave::Picture},  // a confirmed save is never a burst
        {kModeMotionRecord, 0, 1, 1, false, false, MotionSave::Record}, // no motion sound while recording
        {kModeMotionRecord, 1, 0, 1, false, true, MotionSave::Record},
    };
    for (const auto& r : rows) {
        SettingsModel s;
        s.SaveMode = r.saveMode;
        s.SaveConfirmation = r.confirm;
        s.UseBurstAsSnapshot = r.burst;
        s.SoundFlags[soundFlagIndex(EventSound::Motion)] = r.soundFlag;
        const MotionPlan plan = motionPlan(s);
        EXPECT_EQ(plan.playSound, r.sound) << r.saveMode;
        EXPECT_EQ(plan.ask, r.ask) << r.saveMode;
        EXPECT_EQ(plan.action, r.action) << r.saveMode;
    }
    EXPECT_EQ(motionQuestion(2), "A motion has been detected.\nDo you want to save the image?");
    EXPECT_EQ(motionQuestion(3), "A motion has been detected.\nDo you want to save the recording?");
}

TEST(MotionDetection, StepAfterSamplingCollectsWarmsUpAndTests)
{
    SettingsModel s;
    s.MotionSensing = 3;  // threshold 62500
    s.MotionRecordMode = 1;
    MotionHistory h;
    int16_t warmup = 0;
    using O = MotionOutcome;
    std::vector<O> seen;
    for (int cycle = 0; cycle < 5; ++cycle) {
        seen.push_back(motionStep(h, warmup, 0, s));
        seen.push_back(motionStep(h, warmup, 100000, s));
    }
    const std::vector<O> expected = {O::Collecting, O::WarmingUp, O::Collecting, O::WarmingUp, O::Collecting,
                                     O::WarmingUp,  O::Collecting, O::WarmingUp, O::Collecting, O::Motion};
    EXPECT_EQ(seen, expected);

    s.MotionRecordMode = 0;
    EXPECT_EQ(motionStep(h, warmup, 100000, s), O::Collecting);
    EXPECT_EQ(motionStep(h, warmup, 100000 + 62500, s), O::Quiet) << "at the threshold is no motion";
    EXPECT_EQ(motionStep(h, warmup, 100000, s), O::Collecting);
    EXPECT_EQ(motionStep(h, warmup, 100000 + 62501, s), O::Motion) << "one above the threshold";
    EXPECT_EQ(warmup, 0);
}
