#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

// What the print window keeps between sessions in TolvexPrint.ini: its choices and
// its own place on the screen (twips).
struct PrintSettings {
    int QualityIndex = 1;  // 0 Draft, 1 Normal, 2 High
    int PaperIndex = 1;    // 0 A3, 1 A4, 2 A5, 3 Letter, 4 Legal
    int ColorIndex = 0;    // 0 Color, 1 Monochrome
    int OrientIndex = 0;   // 0 Portrait, 1 Landscape
    int MarginX = 100;     // twips
    int MarginY = 100;
    int ZoomIndex = 1;     // in the zoom list
    int top = 200;
    int left = 200;
    int width = 11925;
    int height = 8925;

    bool operator==(const PrintSettings&) const = default;
};

inline constexpr char kPrintSettingsFile[] = "TolvexPrint.ini";
inline constexpr int kQualities = 3;
inline constexpr int kPapers = 5;
inline constexpr int kColourModes = 2;
inline constexpr int kOrientations = 2;
inline constexpr int kZoomSteps = 5;
inline constexpr int kMarginMax = 16000;
// The stored size is applied only from these on.
inline constexpr int kMinStoredWidth = 11920;
inline constexpr int kMinStoredHeight = 4000;

// The whole file: two comment lines, then the eleven values in the print form of a
// number (" 100 "), each line ended by CR LF.
QByteArray printSettingsFileText(const PrintSettings& settings);

// The values of a file's text: the two first lines are skipped whatever they hold.
// Nothing when a value is missing or does not read as a number (the caller takes
// every default then). Fractions round to the nearest whole number, ties to even.
// A value outside its range (a hand-edited file) takes its own default.
std::optional<PrintSettings> parsePrintSettings(const QByteArray& text);

// The paper's size in twips, portrait; landscape exchanges the sides.
QSize paperSizeTwips(int paperIndex);
QSize pageSizeTwips(int paperIndex, int orientIndex);

// The divisor of a zoom percentage: 100 or 0 show the page whole, 75 two thirds,
// 50 half, 35 a third, 25 a quarter; any other value is its own divisor.
double zoomDivisor(double zoom);

// The margin label: at least four digits ("0100", "16000").
QString marginLabelText(int twips);
