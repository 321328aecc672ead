// The viewer's controls, created from their stored designs, and its handlers,
// connected in one place.
#include "viewer/frmViewer.h"

#include "buttons/ButtonPress.h"
#include "buttons/ButtonPicture.h"
#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"
#include "buttons/VirtualKeys.h"
#include "platform/base/NamedTimer.h"
#include "platform/gdi/Twips.h"
#include "platform/lists/DirListBox.h"
#include "platform/lists/DriveListBox.h"
#include "platform/lists/FileListBox.h"
#include "viewer/FrmBlend.h"
#include "viewer/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

namespace {

// The window's width is 11400 twips.
constexpr int kViewerWidth = 11400 / platform::kTwipsPerPixel;
constexpr int kViewerHeight = 590;

enum class Place { Window, Browse, Shown };

PropertyBag command(const char* caption)
{
    return PropertyBag{{"Caption", caption}, {"BackStyle", 4}};
}

PropertyBag check(const char* caption)
{
    return PropertyBag{{"Caption", caption}, {"BackStyle", 4}, {"Mode", 1}};
}

}  // namespace

struct frmViewer::ButtonDesign {
    const char* name;
    StyledButton* frmViewer::*member;
    Place place;
    QRect geometry;
    const char* toolTip;
    PropertyBag design;
};

// Right column, below the shown picture, and the blend panel.
std::vector<frmViewer::ButtonDesign> frmViewer::buttonDesigns()
{
    constexpr int col = 660, w = 96, h = 23;
    // Long captions get two lines.
    auto right = [](int top, int height = 23) { return QRect(col, top, w, height); };
    auto effect = [](int i) { return QRect(240 + (i % 6) * 69, 478 + (i / 6) * 26, 66, h); };
    auto player = [](int i) { return QRect(240 + i * 69, 448, 66, h); };
    return {
        {"cmsSave2", &frmViewer::cmsSave2, Place::Window, right(10), "Save As...", command("Save As...")},
        {"cmdSave", &frmViewer::cmdSave, Place::Window, right(36), "Save", command("Save")},
        {"StyledButton4", &frmViewer::StyledButton4, Place::Window, right(126, 34),
         "Edit picture with your favorite picture editing tool", command("Your Graphics Editor...")},
        {"cmdIrfan", &frmViewer::cmdIrfan, Place::Window, right(164, 34), "Open selected file with IrfanView",
         command("Open with IrfanView")},
        {"CmdPrint", &frmViewer::CmdPrint, Place::Window, right(202), "Print...", command("Print...")},
        {"cmdZoom", &frmViewer::cmdZoom, Place::Window, right(254), "Zoom On/Off", check("Zoom")},
        {"cmdSlide", &frmViewer::cmdSlide, Place::Window, right(280),
         "Start/Stop Slide show of all images in the open folder", command("Slide")},
        {"cmdZarn", &frmViewer::cmdZarn, Place::Window, right(332, 36),
         "Compile Pics To AVI Video", command("Compile Pics To AVI Video")},
        {"StyledButton3", &frmViewer::StyledButton3, Place::Window, QRect(col, kViewerHeight - 33, w, h), "Close",
         command("Close")},
        {"cmdMPstart", &frmViewer::cmdMPstart, Place::Window, player(0),
         "Play movie (right-click mouse to loop the video)", command("Play")},
        {"cmdMPpauze", &frmViewer::cmdMPpauze, Place::Window, player(1), "Pause/Resume movie", command("Pause")},
        {"cmdMPstop", &frmViewer::cmdMPstop, Place::Window, player(2), "Stop movie", command("Stop")},
        {"cmdMPbegin", &frmViewer::cmdMPbegin, Place::Window, player(3), "go to start", command("|<")},
        {"cmdMPend", &frmViewer::cmdMPend, Place::Window, player(4), "go to end", command(">|")},
        {"cmdMediaPlayer", &frmViewer::cmdMediaPlayer, Place::Window, player(5), "Open in Mediaplayer",
         command("Player")},
        {"cmdUndo", &frmViewer::cmdUndo, Place::Window, effect(0), "Reload/Redo", command("Undo")},
        {"cmdFlipV", &frmViewer::cmdFlipV, Place::Window, effect(1), "Flip vertical", command("Flip V")},
        {"cmdGray", &frmViewer::cmdGray, Place::Window, effect(2), "Grayscale", command("Gray")},
        {"cmdSmooth", &frmViewer::cmdSmooth, Place::Window, effect(3), "Despeckle (smooth/blur)", command("Smooth")},
        {"cmdSharpen", &frmViewer::cmdSharpen, Place::Window, effect(4), "Sharpen", command("Sharpen")},
        {"cmdFlipH", &frmViewer::cmdFlipH, Place::Window, effect(5), "flip horizontal", command("Flip H")},
        {"cmdInvert", &frmViewer::cmdInvert, Place::Window, effect(6), "Invert", command("Invert")},
        {"cmdBright", &frmViewer::cmdBright, Place::Window, effect(7), "Brighten by 10%", command("Bright")},
        {"cmdDarken", &frmViewer::cmdDarken, Place::Window, effect(8), "Darken by 10%", command("Darken")},
        {"cmdContrast", &frmViewer::cmdContrast, Place::Window, effect(9),
         "Increase Contrast by 10% (right-click = decrease by 10%)", command("Contrast")},
        {"cmdColor", &frmViewer::cmdColor, Place::Window, effect(10), "Colorize plasma", command("Color")},
        {"cmdAlphaBlend", &frmViewer::cmdAlphaBlend, Place::Window, effect(11),
         "Enhanced Gamma Blending (Astronomers tool)", command("Blend")},
    };
}

