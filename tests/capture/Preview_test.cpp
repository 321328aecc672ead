#include "Children.h"
#include "MainWindowHarness.h"
#include "core/MouseButtonCodes.h"
#include "buttons/StyledButton.h"
#include "capture/CaptureDevices.h"
#include "capture/NoticeWait.h"
#include "capture/StreamBufferFile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Preview : ::testing::Test, MainWindowHarness {
    QStringList notices;

    frmMain& open(const QByteArray& connectFail = "0", const QByteArray& devices = "1")
    {
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", connectFail);
        qputenv("TOLVEX_SYNTH_DEVICES", devices);
        capture->reloadSettings();
        frmMain& m = start();
        QObject::connect(&m, &frmMain::noticeShown, [this](const QString& t) { notices << t; });
        m.show();
        return m;
    }

    // The buttons that follow the preview state, enabled or not, in a fixed order.
    static QString buttonStates(frmMain& m)
    {
        QString states;
        for (StyledButton* b : {child<StyledButton>(m, "cmdStart"), child<StyledButton>(m, "cmdStop"), child<StyledButton>(m, "cmdCamOptions"), child<StyledButton>(m, "cmdVideoSize"), child<StyledButton>(m, "cmdSnapShot"),
                                child<StyledButton>(m, "cmdRecord"), child<StyledButton>(m, "cmdSaveAs"), child<StyledButton>(m, "cmdBurst")})
            states += b->Enabled() ? '1' : '0';
        return states;
    }
};

}  // namespace

TEST_F(Preview, StartShowsTheLiveFrameAndSetsThePreviewState)
{
    frmMain& m = open();
    EXPECT_EQ(s.DeviceNames[0], "Tolvex Test Pattern");
    EXPECT_TRUE(child<QAction>(m, "mnudevices", 0)->isVisible());
    EXPECT_TRUE(child<QAction>(m, "mnudevices", 0)->isChecked());
    m.cmdStart_Click();
    EXPECT_NE(m.capwnd(), 0);
    EXPECT_EQ(GetCapDriverName(*capture, m.capwnd()), "Tolvex Test Pattern") << "the driver is connected";
    EXPECT_TRUE(m.previewRunning());
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_EQ(child<QTimer>(m, "tmrMain")->interval(), 25);
    EXPECT_EQ(buttonStates(m), "01111111");
    EXPECT_FALSE(child<PreviewImage>(m, "Image4")->image().isNull());
    EXPECT_TRUE(child<PreviewImage>(m, "Image4")->isVisible());
    EXPECT_FALSE(child<QWidget>(m, "Image1")->isVisible());
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(sleeps.isEmpty());

    const qint64 before = child<PreviewImage>(m, "Image4")->image().cacheKey();
    QSignalSpy ticks(child<QTimer>(m, "tmrMain"), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(2000));
    EXPECT_NE(child<PreviewImage>(m, "Image4")->image().cacheKey(), before);
}

TEST_F(Preview, StopKeepsTheLastFrameAndResetsTheButtonsAndTitle)
{
    frmMain& m = open();
    child<StyledButton>(m, "OptSaveChoice", 1)->setValue(true);
    m.cmdStart_Click();
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *AutoSave mode*");
    EXPECT_TRUE(child<QTimer>(m, "tmrAutoSave")->isActive());
    const QImage last = child<PreviewImage>(m, "Image4")->image();
    m.cmdStop_Click();
    EXPECT_EQ(m.capwnd(), 0);
    EXPECT_FALSE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_FALSE(child<QTimer>(m, "tmrAutoSave")->isActive());
    EXPECT_EQ(m.windowTitle(), m.baseTitle());
    EXPECT_EQ(buttonStates(m), "10001111");
    EXPECT_TRUE(child<StyledButton>(m, "StyledButton13")->Enabled());
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->image().cacheKey(), last.cacheKey());
}

TEST_F(Preview, ConnectOnTheSecondTryWaitsOnceWithoutNotice)
{
    frmMain& m = open("1");
    m.cmdStart_Click();
    EXPECT_FALSE(GetCapDriverName(*capture, m.capwnd()).isEmpty()) << "the driver is connected";
    EXPECT_EQ(sleeps, QList<int>{100});
    EXPECT_TRUE(notices.isEmpty());

    // A start that then fails is the first failure: the retry was none.
    m.cmdStop_Click();
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "all");
    capture->reloadSettings();
    m.cmdStart_Click();
    EXPECT_EQ(notices, QStringList({"No Connection to Video Device", "Please choose another device"}));
}

