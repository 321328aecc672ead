#include "SetupHarness.h"
#include "core/ButtonCodes.h"
#include "buttons/StyledButton.h"
#include "capture/MainLook.h"
#include "platform/lists/DirListBox.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// The user chooses the desktop in the folder chooser and confirms.
void chooseDesktop(QDialog& dialog)
{
    auto& chooser = dynamic_cast<frmGetFolder&>(dialog);
    chooser.show();
    chooser.Command1_Click(0);
    QTest::mousePress(child<StyledButton>(chooser, "StyledButton1_0"), Qt::LeftButton);
}

QString makeDesktop(SetupHarness& h)
{
    const QString desktop = h.folder("Desktop");
    QFile dirs(h.box.configFolder() + "/user-dirs.dirs");
    if (dirs.open(QIODevice::WriteOnly))
        dirs.write(QStringLiteral("XDG_DESKTOP_DIR=\"%1\"\n").arg(desktop).toUtf8());
    return desktop;
}

}  // namespace

TEST(frmSetupHandlers, EachFolderButtonFillsOnlyItsOwnBox)
{
    SetupHarness h;
    h.loadSettings();
    const QString desktop = makeDesktop(h);
    frmSetup& w = h.open();
    const std::array<QLineEdit*, 6> boxes = {
        child<QLineEdit>(w, "Text1"), child<QLineEdit>(w, "Text2"), child<QLineEdit>(w, "Text7"),
        child<QLineEdit>(w, "Text6"), child<QLineEdit>(w, "Text8"), child<QLineEdit>(w, "Text9")};
    const char* captions[6] = {"Select your picture folder",      "Select your autosave folder",
                               "Select your motionsave pics folder", "Select your video folder",
                               "Select your 'Save As...' folder",  "Select your motion recording save folder"};
    for (int button = 2; button <= 7; ++button) {
        for (int i = 0; i < 6; ++i)
            boxes[i]->setText(h.folder(QStringLiteral("box%1").arg(i)));
        QString caption;
        h.runModal = [&caption](QDialog& d) {
            caption = d.windowTitle();
            chooseDesktop(d);
        };
        QTest::mouseClick(child<StyledButton>(w, "StyledButton3_" + QString::number(button)), Qt::LeftButton);
        EXPECT_EQ(caption, captions[button - 2]);
        for (int i = 0; i < 6; ++i) {
            const QString expected = i == button - 2 ? desktop : h.box.root() + QStringLiteral("/box%1").arg(i);
            EXPECT_EQ(boxes[i]->text(), expected) << "button " << button << " box " << i;
        }
    }
}

TEST(frmSetupHandlers, FolderChooserStartsFromTheSettingWhenTheBoxNamesNoFolder)
{
    SetupHarness h;
    h.loadSettings();
    h.s.VideoPath = h.folder("videos");
    frmSetup& w = h.open();
    child<QLineEdit>(w, "Text6")->setText("/no/such/folder");
    QString shown;
    h.runModal = [&shown](QDialog& d) {
        auto& chooser = dynamic_cast<frmGetFolder&>(d);
        shown = child<platform::DirListBox>(chooser, "Dir1")->Path();
        chooser.show();
        QTest::mousePress(child<StyledButton>(chooser, "StyledButton1_0"), Qt::LeftButton);
    };
    QTest::mouseClick(child<StyledButton>(w, "StyledButton3_5"), Qt::LeftButton);
    EXPECT_EQ(shown, h.box.root() + "/videos") << "the setting is shown before the window opens";
    EXPECT_EQ(child<QLineEdit>(w, "Text6")->text(), h.box.programFolder())
        << "a missing folder starts in the program folder";
}

TEST(frmSetupHandlers, ProgramButtonsFillTheirOwnBox)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    QList<OpenDialogArgs> asked;
    h.openDialog = [&asked](OpenDialogArgs& args) {
        asked.append(args);
        args.fileName = "/usr/bin/" + QString(asked.size() == 1 ? "gimp" : "eog");
        return DialogResult::Confirmed;
    };
    QTest::mouseClick(child<StyledButton>(w, "StyledButton3_0"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(w, "Text4")->text(), "/usr/bin/gimp");
    EXPECT_EQ(child<QLineEdit>(w, "Text5")->text(), "");
    EXPECT_TRUE(child<QRadioButton>(w, "Option3_0")->isChecked());
    QTest::mouseClick(child<StyledButton>(w, "StyledButton3_1"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(w, "Text4")->text(), "/usr/bin/gimp");
    EXPECT_EQ(child<QLineEdit>(w, "Text5")->text(), "/usr/bin/eog");
    EXPECT_TRUE(child<QRadioButton>(w, "Option3_1")->isChecked());
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].dialogTitle, "Select your picture editor");
    EXPECT_EQ(asked[1].dialogTitle, "Select your picture viewer");
    EXPECT_EQ(asked[0].initialFolder, h.s.AppPath);
    EXPECT_EQ(asked[0].filter, "All (*.*)| *.*");

    h.openDialog = [](OpenDialogArgs& args) {
        args.fileName = QString(QChar(0));
        return DialogResult::Cancelled;
    };
    QTest::mouseClick(child<StyledButton>(w, "StyledButton3_0"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(w, "Text4")->text(), "/usr/bin/gimp") << "cancelled: nothing changes";
    child<QRadioButton>(w, "Option3_0")->click();
    EXPECT_EQ(child<QLineEdit>(w, "Text5")->text(), "") << "the built-in viewer empties the viewer box";
}

