#pragma once

#include <QDateTime>
#include <QString>

// The user's date pattern ("DatumSet") when none is stored.
inline constexpr char kDefaultDatePattern[] = "yy-mm-dd";
// The time part of picture and video names: 24-hour clock, points between fields.
inline constexpr char kNameTimePattern[] = "hh.mm.ss";

// Formats a moment with the classic date-pattern letters, case-insensitive:
//   yyyy 4-digit year, yy 2-digit year, y day of the year;
//   m / mm month (or minute right after an hour field), mmm "Jan", mmmm "January";
//   d / dd day, ddd "Sun", dddd "Sunday";
//   h / hh hour, n / nn minute, s / ss second;
//   AM/PM, am/pm, A/P, a/p switch the hours to a 12-hour clock and print the marker.
// Text in double quotes and a character after a backslash are copied as they are;
// every other character is copied too. Names are English whatever the locale.
QString formatDateTime(const QDateTime& when, const QString& pattern);
