#include "Sandbox.h"
#include "capture/CaptureSizes.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString joined(const ResolutionArray& entries)
{
    QStringList all;
    for (const QString& e : entries)
        all << e;
    return all.join('|');
}

}  // namespace

TEST(CaptureSizes, ProbeTableAndStandardList)
{
    const auto& sizes = probeSizes();
    EXPECT_EQ(sizes.front(), QSize(720, 480));
    EXPECT_EQ(sizes[6], QSize(1280, 720));
    EXPECT_EQ(sizes.back(), QSize(1600, 1280));
    EXPECT_EQ(joined(standardResolutions()),
              "160x120@24|176x144@24|320x240@24|352x288@24|640x480@24|||||||||||");
}

TEST(CaptureSizes, PlanPerMode)
{
    struct Case {
        int mode;
        bool checked;
        bool skip, readCache, writeCache;
    };
    const Case cases[] = {
        {kProbeByCache, false, false, true, true},  {kProbeByCache, true, false, false, true},
        {kProbeAlways, false, false, false, false}, {kProbeAlways, true, false, false, false},
        {kProbeNever, false, true, false, false},   {kProbeNever, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " checked " << c.checked);
        const SizeCheckPlan plan = planSizeCheck(c.mode, c.checked);
        EXPECT_EQ(plan.skip, c.skip);
        EXPECT_EQ(plan.readCache, c.readCache);
        EXPECT_EQ(plan.writeCache, c.writeCache);
    }
}

TEST(CaptureSizes, NoticesFollowTheProbe)
{
    QStringList all;
    for (int i = 0; i < 12; ++i)
        all << probeNoticeTexts(i);
    EXPECT_EQ(all, QStringList({"Checking Device Resolutions", "Please wait...", "Checking Device Resolutions",
                                "Please wait...", "Checking Capabilities...Wait..", "Checking Device Resolutions",
                                "Please wait...", "We are almost there...", "Checking Device Resolutions",
                                "Please wait..."}));
}

TEST(CaptureSizes, RecordIsTheNameLineThenTheSizesLine)
{
    ResolutionArray entries = standardResolutions();
    entries[5] = "1280x720@24";
    entries[7] = "x";  // shorter than two characters: left out
    EXPECT_EQ(formatCacheRecord("Tolvex Test Pattern", entries),
              "Tolvex Test Pattern\r\n;160x120@24;176x144@24;320x240@24;352x288@24;640x480@24;1280x720@24\r\n");
}

TEST(CaptureSizes, CacheLookUp)
{
    const QByteArray twoDevices = "Cam A\r\n;160x120@24;800x600@24\r\nCam B\r\n;320x240@24\r\n";
    struct Case {
        const char* what;
        QByteArray text;
        QString device;
        int fields;  // -1: not found
        QString entries;
    };
    const Case cases[] = {
        {"first of two", twoDevices, "Cam A", 3, "|160x120@24|800x600@24|||||||||||||"},
        {"second of two", twoDevices, "Cam B", 2, "|320x240@24||||||||||||||"},
        {"unknown device", twoDevices, "Cam C", -1, {}},
        {"case matters", twoDevices, "cam a", -1, {}},
        {"whole line only", twoDevices, "Cam", -1, {}},
        {"later record wins", "Cam A\r\n;1x1@24\r\nCam A\r\n;2x2@24;3x3@24\r\n", "Cam A", 3,
         "|2x2@24|3x3@24|||||||||||||"},
        {"short lines dropped", "\r\nAB\r\nCam A\r\n\r\n;9x9@24\r\n", "Cam A", 2, "|9x9@24||||||||||||||"},
        {"bare line ends", "Cam A\n;4x4@24\n", "Cam A", 2, "|4x4@24||||||||||||||"},
        {"name without sizes line", "Cam A\r\n", "Cam A", -1, {}},
        {"more than sixteen fields", "Cam A\r\n" + QByteArray(";1x1@24").repeated(20) + "\r\n", "Cam A", 21,
         "|" + QStringList(15, "1x1@24").join('|')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto found = findCachedSizes(c.text, c.device);
        ASSERT_EQ(found.has_value(), c.fields >= 0);
        if (!found)
            continue;
        EXPECT_EQ(found->fieldCount, c.fields);
        EXPECT_EQ(joined(found->entries), c.entries);
    }
}

TEST(CaptureSizes, RecordsBeyondTheFiftyFirstLineAreNotFound)
{
    QByteArray text;
    for (int i = 0; i < 25; ++i)
        text += QByteArray("Device ") + QByteArray::number(i) + "\r\n;1x1@24\r\n";
    text += "Late\r\n;2x2@24\r\n";  // its name is line 51, its sizes line 52
    EXPECT_TRUE(findCachedSizes(text, "Device 24").has_value());
    EXPECT_FALSE(findCachedSizes(text, "Late").has_value());
}

TEST(CaptureSizes, AppendKeepsEarlierRecords)
{
    Sandbox box;
    const QString path = box.programFolder() + "/DevicesDatabase.log";
    QDir().mkpath(box.programFolder());
    ResolutionArray entries = standardResolutions();
    entries[5] = "800x600@24";
    ASSERT_TRUE(appendCacheRecord(path, "Cam A", entries).ok);
    entries[5] = "1280x720@24";
    ASSERT_TRUE(appendCacheRecord(path, "Cam B", entries).ok);
    const QByteArray text = box.readFile("DevicesDatabase.log");
    EXPECT_EQ(text.count("\r\n"), 4);
    EXPECT_EQ(findCachedSizes(text, "Cam A")->entries[6], "800x600@24");
    EXPECT_EQ(findCachedSizes(text, "Cam B")->entries[6], "1280x720@24");
}

TEST(CaptureSizes, AppendStartsOnANewLineAfterALastLineWithoutItsEnd)
{
    Sandbox box;
    const QString path = box.programFolder() + "/DevicesDatabase.log";
    QDir().mkpath(box.programFolder());
    box.writeFile("DevicesDatabase.log", "Other Cam\r\n;160x120@24;176x144@24;320x240@24");
    ResolutionArray entries = standardResolutions();
    entries[5] = "800x600@24";
    ASSERT_TRUE(appendCacheRecord(path, "Tolvex Test Pattern", entries).ok);
    const QByteArray text = box.readFile("DevicesDatabase.log");
    EXPECT_FALSE(text.contains("@24Tolvex")) << text.constData();
    const auto mine = findCachedSizes(text, "Tolvex Test Pattern");
    ASSERT_TRUE(mine.has_value()) << text.constData();
    EXPECT_EQ(mine->entries[6], "800x600@24");
    const auto other = findCachedSizes(text, "Other Cam");
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->fieldCount, 4);
    EXPECT_EQ(other->entries[3], "320x240@24");
}

