#include "platform/print/CupsJob.h"
#include "platform/print/Printer.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platform::DeviceMode;

namespace {

QByteArray optionOf(const CupsOptions& options, const char* name)
{
    for (const auto& [key, value] : options)
        if (key == name)
            return value;
    return "(none)";
}

}  // namespace

TEST(CupsJob, EachQualitySendsItsPrintQualityAndTheDriversResolution)
{
    const QStringList driver{"300dpi", "600dpi", "150dpi"};
    const struct {
        int quality;
        const char* printQuality;
        const char* resolution;
    } cases[] = {
        {kQualityDraft, "3", "150dpi"},
        {kQualityMedium, "4", "300dpi"},  // the driver's default
        {kQualityHigh, "5", "600dpi"},
        {0, "(none)", "(none)"},          // not set: the printer keeps its own
    };
    for (const auto& c : cases) {
        CupsJobSettings s;
        s.quality = c.quality;
        const CupsOptions options = cupsJobOptions(s, driver, "300dpi");
        EXPECT_EQ(optionOf(options, "print-quality"), c.printQuality) << c.quality;
        EXPECT_EQ(optionOf(options, "Resolution"), c.resolution) << c.quality;
    }
    // A driverless queue gets the quality alone.
    CupsJobSettings high;
    high.quality = kQualityHigh;
    EXPECT_EQ(optionOf(cupsJobOptions(high, {}, {}), "Resolution"), "(none)");
    EXPECT_EQ(optionOf(cupsJobOptions(high, {}, {}), "print-quality"), "5");
}

TEST(CupsJob, ResolutionChoicesAreOrderedByTheirDots)
{
    const QStringList mixed{"600x300dpi", "1200dpi", "300dpi", "Auto"};
    EXPECT_EQ(resolutionForQuality(kQualityDraft, mixed, "1200dpi"), "300dpi");
    EXPECT_EQ(resolutionForQuality(kQualityHigh, mixed, "1200dpi"), "1200dpi");
    EXPECT_EQ(resolutionForQuality(kQualityMedium, mixed, "1200dpi"), "1200dpi");
    EXPECT_EQ(resolutionForQuality(kQualityMedium, mixed, "Auto"), "600x300dpi");  // no readable default: the middle
    EXPECT_EQ(resolutionForQuality(kQualityHigh, {"600dpi"}, "600dpi"), "");        // nothing to choose
}

TEST(CupsJob, PaperCopiesAndColourAsCupsNamesThem)
{
    const struct {
        int paper;
        const char* media;
    } papers[] = {{kPaperA3, "iso_a3_297x420mm"}, {kPaperA4, "iso_a4_210x297mm"}, {kPaperA5, "iso_a5_148x210mm"},
                  {kPaperLetter, "na_letter_8.5x11in"}, {kPaperLegal, "na_legal_8.5x14in"}, {0, "(none)"}};
    for (const auto& p : papers) {
        CupsJobSettings s;
        s.paper = p.paper;
        EXPECT_EQ(optionOf(cupsJobOptions(s, {}, {}), "media"), p.media) << p.paper;
    }
    CupsJobSettings s;
    s.copies = 3;
    s.colorMode = kMonochrome;
    EXPECT_EQ(optionOf(cupsJobOptions(s, {}, {}), "copies"), "3");
    EXPECT_EQ(optionOf(cupsJobOptions(s, {}, {}), "print-color-mode"), "monochrome");
    s.colorMode = kColour;
    EXPECT_EQ(optionOf(cupsJobOptions(s, {}, {}), "print-color-mode"), "color");
}

TEST(CupsJob, OnlyAQueueThatRejectsJobsRefusesTheJob)
{
    EXPECT_EQ(destinationRefusal("true", ""), std::nullopt);
    EXPECT_EQ(destinationRefusal("", ""), std::nullopt);  // not reported: the submission answers
    EXPECT_EQ(destinationRefusal("false", "Rejecting Jobs"), QString("the printer is not accepting jobs: Rejecting Jobs"));
    EXPECT_EQ(destinationRefusal("false", ""), QString("the printer is not accepting jobs"));
}