TEST(frmSetupHandlers, PastedTimeIsTwentyFourHourWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SetupHarness h;
    h.loadSettings();
    h.now = QTime(21, 7, 3);
    frmSetup& w = h.open();
    QTest::mouseClick(child<StyledButton>(w, "Command1"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(w, "txtStartTime")->text(), "21:07:03");
    QTest::mouseClick(child<StyledButton>(w, "Command2"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(w, "txtStopTime")->text(), "21:07:03");
    QLocale::setDefault(QLocale::c());
}

TEST(frmSetupHandlers, SecondCopyMixerAndAudioFormat)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    QTest::mouseClick(child<StyledButton>(w, "StyledButton4"), Qt::LeftButton);
    ASSERT_EQ(h.shell.startedPrograms.size(), 1);
    EXPECT_EQ(h.shell.startedPrograms[0].program, h.s.AppPath + "/tolvex");
    EXPECT_EQ(h.shell.startedPrograms[0].arguments, QStringList({"/2"}));

    h.programsOnPath = {"pavucontrol"};
    QTest::mousePress(child<StyledButton>(w, "StyledButton6"), Qt::RightButton);
    ASSERT_EQ(h.shell.startedPrograms.size(), 2);
    EXPECT_EQ(h.shell.startedPrograms[1].program, "/usr/bin/pavucontrol");
    EXPECT_TRUE(h.prompts.boxes.isEmpty());

    h.programsOnPath.clear();
    QTest::mousePress(child<StyledButton>(w, "StyledButton6"), Qt::LeftButton);
    EXPECT_EQ(h.shell.startedPrograms.size(), 2);
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].title, "Not found, Err:53");
    EXPECT_EQ(h.prompts.boxes[0].icon, BoxIcon::Exclamation);

    QTest::mousePress(child<StyledButton>(w, "StyledButton5"), Qt::LeftButton);
    EXPECT_EQ(h.audioOwners, QList<QWidget*>({&w}));
}

TEST(frmSetupHandlers, FtpBoxAndFtpWindowChangeTheSettingAtOnce)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    QTest::mouseClick(child<QCheckBox>(w, "chkFTP"), Qt::LeftButton);
    EXPECT_EQ(h.s.FtpEnabled, 1) << "before OK or Cancel";
    QTest::mouseClick(child<QCheckBox>(w, "chkFTP"), Qt::LeftButton);
    EXPECT_EQ(h.s.FtpEnabled, 0);
    h.runModal = [&h](QDialog& d) {
        EXPECT_EQ(d.objectName(), "frmFTP");
        h.s.FtpEnabled = 1;
    };
    QTest::mousePress(child<StyledButton>(w, "StyledButton7"), Qt::LeftButton);
    EXPECT_TRUE(child<QCheckBox>(w, "chkFTP")->isChecked());
}

