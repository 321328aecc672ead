#include "CaptionFit.h"
#include "Children.h"
#include "KeyboardParity.h"
#include "ModalAnswer.h"
#include "PictureFixtures.h"
#include "PrinterFake.h"
#include "PromptsFake.h"
#include "Sandbox.h"
#include "ShellFake.h"
#include "buttons/StyledButton.h"
#include "platform/files/BmpFile.h"
#include "platform/gdi/Twips.h"
#include "core/SettingsModel.h"
#include "viewer/PictureBox.h"
#include "viewer/frmPrint.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QScreen>
#include <QPushButton>
#include <QTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <memory>

#include <sys/stat.h>

namespace {

using platform::twipsToPixels;

// A print window over a private program folder with a picture handed over.
struct PrintHarness {
    Sandbox box;
    PromptsFake prompts;
    RecordingShell shell;
    RecordingPrinter printer;
    bool realPrinter = false;  // print through the platform's printer for the window's destination
    std::function<QString(const QString&)> find = [](const QString&) { return QString(); };
    std::function<std::optional<platform::PrintDestination>(QWidget*, const platform::PrintDestination&)> choose;
    std::unique_ptr<frmPrint> w;
    QImage picture = uniformPicture(30, 20, qRgb(255, 0, 0));

    PrintHarness() { platform::writeBmp24(picture, handOver()); }
    QString handOver() const { return box.programFolder() + "/tempbufprint1.bmp"; }
    QString iniFile() const { return box.programFolder() + "/TolvexPrint.ini"; }
    frmPrint& open()
    {
        w = std::make_unique<frmPrint>(box.programFolder(),
                                       PrintServices{prompts, shell, realPrinter ? nullptr : &printer, find, choose});
        w->Form_Load();
        return *w;
    }
    void writeIni(const QByteArray& text) const { box.writeFile("TolvexPrint.ini", text); }
    QByteArray ini() const { return box.readFile("TolvexPrint.ini"); }
    void click(StyledButton* b)
    {
        w->show();
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, b->mapTo(w.get(), b->rect().center()));
    }
};

QByteArray titleLine()
{
    return QStringLiteral(";Vyk-Ondrel Tolvex v%1.%2.%3\r\n;Print Settings\r\n")
        .arg(ProgramVersion::major)
        .arg(ProgramVersion::minor)
        .arg(ProgramVersion::revision)
        .toLatin1();
}

}  // namespace

TEST(frmPrint, AFirstStartShowsTheDefaults)
{
    PrintHarness h;
    frmPrint& w = h.open();
    EXPECT_EQ(w.windowTitle(), "Print Preview");
    EXPECT_TRUE(child<StyledButton>(w, "OptPaper_1")->Value());
    EXPECT_EQ(child<StyledButton>(w, "OptPaper_1")->Caption(), "A4 ");
    EXPECT_EQ(child<StyledButton>(w, "OptPaper_3")->Caption(), QString::fromUtf8("Letter (8,5\" \u00d7 11\")"));
    EXPECT_EQ(child<StyledButton>(w, "OptPaper_4")->Caption(), "Legal (8,5\" x 14\")");
    EXPECT_TRUE(child<StyledButton>(w, "OptOrient_0")->Value());
    EXPECT_TRUE(child<StyledButton>(w, "OptQuality_1")->Value());
    EXPECT_TRUE(child<StyledButton>(w, "OptColor_0")->Value());
    EXPECT_EQ(child<QLabel>(w, "Label3_0")->text(), "0100");
    EXPECT_EQ(child<QLabel>(w, "Label3_1")->text(), "0100");
    EXPECT_EQ(child<QComboBox>(w, "Cmbzoom")->currentText(), "35%");
    EXPECT_EQ(child<QLineEdit>(w, "txtCopies")->text(), "1");
    EXPECT_EQ(w.size(), QSize(twipsToPixels(11925), twipsToPixels(8925)));
    EXPECT_EQ(w.pos(), QPoint(twipsToPixels(200), twipsToPixels(200)));
    EXPECT_EQ(w.pageTwips(), QSize(12100, 16200));
    // The page: white A4 with the picture at 100 twips from the corner.
    const QImage page = w.page();
    EXPECT_EQ(page.size(), QSize(806, 1080));
    EXPECT_EQ(rgbOnly(page.pixel(twipsToPixels(100), twipsToPixels(100))), rgbOnly(qRgb(255, 0, 0)));
    EXPECT_EQ(rgbOnly(page.pixel(twipsToPixels(100) - 1, twipsToPixels(100))), 0xFFFFFFu);
    EXPECT_FALSE(QFile::exists(h.iniFile()));  // opening writes nothing
}

