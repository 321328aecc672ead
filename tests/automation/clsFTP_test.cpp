#include "FtpTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

class ClsFtp : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.running()) << server.error().toStdString(); }

    bool login(const QString& user = "writer", const QString& password = "secret")
    {
        return ftp.OpenConnection(server.host(), user, password);
    }
    QString local(const QString& name) const { return folder.path() + "/" + name; }

    FtpTestServer server;
    QTemporaryDir folder;
    clsFTP ftp;
};

// The events of a chunked transfer of `size` bytes: one per whole chunk, then size of size.
ProgressEvents expectedEvents(qint64 size)
{
    ProgressEvents events;
    for (qint64 sent = clsFTP::kChunkSize; sent <= size; sent += clsFTP::kChunkSize)
        events.append({sent, size});
    events.append({size, size});
    return events;
}

}  // namespace

TEST_F(ClsFtp, UploadArrivesByteForByteWithOneEventPerChunk)
{
    ASSERT_TRUE(login());
    for (const qint64 size : {0, 1, 255, 256, 510, 511, 50000}) {
        const QByteArray bytes = testBytes(size);
        const QString name = QStringLiteral("up%1.jpg").arg(size);
        ASSERT_TRUE(writeBytes(local(name), bytes));
        ProgressEvents events;
        clsFTP client;
        recordProgress(client, events);
        ASSERT_TRUE(client.OpenConnection(server.host(), "writer", "secret"));
        QString localPath = " " + local(name) + " ", remote = " " + name;
        EXPECT_TRUE(client.FTPUploadFile(localPath, remote)) << client.LastErrorMessage().toStdString();
        EXPECT_EQ(localPath, local(name)) << "the caller's names are trimmed";
        EXPECT_EQ(remote, name);
        EXPECT_EQ(readBytes(server.path(name)), bytes) << size;
        EXPECT_EQ(events, expectedEvents(size)) << size;
    }
    ProgressEvents events510 = expectedEvents(510), events0 = expectedEvents(0);
    EXPECT_EQ(events510, (ProgressEvents{{255, 510}, {510, 510}, {510, 510}}));
    EXPECT_EQ(events0, (ProgressEvents{{0, 0}}));
}

// The TYPE command in force when the server was told to store `path`.
QString typeBeforeStore(const QString& log, const QString& path)
{
    QString type;
    for (const QString& line : log.split('\n')) {
        if (line.contains("<- TYPE "))
            type = line.section("<- ", 1);
        if (line.contains("<- STOR " + path))
            return type;
    }
    return "<no STOR " + path + ">";
}

TEST_F(ClsFtp, PicturesGoInBinaryUnlessAsciiIsAskedFor)
{
    const QByteArray bytes = testBytes(700);
    ASSERT_TRUE(writeBytes(local("p.jpg"), bytes));
    ASSERT_TRUE(login());
    QString from = local("p.jpg"), to = "binary.jpg";
    ASSERT_TRUE(ftp.FTPUploadFile(from, to));
    EXPECT_EQ(readBytes(server.path("binary.jpg")), bytes);
    EXPECT_EQ(typeBeforeStore(server.commandLog(), "/binary.jpg"), "TYPE I");

    ftp.SetTransferType(clsFTP::kTransferAscii);
    to = "ascii.jpg";
    ASSERT_TRUE(ftp.FTPUploadFile(from, to));
    EXPECT_EQ(typeBeforeStore(server.commandLog(), "/ascii.jpg"), "TYPE A");
}

TEST_F(ClsFtp, PassiveModeUploadsToo)
{
    ftp.SetMode(false);
    ASSERT_TRUE(login());
    ASSERT_TRUE(writeBytes(local("p.jpg"), testBytes(1000)));
    QString from = local("p.jpg"), to = "p.jpg";
    EXPECT_TRUE(ftp.FTPUploadFile(from, to)) << ftp.LastErrorMessage().toStdString();
    EXPECT_EQ(readBytes(server.path("p.jpg")), testBytes(1000));
}

