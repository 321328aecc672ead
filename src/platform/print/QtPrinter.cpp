#include "platform/print/CupsJob.h"
#include "platform/print/CupsApi.h"
#include "platform/print/PrintLog.h"
#include "platform/print/Printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>


#include <unistd.h>

namespace platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// Print quality as the resolution of the page's PDF.
constexpr int kDraftDpi = 150;
constexpr int kNormalDpi = 300;
constexpr int kHighDpi = 600;

Result refused(const char* what, int value)
{
    qCWarning(lcPrint) << "printer refuses" << what << value;
    return Result::failure(QStringLiteral("%1 %2 not taken").arg(what).arg(value), PrintError::kInvalidSetting);
}

Result noPrinter(const QString& reason)
{
    qCWarning(lcPrint) << "the print job was not sent:" << reason;
    return Result::failure(reason, PrintError::kNoPrinter);
}

// One CUPS destination, owned once.
struct CupsDest {
    cups_dest_t* dest = nullptr;
    explicit CupsDest(const QString& name)
        : dest(cups::fn().cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.toUtf8().constData(), nullptr))
    {
    }
    ~CupsDest()
    {
        if (dest)
            cups::fn().cupsFreeDests(1, dest);
    }
    CupsDest(const CupsDest&) = delete;
    CupsDest& operator=(const CupsDest&) = delete;
    QString option(const char* name) const
    {
        return QString::fromUtf8(cups::fn().cupsGetOption(name, dest->num_options, dest->options));
    }
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
// The PPD's resolution choices and its default; empty for a driverless queue.
struct ResolutionChoices {
    QStringList choices;
    QString defaultChoice;
};
ResolutionChoices resolutionChoices(const char* printer)
{
    ResolutionChoices out;
    const char* file = cups::fn().cupsGetPPD2(CUPS_HTTP_DEFAULT, printer);
    if (!file)
        return out;
    const QByteArray path(file);
    if (ppd_file_t* ppd = cups::fn().ppdOpenFile(path.constData())) {
        if (ppd_option_t* option = cups::fn().ppdFindOption(ppd, "Resolution")) {
            for (int i = 0; i < option->num_choices; ++i)
                out.choices.append(QString::fromUtf8(option->choices[i].choice));
            out.defaultChoice = QString::fromUtf8(option->defchoice);
        }
        cups::fn().ppdClose(ppd);
    }
    unlink(path.constData());
    return out;
}
#pragma GCC diagnostic pop

class JobPrinter : public Printer {
public:
    explicit JobPrinter(const PrintDestination& destination)
        : destination_(destination),
          printer_(destination.toFile() ? QPrinterInfo()
                   : destination.printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                        : QPrinterInfo::printerInfo(destination.printerName),
                   QPrinter::HighResolution)
    {
        if (destination.toFile()) {
            printer_.setOutputFormat(QPrinter::PdfFormat);
            printer_.setOutputFileName(destination.outputFile);
            printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        }
    }

