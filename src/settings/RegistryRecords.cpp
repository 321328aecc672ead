#include "settings/RegistryRecords.h"

#include "settings/IniReader.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr int32_t kMaxIndexSize = 324000;

// A whole 32-bit number from a stored text, as a strict conversion would give it:
// blanks around it are fine, anything else is a failure. Fractions round half to even.
std::optional<int32_t> toLong(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double r = std::nearbyint(v);  // the default rounding mode is to nearest even
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(r);
}

}  // namespace

QString programVersionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(ProgramVersion::major)
        .arg(ProgramVersion::minor)
        .arg(ProgramVersion::revision);
}

namespace {

// Where the program is and which version last ran there.
QList<std::pair<QString, QString>> programRecords(const SettingsModel& s)
{
    return {{"Path", s.AppPath}, {"Version", programVersionText()}, {"EXE", "Tolvex.exe"}};
}

}  // namespace

void SaveRegistry(SettingsModel& s, Registry& reg)
{
    if (s.BIndexSize < 1)
        s.BIndexSize = kMaxIndexSize;
    QList<std::pair<QString, QString>> records = programRecords(s);
    records += {{"Top", QString::number(s.MainTop)},
                {"Left", QString::number(s.MainLeft)},
                {"Width", QString::number(s.MainWidth)},
                {"Height", QString::number(s.MainHeight)},
                {"B_IndexSize", QString::number(s.BIndexSize)}};
    reg.save(records);
}

bool LoadWindowPosition(SettingsModel& s, Registry& reg)
{
    const std::pair<const char*, int32_t*> values[] = {
        {"Top", &s.MainTop}, {"Left", &s.MainLeft}, {"Height", &s.MainHeight}, {"Width", &s.MainWidth}};
    for (const auto& [key, target] : values) {
        const auto v = toLong(reg.get(key));
        if (!v)
            return false;
        *target = *v;
    }
    if (s.MainHeight < 200)
        s.MainHeight = 5655;
    if (s.MainWidth < 200)
        s.MainWidth = 7125;
    return true;
}

void loadStartupRecords(SettingsModel& s, Registry& reg)
{
    reg.save(programRecords(s));

    const double size = std::trunc(leadingNumber(reg.get("B_IndexSize", "0").trimmed()));
    if (size <= 0 || size > kMaxIndexSize) {
        s.BIndexSize = kMaxIndexSize;
        reg.save("B_IndexSize", QString::number(kMaxIndexSize));
    } else {
        s.BIndexSize = static_cast<int32_t>(size);
    }

    s.DateFormat = reg.get("DatumSet");
    if (s.DateFormat.isEmpty()) {
        s.DateFormat = "yy-mm-dd";
        reg.save("DatumSet", s.DateFormat);
    }
}
