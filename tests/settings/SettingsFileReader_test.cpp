#include "settings/IniReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

TEST(IniLines, EndAtCrLfLfOrCrAndAnEmptyTailIsNoLine)
{
    EXPECT_EQ(splitIniLines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(splitIniLines("a\r\n\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(splitIniLines("a\n"), QStringList({"a"}));
    EXPECT_TRUE(splitIniLines("").isEmpty());
}

TEST(IniReader, LineReadKeepsTheWholeLine)
{
    IniReader r({"  C:/a, b \"c\"  ", ""});
    EXPECT_EQ(r.readLine(), QString("  C:/a, b \"c\"  "));
    EXPECT_EQ(r.readLine(), QString(""));
    EXPECT_EQ(r.readLine(), std::nullopt);
}

struct FieldCase {
    const char* line;
    const char* value;
    std::optional<const char*> next;  // what the following line read returns
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << '"' << c.line << '"';
}

class IniFieldRead : public testing::TestWithParam<FieldCase> {};

TEST_P(IniFieldRead, FollowsInputRules)
{
    const FieldCase& c = GetParam();
    IniReader r({c.line, "following"});
    EXPECT_EQ(r.readField(), QString(c.value));
    EXPECT_EQ(r.readLine(), QString(c.next.value_or("following")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFieldRead,
    testing::Values(FieldCase{"", "", std::nullopt},
                    FieldCase{"   /usr/bin/gimp", "/usr/bin/gimp", std::nullopt},
                    FieldCase{"gimp ", "gimp ", std::nullopt},
                    FieldCase{"C:/Prog, Inc/ed.exe", "C:/Prog", " Inc/ed.exe"},
                    FieldCase{"a,", "a", ""},
                    FieldCase{" \"C:/Prog, Inc/ed.exe\"", "C:/Prog, Inc/ed.exe", std::nullopt},
                    FieldCase{"\"ab\" tail", "ab", std::nullopt},
                    FieldCase{"\"ab\" tail,rest", "ab", "rest"},
                    FieldCase{"\"say \"\"hi\"\"\"", "say \"hi\"", std::nullopt},
                    FieldCase{"\"never closed, at all", "never closed, at all", std::nullopt}));

struct NumberCase {
    const char* line;
    double value;
    std::optional<const char*> next;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << '"' << c.line << '"';
}

class IniNumberRead : public testing::TestWithParam<NumberCase> {};

TEST_P(IniNumberRead, FollowsInputRules)
{
    const NumberCase& c = GetParam();
    IniReader r({c.line, "following"});
    EXPECT_EQ(r.readNumber(), c.value);
    EXPECT_EQ(r.readLine(), QString(c.next.value_or("following")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniNumberRead,
    testing::Values(NumberCase{" 25 ", 25, std::nullopt}, NumberCase{"-1 ", -1, std::nullopt},
                    NumberCase{"", 0, std::nullopt}, NumberCase{"   ", 0, std::nullopt},
                    NumberCase{"\t7", 7, std::nullopt}, NumberCase{" 2.5 ", 2.5, std::nullopt},
                    NumberCase{"1E3", 1000, std::nullopt}, NumberCase{"+.5", 0.5, std::nullopt},
                    NumberCase{" 3,[Next]", 3, "[Next]"}, NumberCase{" 3 , x", 3, " x"},
                    // No number, or text after it: the leading numeric part counts.
                    NumberCase{"abc", 0, std::nullopt}, NumberCase{"[PicturePath]", 0, std::nullopt},
                    NumberCase{"12abc", 12, std::nullopt}, NumberCase{" 4 5", 4, std::nullopt},
                    NumberCase{" 4 text,more", 4, "more"}, NumberCase{"-", 0, std::nullopt},
                    NumberCase{"1E", 1, std::nullopt}));

TEST(IniReader, EveryReadFailsPastTheEnd)
{
    IniReader r({"x,"});
    EXPECT_EQ(r.readField(), QString("x"));
    EXPECT_FALSE(r.atEnd());
    EXPECT_EQ(r.readNumber(), 0.0);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readNumber(), std::nullopt);
    EXPECT_EQ(r.readField(), std::nullopt);
    EXPECT_EQ(r.readLine(), std::nullopt);
}