TEST_F(Preview, FailedConnectsNoticeWaitAndStop)
{
    frmMain& m = open("all");
    child<StyledButton>(m, "OptSaveChoice", 2)->setValue(true);
    m.cmdStart_Click();
    EXPECT_FALSE(m.previewRunning());
    EXPECT_EQ(notices, QStringList({"No Connection to Video Device", "Please choose another device"}));
    EXPECT_EQ(sleeps, QList<int>({100, 1200, 1700}));
    EXPECT_EQ(m.capwnd(), 0);
    EXPECT_EQ(buttonStates(m), "10000000");
    EXPECT_EQ(child<StyledButton>(m, "cmdVideoSize")->Caption(), "&Video Size");
    EXPECT_FALSE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_FALSE(child<QTimer>(m, "tmrAutoMotion")->isActive());

    notices.clear();
    sleeps.clear();
    m.cmdStart_Click();
    EXPECT_EQ(notices, QStringList({"No Connection to Video Device", "Please choose another device",
                                    "Or restart Tolvex and/or the device"}));
    EXPECT_EQ(sleeps, QList<int>({100, 1200, 1200, 1700}));

    // A good start clears the count: the next failure is a first one again.
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
    capture->reloadSettings();
    m.cmdStart_Click();
    ASSERT_TRUE(m.previewRunning());
    m.cmdStop_Click();
    notices.clear();
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "all");
    capture->reloadSettings();
    m.cmdStart_Click();
    EXPECT_EQ(notices, QStringList({"No Connection to Video Device", "Please choose another device"}));
}

TEST_F(Preview, DeviceSwitchingIdleAndWhilePreviewing)
{
    frmMain& m = open("0", "2");
    ASSERT_TRUE(child<QAction>(m, "mnudevices", 1)->isVisible());
    m.mnudevices_Click(1);
    EXPECT_EQ(s.CaptureDevice, 1);
    EXPECT_TRUE(child<QAction>(m, "mnudevices", 1)->isChecked());
    EXPECT_FALSE(child<QAction>(m, "mnudevices", 0)->isChecked());
    EXPECT_EQ(m.capwnd(), 0);

    m.cmdStart_Click();
    const qint32 first = m.capwnd();
    QString name;
    ASSERT_TRUE(capture->capDriverGetName(first, name));
    EXPECT_EQ(name, "Tolvex Test Pattern 2");
    m.mnudevices_Click(0);
    EXPECT_NE(m.capwnd(), 0);
    EXPECT_NE(m.capwnd(), first);
    ASSERT_TRUE(capture->capDriverGetName(m.capwnd(), name));
    EXPECT_EQ(name, "Tolvex Test Pattern");
    EXPECT_EQ(buttonStates(m), "01111111");
    // The switch itself never writes the settings file; the device button does.
    EXPECT_EQ(iniLines()[3], " 0 ");
}

TEST_F(Preview, DeviceMenuTickStaysOnTheDeviceInUse)
{
    frmMain& m = open("0", "2");
    const auto ticks = [&m] {
        return QString("%1%2").arg(child<QAction>(m, "mnudevices", 0)->isChecked()).arg(child<QAction>(m, "mnudevices", 1)->isChecked());
    };
    ASSERT_EQ(ticks(), "10");
    child<QAction>(m, "mnudevices", 0)->trigger();  // the device in use, chosen again
    EXPECT_EQ(ticks(), "10");
    child<QAction>(m, "mnudevices", 12)->trigger();  // "Exit menu"
    EXPECT_EQ(ticks(), "10");
    child<QAction>(m, "mnudevices", 1)->trigger();
    EXPECT_EQ(s.CaptureDevice, 1);
    EXPECT_EQ(ticks(), "01");

    m.cmdStart_Click();
    const qint32 running = m.capwnd();
    child<QAction>(m, "mnudevices", 1)->trigger();
    EXPECT_EQ(ticks(), "01");
    EXPECT_EQ(m.capwnd(), running);  // the preview did not restart
}

TEST_F(Preview, DeviceButtonRewritesTheDeviceEvenWithoutAChoice)
{
    frmMain& m = open("0", "2");
    for (int index : {12, 0}) {
        m.mnudevices_Click(index);
        EXPECT_EQ(s.CaptureDevice, 0);
    }
    s.CaptureDevice = 1;
    QTimer::singleShot(0, child<QMenu>(m, "mnuVideoDevice"), [&m] { child<QMenu>(m, "mnuVideoDevice")->close(); });
    m.StyledButton13_MouseDown(buttons::kMouseLeft, 0, 3, 3);
    const QStringList lines = iniLines();
    EXPECT_EQ(lines[3], " 1 ");
    EXPECT_EQ(lines.size(), 129);
}