TEST(frmPrint, SaveSettingsWritesTheFileByteForByte)
{
    PrintHarness h;
    frmPrint& w = h.open();
    h.click(child<StyledButton>(w, "OptPaper_3"));
    h.click(child<StyledButton>(w, "OptColor_1"));
    h.click(child<StyledButton>(w, "OptQuality_2"));
    child<QScrollBar>(w, "HScroll1_0")->setValue(250);
    child<QComboBox>(w, "Cmbzoom")->setCurrentIndex(4);
    w.move(40, 30);
    w.resize(820, 400);
    child<QAction>(w, "mnusavesettings")->trigger();
    EXPECT_EQ(h.ini(), titleLine() + " 2 \r\n 3 \r\n 1 \r\n 0 \r\n 250 \r\n 100 \r\n 4 \r\n 450 \r\n 600 \r\n"
                                     " 12300 \r\n 6000 \r\n");
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Print Settings Saved.");
    EXPECT_EQ(h.prompts.boxes[0].title, "Print Settings");
    EXPECT_EQ(h.prompts.boxes[0].icon, BoxIcon::Information);
    EXPECT_EQ(w.pos(), QPoint(40, 30));  // the window stays where the user left it

    // The next opening comes back as saved.
    h.w.reset();
    frmPrint& again = h.open();
    EXPECT_TRUE(child<StyledButton>(again, "OptPaper_3")->Value());
    EXPECT_TRUE(child<StyledButton>(again, "OptColor_1")->Value());
    EXPECT_TRUE(child<StyledButton>(again, "OptQuality_2")->Value());
    EXPECT_EQ(child<QLabel>(again, "Label3_0")->text(), "0250");
    EXPECT_EQ(child<QComboBox>(again, "Cmbzoom")->currentText(), "100%");
    EXPECT_EQ(again.pos(), QPoint(40, 30));
    EXPECT_EQ(again.size(), QSize(820, 400));
    EXPECT_EQ(again.pageTwips(), QSize(12240, 15840));
}

TEST(frmPrint, SettingsThatCannotBeWrittenAreNotReportedSaved)
{
    PrintHarness h;
    QDir().mkpath(h.iniFile());  // a folder where the file goes
    frmPrint& w = h.open();
    child<QAction>(w, "mnusavesettings")->trigger();
    child<QAction>(w, "mnurestore")->trigger();
    ASSERT_EQ(h.prompts.boxes.size(), 2);
    EXPECT_NE(h.prompts.boxes[0].text, "Print Settings Saved.");
    EXPECT_EQ(h.prompts.boxes[0].icon, BoxIcon::Exclamation);
    EXPECT_NE(h.prompts.boxes[1].text, "Print Settings restored back to default.");
}

