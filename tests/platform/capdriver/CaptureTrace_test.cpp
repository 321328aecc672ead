#include "CaptureTestSupport.h"

#include <QFile>
#include <QTemporaryDir>

using namespace captest;

namespace {

class CaptureTraceTest : public CaptureTest {
protected:
    QStringList traceLines()
    {
        QFile f(tracePath);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    QTemporaryDir dir;
    QString tracePath = dir.filePath("capture.trace");
};

}  // namespace

TEST_F(CaptureTraceTest, OneLinePerCallWithTimeHandleArgumentsAndResult)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    env.set("TOLVEX_CAPTURE_TRACE", tracePath.toUtf8());
    QString name, version;
    clock->set(1234);
    cap().capGetDriverDescriptionA(0, name, version);
    cap().capGetDriverDescriptionA(1, name, version);
    const CaptureHandle h = makeWindow();
    clock->set(1300);
    cap().capDriverConnect(h, 0);
    cap().capDriverGetName(h, name, 128);
    cap().capPreview(h, true);
    cap().capSetVideoFormat(h, {640, 480, 24, 0});
    cap().capSetVideoFormat(h, {800, 600, 24, 0});
    BitmapFormat f;
    cap().capGetVideoFormat(h, f);
    cap().capGrabFrameNoStop(h);
    cap().capFileSaveDIB(h, dir.filePath("cap$$$.tmp"));
    cap().capEditCopy(h);
    cap().capCaptureStop(h);
    cap().capDriverDisconnect(h);
    cap().capGrabFrameNoStop(0);

    const QStringList expected{
        "1234 h0 capGetDriverDescriptionA 0 -> 1",
        "1234 h0 capGetDriverDescriptionA 1 -> 0",
        "1234 h0 capCreateCaptureWindowA \"VykTolvex\" 0x50000000 0 0 352 288 0 -> 1",
        "1300 h1 WM_CAP_DRIVER_CONNECT 0 -> 1",
        "1300 h1 WM_CAP_DRIVER_GET_NAMEA 128 -> 1",
        "1300 h1 WM_CAP_SET_PREVIEW 1 -> 1",
        "1300 h1 WM_CAP_SET_VIDEOFORMAT 640 480 24 0 -> 1",
        "1300 h1 WM_CAP_SET_VIDEOFORMAT 800 600 24 0 -> 0",
        "1300 h1 WM_CAP_GET_VIDEOFORMAT 640 480 24 0 -> 1",
        "1300 h1 WM_CAP_GRAB_FRAME_NOSTOP -> 1",
        "1300 h1 WM_CAP_FILE_SAVEDIBA \"" + dir.filePath("cap$$$.tmp") + "\" -> 1",
        "1300 h1 WM_CAP_EDIT_COPY -> 1",
        "1300 h1 WM_CAP_STOP -> 1",
        "1300 h1 WM_CAP_DRIVER_DISCONNECT -> 1",
        "1300 h0 WM_CAP_GRAB_FRAME_NOSTOP -> 0",
    };
    EXPECT_EQ(traceLines(), expected);
}

TEST_F(CaptureTraceTest, NoTraceFileUnlessAsked)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    cap().capDriverConnect(connectedWindow(), 0);
    EXPECT_FALSE(QFile::exists(tracePath));
}

TEST_F(CaptureTraceTest, ARunAppendsToAnEarlierTrace)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    env.set("TOLVEX_CAPTURE_TRACE", tracePath.toUtf8());
    cap().capCaptureStop(0);
    restart();
    cap().capCaptureStop(0);
    EXPECT_EQ(traceLines().size(), 2);
}
