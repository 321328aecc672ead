#include "CaptionFit.h"
#include "SetupHarness.h"
#include "buttons/StyledButton.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>

namespace {

template <typename T>
T* find(frmSetup& w, const char* name)
{
    T* control = w.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

QString text(frmSetup& w, const char* name)
{
    if (auto* e = w.findChild<QLineEdit*>(name))
        return e->text();
    if (auto* l = w.findChild<QLabel*>(name))
        return l->text();
    if (auto* c = w.findChild<QComboBox*>(name))
        return c->currentText();
    ADD_FAILURE() << name;
    return {};
}

bool checked(frmSetup& w, const char* name)
{
    if (auto* c = w.findChild<QCheckBox*>(name))
        return c->isChecked();
    if (auto* o = w.findChild<QRadioButton*>(name))
        return o->isChecked();
    ADD_FAILURE() << name;
    return false;
}

}  // namespace

TEST(frmSetupLoad, ControlsCarryTheirCaptionsAndToolTips)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    EXPECT_EQ(w.windowTitle(), "Setup");
    EXPECT_EQ(w.size(), QSize(682, 628)) << "10230 x 9420 twips";
    const struct {
        const char* name;
        const char* caption;
        const char* toolTip;
    } rows[] = {
        {"optCheckRes_0", "Auto", "To find any available high resolutions of device"},
        {"optCheckRes_2", "Never",
         "Use this if your devices are detected normally or device does not have (or do not want to use) "
         "resolutions above 640x480"},
        {"Option3_0", "Tolvex's Build-in Viewer/Editor", ""},
        {"Option1_1", "BMP", "Default Save Picture Format"},
        {"chkVideoCompression", "Show Dialog before recording", "Show video compression options before recording"},
        {"chkUseBurstAsSnapshot", "Burst when motion detected",
         "Use Burst instead of one snapshot when motion is detected (enable MotionSave)"},
        {"OptFileOptions_0", "<Filename><DeviceNr>Pic<Date><Time>",
         "Default Autosave filename syntax \"Cam<device nr>Pic<date><time>\""},
        {"OptFileOptions_2", "<Filename><Picture Counter>", "User filename with picture counter (nr of saved pictures)"},
        {"chkAutoTimer", "Enable AutoSave Timer", "start saving pictures automatically from <starttime> till <stoptime>"},
        {"chkFilter", "Noise Filter", "Noise Reduction Filter"},
        {"chkMultipleRecord", "Multi Recordings", "Allow Multiple Recordings"},
        {"chkMini_1", "Mini mode", "Hide all buttons on start up (tiny mode)"},
        {"chkSSnap", "Snaphot", ""},
        {"chkEmbedTime", "Embed date && time in image", "Write system date && time on the images that are being saved"},
        {"Check2", "Side Logo", "Show image/logo on left side when Tolvex is enlarged or full screen (tolvex.gif)"},
        {"Check3", "Remember screen size && position", ""},
        {"optStreamSource_1", "IDE", "IDE mode (not recommended with high resolution cams)"},
        {"chkFTP", "On", "FTP activated/de-activated"},
        {"chkVersionupdate", "Automatically Check For New Version", ""},
    };
    for (const auto& r : rows) {
        auto* button = w.findChild<QAbstractButton*>(r.name);
        ASSERT_NE(button, nullptr) << r.name;
        EXPECT_EQ(button->text(), r.caption) << r.name;
        EXPECT_EQ(button->toolTip(), r.toolTip) << r.name;
    }
    const struct {
        const char* name;
        const char* caption;
        const char* toolTip;
    } buttons[] = {
        {"StyledButton6", "Source", "source of the audio recording "},
        {"StyledButton5", "Setup Audio...", "Audio format setup"},
        {"StyledButton2", "Example", ""},
        {"StyledButton4", "Launch Tolvex session to view cams simultaneous",
         "Launch another Tolvex session to monitor two or more Cams simultaneous!"},
        {"StyledButton7", "Setup", "FTP settings..."},
        {"StyledButton1_0", "OK", ""},
        {"StyledButton8", "Cancel", ""},
        {"Command1", "paste current time", ""},
        {"StyledButton3_4", "", ""},
    };
    for (const auto& b : buttons) {
        auto* button = w.findChild<StyledButton*>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->Caption(), b.caption) << b.name;
        EXPECT_EQ(button->toolTip(), b.toolTip) << b.name;
    }
    EXPECT_FALSE(child<StyledButton>(w, "StyledButton3_4")->Picture().isNull()) << "browse buttons show a picture";
    const struct {
        const char* name;
        const char* caption;
    } labels[] = {
        {"lblStartTime", "Start time(hh:ss)"}, {"lblStopTime", "Stop time(hh:ss)"},
        {"lblText8", "\"Save As\" default:"}, {"lblMaxBurst", "Max Burst Save"}, {"lblMaxBurstUnit", "frames/sec"},
        {"lblFindHigh", "Find high-"},        {"lblCountAgain", "Start count again after "},
    };
    for (const auto& l : labels)
        EXPECT_EQ(text(w, l.name), l.caption) << l.name;
    EXPECT_EQ(find<QGroupBox>(w, "fraFilename")->title(), "Filename Auto- && Motion Save Options");
    EXPECT_EQ(find<QGroupBox>(w, "fraMaxPicLimit")->toolTip(), "Set maximum limit (if saving by Picture Counter is enabled)");
    EXPECT_EQ(find<QLineEdit>(w, "txtMaxPicLimit")->toolTip(), "Enter maximum saved pictures (1...99999)");
    EXPECT_EQ(child<QComboBox>(w, "cmbTrigger")->count(), 8);
    EXPECT_EQ(child<QComboBox>(w, "cmbTrigger")->itemText(2), "Top half 1/2)");
    EXPECT_EQ(child<QComboBox>(w, "cmbMaxBurst")->itemText(0), "2");
    EXPECT_EQ(child<QComboBox>(w, "cmbMaxBurst")->itemText(18), "20");
    EXPECT_EQ(child<QComboBox>(w, "cmbStyle")->itemText(7), "XP/Mac");
    EXPECT_EQ(child<QComboBox>(w, "cmbButton")->itemText(6), "Dark");
}

