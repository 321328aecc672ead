// The capture layer on real libv4l2 over the emulated USB camera
// (libtolvex_uvc_emulator.so, loaded with LD_PRELOAD by ctest): what the layer makes
// of YUYV and Motion JPEG frames, sizes, controls and the camera's faults.

#include "CaptureTestSupport.h"

#include "Pattern.h"
#include "platform/capdriver/DeviceList.h"
#include "platform/capdriver/LibV4l2Io.h"
#include "platform/capdriver/V4l2Device.h"
#include "platform/capdriver/V4l2Enumerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <dlfcn.h>
#include <unistd.h>
#include <mutex>
#include <linux/videodev2.h>

namespace {

// Before main: the emulator must be loaded beneath libv4l2 from the start, so the
// program starts itself again with it preloaded when it is not.
const bool kEmulatorPreloaded = [] {
    if (dlsym(RTLD_DEFAULT, "tolvex_uvc_emulator_reload"))
        return true;
    if (qEnvironmentVariableIsSet("TOLVEX_EMULATED_TESTS_RESTARTED"))
        return false;
    QFile cmdline("/proc/self/cmdline");
    if (!cmdline.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> args = cmdline.readAll().split('\0');
    std::vector<QByteArray> kept(args.begin(), args.end());
    if (!kept.empty() && kept.back().isEmpty())
        kept.pop_back();
    std::vector<char*> argv;
    for (QByteArray& a : kept)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    qputenv("LD_PRELOAD", TOLVEX_UVC_EMULATOR_LIBRARY);
    qputenv("TOLVEX_EMULATED_TESTS_RESTARTED", "1");
    execv("/proc/self/exe", argv.data());
    return false;
}();

using namespace captest;
using namespace std::chrono_literals;

// Reads the emulator's counters file; empty until it is written.
QMap<QString, QString> readStats(const QString& path)
{
    QMap<QString, QString> stats;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return stats;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n'))
        if (line.contains('='))
            stats[line.section('=', 0, 0)] = line.section('=', 1);
    return stats;
}

uvcemu::Rgb pixel(const QImage& image, uint32_t x, uint32_t y)
{
    const QRgb c = image.pixel(int(x), int(y));
    return {uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))};
}

bool showsBars(const QImage& image)
{
    return uvcemu::barsMatch(uint32_t(image.width()), uint32_t(image.height()),
                             [&](uint32_t x, uint32_t y) { return pixel(image, x, y); });
}

uint32_t counterOf(const QImage& image)
{
    return uvcemu::readCounter(uint32_t(image.width()), uint32_t(image.height()),
                               [&](uint32_t x, uint32_t y) { return pixel(image, x, y); });
}

class EmulatedCameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reload_ = reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, "tolvex_uvc_emulator_reload"));
        ASSERT_TRUE(kEmulatorPreloaded && reload_) << "libtolvex_uvc_emulator.so could not be preloaded";
        ASSERT_TRUE(dir.isValid());
        env.set("TOLVEX_CAPTURE_DRIVERS", "all");
        env.set("TOLVEX_V4L2_NODES", node.toUtf8());
        env.set("TOLVEX_AUDIO", "none");
    }

    // The camera at `node` with these formats and faults (see EmulatorConfig.h).
    void plugIn(const QString& items)
    {
        env.set("TOLVEX_UVC_EMULATOR", (node + "=" + items + ";stats=" + stats).toUtf8());
        reload_();
    }
    QMap<QString, QString> emulator() const { return readStats(stats); }

    CaptureSystem& cap()
    {
        if (!system_)
            system_ = std::make_unique<CaptureSystem>();
        return *system_;
    }
    CaptureHandle connected(int index = 0)
    {
        const CaptureHandle h = cap().capCreateCaptureWindowA("VykTolvex", kWsChild | kWsVisible, 0, 0, 352, 288,
                                                              &parent, 0);
        EXPECT_TRUE(cap().capDriverConnect(h, index));
        return h;
    }
    // Grabs until a frame with a counter other than `after` arrives, or 3 s pass.
    QImage nextFrame(CaptureHandle h, std::optional<uint32_t> after = std::nullopt)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 3000) {
            if (cap().capGrabFrameNoStop(h)) {
                const QImage frame = cap().lastFrame(h);
                if (!after || counterOf(frame) != *after)
                    return frame;
            }
            QThread::msleep(5);
        }
        ADD_FAILURE() << "no new frame within 3 s";
        return {};
    }
    template <class Condition>
    bool waitFor(Condition condition, int ms = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > ms)
                return false;
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        return true;
    }

    ScopedEnv env;
    QTemporaryDir dir;
    QString node = dir.path() + "/video0";
    QString stats = dir.path() + "/stats";
    QWidget parent;

