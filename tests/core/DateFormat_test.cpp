#include "core/DateFormat.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    const char* pattern;
    QTime time;
    const char* expected;
};

// Wednesday 9 December 2026, the 343rd day of the year.
const QDate kDay(2026, 12, 9);

const DateCase kCases[] = {
    {"yy-mm-dd", QTime(8, 5, 3), "26-12-09"},
    {"YYYY-MM-DD", QTime(8, 5, 3), "2026-12-09"},
    {"m/d/yy", QTime(8, 5, 3), "12/9/26"},
    {"y", QTime(8, 5, 3), "343"},
    {"mmm mmmm", QTime(8, 5, 3), "Dec December"},
    {"ddd dddd", QTime(8, 5, 3), "Wed Wednesday"},
    {"hh.mm.ss", QTime(8, 5, 3), "08.05.03"},
    {"h:m:s", QTime(8, 5, 3), "8:5:3"},
    {"hh:nn", QTime(8, 5, 3), "08:05"},
    {"n", QTime(8, 5, 3), "5"},
    // m/mm after an hour field is the minute, anywhere else the month.
    {"mm-hh-mm", QTime(8, 5, 3), "12-08-05"},
    {"hh mmm", QTime(8, 5, 3), "08 Dec"},
    {"hh dd mm", QTime(8, 5, 3), "08 09 12"},
    {"hh:mm AM/PM", QTime(14, 30, 45), "02:30 PM"},
    {"h am/pm", QTime(0, 30, 45), "12 am"},
    {"h a/p", QTime(14, 30, 45), "2 p"},
    {"hh", QTime(14, 30, 45), "14"},
    {"\"Day\" d", QTime(8, 5, 3), "Day 9"},
    {"\\d\\m d", QTime(8, 5, 3), "dm 9"},
    {"yy\"unclosed", QTime(8, 5, 3), "26unclosed"},
    {"yyyyy", QTime(8, 5, 3), "2026343"},
    {"dd.mm.yy_", QTime(8, 5, 3), "09.12.26_"},
    {"", QTime(8, 5, 3), ""},
};

}  // namespace

TEST(DateFormat, FormatsEveryPatternLetter)
{
    for (const DateCase& c : kCases) {
        const QDateTime when(kDay, c.time);
        EXPECT_EQ(formatDateTime(when, c.pattern), QString(c.expected)) << "pattern " << c.pattern;
    }
}

TEST(DateFormat, NamesAreEnglishForEveryMonthAndDay)
{
    const char* months[] = {"January", "February", "March", "April", "May", "June",
                            "July", "August", "September", "October", "November", "December"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(formatDateTime(QDateTime(QDate(2026, m, 1), QTime(0, 0)), "mmmm"), months[m - 1]);
    // 7 to 13 December 2026 run from Monday to Sunday.
    const char* days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(formatDateTime(QDateTime(QDate(2026, 12, 7 + d), QTime(0, 0)), "ddd"), days[d]);
}
