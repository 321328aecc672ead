// The main window's controls, created from their stored designs.
#include "capture/frmMain.h"

#include "buttons/ButtonPress.h"
#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"
#include "capture/MainLook.h"
#include "platform/base/NamedTimer.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>

enum class frmMain::Panel { Buttons, Bottom };

struct frmMain::ButtonDesign {
    const char* name;
    StyledButton* frmMain::*member;
    Panel panel;
    QRect geometry;
    const char* toolTip;
    PropertyBag design;
};

// Designs of the buttons: mode 1 is a check box, mode 2 an option button.
std::vector<frmMain::ButtonDesign> frmMain::buttonDesigns()
{
    // The command buttons carry a gradient, so the chosen button colour shows (Opmaak).
    auto command = [](const char* caption) {
        return PropertyBag{{"Caption", caption}, {"BackStyle", 4}, {"Gradient", kMainButtonGradient}};
    };
    return {
        {"cmdStart", &frmMain::cmdStart, Panel::Buttons, {4, 4, 88, 23}, "Start live video feed", command("&Start")},
        {"cmdStop", &frmMain::cmdStop, Panel::Buttons, {4, 29, 88, 23}, "Stop", command("S&top")},
        {"cmdSnapShot", &frmMain::cmdSnapShot, Panel::Buttons, {4, 58, 88, 23}, "Save one picture frame on your harddisk [F3]", command("&SnapShot")},
        {"cmdBurst", &frmMain::cmdBurst, Panel::Buttons, {4, 83, 88, 23}, "", command("&Burst")},
        {"cmdRecord", &frmMain::cmdRecord, Panel::Buttons, {4, 108, 88, 23}, "Record video", command("&Record")},
        {"cmdSaveAs", &frmMain::cmdSaveAs, Panel::Buttons, {4, 133, 88, 23}, "Save the picture as...", command("Save &As...")},
        {"cmdCamOptions", &frmMain::cmdCamOptions, Panel::Buttons, {4, 162, 88, 23}, "Available video device options", command("Cam &Options")},
        {"cmdVideoSize", &frmMain::cmdVideoSize, Panel::Buttons, {4, 187, 88, 23}, "Select video format of your device", command("&Video Size")},
        {"StyledButton13", &frmMain::StyledButton13, Panel::Buttons, {4, 212, 88, 23}, "Select between available device(s)", command("&Devices")},
        {"cmdViewer", &frmMain::cmdViewer, Panel::Buttons, {4, 241, 88, 23}, "Viewer/Browser/Editor/Printing of your saved pictures and movies",
         command("Open/Vi&ew")},
        {"cmdSetup", &frmMain::cmdSetup, Panel::Buttons, {4, 266, 88, 23}, "Setup", command("Set&up")},
        {"cmdHelp", &frmMain::cmdHelp, Panel::Buttons, {4, 291, 42, 23}, "Manual", command("&Help")},
        {"cmdAbout", &frmMain::cmdAbout, Panel::Buttons, {50, 291, 42, 23}, "About", command("About")},
        {"cmdOptions", &frmMain::cmdOptions, Panel::Buttons, {4, 316, 88, 14}, "Tiny Mode", command("")},
        {"Check1", &frmMain::Check1, Panel::Bottom, {290, 4, 84, 20},
         "Fit window to original size or stretch the original video source size to window",
         PropertyBag{{"Caption", "Fit/Stretch "}, {"BackStyle", 4}, {"Mode", 1}}},
        {"Check3", &frmMain::Check3, Panel::Bottom, {290, 26, 84, 20},
         "Display video full screen (click on the screen to restore)",
         PropertyBag{{"Caption", "Full Screen"}, {"BackStyle", 4}, {"Mode", 1}}},
    };
}

namespace {

struct OptionDesign {
    const char* caption;
    const char* toolTip;
};

constexpr OptionDesign kOptionDesigns[4] = {
    {"&Manual", "Normal (non-automated mode)"},
    {"Au&tosave", "Automatically save 1 frame every xx seconds to disk"},
    {"Mot&ionsave", "Automatically save 1 frame every xx seconds when motion is detected"},
    {"Motionrecord", "Automatically record xx seconds when motion is detected"},
};

}  // namespace