TEST(frmSetupLoad, EachFileValueReachesItsControlAndTheModel)
{
    using Check = std::function<void(frmSetup&, const SettingsModel&)>;
    const struct {
        const char* key;
        QVariant value;
        Check expect;
    } rows[] = {
        {"[JPG-Quality]", 75,
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_EQ(child<QScrollBar>(w, "HScroll1")->value(), 75);
             EXPECT_EQ(text(w, "Label3"), "75") << "the bar already stood at 75";
         }},
        {"[JPG-Quality]", 40, [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "Label3"), "40"); }},
        {"[SaveBitmapType]", -1, [](frmSetup& w, const SettingsModel&) { EXPECT_TRUE(checked(w, "Option1_1")); }},
        {"[SaveBitmapType]", 0, [](frmSetup& w, const SettingsModel&) { EXPECT_TRUE(checked(w, "Option1_0")); }},
        {"[ScanRefresh]", 40, [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "Text3"), "40"); }},
        {"[ButtonColor]", 6,
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_EQ(text(w, "cmbButton"), "Dark");
             EXPECT_EQ(child<StyledButton>(w, "StyledButton2")->ForeColor(), 0xFFFFFF);
             EXPECT_EQ(w.form().buttonColor, 6);
         }},
        {"[ButtonColor]", 0,
         [](frmSetup& w, const SettingsModel& s) {
             EXPECT_EQ(text(w, "cmbButton"), "Blue Steel");
             EXPECT_EQ(child<StyledButton>(w, "StyledButton2")->ForeColor(), 0);
             EXPECT_EQ(child<StyledButton>(w, "StyledButton2")->GradientColor(), s.ButtonColors[0]);
         }},
        {"[ButtonStyle]", 9,
         [](frmSetup& w, const SettingsModel& s) {
             EXPECT_EQ(text(w, "cmbStyle"), "XP/Mac");
             EXPECT_EQ(s.ButtonStyle, 7);
         }},
        {"[SaveFileNameOptions]", 2,
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_TRUE(checked(w, "OptFileOptions_2"));
             EXPECT_TRUE(child<QLineEdit>(w, "txtMaxPicLimit")->isEnabled());
         }},
        {"[SaveFileNameOptions]", 1,
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_TRUE(checked(w, "OptFileOptions_1"));
             EXPECT_FALSE(child<QLineEdit>(w, "txtMaxPicLimit")->isEnabled());
         }},
        {"[DefaultFilename]", " Porch ", [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "txtFilename"), "Porch"); }},
        {"[StartTime]", "07:30", [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "txtStartTime"), "07:30"); }},
        {"[StartTime]", "7:3",
         [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "txtStartTime"), "14:05") << "3 characters: now"; }},
        {"[Stoptime]", "", [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "txtStopTime"), "14:05"); }},
        {"[MaxSaveLimit]", 500, [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "txtMaxPicLimit"), "00500"); }},
        {"[MaxBurstFrames]", 12, [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "cmbMaxBurst"), "12"); }},
        {"[MotionSensing]", 6, [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "cmbSensitivity"), "Highest"); }},
        {"[TriggerFocus]", 2, [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "cmbTrigger"), "Top half 1/2)"); }},
        {"[AutoRunMode]", 3, [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "cmbStartMode"), "MotionRecording"); }},
        {"[TolvexStartMode]", 3,
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_TRUE(checked(w, "chkMini_0"));
             EXPECT_TRUE(checked(w, "chkMini_1"));
         }},
        {"[TolvexStartMode]", 2,
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_FALSE(checked(w, "chkMini_0"));
             EXPECT_TRUE(checked(w, "chkMini_1"));
         }},
        {"[SoundsSelection]", "0101",
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_FALSE(checked(w, "chkSSnap"));
             EXPECT_TRUE(checked(w, "chkSBurst"));
             EXPECT_FALSE(checked(w, "chkSAuto"));
             EXPECT_TRUE(checked(w, "chkSMotion"));
         }},
        {"[ftpEnabled]", 1, [](frmSetup& w, const SettingsModel&) { EXPECT_TRUE(checked(w, "chkFTP")); }},
        {"[MotionRecordingDuration]", 2,
         [](frmSetup& w, const SettingsModel& s) {
             EXPECT_EQ(s.MotionRecordingDuration, 8);
             EXPECT_EQ(text(w, "txtRecDuration"), "8");
         }},
        {"[PictureViewer]", "eog",
         [](frmSetup& w, const SettingsModel& s) {
             EXPECT_TRUE(checked(w, "Option3_0"));
             EXPECT_EQ(s.PictureViewer, "");
             EXPECT_EQ(text(w, "Text5"), "");
         }},
        {"[PictureViewer]", "/usr/bin/eog",
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_TRUE(checked(w, "Option3_1"));
             EXPECT_EQ(text(w, "Text5"), "/usr/bin/eog");
         }},
        {"[PictureEditor]", "/usr/bin/gimp", [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "Text4"), "/usr/bin/gimp"); }},
        {"[BackgroundColor]", 255,
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_TRUE(checked(w, "Option4_1"));
             EXPECT_EQ(child<QLabel>(w, "LblKleur")->property("BackColor").toInt(), 255);
         }},
        {"[HowToCheckDriver]", 0, [](frmSetup& w, const SettingsModel&) { EXPECT_TRUE(checked(w, "optCheckRes_0")); }},
        {"[StreamSource]", 1,
         [](frmSetup& w, const SettingsModel&) {
             EXPECT_TRUE(checked(w, "optStreamSource_1"));
             EXPECT_FALSE(child<StyledButton>(w, "StyledButton4")->Enabled()) << "no second copy in IDE mode";
         }},
        {"[StampText]", "Porch", [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "txtStampText"), "Porch"); }},
        {"[VideoPath]", "  /videos  ", [](frmSetup& w, const SettingsModel&) { EXPECT_EQ(text(w, "Text6"), "/videos"); }},
        {"[RemoveTitleBar]", 1, [](frmSetup& w, const SettingsModel&) { EXPECT_TRUE(checked(w, "chkTitleBar")); }},
        {"[StayOnTop]", 1, [](frmSetup& w, const SettingsModel&) { EXPECT_TRUE(checked(w, "chkStayOnTop")); }},
        {"[ShowSideLogo]", 0, [](frmSetup& w, const SettingsModel&) { EXPECT_FALSE(checked(w, "Check2")); }},
        {"[UseBurstAsSnapshot]", 1, [](frmSetup& w, const SettingsModel&) { EXPECT_TRUE(checked(w, "chkUseBurstAsSnapshot")); }},
    };
    SetupHarness h;
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.key) + " " + r.value.toString().toStdString());
        h.loadWithValue(r.key, r.value);
        frmSetup& w = h.open();
        r.expect(w, h.s);
    }
}

