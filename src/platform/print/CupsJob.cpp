#include "platform/print/CupsJob.h"

#include "platform/print/Printer.h"

#include <QRegularExpression>

#include <algorithm>

namespace platform {

namespace {

// Dots of a resolution choice, the two directions multiplied; 0 when unreadable.
qint64 dotsOf(const QString& choice)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)(?:x(\\d+))?dpi$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(choice.trimmed());
    if (!m.hasMatch())
        return 0;
    const qint64 x = m.captured(1).toLongLong();
    const qint64 y = m.captured(2).isEmpty() ? x : m.captured(2).toLongLong();
    return x * y;
}

QByteArray mediaOf(int paper)
{
    using namespace DeviceMode;
    switch (paper) {
    case kPaperA3: return "iso_a3_297x420mm";
    case kPaperA4: return "iso_a4_210x297mm";
    case kPaperA5: return "iso_a5_148x210mm";
    case kPaperLetter: return "na_letter_8.5x11in";
    case kPaperLegal: return "na_legal_8.5x14in";
    default: return {};
    }
}

QByteArray qualityOf(int quality)
{
    using namespace DeviceMode;
    switch (quality) {
    case kQualityDraft: return "3";
    case kQualityMedium: return "4";
    case kQualityHigh: return "5";
    default: return {};
    }
}

}  // namespace

QString resolutionForQuality(int quality, const QStringList& choices, const QString& defaultChoice)
{
    QStringList readable;
    for (const QString& c : choices)
        if (dotsOf(c) > 0)
            readable.append(c);
    if (readable.size() < 2)
        return {};
    std::stable_sort(readable.begin(), readable.end(),
                     [](const QString& a, const QString& b) { return dotsOf(a) < dotsOf(b); });
    switch (quality) {
    case DeviceMode::kQualityDraft: return readable.front();
    case DeviceMode::kQualityHigh: return readable.back();
    case DeviceMode::kQualityMedium:
        return readable.contains(defaultChoice) ? defaultChoice : readable.at((readable.size() - 1) / 2);
    default: return {};
    }
}

CupsOptions cupsJobOptions(const CupsJobSettings& s, const QStringList& resolutionChoices,
                           const QString& defaultResolution)
{
    CupsOptions options;
    if (const QByteArray media = mediaOf(s.paper); !media.isEmpty())
        options.append({QByteArray("media"), media});
    options.append({QByteArray("copies"), QByteArray::number(std::max(1, s.copies))});
    if (s.colorMode == DeviceMode::kColour)
        options.append({QByteArray("print-color-mode"), QByteArray("color")});
    else if (s.colorMode == DeviceMode::kMonochrome)
        options.append({QByteArray("print-color-mode"), QByteArray("monochrome")});
    if (const QByteArray quality = qualityOf(s.quality); !quality.isEmpty())
        options.append({QByteArray("print-quality"), quality});
    if (const QString dpi = resolutionForQuality(s.quality, resolutionChoices, defaultResolution); !dpi.isEmpty())
        options.append({QByteArray("Resolution"), dpi.toUtf8()});
    return options;
}

std::optional<QString> destinationRefusal(const QString& acceptingJobs, const QString& stateMessage)
{
    if (acceptingJobs.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return QStringLiteral("the printer is not accepting jobs") +
           (stateMessage.isEmpty() ? QString() : QStringLiteral(": ") + stateMessage);
}

}  // namespace platform