void frmMain::buildControls()
{
    resize(475, 374);
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);

    Picture2 = new QWidget(this);
    Picture2->setObjectName("Picture2");
    Picture2->setGeometry(0, 0, 96, 334);

    Picture3 = new QWidget(this);
    Picture3->setObjectName("Picture3");
    Picture3->setGeometry(96, 298, 379, 52);

    // Below the button panel, down to the bottom panel's height.
    imgSizeLogo = new QLabel(this);
    imgSizeLogo->setObjectName("imgSizeLogo");
    imgSizeLogo->setGeometry(4, 338, 88, 36);
    imgSizeLogo->setAlignment(Qt::AlignCenter);
    imgSizeLogo->hide();

    Image1 = new QWidget(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(102, 4, 352, 288);
    Image1->hide();

    Image4 = new PreviewImage(this);
    Image4->setObjectName("Image4");
    Image4->setGeometry(102, 4, 352, 288);

    imgRecFlash = new QLabel(this);
    imgRecFlash->setObjectName("imgRecFlash");
    imgRecFlash->setGeometry(106, 8, 12, 12);
    // Its red dot is painted when it first flashes (tmrFlash_Timer).
    imgRecFlash->hide();

    txtSaveInterval = new IntervalBox(Picture3);
    txtSaveInterval->setObjectName("txtSaveInterval");
    txtSaveInterval->setGeometry(242, 4, 36, 20);
    // The box's own text field takes the focus; it is read out by the same name.
    txtSaveInterval->setAccessibleName("Save interval in seconds");
    txtSaveInterval->lineEdit()->setAccessibleName(txtSaveInterval->accessibleName());
    buildSpinner();

    buildButtons();
    buildOptionsMenu();
    buildDeviceMenu();
    buildBurstMenu();
    buildTimers();
}

void frmMain::buildSpinner()
{
    // The spinner counts 1..9999 with its up arrow raising the value; a scroll bar's
    // up arrow lowers its own value, so the seconds are read mirrored.
    VScroll1 = new QScrollBar(Qt::Vertical, Picture3);
    VScroll1->setObjectName("VScroll1");
    VScroll1->setGeometry(278, 4, 10, 20);
    VScroll1->setRange(1, kSpinnerMax);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(10);
    VScroll1->setValue(kSpinnerMax + 1 - 60);
    VScroll1->setFocusPolicy(Qt::NoFocus);
}

void frmMain::buildButtons()
{
    for (const ButtonDesign& d : buttonDesigns()) {
        QWidget* parent = d.panel == Panel::Buttons ? Picture2 : Picture3;
        StyledButton* button = createStyledButton(parent, d.name, d.design);
        button->setGeometry(d.geometry);
        if (*d.toolTip)
            button->setToolTip(d.toolTip);
        this->*d.member = button;
    }
    videoSizeFont_ = cmdVideoSize->Font();
    buttonFace_ = cmdStart->BackColor();
    for (int i = 0; i < 4; ++i) {
        const PropertyBag design{{"Caption", kOptionDesigns[i].caption}, {"BackStyle", 4}, {"Mode", 2}};
        StyledButton* option = createStyledButton(Picture3, QStringLiteral("OptSaveChoice_%1").arg(i), design);
        option->setGeometry(4 + (i % 2) * 118, 4 + (i / 2) * 22, 114, 20);
        option->setToolTip(kOptionDesigns[i].toolTip);
        OptSaveChoice[i] = option;
    }
}

void frmMain::buildOptionsMenu()
{
    static const char* const captions[kOptionsMenuItems] = {
        "Cam Options", "Video Si&ze", "Setup...", "-", "&Open in Viewer/Editor...",
        "&Save Picture Now", "Save &As...", "-", "&Copy", "Copy to Irfanview", "-",
        "Start Feed", "Record", "Stop", "-", "Hide Buttons (mini mode)"};
    mnuoptions = new QMenu("Options", this);
    mnuoptions->setObjectName("mnuoptions");
    for (int i = 0; i < kOptionsMenuItems; ++i) {
        QAction* item = QString(captions[i]) == "-" ? mnuoptions->addSeparator()
                                                    : mnuoptions->addAction(captions[i]);
        item->setObjectName(QStringLiteral("mnuOptionss_%1").arg(i));
        mnuOptionss[i] = item;
    }
    mnuOptionss[kMenuCopyToIrfanView]->setVisible(false);
}

void frmMain::buildDeviceMenu()
{
    mnuVideoDevice = new QMenu("Devices", this);
    mnuVideoDevice->setObjectName("mnuVideoDevice");
    for (int i = 0; i < 13; ++i) {
        const QString caption = i == 0 ? "none found" : i == 12 ? "Exit menu" : QString();
        QAction* item = mnuVideoDevice->addAction(caption);
        item->setObjectName(QStringLiteral("mnudevices_%1").arg(i));
        // "none found" is no device to tick; item 0 becomes checkable when it names one.
        item->setCheckable(i > 0 && i < 12);
        item->setVisible(i == 0 || i == 12);
        mnudevices[i] = item;
    }
}

