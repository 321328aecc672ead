// The print window's controls and menus, and its handlers, connected in one place.
#include "viewer/frmPrint.h"

#include "buttons/ButtonPress.h"
#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"
#include "platform/gdi/Twips.h"
#include "viewer/PictureBox.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

namespace {

constexpr int kWindowWidth = 11925 / platform::kTwipsPerPixel;
constexpr int kWindowHeight = 8925 / platform::kTwipsPerPixel;
constexpr int kPanelHeight = 142;
// An option's caption keeps 4 pixels above and below it: a row this high shows a
// line of the window's font whole (descenders and commas too).
constexpr int kOptionRow = 23;
constexpr int kScrollerThickness = 16;

QGroupBox* frame(QWidget* parent, const char* name, const char* title, const QRect& place)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setGeometry(place);
    return box;
}

template <size_t N>
void options(QGroupBox* box, const char* name, const char* const (&captions)[N],
             std::array<StyledButton*, N>& buttons)
{
    for (size_t i = 0; i < N; ++i) {
        const PropertyBag design{{"Caption", captions[i]}, {"BackStyle", 4}, {"Mode", 2}};
        StyledButton* b = createStyledButton(box, QStringLiteral("%1_%2").arg(name).arg(i), design);
        b->setGeometry(6, 18 + int(i) * kOptionRow, box->width() - 12, kOptionRow);
        buttons[i] = b;
    }
}

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

}  // namespace

void frmPrint::buildControls()
{
    setWindowTitle("Print Preview");
    resize(kWindowWidth, kWindowHeight);
    buildMenus();

    picOffset = new PictureBox(this);
    picOffset->setObjectName("picOffset");
    picOffset->hide();
    picPrint = new PictureBox(this);
    picPrint->setObjectName("picPrint");
    picPrint->hide();
    picHolder = new QWidget(this);
    picHolder->setObjectName("picHolder");
    picHolder->setAutoFillBackground(true);
    picHolder->setBackgroundRole(QPalette::Dark);
    picZoom = new PictureBox(picHolder);
    picZoom->setObjectName("picZoom");
    vbarScroller = new QScrollBar(Qt::Vertical, this);
    vbarScroller->setObjectName("vbarScroller");
    vbarScroller->resize(kScrollerThickness, 100);
    hbarScroller = new QScrollBar(Qt::Horizontal, this);
    hbarScroller->setObjectName("hbarScroller");
    hbarScroller->resize(100, kScrollerThickness);

    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setGeometry(0, kWindowHeight - kPanelHeight, kWindowWidth, kPanelHeight);
    buildOptions();
}