TEST(frmSetupLoad, DefaultsOpenAsTheProgramSetsThem)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    EXPECT_EQ(text(w, "Text1"), h.box.programFolder() + "/CamSnapshots");
    EXPECT_EQ(text(w, "Text8"), h.box.programFolder());
    EXPECT_EQ(text(w, "txtCounter"), "00000");
    EXPECT_EQ(text(w, "Label12"), "14:05");
    EXPECT_TRUE(checked(w, "optCheckRes_2"));
    EXPECT_TRUE(checked(w, "optStreamSource_0"));
    EXPECT_TRUE(checked(w, "chkVersionupdate")) << "no registry value: the check runs";
    EXPECT_TRUE(checked(w, "Option4_1")) << "the repaired background is a colour of its own";
    EXPECT_EQ(child<QLabel>(w, "LblKleur")->property("BackColor").toInt(), kSystemButtonFace);
}

TEST(frmSetupLoad, ModelValuesTheFileCannotHold)
{
    SetupHarness h;
    h.loadSettings();
    h.s.FileCounter = 42;
    h.s.DefaultFilename = "  ";
    h.s.SaveFileNameOptions = 2;
    frmSetup& w = h.open();
    EXPECT_EQ(text(w, "txtCounter"), "00042");
    EXPECT_TRUE(checked(w, "OptFileOptions_0"));
    EXPECT_EQ(h.s.DefaultFilename, "Cam");
    EXPECT_EQ(text(w, "txtFilename"), "Cam");

    h.s.FileCounter = 1234567;
    h.s.MaxBurstFrames = 25;
    h.s.MotionSensing = 9;
    frmSetup& again = h.open();
    EXPECT_EQ(text(again, "txtCounter"), "1234567") << "the typing limit does not cut the dialog's own text";
    EXPECT_EQ(child<QComboBox>(again, "cmbMaxBurst")->currentIndex(), -1) << "beyond the list: no selection";
    EXPECT_EQ(child<QComboBox>(again, "cmbSensitivity")->currentIndex(), -1);
}

