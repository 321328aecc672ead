#pragma once

#include "platform/print/Printer.h"
#include "viewer/PrintSettings.h"

#include <QDialog>
#include <QImage>
#include <QSize>

#include <array>
#include <functional>
#include <optional>

class PictureBox;
class Prompts;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QScrollBar;
class Shell;
class StyledButton;

// What the print window works with. All outlive the window.
struct PrintServices {
    Prompts& prompts;
    Shell& shell;
    // null: the printer chosen in "Print Setup..." (at first the system's default
    // printer), taken when a job is printed
    platform::Printer* printer = nullptr;
    // Finds an outside program by name; empty: the real search path.
    std::function<QString(const QString&)> findProgram = {};
    // Asks the user for a printer or a PDF file, starting from the current one;
    // nothing when cancelled. Empty: Qt's printer chooser (printPrinterChooser).
    std::function<std::optional<platform::PrintDestination>(QWidget*, const platform::PrintDestination&)>
        choosePrinter = {};
};

// Qt's printer chooser, titled "Print Setup" with an "OK" button: it chooses where
// the prints go and prints nothing itself.
std::optional<platform::PrintDestination> printPrinterChooser(QWidget* parent,
                                                               const platform::PrintDestination& current);

// The print window: a page preview of the picture the viewer handed over in
// "tempbufprint1.bmp", with paper, orientation, quality, colour, margins, copies and
// zoom, its own settings file TolvexPrint.ini, and printing. Opened modal; it
// deletes the hand-over file when it closes.
class frmPrint : public QDialog {
    Q_OBJECT
public:
    frmPrint(const QString& appPath, PrintServices services, QWidget* parent = nullptr);
    ~frmPrint() override;

    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void Cmbzoom_Click();
    void LoadItForPrint(int XOffset = 0, int YOffset = 0);
    void GetPrintSettings();
    void PrintDefaults();
    // Writes the file first when DoSave is set; false when that write failed.
    bool SetPrintSettings(bool DoSave = false);
    void ReDrawScalePic(double zoom);
    void printPic();

    void OptQuality_Click(int Index);
    void OptPaper_Click(int Index);
    void OptColor_Click(int Index);
    void OptOrient_MouseUp(int Index, int Button);
    void HScroll1_Change(int Index);
    void hbarScroller_Change();
    // A Zoom menu entry, by its place in the zoom list (0 "25%" to 4 "100%").
    void mnuZoom_Click(int index);
    void vbarScroller_Change();
    void vbarScroller_Scroll();
    void CmdPrint_Click();
    void mnuprintSetup_Click();
    void mnusavesettings_Click();
    void mnurestore_Click();

    // The window's state: its choices, margins, zoom and stored place.
    const PrintSettings& state() const { return state_; }
    // The page as laid out (paper of the page's size, the picture at the margins).
    QImage page() const;
    QSize pageTwips() const { return pageTwips_; }
    // The window's outer place in twips.
    QRect rectTwips() const;
    QString settingsFile() const;
    QString handOverFile() const;
    // Where this window's prints go: the default printer until "Print Setup..."
    // chooses another printer or a PDF file.
    const platform::PrintDestination& destination() const { return destination_; }

public slots:
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::array<StyledButton*, kQualities> OptQuality{};
    std::array<StyledButton*, kPapers> OptPaper{};
    std::array<StyledButton*, kColourModes> OptColor{};
    std::array<StyledButton*, kOrientations> OptOrient{};
    QComboBox* Cmbzoom = nullptr;
    std::array<QScrollBar*, 2> HScroll1{};
    std::array<QLabel*, 2> Label3{};
    QLineEdit* txtCopies = nullptr;
    StyledButton* CmdPrint = nullptr;
    PictureBox* picOffset = nullptr;
    PictureBox* picPrint = nullptr;
    QWidget* picHolder = nullptr;
    PictureBox* picZoom = nullptr;
    QScrollBar* vbarScroller = nullptr;
    QScrollBar* hbarScroller = nullptr;
    QWidget* Picture1 = nullptr;
    QMenuBar* menuBar = nullptr;
    QAction* mnuPrintit = nullptr;
    QAction* mnuprintSetup = nullptr;
    QAction* mnuClose = nullptr;
    std::array<QAction*, kZoomSteps> mnuZoom{};  // 100%, 75%, 50%, 35%, 25%
    QAction* mnusavesettings = nullptr;
    QAction* mnurestore = nullptr;

    void buildControls();
    void buildOptions();
    void buildMenus();
    void connectHandlers();
    void SetupScrollers();
    void placeZoom();
    void unloadOnce();
    void yield();

    QString appPath_;
    PrintServices services_;
    PrintSettings state_;
    platform::PrintDestination destination_;
    QSize pageTwips_;
    bool unloaded_ = false;
    bool loading_ = true;
};