void frmMain::buildTimers()
{
    tmrMain = platform::makeNamedTimer(this, "tmrMain", 25);
    tmrCheckSize = platform::makeNamedTimer(this, "tmrCheckSize", 1000);
    tmrAutoSave = platform::makeNamedTimer(this, "tmrAutoSave", 1000);
    tmrAutoMotion = platform::makeNamedTimer(this, "tmrAutoMotion", 500);
    tmrTime = platform::makeNamedTimer(this, "tmrTime", 1000);
    tmrFlash = platform::makeNamedTimer(this, "tmrFlash", 600);
}

void frmMain::connectHandlers()
{
    connect(cmdStart, &StyledButton::Click, this, &frmMain::cmdStart_Click);
    connect(cmdStop, &StyledButton::Click, this, &frmMain::cmdStop_Click);
    connect(cmdCamOptions, &StyledButton::Click, this, &frmMain::cmdCamOptions_Click);
    connect(cmdVideoSize, &StyledButton::Click, this, &frmMain::cmdVideoSize_Click);
    connect(cmdRecord, &StyledButton::Click, this, &frmMain::cmdRecord_Click);
    connect(cmdAbout, &StyledButton::Click, this, &frmMain::cmdAbout_Click);
    connect(cmdSetup, &StyledButton::Click, this, &frmMain::cmdSetup_Click);
    // Handlers of a mouse press: Space, Enter, the access key and an assistive
    // tool's press run them as the left button.
    auto onMouseDown = [this](StyledButton* button, void (frmMain::*handler)(int, int, float, float)) {
        buttons::connectMouseDown(button, this,
                                  [this, handler](int b, int sh, float x, float y) { (this->*handler)(b, sh, x, y); });
    };
    onMouseDown(cmdViewer, &frmMain::cmdViewer_MouseDown);
    connect(cmdSaveAs, &StyledButton::Click, this, &frmMain::cmdSaveAs_Click);
    onMouseDown(cmdHelp, &frmMain::cmdHelp_MouseDown);
    onMouseDown(cmdOptions, &frmMain::cmdOptions_MouseDown);
    connect(Check1, &StyledButton::Click, this, &frmMain::Check1_Click);
    connect(Check3, &StyledButton::Click, this, &frmMain::Check3_Click);
    connect(Image4, &PreviewImage::mousePressed, this, &frmMain::Image4_MouseDown);
    connect(Image4, &PreviewImage::mouseReleased, this, &frmMain::Image4_MouseUp);
    connect(cmdSnapShot, &StyledButton::Click, this, &frmMain::cmdSnapShot_Click);
    connect(cmdBurst, &StyledButton::Click, this, &frmMain::cmdBurst_Click);
    onMouseDown(cmdBurst, &frmMain::cmdBurst_MouseDown);
    onMouseDown(StyledButton13, &frmMain::StyledButton13_MouseDown);
    for (int i = 0; i < 4; ++i)
        connect(OptSaveChoice[i], &StyledButton::Click, this, [this, i] { OptSaveChoice_Click(i); });
    for (int i = 0; i < kOptionsMenuItems; ++i)
        connect(mnuOptionss[i], &QAction::triggered, this, [this, i] { mnuOptionss_Click(i); });
    connect(mnuoptions, &QMenu::aboutToShow, this, &frmMain::mnuoptions_Click);
    for (int i = 0; i < 13; ++i)
        connect(mnudevices[i], &QAction::triggered, this, [this, i] { mnudevices_Click(i); });
    connect(tmrMain, &QTimer::timeout, this, &frmMain::tmrMain_Timer);
    connect(tmrCheckSize, &QTimer::timeout, this, &frmMain::tmrCheckSize_Timer);
    connect(tmrAutoSave, &QTimer::timeout, this, &frmMain::tmrAutoSave_Timer);
    connect(tmrTime, &QTimer::timeout, this, &frmMain::tmrTime_Timer);
    connect(tmrAutoMotion, &QTimer::timeout, this, &frmMain::tmrAutoMotion_Timer);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmMain::VScroll1_Change);
    connect(tmrFlash, &QTimer::timeout, this, &frmMain::tmrFlash_Timer);
    qApp->installEventFilter(this);
}
