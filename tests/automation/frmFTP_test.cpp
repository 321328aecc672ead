#include "automation/frmFTP.h"
#include "Children.h"
#include "KeyboardParity.h"
#include "PromptsFake.h"
#include "buttons/StyledButton.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

SettingsModel ftpSettings()
{
    SettingsModel s;
    s.FtpHost = " ftp.example.org ";
    s.FtpLogin = "login ";
    s.FtpPassword = "zorbatex";
    s.FtpFilename = "cam.jpg";
    s.FtpEnabled = 1;
    s.FtpProgress = 0;
    return s;
}

}  // namespace

TEST(FrmFtp, LoadShowsTheSettingsTrimmedUnderTheirCaptions)
{
    SettingsModel s = ftpSettings();
    PromptsFake prompts;
    frmFTP window(s, prompts);
    EXPECT_EQ(window.windowTitle(), "Tolvex FTP Setup");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text1")->text(), "ftp.example.org");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text2")->text(), "login");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text3")->text(), "zorbatex");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text4")->text(), "cam.jpg");
    EXPECT_TRUE(window.findChild<QCheckBox*>("Check1")->isChecked());
    EXPECT_FALSE(window.findChild<QCheckBox*>("Check2")->isChecked());
    EXPECT_EQ(window.findChild<QCheckBox*>("Check1")->text(), "Activate FTP Upload on AutoSave or MotionSave Mode");
    EXPECT_EQ(window.findChild<QCheckBox*>("Check2")->text(), "Show progressbar when uploading image");
    EXPECT_EQ(window.findChild<QLabel*>("lblText1")->text(), "Host or IP:");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text1")->toolTip(), "Server hostname or IP");
    EXPECT_EQ(window.findChild<StyledButton*>("StyledButton1")->Caption(), "OK");
    EXPECT_EQ(window.findChild<StyledButton*>("StyledButton2")->Caption(), "Cancel");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text3")->echoMode(), QLineEdit::Password) << "the password is hidden";
}

TEST(FrmFtp, EmptyHostAndFileNameGetTheirDefaults)
{
    SettingsModel s;
    PromptsFake prompts;
    frmFTP window(s, prompts);
    EXPECT_EQ(s.FtpHost, "127.0.0.1");
    EXPECT_EQ(s.FtpFilename, "tolvex.jpg");
    EXPECT_EQ(child<QLineEdit>(window, "Text1")->text(), "127.0.0.1");
    EXPECT_EQ(child<QLineEdit>(window, "Text4")->text(), "tolvex.jpg");
}

TEST(FrmFtp, OkStoresTheTrimmedFields)
{
    SettingsModel s = ftpSettings();
    PromptsFake prompts;
    frmFTP window(s, prompts);
    window.show();
    child<QLineEdit>(window, "Text1")->setText(" 127.0.0.1:2121 ");
    child<QLineEdit>(window, "Text2")->setText(" writer");
    child<QLineEdit>(window, "Text3")->setText("secret ");
    child<QLineEdit>(window, "Text4")->setText(" web/cam.bmp ");
    child<QCheckBox>(window, "Check1")->setChecked(false);
    child<QCheckBox>(window, "Check2")->setChecked(true);
    QTest::mousePress(child<StyledButton>(window, "StyledButton1"), Qt::RightButton);
    EXPECT_EQ(window.result(), QDialog::Accepted) << "any mouse button";
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(s.FtpHost, "127.0.0.1:2121");
    EXPECT_EQ(s.FtpLogin, "writer");
    EXPECT_EQ(s.FtpPassword, "secret");
    EXPECT_EQ(s.FtpFilename, "web/cam.bmp");
    EXPECT_EQ(s.FtpEnabled, 0);
    EXPECT_EQ(s.FtpProgress, 1);
}

TEST(FrmFtp, OkWithoutAHostAsksForOneAndStaysOpen)
{
    SettingsModel s = ftpSettings();
    PromptsFake prompts;
    frmFTP window(s, prompts);
    window.show();
    child<QLineEdit>(window, "Text1")->setText("   ");
    child<QLineEdit>(window, "Text2")->setText("changed");
    QTest::mousePress(child<StyledButton>(window, "StyledButton1"), Qt::LeftButton);
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].kind, "message") << "an OK-only box";
    EXPECT_EQ(prompts.boxes[0].text, "You need to enter a host address or IP.");
    EXPECT_EQ(prompts.boxes[0].title, "Tolvex");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(s.FtpLogin, "login ") << "nothing stored";
}

