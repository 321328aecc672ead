// Uploads over awkward links: a slow server, a silent one, one that refuses active
// mode, one whose disk fills, and a program that ends during a transfer. The
// window's thread must keep ticking through all of them.
#include "FtpTestSupport.h"
#include "MainWindowLinkFake.h"
#include "Sandbox.h"

#include "automation/DoTheFTP.h"
#include "automation/frmProgress.h"
#include "platform/files/BmpFile.h"
#include "platform/net/FtpWorker.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace {

constexpr qint64 kMaxTickGapMs = 100;

// A timer of the window's thread that notes the longest gap between its ticks and
// runs a look at each tick.
class TickWatch {
public:
    explicit TickWatch(std::function<void()> look = {})
        : look_(std::move(look))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (clock_.isValid())
                longestGapMs_ = std::max(longestGapMs_, clock_.restart());
            else
                clock_.start();
            if (look_)
                look_();
        });
        timer_.start(10);
    }
    qint64 longestGapMs() const { return longestGapMs_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longestGapMs_ = 0;
    std::function<void()> look_;
};

class FtpLink : public ::testing::Test {
protected:
    void start(const FtpTestServer::Habits& habits)
    {
        server = std::make_unique<FtpTestServer>(habits);
        ASSERT_TRUE(server->running()) << server->error().toStdString();
        QDir().mkpath(sandbox.programFolder());
        s.AppPath = sandbox.programFolder();
        s.FtpHost = server->host();
        s.FtpLogin = "writer";
        s.FtpPassword = "secret";
        s.FtpFilename = "cam.bmp";
        s.FtpEnabled = 1;
        main.picture = noisyPicture(120, 110, 7);
    }
    QString program(const QString& name) const { return sandbox.programFolder() + "/" + name; }
    qint64 serverSize(const QString& name) const { return QFileInfo(server->path(name)).size(); }

    Sandbox sandbox;
    std::unique_ptr<FtpTestServer> server;
    platform::FtpWorker worker;
    SettingsModel s;
    MainWindowLinkFake main;
    QWidget owner;
    FtpUploader uploader{s, main, &owner, [](QImage&) {}, &worker};
};

}  // namespace

TEST_F(FtpLink, SlowServerGetsTheWholePictureWhileTheBarFollowsItsBytes)
{
    start({.throttleBytesPerSecond = 2000});
    ASSERT_TRUE(writeBytes(server->path("cam.bmp"), "old picture"));
    s.FtpProgress = 1;
    const qint64 total = qint64(54 + 120 * 3 * 110);
    bool barFullTooEarly = false, barMovedOnTheWay = false, oldPictureReplacedEarly = false;
    TickWatch ticks([&] {
        const frmProgress* window = uploader.progressWindow();
        const qint64 arrived = serverSize("cam.bmp.part");
        if (!window || arrived <= 0)
            return;
        if (arrived < total / 2 && window->barWidth() >= frmProgress::kFullWidth)
            barFullTooEarly = true;
        if (arrived < total && window->barWidth() > 0 && window->barWidth() < frmProgress::kFullWidth)
            barMovedOnTheWay = true;
        if (readBytes(server->path("cam.bmp")) != "old picture")
            oldPictureReplacedEarly = true;
    });
    uploader.DoTheFTP(main.picture);
    EXPECT_TRUE(main.notices.isEmpty()) << main.notices.join("|").toStdString();
    ASSERT_EQ(QFileInfo(program("cam.bmp")).size(), total);
    EXPECT_EQ(readBytes(server->path("cam.bmp")), readBytes(program("cam.bmp")));
    EXPECT_FALSE(QFile::exists(server->path("cam.bmp.part")));
    EXPECT_FALSE(barFullTooEarly) << "the bar stood full while the server had less than half";
    EXPECT_TRUE(barMovedOnTheWay);
    EXPECT_FALSE(oldPictureReplacedEarly) << "the old picture is replaced only by a complete one";
    EXPECT_LT(ticks.longestGapMs(), kMaxTickGapMs);
}