private:
    void (*reload_)() = nullptr;
    std::unique_ptr<CaptureSystem> system_;
};

TEST_F(EmulatedCameraTest, CameraIsListedByItsCardNameBeforeTheTestPattern)
{
    plugIn("yuyv:640x480;card=Emulated Cam A");
    QString name, version;
    ASSERT_TRUE(cap().capGetDriverDescriptionA(0, name, version));
    EXPECT_EQ(name, "Emulated Cam A");
    EXPECT_EQ(version, "uvcvideo 6.1.0");
    ASSERT_TRUE(cap().capGetDriverDescriptionA(1, name, version));
    EXPECT_EQ(name, "Tolvex Test Pattern");
}

TEST_F(EmulatedCameraTest, NodesNamedByTheVariableKeepTheirOrderAndMissingOnesAreLeftOut)
{
    const QString second = dir.path() + "/cam-b";
    env.set("TOLVEX_UVC_EMULATOR",
            (second + "=yuyv:640x480;card=Cam B|" + node + "=yuyv:640x480;card=Cam A").toUtf8());
    reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, "tolvex_uvc_emulator_reload"))();
    env.set("TOLVEX_V4L2_NODES", (second + ":" + dir.path() + "/absent:" + node).toUtf8());
    LibV4l2Io io;
    const auto nodes = enumerateV4l2(io);
    ASSERT_EQ(nodes.size(), 2);
    EXPECT_EQ(nodes[0].card, "Cam B");
    EXPECT_EQ(nodes[1].card, "Cam A");
}

struct PreviewCase {
    const char* camera;
    QSize size;
    const char* deliveredAs;
};

class EmulatedPreviewTest : public EmulatedCameraTest, public ::testing::WithParamInterface<PreviewCase> {};

TEST_P(EmulatedPreviewTest, FramesShowTheBarsUnswappedAndUnshearedAndTheCounterAdvances)
{
    const PreviewCase& c = GetParam();
    plugIn(c.camera);
    const CaptureHandle h = connected();
    ASSERT_TRUE(cap().capSetVideoFormat(h, {c.size.width(), c.size.height(), 24, 0}));
    // The new size arrives with the stream's restart.
    QImage first;
    ASSERT_TRUE(waitFor([&] {
        first = nextFrame(h);
        return first.size() == c.size;
    }));
    EXPECT_TRUE(showsBars(first)) << "top left " << std::hex << first.pixel(0, 0);
    const QImage second = nextFrame(h, counterOf(first));
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(showsBars(second));
    EXPECT_GT(counterOf(second), counterOf(first));
    EXPECT_TRUE(waitFor([&] { return emulator().value("format") == c.deliveredAs; })) << emulator().value("format").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Formats, EmulatedPreviewTest,
    ::testing::Values(PreviewCase{"yuyv:640x480,1280x720;mjpeg:640x480,1280x720,1920x1080", {640, 480}, "yuyv"},
                      PreviewCase{"yuyv:640x480,1920x1080", {1920, 1080}, "yuyv"},
                      PreviewCase{"mjpeg:640x480,1280x720", {640, 480}, "mjpeg"},
                      PreviewCase{"yuyv:640x480;mjpeg:640x480,1280x720,1920x1080", {1920, 1080}, "mjpeg"}),
    [](const ::testing::TestParamInfo<PreviewCase>& info) {
        return std::string(info.param.deliveredAs) + "_" + std::to_string(info.param.size.width()) + "x"
               + std::to_string(info.param.size.height());
    });

// The stream decodes into a pool of pictures and reuses one only once nobody else
// holds it: frames the program keeps (a snapshot, the clipboard, a recording's
// queue) keep their pixels however many frames follow, also when there are more of
// them than the pool holds.
TEST_F(EmulatedCameraTest, FramesTheProgramHoldsKeepTheirPixels)
{
    plugIn("mjpeg:640x480;fps=60");
    const CaptureHandle h = connected();
    std::vector<std::pair<QImage, uint32_t>> held;
    std::optional<uint32_t> last;
    for (int i = 0; i < 10; ++i) {
        const QImage frame = nextFrame(h, last);
        ASSERT_FALSE(frame.isNull());
        last = counterOf(frame);
        held.emplace_back(frame, *last);
    }
    // Later frames are decoded while all of these are held.
    for (int i = 0; i < 10; ++i)
        last = counterOf(nextFrame(h, last));
    for (const auto& [frame, counter] : held) {
        EXPECT_EQ(counterOf(frame), counter);
        EXPECT_TRUE(showsBars(frame));
    }
}