void frmPrint::buildOptions()
{
    static const char* const qualities[] = {"Draft", "Normal", "High"};
    // Letter and Legal give their size in inches.
    static const char* const papers[] = {"A3", "A4 ", "A5", "Letter (8,5\" \u00d7 11\")", "Legal (8,5\" x 14\")"};
    static const char* const colours[] = {"Color", "Monochrome"};
    static const char* const orientations[] = {"Portrait", "Landscape"};
    options(frame(Picture1, "fraQuality", "Quality", {4, 2, 90, 92}), "OptQuality", qualities, OptQuality);
    options(frame(Picture1, "fraPaper", "Paper", {98, 2, 150, 138}), "OptPaper", papers, OptPaper);
    options(frame(Picture1, "fraColor", "Mode", {252, 2, 100, 68}), "OptColor", colours, OptColor);
    options(frame(Picture1, "fraOrient", "Orientation", {356, 2, 100, 68}), "OptOrient", orientations, OptOrient);

    QGroupBox* zoom = frame(Picture1, "fraZoom", "Zoom", {252, 74, 100, 48});
    Cmbzoom = new QComboBox(zoom);
    Cmbzoom->setObjectName("Cmbzoom");
    Cmbzoom->setGeometry(6, 18, 88, 22);
    Cmbzoom->addItems({"25%", "35%", "50%", "75%", "100%"});
    Cmbzoom->setCurrentIndex(-1);
    Cmbzoom->setAccessibleName("Zoom");

    QGroupBox* margin = frame(Picture1, "fraMargin", "Margin", {460, 2, 200, 86});
    auto* hv = new QLabel("H V", margin);
    hv->setGeometry(6, 18, 188, 14);
    for (int i = 0; i < 2; ++i) {
        HScroll1[i] = new QScrollBar(Qt::Horizontal, margin);
        HScroll1[i]->setObjectName(QStringLiteral("HScroll1_%1").arg(i));
        HScroll1[i]->setGeometry(6, 34 + i * 24, 140, 18);
        HScroll1[i]->setRange(0, kMarginMax);
        HScroll1[i]->setSingleStep(50);
        HScroll1[i]->setPageStep(500);
        // A margin is a setting of its own: Tab reaches it, the arrow keys move it.
        HScroll1[i]->setFocusPolicy(Qt::StrongFocus);
        HScroll1[i]->setInvertedControls(false);  // the right arrow widens the margin
        HScroll1[i]->setAccessibleName(i == 0 ? "Horizontal margin" : "Vertical margin");
        Label3[i] = new QLabel("0000", margin);
        Label3[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
        Label3[i]->setGeometry(152, 34 + i * 24, 44, 18);
    }

    QGroupBox* copies = frame(Picture1, "fraCopies", "Copies", {664, 2, 120, 56});
    auto* total = new QLabel("total:", copies);
    total->setGeometry(6, 22, 40, 18);
    txtCopies = new QLineEdit("1", copies);
    txtCopies->setObjectName("txtCopies");
    txtCopies->setGeometry(48, 20, 64, 22);
    total->setBuddy(txtCopies);
    txtCopies->setAccessibleName("Copies");

    CmdPrint = createStyledButton(Picture1, "CmdPrint", PropertyBag{{"Caption", "Print"}, {"BackStyle", 4}});
    CmdPrint->setGeometry(664, 64, 120, 28);
}

void frmPrint::buildMenus()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName("menuBar");
    QMenu* file = menuBar->addMenu("&File");
    mnuPrintit = item(file, "mnuPrintit", "Print");
    mnuprintSetup = item(file, "mnuprintSetup", "Print Setup...");
    mnuClose = item(file, "mnuClose", "&Close");
    QMenu* zoom = menuBar->addMenu("&Zoom");
    const char* names[kZoomSteps] = {"mnu100", "mnu75", "mnu50", "mnu35", "mnu25"};
    const char* captions[kZoomSteps] = {"100%", "75%", "50%", "35%", "25%"};
    for (int i = 0; i < kZoomSteps; ++i)
        mnuZoom[i] = item(zoom, names[i], captions[i]);
    QMenu* settings = menuBar->addMenu("Options");
    mnusavesettings = item(settings, "mnusavesettings", "Save settings");
    mnurestore = item(settings, "mnurestore", "Restore to default");
    menuBar->adjustSize();
    menuBar->setGeometry(0, 0, kWindowWidth, menuBar->sizeHint().height());
}

void frmPrint::connectHandlers()
{
    for (int i = 0; i < kQualities; ++i)
        connect(OptQuality[i], &StyledButton::Click, this, [this, i] { OptQuality_Click(i); });
    for (int i = 0; i < kPapers; ++i)
        connect(OptPaper[i], &StyledButton::Click, this, [this, i] { OptPaper_Click(i); });
    for (int i = 0; i < kColourModes; ++i)
        connect(OptColor[i], &StyledButton::Click, this, [this, i] { OptColor_Click(i); });
    for (int i = 0; i < kOrientations; ++i)
        // The page turns for every way of choosing: the mouse, Space, the arrow keys,
        // the access key and an assistive tool's press.
        buttons::connectMouseUp(OptOrient[i], this,
                                [this, i](int button, int, float, float) { OptOrient_MouseUp(i, button); });
    connect(Cmbzoom, &QComboBox::currentIndexChanged, this, [this] { Cmbzoom_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(HScroll1[i], &QScrollBar::valueChanged, this, [this, i] { HScroll1_Change(i); });
    connect(hbarScroller, &QScrollBar::valueChanged, this, &frmPrint::hbarScroller_Change);
    connect(vbarScroller, &QScrollBar::valueChanged, this, &frmPrint::vbarScroller_Change);
    connect(vbarScroller, &QScrollBar::sliderMoved, this, &frmPrint::vbarScroller_Scroll);
    connect(CmdPrint, &StyledButton::Click, this, &frmPrint::CmdPrint_Click);
    connect(mnuPrintit, &QAction::triggered, this, &frmPrint::printPic);
    connect(mnuprintSetup, &QAction::triggered, this, &frmPrint::mnuprintSetup_Click);
    connect(mnuClose, &QAction::triggered, this, [this] { close(); });
    // The menu runs 100% down to 25%, the list 25% up to 100%.
    for (int i = 0; i < kZoomSteps; ++i)
        connect(mnuZoom[i], &QAction::triggered, this, [this, i] { mnuZoom_Click(kZoomSteps - 1 - i); });
    connect(mnusavesettings, &QAction::triggered, this, &frmPrint::mnusavesettings_Click);
    connect(mnurestore, &QAction::triggered, this, &frmPrint::mnurestore_Click);
}
