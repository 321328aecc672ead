#include "core/IntervalSave.h"

#include <QList>

#include <gtest/gtest.h>

using namespace automation;

TEST(IntervalSave, LeadingNumberOfTheIntervalText)
{
    const struct {
        const char* text;
        double value;
    } rows[] = {
        {"30", 30}, {"2", 2}, {"", 0}, {"abc", 0}, {"12 sec", 12}, {" 4 5", 45},
        {"1.5", 1.5}, {"-3", -3}, {"+", 0}, {".", 0}, {"9999x", 9999},
    };
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(leadingNumber(r.text), r.value) << r.text;
}

TEST(IntervalSave, OneTickByPreviewModeWindowAndRecording)
{
    using S = IntervalStep;
    const struct {
        bool preview;
        int option;
        bool armed, inWindow;
        const char* text;
        bool recording;
        float before;
        S step;
        float after;
    } rows[] = {
        {false, 1, false, false, "2", false, 1, S::Idle, 1},          // the preview is off
        {true, 0, false, false, "2", false, 5, S::Manual, 0},         // manual resets
        {true, 1, true, false, "2", false, 1, S::Idle, 1},            // before the time window
        {true, 1, true, true, "2", false, 1, S::Save, 2},             // inside it
        {true, 1, false, false, "30", false, 0, S::Counting, 1},
        {true, 1, false, false, "30", false, 28, S::Counting, 29},
        {true, 1, false, false, "30", false, 29, S::Save, 30},        // the 30th tick saves
        {true, 1, false, false, "", false, 0, S::Save, 1},            // no number: every tick
        {true, 1, false, false, "none", false, 0, S::Save, 1},
        {true, 2, false, false, "2", false, 1, S::Save, 2},           // beside a motion mode
        {true, 1, false, false, "2", true, 1, S::SkipRecording, 0},   // never during a recording
        {true, 1, false, false, "2", true, 0, S::Counting, 1},
    };
    for (const auto& r : rows) {
        float seconds = r.before;
        const IntervalInputs in{r.preview, r.option, r.armed, r.inWindow, r.text, r.recording};
        EXPECT_EQ(intervalTick(in, seconds), r.step) << r.option << " '" << r.text << "' " << r.before;
        EXPECT_FLOAT_EQ(seconds, r.after) << r.option << " '" << r.text << "' " << r.before;
    }
}

TEST(IntervalSave, IntervalOfTwoSavesOnEverySecondTick)
{
    float seconds = 0;
    const IntervalInputs in{true, 1, false, false, "2", false};
    QList<IntervalStep> steps;
    for (int tick = 0; tick < 6; ++tick) {
        steps << intervalTick(in, seconds);
        if (steps.last() == IntervalStep::Save)
            seconds = 0;  // the window clears the count after the save
    }
    using S = IntervalStep;
    EXPECT_EQ(steps, QList<S>({S::Counting, S::Save, S::Counting, S::Save, S::Counting, S::Save}));
}