// A settings file that is a link to a device (a pipe stands in for one) is refused:
// the device stays, nothing is reported saved.
TEST(frmPrint, ALinkToADeviceIsNeverReplacedNorReportedSaved)
{
    PrintHarness h;
    const QString device = h.box.programFolder() + "/stand-in device";
    ASSERT_EQ(::mkfifo(QFile::encodeName(device).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(device, h.iniFile()));
    frmPrint& w = h.open();
    child<QAction>(w, "mnusavesettings")->trigger();
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Print Settings could not be saved.");
    struct stat st{};
    ASSERT_EQ(::lstat(QFile::encodeName(device).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(QFileInfo(h.iniFile()).isSymLink());
}

TEST(frmPrint, RestoreWritesTheDefaultsWithTheCurrentPlaceThenTakesTheDefaultPlace)
{
    PrintHarness h;
    h.writeIni(titleLine() + " 0 \r\n 4 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 300 \r\n 300 \r\n 12000 \r\n 6000 \r\n");
    frmPrint& w = h.open();
    EXPECT_TRUE(child<StyledButton>(w, "OptPaper_4")->Value());
    EXPECT_EQ(w.pageTwips(), QSize(20592, 12240));  // Legal, landscape
    EXPECT_EQ(child<QLabel>(w, "Label3_0")->text(), "0000");
    child<QAction>(w, "mnurestore")->trigger();
    EXPECT_EQ(h.ini(), titleLine() + " 1 \r\n 1 \r\n 0 \r\n 0 \r\n 100 \r\n 100 \r\n 1 \r\n 300 \r\n 300 \r\n"
                                     " 12000 \r\n 6000 \r\n");
    EXPECT_EQ(h.prompts.texts(), QStringList{"Print Settings restored back to default."});
    EXPECT_EQ(h.prompts.boxes[0].title, "Restore to Default Print Settings");
    EXPECT_EQ(w.pos(), QPoint(twipsToPixels(200), twipsToPixels(200)));
    EXPECT_EQ(w.size(), QSize(twipsToPixels(11925), twipsToPixels(8925)));
    EXPECT_TRUE(child<StyledButton>(w, "OptPaper_1")->Value());
}

TEST(frmPrint, StoredSizesBelowTheirThresholdsAreNotApplied)
{
    PrintHarness h;
    h.writeIni(titleLine() + " 1 \r\n 1 \r\n 0 \r\n 0 \r\n 100 \r\n 100 \r\n 1 \r\n 150 \r\n 75 \r\n 11910 \r\n 3999 \r\n");
    frmPrint& w = h.open();
    EXPECT_EQ(w.size(), QSize(twipsToPixels(11925), twipsToPixels(8925)));
    EXPECT_EQ(w.pos(), QPoint(twipsToPixels(75), twipsToPixels(150)));
}

TEST(frmPrint, AStoredPlaceOffEveryScreenOpensOnTheScreen)
{
    PrintHarness h;
    h.writeIni(titleLine() +
               " 1 \r\n 1 \r\n 0 \r\n 0 \r\n 100 \r\n 100 \r\n 1 \r\n 150000 \r\n 150000 \r\n 11925 \r\n 8925 \r\n");
    frmPrint& w = h.open();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(QRect(w.pos(), w.size()))) << w.pos().x() << "," << w.pos().y();
    EXPECT_GE(screen.intersected(QRect(w.pos(), w.size())).width(), 64);
}

TEST(frmPrint, ABrokenFileGivesEveryDefault)
{
    PrintHarness h;
    h.writeIni(titleLine() + " 2 \r\n 3 \r\n x \r\n");
    frmPrint& w = h.open();
    EXPECT_EQ(w.state(), PrintSettings{});
}

TEST(frmPrint, LandscapeTurnsThePageAndMarginsMoveThePicture)
{
    PrintHarness h;
    frmPrint& w = h.open();
    h.click(child<StyledButton>(w, "OptPaper_3"));
    EXPECT_EQ(w.pageTwips(), QSize(12240, 15840));
    h.click(child<StyledButton>(w, "OptOrient_1"));
    EXPECT_EQ(w.pageTwips(), QSize(15840, 12240));
    EXPECT_EQ(w.page().size(), QSize(1056, 816));
    EXPECT_EQ(w.state().OrientIndex, 1);

    child<QScrollBar>(w, "HScroll1_0")->setValue(0);
    child<QScrollBar>(w, "HScroll1_0")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(child<QLabel>(w, "Label3_0")->text(), "0050");
    child<QScrollBar>(w, "HScroll1_1")->setValue(16000);
    EXPECT_EQ(child<QLabel>(w, "Label3_1")->text(), "16000");
    child<QScrollBar>(w, "HScroll1_1")->setValue(1500);
    EXPECT_EQ(rgbOnly(w.page().pixel(twipsToPixels(50), twipsToPixels(1500))), rgbOnly(qRgb(255, 0, 0)));
    EXPECT_EQ(rgbOnly(w.page().pixel(twipsToPixels(50), twipsToPixels(1500) - 1)), 0xFFFFFFu);
}

TEST(frmPrint, ZoomShowsThePageWholeOrAQuarter)
{
    PrintHarness h;
    frmPrint& w = h.open();
    child<QComboBox>(w, "Cmbzoom")->setCurrentIndex(4);
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->size(), w.page().size());
    EXPECT_EQ(w.state().ZoomIndex, 4);
    child<QComboBox>(w, "Cmbzoom")->setCurrentIndex(0);
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->size(), QSize(806 / 4, 1080 / 4));
    child<QAction>(w, "mnu50")->trigger();  // 50% from the menu: the list shows it
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->size(), w.page().size() / 2);
    EXPECT_EQ(child<QComboBox>(w, "Cmbzoom")->currentText(), "50%");
    EXPECT_EQ(w.state().ZoomIndex, 2);
    // So "25%" in the list can be chosen again.
    child<QComboBox>(w, "Cmbzoom")->setCurrentIndex(0);
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->size(), QSize(806 / 4, 1080 / 4));
    child<QAction>(w, "mnu25")->trigger();  // the list's own entry from the menu
    child<QAction>(w, "mnu25")->trigger();
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->size(), QSize(806 / 4, 1080 / 4));
}