TEST_F(EmulatedCameraTest, TheProbeAcceptsExactlyTheOfferedSizesAndAChosenOneSwitches)
{
    plugIn("yuyv:640x480,1280x720;mjpeg:640x480,800x600,1280x720,1920x1080");
    const CaptureHandle h = connected();
    const QList<QSize> probe = {{720, 480}, {800, 450}, {800, 448}, {800, 600}, {960, 544}, {1024, 768},
                                {1280, 720}, {1280, 800}, {1280, 960}, {1280, 1024}, {1600, 1200}, {1600, 1280},
                                {160, 120}, {176, 144}, {320, 240}, {352, 288}, {640, 480}, {1920, 1080}};
    QList<QSize> accepted;
    for (QSize size : probe)
        if (cap().capSetVideoFormat(h, {size.width(), size.height(), 24, 0}))
            accepted << size;
    // libv4l2 also makes half of a delivered size by scaling down (320x240 of 640x480).
    EXPECT_EQ(accepted, (QList<QSize>{{800, 600}, {1280, 720}, {320, 240}, {640, 480}, {1920, 1080}}));

    ASSERT_TRUE(cap().capSetVideoFormat(h, {320, 240, 24, 0}));
    QImage half;
    EXPECT_TRUE(waitFor([&] { return (half = nextFrame(h)).size() == QSize(320, 240); }));
    EXPECT_TRUE(showsBars(half));

    ASSERT_TRUE(cap().capSetVideoFormat(h, {1280, 720, 24, 0}));
    EXPECT_TRUE(waitFor([&] { return nextFrame(h).size() == QSize(1280, 720); }));
    EXPECT_FALSE(cap().capSetVideoFormat(h, {352, 288, 24, 0}));
    BitmapFormat now;
    ASSERT_TRUE(cap().capGetVideoFormat(h, now));
    EXPECT_EQ(QSize(now.width, now.height), QSize(1280, 720));
    EXPECT_TRUE(showsBars(nextFrame(h)));
}

// A stream the program stops has let go of its buffers: the camera switches from a
// size only its Motion JPEG delivers back to one its YUYV delivers and on again,
// each time with frames of the new size.
TEST_F(EmulatedCameraTest, SwitchingAwayFromAMotionJpegSizeAndBackGivesFramesEachTime)
{
    plugIn("yuyv:640x480;mjpeg:640x480,1280x720");
    const CaptureHandle h = connected();
    for (const QSize size : {QSize(1280, 720), QSize(640, 480), QSize(1280, 720), QSize(640, 480)}) {
        ASSERT_TRUE(cap().capSetVideoFormat(h, {size.width(), size.height(), 24, 0})) << size.width();
        EXPECT_TRUE(waitFor([&] { return nextFrame(h).size() == size; })) << size.width() << "x" << size.height();
    }
    EXPECT_TRUE(showsBars(nextFrame(h)));
}

TEST_F(EmulatedCameraTest, ControlsAreOfferedAndASetValueReachesTheCamera)
{
    plugIn("yuyv:640x480");
    auto io = std::make_shared<LibV4l2Io>();
    const auto nodes = enumerateV4l2(*io);
    ASSERT_EQ(nodes.size(), 1);
    V4l2Device device(io, nodes[0]);
    ASSERT_TRUE(device.open(std::nullopt));
    QMap<QString, SourceControl> byName;
    for (const SourceControl& c : device.controls())
        byName[c.name] = c;
    for (const char* name : {"Brightness", "Contrast", "Saturation", "Hue", "Gain", "Power Line Frequency"})
        EXPECT_TRUE(byName.contains(name)) << name;
    const SourceControl power = byName.value("Power Line Frequency");
    EXPECT_EQ(power.kind, SourceControl::Kind::Menu);
    EXPECT_EQ(power.choices, (QList<std::pair<qint32, QString>>{{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}}));
    EXPECT_EQ(byName.value("Brightness").minimum, -64);

    ASSERT_TRUE(device.setControl(V4L2_CID_BRIGHTNESS, 17));
    ASSERT_TRUE(device.setControl(V4L2_CID_POWER_LINE_FREQUENCY, 2));
    EXPECT_TRUE(waitFor([&] { return emulator().value("control_0x980900") == "17"; }));
    EXPECT_EQ(emulator().value("control_0x980918"), "2");
    EXPECT_FALSE(device.setControl(V4L2_CID_BRIGHTNESS, 500));
}

