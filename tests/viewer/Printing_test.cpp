#include "PictureFixtures.h"
#include "PrinterFake.h"
#include "Sandbox.h"
#include "platform/print/Printer.h"
#include "viewer/Printing.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

TEST(PrintCopies, TheCopiesBoxBeforePrinting)
{
    struct Case {
        QString text;
        QString shown;
        std::optional<int> copies;
    };
    const Case cases[] = {
        {"", "1", 1},        {"0", "1", 1},     {"-3", "1", 1},        {"abc", "1", 1},
        {"1", "1", 1},       {"2.5", "2.5", 2}, {"3.5", "3.5", 4},     {"40000", "40000", std::nullopt},
        {"32767", "32767", 32767}, {" 7 pages", " 7 pages", 7}, {"1e1", "1e1", 10},
    };
    for (const Case& c : cases) {
        const CopiesCount got = copiesFromText(c.text);
        EXPECT_EQ(got.text, c.shown) << c.text.toStdString();
        EXPECT_EQ(got.copies, c.copies) << c.text.toStdString();
    }
}

TEST(PrintJob, SettingsInThePrintersOrderThenThePageAndTheEnd)
{
    RecordingPrinter printer;
    PrintSettings s;
    s.QualityIndex = 0;
    s.PaperIndex = 3;
    s.ColorIndex = 1;
    s.OrientIndex = 1;
    const QImage page(10, 10, QImage::Format_RGB32);
    const PrintOutcome out = printPage(printer, s, 2, page, {15840, 12240});
    EXPECT_EQ(printer.steps,
              QStringList({"orientation 2", "colour 1", "copies 2", "quality -2", "paper 1", "draw", "end"}));
    EXPECT_EQ(printer.drawnTwips, QSizeF(15840, 12240));
    EXPECT_TRUE(out.sent);
    EXPECT_EQ(out.lastError, 0);
    EXPECT_EQ(printer.jobs, 1);
    EXPECT_EQ(printer.copiesPrinted, 2);

    RecordingPrinter other;
    printPage(other, PrintSettings{}, 1, page, {12100, 16200});
    EXPECT_EQ(other.steps,
              QStringList({"orientation 1", "colour 2", "copies 1", "quality -3", "paper 9", "draw", "end"}));
    s.QualityIndex = 2;
    s.PaperIndex = 0;
    RecordingPrinter third;
    printPage(third, s, 1, page, {24200, 16200});
    EXPECT_TRUE(third.steps.contains("quality -4"));
    EXPECT_TRUE(third.steps.contains("paper 8"));
}

TEST(PrintJob, ARefusedStepGoesOnAndNamesTheLastError)
{
    RecordingPrinter printer;
    printer.refuse = "quality";
    const PrintOutcome out = printPage(printer, PrintSettings{}, 1, QImage(4, 4, QImage::Format_RGB32), {100, 100});
    EXPECT_EQ(printer.steps.size(), 7);
    EXPECT_TRUE(out.sent);
    EXPECT_EQ(out.lastError, platform::PrintError::kInvalidSetting);
    EXPECT_EQ(printErrorTitle(out.lastError), "Print error nr380");
}

TEST(PrintJob, AnOverflowedCopyCountSendsNoJob)
{
    RecordingPrinter printer;
    const PrintOutcome out = printPage(printer, PrintSettings{}, std::nullopt, QImage(4, 4, QImage::Format_RGB32),
                                       {100, 100});
    EXPECT_TRUE(printer.steps.isEmpty());
    EXPECT_EQ(printer.jobs, 0);
    EXPECT_FALSE(out.sent);
    EXPECT_EQ(out.lastError, platform::PrintError::kOverflow);
}

TEST(PrintPageLayout, WhitePaperWithThePictureAtTheMargins)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(200, 0, 0));
    const QImage page = layoutPage(picture, {12100, 16200}, 150, 300);
    EXPECT_EQ(page.size(), QSize(806, 1080));
    EXPECT_EQ(page.pixel(9, 19), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(10, 20), qRgb(200, 0, 0));
    EXPECT_EQ(page.pixel(12, 21), qRgb(200, 0, 0));
    EXPECT_EQ(page.pixel(13, 21), qRgb(255, 255, 255));
}

namespace {

struct PdfPage {
    int pages = 0;
    QSizeF points;
};

// The page count and the first page's MediaBox of a PDF as Qt writes it.
PdfPage pdfPages(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(f.readAll());
    PdfPage out;
    out.pages = int(text.count(QRegularExpression("/Type\\s*/Page[^s]")));
    const QRegularExpressionMatch box =
        QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]").match(text);
    if (box.hasMatch())
        out.points = QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble());
    return out;
}

// The first page rendered at 72 dots per inch (a dot per point); null without poppler.
QImage renderPdf(const QString& file)
{
    const QString tool = QStandardPaths::findExecutable("pdftoppm");
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {"-r", "72", "-f", "1", "-l", "1", "-png", "-singlefile", file, file + "-page"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QImage(file + "-page.png");
}

QString printToPdf(const Sandbox& box, const char* name, const PrintSettings& s, const QImage& picture)
{
    const QString file = box.root() + "/" + name;
    const QSize twips = pageSizeTwips(s.PaperIndex, s.OrientIndex);
    const auto printer = platform::makePdfPrinter(file);
    const PrintOutcome out = printPage(*printer, s, 1, layoutPage(picture, twips, s.MarginX, s.MarginY), twips);
    EXPECT_TRUE(out.sent);
    EXPECT_EQ(out.lastError, 0);
    return file;
}

QImage redPicture()
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    return picture;
}

}  // namespace