TEST_F(Preview, ClipboardTextSurvivesThePreview)
{
    frmMain& m = open();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("the user's text");
    m.cmdStart_Click();
    m.tmrMain_Timer();
    EXPECT_EQ(clipboard->text(), "the user's text");
    m.cmdStop_Click();
    EXPECT_EQ(clipboard->text(), "the user's text");
}

TEST_F(Preview, ClipboardFollowsTheFramesAndKeepsWhatTheUserCopies)
{
    frmMain& m = open();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    QSignalSpy claims(clipboard, &QClipboard::changed);
    m.cmdStart_Click();
    child<QTimer>(m, "tmrMain")->stop();
    auto* picture = child<PreviewImage>(m, "Image4");
    const auto nextFrame = [&] {
        const qint64 before = picture->image().cacheKey();
        return QTest::qWaitFor(
            [&] {
                m.tmrMain_Timer();
                return picture->image().cacheKey() != before;
            },
            5000);
    };
    // Each new frame is on show and on the clipboard, which the pump claims once
    // rather than at every frame.
    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_TRUE(nextFrame()) << "no new frame within 5 s";
        EXPECT_EQ(clipboard->image().cacheKey(), picture->image().cacheKey());
    }
    EXPECT_EQ(claims.count(), 1);

    // Text copied while the preview runs survives the next frames.
    clipboard->setText("the user's words");
    for (int frame = 0; frame < 2; ++frame) {
        ASSERT_TRUE(nextFrame()) << "no new frame within 5 s";
        EXPECT_EQ(clipboard->text(), "the user's words");
    }
}

TEST_F(Preview, StopClearsOnlyThePumpsOwnFrame)
{
    frmMain& m = open();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    m.cmdStart_Click();
    m.tmrMain_Timer();
    EXPECT_FALSE(clipboard->image().isNull());
    m.cmdStop_Click();
    EXPECT_TRUE(clipboard->image().isNull());

    m.cmdStart_Click();
    QImage users(4, 4, QImage::Format_RGB32);
    users.fill(Qt::green);
    clipboard->setImage(users);
    child<QTimer>(m, "tmrMain")->stop();
    m.StopWork();
    EXPECT_EQ(clipboard->image().pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(Preview, StreamFilePathWritesAndReadsTheBufferFile)
{
    frmMain& m = open();
    s.StreamSource = 1;
    s.TempBufferFileAndPath = box.programFolder() + "/cap$$$.tmp";
    m.cmdStart_Click();
    m.tmrMain_Timer();
    EXPECT_TRUE(QFileInfo(s.TempBufferFileAndPath).size() > 0);
    EXPECT_FALSE(child<PreviewImage>(m, "Image4")->image().isNull());
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(Preview, BufferFileSettingOnAUsersFileLeavesItAlone)
{
    frmMain& m = open();
    const QByteArray notes = "the user's notes\n";
    box.writeFile("notes.txt", notes);
    s.StreamSource = 1;
    s.TempBufferFileAndPath = box.programFolder() + "/notes.txt";
    m.cmdStart_Click();
    m.tmrMain_Timer();
    m.tmrMain_Timer();
    EXPECT_EQ(box.readFile("notes.txt"), notes);
    EXPECT_TRUE(isBufferBitmap(box.programFolder() + "/cap$$$.tmp"));
    EXPECT_FALSE(child<PreviewImage>(m, "Image4")->image().isNull());
    EXPECT_EQ(notices, QStringList{"Stream buffer: using cap$$$.tmp"});
    m.cmdStop_Click();
    m.cmdStart_Click();
    m.tmrMain_Timer();
    EXPECT_EQ(notices.size(), 1);  // said once

    m.close();
    EXPECT_EQ(box.readFile("notes.txt"), notes);
    EXPECT_FALSE(QFileInfo::exists(box.programFolder() + "/cap$$$.tmp"));
}

TEST_F(Preview, UnwritableBufferFileGivesOneNoticePerStart)
{
    frmMain& m = open();
    box.writeFile("plainfile", "x");
    s.StreamSource = 1;
    s.TempBufferFileAndPath = box.programFolder() + "/plainfile/cap$$$.tmp";
    m.cmdStart_Click();
    const QImage shown = child<PreviewImage>(m, "Image4")->image();
    m.tmrMain_Timer();
    m.tmrMain_Timer();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith("IDE Mode Error: "));
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->image().cacheKey(), shown.cacheKey());
    m.cmdStart_Click();
    m.tmrMain_Timer();
    EXPECT_EQ(notices.size(), 2);
}

TEST_F(Preview, TitleAtPreviewStartByMode)
{
    const struct {
        int option;
        int16_t autoTimer, ftp;
        const char* title;
    } cases[] = {
        {0, 0, 0, ""},
        {1, 0, 0, " *AutoSave mode*"},
        {1, 0, 1, " *AutoSave mode* FTP Mode"},
        {1, 1, 1, " *TimeAutoSave mode*"},
        {2, 0, 0, " *MotionSave mode*"},
        {2, 1, 0, " *TimeMotionSave mode*"},
        {3, 0, 0, " *MotionRecord mode*"},
        {3, 1, 0, " *TimeMotionRecord mode*"},
    };
    frmMain& m = open();
    for (const auto& c : cases) {
        m.cmdStop_Click();
        child<StyledButton>(m, "OptSaveChoice", c.option)->setValue(true);
        s.AutoTimer = c.autoTimer;
        s.FtpEnabled = c.ftp;
        m.cmdStart_Click();
        EXPECT_EQ(m.windowTitle(), m.baseTitle() + c.title) << c.option << c.autoTimer << c.ftp;
        EXPECT_EQ(child<QTimer>(m, "tmrAutoSave")->isActive(), c.option == 1);
        EXPECT_EQ(child<QTimer>(m, "tmrAutoMotion")->isActive(), c.option >= 2);
    }
}

TEST_F(Preview, StartSwitchStartsThePreviewAtTheEndOfTheStartUp)
{
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
    capture->reloadSettings();
    frmMain& m = start("/start");
    EXPECT_NE(m.capwnd(), 0);
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive());
    EXPECT_FALSE(child<StyledButton>(m, "cmdStart")->Enabled());
}