namespace {

struct ArrayButtonDesign {
    const char* caption;
    const char* toolTip;
};

constexpr ArrayButtonDesign kFileButtons[6] = {
    {"Delete", "Delete a file"},
    {"Rename", "Rename a file"},
    {"Delete all", "Delete all files"},
    {"", "File Properties/details"},
    {"", "Refresh (re-read) files list"},
    {"", "Open Windows Explorer from here"},
};

constexpr const char* kFolderCaptions[kFolderKinds] = {"&Snapshots", "&AutoSave", "Videos", "&MotionSave",
                                                       "&MotionRecording"};

constexpr ArrayButtonDesign kClipboardButtons[2] = {
    {"&Copy to Clipboard", "Copy selected picture into Windows Clipboard"},
    {"&Edit Picture", "Open and edit selected picture"},
};

// The three icon buttons of the file operations show the desktop's own icons.
ButtonPicture fileButtonIcon(int index)
{
    static const QStyle::StandardPixmap icons[3] = {QStyle::SP_FileDialogInfoView, QStyle::SP_BrowserReload,
                                                    QStyle::SP_DirOpenIcon};
    const QIcon icon = QApplication::style()->standardIcon(icons[index - 3]);
    return ButtonPicture::icon(icon.pixmap(16, 16).toImage());
}

PictureBox* makePicture(QWidget* parent, const char* name, const QRect& geometry, bool visible)
{
    auto* box = new PictureBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setVisible(visible);
    return box;
}

QAction* addItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

}  // namespace

void frmViewer::buildControls()
{
    setWindowTitle("Viewer/Editor");
    setFixedSize(kViewerWidth, kViewerHeight);
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);

    buildLists();
    buildPictures();
    buildButtons();
    FrmBlend = new ::FrmBlend(this, effects);
    FrmBlend->move(FrmBlend->x(), 120);
    buildMenus();
    buildSlideMenu();
    tmrPosition = platform::makeNamedTimer(this, "tmrPosition", 500);
    tmrVideoStatus = platform::makeNamedTimer(this, "tmrVideoStatus", 1000);
}