TEST(frmPrint, ASmallerZoomAfterScrollingSidewaysCentresThePage)
{
    PrintHarness h;
    frmPrint& w = h.open();
    w.show();
    child<QComboBox>(w, "Cmbzoom")->setCurrentIndex(4);
    ASSERT_GT(child<QScrollBar>(w, "hbarScroller")->maximum(), 0);
    child<QScrollBar>(w, "hbarScroller")->setValue(child<QScrollBar>(w, "hbarScroller")->maximum());
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->x(), -child<QScrollBar>(w, "hbarScroller")->maximum());
    child<QComboBox>(w, "Cmbzoom")->setCurrentIndex(0);
    auto* page = child<PictureBox>(w, "picZoom");
    EXPECT_EQ(page->x(), (child<QWidget>(w, "picHolder")->width() - page->width()) / 2);
}

TEST(frmPrint, EveryCaptionShowsWhole)
{
    PrintHarness h;
    frmPrint& w = h.open();
    w.show();
    QStringList clipped = caption_fit::clippedCaptions(&w);
    // An option's caption also keeps 4 pixels above and below it.
    for (const StyledButton* b : w.findChildren<StyledButton*>()) {
        const QString text = caption_fit::shownText(b->Caption());
        if (!caption_fit::fits(b->font(), text, b->size() - QSize(10, 8), true))
            clipped << b->objectName() + " \"" + text + "\" has " + QString::number(b->height()) + " px";
    }
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join("\n").toStdString();
}

TEST(frmPrint, PrintSendsOneJobWithTheCopiesAsRounded)
{
    struct Case {
        const char* text;
        const char* shown;
        int copies;
    };
    const Case cases[] = {{"", "1", 1}, {"0", "1", 1}, {"-3", "1", 1}, {"abc", "1", 1}, {"2.5", "2.5", 2},
                          {"3.5", "3.5", 4}};
    for (const Case& c : cases) {
        PrintHarness h;
        frmPrint& w = h.open();
        child<QLineEdit>(w, "txtCopies")->setText(c.text);
        h.click(child<StyledButton>(w, "CmdPrint"));
        EXPECT_EQ(child<QLineEdit>(w, "txtCopies")->text(), c.shown) << c.text;
        EXPECT_EQ(h.printer.jobs, 1) << c.text;
        EXPECT_EQ(h.printer.copiesPrinted, c.copies) << c.text;
        EXPECT_EQ(h.printer.drawn, w.page()) << c.text;
        EXPECT_EQ(h.printer.drawnTwips, QSizeF(12100, 16200)) << c.text;
        EXPECT_TRUE(h.prompts.boxes.isEmpty()) << c.text;
    }
}

