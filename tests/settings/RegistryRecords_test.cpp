#include "Sandbox.h"
#include "settings/RegistryRecords.h"

#include <gtest/gtest.h>

namespace {

struct Records : ::testing::Test {
    Sandbox box;
    Registry reg;
    SettingsModel s;
    Records() { s.AppPath = box.programFolder(); }
};

}  // namespace

TEST_F(Records, FirstStartWritesProgramValuesAndRepairsButNoWindowValues)
{
    loadStartupRecords(s, reg);
    EXPECT_EQ(reg.get("Path"), box.programFolder());
    EXPECT_EQ(reg.get("Version"), "1.0.0");
    EXPECT_EQ(reg.get("EXE"), "Tolvex.exe");
    EXPECT_EQ(reg.get("B_IndexSize"), "324000");
    EXPECT_EQ(reg.get("DatumSet"), "yy-mm-dd");
    EXPECT_EQ(s.BIndexSize, 324000);
    EXPECT_EQ(s.DateFormat, "yy-mm-dd");
    for (const char* key : {"Top", "Left", "Width", "Height"})
        EXPECT_FALSE(reg.contains("Tolvex", key)) << key;
}

TEST_F(Records, IndexSizeIsRepairedAndWrittenBackOnlyWhenOutOfRange)
{
    const struct {
        const char* stored;
        int32_t value;
        const char* after;
    } cases[] = {
        {"0", 324000, "324000"},       {"-5", 324000, "324000"},   {"324001", 324000, "324000"},
        {"abc", 324000, "324000"},     {"1000", 1000, "1000"},     {"324000", 324000, "324000"},
        {"2500 entries", 2500, "2500 entries"}, {"12.9", 12, "12.9"},
    };
    for (const auto& c : cases) {
        reg.save("B_IndexSize", c.stored);
        loadStartupRecords(s, reg);
        EXPECT_EQ(s.BIndexSize, c.value) << c.stored;
        EXPECT_EQ(reg.get("B_IndexSize"), c.after) << c.stored;
    }
}

TEST_F(Records, StoredDatePatternIsKept)
{
    reg.save("DatumSet", "dd-mm-yyyy");
    loadStartupRecords(s, reg);
    EXPECT_EQ(s.DateFormat, "dd-mm-yyyy");
}

TEST_F(Records, WindowPositionStopsAtTheFirstMissingOrBrokenValue)
{
    s.MainTop = s.MainLeft = s.MainHeight = s.MainWidth = 1;
    EXPECT_FALSE(LoadWindowPosition(s, reg));
    EXPECT_EQ(s.MainTop, 1);

    reg.save("Top", "300");
    reg.save("Left", "x12");
    reg.save("Height", "150");
    EXPECT_FALSE(LoadWindowPosition(s, reg));
    EXPECT_EQ(s.MainTop, 300);
    EXPECT_EQ(s.MainLeft, 1);
    EXPECT_EQ(s.MainHeight, 1);  // not read, and the repairs were skipped
}

TEST_F(Records, WindowSizeRepairs)
{
    const struct {
        const char* height;
        const char* width;
        int32_t h, w;
    } cases[] = {{"150", "199", 5655, 7125}, {"200", "200", 200, 200}, {" 6000 ", "8000", 6000, 8000}};
    for (const auto& c : cases) {
        reg.save("Top", "0");
        reg.save("Left", "-15");
        reg.save("Height", c.height);
        reg.save("Width", c.width);
        EXPECT_TRUE(LoadWindowPosition(s, reg));
        EXPECT_EQ(s.MainLeft, -15);
        EXPECT_EQ(s.MainHeight, c.h) << c.height;
        EXPECT_EQ(s.MainWidth, c.w) << c.width;
    }
}

TEST_F(Records, SaveRegistryWritesEveryValueAndRepairsTheIndexSize)
{
    s.MainTop = 15;
    s.MainLeft = 30;
    s.MainWidth = 7500;
    s.MainHeight = 6000;
    s.BIndexSize = 0;
    SaveRegistry(s, reg);
    EXPECT_EQ(reg.get("Path"), box.programFolder());
    EXPECT_EQ(reg.get("Top"), "15");
    EXPECT_EQ(reg.get("Left"), "30");
    EXPECT_EQ(reg.get("Width"), "7500");
    EXPECT_EQ(reg.get("Height"), "6000");
    EXPECT_EQ(reg.get("B_IndexSize"), "324000");
    EXPECT_EQ(s.BIndexSize, 324000);
    SettingsModel back;
    EXPECT_TRUE(LoadWindowPosition(back, reg));
    EXPECT_EQ(back.MainWidth, 7500);
}