TEST_F(Preview, TickWithoutAFrameKeepsTheLastOneOnShow)
{
    frmMain& m = open();
    m.cmdStart_Click();
    child<QTimer>(m, "tmrMain")->stop();
    m.tmrMain_Timer();
    const QImage shown = child<PreviewImage>(m, "Image4")->image();
    ASSERT_FALSE(shown.isNull());
    capture->capDriverDisconnect(m.capwnd());  // the device goes away
    m.tmrMain_Timer();
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->image().cacheKey(), shown.cacheKey());
}

TEST_F(Preview, StartsAndStopsLeaveNoCaptureWindowsBehind)
{
    frmMain& m = open();
    for (int i = 0; i < 5; ++i) {
        m.cmdStart_Click();
        m.cmdStop_Click();
    }
    m.cmdStart_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(child<QWidget>(m, "Image1")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 1);
    EXPECT_NE(capture->window(m.capwnd()), nullptr);
}

TEST_F(Preview, NoticesOfAFailedConnectArePaintedDuringTheWaitsAndTheWindowsTimersRest)
{
    frmMain& m = open("all");
    bool waiting = false;
    m.setSleep([&waiting](int ms) {
        waiting = true;
        waitWithoutInput(ms);
        waiting = false;
    });
    // The notice's paints while the program waits after showing it.
    int paintsBeforeTheNextNotice = -1;
    int paints = 0;
    struct PaintCounter : QObject {
        int* count;
        explicit PaintCounter(int* c) : count(c) {}
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Paint && o->objectName() == "FrmMessage")
                ++*count;
            return false;
        }
    } counter(&paints);
    qApp->installEventFilter(&counter);
    QObject::connect(&m, &frmMain::noticeShown, [&](const QString& t) {
        if (t == "Please choose another device")
            paintsBeforeTheNextNotice = paints;
    });
    int clockTicks = 0;
    QObject::connect(child<QTimer>(m, "tmrTime"), &QTimer::timeout, [&] {
        if (waiting)
            ++clockTicks;
    });
    child<QTimer>(m, "tmrTime")->start(20);  // the time window's clock, which a failed start leaves running
    m.cmdStart_Click();
    qApp->removeEventFilter(&counter);
    EXPECT_GT(paintsBeforeTheNextNotice, 0) << "the first notice was never painted during its wait";
    EXPECT_EQ(clockTicks, 0) << "a window timer ran during a wait";
    int ticksAfter = 0;
    QObject::connect(child<QTimer>(m, "tmrTime"), &QTimer::timeout, [&] { ++ticksAfter; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticksAfter > 0; }, 2000)) << "the timer ticks again after the waits";
    child<QTimer>(m, "tmrTime")->stop();
    EXPECT_EQ(m.capwnd(), 0);
}
