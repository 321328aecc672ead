#include "FtpTestSupport.h"
#include "MainWindowLinkFake.h"
#include "Sandbox.h"
#include "FullDisk.h"

#include "automation/DoTheFTP.h"
#include "automation/frmProgress.h"
#include "capture/PictureSavingStamp.h"
#include "platform/files/BmpFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QWidget>

namespace {

const QDateTime kStampMoment(QDate(2026, 12, 9), QTime(8, 15, 30));

class FtpUpload : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.running()) << server.error().toStdString();
        QDir().mkpath(sandbox.programFolder());
        s.AppPath = sandbox.programFolder();
        s.FtpHost = server.host();
        s.FtpLogin = "writer";
        s.FtpPassword = "secret";
        s.FtpFilename = "cam.jpg";
        s.FtpEnabled = 1;
        s.JPGQuality = 75;
        main.picture = noisyPicture(64, 48, 1);
        uploader.setClientSetup([](clsFTP& client) { client.setTimeouts(shortTimeouts()); });
    }

    QString program(const QString& name) const { return sandbox.programFolder() + "/" + name; }
    QStringList serverFiles() const { return QDir(server.root()).entryList(QDir::Files); }

    Sandbox sandbox;
    FtpTestServer server;
    SettingsModel s;
    MainWindowLinkFake main;
    QWidget owner;
    WorkPicture stampPicture;
    FtpUploader uploader{s, main, &owner, [this](QImage& picture) {
                             stampPicture.image = picture;
                             drawStamp(stampPicture, s, kStampMoment);
                             picture = stampPicture.image;
                         }};
};

}  // namespace

TEST(FtpUploadRules, ShortNamesBecomeTheDefault)
{
    for (const auto& [before, after] : {std::pair{"", "tolvex.jpg"}, {"a.b", "tolvex.jpg"}, {"a.bm", "a.bm"},
                                        {"cam.jpg", "cam.jpg"}}) {
        SettingsModel s;
        s.FtpFilename = before;
        repairFtpFilename(s);
        EXPECT_EQ(s.FtpFilename, after) << before;
    }
}

TEST(FtpUploadRules, LocalCopyStaysInTheProgramFolderAndSparesItsFiles)
{
    struct Case {
        const char* name;
        bool ok;
        const char* path;
    };
    const Case cases[] = {
        {"cam.jpg", true, "/opt/tolvex/cam.jpg"},
        {" cam.bmp ", true, "/opt/tolvex/cam.bmp"},
        {"web/cam.jpg", true, "/opt/tolvex/web/cam.jpg"},
        {"/srv/www/cam.jpg", true, "/srv/www/cam.jpg"},
        {"../cam.jpg", false, ""},
        {"web/../../cam.jpg", false, ""},
        {"Tolvex.ini", false, ""},
        {"tolvex2.INI", false, ""},
        {"DevicesDatabase.log", false, ""},
        {"user3.wav", false, ""},
        {"sound1.bin", false, ""},
        {"tolvex", false, ""},
        {"/opt/tolvex/Tolvex.ini", false, ""},
        {"web/Tolvex.ini", true, "/opt/tolvex/web/Tolvex.ini"},
    };
    for (const Case& c : cases) {
        SettingsModel s;
        s.AppPath = "/opt/tolvex";
        s.FtpFilename = c.name;
        const FtpCopyPlace place = ftpLocalCopyPath(s, "tolvex");
        EXPECT_EQ(place.ok, c.ok) << c.name;
        if (c.ok)
            EXPECT_EQ(place.path, c.path) << c.name;
        else
            EXPECT_FALSE(place.error.isEmpty()) << c.name;
    }
}

TEST(FtpUploadRules, ProgressBarWidth)
{
    struct Case {
        qint64 current, total;
        int width;
    };
    const Case cases[] = {{0, 0, 100}, {255, 510, 50}, {510, 510, 100}, {1, 3, 33},
                          {1, 200, 0}, {3, 200, 2}, {255, 50000, 1}, {600, 500, 100}};
    for (const Case& c : cases)
        EXPECT_EQ(progressBarWidth(c.current, c.total), c.width) << c.current << "/" << c.total;
}

