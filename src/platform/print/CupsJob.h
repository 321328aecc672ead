#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// What a print job asks of a CUPS destination, worked out from the device-mode
// values of the job's settings (Printer.h). Zero means "not set": the printer
// keeps its own value.
struct CupsJobSettings {
    int orientation = 0;
    int colorMode = 0;
    int copies = 1;
    int quality = 0;
    int paper = 0;
};

using CupsOptions = QList<QPair<QByteArray, QByteArray>>;

// The job's options: "media" (PWG name), "copies", "print-color-mode",
// "print-quality" (3 draft, 4 normal, 5 high) and, where the driver offers a
// resolution choice, "Resolution" with the one of the quality.
CupsOptions cupsJobOptions(const CupsJobSettings& settings, const QStringList& resolutionChoices,
                           const QString& defaultResolution);

// The driver's resolution for a quality: draft the lowest, high the highest,
// normal the driver's default (or the middle one). Choices read "300dpi" or
// "600x300dpi"; empty when there is no choice to make.
QString resolutionForQuality(int quality, const QStringList& choices, const QString& defaultChoice);

// Why a destination takes no job, from its CUPS attributes
// ("printer-is-accepting-jobs", "printer-state-message"); nothing when it takes
// jobs. A stopped printer still takes them: they wait in its queue.
std::optional<QString> destinationRefusal(const QString& acceptingJobs, const QString& stateMessage);

}  // namespace platform
