#include "settings/SettingsFileFormat.h"

#include "settings/SettingsFilePairs.h"

QString settingsFileTitleLine()
{
    return QStringLiteral(";Vyk-Ondrel Tolvex v%1.%2.%3")
        .arg(ProgramVersion::major)
        .arg(ProgramVersion::minor)
        .arg(ProgramVersion::revision);
}

QString settingsFileCommentLine()
{
    return QStringLiteral(";Tolvex settings: a value line below each key line, in this order.");
}

namespace {

QString padded(const QString& digits, bool negative)
{
    return (negative ? QString() : QStringLiteral(" ")) + digits + u' ';
}

}  // namespace

QString numberPrintForm(int64_t value)
{
    return padded(QString::number(value), value < 0);
}

QString numberPrintForm(double value)
{
    return padded(QString::number(value, 'g', 15), value < 0);
}

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// A field read skips leading blanks and would lose them, and an editor may trim
// trailing ones: such a value keeps them only inside quotes.
bool needsQuotes(const QString& text)
{
    return text.contains(u',') || text.startsWith(u'"')
           || (!text.isEmpty() && (isBlank(text.front()) || isBlank(text.back())));
}

}  // namespace

QString fieldWriteForm(const QString& text)
{
    if (!needsQuotes(text))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString valueLineText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberPrintForm(value.toDouble());
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return numberPrintForm(int64_t(value.toLongLong()));
    default:
        return value.toString();
    }
}

namespace {

struct ValueWriter {
    TextRead textRead;

    QString operator()(std::monostate) const { return {}; }
    QString operator()(const QString* text) const
    {
        return textRead == TextRead::Field ? fieldWriteForm(*text) : *text;
    }
    template <class T>
    QString operator()(const T* number) const
    {
        return numberPrintForm(int64_t(*number));
    }
};

}  // namespace

QStringList settingsFileLines(SettingsModel s)
{
    QStringList lines{settingsFileTitleLine(), settingsFileCommentLine()};
    for (const SettingsPair& pair : settingsPairs()) {
        lines.append(QLatin1String(pair.key));
        lines.append(std::visit(ValueWriter{pair.textRead}, pair.value(s)));
    }
    return lines;
}
