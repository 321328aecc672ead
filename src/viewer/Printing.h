#pragma once

#include "viewer/PrintSettings.h"

#include <QImage>
#include <QString>

#include <optional>

namespace platform {
class Printer;
}

// The copies box before printing: a value of 1 or less (empty, "0", "-3", "abc")
// becomes "1". The count is the value rounded to the nearest whole number, ties to
// even ("2.5" prints two, "3.5" four); nothing when it does not fit 16 bits.
struct CopiesCount {
    QString text;               // what the box shows afterwards
    std::optional<int> copies;  // nothing: beyond the printer's range
};
CopiesCount copiesFromText(const QString& text);

// The page as the preview lays it out: white paper of the page's size (twips at
// 15 to a pixel) with the picture in its own size at the margins.
QImage layoutPage(const QImage& picture, const QSize& pageTwips, int marginX, int marginY);

// One print job: the settings in the printer's order, the page at the first
// printable point in its own twips size, the end of the document. A step that
// fails leaves the others to go on; the result names the last error. A copy count
// beyond its range sends no job at all.
struct PrintOutcome {
    bool sent = false;
    int lastError = 0;  // 0: no error
};
PrintOutcome printPage(platform::Printer& printer, const PrintSettings& settings, std::optional<int> copies,
                       const QImage& page, const QSize& pageTwips);

// The box after a failed job: "Print error nr" followed by the number.
QString printErrorTitle(int errorNumber);
inline constexpr char kPrintErrorText[] = "Could not print the picture.";
