#include "platform/shell/ShellDesktop.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(DesktopShell, ArgumentsReachTheProgramUnparsed)
{
    QTemporaryDir dir;
    const QString odd = dir.filePath("a b; touch $(echo pwned) 'c'");
    auto shell = makeDesktopShell();
    ASSERT_TRUE(shell->startProgram("touch", {odd}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(odd); }, 10000));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("pwned")));
    EXPECT_FALSE(QFileInfo::exists("pwned"));
}

TEST(DesktopShell, AProgramStartedInAFolderRunsThere)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("viewer folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    auto shell = makeDesktopShell();
    ASSERT_TRUE(shell->startProgramIn(folder, "touch", {"made here"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(folder + "/made here"); }, 10000));
    EXPECT_FALSE(shell->startProgramIn(folder, "", {}));
}

TEST(DesktopShell, MissingProgramsAndBadLinksFail)
{
    DesktopShell shell;
    EXPECT_FALSE(shell.startProgram("/nonexistent/tolvex-no-such-program", {}));
    EXPECT_FALSE(shell.startProgram("", {"x"}));
    EXPECT_FALSE(shell.openUrl(QUrl()));
}

TEST(DesktopShell, PropertiesWithoutAFileManagerToAskFail)
{
    // No session bus at all: the caller shows its own dialog at once.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tolvex-no-bus");
    DesktopShell shell;
    EXPECT_FALSE(shell.showItemProperties("/tmp"));
    EXPECT_FALSE(shell.showItemProperties(""));
}

}  // namespace
