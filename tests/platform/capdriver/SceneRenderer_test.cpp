#include "CaptureTestSupport.h"

#include "platform/capdriver/SceneRenderer.h"
#include "platform/capdriver/SyntheticDevice.h"

using namespace captest;

namespace {

class CaptureSceneTest : public CaptureTest {
protected:
    void SetUp() override { env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic"); }

    QImage frameAt(CaptureHandle h, qint64 ms)
    {
        clock->set(ms);
        return grabbed(h);
    }
};

// True when no pixel of a is the same as in b.
bool differsEverywhere(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return true;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) == b.pixel(x, y))
                return false;
    return true;
}

}  // namespace

TEST_F(CaptureSceneTest, StillNeverMoves)
{
    env.set("TOLVEX_SYNTH_SCENE", "still");
    const CaptureHandle h = connectedWindow();
    const QImage first = frameAt(h, 0);
    for (const qint64 ms : {1, 999, 60000, 3600000})
        EXPECT_EQ(frameAt(h, ms), first) << ms;
}

TEST_F(CaptureSceneTest, StillColourIsTheGivenOneAndEachDeviceHasItsOwn)
{
    env.set("TOLVEX_SYNTH_SCENE", "still:FF8000");
    env.set("TOLVEX_SYNTH_DEVICES", "3");
    QList<QRgb> colours;
    for (int i = 0; i < 3; ++i) {
        const QImage frame = grabbed(connectedWindow(i));
        const QRgb c = frame.pixel(0, 0);
        EXPECT_EQ(frame.pixel(frame.width() - 1, frame.height() - 1), c) << "one plain picture";
        EXPECT_FALSE(colours.contains(c)) << i;
        colours << c;
    }
    EXPECT_EQ(colours[0], qRgb(0xFF, 0x80, 0x00));
}

TEST_F(CaptureSceneTest, EventChangesTheWholeFrameOnlyWhileItLasts)
{
    env.set("TOLVEX_SYNTH_SCENE", "event:at=5,for=2");
    env.set("TOLVEX_SYNTH_FORMAT", "160x120");
    const CaptureHandle h = connectedWindow();
    const QImage before = frameAt(h, 0);
    for (const qint64 ms : {4999, 7000, 7001, 90000})
        EXPECT_EQ(frameAt(h, ms), before) << ms;
    const QImage during = frameAt(h, 5000);
    EXPECT_TRUE(differsEverywhere(during, before));
    EXPECT_EQ(frameAt(h, 6999), during);
}

TEST_F(CaptureSceneTest, ReconnectNeverReplaysTheEvent)
{
    env.set("TOLVEX_SYNTH_SCENE", "event:at=5,for=2");
    const CaptureHandle h = connectedWindow();
    const QImage calm = frameAt(h, 1000);
    ASSERT_NE(frameAt(h, 6000), calm);
    clock->set(8000);
    ASSERT_TRUE(cap().capDriverDisconnect(h));
    ASSERT_TRUE(cap().capDriverConnect(h, 0));
    EXPECT_EQ(frameAt(h, 8000), calm);
    EXPECT_EQ(frameAt(h, 13000), calm);
}

TEST_F(CaptureSceneTest, BarsMoveWithTimeAndArePureFunctionsOfIt)
{
    const CaptureHandle h = connectedWindow();
    const QImage a = frameAt(h, 1000);
    const QImage b = frameAt(h, 1500);
    EXPECT_NE(a, b);
    EXPECT_EQ(frameAt(h, 1000), a);

    restart();
    EXPECT_EQ(frameAt(connectedWindow(), 1000), a) << "a new run at the same time shows the same frame";
}

TEST_F(CaptureSceneTest, BarsShowTheStandardColoursAtTheTop)
{
    env.set("TOLVEX_SYNTH_FORMAT", "640x480");
    const QImage frame = frameAt(connectedWindow(), 0);
    const QRgb expected[] = {0xBFBFBF, 0xBFBF00, 0x00BFBF, 0x00BF00, 0xBF00BF, 0xBF0000, 0x0000BF};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(frame.pixel(640 * i / 7 + 45, 200) & 0xFFFFFF, expected[i]) << i;
}

TEST(SceneRendererTest, BrightnessShiftsEveryColourWithinRange)
{
    EXPECT_EQ(withBrightness(qRgb(100, 0, 250), 0), qRgb(100, 0, 250));
    EXPECT_EQ(withBrightness(qRgb(100, 0, 250), 20), qRgb(151, 51, 255));
    EXPECT_EQ(withBrightness(qRgb(100, 0, 250), -100), qRgb(0, 0, 0));
}

TEST(SceneRendererTest, EventColourDiffersInEveryChannel)
{
    for (const QRgb c : {qRgb(0, 0, 0), qRgb(0x80, 0x80, 0x80), qRgb(0x33, 0x66, 0x99), qRgb(255, 255, 255)}) {
        const QRgb e = eventColour(c);
        EXPECT_NE(qRed(e), qRed(c));
        EXPECT_NE(qGreen(e), qGreen(c));
        EXPECT_NE(qBlue(e), qBlue(c));
    }
}

TEST(SceneRendererTest, TenDevicesTenStillColours)
{
    QSet<QRgb> colours;
    for (int i = 0; i < 10; ++i)
        colours.insert(stillColour(SyntheticScene{}, i));
    EXPECT_EQ(colours.size(), 10);
}
