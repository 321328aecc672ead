#include "settings/SettingsFileRead.h"

#include "settings/IniReader.h"
#include "settings/SettingsFilePairs.h"
#include "settings/SettingsFileRepairs.h"

#include <QFile>

#include <cmath>
#include <limits>

namespace {

template <class T>
int storeNumber(double value, T& target)
{
    // The reading rounds to the nearest whole number, ties to the even one.
    const double whole = std::nearbyint(value);
    if (!(whole >= double(std::numeric_limits<T>::min()) &&
          whole <= double(std::numeric_limits<T>::max())))
        return SettingsFailure::Overflow;
    target = static_cast<T>(whole);
    return SettingsFailure::None;
}

struct ValueReader {
    IniReader& reader;
    TextRead textRead;

    int operator()(std::monostate) const
    {
        return reader.readLine() ? SettingsFailure::None : SettingsFailure::InputPastEnd;
    }
    int operator()(QString* text) const
    {
        const auto value = textRead == TextRead::Field ? reader.readField() : reader.readLine();
        if (!value)
            return SettingsFailure::InputPastEnd;
        *text = *value;
        return SettingsFailure::None;
    }
    template <class T>
    int operator()(T* number) const
    {
        const auto value = reader.readNumber();
        return value ? storeNumber(*value, *number) : SettingsFailure::InputPastEnd;
    }
};

void readPairs(IniReader& reader, SettingsModel& s, SettingsReading& reading)
{
    for (const SettingsPair& pair : settingsPairs()) {
        const auto key = reader.readLine();
        if (!key) {
            reading.lastFailure = SettingsFailure::InputPastEnd;
            return;
        }
        if (key->trimmed() != QLatin1String(pair.key)) {
            reading.outOfStep = true;
            return;
        }
        const int failure = std::visit(ValueReader{reader, pair.textRead}, pair.value(s));
        if (failure != SettingsFailure::None)
            reading.lastFailure = failure;
        if (failure == SettingsFailure::InputPastEnd)
            return;
    }
}

}  // namespace

SettingsReading readSettingsFile(SettingsModel& s, const QString& path)
{
    SettingsReading reading;
    if (!QFile::exists(path)) {
        reading.lastFailure = SettingsFailure::FileNotFound;
        return reading;
    }
    auto lines = readIniFileLines(path, &reading.problem);
    if (!lines) {
        reading.lastFailure = SettingsFailure::FileAccess;
        return reading;
    }
    constexpr qsizetype kFirstKeyLine = 2;
    if (lines->size() <= kFirstKeyLine ||
        lines->at(kFirstKeyLine).trimmed() != QLatin1String(settingsPairs().front().key)) {
        reading.broken = true;
        reading.lastFailure = SettingsFailure::FileNotFound;
        return reading;
    }
    IniReader reader(std::move(*lines));
    const auto title = reader.readLine();
    const auto comment = reader.readLine();
    if (!title || !comment) {
        reading.lastFailure = SettingsFailure::InputPastEnd;
        reading.titleLine = title.value_or(QString());
        return reading;
    }
    reading.titleLine = *title;
    readPairs(reader, s, reading);
    return reading;
}
