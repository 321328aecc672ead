#include "Children.h"
#include "FtpTestServer.h"
#include "MainWindowHarness.h"
#include "automation/DoTheFTP.h"
#include "platform/capdriver/TimeSource.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

using platform::capdriver::CaptureSystem;
using platform::capdriver::ManualTimeSource;

namespace {

// The main window's own upload after an interval save, against a real FTP server
// on the loopback.
struct MainWindowUpload : ::testing::Test, MainWindowHarness {
    std::shared_ptr<ManualTimeSource> clock = std::make_shared<ManualTimeSource>(0);
    FtpTestServer server;
    QStringList notices;

    frmMain& autoSaving()
    {
        qputenv("TOLVEX_SYNTH_SCENE", "still:2040a0");
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        capture = std::make_unique<CaptureSystem>(clock, nullptr);
        frmMain& m = start();
        QObject::connect(&m, &frmMain::noticeShown, [this](const QString& t) { notices << t; });
        m.show();
        s.FtpHost = server.host();
        s.FtpLogin = "writer";
        s.FtpPassword = "secret";
        s.FtpFilename = "latest.bmp";
        s.FtpEnabled = 1;
        s.FtpProgress = 0;
        s.EmbedTime = 0;
        m.selectSaveOption(1);
        m.cmdStart_Click();
        for (QTimer* t : {child<QTimer>(m, "tmrMain"), child<QTimer>(m, "tmrAutoSave"), child<QTimer>(m, "tmrAutoMotion"), child<QTimer>(m, "tmrTime")})
            t->stop();
        child<IntervalBox>(m, "txtSaveInterval")->setText("1");
        return m;
    }

    void intervalTick(frmMain& m)
    {
        clock->advance(1000);
        m.tmrMain_Timer();
        m.tmrAutoSave_Timer();
    }
};

}  // namespace

TEST_F(MainWindowUpload, IntervalSavePutsTheLatestPictureOnTheServer)
{
    ASSERT_TRUE(server.running()) << server.error().toStdString();
    frmMain& m = autoSaving();
    m.setSleep([](int) {});
    intervalTick(m);
    intervalTick(m);
    const QImage uploaded(server.path("latest.bmp"));
    ASSERT_FALSE(uploaded.isNull()) << notices.join(" | ").toStdString();
    EXPECT_EQ(uploaded.size(), child<PreviewImage>(m, "Image4")->image().size());
    EXPECT_EQ(uploaded.pixelColor(10, 10).name(), child<PreviewImage>(m, "Image4")->image().pixelColor(10, 10).name());
    EXPECT_TRUE(QFileInfo::exists(box.programFolder() + "/latest.bmp"));
    EXPECT_FALSE(QDir(s.AutoSavePath).entryList(QDir::Files).isEmpty());
}

TEST_F(MainWindowUpload, TheUploadIsThePictureJustSavedNotANewerFrame)
{
    ASSERT_TRUE(server.running()) << server.error().toStdString();
    frmMain& m = autoSaving();
    m.setSleep([](int) {});
    clock->advance(1000);
    m.tmrMain_Timer();
    // A newer frame reaches the preview while the save runs (during its yield).
    QImage newer(child<PreviewImage>(m, "Image4")->image().size(), QImage::Format_RGB32);
    newer.fill(Qt::red);
    QTimer::singleShot(0, &m, [&m, newer] { child<PreviewImage>(m, "Image4")->setImage(newer); });
    m.tmrAutoSave_Timer();
    const QImage uploaded(server.path("latest.bmp"));
    ASSERT_FALSE(uploaded.isNull()) << notices.join(" | ").toStdString();
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->image().pixelColor(10, 10).name(), "#ff0000") << "the newer frame is shown";
    EXPECT_EQ(uploaded.pixelColor(10, 10).name(), "#2040a0") << "the saved frame is sent";
}

TEST_F(MainWindowUpload, ARefusedLoginIsShownAsANotice)
{
    ASSERT_TRUE(server.running()) << server.error().toStdString();
    frmMain& m = autoSaving();
    s.FtpLogin = "refused";
    m.setSleep([](int) {});
    intervalTick(m);
    intervalTick(m);
    ASSERT_FALSE(notices.isEmpty());
    EXPECT_EQ(notices.last(), "FTP upload failed: the server refused the login; check the login and the password.");
    EXPECT_FALSE(QDir(s.AutoSavePath).entryList(QDir::Files).isEmpty());
}
