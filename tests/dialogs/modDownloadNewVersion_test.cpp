#include "HttpTestServer.h"
#include "PromptsFake.h"
#include "Sandbox.h"
#include "ShellFake.h"
#include "dialogs/modDownloadNewVersion.h"
#include "settings/Registry.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Each check runs as a start of program version 1.2.3 against a server on 127.0.0.1.
struct CheckNewVersionTest : ::testing::Test {
    Sandbox box;
    Registry registry;
    HttpTestServer server;
    PromptsFake prompts;
    RecordingShell shell;
    UpdateCheckServices services{registry, prompts, shell};
    UpdateCheckRequest request;

    void SetUp() override
    {
        ASSERT_TRUE(server.running()) << server.error().toStdString();
        request = {server.url("download.html"), server.url("dversion.ver"), box.programFolder() + "/dversion.ver",
                   Registry::kSection, 123};
    }
    // The starts before this one have been counted already.
    void fromTheSixthStart() { registry.save("WaitForNew", "6"); }
    void check() { CheckNewVersion(services, request); }
};

}  // namespace

TEST_F(CheckNewVersionTest, TheFirstFiveStartsOnlyCountThenEveryStartAsks)
{
    server.serve("dversion.ver", "124\nUpdate\n");
    for (int start = 1; start <= 5; ++start) {
        check();
        EXPECT_EQ(registry.get("WaitForNew"), QString::number(start + 1));
    }
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(prompts.boxes.isEmpty());

    check();
    EXPECT_EQ(registry.get("WaitForNew"), "7");
    EXPECT_EQ(server.requests(), QStringList{"GET /dversion.ver"});
    EXPECT_EQ(prompts.boxes.size(), 1);
    check();
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(CheckNewVersionTest, SwitchedOffOrOfflineItOnlyCounts)
{
    server.serve("dversion.ver", "124\nUpdate\n");
    fromTheSixthStart();
    registry.save("NoURLupdate", "Yes");
    check();
    EXPECT_EQ(registry.get("WaitForNew"), "7");

    registry.save("NoURLupdate", "No");
    QString askedFor;
    services.isConnected = [&askedFor](const QString& address) {
        askedFor = address;
        return false;
    };
    check();
    EXPECT_EQ(askedFor, request.versionFileAddress);
    EXPECT_EQ(registry.get("WaitForNew"), "8");
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(CheckNewVersionTest, ANewerVersionIsOfferedAndNoDeclinesItForGood)
{
    server.serve("dversion.ver", "124\nUpdate\n");
    fromTheSixthStart();
    prompts.threeWayAnswers = {BoxAnswer::No};
    check();
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].kind, "yesNoCancel");
    EXPECT_EQ(prompts.boxes[0].title, "Update");
    EXPECT_EQ(prompts.boxes[0].text, "A new version 1.2.4 is available!\r\n\r\nDo you want to download the new version?");
    EXPECT_EQ(registry.get("Download"), "124");
    EXPECT_EQ(box.readFile("dversion.ver"), "124\nUpdate\n");
    EXPECT_TRUE(shell.openedUrls.isEmpty());

    check();
    EXPECT_EQ(prompts.boxes.size(), 1) << "a declined version is not offered again";

    server.serve("dversion.ver", "125\n\n");
    prompts.threeWayAnswers = {BoxAnswer::Yes};
    check();
    ASSERT_EQ(prompts.boxes.size(), 2);
    EXPECT_EQ(prompts.boxes[1].title, "New version available");
    EXPECT_EQ(prompts.boxes[1].text, "A new version 1.2.5 is available!\r\n\r\nDo you want to download the new version?");
    EXPECT_EQ(shell.openedUrls, QList<QUrl>{QUrl(request.pageAddress)});
    EXPECT_EQ(registry.get("Download"), "124");
}

TEST_F(CheckNewVersionTest, CancelAsksAgainAtTheNextStart)
{
    server.serve("dversion.ver", "124,Update\n");
    fromTheSixthStart();
    check();
    check();
    EXPECT_EQ(prompts.boxes.size(), 2);
    EXPECT_EQ(prompts.boxes[1].title, "Update");
    EXPECT_FALSE(registry.contains(Registry::kSection, "Download"));
    EXPECT_TRUE(shell.openedUrls.isEmpty());
}

