#include "platform/print/PrintLog.h"
#include "platform/print/Printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// Print quality as a resolution where the printer takes one.
constexpr int kDraftDpi = 150;
constexpr int kNormalDpi = 300;
constexpr int kHighDpi = 600;

Result refused(const char* what, int value)
{
    qCWarning(lcPrint) << "printer refuses" << what << value;
    return Result::failure(QStringLiteral("%1 %2 not taken").arg(what).arg(value), PrintError::kInvalidSetting);
}

class QtPrinter : public Printer {
public:
    explicit QtPrinter(const QString& pdfFile)
        : printer_(pdfFile.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo(), QPrinter::HighResolution)
    {
        if (!pdfFile.isEmpty()) {
            printer_.setOutputFormat(QPrinter::PdfFormat);
            printer_.setOutputFileName(pdfFile);
            printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        }
    }

    Result setOrientation(int mode) override
    {
        if (mode != DeviceMode::kPortrait && mode != DeviceMode::kLandscape)
            return refused("orientation", mode);
        printer_.setPageOrientation(mode == DeviceMode::kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        return Result::success();
    }
    Result setColorMode(int mode) override
    {
        if (mode != DeviceMode::kColour && mode != DeviceMode::kMonochrome)
            return refused("colour mode", mode);
        printer_.setColorMode(mode == DeviceMode::kColour ? QPrinter::Color : QPrinter::GrayScale);
        return Result::success();
    }
    Result setCopies(int copies) override
    {
        if (copies < 1)
            return refused("copies", copies);
        printer_.setCopyCount(copies);
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
        return Result::success();
    }
    Result drawPicture(const QImage& picture, const QSizeF& sizeTwips) override
    {
        if (!painter_.isActive() && !painter_.begin(&printer_)) {
            qCWarning(lcPrint) << "cannot start a print job on" << printer_.printerName() << printer_.outputFileName();
            return Result::failure(QStringLiteral("no printer to print on"), PrintError::kNoPrinter);
        }
        const double dpi = printer_.resolution();
        const QRectF target(0, 0, sizeTwips.width() * dpi / kTwipsPerInch, sizeTwips.height() * dpi / kTwipsPerInch);
        painter_.drawImage(target, picture);
        return Result::success();
    }
    Result endDoc() override
    {
        if (!painter_.isActive())
            return Result::failure(QStringLiteral("nothing to print"), PrintError::kNoPrinter);
        if (!painter_.end()) {
            qCWarning(lcPrint) << "the print job was not sent";
            return Result::failure(QStringLiteral("the job was not sent"), PrintError::kNoPrinter);
        }
        return Result::success();
    }

private:
    QPrinter printer_;
    QPainter painter_;
};

}  // namespace

std::unique_ptr<Printer> makeDefaultPrinter()
{
    return std::make_unique<QtPrinter>(QString());
}

std::unique_ptr<Printer> makePdfPrinter(const QString& outputFile)
{
    return std::make_unique<QtPrinter>(outputFile);
}

}  // namespace platform
