#include "Children.h"
#include "PromptsFake.h"
#include "Sandbox.h"
#include "ShellFake.h"
#include "buttons/StyledButton.h"
#include "dialogs/frmAbout.h"
#include "dialogs/UpdateCheck.h"
#include "dialogs/frmAboutSystemInfo.h"
#include "settings/Module1Launchers.h"
#include "settings/Module1Registry.h"
#include "settings/Registry.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kToolFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";

struct AboutTest : ::testing::Test {
    Sandbox box;
    Registry registry;
    PromptsFake prompts;
    RecordingShell shell;
    SettingsModel s;
    QTemporaryDir toolFolder;  // stands in for the PATH; empty unless a test puts a tool there

    std::unique_ptr<frmAbout> open()
    {
        s.AppPath = box.programFolder();
        return std::make_unique<frmAbout>(s, AboutServices{shell, prompts, registry, {toolFolder.path()}});
    }
    void storeMachineValue(const char* key, const char* name, const QString& value)
    {
        const auto location = registryValueLocation(kHkeyLocalMachine, key, name);
        registry.saveSetting(location->first, location->second, value);
    }
    void putTool(const QString& folder, const QString& name) const
    {
        QFile tool(folder + "/" + name);
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\n");
        tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner);
    }
    QStringList started() const
    {
        QStringList programs;
        for (const auto& start : shell.startedPrograms)
            programs.append(start.program);
        return programs;
    }
};

}  // namespace

TEST_F(AboutTest, CaptionVersionAndButtons)
{
    const auto about = open();
    EXPECT_EQ(about->objectName(), "frmAbout");
    EXPECT_EQ(about->windowTitle(), "About Tolvex Pro...");
    EXPECT_EQ(child<QLabel>(*about, "lblVersion")->text(), "Tolvex Version 1.0.0");
    EXPECT_FALSE(child<QLabel>(*about, "lblDescription")->text().isEmpty());
    EXPECT_EQ(child<StyledButton>(*about, "StyledButton1")->Caption(), "OK");
    EXPECT_EQ(child<StyledButton>(*about, "StyledButton3")->Caption(), "System Info");
    EXPECT_EQ(child<StyledButton>(*about, "StyledButton4")->Caption(), "Check for updates");
    for (const char* name : {"Label1", "Label3", "Label4", "lblDisclaimer"})
        EXPECT_EQ(about->findChild<QLabel*>(name)->textFormat(), Qt::PlainText) << name;
}

TEST_F(AboutTest, TheLinksOpenTheirPagesMailAndReadme)
{
    qputenv("TOLVEX_UPDATE_PAGE", "http://127.0.0.1:9/download.html");
    const auto about = open();
    about->show();
    QTest::mouseClick(child<QLabel>(*about, "Label1"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(*about, "Label3"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(*about, "Label4"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(*about, "lblDisclaimer"), Qt::LeftButton);
    QTest::mousePress(child<StyledButton>(*about, "StyledButton4"), Qt::RightButton);  // any mouse button
    QTest::mouseRelease(child<StyledButton>(*about, "StyledButton4"), Qt::RightButton);
    QTest::mouseClick(child<QLabel>(*about, "Label1"), Qt::RightButton);  // links take the left button only

    ASSERT_EQ(shell.openedUrls.size(), 5);
    EXPECT_EQ(shell.openedUrls[0], QUrl(kSupportGroupPage));
    EXPECT_EQ(shell.openedUrls[1], QUrl(kMakerHomePage));
    EXPECT_EQ(shell.openedUrls[2].scheme(), "mailto");
    EXPECT_EQ(shell.openedUrls[2].path(), kMakerMailAddress);
    EXPECT_EQ(shell.openedUrls[3], QUrl::fromLocalFile(box.programFolder() + "/readme.txt"));
    EXPECT_EQ(shell.openedUrls[4], QUrl("http://127.0.0.1:9/download.html"));
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(AboutTest, OkClosesTheBox)
{
    const auto about = open();
    about->show();
    QTest::mouseClick(child<StyledButton>(*about, "StyledButton1"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(about->result(), QDialog::Accepted);
}

TEST_F(AboutTest, SystemInfoStartsTheRegisteredTool)
{
    storeMachineValue(kToolKey, "PATH", "/opt/sysinfo/msinfo32");
    const auto about = open();
    QTest::mouseClick(child<StyledButton>(*about, "StyledButton3"), Qt::LeftButton);
    EXPECT_EQ(started(), QStringList{"/opt/sysinfo/msinfo32"});
    EXPECT_TRUE(shell.startedPrograms[0].arguments.isEmpty());
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(AboutTest, SystemInfoFindsTheToolInItsRegisteredFolderOrOnThePath)
{
    QTemporaryDir msinfoFolder;
    storeMachineValue(kToolFolderKey, "MSINFO", msinfoFolder.path());
    putTool(toolFolder.path(), "gnome-system-monitor");
    const auto about = open();
    about->StartSysInfo();  // the folder lacks MSINFO32.EXE: the desktop's tool
    putTool(msinfoFolder.path(), "MSINFO32.EXE");
    about->StartSysInfo();
    EXPECT_EQ(started(), (QStringList{toolFolder.path() + "/gnome-system-monitor",
                                      msinfoFolder.path() + "/MSINFO32.EXE"}));
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(AboutTest, WithoutAToolOrWhenItDoesNotStartTheUnavailableBox)
{
    QTemporaryDir emptyFolder;
    storeMachineValue(kToolFolderKey, "MSINFO", emptyFolder.path());
    const auto about = open();
    about->StartSysInfo();
    EXPECT_TRUE(shell.startedPrograms.isEmpty());

    putTool(toolFolder.path(), "hardinfo");
    shell.result = false;
    about->StartSysInfo();
    EXPECT_EQ(started(), QStringList{toolFolder.path() + "/hardinfo"});

    ASSERT_EQ(prompts.boxes.size(), 2);
    for (const PromptsFake::Box& b : prompts.boxes) {
        EXPECT_EQ(b.kind, "message");
        EXPECT_EQ(b.text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(b.title, "");  // the program's title
    }
}

TEST_F(AboutTest, GetKeyValueReadsStoredTextAndReportsMissingValues)
{
    storeMachineValue(kToolKey, "Count", "255");
    QString value = "before";
    EXPECT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, kToolKey, "Count", value));
    EXPECT_EQ(value, "255");
    EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kToolKey, "Missing", value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(GetKeyValue(registry, 12345, kToolKey, "Count", value));
}

TEST_F(AboutTest, CheckForUpdatesWithoutAnAddressSaysSoAndOpensNothing)
{
    qunsetenv("TOLVEX_UPDATE_PAGE");
    const auto about = open();
    about->show();
    QTest::mouseClick(child<StyledButton>(*about, "StyledButton4"), Qt::LeftButton);
    EXPECT_TRUE(shell.openedUrls.isEmpty());
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].text, kNoUpdateAddressText);
    EXPECT_EQ(prompts.boxes[0].title, "Check for updates");
}
