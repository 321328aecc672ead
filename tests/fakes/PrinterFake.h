#pragma once

#include "platform/print/Printer.h"

#include <QList>
#include <QStringList>

// A printer that records every step of every job, and can refuse one step.
class RecordingPrinter : public platform::Printer {
public:
    platform::Result setOrientation(int mode) override { return step(QStringLiteral("orientation %1").arg(mode)); }
    platform::Result setColorMode(int mode) override { return step(QStringLiteral("colour %1").arg(mode)); }
    platform::Result setCopies(int copies) override
    {
        pendingCopies = copies;
        return step(QStringLiteral("copies %1").arg(copies));
    }
    platform::Result setPrintQuality(int mode) override { return step(QStringLiteral("quality %1").arg(mode)); }
    platform::Result setPaperSize(int mode) override { return step(QStringLiteral("paper %1").arg(mode)); }
    platform::Result drawPicture(const QImage& picture, const QSizeF& sizeTwips) override
    {
        drawn = picture;
        drawnTwips = sizeTwips;
        return step(QStringLiteral("draw"));
    }
    platform::Result endDoc() override
    {
        const platform::Result r = step(QStringLiteral("end"));
        if (r.ok) {
            ++jobs;
            copiesPrinted += pendingCopies;
        }
        return r;
    }

    QStringList steps;
    QString refuse;  // the step (its first word) that fails with refuseCode
    int refuseCode = platform::PrintError::kInvalidSetting;
    int jobs = 0;
    int copiesPrinted = 0;
    int pendingCopies = 1;
    QImage drawn;
    QSizeF drawnTwips;

private:
    platform::Result step(const QString& what)
    {
        steps.append(what);
        if (!refuse.isEmpty() && what.startsWith(refuse))
            return platform::Result::failure(QStringLiteral("refused"), refuseCode);
        return platform::Result::success();
    }
};