TEST(FrmFtp, CancelStoresNothing)
{
    SettingsModel s = ftpSettings();
    const SettingsModel before = s;
    PromptsFake prompts;
    frmFTP window(s, prompts);
    window.show();
    child<QLineEdit>(window, "Text1")->setText("other");
    child<QCheckBox>(window, "Check2")->setChecked(true);
    QTest::mousePress(child<StyledButton>(window, "StyledButton2"), Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(s.FtpHost, before.FtpHost);
    EXPECT_EQ(s.FtpProgress, before.FtpProgress);
}

TEST(FrmFtp, RightClickDoesNotGiveThePasswordBoxTheFocus)
{
    SettingsModel s = ftpSettings();
    PromptsFake prompts;
    frmFTP window(s, prompts);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    child<QLineEdit>(window, "Text1")->setFocus();
    QTest::mouseClick(child<QLineEdit>(window, "Text3"), Qt::RightButton);
    EXPECT_FALSE(child<QLineEdit>(window, "Text3")->hasFocus());
    EXPECT_TRUE(child<QLineEdit>(window, "Text3")->isEnabled());
    QTest::mouseClick(child<QLineEdit>(window, "Text3"), Qt::LeftButton);
    EXPECT_TRUE(child<QLineEdit>(window, "Text3")->hasFocus());
}

// OK and Cancel, formerly worked by a mouse press only, answer every way of pressing.
TEST(FrmFtp, OkAndCancelWorkByKeyboardAndAssistiveTools)
{
    struct Case {
        const char* way;
        bool ok;
        std::function<void(frmFTP&)> press;
    };
    const Case cases[] = {
        {"Enter (OK is the default button)", true,
         [](frmFTP& w) { QTest::keyClick(child<QLineEdit>(w, "Text2"), Qt::Key_Return); }},
        {"Space on OK", true, [](frmFTP& w) { keyboard::pressBySpace(child<StyledButton>(w, "StyledButton1")); }},
        {"assistive tool on OK", true,
         [](frmFTP& w) { ASSERT_TRUE(keyboard::pressByTool(child<StyledButton>(w, "StyledButton1"))); }},
        {"Esc (Cancel is the cancel button)", false,
         [](frmFTP& w) { QTest::keyClick(child<QLineEdit>(w, "Text2"), Qt::Key_Escape); }},
        {"Space on Cancel", false,
         [](frmFTP& w) { keyboard::pressBySpace(child<StyledButton>(w, "StyledButton2")); }},
        {"assistive tool on Cancel", false,
         [](frmFTP& w) { ASSERT_TRUE(keyboard::pressByTool(child<StyledButton>(w, "StyledButton2"))); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        SettingsModel s = ftpSettings();
        PromptsFake prompts;
        frmFTP window(s, prompts);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        child<QLineEdit>(window, "Text2")->setFocus();
        child<QLineEdit>(window, "Text2")->setText("keyboard");
        c.press(window);
        QTRY_VERIFY(!window.isVisible());
        EXPECT_EQ(window.result(), c.ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(s.FtpLogin, c.ok ? "keyboard" : "login ");
    }
}

TEST(FrmFtp, EveryControlHasANameAndTabReachesIt)
{
    SettingsModel s = ftpSettings();
    PromptsFake prompts;
    frmFTP window(s, prompts);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(keyboard::unnamedControls(&window), "");
    EXPECT_EQ(keyboard::unreachedByTab(&window), "");
    // Each box is read out by its label, which hands the box its access key.
    EXPECT_EQ(window.findChild<QLabel*>("lblText1")->buddy(), child<QLineEdit>(window, "Text1"));
    auto nameOf = [&window](const char* box) {
        return QAccessible::queryAccessibleInterface(child<QLineEdit>(window, box))->text(QAccessible::Name);
    };
    EXPECT_EQ(nameOf("Text1"), "Host or IP:");
    EXPECT_EQ(nameOf("Text3"), "Password:");
}

TEST(FrmFtp, ButtonsWorkByKeyboardAndAssistiveToolsAndAMouseClickActsOnce)
{
    for (const char* way : {"Space", "accessibility"}) {
        SettingsModel s = ftpSettings();
        PromptsFake prompts;
        frmFTP window(s, prompts);
        window.show();
        child<QLineEdit>(window, "Text2")->setText("keyboard");
        child<StyledButton>(window, "StyledButton1")->setFocus();
        if (QByteArray(way) == "Space")
            QTest::keyClick(child<StyledButton>(window, "StyledButton1"), Qt::Key_Space);
        else
            child<StyledButton>(window, "StyledButton1")->keyboardClick();
        EXPECT_EQ(window.result(), QDialog::Accepted) << way;
        EXPECT_EQ(s.FtpLogin, "keyboard") << way;
    }
    SettingsModel s = ftpSettings();
    PromptsFake prompts;
    frmFTP window(s, prompts);
    window.show();
    child<QLineEdit>(window, "Text1")->setText("");
    QTest::mouseClick(child<StyledButton>(window, "StyledButton1"), Qt::LeftButton);
    EXPECT_EQ(prompts.boxes.size(), 1) << "press and release ask once";
    child<StyledButton>(window, "StyledButton2")->keyboardClick();
    EXPECT_EQ(window.result(), QDialog::Rejected);
}
