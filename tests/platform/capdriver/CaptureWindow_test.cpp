#include "CaptureTestSupport.h"

#include "platform/capdriver/SceneRenderer.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest/QTest>

#include <functional>

#include <sys/stat.h>

using namespace captest;

namespace {

class CaptureWindowTest : public CaptureTest {
protected:
    void SetUp() override
    {
        env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
        env.set("TOLVEX_SYNTH_SCENE", "still:336699");
    }
};

BitmapFormat format(int w, int h, quint16 bits = 24) { return {w, h, bits, 0}; }

}  // namespace

TEST_F(CaptureWindowTest, WindowIsAChildOfItsParentAtTheGivenSize)
{
    const CaptureHandle h = cap().capCreateCaptureWindowA("VykTolvex", kWsChild | kWsVisible, 5, 6, 352, 288,
                                                          &parent, 0);
    ASSERT_NE(h, 0);
    QWidget* w = cap().window(h);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), &parent);
    EXPECT_EQ(w->geometry(), QRect(5, 6, 352, 288));
    EXPECT_EQ(w->objectName(), "VykTolvex");
    EXPECT_NE(makeWindow(), h);
}

TEST_F(CaptureWindowTest, NoWindowWithoutAParent)
{
    EXPECT_EQ(cap().capCreateCaptureWindowA("VykTolvex", kWsChild, 0, 0, 352, 288, nullptr, 0), 0);
}

TEST_F(CaptureWindowTest, DeadHandlesAnswerZeroToEverything)
{
    env.set("TOLVEX_SYNTH_DEVICES", "2");
    const CaptureHandle live = connectedWindow(0);
    const CaptureHandle gone = connectedWindow(1);
    delete cap().window(gone);
    ASSERT_TRUE(cap().capGrabFrameNoStop(live));

    QTemporaryDir dir;
    const QString bmp = dir.filePath("frame.bmp");
    QString text = "untouched";
    BitmapFormat f = format(1, 1);
    const std::pair<const char*, std::function<bool(CaptureHandle)>> calls[] = {
        {"connect", [&](CaptureHandle h) { return cap().capDriverConnect(h, 0); }},
        {"disconnect", [&](CaptureHandle h) { return cap().capDriverDisconnect(h); }},
        {"get name", [&](CaptureHandle h) { return cap().capDriverGetName(h, text); }},
        {"preview", [&](CaptureHandle h) { return cap().capPreview(h, true); }},
        {"preview rate", [&](CaptureHandle h) { return cap().capPreviewRate(h, 25); }},
        {"scale", [&](CaptureHandle h) { return cap().capPreviewScale(h, true); }},
        {"grab", [&](CaptureHandle h) { return cap().capGrabFrameNoStop(h); }},
        {"copy", [&](CaptureHandle h) { return cap().capEditCopy(h); }},
        {"save dib", [&](CaptureHandle h) { return cap().capFileSaveDIB(h, bmp); }},
        {"set format", [&](CaptureHandle h) { return cap().capSetVideoFormat(h, format(640, 480)); }},
        {"get format", [&](CaptureHandle h) { return cap().capGetVideoFormat(h, f); }},
        {"source dialog", [&](CaptureHandle h) { return cap().capDlgVideoSource(h); }},
        {"stop", [&](CaptureHandle h) { return cap().capCaptureStop(h); }},
    };
    QApplication::clipboard()->setText("user text");
    for (const CaptureHandle h : {0, gone, live + 100}) {
        for (const auto& [what, call] : calls)
            EXPECT_FALSE(call(h)) << what << " on h" << h;
        EXPECT_TRUE(cap().lastFrame(h).isNull());
        EXPECT_EQ(cap().window(h), nullptr);
    }
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(f, format(1, 1));
    EXPECT_FALSE(QFile::exists(bmp));
    EXPECT_EQ(QApplication::clipboard()->text(), "user text");
    EXPECT_TRUE(cap().capGrabFrameNoStop(live));
}

TEST_F(CaptureWindowTest, ConnectDisconnectAndReconnect)
{
    const CaptureHandle h = makeWindow();
    EXPECT_FALSE(cap().capGrabFrameNoStop(h));
    EXPECT_FALSE(cap().capDriverDisconnect(h));
    EXPECT_FALSE(cap().capDriverConnect(h, 1));
    EXPECT_FALSE(cap().capDriverConnect(h, -1));
    EXPECT_TRUE(cap().capDriverConnect(h, 0));
    EXPECT_TRUE(cap().capGrabFrameNoStop(h));
    EXPECT_TRUE(cap().capDriverDisconnect(h));
    EXPECT_FALSE(cap().capGrabFrameNoStop(h));
    EXPECT_FALSE(cap().capDriverDisconnect(h));
    EXPECT_TRUE(cap().capDriverConnect(h, 0));
    EXPECT_TRUE(cap().capDriverConnect(h, 0)) << "connecting again to the same device";
    EXPECT_TRUE(cap().capGrabFrameNoStop(h));
}