TEST_F(FtpLink, SilentServerGivesATimeoutNoticeWhileTheWindowKeepsTicking)
{
    FtpTestServer silent(FtpTestServer::Kind::Silent);
    ASSERT_TRUE(silent.running()) << silent.error().toStdString();
    start({});
    s.FtpHost = silent.host();
    s.FtpProgress = 1;
    const platform::FtpTimeouts timeouts = shortTimeouts();
    uploader.setClientSetup([&](clsFTP& client) { client.setTimeouts(timeouts); });
    TickWatch ticks;
    QElapsedTimer clock;
    clock.start();
    uploader.DoTheFTP(main.picture);
    const qint64 took = clock.elapsed();
    EXPECT_EQ(main.notices, QStringList{"FTP upload failed: the server did not answer in time."});
    // The greeting is a reply: the earlier of the two deadlines ends the wait.
    EXPECT_GE(took, std::min(timeouts.connectMs, timeouts.replySeconds * 1000) - 100);
    EXPECT_LT(took, timeouts.connectMs + 1000) << "the deadline holds, and closing does not wait again";
    EXPECT_LT(ticks.longestGapMs(), kMaxTickGapMs);
    EXPECT_EQ(uploader.progressWindow(), nullptr);
}

TEST_F(FtpLink, PassiveOnlyServerIsReachedAndRememberedForTheRun)
{
    start({.passiveOnly = true});
    const auto activeTries = [this] {
        const QString log = server->commandLog();
        return log.count("<- PORT ") + log.count("<- EPRT ");
    };
    uploader.DoTheFTP(main.picture);
    EXPECT_TRUE(main.notices.isEmpty()) << main.notices.join("|").toStdString();
    EXPECT_EQ(readBytes(server->path("cam.bmp")), readBytes(program("cam.bmp")));
    const qsizetype afterFirst = activeTries();
    EXPECT_GT(afterFirst, 0) << "active mode is tried first";

    main.picture = noisyPicture(120, 110, 8);
    uploader.DoTheFTP(main.picture);
    EXPECT_TRUE(main.notices.isEmpty()) << main.notices.join("|").toStdString();
    EXPECT_EQ(readBytes(server->path("cam.bmp")), readBytes(program("cam.bmp")));
    EXPECT_EQ(activeTries(), afterFirst) << "the second upload goes passive at once";
}

TEST_F(FtpLink, FullServerDiskLeavesTheOldPictureAndTakesItsFragmentAway)
{
    start({.diskLimitBytes = 1000});
    s.FtpFilename = "cam.jpg";
    ASSERT_TRUE(writeBytes(server->path("cam.jpg"), "old picture"));
    uploader.DoTheFTP(main.picture);
    EXPECT_EQ(main.notices, QStringList{"FTP upload failed: the server's disk is full."});
    EXPECT_EQ(readBytes(server->path("cam.jpg")), "old picture");
    EXPECT_EQ(QDir(server->root()).entryList(QDir::Files), QStringList{"cam.jpg"}) << "the fragment is deleted";
}

TEST_F(FtpLink, ServerDyingMidTransferLeavesTheOldPicture)
{
    start({.throttleBytesPerSecond = 4000});
    ASSERT_TRUE(writeBytes(server->path("cam.bmp"), "old picture"));
    QTimer kill;
    kill.setSingleShot(true);
    QObject::connect(&kill, &QTimer::timeout, [this] { server->stop(); });
    uploader.setClientSetup([&](clsFTP& client) {
        client.setTimeouts(shortTimeouts());
        QObject::connect(&client, &clsFTP::FileTransferProgress, [&](qint64 sent, qint64) {
            if (sent >= 4 * clsFTP::kChunkSize && !kill.isActive())
                kill.start(0);
        });
    });
    uploader.DoTheFTP(main.picture);
    ASSERT_EQ(main.notices.size(), 1);
    EXPECT_EQ(main.notices[0], "FTP upload failed: the connection to the server was lost.");
    EXPECT_EQ(readBytes(server->path("cam.bmp")), "old picture");
}

TEST_F(FtpLink, EndingTheProgramEndsTheTransferWithinASecond)
{
    start({.throttleBytesPerSecond = 2000});
    ASSERT_TRUE(writeBytes(server->path("cam.bmp"), "old picture"));
    QElapsedTimer sinceExit;
    QTimer::singleShot(800, [&] {
        sinceExit.start();
        QCoreApplication::exit(0);
    });
    uploader.DoTheFTP(main.picture);
    ASSERT_TRUE(sinceExit.isValid()) << "the upload ended before the program did";
    EXPECT_LT(sinceExit.elapsed(), 1000);
    EXPECT_TRUE(main.notices.isEmpty()) << "an ending program shows no notice: " << main.notices.join("|").toStdString();
    EXPECT_EQ(readBytes(server->path("cam.bmp")), "old picture");
    // Later cases in this process get a working event loop again.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}
