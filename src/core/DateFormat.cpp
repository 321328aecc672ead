#include "core/DateFormat.h"

#include <array>

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDayNames = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// The forms of the 12-hour marker, longest first so "AM/PM" wins over "A/P".
constexpr std::array<const char*, 2> kMarkers = {"AM/PM", "A/P"};

QString twoDigits(int value) { return QString::number(value).rightJustified(2, '0'); }

QString name(const char* full, bool shortForm)
{
    const QString text = QString::fromLatin1(full);
    return shortForm ? text.left(3) : text;
}

int runLength(const QString& pattern, qsizetype from)
{
    const QChar letter = pattern[from].toLower();
    qsizetype end = from;
    while (end < pattern.size() && pattern[end].toLower() == letter)
        ++end;
    return static_cast<int>(end - from);
}

// The marker that starts at `at`, or 0 when none does.
qsizetype markerLength(const QString& pattern, qsizetype at)
{
    for (const char* marker : kMarkers) {
        const QString m = QString::fromLatin1(marker);
        if (pattern.mid(at, m.size()).compare(m, Qt::CaseInsensitive) == 0)
            return m.size();
    }
    return 0;
}

bool hasMarker(const QString& pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i)
        if (markerLength(pattern, i) > 0)
            return true;
    return false;
}

// Writes the marker in the letter case the pattern gives it: "AM/PM" -> "PM", "a/p" -> "p".
QString markerText(const QString& written, bool afternoon)
{
    const qsizetype slash = written.indexOf('/');
    return afternoon ? written.mid(slash + 1) : written.left(slash);
}

class Formatter {
public:
    Formatter(const QDateTime& when, const QString& pattern)
        : date_(when.date()), time_(when.time()), pattern_(pattern),
          twelveHour_(hasMarker(pattern)) {}

    QString run()
    {
        while (pos_ < pattern_.size())
            step();
        return out_;
    }

private:
    void step()
    {
        const QChar c = pattern_[pos_];
        if (c == '"')
            return quoted();
        if (c == '\\')
            return escaped();
        if (const qsizetype len = markerLength(pattern_, pos_)) {
            out_ += markerText(pattern_.mid(pos_, len), time_.hour() >= 12);
            pos_ += len;
            afterHour_ = false;
            return;
        }
        if (!field(c.toLower().toLatin1())) {
            out_ += c;
            ++pos_;
        }
    }

    void quoted()
    {
        const qsizetype close = pattern_.indexOf('"', pos_ + 1);
        const qsizetype end = close < 0 ? pattern_.size() : close;
        out_ += pattern_.mid(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
    }

    void escaped()
    {
        if (pos_ + 1 < pattern_.size())
            out_ += pattern_[pos_ + 1];
        pos_ += 2;
    }

    // Handles a date or time field starting at pos_; false when c starts none.
    bool field(char c)
    {
        const int run = runLength(pattern_, pos_);
        int used = 0;
        bool isHour = false;
        switch (c) {
        case 'y': used = year(run); break;
        case 'm': used = monthOrMinute(run); break;
        case 'd': used = day(run); break;
        case 'h': used = hour(run); isHour = true; break;
        case 'n': used = twoOrOne(run, time_.minute()); break;
        case 's': used = twoOrOne(run, time_.second()); break;
        default: return false;
        }
        pos_ += used;
        afterHour_ = isHour;
        return true;
    }

    int year(int run)
    {
        if (run >= 4) {
            out_ += QString::number(date_.year()).rightJustified(4, '0');
            return 4;
        }
        if (run >= 2) {
            out_ += twoDigits(date_.year() % 100);
            return 2;
        }
        out_ += QString::number(date_.dayOfYear());
        return 1;
    }

    int monthOrMinute(int run)
    {
        if (run >= 3) {
            const int used = run >= 4 ? 4 : 3;
            out_ += name(kMonthNames[date_.month() - 1], used == 3);
            return used;
        }
        return twoOrOne(run, afterHour_ ? time_.minute() : date_.month());
    }

    int day(int run)
    {
        if (run >= 3) {
            const int used = run >= 4 ? 4 : 3;
            out_ += name(kDayNames[date_.dayOfWeek() - 1], used == 3);
            return used;
        }
        return twoOrOne(run, date_.day());
    }

    int hour(int run)
    {
        int h = time_.hour();
        if (twelveHour_) {
            h %= 12;
            if (h == 0)
                h = 12;
        }
        return twoOrOne(run, h);
    }

    int twoOrOne(int run, int value)
    {
        if (run >= 2) {
            out_ += twoDigits(value);
            return 2;
        }
        out_ += QString::number(value);
        return 1;
    }

    QDate date_;
    QTime time_;
    const QString& pattern_;
    bool twelveHour_;
    bool afterHour_ = false;
    qsizetype pos_ = 0;
    QString out_;
};

}  // namespace

QString formatDateTime(const QDateTime& when, const QString& pattern)
{
    return Formatter(when, pattern).run();
}