    Result setOrientation(int mode) override
    {
        if (mode != DeviceMode::kPortrait && mode != DeviceMode::kLandscape)
            return refused("orientation", mode);
        printer_.setPageOrientation(mode == DeviceMode::kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        job_.orientation = mode;
        return Result::success();
    }
    Result setColorMode(int mode) override
    {
        if (mode != DeviceMode::kColour && mode != DeviceMode::kMonochrome)
            return refused("colour mode", mode);
        printer_.setColorMode(mode == DeviceMode::kColour ? QPrinter::Color : QPrinter::GrayScale);
        job_.colorMode = mode;
        return Result::success();
    }
    Result setCopies(int copies) override
    {
        if (copies < 1)
            return refused("copies", copies);
        // A printer job asks CUPS for its copies; the PDF holds the page once.
        if (destination_.toFile())
            printer_.setCopyCount(copies);
        job_.copies = copies;
        return Result::success();
    }
    Result setPrintQuality(int mode) override
    {
        switch (mode) {
        case DeviceMode::kQualityDraft: printer_.setResolution(kDraftDpi); break;
        case DeviceMode::kQualityMedium: printer_.setResolution(kNormalDpi); break;
        case DeviceMode::kQualityHigh: printer_.setResolution(kHighDpi); break;
        default: return refused("print quality", mode);
        }
        job_.quality = mode;
        return Result::success();
    }
    Result setPaperSize(int mode) override
    {
        QPageSize::PageSizeId id;
        switch (mode) {
        case DeviceMode::kPaperA3: id = QPageSize::A3; break;
        case DeviceMode::kPaperA4: id = QPageSize::A4; break;
        case DeviceMode::kPaperA5: id = QPageSize::A5; break;
        case DeviceMode::kPaperLetter: id = QPageSize::Letter; break;
        case DeviceMode::kPaperLegal: id = QPageSize::Legal; break;
        default: return refused("paper size", mode);
        }
        if (!printer_.setPageSize(QPageSize(id)))
            return refused("paper size", mode);
        job_.paper = mode;
        return Result::success();
    }
    Result drawPicture(const QImage& picture, const QSizeF& sizeTwips) override
    {
        if (!painter_.isActive() && !begin())
            return noPrinter(QStringLiteral("no printer to print on"));
        QPaintDevice& device = destination_.toFile() ? static_cast<QPaintDevice&>(printer_) : *pdf_;
        const double dpi = device.logicalDpiX();
        const QRectF target(0, 0, sizeTwips.width() * dpi / kTwipsPerInch, sizeTwips.height() * dpi / kTwipsPerInch);
        // The picture's own pixels go into the document (no JPEG recompression).
        painter_.setRenderHint(QPainter::LosslessImageRendering, true);
        painter_.drawImage(target, picture);
        return Result::success();
    }
    Result endDoc() override
    {
        if (!painter_.isActive())
            return Result::failure(QStringLiteral("nothing to print"), PrintError::kNoPrinter);
        if (!painter_.end())
            return noPrinter(QStringLiteral("the page could not be written"));
        if (destination_.toFile())
            return Result::success();
        return submit();
    }

private:
    // A printer's page goes through a PDF of the printer's page layout (its
    // paper, orientation and printable area), which CUPS then gets as the job.
    bool begin()
    {
        if (destination_.toFile())
            return painter_.begin(&printer_);
        if (!printer_.isValid() || !spool_.isValid())
            return false;
        pdf_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdf_->setOutputFormat(QPrinter::PdfFormat);
        pdf_->setOutputFileName(spool_.filePath(QStringLiteral("page.pdf")));
        pdf_->setPageLayout(printer_.pageLayout());
        pdf_->setColorMode(printer_.colorMode());
        pdf_->setResolution(printer_.resolution());
        pdf_->setDocName(QStringLiteral("Tolvex picture"));
        return painter_.begin(pdf_.get());
    }

    Result submit()
    {
        if (Result loaded = cups::load(); !loaded)
            return noPrinter(loaded.reason);
        const QString name = destination_.printerName.isEmpty() ? printer_.printerName() : destination_.printerName;
        CupsDest dest(name);
        if (!dest.dest)
            return noPrinter(QStringLiteral("no printer %1: %2").arg(name, QString::fromUtf8(cups::fn().cupsLastErrorString())));
        if (const auto why = destinationRefusal(dest.option("printer-is-accepting-jobs"),
                                                dest.option("printer-state-message")))
            return noPrinter(QString::fromUtf8(dest.dest->name) + QStringLiteral(": ") + *why);
        if (dest.option("printer-state") == QLatin1String("5"))
            qCInfo(lcPrint) << dest.dest->name << "is stopped; the job waits in its queue";
        const ResolutionChoices resolutions = resolutionChoices(dest.dest->name);
        const CupsOptions wanted = cupsJobOptions(job_, resolutions.choices, resolutions.defaultChoice);
        cups_option_t* options = nullptr;
        int count = 0;
        for (const auto& [key, value] : wanted)
            count = cups::fn().cupsAddOption(key.constData(), value.constData(), count, &options);
        const QByteArray file = pdf_->outputFileName().toLocal8Bit();
        const int job = cups::fn().cupsPrintFile2(CUPS_HTTP_DEFAULT, dest.dest->name, file.constData(), "Tolvex picture", count,
                                       options);
        cups::fn().cupsFreeOptions(count, options);
        if (job == 0)
            return noPrinter(QString::fromUtf8(dest.dest->name) + QStringLiteral(": ") +
                             QString::fromUtf8(cups::fn().cupsLastErrorString()));
        qCInfo(lcPrint) << "print job" << job << "sent to" << dest.dest->name;
        return Result::success();
    }

    PrintDestination destination_;
    QPrinter printer_;
    std::unique_ptr<QPrinter> pdf_;
    QTemporaryDir spool_;
    QPainter painter_;
    CupsJobSettings job_;
};

}  // namespace

std::unique_ptr<Printer> makePrinter(const PrintDestination& destination)
{
    return std::make_unique<JobPrinter>(destination);
}

std::unique_ptr<Printer> makeDefaultPrinter()
{
    return makePrinter({});
}

std::unique_ptr<Printer> makePdfPrinter(const QString& outputFile)
{
    return makePrinter({QString(), outputFile});
}

}  // namespace platform