TEST(frmPrint, TooManyCopiesSendNoJobAndSaySo)
{
    PrintHarness h;
    frmPrint& w = h.open();
    child<QLineEdit>(w, "txtCopies")->setText("40000");
    child<QAction>(w, "mnuPrintit")->trigger();
    EXPECT_EQ(h.printer.jobs, 0);
    EXPECT_TRUE(h.printer.steps.isEmpty());
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Could not print the picture.");
    EXPECT_EQ(h.prompts.boxes[0].title, "Print error nr6");
    EXPECT_EQ(h.prompts.boxes[0].icon, BoxIcon::Exclamation);
}

TEST(frmPrint, ARefusedJobIsReportedAfterIt)
{
    PrintHarness h;
    h.printer.refuse = "end";
    h.printer.refuseCode = platform::PrintError::kNoPrinter;
    frmPrint& w = h.open();
    w.printPic();
    EXPECT_EQ(h.prompts.texts(), QStringList{"Could not print the picture."});
    EXPECT_EQ(h.prompts.boxes[0].title, "Print error nr482");
}

TEST(frmPrint, PrintSetupOpensTheDesktopsPrinterSettings)
{
    PrintHarness h;
    h.find = [](const QString& name) { return "/usr/bin/" + name; };
    frmPrint& w = h.open();
    child<QAction>(w, "mnuprintSetup")->trigger();
    ASSERT_EQ(h.shell.startedPrograms.size(), 1);
    EXPECT_EQ(h.shell.startedPrograms[0].program, "/usr/bin/system-config-printer");
    EXPECT_TRUE(h.shell.startedPrograms[0].arguments.isEmpty());
}

TEST(frmPrint, APdfFileChosenInPrintSetupTakesTheWindowsPrints)
{
    PrintHarness h;
    h.realPrinter = true;
    const QString pdf = h.box.root() + "/chosen.pdf";
    platform::PrintDestination asked{"not-this-one", ""};
    h.choose = [&](QWidget*, const platform::PrintDestination& current) {
        asked = current;
        return std::optional<platform::PrintDestination>({QString(), pdf});
    };
    frmPrint& w = h.open();
    child<QAction>(w, "mnuprintSetup")->trigger();
    EXPECT_EQ(asked, platform::PrintDestination{});  // the default printer at first
    EXPECT_EQ(w.destination().outputFile, pdf);
    w.printPic();
    EXPECT_TRUE(h.prompts.boxes.isEmpty()) << h.prompts.texts().join("|").toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    // Cancelling the chooser keeps the choice.
    h.choose = [](QWidget*, const platform::PrintDestination&) { return std::nullopt; };
    child<QAction>(w, "mnuprintSetup")->trigger();
    EXPECT_EQ(w.destination().outputFile, pdf);
}

TEST(frmPrint, ThePrinterChooserChoosesAndDoesNotPromiseAPrint)
{
    PrintHarness h;
    frmPrint& w = h.open();
    w.show();
    QString title, okText;
    bool sawDialog = false;
    answerNextModal([&](QWidget* dialog) {
        sawDialog = true;
        title = dialog->windowTitle();
        for (auto* buttons : dialog->findChildren<QDialogButtonBox*>())
            if (auto* ok = buttons->button(QDialogButtonBox::Ok))
                okText = ok->text();
        static_cast<QDialog*>(dialog)->reject();
    });
    const auto chosen = printPrinterChooser(&w, {});
    ASSERT_TRUE(sawDialog);
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(title, "Print Setup");
    EXPECT_EQ(okText, "OK");
}