TEST_F(ClsFtp, RefusedConnectionsLeaveTheErrorTexts)
{
    ClosedLoopbackPort closed;
    EXPECT_FALSE(ftp.OpenConnection(QStringLiteral("127.0.0.1:%1").arg(closed.port()), "writer", "secret"));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("InternetConnect() Error - Code: 7 Message: "))
        << ftp.LastErrorMessage().toStdString();
    EXPECT_FALSE(ftp.SimpleLastErrorMessage().isEmpty());

    EXPECT_FALSE(login("writer", "wrong"));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("530 ")) << ftp.LastErrorMessage().toStdString();
    EXPECT_FALSE(ftp.SimpleLastErrorMessage().isEmpty());
    EXPECT_FALSE(ftp.SimpleLastErrorMessage().startsWith("530 "));

    EXPECT_FALSE(login("refused", "secret"));
    EXPECT_EQ(ftp.LastErrorMessage(), "530 Account disabled.");

    EXPECT_FALSE(ftp.OpenConnection("127.0.0.1:99999", "writer", "secret"));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("InternetConnect() Error - Code: 3 Message: "))
        << ftp.LastErrorMessage().toStdString();
}

TEST_F(ClsFtp, ReadOnlyUserGetsTheServersRefusalAndTheFileStays)
{
    ASSERT_TRUE(writeBytes(server.path("cam.jpg"), "old picture"));
    ASSERT_TRUE(writeBytes(local("cam.jpg"), testBytes(600)));
    ASSERT_TRUE(login("reader"));
    ProgressEvents events;
    recordProgress(ftp, events);
    QString from = local("cam.jpg"), to = "cam.jpg";
    EXPECT_FALSE(ftp.FTPUploadFile(from, to));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("550 ")) << ftp.LastErrorMessage().toStdString();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(readBytes(server.path("cam.jpg")), "old picture");

    EXPECT_FALSE(ftp.DeleteFTPFile("cam.jpg"));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("550 "));
    EXPECT_TRUE(QFile::exists(server.path("cam.jpg")));
}

TEST_F(ClsFtp, SilentServerTimesOut)
{
    FtpTestServer silent(FtpTestServer::Kind::Silent);
    ASSERT_TRUE(silent.running()) << silent.error().toStdString();
    ftp.setTimeouts(shortTimeouts());
    EXPECT_FALSE(ftp.OpenConnection(silent.host(), "writer", "secret"));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("InternetConnect() Error - Code: 28 Message: "))
        << ftp.LastErrorMessage().toStdString();
}

TEST_F(ClsFtp, NoNetworkLeavesAnErrorText)
{
    ftp.setOnlineCheck([] { return false; });
    EXPECT_FALSE(login());
    EXPECT_EQ(ftp.LastErrorMessage(), "InternetAutodial() Error - Code: -1 Message: No network connection is available");
    EXPECT_EQ(ftp.SimpleLastErrorMessage(), "No network connection is available");
}

