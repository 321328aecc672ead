#include "viewer/frmPrint.h"

#include "platform/gdi/ScreenPlacement.h"

#include "buttons/StyledButton.h"
#include "core/MouseButtonCodes.h"
#include "platform/files/BmpFile.h"
#include "platform/files/FileOperations.h"
#include "platform/files/SaveFile.h"
#include "platform/files/SmallFile.h"
#include "platform/gdi/ScreenPlacement.h"
#include "platform/gdi/Twips.h"
#include "platform/print/PrintLog.h"
#include "platform/print/Printer.h"
#include "platform/shell/Shell.h"
#include "settings/IniReader.h"
#include "settings/Prompts.h"
#include "viewer/PictureBox.h"
#include "viewer/Printing.h"
#include "viewer/ViewerSaving.h"
#include "viewer/PictureReader.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

using platform::pixelsToTwips;
using platform::twipsToPixels;

namespace {

// The page keeps this gap above it after every redraw.
constexpr int kPageGapTwips = 100;
// A scroll bar shows only when the page is wider (higher) than the bar less this.
constexpr int kScrollerSlackTwips = 100;

}  // namespace

frmPrint::frmPrint(const QString& appPath, PrintServices services, QWidget* parent)
    : QDialog(parent), appPath_(appPath), services_(services)
{
    setObjectName("frmPrint");
    buildControls();
    connectHandlers();
}

frmPrint::~frmPrint() = default;

QString frmPrint::settingsFile() const
{
    return appPath_ + u'/' + QLatin1String(kPrintSettingsFile);
}

QString frmPrint::handOverFile() const
{
    return appPath_ + u'/' + QLatin1String(kPrintHandOffFile);
}

void frmPrint::Form_Load()
{
    loading_ = true;
    pageTwips_ = paperSizeTwips(state_.PaperIndex);
    yield();
    LoadItForPrint(0, 0);
    GetPrintSettings();
    SetPrintSettings(false);
    yield();
    loading_ = false;
    // The window's first showing lays the page out for the orientation it shows.
    Form_Resize();
}

void frmPrint::LoadItForPrint(int XOffset, int YOffset)
{
    setCursor(Qt::WaitCursor);
    const QImage picture = readPicture(handOverFile()).picture;
    picOffset->setPicture(picture);
    picPrint->setPicture(layoutPage(picture, pageTwips_, XOffset, YOffset));
    picZoom->setPicture(picPrint->picture());
    Form_Resize();
    yield();
    unsetCursor();
}

QImage frmPrint::page() const
{
    return picPrint->picture();
}

void frmPrint::GetPrintSettings()
{
    const platform::SmallFileRead read = platform::readSmallFile(settingsFile());
    const std::optional<PrintSettings> stored =
        read.result.ok ? parsePrintSettings(read.bytes) : std::nullopt;
    if (!read.result.ok && !read.missing)
        qCWarning(lcPrint) << "print settings unreadable:" << read.result.reason;
    if (stored)
        state_ = *stored;
    else
        PrintDefaults();
}

void frmPrint::PrintDefaults()
{
    state_ = PrintSettings{};
}

QRect frmPrint::rectTwips() const
{
    return {pixelsToTwips(x()), pixelsToTwips(y()), pixelsToTwips(width()), pixelsToTwips(height())};
}

bool frmPrint::SetPrintSettings(bool DoSave)
{
    bool written = true;
    if (DoSave) {
        PrintSettings file = state_;
        const QRect now = rectTwips();
        file.top = now.y();
        file.left = now.x();
        file.width = now.width();
        file.height = now.height();
        written = platform::writeFileSafely(settingsFile(), printSettingsFileText(file)).ok;
    }
    Cmbzoom->setCurrentIndex(state_.ZoomIndex);
    auto choose = [this](StyledButton* option, int index, void (frmPrint::*handler)(int)) {
        const bool changed = !option->Value();
        option->setValue(true);
        if (changed && handler)
            (this->*handler)(index);
        yield();
    };
    choose(OptQuality[state_.QualityIndex], state_.QualityIndex, &frmPrint::OptQuality_Click);
    choose(OptPaper[state_.PaperIndex], state_.PaperIndex, &frmPrint::OptPaper_Click);
    choose(OptColor[state_.ColorIndex], state_.ColorIndex, &frmPrint::OptColor_Click);
    choose(OptOrient[state_.OrientIndex], state_.OrientIndex, nullptr);
    HScroll1[0]->setValue(state_.MarginX);
    yield();
    HScroll1[1]->setValue(state_.MarginY);
    yield();
    Cmbzoom->setCurrentIndex(state_.ZoomIndex);
    if (state_.width >= kMinStoredWidth)
        resize(twipsToPixels(state_.width), height());
    if (state_.height >= kMinStoredHeight)
        resize(width(), twipsToPixels(state_.height));
    // A place off every screen (a screen since removed) comes onto the nearest one.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QRect stored(twipsToPixels(state_.left), twipsToPixels(state_.top), frameGeometry().width(),
                       frameGeometry().height());
    move(platform::placeOnScreen(stored, screens));
    return written;
}