TEST(frmPrint, ClosingDeletesTheHandedOverPictureAndSavesNothing)
{
    PrintHarness h;
    frmPrint& w = h.open();
    w.show();
    child<QAction>(w, "mnuClose")->trigger();
    EXPECT_FALSE(QFile::exists(h.handOver()));
    EXPECT_FALSE(QFile::exists(h.iniFile()));
    EXPECT_TRUE(w.page().isNull());
}

TEST(frmPrint, ScrollBarsMoveAPageLargerThanThePreview)
{
    PrintHarness h;
    frmPrint& w = h.open();
    w.show();
    child<QComboBox>(w, "Cmbzoom")->setCurrentIndex(0);
    EXPECT_FALSE(child<QScrollBar>(w, "vbarScroller")->isVisibleTo(&w));  // a quarter page fits
    child<QComboBox>(w, "Cmbzoom")->setCurrentIndex(4);
    ASSERT_TRUE(child<QScrollBar>(w, "vbarScroller")->isVisibleTo(&w));
    EXPECT_TRUE(child<QScrollBar>(w, "hbarScroller")->isVisibleTo(&w));
    EXPECT_EQ(child<QScrollBar>(w, "vbarScroller")->maximum(),
              child<PictureBox>(w, "picZoom")->height() - child<QWidget>(w, "picHolder")->height());
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->y(), twipsToPixels(100));  // the gap above the page
    child<QScrollBar>(w, "vbarScroller")->setValue(50);
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->y(), twipsToPixels(100) - 50);
    child<QScrollBar>(w, "hbarScroller")->setValue(20);
    EXPECT_EQ(child<PictureBox>(w, "picZoom")->x(), -20);
}

// The orientation applies with the choice whatever makes it: the page and the job
// turn for Space, the arrow keys and an assistive tool's press as for the mouse.
TEST(frmPrint, LandscapeChosenWithoutTheMouseTurnsThePageAndTheJob)
{
    struct Case {
        const char* way;
        std::function<void(frmPrint&)> chooseLandscape;
    };
    const Case cases[] = {
        {"Space", [](frmPrint& w) { keyboard::pressBySpace(child<StyledButton>(w, "OptOrient_1")); }},
        {"arrow key",
         [](frmPrint& w) {
             // The press moves the focus; the release reaches the option moved to.
             child<StyledButton>(w, "OptOrient_0")->setFocus(Qt::TabFocusReason);
             QTest::keyPress(QApplication::focusWidget(), Qt::Key_Right);
             QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Right);
         }},
        {"assistive tool",
         [](frmPrint& w) { ASSERT_TRUE(keyboard::pressByTool(child<StyledButton>(w, "OptOrient_1"))); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        PrintHarness h;
        frmPrint& w = h.open();
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        ASSERT_EQ(w.pageTwips(), QSize(12100, 16200));
        c.chooseLandscape(w);
        QTRY_VERIFY(child<StyledButton>(w, "OptOrient_1")->Value());
        EXPECT_FALSE(child<StyledButton>(w, "OptOrient_0")->Value());
        EXPECT_EQ(w.state().OrientIndex, 1);
        EXPECT_EQ(w.pageTwips(), QSize(16200, 12100));
        EXPECT_GT(w.page().width(), w.page().height());

        keyboard::pressBySpace(child<StyledButton>(w, "CmdPrint"));
        ASSERT_EQ(h.printer.jobs, 1);
        EXPECT_TRUE(h.printer.steps.contains(QStringLiteral("orientation %1").arg(platform::DeviceMode::kLandscape)));
        EXPECT_GT(h.printer.drawnTwips.width(), h.printer.drawnTwips.height());
    }
}

TEST(frmPrint, EveryControlHasANameAndTabReachesIt)
{
    PrintHarness h;
    frmPrint& w = h.open();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(keyboard::unnamedControls(&w), "");
    EXPECT_EQ(keyboard::unreachedByTab(&w), "");
}
