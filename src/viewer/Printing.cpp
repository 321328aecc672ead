#include "viewer/Printing.h"

#include "platform/gdi/Twips.h"
#include "platform/print/Printer.h"
#include "settings/IniReader.h"

#include <QPainter>

#include <cmath>
#include <limits>

namespace {

// The copies box reads as Val did: blanks around the number do not count.
double copiesValue(const QString& text)
{
    const double value = leadingNumber(text.trimmed());
    return std::isfinite(value) ? value : 0;
}

}  // namespace

CopiesCount copiesFromText(const QString& text)
{
    CopiesCount out{text, std::nullopt};
    if (copiesValue(text) <= 1)
        out.text = QStringLiteral("1");
    const double rounded = std::nearbyint(copiesValue(out.text));
    if (rounded >= std::numeric_limits<int16_t>::min() && rounded <= std::numeric_limits<int16_t>::max())
        out.copies = int(rounded);
    return out;
}

QImage layoutPage(const QImage& picture, const QSize& pageTwips, int marginX, int marginY)
{
    using platform::twipsToPixels;
    QImage page(twipsToPixels(pageTwips.width()), twipsToPixels(pageTwips.height()), QImage::Format_RGB32);
    page.fill(Qt::white);
    if (!picture.isNull()) {
        QPainter painter(&page);
        painter.drawImage(QPoint(twipsToPixels(marginX), twipsToPixels(marginY)), picture);
    }
    return page;
}

namespace {

int deviceModeOf(const int* table, int count, int index)
{
    return index >= 0 && index < count ? table[index] : 0;
}

}  // namespace

PrintOutcome printPage(platform::Printer& printer, const PrintSettings& s, std::optional<int> copies,
                       const QImage& page, const QSize& pageTwips)
{
    using namespace platform::DeviceMode;
    PrintOutcome outcome;
    if (!copies) {
        outcome.lastError = platform::PrintError::kOverflow;
        return outcome;
    }
    auto step = [&outcome](const platform::Result& r) {
        if (!r.ok)
            outcome.lastError = r.code ? r.code : platform::PrintError::kNoPrinter;
    };
    static const int orientations[] = {kPortrait, kLandscape};
    static const int colours[] = {kColour, kMonochrome};
    static const int qualities[] = {kQualityDraft, kQualityMedium, kQualityHigh};
    static const int papers[] = {kPaperA3, kPaperA4, kPaperA5, kPaperLetter, kPaperLegal};
    // An index outside its table sends nothing; the printer keeps its own value.
    if (int m = deviceModeOf(orientations, kOrientations, s.OrientIndex))
        step(printer.setOrientation(m));
    if (int m = deviceModeOf(colours, kColourModes, s.ColorIndex))
        step(printer.setColorMode(m));
    step(printer.setCopies(*copies));
    if (int m = deviceModeOf(qualities, kQualities, s.QualityIndex))
        step(printer.setPrintQuality(m));
    if (int m = deviceModeOf(papers, kPapers, s.PaperIndex))
        step(printer.setPaperSize(m));
    step(printer.drawPicture(page, QSizeF(pageTwips)));
    const platform::Result ended = printer.endDoc();
    step(ended);
    outcome.sent = ended.ok;
    return outcome;
}

QString printErrorTitle(int errorNumber)
{
    return QStringLiteral("Print error nr") + QString::number(errorNumber);
}
