#include "core/SettingsModel.h"
#include "viewer/PrintSettings.h"

#include <gtest/gtest.h>

#include <QList>

namespace {

QByteArray titleLine()
{
    return QStringLiteral(";Vyk-Ondrel Tolvex v%1.%2.%3\r\n")
        .arg(ProgramVersion::major)
        .arg(ProgramVersion::minor)
        .arg(ProgramVersion::revision)
        .toLatin1();
}

QByteArray fileOf(const QList<QByteArray>& values, const QByteArray& comments = ";a\r\n;b\r\n")
{
    QByteArray text = comments;
    for (const QByteArray& v : values)
        text += v + "\r\n";
    return text;
}

}  // namespace

TEST(PrintSettingsFile, TheDefaultsByteForByte)
{
    EXPECT_EQ(printSettingsFileText(PrintSettings{}),
              titleLine() + ";Print Settings\r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 100 \r\n 100 \r\n 1 \r\n"
                            " 200 \r\n 200 \r\n 11925 \r\n 8925 \r\n");
}

TEST(PrintSettingsFile, ChosenValuesAndANegativePlace)
{
    PrintSettings s{2, 4, 1, 1, 0, 16000, 4, -15, 3000, 12000, 4005};
    EXPECT_EQ(printSettingsFileText(s), titleLine() + ";Print Settings\r\n 2 \r\n 4 \r\n 1 \r\n 1 \r\n 0 \r\n"
                                                      " 16000 \r\n 4 \r\n-15 \r\n 3000 \r\n 12000 \r\n 4005 \r\n");
    EXPECT_EQ(parsePrintSettings(printSettingsFileText(s)), s);
}

TEST(PrintSettingsFile, ReadingSkipsTheCommentsAndRoundsHalvesToEven)
{
    const auto s = parsePrintSettings(fileOf({" 0 ", "3", " 1 ", "1", " 50 ", " 16000 ", " 4 ", " 200.5 ",
                                              " 201.5 ", " 11925.5 ", " 8924.5 "},
                                             "anything at all\nmore\n"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->QualityIndex, 0);
    EXPECT_EQ(s->PaperIndex, 3);
    EXPECT_EQ(s->ColorIndex, 1);
    EXPECT_EQ(s->OrientIndex, 1);
    EXPECT_EQ(s->MarginX, 50);
    EXPECT_EQ(s->MarginY, 16000);
    EXPECT_EQ(s->ZoomIndex, 4);
    EXPECT_EQ(s->top, 200);
    EXPECT_EQ(s->left, 202);
    EXPECT_EQ(s->width, 11926);
    EXPECT_EQ(s->height, 8924);
}

TEST(PrintSettingsFile, ABadOrMissingValueGivesNothing)
{
    const QList<QByteArray> good = {"1", "1", "0", "0", "100", "100", "1", "200", "200", "11925", "8925"};
    ASSERT_TRUE(parsePrintSettings(fileOf(good)));
    struct Case {
        const char* name;
        int line;
        QByteArray value;
    };
    const Case cases[] = {
        {"not a number", 3, "abc"}, {"empty line", 0, ""},      {"number and text", 9, "12 cm"},
        {"Integer overflow", 4, "40000"}, {"Long overflow", 10, "3000000000"}, {"infinity", 7, "inf"},
    };
    for (const Case& c : cases) {
        QList<QByteArray> values = good;
        values[c.line] = c.value;
        EXPECT_FALSE(parsePrintSettings(fileOf(values))) << c.name;
    }
    EXPECT_FALSE(parsePrintSettings(fileOf(good.mid(0, 10)))) << "a short file";
    EXPECT_FALSE(parsePrintSettings(""));
}

TEST(PrintSettingsFile, HandEditedValuesOutOfRangeTakeTheirDefaults)
{
    const auto s = parsePrintSettings(fileOf({"3", "-1", "2", "7", "-50", "16001", "5", "1", "2", "3", "4"}));
    ASSERT_TRUE(s);
    PrintSettings expected;
    expected.top = 1;
    expected.left = 2;
    expected.width = 3;
    expected.height = 4;
    EXPECT_EQ(*s, expected);
}

TEST(PrintPage, PaperSizesOrientationZoomAndMarginLabels)
{
    EXPECT_EQ(pageSizeTwips(0, 0), QSize(16200, 24200));
    EXPECT_EQ(pageSizeTwips(1, 0), QSize(12100, 16200));
    EXPECT_EQ(pageSizeTwips(2, 0), QSize(8100, 12100));
    EXPECT_EQ(pageSizeTwips(3, 0), QSize(12240, 15840));
    EXPECT_EQ(pageSizeTwips(4, 0), QSize(12240, 20592));
    EXPECT_EQ(pageSizeTwips(3, 1), QSize(15840, 12240));
    EXPECT_EQ(pageSizeTwips(5, 0), QSize());

    const std::pair<double, double> zooms[] = {{100, 1}, {0, 1}, {75, 1.5}, {50, 2}, {35, 3}, {25, 4}, {10, 10}};
    for (auto [zoom, divisor] : zooms)
        EXPECT_EQ(zoomDivisor(zoom), divisor) << zoom;

    EXPECT_EQ(marginLabelText(0), "0000");
    EXPECT_EQ(marginLabelText(50), "0050");
    EXPECT_EQ(marginLabelText(100), "0100");
    EXPECT_EQ(marginLabelText(16000), "16000");
}