TEST(frmSetupLoad, DeviceListAndTheDeviceItOpenedWith)
{
    {
        SetupHarness h("2");
        h.loadSettings();
        h.s.CaptureDevice = 1;
        h.s.DeviceListIndex = 0;
        frmSetup& w = h.open();
        ASSERT_EQ(child<QListWidget>(w, "lstDevices")->count(), 2);
        EXPECT_EQ(child<QListWidget>(w, "lstDevices")->currentRow(), 1);
        EXPECT_EQ(h.s.DeviceListIndex, 1);
    }
    {
        SetupHarness h("1");
        h.loadSettings();
        h.s.CaptureDevice = 4;
        frmSetup& w = h.open();
        ASSERT_EQ(child<QListWidget>(w, "lstDevices")->count(), 2);
        EXPECT_EQ(child<QListWidget>(w, "lstDevices")->item(1)->text(), "No Device Available");
        EXPECT_EQ(child<QListWidget>(w, "lstDevices")->currentRow(), -1);
        EXPECT_EQ(h.s.CaptureDevice, 0);
    }
    {
        SetupHarness h("0");
        h.loadSettings();
        frmSetup& w = h.open();
        ASSERT_EQ(child<QListWidget>(w, "lstDevices")->count(), 1);
        EXPECT_EQ(child<QListWidget>(w, "lstDevices")->item(0)->text(), "No Device Available");
    }
}

TEST(frmSetupLoad, UpdateCheckBoxFollowsNoURLupdate)
{
    const struct {
        const char* stored;
        bool ticked;
    } cases[] = {{"Yes", false}, {"No", true}, {"yes", true}, {"", true}};
    for (const auto& c : cases) {
        SetupHarness h;
        h.loadSettings();
        h.registry.save("NoURLupdate", c.stored);
        EXPECT_EQ(checked(h.open(), "chkVersionupdate"), c.ticked) << c.stored;
    }
}

TEST(frmSetupLoad, EveryCaptionShowsWhole)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    const QStringList clipped = caption_fit::clippedCaptions(&w);
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join("\n").toStdString();
}

TEST(frmSetupLoad, NoControlCoversACaption)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    // Each caption's drawn text, against every other control of its group.
    QStringList covered;
    for (const QLabel* label : w.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(&w))
            continue;
        const int drawn = QFontMetrics(caption_fit::desktopFont(label->font())).horizontalAdvance(label->text());
        const QRect text(label->pos(), QSize(std::min(drawn, label->width()), label->height()));
        for (const QWidget* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != label && other->isVisibleTo(&w) && !qobject_cast<const QLabel*>(other) &&
                other->geometry().intersects(text))
                covered << label->objectName() + " by " + other->objectName();
        }
    }
    EXPECT_TRUE(covered.isEmpty()) << covered.join("\n").toStdString();
    EXPECT_EQ(child<QComboBox>(w, "cmbMaxBurst")->accessibleName(), "Max Burst Save frames/sec");
}