TEST(PrintToPdf, OnePageOfThePapersSizeInPointsPerOrientation)
{
    Sandbox box;
    const QSizeF points[] = {{841.89, 1190.55}, {595.28, 841.89}, {419.53, 595.28}, {612, 792}, {612, 1008}};
    for (int paper = 0; paper < 5; ++paper)
        for (int orient = 0; orient < 2; ++orient) {
            PrintSettings s;
            s.PaperIndex = paper;
            s.OrientIndex = orient;
            const QString name = QStringLiteral("p%1%2.pdf").arg(paper).arg(orient);
            const PdfPage page = pdfPages(printToPdf(box, name.toLatin1().constData(), s, redPicture()));
            const QSizeF expected = orient ? points[paper].transposed() : points[paper];
            EXPECT_EQ(page.pages, 1) << name.toStdString();
            EXPECT_NEAR(page.points.width(), expected.width(), 0.5) << name.toStdString();
            EXPECT_NEAR(page.points.height(), expected.height(), 0.5) << name.toStdString();
        }
}

TEST(PrintToPdf, ThePictureAtItsMarginsInColourOrGrey)
{
    Sandbox box;
    PrintSettings s;
    s.MarginX = 1440;  // an inch: 72 points
    s.MarginY = 720;
    const QImage colour = renderPdf(printToPdf(box, "colour.pdf", s, redPicture()));
    s.ColorIndex = 1;
    const QImage grey = renderPdf(printToPdf(box, "grey.pdf", s, redPicture()));
    if (colour.isNull() || grey.isNull())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    // 40 x 30 pixels at 15 twips each: 30 x 22.5 points.
    const QRgb inside = colour.pixel(72 + 15, 36 + 11);
    EXPECT_GT(qRed(inside), 200);
    EXPECT_LT(qGreen(inside), 60);
    // White around it (the renderer may blend an edge pixel a little).
    auto white = [](QRgb c) { return qRed(c) > 250 && qGreen(c) > 250 && qBlue(c) > 250; };
    EXPECT_TRUE(white(colour.pixel(72 - 2, 36 + 11)));
    EXPECT_TRUE(white(colour.pixel(72 + 15, 36 - 2)));
    EXPECT_TRUE(white(colour.pixel(72 + 32, 36 + 11)));
    EXPECT_TRUE(white(colour.pixel(72 + 15, 36 + 25)));
    EXPECT_FALSE(white(colour.pixel(72 + 1, 36 + 1)));
    EXPECT_FALSE(white(colour.pixel(72 + 28, 36 + 21)));

    const QRgb greyInside = grey.pixel(72 + 15, 36 + 11);
    EXPECT_NEAR(qRed(greyInside), qGreen(greyInside), 2);
    EXPECT_NEAR(qGreen(greyInside), qBlue(greyInside), 2);
    EXPECT_LT(qRed(greyInside), 200);
}

namespace {

// The images a PDF embeds: their encodings (pdfimages -list) and the first one as
// a PNG (pdfimages -png); nothing without poppler.
struct EmbeddedImages {
    QStringList encodings;
    QImage first;
};
EmbeddedImages embeddedImages(const QString& file)
{
    const QString tool = QStandardPaths::findExecutable("pdfimages");
    if (tool.isEmpty())
        return {};
    EmbeddedImages out;
    QProcess list;
    list.start(tool, {"-list", file});
    if (!list.waitForFinished(30000) || list.exitCode() != 0)
        return {};
    // page num type width height color comp bpc enc ...: the ninth column.
    const QStringList lines = QString::fromLocal8Bit(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(2))
        out.encodings << line.simplified().split(' ').value(8);
    QProcess extract;
    extract.start(tool, {"-png", "-f", "1", "-l", "1", file, file + "-img"});
    if (!extract.waitForFinished(30000) || extract.exitCode() != 0)
        return {};
    out.first = QImage(file + "-img-000.png");
    return out;
}

}  // namespace

TEST(PrintToPdf, ThePagesOwnPixelsGoInUnrecompressed)
{
    Sandbox box;
    const QImage natural = patternPicture(120, 90);  // every pixel differs, as in a photograph
    const QString file = printToPdf(box, "pixels.pdf", PrintSettings{}, natural);
    const EmbeddedImages images = embeddedImages(file);
    if (images.first.isNull())
        GTEST_SKIP() << "pdfimages (poppler-utils) is not installed";
    ASSERT_EQ(images.encodings.size(), 1);
    EXPECT_NE(images.encodings[0], "jpeg");
    const QSize twips = pageSizeTwips(1, 0);
    const QImage page = layoutPage(natural, twips, 100, 100);
    ASSERT_EQ(images.first.size(), page.size());
    EXPECT_EQ(images.first.convertToFormat(QImage::Format_RGB32), page);
}