void frmPrint::OptQuality_Click(int Index)
{
    state_.QualityIndex = Index;
}

void frmPrint::OptColor_Click(int Index)
{
    state_.ColorIndex = Index;
}

void frmPrint::OptPaper_Click(int Index)
{
    pageTwips_ = paperSizeTwips(Index);
    state_.PaperIndex = Index;
    Form_Resize();
}

void frmPrint::OptOrient_MouseUp(int Index, int Button)
{
    if (Button != buttons::kMouseLeft)
        return;
    // The page turns with the choice the button is about to show.
    if (Index != state_.OrientIndex) {
        OptOrient[Index]->setValue(true);
        Form_Resize();
    }
    state_.OrientIndex = Index;
}

void frmPrint::HScroll1_Change(int Index)
{
    QScrollBar* bar = HScroll1[Index];
    bar->setEnabled(false);
    Label3[Index]->setText(marginLabelText(bar->value()));
    LoadItForPrint(Label3[0]->text().toInt(), Label3[1]->text().toInt());
    bar->setEnabled(true);
    bar->setFocus();
}

void frmPrint::Form_Resize()
{
    if (isMinimized() || height() == 0 || !picHolder)
        return;
    const QSize paper = paperSizeTwips(state_.PaperIndex);
    const QSize turned = OptOrient[1]->Value() ? paper.transposed() : paper;
    if (turned != pageTwips_ || picPrint->picture().size() != QSize(twipsToPixels(turned.width()),
                                                                     twipsToPixels(turned.height()))) {
        pageTwips_ = turned;
        picPrint->setPicture(layoutPage(picOffset->picture(), pageTwips_, Label3[0]->text().toInt(),
                                        Label3[1]->text().toInt()));
    }
    const int top = menuBar->height();
    const int innerHeight = height() - top;
    picHolder->setGeometry(0, top, width() - vbarScroller->width(),
                           innerHeight - hbarScroller->height() - Picture1->height());
    placeZoom();
    hbarScroller->setGeometry(0, top + innerHeight - hbarScroller->height() - Picture1->height(),
                              width() - vbarScroller->width(), hbarScroller->height());
    vbarScroller->setGeometry(width() - vbarScroller->width(), top, vbarScroller->width(),
                              innerHeight - hbarScroller->height() - Picture1->height());
    Picture1->setGeometry(0, height() - Picture1->height(), width(), Picture1->height());
    SetupScrollers();
    Cmbzoom_Click();
}

void frmPrint::placeZoom()
{
    if (picZoom->width() < picHolder->width() && picZoom->height() < picHolder->height())
        picZoom->move((picHolder->width() - picZoom->width()) / 2, (picHolder->height() - picZoom->height()) / 2);
    else
        picZoom->move(0, picZoom->y());
}

void frmPrint::SetupScrollers()
{
    const int holderH = picHolder->height(), holderW = picHolder->width();
    vbarScroller->setRange(0, qMax(0, picZoom->height() - holderH));
    vbarScroller->setPageStep(holderH);
    vbarScroller->setSingleStep(qMax(1, qRound(holderH / 5.0)));
    hbarScroller->setRange(0, qMax(0, picZoom->width() - holderW));
    hbarScroller->setPageStep(holderW);
    hbarScroller->setSingleStep(qMax(1, qRound(holderW / 5.0)));
}

void frmPrint::Cmbzoom_Click()
{
    ReDrawScalePic(leadingNumber(Cmbzoom->currentText()));
    state_.ZoomIndex = Cmbzoom->currentIndex();
}

void frmPrint::ReDrawScalePic(double zoom)
{
    const double d = zoomDivisor(zoom);
    const QSize full = picPrint->picture().size();
    picZoom->hide();
    picZoom->resize(qMax(1, int(full.width() / d)), qMax(1, int(full.height() / d)));
    picZoom->move(picHolder->width() / 2 - picZoom->width() / 2, picHolder->height() / 2 - picZoom->height() / 2);
    picZoom->setPicture(picPrint->picture());
    picZoom->show();
    // The bars' ranges follow the new size, or a page zoomed larger could not be
    // scrolled until the window was resized.
    SetupScrollers();
    const int slack = twipsToPixels(kScrollerSlackTwips);
    hbarScroller->setVisible(hbarScroller->width() - slack < picZoom->width());
    vbarScroller->setVisible(vbarScroller->height() - slack < picZoom->height());
    vbarScroller_Change();
}

void frmPrint::hbarScroller_Change()
{
    // A page narrower than the preview stays centred whatever the bar last said.
    if (picZoom->width() <= picHolder->width())
        picZoom->move((picHolder->width() - picZoom->width()) / 2, picZoom->y());
    else
        picZoom->move(-hbarScroller->value(), picZoom->y());
}