void frmViewer::buildLists()
{
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(4, 4, 228, kViewerHeight - 8);

    Drive1 = new platform::DriveListBox(Frame1);
    Drive1->setObjectName("Drive1");
    Drive1->setGeometry(6, 8, 216, 22);
    Dir1 = new platform::DirListBox(Frame1);
    Dir1->setObjectName("Dir1");
    Dir1->setGeometry(6, 34, 216, 130);
    File1 = new platform::FileListBox(Frame1);
    File1->setObjectName("File1");
    File1->setGeometry(6, 168, 216, 210);
    File1->setPattern("*.jpg;*.bmp;*.avi;*.jpeg");
    // What a screen reader calls the three lists.
    Drive1->setAccessibleName("Drive");
    Dir1->setAccessibleName("Folders");
    File1->setAccessibleName("Files");

    for (int i = 0; i < 6; ++i) {
        const QRect place = i < 3 ? QRect(6 + i * 73, 382, 70, 23) : QRect(6 + (i - 3) * 34, 408, 30, 23);
        StyledButton* b =
            createStyledButton(Frame1, QStringLiteral("StyledButton1_%1").arg(i), command(kFileButtons[i].caption));
        b->setGeometry(place);
        b->setToolTip(kFileButtons[i].toolTip);
        if (i >= 3)
            b->setPicture(fileButtonIcon(i));
        StyledButton1[i] = b;
    }

    Label1 = new QLabel("Tolvex Folders:", Frame1);
    Label1->setObjectName("Label1");
    Label1->setGeometry(6, 438, 216, 16);
    auto* folders = new QWidget(Frame1);  // the folder buttons' own option group
    folders->setObjectName("FolderButtons");
    folders->setGeometry(6, 456, 216, 68);
    for (int i = 0; i < kFolderKinds; ++i) {
        const PropertyBag design{{"Caption", kFolderCaptions[i]}, {"BackStyle", 4}, {"Mode", 2}};
        StyledButton* option = createStyledButton(folders, QStringLiteral("opt_folders_%1").arg(i), design);
        // The last one is alone on its row and takes the whole row: "MotionRecording" is too long for half.
        option->setGeometry((i % 2) * 108, (i / 2) * 22, i == kFolderKinds - 1 ? 214 : 106, 20);
        option->setVisible(i != 4);
        opt_folders[i] = option;
    }
    cmdDesktop = new QPushButton("Desktop folder", Frame1);
    cmdDesktop->setObjectName("cmdDesktop");
    cmdDesktop->setGeometry(6, 526, 216, 24);
    cmdDocs = new QPushButton("My Documents folder", Frame1);
    cmdDocs->setObjectName("cmdDocs");
    cmdDocs->setGeometry(6, 552, 216, 24);
}

void frmViewer::buildPictures()
{
    Frame2 = new QGroupBox("View", this);
    Frame2->setObjectName("Frame2");
    Frame2->setGeometry(236, 4, 420, 440);
    const QRect shown(10, 20, 400, 300);
    Image1 = makePicture(Frame2, "Image1", shown, true);
    Image1->setAccessibleName("Shown picture");
    PicMovie = makePicture(Frame2, "PicMovie", shown, false);
    picResult = makePicture(this, "picResult", {}, false);
    Source = makePicture(this, "Source", {}, false);

    picZoomContainer = new QWidget(Frame2);
    picZoomContainer->setObjectName("picZoomContainer");
    picZoomContainer->setGeometry(290, 26, 112, 96);
    picZoomContainer->setStyleSheet("#picZoomContainer { border: 2px solid black; }");
    picZoomContainer->hide();
    picZoom = makePicture(picZoomContainer, "picZoom", {2, 2, 108, 92}, true);
    picZoom->setAccessibleName("Magnifier");

    lblPicSize = new QLabel(Frame2);
    lblPicSize->setObjectName("lblPicSize");
    lblPicSize->setGeometry(10, 326, 400, 18);
    scrlMovie = new QScrollBar(Qt::Horizontal, Frame2);
    scrlMovie->setObjectName("scrlMovie");
    scrlMovie->setGeometry(10, 348, 400, 16);
    // The movie's position is a control of its own: Tab reaches it, the arrow keys move it.
    scrlMovie->setFocusPolicy(Qt::StrongFocus);
    scrlMovie->setInvertedControls(false);  // the right arrow goes forward
    scrlMovie->setAccessibleName("Movie position");
    picProgress = new QWidget(Frame2);
    picProgress->setObjectName("picProgress");
    picProgress->setGeometry(10, 370, 400, 8);
    imgProgress = new QWidget(picProgress);
    imgProgress->setObjectName("imgProgress");
    imgProgress->setGeometry(0, 0, 0, 8);
    imgProgress->setStyleSheet("background: navy;");
}

