#include "CaptureTestSupport.h"
#include "ModalAnswer.h"

#include "platform/capdriver/V4l2Device.h"
#include "platform/capdriver/V4l2Enumerator.h"
#include "platform/capdriver/V4l2Format.h"

#include "platform/capdriver/LibV4l2Io.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <sys/stat.h>

using namespace captest;

namespace {

class CaptureV4l2Test : public CaptureTest {
protected:
    void SetUp() override { env.set("TOLVEX_CAPTURE_DRIVERS", "v4l2"); }

    void expectReleased()
    {
        EXPECT_EQ(v4l2->openCount(), 0);
        EXPECT_EQ(v4l2->mappingCount(), 0);
        EXPECT_FALSE(v4l2->streaming("/dev/video0"));
    }

    // The sizes the format dialog offers for device 0; the dialog is cancelled.
    QStringList formatDialogSizes()
    {
        const CaptureHandle h = connectedWindow();
        QStringList sizes;
        answerNextModal([&](QWidget* dialog) {
            auto* list = dialog->findChild<QComboBox*>("sizeList");
            for (int i = 0; i < list->count(); ++i)
                sizes << list->itemText(i);
            dialog->findChild<QPushButton*>("cancelButton")->click();
        });
        EXPECT_TRUE(cap().capDlgVideoFormat(h));
        return sizes;
    }
};

v4l2_capability capsWith(quint32 caps, quint32 deviceCaps)
{
    v4l2_capability c{};
    c.capabilities = caps;
    c.device_caps = deviceCaps;
    return c;
}

}  // namespace

TEST(V4l2EnumerationTest, NodeNumbers)
{
    const std::pair<const char*, int> cases[] = {
        {"/dev/video0", 0}, {"/dev/video12", 12}, {"/dev/video", -1}, {"/dev/video1a", -1},
        {"/dev/videox", -1}, {"/dev/v4l-subdev0", -1}, {"/dev/myvideo3", -1}, {"/tmp/nodes/video3", 3},
    };
    for (const auto& [path, number] : cases)
        EXPECT_EQ(nodeNumber(path), number) << path;
}