TEST_F(EmulatedCameraTest, UnpluggedMidPreviewGrabsFailAndTheCameraConnectsAgainWhenBack)
{
    plugIn("yuyv:640x480;fps=30;unplug=20;replug=400");
    const CaptureHandle h = connected();
    ASSERT_FALSE(nextFrame(h).isNull());
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(waitFor([&] { return !cap().capGrabFrameNoStop(h); }, 4000)) << "grabs go on after the unplug";
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(cap().capDriverDisconnect(h));

    // Back after 400 ms: listed again under the same index, and it delivers.
    QString name, version;
    EXPECT_TRUE(waitFor([&] { return QFile::exists(node); }));
    ASSERT_TRUE(cap().capGetDriverDescriptionA(0, name, version));
    EXPECT_EQ(name, "Emulated USB Camera");
    ASSERT_TRUE(cap().capDriverConnect(h, 0));
    EXPECT_TRUE(showsBars(nextFrame(h)));
}

TEST_F(EmulatedCameraTest, ANodeFileRemovedMidPreviewIsAnUnplug)
{
    plugIn("mjpeg:640x480");
    const CaptureHandle h = connected();
    ASSERT_FALSE(nextFrame(h).isNull());
    ASSERT_TRUE(QFile::remove(node));
    EXPECT_TRUE(waitFor([&] { return !cap().capGrabFrameNoStop(h); }));
    QString name, version;
    ASSERT_TRUE(cap().capGetDriverDescriptionA(0, name, version));
    EXPECT_EQ(name, "Tolvex Test Pattern");
}

class EmulatedBusyTest : public EmulatedCameraTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EmulatedBusyTest, ABusyCameraDoesNotConnectAndReturnsAtOnce)
{
    plugIn(QString("yuyv:640x480;busy=") + GetParam());
    const CaptureHandle h = cap().capCreateCaptureWindowA("VykTolvex", kWsChild | kWsVisible, 0, 0, 352, 288,
                                                          &parent, 0);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(cap().capDriverConnect(h, 0));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(cap().capGrabFrameNoStop(h));
}

INSTANTIATE_TEST_SUITE_P(Requests, EmulatedBusyTest, ::testing::Values("streamon", "s_fmt"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST_F(EmulatedCameraTest, FramesWithTheErrorFlagAreSkipped)
{
    plugIn("yuyv:640x480;fps=60;error=3");
    const CaptureHandle h = connected();
    std::optional<uint32_t> last;
    for (int i = 0; i < 12; ++i) {
        const QImage frame = nextFrame(h, last);
        ASSERT_FALSE(frame.isNull());
        last = counterOf(frame);
        EXPECT_NE((*last + 1) % 3, 0u) << "frame " << *last << " carried the error flag";
    }
    EXPECT_TRUE(waitFor([&] { return emulator().value("flagged").toInt() > 0; }));
}

// Messages of the tolvex.v4l2 category while it lives.
class V4l2LogCapture {
public:
    V4l2LogCapture() { previous_ = qInstallMessageHandler(&V4l2LogCapture::handle); }
    ~V4l2LogCapture() { qInstallMessageHandler(previous_); }
    static QStringList lines()
    {
        std::lock_guard lock(mutex_);
        return lines_;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& text)
    {
        if (context.category && QByteArray(context.category) == "tolvex.v4l2") {
            std::lock_guard lock(mutex_);
            lines_ << text;
        }
    }
    static inline std::mutex mutex_;
    static inline QStringList lines_;
    QtMessageHandler previous_ = nullptr;
};

TEST_F(EmulatedCameraTest, DamagedMotionJpegFramesAreSkippedAndLoggedOnce)
{
    V4l2LogCapture log;
    plugIn("mjpeg:640x480,1280x720;fps=60;corrupt=3");
    const CaptureHandle h = connected();
    std::optional<uint32_t> last;
    for (int i = 0; i < 12; ++i) {
        const QImage frame = nextFrame(h, last);
        ASSERT_FALSE(frame.isNull());
        EXPECT_TRUE(showsBars(frame));
        last = counterOf(frame);
        EXPECT_NE((*last + 1) % 3, 0u) << "damaged frame " << *last << " was shown";
    }
    // The counters file is rewritten a few times a second.
    EXPECT_TRUE(waitFor([&] { return emulator().value("corrupted").toInt() >= 3; }));
    EXPECT_EQ(log.lines().filter("damaged Motion JPEG").size(), 1) << log.lines().join('\n').toStdString();
}

}  // namespace