TEST_F(CaptureWindowTest, ADeviceServesOneWindowAtATime)
{
    const CaptureHandle first = connectedWindow();
    const CaptureHandle second = makeWindow();
    EXPECT_FALSE(cap().capDriverConnect(second, 0));
    ASSERT_TRUE(cap().capDriverDisconnect(first));
    EXPECT_TRUE(cap().capDriverConnect(second, 0));
    delete cap().window(second);
    EXPECT_TRUE(cap().capDriverConnect(first, 0)) << "a window that goes lets its device go";
}

TEST_F(CaptureWindowTest, DriverNameOfTheConnectedDevice)
{
    env.set("TOLVEX_SYNTH_DEVICES", "2");
    const CaptureHandle h = connectedWindow(1);
    QString name;
    ASSERT_TRUE(cap().capDriverGetName(h, name));
    EXPECT_EQ(name, "Tolvex Test Pattern 2");
    ASSERT_TRUE(cap().capDriverGetName(h, name, 7));
    EXPECT_EQ(name, "Tolvex");
    EXPECT_FALSE(cap().capDriverGetName(h, name, 0));
}

TEST_F(CaptureWindowTest, FirstGrabGivesAFullSizeFrame)
{
    const std::pair<const char*, QSize> cases[] = {{"640x480", {640, 480}}, {"1920x1080", {1920, 1080}},
                                                   {"160x120", {160, 120}}};
    for (const auto& [text, size] : cases) {
        SCOPED_TRACE(text);
        env.set("TOLVEX_SYNTH_FORMAT", text);
        restart();
        const CaptureHandle h = connectedWindow();
        const QImage frame = grabbed(h);
        EXPECT_EQ(frame.size(), size);
        EXPECT_EQ(frame.format(), QImage::Format_RGB888);
        BitmapFormat f;
        ASSERT_TRUE(cap().capGetVideoFormat(h, f));
        EXPECT_EQ(f, BitmapFormat::rgb24(size));
        delete cap().window(h);
    }
}

TEST_F(CaptureWindowTest, OnlyExactlyDeliveredFormatsAreAccepted)
{
    env.set("TOLVEX_SYNTH_SIZES", "320x240,640x480,1280x720");
    const CaptureHandle h = connectedWindow();
    const std::pair<BitmapFormat, bool> cases[] = {
        {format(1280, 720), true}, {format(320, 240), true},   {format(1281, 720), false},
        {format(800, 600), false}, {format(1920, 1080), false}, {format(640, 480, 16), true},
        {format(640, 480, 32), true}, {format(640, 480, 8), false}, {{640, 480, 24, 0x32595559}, false},
        {format(1281, 720, 16), false}, {format(640, 480), true},
    };
    BitmapFormat current = format(640, 480);
    for (const auto& [wanted, accepted] : cases) {
        SCOPED_TRACE(QString("%1x%2@%3").arg(wanted.width).arg(wanted.height).arg(wanted.bitCount).toStdString());
        EXPECT_EQ(cap().capSetVideoFormat(h, wanted), accepted);
        if (accepted)
            current = wanted;
        BitmapFormat now;
        ASSERT_TRUE(cap().capGetVideoFormat(h, now));
        EXPECT_EQ(now, current);
        EXPECT_EQ(grabbed(h).size(), current.size());
    }
}

TEST_F(CaptureWindowTest, FormatLastsAcrossReconnectAndForTheNextWindow)
{
    env.set("TOLVEX_SYNTH_DEVICES", "2");
    const CaptureHandle h = connectedWindow(0);
    ASSERT_TRUE(cap().capSetVideoFormat(h, format(1280, 720)));
    ASSERT_TRUE(cap().capDriverDisconnect(h));
    ASSERT_TRUE(cap().capDriverConnect(h, 0));
    EXPECT_EQ(grabbed(h).size(), QSize(1280, 720));
    delete cap().window(h);

    const CaptureHandle next = connectedWindow(0);
    BitmapFormat f;
    ASSERT_TRUE(cap().capGetVideoFormat(next, f));
    EXPECT_EQ(f, format(1280, 720));
    EXPECT_EQ(grabbed(next).size(), QSize(1280, 720));

    const CaptureHandle other = connectedWindow(1);
    ASSERT_TRUE(cap().capGetVideoFormat(other, f));
    EXPECT_EQ(f, format(640, 480)) << "the other device keeps its own format";
}

TEST_F(CaptureWindowTest, SavedDibReadsBackEqual)
{
    env.set("TOLVEX_SYNTH_SCENE", "bars");
    env.set("TOLVEX_SYNTH_SIZES", "161x121");
    const CaptureHandle h = connectedWindow();
    const QImage frame = grabbed(h);
    QTemporaryDir dir;
    const QString path = dir.filePath("cap$$$.tmp");
    ASSERT_TRUE(cap().capFileSaveDIB(h, path));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 22), -121) << "top-down rows";
    EXPECT_EQ(bytes.size(), 54 + 484 * 121) << "rows padded to four bytes";

    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes, "BMP"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB888), frame);
}

