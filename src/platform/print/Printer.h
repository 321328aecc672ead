#pragma once

#include "platform/base/Result.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <memory>

namespace platform {

// The printer's device-mode values, as the settings of one print job name them.
namespace DeviceMode {
inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;
inline constexpr int kMonochrome = 1;
inline constexpr int kColour = 2;
inline constexpr int kQualityDraft = -2;
inline constexpr int kQualityMedium = -3;
inline constexpr int kQualityHigh = -4;
inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperLegal = 5;
inline constexpr int kPaperA3 = 8;
inline constexpr int kPaperA4 = 9;
inline constexpr int kPaperA5 = 11;
}  // namespace DeviceMode

// Error numbers a printer step reports (the window shows them after the job).
namespace PrintError {
inline constexpr int kNoPrinter = 482;       // no printer, or it refused the job
inline constexpr int kInvalidSetting = 380;  // a value the printer does not take
inline constexpr int kOverflow = 6;          // a number beyond its range
}  // namespace PrintError

// Where a window's prints go: a named printer, the system's default printer
// (no name), or a PDF file.
struct PrintDestination {
    QString printerName;  // empty: the default printer
    QString outputFile;   // not empty: a PDF file instead of a printer
    bool toFile() const { return !outputFile.isEmpty(); }
    bool operator==(const PrintDestination&) const = default;
};

// One document at a time: the settings are made in the order the caller gives
// them, then one picture is drawn and the document ended, which sends the job.
// Every step says whether it went through; ending says whether the destination
// took the job.
class Printer {
public:
    virtual ~Printer() = default;
    virtual Result setOrientation(int deviceMode) = 0;
    virtual Result setColorMode(int deviceMode) = 0;
    virtual Result setCopies(int copies) = 0;
    virtual Result setPrintQuality(int deviceMode) = 0;
    virtual Result setPaperSize(int deviceMode) = 0;
    // The picture at the first printable point, sizeTwips large (1440 to an inch),
    // in its own pixels (never recompressed).
    virtual Result drawPicture(const QImage& picture, const QSizeF& sizeTwips) = 0;
    virtual Result endDoc() = 0;
};

// A printer for the destination. A CUPS printer gets the page as a PDF job with
// the job's media, copies, colour mode, print quality and the driver's
// resolution for that quality; ending fails when the printer refuses the job.
std::unique_ptr<Printer> makePrinter(const PrintDestination& destination);
// The system's default printer.
std::unique_ptr<Printer> makeDefaultPrinter();
// A printer that writes each job as a PDF file (its page starts at the paper's
// corner, with no unprintable border).
std::unique_ptr<Printer> makePdfPrinter(const QString& outputFile);

}  // namespace platform
