#include "ClipFixture.h"
#include "Sandbox.h"
#include "platform/video/MciPlayer.h"
#include "viewer/SlideShow.h"
#include "viewer/VideoPlayback.h"

#include <gtest/gtest.h>

TEST(VideoPlayback, MovieSecondsFromTheLengthReply)
{
    const struct {
        double reply;
        long seconds;
    } cases[] = {{0, 0}, {1, 0}, {1.5, 1}, {9, 1}, {10, 1}, {15, 1}, {19, 1}, {20, 2}, {25, 2},
                 {29.5, 3},  // rounded first (halves to even: 30)
                 {30.5, 3}, {34.5, 3}, {35, 3}, {600, 60}};
    for (const auto& c : cases)
        EXPECT_EQ(movieSeconds(c.reply), c.seconds) << c.reply;
    EXPECT_EQ(progressScale(0), 1);
    EXPECT_EQ(progressScale(3), 30);
}

TEST(VideoPlayback, RepliesReadAsNumbersAndTexts)
{
    const struct {
        const char* reply;
        double value;
    } cases[] = {{"30", 30}, {"", 0}, {"stopped", 0}, {"  12abc", 12}, {"-3", -3}, {"2.5.1", 2.5}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(replyNumber(c.reply), c.value) << c.reply;
    EXPECT_EQ(movieLengthText(3, 1024), "Movie length 3 seconds - 2KB");
    EXPECT_EQ(movieLengthText(0, 0), "Movie length 0 seconds - 1KB");
    EXPECT_EQ(openErrorText("/v/a.avi"), "Error opening the file: /v/a.avi\nProbably bad file or a missing codec.");
    EXPECT_EQ(openErrorTitle(296), "Open Video File Error nr: 296");
}

TEST(VideoPlayback, CommandStrings)
{
    EXPECT_EQ(openSceneCommand("/v/my clip.avi"), "open \"/v/my clip.avi\" alias AVIvideo type AVIVideo");
    EXPECT_EQ(windowCommand(7), "window AVIvideo handle 7");
    EXPECT_EQ(playCommand(false), "play AVIvideo");
    EXPECT_EQ(playCommand(true), "play AVIvideo repeat");
    EXPECT_EQ(positionCommand(0, 0, 521, 381), "put AVIvideo destination at 0 0 521 381");
    EXPECT_EQ(seekCommand(17), "seek AVIvideo to 17");
    EXPECT_EQ(pauseOrResumeCommand("Playing"), "pause AVIvideo");
    EXPECT_EQ(pauseOrResumeCommand("paused"), "resume AVIvideo");
    EXPECT_EQ(pauseOrResumeCommand(""), "resume AVIvideo");
}

TEST(VideoPlayback, AClipWhoseNameHoldsQuotesOpens)
{
    Sandbox box;
    for (const QString name : {"my \"best\" clip.avi", "\"", "end\"", "two\"\"quotes.avi"}) {
        const QString clip = box.programFolder() + "/" + name;
        ASSERT_TRUE(writeClip(clip, ClipSpec{})) << qPrintable(clip);
        MciPlayer player;
        EXPECT_EQ(player.sendString(openSceneCommand(clip)), 0) << qPrintable(openSceneCommand(clip));
        QString length;
        EXPECT_EQ(player.sendString("status AVIvideo length", &length), 0);
        EXPECT_GT(length.toLongLong(), 0) << qPrintable(clip);
    }
}

TEST(VideoPlayback, StatusTimerStopsAClipThatRanOutOrWasClosed)
{
    const struct {
        const char* mode;
        int state;
        bool stops;
    } cases[] = {{"stopped", kPlaying, true},  {"stopped", kStopped, true}, {"stopped", kPausePressed, true},
                 {"paused", kPausePressed, false},
                 {"stopped", kAtStart, false}, {"stopped", kAtEnd, false},  {"playing", kPlaying, false},
                 {"Stopped", kPlaying, false},  // the case as the device gives it
                 {"", kPlaying, true},          // closed for a save: nothing plays
                 {"", kAtStart, true}};
    for (const auto& c : cases)
        EXPECT_EQ(statusEndsPlayback(c.mode, c.state), c.stops) << c.mode << " " << c.state;
}

TEST(SlideShow, DelayTableStartIndexAndCaptions)
{
    const double seconds[] = {0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 3, 6, 10};
    const char* captions[] = {"10ms", "25ms", "50ms", "100ms", "250ms", "0.5s", "1s", "3s", "6s", "10s"};
    for (int i = 0; i < kSlideTimings; ++i) {
        EXPECT_DOUBLE_EQ(slideDelayFor(i), seconds[i]);
        EXPECT_STREQ(slideTimingCaption(i), captions[i]);
    }
    EXPECT_DOUBLE_EQ(slideDelayFor(12), 0.2);
    EXPECT_DOUBLE_EQ(slideDelayFor(-1), 0.2);
    EXPECT_EQ(slideDelayDuration(0.025).count(), 25);
    EXPECT_EQ(slideDelayDuration(0.01).count(), 10);

    const struct {
        int listIndex, count, start;
    } starts[] = {{-1, 3, 0}, {0, 3, 0}, {1, 3, 1}, {2, 3, 0}, {0, 1, 0}, {5, 3, 0}};
    for (const auto& c : starts)
        EXPECT_EQ(slideStartIndex(c.listIndex, c.count), c.start) << c.listIndex << "/" << c.count;
}
