#include "platform/video/MciCommand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(MciCommand, SplitsVerbDeviceAndWordsWithQuotedNames)
{
    const struct {
        const char* command;
        int error;
        const char* verb;
        const char* device;
        QStringList words;
    } cases[] = {
        {"open \"/tmp/my clip.avi\" alias AVIvideo type AVIVideo", kMciOk, "open", "/tmp/my clip.avi",
         {"alias", "AVIvideo", "type", "AVIVideo"}},
        {"status AVIvideo length ", kMciOk, "status", "AVIvideo", {"length"}},
        {"  PLAY   AVIvideo repeat", kMciOk, "play", "AVIvideo", {"repeat"}},
        {"put AVIvideo destination at 0 0 521 381", kMciOk, "put", "AVIvideo",
         {"destination", "at", "0", "0", "521", "381"}},
        {"open \"/tmp/a.avi alias x", kMciNoClosingQuote, "", "", {}},
        // A doubled quote inside a quoted word is one quote of the word.
        {"open \"/tmp/my \"\"best\"\" clip.avi\" alias AVIvideo", kMciOk, "open", "/tmp/my \"best\" clip.avi",
         {"alias", "AVIvideo"}},
        {"open \"\"\"\" alias x", kMciOk, "open", "\"", {"alias", "x"}},
        {"open \"\" alias x", kMciOk, "open", "", {"alias", "x"}},
        {"open \"a\"\"", kMciNoClosingQuote, "", "", {}},
        {"", kMciUnrecognizedCommand, "", "", {}},
        {"close", kMciInvalidDeviceName, "close", "", {}},
    };
    for (const auto& c : cases) {
        const MciCommand parsed = parseMciCommand(c.command);
        EXPECT_EQ(parsed.error, c.error) << c.command;
        if (c.error != kMciOk)
            continue;
        EXPECT_EQ(parsed.verb, c.verb) << c.command;
        EXPECT_EQ(parsed.device, c.device) << c.command;
        EXPECT_EQ(parsed.words, c.words) << c.command;
    }
}

TEST(MciCommand, TimeFormatsConvertBothWays)
{
    MciTimeFormat format{};
    ASSERT_TRUE(parseTimeFormat("s", format));
    EXPECT_EQ(format, MciTimeFormat::Tenths);
    ASSERT_TRUE(parseTimeFormat("MS", format));
    EXPECT_EQ(format, MciTimeFormat::Milliseconds);
    ASSERT_TRUE(parseTimeFormat("frames", format));
    EXPECT_EQ(format, MciTimeFormat::Frames);
    EXPECT_FALSE(parseTimeFormat("smpte", format));

    const struct {
        qint64 ms;
        MciTimeFormat format;
        double fps;
        qint64 units;
    } cases[] = {
        {3000, MciTimeFormat::Tenths, 10, 30},  {2950, MciTimeFormat::Tenths, 10, 30},
        {2949, MciTimeFormat::Tenths, 10, 29},  {0, MciTimeFormat::Tenths, 10, 0},
        {3000, MciTimeFormat::Frames, 10, 30},  {2999, MciTimeFormat::Frames, 10, 29},
        {1002, MciTimeFormat::Frames, 29.97, 30}, {1234, MciTimeFormat::Milliseconds, 10, 1234},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toTimeUnits(c.ms, c.format, c.fps), c.units) << c.ms << " fps " << c.fps;
    EXPECT_EQ(fromTimeUnits(5, MciTimeFormat::Tenths, 10), 500);
    EXPECT_EQ(fromTimeUnits(7, MciTimeFormat::Frames, 10), 700);
    EXPECT_EQ(toTimeUnits(fromTimeUnits(30, MciTimeFormat::Frames, 29.97), MciTimeFormat::Frames, 29.97), 30);
}

TEST(MciCommand, AbsurdTimesSaturateInsteadOfWrapping)
{
    constexpr qint64 most = std::numeric_limits<qint64>::max();
    constexpr qint64 least = std::numeric_limits<qint64>::min();
    EXPECT_EQ(fromTimeUnits(most, MciTimeFormat::Tenths, 10), most);
    EXPECT_EQ(fromTimeUnits(least, MciTimeFormat::Tenths, 10), least);
    EXPECT_EQ(fromTimeUnits(most, MciTimeFormat::Frames, 10), most);
    EXPECT_EQ(fromTimeUnits(least, MciTimeFormat::Frames, 10), least);
    EXPECT_EQ(fromTimeUnits(most, MciTimeFormat::Frames, 1e-300), most);
    EXPECT_EQ(toTimeUnits(most, MciTimeFormat::Tenths, 10), most / 100);
    EXPECT_EQ(toTimeUnits(most, MciTimeFormat::Frames, 1e300), most);
    EXPECT_EQ(toTimeUnits(least, MciTimeFormat::Frames, 1e300), least);
    EXPECT_EQ(toTimeUnits(1000, MciTimeFormat::Frames, std::nan("")), 0);
    for (const auto& quoted : {QString("a\"b.avi"), QString("\""), QString("x y\"\"z"), QString()})
        EXPECT_EQ(parseMciCommand("open " + quotedMciWord(quoted) + " alias a").device, quoted) << qPrintable(quoted);
}