void frmPrint::mnuZoom_Click(int index)
{
    // The list follows the menu, so each of its entries can be chosen again.
    if (Cmbzoom->currentIndex() != index)
        Cmbzoom->setCurrentIndex(index);
    else
        Cmbzoom_Click();
}

void frmPrint::vbarScroller_Scroll()
{
    picZoom->move(picZoom->x(), -vbarScroller->value());
}

void frmPrint::vbarScroller_Change()
{
    picZoom->move(picZoom->x(), twipsToPixels(kPageGapTwips) - vbarScroller->value());
}

void frmPrint::CmdPrint_Click()
{
    printPic();
}

void frmPrint::printPic()
{
    const CopiesCount copies = copiesFromText(txtCopies->text());
    txtCopies->setText(copies.text);
    const QImage pageNow = page();
    setCursor(Qt::WaitCursor);
    std::unique_ptr<platform::Printer> systemPrinter;
    platform::Printer* printer = services_.printer;
    if (!printer) {
        systemPrinter = platform::makePrinter(destination_);
        printer = systemPrinter.get();
    }
    const PrintOutcome outcome = printPage(*printer, state_, copies.copies, pageNow, pageTwips_);
    yield();
    unsetCursor();
    if (!copies.copies)
        qCWarning(lcPrint) << "no job sent: copies beyond range:" << copies.text;
    if (outcome.lastError != 0) {
        services_.prompts.message(this, kPrintErrorText, printErrorTitle(outcome.lastError), BoxIcon::Exclamation);
    }
}

void frmPrint::mnuprintSetup_Click()
{
    const ProgramFinder find = services_.findProgram ? services_.findProgram : ProgramFinder(findOnPath);
    const ProgramCall call = printerSettingsCall(find);
    if (!call.program.isEmpty() && services_.shell.startProgramIn(call.workingFolder, call.program, call.arguments))
        return;
    // No printer settings program on this desktop: a printer chooser whose choice
    // this window's prints then take.
    const auto choose = services_.choosePrinter ? services_.choosePrinter : printPrinterChooser;
    if (const std::optional<platform::PrintDestination> chosen = choose(this, destination_)) {
        destination_ = *chosen;
        qCInfo(lcPrint) << "prints go to" << (destination_.toFile() ? destination_.outputFile
                                              : destination_.printerName.isEmpty() ? QStringLiteral("the default printer")
                                                                                   : destination_.printerName);
    }
}

std::optional<platform::PrintDestination> printPrinterChooser(QWidget* parent,
                                                               const platform::PrintDestination& current)
{
    QPrinter printer;
    if (current.toFile()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(current.outputFile);
    } else if (!current.printerName.isEmpty()) {
        printer.setPrinterName(current.printerName);
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName("PrintSetupDialog");
    dialog.setWindowTitle("Print Setup");
    // The chooser only chooses; its button must not promise a print.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText("OK");
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return platform::PrintDestination{QString(), printer.outputFileName()};
    return platform::PrintDestination{printer.printerName(), QString()};
}

void frmPrint::mnusavesettings_Click()
{
    const QRect now = rectTwips();
    state_.width = now.width();
    state_.height = now.height();
    state_.top = now.y();
    state_.left = now.x();
    state_.MarginX = HScroll1[0]->value();
    state_.MarginY = HScroll1[1]->value();
    if (SetPrintSettings(true))
        services_.prompts.message(this, "Print Settings Saved.", "Print Settings", BoxIcon::Information);
    else
        services_.prompts.message(this, "Print Settings could not be saved.", "Print Settings", BoxIcon::Exclamation);
}

void frmPrint::mnurestore_Click()
{
    PrintDefaults();
    if (SetPrintSettings(true))
        services_.prompts.message(this, "Print Settings restored back to default.",
                                  "Restore to Default Print Settings", BoxIcon::Information);
    else
        services_.prompts.message(this, "Print Settings could not be saved.", "Restore to Default Print Settings",
                                  BoxIcon::Exclamation);
}

void frmPrint::Form_Unload()
{
    picPrint->clear();
    picZoom->clear();
    picOffset->clear();
    const platform::Result removed = platform::removeFile(handOverFile());
    if (!removed && QFileInfo::exists(handOverFile()))
        qCWarning(lcPrint) << "the hand-over picture stays:" << removed.reason;
}

void frmPrint::unloadOnce()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    Form_Unload();
}

void frmPrint::done(int result)
{
    unloadOnce();
    QDialog::done(result);
}

void frmPrint::closeEvent(QCloseEvent* event)
{
    unloadOnce();
    QDialog::closeEvent(event);
}

void frmPrint::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!loading_)
        Form_Resize();
}

void frmPrint::yield()
{
    QCoreApplication::processEvents();
}