TEST(V4l2EnumerationTest, OnlyNodesThatCaptureVideoCount)
{
    const quint32 dc = V4L2_CAP_DEVICE_CAPS;
    const quint32 video = V4L2_CAP_VIDEO_CAPTURE;
    const quint32 meta = V4L2_CAP_META_CAPTURE;
    struct Case {
        const char* what;
        v4l2_capability caps;
        bool captures;
    };
    const Case cases[] = {
        {"camera node", capsWith(dc | video | meta, video | V4L2_CAP_STREAMING), true},
        {"metadata node of the same camera", capsWith(dc | video | meta, meta | V4L2_CAP_STREAMING), false},
        {"old driver without device caps", capsWith(video, 0), true},
        {"output only", capsWith(dc | V4L2_CAP_VIDEO_OUTPUT, V4L2_CAP_VIDEO_OUTPUT), false},
        {"multi-planar only", capsWith(dc | V4L2_CAP_VIDEO_CAPTURE_MPLANE, V4L2_CAP_VIDEO_CAPTURE_MPLANE), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(capturesVideo(c.caps), c.captures) << c.what;
}

TEST(V4l2EnumerationTest, NodesThatCannotBeOpenedAreSkippedAndClosedAfterwards)
{
    FakeV4l2Io io;
    auto a = FakeV4l2Io::Node{};
    a.path = "/dev/video2";
    a.card = "Second";
    io.addNode(a);
    a.path = "/dev/video0";
    a.card = "First";
    io.addNode(a);
    io.unplug("/dev/video0");
    const auto nodes = enumerateV4l2(io);
    ASSERT_EQ(nodes.size(), 1);
    EXPECT_EQ(nodes[0].card, "Second");
    EXPECT_EQ(nodes[0].versionText(), "fakecam 6.1.0");
    EXPECT_EQ(io.openCount(), 0);
}

TEST(V4l2EnumerationTest, RealNodesThatAreNoCamerasAreSkippedAndLeakNothing)
{
    QTemporaryDir dir;
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("video0")).constData(), 0600), 0);
    QFile plain(dir.filePath("video1"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    LibV4l2Io io(dir.path());
    QStringList listed = io.listNodes();
    listed.sort();
    EXPECT_EQ(listed, (QStringList{dir.filePath("video0"), dir.filePath("video1")}));
    const auto descriptors = [] { return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(); };
    const auto before = descriptors();
    ASSERT_GT(before, 2);
    EXPECT_TRUE(enumerateV4l2(io).isEmpty());
    EXPECT_EQ(descriptors(), before);
}

TEST(V4l2FormatTest, OnlyTheExactAnswerCounts)
{
    const v4l2_format asked = rgb24Request({1280, 720});
    struct Case {
        const char* what;
        quint32 width, height, pixelformat;
        bool exact;
    };
    const Case cases[] = {
        {"same", 1280, 720, V4L2_PIX_FMT_RGB24, true},
        {"width adjusted", 1280, 960, V4L2_PIX_FMT_RGB24, false},
        {"moved to nearest", 640, 480, V4L2_PIX_FMT_RGB24, false},
        {"not converted", 1280, 720, V4L2_PIX_FMT_MJPEG, false},
    };
    for (const Case& c : cases) {
        v4l2_format answer = asked;
        answer.fmt.pix.width = c.width;
        answer.fmt.pix.height = c.height;
        answer.fmt.pix.pixelformat = c.pixelformat;
        EXPECT_EQ(deliversExactly(asked, answer), c.exact) << c.what;
    }
    v4l2_pix_format pix = asked.fmt.pix;
    pix.bytesperline = 0;
    EXPECT_EQ(rowStride(pix), 3840u);
    pix.bytesperline = 4096;
    EXPECT_EQ(rowStride(pix), 4096u);
}

TEST_F(CaptureV4l2Test, FirstGrabIsAWholeFrameWithoutRowPadding)
{
    auto node = camera("/dev/video0");
    node.colour = qRgb(10, 200, 30);
    node.rowPadding = 12;
    node.sizes = {{320, 240}, {640, 480}};
    v4l2->addNode(node);
    const CaptureHandle h = connectedWindow();
    const QImage frame = grabbed(h);
    ASSERT_EQ(frame.size(), QSize(320, 240));
    int wrong = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            wrong += frame.pixel(x, y) != qRgb(10, 200, 30);
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(cap().capGrabFrameNoStop(h));
}

TEST_F(CaptureV4l2Test, DisconnectReleasesEverything)
{
    v4l2->addNode(camera("/dev/video0"));
    const CaptureHandle h = connectedWindow();
    EXPECT_TRUE(v4l2->streaming("/dev/video0"));
    EXPECT_EQ(v4l2->openCount(), 1);
    ASSERT_TRUE(cap().capDriverDisconnect(h));
    expectReleased();
    ASSERT_TRUE(cap().capDriverConnect(h, 0));
    EXPECT_TRUE(cap().capGrabFrameNoStop(h));
    delete cap().window(h);
    expectReleased();
}

TEST_F(CaptureV4l2Test, BusyMissingAndUnconvertibleDevicesDoNotConnect)
{
    auto busy = camera("/dev/video0", "Busy");
    busy.busy = true;
    v4l2->addNode(busy);
    auto odd = camera("/dev/video1", "Odd");
    odd.unconvertible = true;
    v4l2->addNode(odd);
    v4l2->addNode(camera("/dev/video2", "Gone"));
    ASSERT_EQ(driverNames().size(), 3);
    v4l2->unplug("/dev/video2");
    const CaptureHandle h = makeWindow();
    for (int index : {0, 1, 2})
        EXPECT_FALSE(cap().capDriverConnect(h, index)) << index;
    EXPECT_EQ(v4l2->openCount(), 0);
    EXPECT_EQ(v4l2->mappingCount(), 0);
}

TEST_F(CaptureV4l2Test, UnplugMidPreviewMakesGrabsFail)
{
    v4l2->addNode(camera("/dev/video0"));
    const CaptureHandle h = connectedWindow();
    ASSERT_TRUE(cap().capPreview(h, true));
    ASSERT_TRUE(cap().capGrabFrameNoStop(h));
    v4l2->unplug("/dev/video0");
    QTRY_VERIFY(!cap().capGrabFrameNoStop(h));
    EXPECT_FALSE(cap().capGrabFrameNoStop(h));
    EXPECT_FALSE(cap().lastFrame(h).isNull()) << "the last good frame stays";
    ASSERT_TRUE(cap().capDriverDisconnect(h));
    EXPECT_EQ(v4l2->openCount(), 0);
    EXPECT_EQ(v4l2->mappingCount(), 0);
    EXPECT_FALSE(cap().capDriverConnect(h, 0));
}

TEST_F(CaptureV4l2Test, SizesTheCameraAdjustsAreRefusedWithoutStoppingIt)
{
    auto node = camera("/dev/video0");
    node.sizes = {{640, 480}, {1280, 720}};
    v4l2->addNode(node);
    const CaptureHandle h = connectedWindow();
    const int setsAfterConnect = v4l2->setFormatCalls("/dev/video0");
    EXPECT_FALSE(cap().capSetVideoFormat(h, {800, 600, 24, 0}));
    EXPECT_FALSE(cap().capSetVideoFormat(h, {1280, 720, 8, 0}));
    EXPECT_EQ(v4l2->setFormatCalls("/dev/video0"), setsAfterConnect);
    EXPECT_EQ(grabbed(h).size(), QSize(640, 480));

    ASSERT_TRUE(cap().capSetVideoFormat(h, {1280, 720, 24, 0}));
    EXPECT_EQ(grabbed(h).size(), QSize(1280, 720)) << "the grab after a change waits for the new size";
    BitmapFormat f;
    ASSERT_TRUE(cap().capGetVideoFormat(h, f));
    EXPECT_EQ(f, (BitmapFormat{1280, 720, 24, 0}));
}

TEST_F(CaptureV4l2Test, WithoutTrialTheOldSizeIsPutBack)
{
    auto node = camera("/dev/video0");
    node.sizes = {{640, 480}, {1280, 720}};
    node.tryFmt = false;
    v4l2->addNode(node);
    const CaptureHandle h = connectedWindow();
    EXPECT_FALSE(cap().capSetVideoFormat(h, {1024, 768, 24, 0}));
    BitmapFormat f;
    ASSERT_TRUE(cap().capGetVideoFormat(h, f));
    EXPECT_EQ(f.size(), QSize(640, 480));
    EXPECT_EQ(grabbed(h).size(), QSize(640, 480));
    ASSERT_TRUE(cap().capSetVideoFormat(h, {1280, 720, 24, 0}));
    EXPECT_EQ(grabbed(h).size(), QSize(1280, 720));
}

TEST_F(CaptureV4l2Test, FormatLastsAcrossReconnect)
{
    auto node = camera("/dev/video0");
    node.sizes = {{640, 480}, {1280, 720}};
    v4l2->addNode(node);
    const CaptureHandle h = connectedWindow();
    ASSERT_TRUE(cap().capSetVideoFormat(h, {1280, 720, 24, 0}));
    ASSERT_TRUE(cap().capDriverDisconnect(h));
    ASSERT_TRUE(cap().capDriverConnect(h, 0));
    EXPECT_EQ(grabbed(h).size(), QSize(1280, 720));
}

TEST_F(CaptureV4l2Test, CamerasComeBeforeTestPatterns)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "all");
    v4l2->addNode(camera("/dev/video0"));
    const CaptureHandle camera = connectedWindow(0);
    const CaptureHandle pattern = connectedWindow(1);
    QString name;
    ASSERT_TRUE(cap().capDriverGetName(camera, name));
    EXPECT_EQ(name, "Fake Camera");
    ASSERT_TRUE(cap().capDriverGetName(pattern, name));
    EXPECT_EQ(name, "Tolvex Test Pattern");
}

