// The setup dialog's controls: groups in three columns, then the command buttons.
#include "dialogs/frmSetup.h"

#include "buttons/ButtonPress.h"
#include "buttons/PressLabel.h"
#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"
#include "capture/MainLook.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

namespace {

// Columns of the groups, in pixels. The middle column is the widest: the longest
// file-name option and check box texts live there.
constexpr int kColumnA = 2, kColumnB = 211, kColumnC = 464;
constexpr int kWideA = 206, kWideB = 250, kWideC = 216;

QGroupBox* group(QWidget* parent, const char* name, const QString& caption, const QRect& place)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(place);
    return box;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QRect& place)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(place);
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, const QRect& place, const char* toolTip = "")
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(place);
    if (*toolTip)
        e->setToolTip(toolTip);
    return e;
}

QCheckBox* check(QWidget* parent, const QString& name, const char* caption, const QRect& place,
                 const char* toolTip = "")
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setGeometry(place);
    if (*toolTip)
        c->setToolTip(toolTip);
    return c;
}

QRadioButton* option(QWidget* parent, const QString& name, const char* caption, const QRect& place,
                     const char* toolTip = "")
{
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    o->setGeometry(place);
    if (*toolTip)
        o->setToolTip(toolTip);
    return o;
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, const QRect& place,
                 const char* toolTip = "")
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setCurrentIndex(-1);  // a list starts without a selection
    c->setGeometry(place);
    if (*toolTip)
        c->setToolTip(toolTip);
    return c;
}

// A box is read out by the label that names it, and the label's access key
// (where it has one) goes to the box.
void nameBy(QLabel* label, QWidget* box, QString name = QString())
{
    label->setBuddy(box);
    if (name.isEmpty())
        name = label->text();
    name.remove(QLatin1Char('&'));
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    box->setAccessibleName(name.simplified());
}

StyledButton* command(QWidget* parent, const QString& name, const char* caption, const QRect& place,
                      const char* toolTip = "")
{
    StyledButton* b = createStyledButton(parent, name, PropertyBag{{"Caption", caption}, {"BackStyle", 4}});
    b->setGeometry(place);
    if (*toolTip)
        b->setToolTip(toolTip);
    return b;
}

// What the browse buttons, which show only a picture, are called by assistive tools.
const char* const kBrowseNames[8] = {
    "Browse for the picture editor",       "Browse for the picture viewer",
    "Browse for the snapshots folder",     "Browse for the AutoSave pictures folder",
    "Browse for the MotionSave pictures folder", "Browse for the video recordings folder",
    "Browse for the Save As default folder", "Browse for the motion recording folder",
};

// The browse buttons show a picture only: a file for the programs, a folder for the folders.
StyledButton* browseButton(QWidget* parent, int index, const QRect& place)
{
    StyledButton* b = command(parent, QStringLiteral("StyledButton3_%1").arg(index), "", place);
    const QStyle::StandardPixmap kind = index < 2 ? QStyle::SP_FileIcon : QStyle::SP_DirOpenIcon;
    b->setPicture(ButtonPicture::icon(QApplication::style()->standardIcon(kind).pixmap(16, 16).toImage()));
    b->setAccessibleName(kBrowseNames[index]);
    return b;
}


}  // namespace