TEST_F(ClsFtp, DirectoriesRenameAndDeleteShowOnTheServer)
{
    ASSERT_TRUE(login());
    EXPECT_EQ(ftp.FTPDirectory(), "/");
    ASSERT_TRUE(ftp.CreateFTPDirectory("my pics")) << ftp.LastErrorMessage().toStdString();
    EXPECT_TRUE(QFileInfo(server.path("my pics")).isDir());

    ftp.setFTPDirectory("my pics");
    EXPECT_EQ(ftp.FTPDirectory(), "/my pics");
    ASSERT_TRUE(writeBytes(local("a.jpg"), testBytes(300)));
    QString from = local("a.jpg"), to = "a.jpg";
    ASSERT_TRUE(ftp.FTPUploadFile(from, to));
    EXPECT_EQ(readBytes(server.path("my pics/a.jpg")), testBytes(300));

    ASSERT_TRUE(ftp.RenameFTPFile("a.jpg", "b c.jpg")) << ftp.LastErrorMessage().toStdString();
    EXPECT_EQ(QDir(server.path("my pics")).entryList(QDir::Files), QStringList{"b c.jpg"});

    ftp.setFTPDirectory("missing");
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("550 ")) << ftp.LastErrorMessage().toStdString();
    EXPECT_EQ(ftp.FTPDirectory(), "/my pics");

    ftp.setFTPDirectory("..");
    EXPECT_FALSE(ftp.RemoveFTPDirectory("my pics")) << "not empty yet";
    ASSERT_TRUE(ftp.DeleteFTPFile("my pics/b c.jpg")) << ftp.LastErrorMessage().toStdString();
    ASSERT_TRUE(ftp.RemoveFTPDirectory("/my pics")) << ftp.LastErrorMessage().toStdString();
    EXPECT_TRUE(QDir(server.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(ClsFtp, NamesThatNeedEncodingArriveAsTyped)
{
    ASSERT_TRUE(login());
    ASSERT_TRUE(writeBytes(local("p.jpg"), testBytes(10)));
    QString from = local("p.jpg"), to = "50% #1?.jpg";
    ASSERT_TRUE(ftp.FTPUploadFile(from, to)) << ftp.LastErrorMessage().toStdString();
    EXPECT_EQ(readBytes(server.path("50% #1?.jpg")), testBytes(10));
}

TEST_F(ClsFtp, LineBreaksInNamesAreRefused)
{
    ASSERT_TRUE(writeBytes(server.path("keep.jpg"), "keep"));
    ASSERT_TRUE(login());
    EXPECT_FALSE(ftp.DeleteFTPFile("x\r\nDELE keep.jpg"));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("DeleteFTPFile() Error - Code: -1 Message: "));
    EXPECT_FALSE(ftp.RenameFTPFile("keep.jpg", "y\nDELE keep.jpg"));
    EXPECT_TRUE(QFile::exists(server.path("keep.jpg")));
    EXPECT_FALSE(ftp.OpenConnection(server.host(), "writer\r\nDELE keep.jpg", "secret"));
}

TEST_F(ClsFtp, FileSizeMatchesBlanksAsAnyCharacter)
{
    ASSERT_TRUE(writeBytes(server.path("a b.jpg"), testBytes(1234)));
    ASSERT_TRUE(writeBytes(server.path("other.jpg"), testBytes(5)));
    EXPECT_EQ(ftp.GetFTPFileSize("a b.jpg"), clsFTP::kFindFailed) << "not connected";
    ASSERT_TRUE(login());
    EXPECT_EQ(ftp.GetFTPFileSize("a b.jpg"), 1234);
    EXPECT_EQ(ftp.GetFTPFileSize("a?b.jpg"), 1234);
    EXPECT_EQ(ftp.GetFTPFileSize("/other.jpg"), 5);
    const QString before = ftp.LastErrorMessage();
    EXPECT_EQ(ftp.GetFTPFileSize("none.jpg"), clsFTP::kFileNotFound);
    EXPECT_EQ(ftp.LastErrorMessage(), before) << "not found is no error";
}

TEST_F(ClsFtp, DownloadsChunkedAndWhole)
{
    ASSERT_TRUE(writeBytes(server.path("d.jpg"), testBytes(511)));
    ASSERT_TRUE(login());
    ProgressEvents events;
    recordProgress(ftp, events);
    QString to = local("d.jpg"), from = "d.jpg";
    ASSERT_TRUE(ftp.FTPDownloadFile(to, from)) << ftp.LastErrorMessage().toStdString();
    EXPECT_EQ(readBytes(local("d.jpg")), testBytes(511));
    EXPECT_EQ(events, (ProgressEvents{{255, 511}, {510, 511}, {511, 511}}));

    from = "missing.jpg";
    EXPECT_FALSE(ftp.FTPDownloadFile(to, from));
    EXPECT_EQ(ftp.LastErrorMessage(), "FTPDownloadFile() Error - Code: -1 Message: FTP File Doesn't Exist");

    ASSERT_TRUE(ftp.SimpleFTPGetFile(local("whole.jpg"), "d.jpg"));
    EXPECT_EQ(readBytes(local("whole.jpg")), testBytes(511));
    ASSERT_TRUE(ftp.SimpleFTPPutFile(local("whole.jpg"), "copy.jpg"));
    EXPECT_EQ(readBytes(server.path("copy.jpg")), testBytes(511));
    EXPECT_FALSE(ftp.SimpleFTPGetFile(local("never.jpg"), "missing.jpg"));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("550 ")) << ftp.LastErrorMessage().toStdString();
    EXPECT_FALSE(QFile::exists(local("never.jpg")));
}

TEST_F(ClsFtp, EmptyNamesAndUnreadableFilesLeaveTextsAndTheRemoteFile)
{
    ASSERT_TRUE(writeBytes(server.path("cam.jpg"), "old picture"));
    ASSERT_TRUE(login());
    QString empty = "  ", remote = "cam.jpg";
    EXPECT_FALSE(ftp.FTPUploadFile(empty, remote));
    EXPECT_EQ(ftp.LastErrorMessage(), "FTPUploadFile() Error - Code: -1 Message: No local or remote file name given");

    QString missing = local("missing.jpg");
    EXPECT_FALSE(ftp.FTPUploadFile(missing, remote));
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("FTPUploadFile() Error - Code: -1 Message: Cannot read"));
    EXPECT_EQ(readBytes(server.path("cam.jpg")), "old picture");
}

