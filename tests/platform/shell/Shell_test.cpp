#include "platform/shell/ShellDesktop.h"

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

TEST(DesktopShell, MissingProgramsAndBadLinksFail)
{
    DesktopShell shell;
    EXPECT_FALSE(shell.startProgram("/nonexistent/tolvex-no-such-program", {}));
    EXPECT_FALSE(shell.startProgram("", {"x"}));
    EXPECT_FALSE(shell.openUrl(QUrl()));
}

}  // namespace