void frmSetup::buildControls()
{
    // A small dialog font, ten pixels high: the setup dialog's fixed layout holds
    // every caption at that size.
    QFont small = font();
    small.setPixelSize(10);
    setFont(small);

    // Devices
    fraDevices = group(this, "fraDevices", "Devices", {kColumnA, 4, kWideA, 118});
    QLabel* devicesLabel = label(fraDevices, "lblDevices", "Available Devices", {8, 16, 184, 14});
    lstDevices = new QListWidget(fraDevices);
    lstDevices->setObjectName("lstDevices");
    lstDevices->setGeometry(8, 30, 184, 42);
    nameBy(devicesLabel, lstDevices);
    // The two halves of "Find high-resolutions" meet on one line, the options below it.
    label(fraDevices, "lblFindHigh", "Find high-", {8, 74, 60, 14})->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label(fraDevices, "lblResolutions", "resolutions", {68, 74, 80, 14});
    const char* resCaptions[3] = {"Auto", "Always", "Never"};
    const char* resTips[3] = {
        "To find any available high resolutions of device",
        "To always search for any available high resolutions of the device",
        "Use this if your devices are detected normally or device does not have (or do not want to use) "
        "resolutions above 640x480"};
    constexpr int kResolutionLeft[3] = {8, 66, 134}, kResolutionWide[3] = {56, 66, 58};
    for (int i = 0; i < 3; ++i)
        optCheckRes[i] = option(fraDevices, QStringLiteral("optCheckRes_%1").arg(i), resCaptions[i],
                                {kResolutionLeft[i], 90, kResolutionWide[i], 18}, resTips[i]);

    // Folders: label, box and browse button per row, in the browse buttons' order.
    QGroupBox* folders = group(this, "fraFolders", "Tolvex Folders", {kColumnA, 124, kWideA, 232});
    struct FolderRow {
        QLineEdit* frmSetup::*box;
        const char* name;
        const char* caption;
    };
    const FolderRow rows[6] = {
        {&frmSetup::Text1, "Text1", "Snapshots:"},
        {&frmSetup::Text2, "Text2", "AutoSave pics:"},
        {&frmSetup::Text7, "Text7", "MotionSave pics:"},
        {&frmSetup::Text6, "Text6", "Video recordings:"},
        {&frmSetup::Text8, "Text8", "\"Save As\" default:"},
        {&frmSetup::Text9, "Text9", "Motion recording:"},
    };
    for (int i = 0; i < 6; ++i) {
        const int top = 16 + i * 35;
        QLabel* caption = label(folders, QStringLiteral("lbl%1").arg(rows[i].name), rows[i].caption, {8, top, 184, 14});
        this->*rows[i].box = edit(folders, rows[i].name, {8, top + 14, 160, 20});
        nameBy(caption, this->*rows[i].box);  // the box is named by its caption
        StyledButton3[i + 2] = browseButton(folders, i + 2, {170, top + 14, 22, 20});
    }

    // Viewer and editor
    QGroupBox* viewer = group(this, "fraViewer", "Change Viewer-, Picture- or Movie Editor ",
                              {kColumnA, 358, kWideA, 118});
    Option3[0] = option(viewer, "Option3_0", "Tolvex's Build-in Viewer/Editor", {8, 16, 184, 18});
    Option3[1] = option(viewer, "Option3_1", "Other:", {8, 37, 60, 18});
    Text5 = edit(viewer, "Text5", {66, 36, 102, 20});
    Text5->setAccessibleName("Other viewer");
    StyledButton3[1] = browseButton(viewer, 1, {170, 36, 22, 20});
    QLabel* editorLabel = label(viewer, "lblEditor", "Path and filename of your favorite graphic editor:",
                                {8, 58, 184, 30});
    editorLabel->setWordWrap(true);
    Text4 = edit(viewer, "Text4", {8, 90, 160, 20});
    nameBy(editorLabel, Text4, "Picture editor");
    StyledButton3[0] = browseButton(viewer, 0, {170, 90, 22, 20});

    // Picture format, frame period, quality
    QGroupBox* format = group(this, "fraFormat", "Save Picture as", {kColumnA, 478, 104, 42});
    Option1[0] = option(format, "Option1_0", "JPG", {8, 18, 46, 18}, "Default Save Picture Format");
    Option1[1] = option(format, "Option1_1", "BMP", {56, 18, 48, 18}, "Default Save Picture Format");
    QGroupBox* refresh = group(this, "fraScanRefresh", "Scan Refresh", {kColumnA + 108, 478, 98, 42});
    Text3 = edit(refresh, "Text3", {8, 16, 52, 20}, "scan refresh/frame rate in ms");
    Text3->setAccessibleName("Scan refresh in ms");
    label(refresh, "lblMs", "ms", {64, 18, 24, 16});
    QGroupBox* quality = group(this, "fraQuality", "JPG compression", {kColumnA, 522, kWideA, 56});
    HScroll1 = new QScrollBar(Qt::Horizontal, quality);
    HScroll1->setObjectName("HScroll1");
    HScroll1->setGeometry(8, 18, 150, 16);
    HScroll1->setRange(10, 100);
    HScroll1->setValue(75);
    // A scroll bar takes no focus unless asked; this one is a setting of its own.
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    // The right arrow raises the quality, as the bar shows it.
    HScroll1->setInvertedControls(false);
    HScroll1->setAccessibleName("JPG compression");
    Label3 = label(quality, "Label3", "", {162, 18, 30, 16});
    Label3->setToolTip("JPG current compression");
    label(quality, "lblTen", "10%", {8, 36, 30, 14});
    label(quality, "lblHundred", "100%", {130, 36, 30, 14});

    // Column B
    QGroupBox* video = group(this, "fraVideoCompression", "Video compression", {kColumnB, 4, kWideB, 36});
    chkVideoCompression = check(video, "chkVideoCompression", "Show Dialog before recording", {8, 15, 222, 18},
                                "Show video compression options before recording");
    QGroupBox* audio = group(this, "fraAudio", "Audio", {kColumnB, 42, kWideB, 62});
    StyledButton6 = command(audio, "StyledButton6", "Source", {8, 16, 70, 22}, "source of the audio recording ");
    StyledButton5 = command(audio, "StyledButton5", "Setup Audio...", {84, 16, 100, 22}, "Audio format setup");
    chkAudiocap = check(audio, "chkAudiocap", "Disable audio capture", {8, 40, 222, 18});

    QGroupBox* burst = group(this, "fraBurst", "Burst Frames", {kColumnB, 106, kWideB, 60});
    // "Max Burst Save [n] frames/sec": the list stands between the two words, each
    // part measured in the dialog's font so that neither is covered.
    QLabel* burstLabel = label(burst, "lblMaxBurst", "Max Burst Save", {8, 18, 10, 16});
    burstLabel->resize(burstLabel->sizeHint().width(), 16);
    QStringList frames;
    for (int n = 2; n <= 20; ++n)
        frames << QString::number(n);
    cmbMaxBurst = combo(burst, "cmbMaxBurst", frames, {burstLabel->geometry().right() + 6, 15, 46, 20});
    nameBy(burstLabel, cmbMaxBurst, "Max Burst Save frames/sec");
    QLabel* unitLabel = label(burst, "lblMaxBurstUnit", "frames/sec", {cmbMaxBurst->geometry().right() + 7, 18, 10, 16});
    unitLabel->resize(unitLabel->sizeHint().width(), 16);
    chkUseBurstAsSnapshot = check(burst, "chkUseBurstAsSnapshot", "Burst when motion detected", {8, 38, 222, 18},
                                  "Use Burst instead of one snapshot when motion is detected (enable MotionSave)");

    QGroupBox* names = group(this, "fraFilename", "Filename Auto- && Motion Save Options",
                             {kColumnB, 168, kWideB, 124});
    QLabel* filenameLabel = label(names, "lblFilename", "Filename:", {8, 18, 50, 16});
    txtFilename = edit(names, "txtFilename", {60, 16, 170, 20}, "Autosave <filename>");
    nameBy(filenameLabel, txtFilename);
    const char* nameCaptions[3] = {"<Filename><DeviceNr>Pic<Date><Time>", "<Filename><Date><Time>",
                                   "<Filename><Picture Counter>"};
    const char* nameTips[3] = {"Default Autosave filename syntax \"Cam<device nr>Pic<date><time>\"",
                               "User filename with date and time stamp",
                               "User filename with picture counter (nr of saved pictures)"};
    for (int i = 0; i < 3; ++i)
        OptFileOptions[i] = option(names, QStringLiteral("OptFileOptions_%1").arg(i), nameCaptions[i],
                                   {2, 38 + i * 20, 246, 18}, nameTips[i]);
    QLabel* counterLabel = label(names, "lblCounter", "Start picture counter at:", {8, 102, 128, 16});
    txtCounter = edit(names, "txtCounter", {138, 100, 92, 20}, "Picture's filename startnumber");
    nameBy(counterLabel, txtCounter);

    fraMaxPicLimit = group(this, "fraMaxPicLimit", "Limit AutoSave Pictures", {kColumnB, 294, kWideB, 52});
    fraMaxPicLimit->setToolTip("Set maximum limit (if saving by Picture Counter is enabled)");
    QLabel* limitLabel = label(fraMaxPicLimit, "lblCountAgain", "Start count again after ", {8, 18, 120, 16});
    txtMaxPicLimit = edit(fraMaxPicLimit, "txtMaxPicLimit", {130, 16, 60, 20}, "Enter maximum saved pictures (1...99999)");
    nameBy(limitLabel, txtMaxPicLimit, "Start count again after saved pictures");
    label(fraMaxPicLimit, "lblSavedPictures", "saved pictures", {8, 34, 120, 16});

    // The four sounds take two rows: in one row their texts do not fit the column.
    QGroupBox* sounds = group(this, "fraSounds", "Sounds", {kColumnB, 348, kWideB, 54});
    chkSSnap = check(sounds, "chkSSnap", "Snaphot", {8, 15, 110, 18});
    chkSBurst = check(sounds, "chkSBurst", "Burst", {124, 15, 110, 18});
    chkSAuto = check(sounds, "chkSAuto", "Autosave", {8, 33, 110, 18});
    chkSMotion = check(sounds, "chkSMotion", "Motion", {124, 33, 110, 18});
    QGroupBox* full = group(this, "fraFullScreen", "Full Screen View", {kColumnB, 404, kWideB, 36});
    chkTitleBar = check(full, "chkTitleBar", "Hide title bar in full screen", {8, 15, 222, 18});

    QGroupBox* stamp = group(this, "fraStamp", "Image Date && time stamp", {kColumnB, 442, kWideB, 60});
    QLabel* stampLabel = label(stamp, "lblCaption", "Caption:", {8, 18, 44, 16});
    txtStampText = edit(stamp, "txtStampText", {54, 16, 176, 20});
    nameBy(stampLabel, txtStampText, "Stamp caption");
    chkEmbedTime = check(stamp, "chkEmbedTime", "Embed date && time in image", {8, 38, 222, 18},
                         "Write system date && time on the images that are being saved");

    QGroupBox* stream = group(this, "fraStreamSource", "Stream Source Buffer", {kColumnB, 504, kWideB, 36});
    optStreamSource[0] = option(stream, "optStreamSource_0", "Clipboard", {8, 15, 90, 18},
                                "Use Clipboard as Buffer (Default)");
    optStreamSource[1] = option(stream, "optStreamSource_1", "IDE", {100, 15, 60, 18},
                                "IDE mode (not recommended with high resolution cams)");
    QGroupBox* ftp = group(this, "fraFTP", "FTP", {kColumnB, 542, kWideB, 40});
    chkFTP = check(ftp, "chkFTP", "On", {8, 16, 50, 18}, "FTP activated/de-activated");
    StyledButton7 = command(ftp, "StyledButton7", "Setup", {60, 14, 80, 22}, "FTP settings...");

    // Column C
    QGroupBox* timer = group(this, "fraTimer", "AutoSave Timer", {kColumnC, 4, kWideC, 112});
    chkAutoTimer = check(timer, "chkAutoTimer", "Enable AutoSave Timer", {8, 15, 150, 18},
                         "start saving pictures automatically from <starttime> till <stoptime>");
    Label12 = label(timer, "Label12", "", {170, 16, 36, 16});
    Label12->setToolTip("system time");
    QLabel* startLabel = label(timer, "lblStartTime", "Start time(hh:ss)", {8, 34, 120, 14});
    txtStartTime = edit(timer, "txtStartTime", {8, 48, 60, 20}, "time to start saving pictures (hh:mm)");
    nameBy(startLabel, txtStartTime, "Start time (hh:mm)");
    Command1 = command(timer, "Command1", "paste current time", {72, 48, 132, 20});
    Command1->setAccessibleName("Paste current time as start time");
    QLabel* stopLabel = label(timer, "lblStopTime", "Stop time(hh:ss)", {8, 70, 120, 14});
    txtStopTime = edit(timer, "txtStopTime", {8, 84, 60, 20}, "time to stop saving pictures (hh:mm)");
    nameBy(stopLabel, txtStopTime, "Stop time (hh:mm)");
    Command2 = command(timer, "Command2", "paste current time", {72, 84, 132, 20});
    Command2->setAccessibleName("Paste current time as stop time");
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);

    QGroupBox* motion = group(this, "fraMotion", "Motion Detection", {kColumnC, 118, kWideC, 104});
    QLabel* sensitivityLabel = label(motion, "lblSensitivity", "Sensitivity:", {8, 18, 70, 16});
    cmbSensitivity = combo(motion, "cmbSensitivity",
                           {"Lowest", "Low", "Medium Low", "Normal", "Medium High", "High", "Highest"},
                           {76, 16, 128, 20}, "Motion detection sensitivity");
    nameBy(sensitivityLabel, cmbSensitivity);
    QLabel* triggerLabel = label(motion, "lblTrigger", "Trigger focus on image:", {8, 40, 200, 14});
    cmbTrigger = combo(motion, "cmbTrigger", {}, {8, 54, 196, 20}, "Motion detection focal point preference");
    nameBy(triggerLabel, cmbTrigger);
    chkFilter = check(motion, "chkFilter", "Noise Filter", {8, 80, 200, 18}, "Noise Reduction Filter");

    QGroupBox* record = group(this, "fraRecord", "Record on Motion", {kColumnC, 224, kWideC, 60});
    QLabel* recordLabel = label(record, "lblRecord", "Time to record on motion detection", {8, 16, 204, 14});
    txtRecDuration = edit(record, "txtRecDuration", {8, 32, 40, 20},
                          "duration of recording when motion is detected (4...999 seconds)");
    nameBy(recordLabel, txtRecDuration, "Time to record on motion detection in seconds");
    label(record, "lblSec", "sec.", {52, 34, 26, 16});
    chkMultipleRecord = check(record, "chkMultipleRecord", "Multi Recordings", {84, 33, 126, 18},
                              "Allow Multiple Recordings");

    QGroupBox* start = group(this, "fraStartMode", "Initial Start Mode (autorun)", {kColumnC, 286, kWideC, 82});
    cmbStartMode = combo(start, "cmbStartMode", {"Manual (default)", "AutoSave", "MotionSave", "MotionRecording"},
                         {8, 16, 196, 20}, "Mode to use on startup");
    cmbStartMode->setAccessibleName("Initial start mode");
    chkAutoRun = check(start, "chkAutoRun", "Automatically start video feed", {8, 40, 196, 18},
                       "Activate stream from video source when running Tolvex");
    chkMini[0] = check(start, "chkMini_0", "Minimized", {8, 60, 90, 18}, "Minimize Tolvex on start up");
    chkMini[1] = check(start, "chkMini_1", "Mini mode", {100, 60, 104, 18},
                       "Hide all buttons on start up (tiny mode)");

    QGroupBox* screen = group(this, "fraScreen", "Tolvex Screen", {kColumnC, 370, kWideC, 88});
    label(screen, "lblBackground", "Screen background", {8, 15, 200, 14});
    Option4[0] = option(screen, "Option4_0", "Normal", {8, 29, 64, 18});
    Option4[1] = option(screen, "Option4_1", "User color->", {74, 29, 90, 18});
    // The colour swatch is worked like a button: click, Space, Enter or an assistive tool.
    LblKleur = new PressLabel(screen, QAccessible::Button);
    LblKleur->setObjectName("LblKleur");
    LblKleur->setGeometry(164, 29, 40, 18);
    LblKleur->setAccessibleName("Select user color");
    LblKleur->setToolTip("click to select color");
    LblKleur->setFrameShape(QFrame::Box);
    LblKleur->setAutoFillBackground(true);
    Check2 = check(screen, "Check2", "Side Logo", {8, 48, 96, 18},
                   "Show image/logo on left side when Tolvex is enlarged or full screen (tolvex.gif)");
    chkStayOnTop = check(screen, "chkStayOnTop", "Stay on top", {106, 48, 98, 18}, "Keep Tolvex on top of your desktop");
    Check3 = check(screen, "Check3", "Remember screen size && position", {8, 66, 196, 18});

    QGroupBox* buttons = group(this, "fraButtons", "Button format", {kColumnC, 460, kWideC, 68});
    QLabel* coloursLabel = label(buttons, "lblColors", "Colors:", {8, 18, 40, 16});
    cmbButton = combo(buttons, "cmbButton",
                      {"Blue Steel", "Slate Blue", "Gray", "Green", "Purple", "Red", "Dark", "Windows"},
                      {50, 16, 92, 20});
    nameBy(coloursLabel, cmbButton, "Button colors");
    QLabel* styleLabel = label(buttons, "lblStyle", "Style:", {8, 42, 40, 16});
    cmbStyle = combo(buttons, "cmbStyle",
                     {"Classic", "Windows 95", "Windows XP", "Java", "Flat", "Hover", "Netscape", "XP/Mac"},
                     {50, 40, 92, 20});
    nameBy(styleLabel, cmbStyle, "Button style");
    StyledButton2 = command(buttons, "StyledButton2", "Example", {148, 16, 56, 44});
    StyledButton2->setGradientMode(kMainButtonGradient);

    QGroupBox* update = group(this, "fraUpdate", "Auto Update Notice", {kColumnC, 530, kWideC, 38});
    chkVersionupdate = check(update, "chkVersionupdate", "Automatically Check For New Version", {4, 15, 212, 18});

    StyledButton4 = command(this, "StyledButton4", "Launch Tolvex session to view cams simultaneous",
                            {kColumnA, 590, 300, 26}, "Launch another Tolvex session to monitor two or more Cams simultaneous!");
    // What the dialog shows when the settings select nothing else.
    Option1[0]->setChecked(true);
    Option3[0]->setChecked(true);
    Option4[0]->setChecked(true);
    optStreamSource[0]->setChecked(true);

    StyledButton1_0 = command(this, "StyledButton1_0", "OK", {kColumnC + 36, 590, 84, 26});
    StyledButton8 = command(this, "StyledButton8", "Cancel", {kColumnC + 126, 590, 84, 26});
    // Enter is OK, Esc is Cancel.
    StyledButton1_0->setDefault(true);
    StyledButton8->setCancel(true);
}