TEST(ClsFtpSlowServer, ServerStoppingMidTransferFailsTheUpload)
{
    FtpTestServer slow({.throttleBytesPerSecond = 20000});
    ASSERT_TRUE(slow.running()) << slow.error().toStdString();
    QTemporaryDir folder;
    clsFTP ftp;
    ftp.setTimeouts(shortTimeouts());
    ASSERT_TRUE(writeBytes(folder.path() + "/big.jpg", testBytes(200'000)));
    ASSERT_TRUE(ftp.OpenConnection(slow.host(), "writer", "secret"));
    ProgressEvents events;
    recordProgress(ftp, events);
    QObject::connect(&ftp, &clsFTP::FileTransferProgress, [&slow](qint64 sent, qint64) {
        if (sent == 20 * clsFTP::kChunkSize)
            slow.stop();
    });
    QString from = folder.path() + "/big.jpg", to = "big.jpg";
    EXPECT_FALSE(ftp.FTPUploadFile(from, to));
    // The write that meets the stopped server is a whole chunk's or, when the sockets
    // took the chunks before the server went, the remainder's.
    const QString message = ftp.LastErrorMessage();
    EXPECT_TRUE(message.startsWith("InternetWriteFile() Error - Code: ")
                || message.startsWith("InternetWriteFile2() Error - Code: "))
        << message.toStdString();
    ASSERT_FALSE(events.isEmpty());
    EXPECT_LT(events.last().first, 200'000);
}

TEST_F(ClsFtp, SecondTransferFromInsideAYieldIsRefusedAndTheFirstGoesOn)
{
    ASSERT_TRUE(writeBytes(local("first.jpg"), testBytes(5000)));
    ASSERT_TRUE(writeBytes(local("second.jpg"), testBytes(10)));
    ASSERT_TRUE(login());
    bool secondResult = true;
    int tries = 0;
    QObject::connect(&ftp, &clsFTP::FileTransferProgress, [&](qint64 sent, qint64) {
        if (sent != 3 * clsFTP::kChunkSize)
            return;
        ++tries;
        QString from = local("second.jpg"), to = "second.jpg";
        secondResult = ftp.FTPUploadFile(from, to);
        EXPECT_FALSE(ftp.DeleteFTPFile("first.jpg"));
        ftp.setFTPDirectory("/");
    });
    QString from = local("first.jpg"), to = "first.jpg";
    EXPECT_TRUE(ftp.FTPUploadFile(from, to)) << ftp.LastErrorMessage().toStdString();
    EXPECT_EQ(tries, 1);
    EXPECT_FALSE(secondResult);
    EXPECT_EQ(readBytes(server.path("first.jpg")), testBytes(5000));
    EXPECT_FALSE(QFile::exists(server.path("second.jpg")));
}

TEST(ClsFtpSlowServer, ClosingDuringATransferStopsItAtOnce)
{
    FtpTestServer slow({.throttleBytesPerSecond = 2000});
    ASSERT_TRUE(slow.running()) << slow.error().toStdString();
    QTemporaryDir folder;
    clsFTP ftp;
    ASSERT_TRUE(writeBytes(folder.path() + "/first.jpg", testBytes(60000)));
    ASSERT_TRUE(ftp.OpenConnection(slow.host(), "writer", "secret"));
    QElapsedTimer sinceClose;
    QObject::connect(&ftp, &clsFTP::FileTransferProgress, [&](qint64 sent, qint64) {
        if (sent == 2 * clsFTP::kChunkSize) {
            sinceClose.start();
            ftp.CloseConnection();
        }
    });
    QString from = folder.path() + "/first.jpg", to = "first.jpg";
    EXPECT_FALSE(ftp.FTPUploadFile(from, to));
    EXPECT_LT(sinceClose.elapsed(), 1000);
    EXPECT_TRUE(ftp.LastErrorMessage().startsWith("InternetWriteFile() Error - Code: 42 Message: "))
        << ftp.LastErrorMessage().toStdString();
    EXPECT_FALSE(ftp.DeleteFTPFile("first.jpg")) << "the connection is closed";
    EXPECT_TRUE(ftp.OpenConnection(slow.host(), "writer", "secret")) << "and can be opened again";
}
