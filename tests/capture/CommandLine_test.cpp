#include "capture/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, Switches)
{
    const struct {
        const char* line;
        int startMode;
        bool reset, second, start, device;
        int deviceIndex;
        bool record;
    } cases[] = {
        {"", -1, false, false, false, false, 0, false},
        {"/minimize", 1, false, false, false, false, 0, false},
        {"/tiny", 2, false, false, false, false, 0, false},
        {"/minimize /tiny", 3, false, false, false, false, 0, false},
        {"/TINY /Minimize", 3, false, false, false, false, 0, false},
        {"/device7", -1, false, false, false, true, 7, false},
        {"/devicex", -1, false, false, false, true, 0, false},
        {"/device", -1, false, false, false, true, 0, false},
        {"/start /2", -1, false, true, true, false, 0, false},
        {"/2 /start", -1, false, false, true, false, 0, false},
        {"/start /2 ", -1, false, false, true, false, 0, false},
        {"  /RESET", -1, true, false, false, false, 0, false},
        {"/record", -1, false, false, false, false, 0, true},
    };
    for (const auto& c : cases) {
        const auto sw = parseCommandLine(c.line);
        EXPECT_EQ(sw.startMode(), c.startMode) << c.line;
        EXPECT_EQ(sw.reset, c.reset) << c.line;
        EXPECT_EQ(sw.secondCopy, c.second) << c.line;
        EXPECT_EQ(sw.start, c.start) << c.line;
        EXPECT_EQ(sw.device, c.device) << c.line;
        EXPECT_EQ(sw.deviceIndex, c.deviceIndex) << c.line;
        EXPECT_EQ(sw.record, c.record) << c.line;
    }
}