void frmViewer::buildButtons()
{
    for (const ButtonDesign& d : buttonDesigns()) {
        StyledButton* button = createStyledButton(this, d.name, d.design);
        button->setGeometry(d.geometry);
        if (*d.toolTip)
            button->setToolTip(d.toolTip);
        this->*d.member = button;
    }
    for (int i = 0; i < 2; ++i) {
        StyledButton* b =
            createStyledButton(this, QStringLiteral("StyledButton2_%1").arg(i), command(kClipboardButtons[i].caption));
        b->setGeometry(i == 0 ? QRect(660, 62, 96, 34) : QRect(660, 100, 96, 23));
        b->setToolTip(kClipboardButtons[i].toolTip);
        StyledButton2[i] = b;
    }
    cmdIrfan->hide();
    cmdContrast->hide();
}

void frmViewer::buildMenus()
{
    menu = new QMenu("menu", this);
    menu->setObjectName("menu");
    menurefresh = addItem(menu, "menurefresh", "Refresh");
    menu->addSeparator();
    menuexplorer = addItem(menu, "menuexplorer", "Run Windows Explorer from here...");
    mnuProps = addItem(menu, "mnuProps", "File Properties");
    menu->addSeparator();
    mnuOpenIrfan = addItem(menu, "mnuOpenIrfan", "Open in IrFanView...");
    mnuOpenIrfan->setVisible(false);
    mnuMediaPlayer = addItem(menu, "mnuMediaPlayer", "Open in MediaPlayer...");
    mnuOpenPaint = addItem(menu, "mnuOpenPaint", "Open in MS-Paint...");

    menu2 = new QMenu("menu2", this);
    menu2->setObjectName("menu2");
    mnuZoom = addItem(menu2, "mnuZoom", "Zoom On/Off");
    menu2->addSeparator();
    mnu2Copy = addItem(menu2, "mnu2Copy", "Copy");
    menu2->addSeparator();
    mnu2Openpaint = addItem(menu2, "mnu2Openpaint", "Open in MS-Paint...");
    mnu2OpenIrfanview = addItem(menu2, "mnu2OpenIrfanview", "Open in IrfanView...");
    mnu2OpenEditor = addItem(menu2, "mnu2OpenEditor", "Open in your editor...");
    menu2->addSeparator();
    mnu2Save = addItem(menu2, "mnu2Save", "Save...");
    menu2->addSeparator();
    mnu2Print = addItem(menu2, "mnu2Print", "Print...");
}