// The frame pump saves a frame into its buffer file on every tick: the file is
// rewritten in place, not replaced through a temporary file each time.
TEST_F(CaptureWindowTest, SavedDibRewritesItsFileInPlace)
{
    env.set("TOLVEX_SYNTH_SCENE", "bars");
    const CaptureHandle h = connectedWindow();
    grabbed(h);
    QTemporaryDir dir;
    const QString path = dir.filePath("cap$$$.tmp");
    ASSERT_TRUE(cap().capFileSaveDIB(h, path));
    const QFileInfo before(path);
    const auto inode = [&] {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    };
    const ino_t first = inode();
    for (int tick = 0; tick < 3; ++tick) {
        ASSERT_TRUE(cap().capGrabFrameNoStop(h));
        ASSERT_TRUE(cap().capFileSaveDIB(h, path));
        EXPECT_EQ(inode(), first);
    }
    EXPECT_EQ(QFileInfo(path).size(), before.size());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"cap$$$.tmp"});
}

TEST_F(CaptureWindowTest, SaveDibFailsWhereItCannotWrite)
{
    const CaptureHandle h = connectedWindow();
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath("plain-file");
    QFile blocker(notAFolder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(cap().capFileSaveDIB(h, dir.filePath("frame.bmp"))) << "nothing grabbed yet";
    ASSERT_TRUE(cap().capGrabFrameNoStop(h));
    EXPECT_FALSE(cap().capFileSaveDIB(h, notAFolder + "/frame.bmp"));
    EXPECT_TRUE(cap().capFileSaveDIB(h, dir.filePath("frame.bmp")));
}

TEST_F(CaptureWindowTest, EditCopyPutsTheFrameOnTheClipboard)
{
    env.set("TOLVEX_SYNTH_SCENE", "bars");
    const CaptureHandle h = connectedWindow();
    EXPECT_FALSE(cap().capEditCopy(h)) << "nothing grabbed yet";
    const QImage frame = grabbed(h);
    ASSERT_TRUE(cap().capEditCopy(h));
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), frame);
}

TEST_F(CaptureWindowTest, LastFrameSharesThePixelsOfTheGrab)
{
    const CaptureHandle h = connectedWindow();
    ASSERT_TRUE(cap().capGrabFrameNoStop(h));
    const QImage a = cap().lastFrame(h);
    const QImage b = cap().lastFrame(h);
    EXPECT_EQ(a.constBits(), b.constBits());
    EXPECT_EQ(a.pixel(0, 0), stillColour(parseScene("still:336699").value(), 0));
}

TEST_F(CaptureWindowTest, FailedConnectsAsConfigured)
{
    struct Case {
        const char* setting;
        QList<bool> outcomes;
    };
    const Case cases[] = {
        {"0", {true, true}},
        {"1", {false, true, true}},
        {"2", {false, false, true}},
        {"all", {false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        env.set("TOLVEX_SYNTH_CONNECT_FAIL", c.setting);
        cap().reloadSettings();
        const CaptureHandle h = makeWindow();
        for (const bool expected : c.outcomes) {
            EXPECT_EQ(cap().capDriverConnect(h, 0), expected);
            cap().capDriverDisconnect(h);
        }
    }
}

TEST_F(CaptureWindowTest, PreviewShowsTheLivePictureInTheWindow)
{
    parent.resize(400, 300);
    parent.show();
    const CaptureHandle h = connectedWindow();
    QWidget* w = cap().window(h);
    EXPECT_TRUE(cap().capPreviewRate(h, 10));
    EXPECT_TRUE(cap().capPreviewScale(h, true));
    ASSERT_TRUE(cap().capPreview(h, true));
    const QRgb expected = stillColour(parseScene("still:336699").value(), 0);
    QTRY_COMPARE(w->grab().toImage().pixel(176, 144), expected);
    // Unscaled in a larger window, the picture keeps its size and the rest is black.
    ASSERT_TRUE(cap().capGrabFrameNoStop(h));
    const QSize frame = cap().lastFrame(h).size();
    ASSERT_FALSE(frame.isEmpty());
    w->resize(frame + QSize(20, 10));
    EXPECT_TRUE(cap().capPreviewScale(h, false));
    QTRY_COMPARE(w->grab().toImage().pixel(frame.width() - 1, frame.height() - 1), expected);
    const QImage shown = w->grab().toImage();
    EXPECT_EQ(shown.pixel(frame.width() + 5, 3), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(3, frame.height() + 5), qRgb(0, 0, 0));
    EXPECT_TRUE(cap().capPreview(h, false));
}

TEST_F(CaptureWindowTest, PreviewNeedsADevice)
{
    const CaptureHandle h = makeWindow();
    EXPECT_FALSE(cap().capPreview(h, true));
    EXPECT_TRUE(cap().capPreviewRate(h, 25));
    EXPECT_TRUE(cap().capPreviewScale(h, false));
    EXPECT_TRUE(cap().capCaptureStop(h));
}
