#include "FtpTestServer.h"
#include "HttpTestServer.h"
#include "platform/net/UrlDownload.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct UrlDownloadTest : ::testing::Test {
    HttpTestServer server;
    QTemporaryDir folder;
    QString local = folder.path() + "/dversion.ver";

    void SetUp() override
    {
        ASSERT_TRUE(server.running()) << server.error().toStdString();
        QFile old(local);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("100\nOld\n");
    }
    QByteArray localContent() const
    {
        QFile file(local);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(UrlDownloadTest, AWholeAnswerReplacesTheLocalFile)
{
    server.serve("dversion.ver", "124\nUpdate\n");
    const platform::Result result = platform::downloadUrlToFile(server.url("dversion.ver"), local);
    EXPECT_TRUE(result.ok) << result.reason.toStdString();
    EXPECT_EQ(localContent(), "124\nUpdate\n");
    EXPECT_EQ(server.requests(), QStringList{"GET /dversion.ver"});
}

TEST_F(UrlDownloadTest, FailuresLeaveTheLocalFileAsItWas)
{
    server.serve("page.html", "<html>not a version</html>");
    server.serve("large.ver", QByteArray(2000, '1'));
    const ClosedLoopbackPort closed;
    FtpTestServer silent(FtpTestServer::Kind::Silent);  // accepts and never answers
    ASSERT_TRUE(silent.running()) << silent.error().toStdString();
    struct Case {
        const char* what;
        QString address;
        platform::UrlDownloadLimits limits;
        platform::UrlContentCheck accept;
    };
    const auto digitsOnly = [](const QByteArray& content) { return content.trimmed().toLongLong() > 0; };
    const Case cases[] = {
        {"404", server.url("missing.ver"), {}, {}},
        {"refused content", server.url("page.html"), {}, digitsOnly},
        {"too large", server.url("large.ver"), {.maxBytes = 1000}, {}},
        {"silent server", QStringLiteral("http://%1/dversion.ver").arg(silent.host()), {.totalMs = 300}, {}},
        {"connection refused", QStringLiteral("http://127.0.0.1:%1/dversion.ver").arg(closed.port()), {}, {}},
        {"not a web address", QStringLiteral("file://%1").arg(local), {}, {}},
        {"ftp address", QStringLiteral("ftp://127.0.0.1:%1/x").arg(closed.port()), {}, {}},
    };
    for (const Case& c : cases) {
        const platform::Result result = platform::downloadUrlToFile(c.address, local, c.limits, c.accept);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_FALSE(result.reason.isEmpty()) << c.what;
        EXPECT_EQ(localContent(), "100\nOld\n") << c.what;
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"dversion.ver"}) << "no temporary file left";
}
