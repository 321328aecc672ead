#include "platform/video/PlaybackTimeline.h"

#include <gtest/gtest.h>

TEST(PlaybackTimeline, SinglePlayRunsToTheEndAndStopsThere)
{
    PlaybackTimeline t(3000);
    EXPECT_EQ(t.mode(0), PlayMode::Stopped);
    t.play(1000, false);
    EXPECT_EQ(t.mode(1000), PlayMode::Playing);
    EXPECT_EQ(t.position(2500), 1500);
    EXPECT_EQ(t.position(3999), 2999);
    EXPECT_EQ(t.mode(4000), PlayMode::Stopped);
    EXPECT_EQ(t.position(9000), 3000);
    // A second single play at the end stays there.
    t.play(9000, false);
    EXPECT_EQ(t.mode(9001), PlayMode::Stopped);
    EXPECT_EQ(t.position(9500), 3000);
}

TEST(PlaybackTimeline, RepeatLoopsAndCountsItsRounds)
{
    PlaybackTimeline t(3000);
    t.seek(0, 2000);
    t.play(0, true);
    EXPECT_EQ(t.position(500), 2500);
    EXPECT_EQ(t.round(999), 0);
    EXPECT_EQ(t.position(1000), 0);
    EXPECT_EQ(t.round(1000), 1);
    EXPECT_EQ(t.position(4500), 500);
    EXPECT_EQ(t.mode(100000), PlayMode::Playing);
    // At the end a looping play starts from the beginning.
    t.seek(200000, 3000);
    t.play(200000, true);
    EXPECT_EQ(t.position(200100), 100);
}

TEST(PlaybackTimeline, PauseResumeAndSeekKeepTheRepeat)
{
    PlaybackTimeline t(3000);
    t.play(0, true);
    t.pause(1200);
    EXPECT_EQ(t.mode(5000), PlayMode::Paused);
    EXPECT_EQ(t.position(5000), 1200);
    EXPECT_TRUE(t.resume(5000));
    EXPECT_FALSE(t.resume(5001));
    EXPECT_EQ(t.position(6000), 2200);
    t.seek(6000, 2900);
    EXPECT_EQ(t.mode(7000), PlayMode::Stopped);
    EXPECT_EQ(t.position(7000), 2900);
    EXPECT_TRUE(t.resume(7000));
    EXPECT_TRUE(t.repeat());
    EXPECT_EQ(t.position(7200), 100);  // went round, still looping
    t.stop(7300);
    EXPECT_EQ(t.position(9000), 200);
    t.seek(9000, -5);
    EXPECT_EQ(t.position(9000), 0);
    t.seek(9000, 99999);
    EXPECT_EQ(t.position(9000), 3000);
}
