#include "core/TimeWindow.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace automation;

namespace {

// The main window's side of the time window: armed, entered, what happened.
struct Walk {
    bool armed = true;
    bool inWindow = false;
    QStringList events;  // "hh:mm start", "hh:mm leave"
    QStringList insideAt;

    void tick(const QString& start, const QString& stop, QTime now)
    {
        const TimeWindowStep step = timeWindowTick(armed, inWindow, start, stop, now);
        const QString at = now.toString("hh:mm");
        if (step.forget)
            inWindow = false;
        if (step.startPreview)
            events << at + " start";
        if (step.inside) {
            inWindow = true;
            insideAt << at;
        }
        if (step.leave) {
            events << at + " leave";
            armed = false;
            inWindow = false;
        }
    }

    // Every minute of a day from `from`, once round the clock.
    void day(const QString& start, const QString& stop, QTime from)
    {
        for (int minute = 0; minute < 24 * 60; ++minute)
            tick(start, stop, from.addSecs(minute * 60));
    }
};

}  // namespace

TEST(TimeWindow, InsideByTextComparison)
{
    const struct {
        const char *start, *stop, *now;
        std::optional<bool> inside;
    } rows[] = {
        {"22:00", "06:00", "23:00", true},  {"22:00", "06:00", "03:00", true},
        {"22:00", "06:00", "12:00", false}, {"22:00", "06:00", "06:00", false},
        {"22:00", "06:00", "22:00", true},  {"22:00", "06:00", "21:59", false},
        {"08:00", "17:00", "08:00", true},  {"08:00", "17:00", "16:59", true},
        {"08:00", "17:00", "17:00", false}, {"08:00", "08:00", "08:00", false},
        {"08:00", "08:00", "12:00", false}, {"7:30", "17:00", "08:00", std::nullopt},
        {"07:30", "5:00", "08:00", std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(insideTimeWindow(r.start, r.stop, r.now), r.inside) << r.start << "-" << r.stop << " at " << r.now;
}

TEST(TimeWindow, AcrossMidnightWalkedThroughADay)
{
    Walk walk;
    walk.day("22:00", "06:00", QTime(12, 0));
    EXPECT_EQ(walk.events, QStringList({"22:00 start", "06:00 leave"}));
    EXPECT_TRUE(walk.insideAt.contains("23:00"));
    EXPECT_TRUE(walk.insideAt.contains("03:00"));
    EXPECT_EQ(walk.insideAt.first(), "22:00");
    EXPECT_EQ(walk.insideAt.last(), "05:59");
    EXPECT_EQ(walk.insideAt.size(), 8 * 60);
    EXPECT_FALSE(walk.armed);  // one-shot: the next day does nothing
}

TEST(TimeWindow, StartEqualToStopNeverOpensAndDisarmsAtThatMinute)
{
    Walk walk;
    walk.day("08:00", "08:00", QTime(0, 0));
    EXPECT_EQ(walk.events, QStringList({"08:00 leave"}));
    EXPECT_TRUE(walk.insideAt.isEmpty());
}

TEST(TimeWindow, AnInvalidTimeOnlyShowsTheTimerStartTitle)
{
    for (QTime now : {QTime(7, 30), QTime(12, 0), QTime(17, 0)}) {
        const TimeWindowStep step = timeWindowTick(true, false, "7:30", "17:00", now);
        EXPECT_TRUE(step.showTimerStart);
        EXPECT_FALSE(step.startPreview || step.inside || step.leave);
    }
    const TimeWindowStep off = timeWindowTick(false, false, "07:30", "17:00", QTime(8, 0));
    EXPECT_FALSE(off.showTimerStart || off.startPreview || off.inside || off.leave);
}

TEST(TimeWindow, OnlyTheFirstFiveCharactersCount)
{
    const TimeWindowStep step = timeWindowTick(true, false, "08:00:30", "17:00 h", QTime(8, 0, 10));
    EXPECT_TRUE(step.startPreview);
    EXPECT_TRUE(step.inside);
}

TEST(TimeWindow, AMissedStopMinuteStillLeaves)
{
    // Suspended at 05:58, woken at 06:30: the stop minute never ticked.
    Walk walk;
    walk.tick("22:00", "06:00", QTime(23, 0));
    walk.tick("22:00", "06:00", QTime(5, 58));
    walk.tick("22:00", "06:00", QTime(6, 30));
    EXPECT_EQ(walk.events, QStringList({"23:00 start", "06:30 leave"}));
    EXPECT_FALSE(walk.inWindow);
    // Armed but not yet entered, outside the window: it waits for the start.
    const TimeWindowStep waiting = timeWindowTick(true, false, "22:00", "06:00", QTime(12, 0));
    EXPECT_FALSE(waiting.leave || waiting.inside);
}

TEST(TimeWindow, SwitchedOffInsideAndArmedAgainLaterStartsAfresh)
{
    Walk walk;
    walk.tick("22:00", "06:00", QTime(23, 0));
    walk.armed = false;  // the setup dialog switches the window off
    walk.tick("22:00", "06:00", QTime(23, 1));
    walk.armed = true;   // and on again the next noon
    walk.tick("22:00", "06:00", QTime(12, 0));
    walk.tick("22:00", "06:00", QTime(22, 0));
    EXPECT_EQ(walk.events, QStringList({"23:00 start", "22:00 start"}));
    EXPECT_TRUE(walk.armed);
}