TEST_F(CheckNewVersionTest, AnEqualOrOlderVersionIsQuiet)
{
    fromTheSixthStart();
    for (const char* published : {"123\nUpdate\n", "110\nUpdate\n", "99\nUpdate\n"}) {
        server.serve("dversion.ver", published);
        check();
        EXPECT_EQ(box.readFile("dversion.ver"), published);
    }
    EXPECT_EQ(server.requests().size(), 3);
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(CheckNewVersionTest, AMissingOrBrokenVersionFileKeepsTheOldOneAndShowsNothing)
{
    box.writeFile("dversion.ver", "100\nOld\n");
    server.serve("garbage.ver", "<html><body>Welcome to our new site</body></html>\n");
    server.serve("empty.ver", "");
    fromTheSixthStart();
    for (const char* name : {"missing.ver", "garbage.ver", "empty.ver"}) {
        request.versionFileAddress = server.url(name);
        check();
        EXPECT_EQ(box.readFile("dversion.ver"), "100\nOld\n") << name;
    }
    EXPECT_EQ(server.requests().size(), 3);
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

// A version file that is a link to a device (a pipe stands in for one) is refused
// and stays; nothing is read from it or offered.
TEST_F(CheckNewVersionTest, ALinkToADeviceIsNeverReplaced)
{
    const QString device = box.programFolder() + "/stand-in device";
    ASSERT_EQ(::mkfifo(QFile::encodeName(device).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(device, request.localFile));
    server.serve("dversion.ver", "124\nUpdate\n");
    fromTheSixthStart();
    check();
    EXPECT_EQ(server.requests().size(), 1);
    struct stat st{};
    ASSERT_EQ(::lstat(QFile::encodeName(device).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(QFileInfo(request.localFile).isSymLink());
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(CheckNewVersionTest, TheStartupRequestUsesTheEnvironmentsAddresses)
{
    qputenv("TOLVEX_UPDATE_PAGE", server.url("download.html").toUtf8());
    qputenv("TOLVEX_UPDATE_VERSION_FILE", server.url("dversion.ver").toUtf8());
    const UpdateCheckRequest startup = startupUpdateRequest(box.programFolder());
    EXPECT_EQ(startup.pageAddress, server.url("download.html"));
    EXPECT_EQ(startup.versionFileAddress, server.url("dversion.ver"));
    EXPECT_EQ(startup.localFile, box.programFolder() + "/dversion.ver");
    EXPECT_EQ(startup.section, "Tolvex");
    EXPECT_EQ(startup.runningVersion, 100);
}

TEST(UpdateAddressesTest, WithoutAConfiguredAddressTheStartupAsksNothingAndCountsNothing)
{
    Sandbox box;
    qunsetenv("TOLVEX_UPDATE_VERSION_FILE");
    qunsetenv("TOLVEX_UPDATE_PAGE");
    // The build configures no address unless it is given one.
    const UpdateCheckRequest request = startupUpdateRequest(box.programFolder());
    EXPECT_TRUE(request.versionFileAddress.isEmpty());
    EXPECT_TRUE(request.pageAddress.isEmpty());
    EXPECT_FALSE(updateCheckConfigured(request));

    Registry registry;
    registry.save("WaitForNew", "9");
    PromptsFake prompts;
    RecordingShell shell;
    int connectionAsked = 0;
    UpdateCheckServices services{registry, prompts, shell};
    services.isConnected = [&connectionAsked](const QString&) {
        ++connectionAsked;
        return true;
    };
    CheckNewVersion(services, request);
    EXPECT_EQ(connectionAsked, 0);
    EXPECT_EQ(registry.get("WaitForNew"), "9");
    EXPECT_TRUE(prompts.boxes.isEmpty());

    qputenv("TOLVEX_UPDATE_VERSION_FILE", "http://127.0.0.1:9/dversion.ver");
    const UpdateCheckRequest configured = startupUpdateRequest(box.programFolder());
    EXPECT_TRUE(updateCheckConfigured(configured));
    CheckNewVersion(services, configured);
    EXPECT_EQ(connectionAsked, 1);
    EXPECT_EQ(registry.get("WaitForNew"), "10");
    qunsetenv("TOLVEX_UPDATE_VERSION_FILE");
}
