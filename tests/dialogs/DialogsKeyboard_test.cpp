// The setup dialog, the folder chooser and the about box worked without the mouse:
// every handler that ran on a mouse press runs for Space, Enter or Esc, the access
// key and an assistive tool's press; every control has a name and Tab reaches it.
#include "KeyboardParity.h"
#include "PromptsFake.h"
#include "SetupHarness.h"
#include "ShellFake.h"
#include "buttons/PressLabel.h"
#include "buttons/StyledButton.h"
#include "dialogs/UpdateCheck.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmGetFolder.h"
#include "platform/lists/DirListBox.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

void activate(QWidget& w)
{
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

// One way of pressing a control without the mouse.
struct Way {
    const char* name;
    std::function<void(QWidget* control)> press;
};

const Way kSpace{"Space", [](QWidget* c) { keyboard::pressBySpace(c); }};
const Way kTool{"assistive tool", [](QWidget* c) { ASSERT_TRUE(keyboard::pressByTool(c)); }};

}  // namespace

TEST(SetupKeyboard, OkByEnterSpaceOrAssistiveToolSavesTheChange)
{
    const Way ways[] = {
        {"Enter in a box (OK is the default button)", [](QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }},
        kSpace,
        kTool,
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        SetupHarness h;
        h.loadSettings();
        frmSetup& w = h.open();
        activate(w);
        child<QLineEdit>(w, "Text3")->setFocus();
        child<QLineEdit>(w, "Text3")->setText("40");
        way.press(child<StyledButton>(w, "StyledButton1_0"));
        QTRY_VERIFY(!w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_EQ(h.s.ScanRefresh, 40);
        // The file holds the new value: the program reads it back at its next start.
        SettingsModel reread;
        reread.AppPath = h.s.AppPath;
        QString name;
        LoadSettings(reread, name, nullptr);
        EXPECT_EQ(reread.ScanRefresh, 40);
    }
}

TEST(SetupKeyboard, CancelByEscSpaceOrAssistiveToolLeavesTheFileByteIdentical)
{
    const Way ways[] = {
        {"Esc", [](QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        kSpace,
        kTool,
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        SetupHarness h;
        h.loadSettings();
        const QByteArray before = h.box.readFile("Tolvex.ini");
        frmSetup& w = h.open();
        activate(w);
        child<QLineEdit>(w, "Text3")->setFocus();
        child<QLineEdit>(w, "Text3")->setText("99");
        way.press(child<StyledButton>(w, "StyledButton8"));
        QTRY_VERIFY(!w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Rejected);
        EXPECT_EQ(h.box.readFile("Tolvex.ini"), before);
        EXPECT_NE(h.s.ScanRefresh, 99);
    }
}

TEST(SetupKeyboard, FtpAudioSourceAndColourWorkWithoutTheMouse)
{
    for (const Way& way : {kSpace, kTool}) {
        SCOPED_TRACE(way.name);
        SetupHarness h;
        h.loadSettings();
        QStringList opened;
        h.runModal = [&](QDialog& d) {
            opened << d.objectName();
            h.s.FtpEnabled = 1;
        };
        h.programsOnPath = {"pavucontrol"};
        h.pickedColour = 0x00FF00;
        frmSetup& w = h.open();
        activate(w);

        way.press(child<StyledButton>(w, "StyledButton7"));
        QTRY_COMPARE(opened, QStringList{"frmFTP"});
        EXPECT_TRUE(child<QCheckBox>(w, "chkFTP")->isChecked());
        way.press(child<StyledButton>(w, "StyledButton5"));
        QTRY_COMPARE(h.audioOwners, QList<QWidget*>({&w}));
        way.press(child<StyledButton>(w, "StyledButton6"));
        QTRY_COMPARE(h.shell.startedPrograms.size(), 1);
        EXPECT_EQ(h.shell.startedPrograms[0].program, "/usr/bin/pavucontrol");
        way.press(child<QLabel>(w, "LblKleur"));
        QTRY_COMPARE(child<QLabel>(w, "LblKleur")->property("BackColor").toInt(), 0x00FF00);
    }
}

TEST(SetupKeyboard, TheColourSwatchAnswersEnterAndTheQualityBarTheArrowKeys)
{
    SetupHarness h;
    h.loadSettings();
    h.pickedColour = 0x0000FF;
    frmSetup& w = h.open();
    activate(w);
    child<QLabel>(w, "LblKleur")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(child<QLabel>(w, "LblKleur"), Qt::Key_Return);
    EXPECT_EQ(child<QLabel>(w, "LblKleur")->property("BackColor").toInt(), 0x0000FF);
    EXPECT_TRUE(w.isVisible()) << "Enter on the swatch picks a colour, it is not OK";

    // Tab reaches the JPEG quality bar from the box before it.
    child<QLineEdit>(w, "Text3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(child<QLineEdit>(w, "Text3"), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), child<QScrollBar>(w, "HScroll1"));
    const int value = child<QScrollBar>(w, "HScroll1")->value();
    QTest::keyClick(child<QScrollBar>(w, "HScroll1"), Qt::Key_Right);
    EXPECT_EQ(child<QScrollBar>(w, "HScroll1")->value(), value + 1);
    EXPECT_EQ(child<QLabel>(w, "Label3")->text(), QString::number(value + 1));
}

TEST(SetupKeyboard, EveryControlHasANameAndTabReachesIt)
{
    SetupHarness h;
    h.loadSettings();
    frmSetup& w = h.open();
    activate(w);
    EXPECT_EQ(keyboard::unnamedControls(&w), "");
    EXPECT_EQ(keyboard::unreachedByTab(&w), "");
    // The folder boxes are read out by their labels, which hand them their focus.
    auto* snapshots = child<QLineEdit>(w, "Text1");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(snapshots)->text(QAccessible::Name), "Snapshots");
    EXPECT_EQ(w.findChild<QLabel*>("lblText1")->buddy(), snapshots);
    auto* quality = child<QScrollBar>(w, "HScroll1");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(quality)->text(QAccessible::Name), "JPG compression");
}

TEST(FolderChooserKeyboard, OkAndCancelWorkWithoutTheMouse)
{
    Sandbox box;
    SettingsModel s;
    s.AppPath = box.programFolder();
    QDir().mkpath(box.root() + "/start");
    QDir().mkpath(box.root() + "/chosen");
    const Way enter{"Enter", [](QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }};
    const Way esc{"Esc", [](QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }};
    const struct {
        Way way;
        const char* button;
        QDialog::DialogCode result;
        const char* folder;
    } cases[] = {
        {enter, "StyledButton1_0", QDialog::Accepted, "/chosen"},
        {kSpace, "StyledButton1_0", QDialog::Accepted, "/chosen"},
        {kTool, "StyledButton1_0", QDialog::Accepted, "/chosen"},
        {esc, "StyledButton1_1", QDialog::Rejected, "/start"},
        {kSpace, "StyledButton1_1", QDialog::Rejected, "/start"},
        {kTool, "StyledButton1_1", QDialog::Rejected, "/start"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.way.name) + " on " + c.button);
        QLineEdit edit(box.root() + "/start");
        FolderBoxes boxes{};
        boxes[static_cast<int>(FolderKind::Video)] = &edit;
        PromptsFake chooserPrompts;
        frmGetFolder chooser(s, boxes, chooserPrompts);
        chooser.setWindowTitle("Select your video folder");
        activate(chooser);
        child<platform::DirListBox>(chooser, "Dir1")->setPath(box.root() + "/chosen");
        child<platform::DirListBox>(chooser, "Dir1")->setFocus();
        c.way.press(child<StyledButton>(chooser, c.button));
        QTRY_VERIFY(!chooser.isVisible());
        EXPECT_EQ(chooser.result(), c.result);
        EXPECT_EQ(edit.text(), box.root() + c.folder);
    }
}

TEST(FolderChooserKeyboard, EveryControlHasANameAndTabReachesIt)
{
    Sandbox box;
    SettingsModel s;
    s.AppPath = box.programFolder();
    FolderBoxes boxes{};
    PromptsFake chooserPrompts;
    frmGetFolder chooser(s, boxes, chooserPrompts);
    activate(chooser);
    EXPECT_EQ(keyboard::unnamedControls(&chooser), "");
    EXPECT_EQ(keyboard::unreachedByTab(&chooser), "");
}

TEST(AboutKeyboard, TheUpdateButtonAndTheLinksWorkWithoutTheMouse)
{
    qputenv("TOLVEX_UPDATE_PAGE", "http://127.0.0.1:9/download.html");
    Sandbox box;
    Registry registry;
    PromptsFake prompts;
    RecordingShell shell;
    SettingsModel s;
    s.AppPath = box.programFolder();
    QTemporaryDir tools;
    frmAbout about(s, AboutServices{shell, prompts, registry, {tools.path()}});
    activate(about);

    keyboard::pressBySpace(child<StyledButton>(about, "StyledButton4"));
    ASSERT_TRUE(keyboard::pressByTool(child<StyledButton>(about, "StyledButton4")));
    QTRY_COMPARE(shell.openedUrls.size(), 2);
    EXPECT_EQ(shell.openedUrls[0], QUrl("http://127.0.0.1:9/download.html"));
    EXPECT_EQ(shell.openedUrls[1], QUrl("http://127.0.0.1:9/download.html"));

    // A link: Tab onto it, then Enter or Space; or the assistive tool's press.
    child<QLabel>(about, "Label3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(child<QLabel>(about, "Label3"), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), child<QLabel>(about, "Label1"));
    QTest::keyClick(child<QLabel>(about, "Label1"), Qt::Key_Return);
    keyboard::pressBySpace(child<QLabel>(about, "Label4"));
    ASSERT_TRUE(keyboard::pressByTool(child<QLabel>(about, "lblDisclaimer")));
    QTRY_COMPARE(shell.openedUrls.size(), 5);
    EXPECT_EQ(shell.openedUrls[2], QUrl(kSupportGroupPage));
    EXPECT_EQ(shell.openedUrls[3].scheme(), "mailto");
    EXPECT_EQ(shell.openedUrls[4], QUrl::fromLocalFile(box.programFolder() + "/readme.txt"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child<QLabel>(about, "Label1"))->role(), QAccessible::Link);
}

TEST(AboutKeyboard, EveryControlHasANameAndTabReachesIt)
{
    Sandbox box;
    Registry registry;
    PromptsFake prompts;
    RecordingShell shell;
    SettingsModel s;
    s.AppPath = box.programFolder();
    frmAbout about(s, AboutServices{shell, prompts, registry, {}});
    activate(about);
    EXPECT_EQ(keyboard::unnamedControls(&about), "");
    EXPECT_EQ(keyboard::unreachedByTab(&about), "");
}