TEST(frmSetupHandlers, ColourPickerAndButtonPreview)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    auto* colour = child<QLabel>(w, "LblKleur");
    h.pickedColour = 0x00FF00;
    QTest::mouseClick(colour, Qt::LeftButton);
    EXPECT_EQ(colour->property("BackColor").toInt(), 0x00FF00);
    h.pickedColour = -1;
    QTest::mouseClick(colour, Qt::LeftButton);
    EXPECT_EQ(colour->property("BackColor").toInt(), 0x00FF00) << "cancelled: the colour stays";
    child<QRadioButton>(w, "Option4_0")->click();
    EXPECT_EQ(h.s.PickedColor, -1);
    EXPECT_EQ(colour->property("BackColor").toInt(), kSystemButtonFace);
    h.pickedColour = 0x0000FF;
    QTest::mouseDClick(child<QRadioButton>(w, "Option4_0"), Qt::LeftButton);
    EXPECT_EQ(colour->property("BackColor").toInt(), kSystemButtonFace) << "only \"User color->\" picks";
    QTest::mouseDClick(child<QRadioButton>(w, "Option4_1"), Qt::LeftButton);
    EXPECT_EQ(colour->property("BackColor").toInt(), 0x0000FF);

    child<QComboBox>(w, "cmbButton")->setCurrentIndex(6);
    EXPECT_EQ(child<StyledButton>(w, "StyledButton2")->ForeColor(), 0xFFFFFF);
    EXPECT_EQ(w.form().buttonColor, 6);
    child<QComboBox>(w, "cmbButton")->setCurrentIndex(3);
    EXPECT_EQ(child<StyledButton>(w, "StyledButton2")->ForeColor(), 0);
    EXPECT_EQ(child<StyledButton>(w, "StyledButton2")->GradientColor(), h.s.ButtonColors[3]);
    child<QComboBox>(w, "cmbStyle")->setCurrentIndex(2);
    EXPECT_EQ(child<StyledButton>(w, "StyledButton2")->ButtonStyle(), buttons::kStyleWindowsXp);

    // The example shows the colour as the main window's buttons do: painted, and
    // "Dark" on a dark face under its white caption.
    child<QComboBox>(w, "cmbButton")->setCurrentIndex(5);  // "Red"
    const QImage red = child<StyledButton>(w, "StyledButton2")->grab().toImage();
    int reddish = 0;
    for (int y = 0; y < red.height(); ++y)
        for (int x = 0; x < red.width(); ++x) {
            const QColor c = red.pixelColor(x, y);
            reddish += c.red() > c.green() + 60 ? 1 : 0;
        }
    EXPECT_GT(reddish, red.width() * red.height() / 10) << "the chosen colour is not painted on the example";
    child<QComboBox>(w, "cmbButton")->setCurrentIndex(6);
    EXPECT_EQ(child<StyledButton>(w, "StyledButton2")->BackColor(), kDarkButtonFace);
    child<QComboBox>(w, "cmbButton")->setCurrentIndex(3);
    EXPECT_NE(child<StyledButton>(w, "StyledButton2")->BackColor(), kDarkButtonFace);
}

TEST(frmSetupHandlers, ClockShowsTheTimeEachSecond)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    EXPECT_EQ(child<QLabel>(w, "Label12")->text(), "14:05");
    EXPECT_TRUE(child<QTimer>(w, "Timer1")->isActive());
    EXPECT_EQ(child<QTimer>(w, "Timer1")->interval(), 1000);
    h.now = QTime(23, 59, 30);
    QSignalSpy ticks(child<QTimer>(w, "Timer1"), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(2000));
    EXPECT_EQ(child<QLabel>(w, "Label12")->text(), "23:59");
}

TEST(frmSetupHandlers, IdeModeInformsAndDisablesTheSecondCopy)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    QTest::mouseClick(child<QRadioButton>(w, "optStreamSource_1"), Qt::LeftButton);
    EXPECT_FALSE(child<StyledButton>(w, "StyledButton4")->Enabled());
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "IDE mode is only recommended for low resolution cam's.");
    EXPECT_EQ(h.prompts.boxes[0].title, "Info on IDE Mode");
    QTest::mouseClick(child<QRadioButton>(w, "optStreamSource_0"), Qt::LeftButton);
    EXPECT_TRUE(child<StyledButton>(w, "StyledButton4")->Enabled());
    EXPECT_EQ(h.prompts.boxes.size(), 1);
}

TEST(frmSetupHandlers, CounterBoxTakesFiveTypedCharacters)
{
    SetupHarness h;
    h.loadSettings();
    h.s.FileCounter = 42;
    frmSetup& w = h.open();
    child<QLineEdit>(w, "txtCounter")->setFocus();
    child<QLineEdit>(w, "txtCounter")->end(false);
    QTest::keyClicks(child<QLineEdit>(w, "txtCounter"), "7");
    EXPECT_EQ(child<QLineEdit>(w, "txtCounter")->text(), "00042");
    child<QLineEdit>(w, "txtCounter")->selectAll();
    QTest::keyClicks(child<QLineEdit>(w, "txtCounter"), "1234567");
    EXPECT_EQ(child<QLineEdit>(w, "txtCounter")->text(), "12345");
    QTest::keyClick(child<QLineEdit>(w, "txtCounter"), Qt::Key_Backspace);
    EXPECT_EQ(child<QLineEdit>(w, "txtCounter")->text(), "1234");
}