void frmViewer::connectHandlers()
{
    using buttons::mouseButtonCode;
    using buttons::shiftState;
    auto twips = [](double pixels) { return static_cast<float>(pixels * platform::kTwipsPerPixel); };
    // Handlers of a mouse press or release run for Space, Enter, the access key and
    // an assistive tool's press too, as the left button.
    using buttons::connectMouseDown;
    using buttons::connectMouseUp;
    auto handler = [this](void (frmViewer::*h)(int, int, float, float)) {
        return [this, h](int b, int sh, float x, float y) { (this->*h)(b, sh, x, y); };
    };
    for (int i = 0; i < kFolderKinds; ++i)
        connectMouseDown(opt_folders[i], this,
                         [this, i](int b, int sh, float x, float y) { opt_folders_MouseDown(i, b, sh, x, y); });
    for (int i = 0; i < 6; ++i)
        connect(StyledButton1[i], &StyledButton::Click, this, [this, i] { StyledButton1_Click(i); });
    connect(Drive1, &platform::DriveListBox::Change, this, &frmViewer::Drive1_Change);
    connect(Dir1, &platform::DirListBox::Change, this, &frmViewer::Dir1_Change);
    connect(Dir1, &platform::DirListBox::Click, this, &frmViewer::Dir1_Click);
    connect(File1, &platform::FileListBox::Click, this, &frmViewer::File1_Click);
    connect(File1, &platform::FileListBox::DblClick, this, &frmViewer::File1_DblClick);
    connect(File1, &platform::FileListBox::KeyUp, this, [this](QKeyEvent* e) {
        File1_KeyUp(buttons::virtualKeyCode(*e), shiftState(e->modifiers()));
    });
    connect(File1, &platform::FileListBox::MouseDown, this, [this, twips](QMouseEvent* e) {
        File1_MouseDown(mouseButtonCode(e->button()), shiftState(e->modifiers()), twips(e->position().x()),
                        twips(e->position().y()));
    });
    connect(cmdDesktop, &QPushButton::clicked, this, &frmViewer::cmdDesktop_Click);
    connect(cmdDocs, &QPushButton::clicked, this, &frmViewer::cmdDocs_Click);
    connect(Image1, &PictureBox::MouseDown, this, [this, twips](QMouseEvent* e) {
        Image1_MouseDown(mouseButtonCode(e->button()), shiftState(e->modifiers()), twips(e->position().x()),
                         twips(e->position().y()));
    });
    connect(Image1, &PictureBox::MouseMove, this, [this, twips](QMouseEvent* e) {
        Image1_MouseMove(buttons::mouseButtonsCode(e->buttons()), shiftState(e->modifiers()),
                         twips(e->position().x()), twips(e->position().y()));
    });
    Frame1->installEventFilter(this);
    connect(picZoom, &PictureBox::Click, this, &frmViewer::picZoom_Click);
    connectMouseDown(cmdZoom, this, handler(&frmViewer::cmdZoom_MouseDown));
    connectMouseDown(StyledButton3, this, [this](int, int, float, float) { close(); });
    connect(menurefresh, &QAction::triggered, this, &frmViewer::menurefresh_Click);
    connect(menuexplorer, &QAction::triggered, this, &frmViewer::menuexplorer_Click);
    connect(mnuProps, &QAction::triggered, this, &frmViewer::mnuProps_Click);
    connect(mnuZoom, &QAction::triggered, this, &frmViewer::mnuZoom_Click);
    connect(mnuMediaPlayer, &QAction::triggered, this, &frmViewer::mnuMediaPlayer_Click);
    connectMouseUp(cmdMPstart, this, handler(&frmViewer::cmdMPstart_MouseUp));
    connect(cmdMPpauze, &StyledButton::Click, this, &frmViewer::cmdMPpauze_Click);
    connect(cmdMPstop, &StyledButton::Click, this, &frmViewer::cmdMPstop_Click);
    connectMouseDown(cmdMPbegin, this, handler(&frmViewer::cmdMPbegin_MouseDown));
    connectMouseDown(cmdMPend, this, handler(&frmViewer::cmdMPend_MouseDown));
    connect(cmdMediaPlayer, &StyledButton::Click, this, &frmViewer::cmdMediaPlayer_Click);
    connect(scrlMovie, &QScrollBar::sliderMoved, this, &frmViewer::scrlMovie_Scroll);
    connect(tmrPosition, &QTimer::timeout, this, &frmViewer::tmrPosition_Timer);
    connect(tmrVideoStatus, &QTimer::timeout, this, &frmViewer::tmrVideoStatus_Timer);
    connect(cmdSlide, &StyledButton::Click, this, &frmViewer::cmdSlide_Click);
    connectMouseDown(cmdSlide, this, handler(&frmViewer::cmdSlide_MouseDown));
    connect(mnu3slidetiming, &QMenu::aboutToShow, this, &frmViewer::mnu3slidetiming_Click);
    for (int i = 0; i < int(mnu3Timing.size()); ++i)
        connect(mnu3Timing[i], &QAction::triggered, this, [this, i] { mnu3Timing_Click(i); });
    connectEffects();
    connectSaving();
}