TEST(CaptureSizes, AppendLeavesAnUnreadableCacheAlone)
{
    Sandbox box;
    const QString path = box.programFolder() + "/DevicesDatabase.log";
    QDir().mkpath(path);  // a folder where the file should be
    EXPECT_FALSE(appendCacheRecord(path, "Cam A", standardResolutions()).ok);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(CaptureSizes, EntriesParse)
{
    struct Case {
        QString entry;
        int width, height, bits;
    };
    const Case cases[] = {
        {"1280x720@24", 1280, 720, 24}, {"640x480", 640, 480, 0},  {"320x240@16", 320, 240, 16},
        {"", 0, 0, 0},                  {"garbage", 0, 0, 0},      {"800x@24", 800, 0, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        const ResolutionEntry e = parseResolutionEntry(c.entry);
        EXPECT_EQ(e.width, c.width);
        EXPECT_EQ(e.height, c.height);
        EXPECT_EQ(e.bits, c.bits);
    }
}

TEST(CaptureSizes, ChosenFormatAndItsBitCount)
{
    struct Case {
        QString entry;
        int32_t depth;
        QSize size;
        quint16 bits;
        int32_t depthAfter;
    };
    const Case cases[] = {
        {"640x480@24", kDepthAuto, {640, 480}, 24, 24}, {"640x480@24", kDepthYuy2, {640, 480}, 16, kDepthYuy2},
        {"640x480@24", kDepthI420, {640, 480}, 32, kDepthI420}, {"640x480", kDepthAuto, {640, 480}, 24, kDepthAuto},
        {"1280x720@16", kDepthAuto, {1280, 720}, 16, 16},       {"1280x720@24", 32, {1280, 720}, 32, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        const ChosenFormat f = chosenFormat(c.entry, c.depth);
        EXPECT_EQ(f.size, c.size);
        EXPECT_EQ(f.bitCount, c.bits);
        EXPECT_EQ(f.colorDepth, c.depthAfter);
    }
    EXPECT_EQ(refusedFormatTitle(chosenFormat("1280x720@24", 0)), "Invallid Videoformat: 1280x720@24");
}

TEST(CaptureSizes, ChooserItemsAndPreselection)
{
    ResolutionArray entries;
    entries[1] = "160x120@24";
    entries[2] = "640x480@24";
    entries[4] = "1280x720";
    entries[6] = "640x480@16";
    const QList<ResolutionItem> items = resolutionItems(entries);
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0].text, "160x120");
    EXPECT_EQ(items[0].entryIndex, 1);
    EXPECT_EQ(items[2].text, "1280x720");
    EXPECT_EQ(items[2].entryIndex, 4);
    EXPECT_EQ(preselectedItem(items, {640, 480}), 3) << "the last matching entry";
    EXPECT_EQ(preselectedItem(items, {1280, 720}), 2);
    EXPECT_EQ(preselectedItem(items, {40, 480}), -1) << "a size inside another is no match";
}

TEST(CaptureSizes, WindowFit)
{
    const WindowFit wide = fitWindowToCapture({1280, 720}, {352, 288}, 96, 52, 22, 48);
    EXPECT_TRUE(wide.grow);
    EXPECT_EQ(wide.outerPixels, QSize(96 + 1280 + 22, 52 + 720 + 48));
    EXPECT_FALSE(fitWindowToCapture({320, 240}, {352, 288}, 96, 52, 22, 48).grow);
    EXPECT_FALSE(fitWindowToCapture({352, 288}, {352, 288}, 96, 52, 22, 48).grow);
}
