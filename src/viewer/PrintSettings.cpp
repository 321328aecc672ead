#include "viewer/PrintSettings.h"

#include "settings/SettingsFileFormat.h"
#include "core/SettingsModel.h"

#include <QList>

#include <cmath>
#include <limits>

namespace {

constexpr char kLineEnd[] = "\r\n";

QString titleLine()
{
    return QStringLiteral(";Vyk-Ondrel Tolvex v%1.%2.%3")
        .arg(ProgramVersion::major)
        .arg(ProgramVersion::minor)
        .arg(ProgramVersion::revision);
}

// A single-precision number in its print form: up to seven significant digits.
QString singlePrintForm(float value)
{
    const QString digits = QString::number(double(value), 'g', 7);
    return (value < 0 ? QString() : QStringLiteral(" ")) + digits + u' ';
}

std::optional<double> numberOf(const QByteArray& line)
{
    bool ok = false;
    const double value = QString::fromLatin1(line.trimmed()).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Whole numbers as the file is read back: ties go to the even neighbour.
std::optional<int> wholeNumber(double value, double lowest, double highest)
{
    const double rounded = std::nearbyint(value);
    if (rounded < lowest || rounded > highest)
        return std::nullopt;
    return int(rounded);
}

int inRange(int value, int lowest, int highest, int fallback)
{
    return value >= lowest && value <= highest ? value : fallback;
}

PrintSettings withinRanges(PrintSettings s)
{
    const PrintSettings d;
    s.QualityIndex = inRange(s.QualityIndex, 0, kQualities - 1, d.QualityIndex);
    s.PaperIndex = inRange(s.PaperIndex, 0, kPapers - 1, d.PaperIndex);
    s.ColorIndex = inRange(s.ColorIndex, 0, kColourModes - 1, d.ColorIndex);
    s.OrientIndex = inRange(s.OrientIndex, 0, kOrientations - 1, d.OrientIndex);
    s.MarginX = inRange(s.MarginX, 0, kMarginMax, d.MarginX);
    s.MarginY = inRange(s.MarginY, 0, kMarginMax, d.MarginY);
    s.ZoomIndex = inRange(s.ZoomIndex, 0, kZoomSteps - 1, d.ZoomIndex);
    return s;
}

}  // namespace

QByteArray printSettingsFileText(const PrintSettings& s)
{
    QString text = titleLine() + kLineEnd + QStringLiteral(";Print Settings") + kLineEnd;
    for (int v : {s.QualityIndex, s.PaperIndex, s.ColorIndex, s.OrientIndex, s.MarginX, s.MarginY, s.ZoomIndex})
        text += numberPrintForm(int64_t(v)) + kLineEnd;
    for (int v : {s.top, s.left, s.width, s.height})
        text += singlePrintForm(float(v)) + kLineEnd;
    return text.toLatin1();
}

std::optional<PrintSettings> parsePrintSettings(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 2 + 11)
        return std::nullopt;
    constexpr double kIntegerLow = std::numeric_limits<int16_t>::min();
    constexpr double kIntegerHigh = std::numeric_limits<int16_t>::max();
    constexpr double kLongLow = std::numeric_limits<int32_t>::min();
    constexpr double kLongHigh = std::numeric_limits<int32_t>::max();
    PrintSettings s;
    int* fields[11] = {&s.QualityIndex, &s.PaperIndex, &s.ColorIndex, &s.OrientIndex, &s.MarginX, &s.MarginY,
                       &s.ZoomIndex,    &s.top,        &s.left,       &s.width,       &s.height};
    for (int i = 0; i < 11; ++i) {
        const std::optional<double> value = numberOf(lines[2 + i]);
        const bool integer = i < 7;
        const std::optional<int> whole = value ? wholeNumber(*value, integer ? kIntegerLow : kLongLow,
                                                             integer ? kIntegerHigh : kLongHigh)
                                               : std::nullopt;
        if (!whole)
            return std::nullopt;
        *fields[i] = *whole;
    }
    return withinRanges(s);
}

QSize paperSizeTwips(int paperIndex)
{
    static const QSize table[] = {{16200, 24200}, {12100, 16200}, {8100, 12100}, {12240, 15840}, {12240, 20592}};
    if (paperIndex < 0 || paperIndex >= kPapers)
        return {};
    return table[paperIndex];
}

QSize pageSizeTwips(int paperIndex, int orientIndex)
{
    const QSize paper = paperSizeTwips(paperIndex);
    return orientIndex == 1 ? paper.transposed() : paper;
}

double zoomDivisor(double zoom)
{
    if (zoom == 100 || zoom == 0)
        return 1;
    if (zoom == 75)
        return 1.5;
    if (zoom == 50)
        return 2;
    if (zoom == 35)
        return 3;
    if (zoom == 25)
        return 4;
    return zoom;
}

QString marginLabelText(int twips)
{
    return QStringLiteral("%1").arg(twips, 4, 10, QChar('0'));
}