TEST(FtpUploadRules, NoticesSayWhatWentWrongInTheUsersWords)
{
    using platform::FtpResult;
    using platform::FtpStage;
    struct Case {
        FtpResult failure;
        QString notice;
    };
    const QString host = "cam.example:2121";
    const Case cases[] = {
        {{true}, ""},
        {{false, platform::kFtpCancelled, "ending"}, ""},
        {{false, platform::kFtpNoNetwork, "none"}, "FTP upload failed: there is no network connection."},
        {{false, 6, "Couldn't resolve host name"}, "FTP upload failed: the server \"cam.example:2121\" was not found."},
        {{false, 3, "URL using bad/illegal format or missing URL"}, "FTP upload failed: the server \"cam.example:2121\" was not found."},
        {{false, 7, "Couldn't connect to server"}, "FTP upload failed: the server \"cam.example:2121\" cannot be reached."},
        {{false, 67, "Login denied", 530, "530 Login incorrect."},
         "FTP upload failed: the server refused the login; check the login and the password."},
        {{false, 28, "Timeout was reached"}, "FTP upload failed: the server did not answer in time."},
        {{false, 12, "FTP: Accepting server connect has timed out"}, "FTP upload failed: the server did not answer in time."},
        {{false, 55, "Failed sending data to the peer", 150, "150 Ok to send data."},
         "FTP upload failed: the connection to the server was lost."},
        {{false, 56, "Failure when receiving data from the peer"}, "FTP upload failed: the connection to the server was lost."},
        {{false, 18, "Transferred a partial file", 426, "426 Connection closed; transfer aborted."},
         "FTP upload failed: the connection to the server was lost."},
        {{false, 18, "Transferred a partial file", 426, "426 No space left on device; transfer aborted."},
         "FTP upload failed: the server's disk is full."},
        {{false, 25, "Upload failed", 452, "452 Insufficient storage space."}, "FTP upload failed: the server's disk is full."},
        {{false, 25, "Upload failed", 552, "552 Quota exceeded."}, "FTP upload failed: the server's disk is full."},
        {{false, 25, "Upload failed", 451, "451 Failure writing to local file."}, "FTP upload failed: the server's disk is full."},
        {{false, 25, "Upload failed", 553, "553 Could not create file."},
         "FTP upload failed: the server refused the picture (553 Could not create file.)."},
        {{false, platform::kFtpLocalFile, "The local file could not be read"},
         "FTP upload failed: the picture's copy could not be read."},
        {{false, 35, "SSL connect error"}, "FTP upload failed: SSL connect error."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ftpNoticeText(c.failure, host), c.notice) << c.failure.code << " " << c.failure.reply.toStdString();
}

TEST(FtpUploadRules, TemporaryNameLiesBesideTheRealOne)
{
    EXPECT_EQ(ftpTemporaryName("cam.jpg"), "cam.jpg.part");
    EXPECT_EQ(ftpTemporaryName("/web/cam.bmp"), "/web/cam.bmp.part");
}

TEST_F(FtpUpload, OffMakesNeitherCopyNorConnection)
{
    s.FtpEnabled = 0;
    uploader.DoTheFTP(main.picture);
    EXPECT_FALSE(QFile::exists(program("cam.jpg")));
    EXPECT_EQ(uploader.client(), nullptr);
    EXPECT_TRUE(serverFiles().isEmpty());
    EXPECT_TRUE(main.notices.isEmpty());
}

TEST_F(FtpUpload, JpegCopyLandsOnTheServerUnderFtpFilename)
{
    uploader.DoTheFTP(main.picture);
    EXPECT_TRUE(main.notices.isEmpty()) << main.notices.join("|").toStdString();
    const QByteArray copy = readBytes(program("cam.jpg"));
    EXPECT_EQ(QImage::fromData(copy, "JPG").size(), QSize(64, 48));
    EXPECT_EQ(readBytes(server.path("cam.jpg")), copy);
}

TEST_F(FtpUpload, BitmapNameWritesAndSendsABitmap)
{
    s.FtpFilename = "cam.bmp";
    uploader.DoTheFTP(main.picture);
    const QImage copy = platform::readBmp24(program("cam.bmp"));
    ASSERT_FALSE(copy.isNull());
    EXPECT_EQ(copy, main.picture.convertToFormat(copy.format()));
    EXPECT_EQ(readBytes(server.path("cam.bmp")), readBytes(program("cam.bmp")));
}

TEST_F(FtpUpload, StampIsDrawnAsPictureSavingDrawsIt)
{
    s.FtpFilename = "cam.bmp";
    s.EmbedTime = 1;
    s.StampText = "";
    uploader.DoTheFTP(main.picture);
    EXPECT_EQ(s.StampText, "Tolvex ");
    WorkPicture expected{main.picture, QFont()};
    SettingsModel stampSettings = s;
    drawStamp(expected, stampSettings, kStampMoment);
    const QImage sent = platform::readBmp24(server.path("cam.bmp"));
    EXPECT_EQ(sent, expected.image.convertToFormat(sent.format()));
    EXPECT_NE(sent, main.picture.convertToFormat(sent.format()));
    EXPECT_EQ(main.latestPicture(), noisyPicture(64, 48, 1)) << "the main window's picture is untouched";
}

TEST_F(FtpUpload, ShortNameIsReplacedBeforeTheCopy)
{
    s.FtpFilename = "a.b";
    uploader.DoTheFTP(main.picture);
    EXPECT_EQ(s.FtpFilename, "tolvex.jpg");
    EXPECT_TRUE(QFile::exists(program("tolvex.jpg")));
    EXPECT_EQ(serverFiles(), QStringList{"tolvex.jpg"});
}

TEST_F(FtpUpload, ProgramFilesAreNeverReplaced)
{
    sandbox.writeFile("Tolvex.ini", "settings");
    s.FtpFilename = "Tolvex.ini";
    uploader.DoTheFTP(main.picture);
    EXPECT_EQ(sandbox.readFile("Tolvex.ini"), "settings");
    ASSERT_EQ(main.notices.size(), 1);
    EXPECT_TRUE(main.notices[0].startsWith("FTP copy not saved: ")) << main.notices[0].toStdString();
    EXPECT_EQ(uploader.client(), nullptr) << "no connection without a fresh copy";
    EXPECT_TRUE(serverFiles().isEmpty());
}

TEST_F(FtpUpload, AbsoluteNameIsTheCopyAndTheRemoteName)
{
    const QString path = sandbox.root() + "/web/cam.jpg";
    QDir().mkpath(sandbox.root() + "/web");
    s.FtpFilename = path;
    uploader.DoTheFTP(main.picture);
    EXPECT_FALSE(QImage(path).isNull());
    ASSERT_EQ(main.notices.size(), 1) << "the server has no such folder";
    EXPECT_TRUE(main.notices[0].startsWith("FTP upload failed: the server refused the picture (550 "))
        << main.notices[0].toStdString();
    EXPECT_TRUE(uploader.client()->LastErrorMessage().startsWith("550 "));
}

TEST_F(FtpUpload, FullLocalDiskSaysDiskFullAndSendsNothing)
{
    for (const char* name : {"cam.jpg", "cam.bmp"}) {
        s.FtpFilename = name;
        main.picture = noisyPicture(160, 120, 3);
        main.notices.clear();
        {
            FileSizeLimitScope fullDisk(2000);
            uploader.DoTheFTP(main.picture);
        }
        EXPECT_EQ(main.notices, QStringList{"FTP copy not saved: disk full"}) << name;
        EXPECT_EQ(uploader.client(), nullptr) << name;
        EXPECT_TRUE(serverFiles().isEmpty()) << name;
    }
}

TEST_F(FtpUpload, RefusedLoginShowsTheErrorAndClosesTheProgressWindow)
{
    s.FtpPassword = "wrong";
    s.FtpProgress = 1;
    uploader.DoTheFTP(main.picture);
    ASSERT_EQ(main.notices.size(), 1);
    EXPECT_EQ(main.notices[0], "FTP upload failed: the server refused the login; check the login and the password.");
    EXPECT_TRUE(uploader.client()->LastErrorMessage().startsWith("530 "));
    EXPECT_EQ(uploader.progressWindow(), nullptr);
    EXPECT_TRUE(QFile::exists(program("cam.jpg"))) << "the copy stays";
}

TEST_F(FtpUpload, RefusedTransferShowsTheErrorAfterClosing)
{
    ASSERT_TRUE(writeBytes(server.path("cam.jpg"), "old picture"));
    s.FtpLogin = "reader";
    s.FtpProgress = 1;
    uploader.DoTheFTP(main.picture);
    ASSERT_EQ(main.notices.size(), 1);
    EXPECT_TRUE(main.notices[0].startsWith("FTP upload failed: the server refused the picture (550 "))
        << main.notices[0].toStdString();
    EXPECT_TRUE(uploader.client()->LastErrorMessage().startsWith("550 "));
    EXPECT_FALSE(uploader.client()->DeleteFTPFile("cam.jpg")) << "the connection is closed";
    EXPECT_EQ(uploader.progressWindow(), nullptr);
    EXPECT_EQ(readBytes(server.path("cam.jpg")), "old picture");
}

TEST_F(FtpUpload, ClosedPortShowsTheError)
{
    ClosedLoopbackPort closed;
    s.FtpHost = QStringLiteral("127.0.0.1:%1").arg(closed.port());
    uploader.DoTheFTP(main.picture);
    ASSERT_EQ(main.notices, QStringList{QStringLiteral("FTP upload failed: the server \"%1\" cannot be reached.").arg(s.FtpHost)});
    EXPECT_FALSE(uploader.client()->SimpleLastErrorMessage().isEmpty()) << "libcurl's text stays in the client";
}

TEST_F(FtpUpload, ProgressWindowGrowsDuringTheUploadAndCloses)
{
    s.FtpProgress = 1;
    s.FtpFilename = "cam.bmp";
    main.picture = noisyPicture(120, 90, 2);
    QList<int> widths;
    bool shownWhileSending = true;
    uploader.setClientSetup([&](clsFTP& client) {
        QObject::connect(&client, &clsFTP::FileTransferProgress, [&](qint64, qint64) {
            frmProgress* window = uploader.progressWindow();
            shownWhileSending = shownWhileSending && window && window->isVisible()
                             && window->windowTitle() == "FTP Uploading";
            widths.append(window ? window->barWidth() : -1);
        });
    });
    uploader.DoTheFTP(main.picture);
    EXPECT_TRUE(main.notices.isEmpty()) << main.notices.join("|").toStdString();
    EXPECT_TRUE(shownWhileSending);
    ASSERT_GT(widths.size(), 100);
    EXPECT_TRUE(std::is_sorted(widths.begin(), widths.end()));
    EXPECT_LE(widths.first(), 1);
    EXPECT_EQ(widths.last(), 100);
    EXPECT_EQ(uploader.progressWindow(), nullptr);
    EXPECT_EQ(readBytes(server.path("cam.bmp")), readBytes(program("cam.bmp")));
}

TEST_F(FtpUpload, SecondUploadFromInsideTheYieldsLeavesTheFirstIntact)
{
    s.FtpFilename = "cam.bmp";
    int seconds = 0;
    uploader.setClientSetup([&](clsFTP& client) {
        QObject::connect(&client, &clsFTP::FileTransferProgress, [&](qint64 sent, qint64) {
            if (sent != clsFTP::kChunkSize)
                return;
            ++seconds;
            main.picture = noisyPicture(64, 48, 9);
            uploader.DoTheFTP(main.picture);
        });
    });
    const QImage first = main.picture;
    uploader.DoTheFTP(main.picture);
    EXPECT_EQ(seconds, 1);
    EXPECT_TRUE(main.notices.isEmpty()) << main.notices.join("|").toStdString();
    const QImage sent = platform::readBmp24(server.path("cam.bmp"));
    EXPECT_EQ(sent, first.convertToFormat(sent.format()));
    EXPECT_EQ(readBytes(program("cam.bmp")), readBytes(server.path("cam.bmp")));
}