void frmSetup::connectHandlers()
{
    connect(Command1, &StyledButton::Click, this, &frmSetup::Command1_Click);
    connect(Command2, &StyledButton::Click, this, &frmSetup::Command2_Click);
    connect(Timer1, &QTimer::timeout, this, &frmSetup::Timer1_Timer);
    connect(chkAutoTimer, &QCheckBox::clicked, this, &frmSetup::chkAutoTimer_Click);
    connect(chkAutoRun, &QCheckBox::clicked, this, &frmSetup::chkAutoRun_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &frmSetup::HScroll1_Change);
    connect(cmbButton, &QComboBox::currentIndexChanged, this, &frmSetup::cmbButton_Click);
    connect(cmbStyle, &QComboBox::currentIndexChanged, this, &frmSetup::cmbStyle_Click);
    for (int i = 0; i < 3; ++i)
        connect(OptFileOptions[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                OptFileOptions_Click(i);
        });
    for (int i = 0; i < 2; ++i) {
        connect(Option3[i], &QRadioButton::clicked, this, [this, i] { Option3_Click(i); });
        connect(Option4[i], &QRadioButton::clicked, this, [this, i] { Option4_Click(i); });
        connect(optStreamSource[i], &QRadioButton::toggled, this, &frmSetup::optStreamSource_Click);
        connect(optStreamSource[i], &QRadioButton::clicked, this, &frmSetup::optStreamSource_MouseUp);
        Option4[i]->installEventFilter(this);
    }
    connect(static_cast<PressLabel*>(LblKleur), &PressLabel::Click, this, &frmSetup::LblKleur_Click);
    txtCounter->installEventFilter(this);
    connect(chkFTP, &QCheckBox::clicked, this, &frmSetup::chkFTP_MouseUp);
    // The handlers of a mouse press run for Space, Enter, the access key and an
    // assistive tool's press too.
    auto onPress = [this](StyledButton* button, auto handler) {
        buttons::connectMouseDown(button, this, [handler](int, int, float, float) { handler(); });
    };
    onPress(StyledButton7, [this] { StyledButton7_MouseDown(); });
    for (int i = 0; i < 8; ++i)
        connect(StyledButton3[i], &StyledButton::Click, this, [this, i] { StyledButton3_Click(i); });
    connect(StyledButton4, &StyledButton::Click, this, &frmSetup::StyledButton4_Click);
    onPress(StyledButton5, [this] { StyledButton5_MouseDown(); });
    onPress(StyledButton6, [this] { StyledButton6_MouseDown(); });
    onPress(StyledButton8, [this] { StyledButton8_MouseDown(); });
    onPress(StyledButton1_0, [this] { StyledButton1_MouseDown(0); });
}
