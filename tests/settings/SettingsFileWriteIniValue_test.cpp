#include "SettingsFileTestSupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>

TEST(WriteIniValue, GrowsTheFileByOneEmptyLinePerCallUpTo131Lines)
{
    Sandbox box;
    const QStringList saved = defaultFileLines(box);
    ASSERT_EQ(saved.size(), 128);
    SettingsModel s = modelIn(box);

    WriteIniValue(s, "[Device]", QVariant::fromValue<int32_t>(2));
    QStringList lines = iniLines(box);
    ASSERT_EQ(lines.size(), 129);
    EXPECT_EQ(lines[3], " 2 ");
    EXPECT_EQ(lines[128], "");
    lines.removeLast();
    EXPECT_EQ(lines, withValue(saved, "[Device]", " 2 "));

    for (int i = 0; i < 4; ++i)
        WriteIniValue(s, "[NoConfirmDelete]", QVariant::fromValue<int16_t>(-1));
    lines = iniLines(box);
    EXPECT_EQ(lines.size(), 131);
    EXPECT_EQ(lines.mid(0, 128), withValue(saved, "[Device]", " 2 "));
    EXPECT_EQ(box.readFile("Tolvex.ini").count("\r\n"), 131);

    SettingsModel back = modelIn(box);
    QString name;
    LoadSettings(back, name, nullptr);
    EXPECT_EQ(back.CaptureDevice, 2);
    EXPECT_EQ(iniLines(box).size(), 131);  // a longer file is still in step
}

TEST(WriteIniValue, WritesTextAsItIsAndTheLastOccurrenceWins)
{
    Sandbox box;
    box.writeFile("Tolvex.ini", "[Key]\r\nold\r\n[Key]\r\nold\r\nrest\r\n");
    WriteIniValue(modelIn(box), "[Key]", QString("new, text"));
    EXPECT_EQ(iniLines(box), QStringList({"[Key]", "old", "[Key]", "new, text", "rest", ""}));
}

TEST(WriteIniValue, KeyOnTheLastLineGetsItsValueAsTheNewLine)
{
    Sandbox box;
    box.writeFile("Tolvex.ini", "a\nb\n  [Device] \n");
    WriteIniValue(modelIn(box), "[Device]", 7);
    EXPECT_EQ(iniLines(box), QStringList({"a", "b", "  [Device] ", " 7 "}));
}

TEST(WriteIniValue, WritesNothingWithoutAMatchingKey)
{
    Sandbox box;
    defaultFileLines(box);
    const QByteArray before = box.readFile("Tolvex.ini");
    const SettingsModel s = modelIn(box);
    WriteIniValue(s, "[device]", 2);  // the key match is case-sensitive
    WriteIniValue(s, "[Nothing]", 2);
    WriteIniValue(s, "[", 2);
    WriteIniValue(s, "", 2);
    EXPECT_EQ(box.readFile("Tolvex.ini"), before);
}

TEST(WriteIniValue, MissingFileStaysMissing)
{
    Sandbox box;
    WriteIniValue(modelIn(box), "[Device]", 2);
    EXPECT_FALSE(QFileInfo::exists(iniPath(box)));
}

TEST(WriteIniValue, LongerFileLosesNoLine)
{
    Sandbox box;
    QStringList lines;
    for (int i = 0; i < 140; ++i)
        lines << QString("line %1").arg(i);
    lines[135] = "[NoConfirmDelete]";
    writeIni(box, lines);
    WriteIniValue(modelIn(box), "[NoConfirmDelete]", QVariant::fromValue<int16_t>(1));
    lines[136] = " 1 ";
    EXPECT_EQ(iniLines(box), lines);
}

TEST(WriteIniValue, SecondInstancePatchesItsOwnFileForTheOwnerOnly)
{
    Sandbox box;
    box.writeFile("Tolvex.ini", "[Device]\r\n 0 \r\n");
    box.writeFile("Tolvex2.ini", "[Device]\r\n 0 \r\n");
    SettingsModel s = modelIn(box);
    s.SecondInstance = -1;
    WriteIniValue(s, "[Device]", 4);
    EXPECT_EQ(box.readFile("Tolvex2.ini"), "[Device]\r\n 4 \r\n\r\n");
    EXPECT_EQ(box.readFile("Tolvex.ini"), "[Device]\r\n 0 \r\n");
    EXPECT_EQ(fileMode(box.programFolder() + "/Tolvex2.ini"), 0600u);
}

TEST(WriteIniValue, FullDiskKeepsTheOldFile)
{
    Sandbox box;
    defaultFileLines(box);
    const QByteArray before = box.readFile("Tolvex.ini");
    {
        FileSizeLimitScope noRoom(100);
        WriteIniValue(modelIn(box), "[Device]", 2);
    }
    EXPECT_EQ(box.readFile("Tolvex.ini"), before);
}