TEST_F(CaptureV4l2Test, TriedSizesRestartTheStreamOnlyForTheOneKept)
{
    auto node = camera("/dev/video0");
    node.sizes = {{640, 480}, {800, 600}, {1280, 720}};
    v4l2->addNode(node);
    const CaptureHandle h = connectedWindow();
    const int setsAfterConnect = v4l2->setFormatCalls("/dev/video0");
    for (QSize size : {QSize(800, 600), QSize(1024, 768), QSize(1280, 720)})
        cap().capSetVideoFormat(h, BitmapFormat::rgb24(size));
    ASSERT_TRUE(cap().capSetVideoFormat(h, {640, 480, 24, 0}));
    EXPECT_EQ(grabbed(h).size(), QSize(640, 480));
    EXPECT_EQ(v4l2->setFormatCalls("/dev/video0"), setsAfterConnect) << "back to the running size: no restart";

    ASSERT_TRUE(cap().capSetVideoFormat(h, {800, 600, 24, 0}));
    ASSERT_TRUE(cap().capSetVideoFormat(h, {1280, 720, 16, 0}));
    BitmapFormat f;
    ASSERT_TRUE(cap().capGetVideoFormat(h, f));
    EXPECT_EQ(f, (BitmapFormat{1280, 720, 16, 0})) << "the format is the one set, before any frame";
    EXPECT_EQ(grabbed(h).size(), QSize(1280, 720));
    EXPECT_EQ(v4l2->setFormatCalls("/dev/video0"), setsAfterConnect + 1);
}

TEST_F(CaptureV4l2Test, FormatDialogListsTheSizesTheCameraDelivers)
{
    for (const bool listsItself : {false, true}) {
        SCOPED_TRACE(listsItself ? "enumerated" : "found on trial");
        restart();
        v4l2 = std::make_shared<FakeV4l2Io>();
        auto node = camera("/dev/video0");
        node.sizes = {{1280, 720}, {320, 240}, {1366, 768}, {640, 480}};
        node.enumFrameSizes = listsItself;
        v4l2->addNode(node);
        EXPECT_EQ(formatDialogSizes(), listsItself ? QStringList({"320x240", "640x480", "1280x720", "1366x768"})
                                                   : QStringList({"320x240", "640x480", "1280x720"}));
    }
}

TEST_F(CaptureV4l2Test, FormatDialogChoiceApplies)
{
    auto node = camera("/dev/video0");
    node.sizes = {{640, 480}, {1280, 720}};
    v4l2->addNode(node);
    const CaptureHandle h = connectedWindow();
    QStringList sizes;
    answerNextModal([&](QWidget* dialog) {
        auto* list = dialog->findChild<QComboBox*>("sizeList");
        for (int i = 0; i < list->count(); ++i)
            sizes << list->itemText(i);
        list->setCurrentIndex(list->findText("1280x720"));
        dialog->findChild<QPushButton*>("okButton")->click();
    });
    EXPECT_TRUE(cap().capDlgVideoFormat(h));
    EXPECT_EQ(sizes, QStringList({"640x480", "1280x720"}));
    EXPECT_EQ(grabbed(h).size(), QSize(1280, 720));
}
