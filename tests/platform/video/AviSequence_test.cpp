// The recorder's clock against a machine that holds it up: a writing side that is
// slow for a moment (a disk query that hangs, an encoder's slow start) must not cost
// a frame, a clock thread woken late fills the slots it overslept, and only a long
// stall drops slots. Every file keeps the recording's full length in picture and sound.
#include "AviProbe.h"
#include "Sandbox.h"
#include "platform/capdriver/CaptureSequence.h"
#include "platform/video/VideoRecording.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace platform::capdriver;

namespace {

constexpr int kFramesPerSecond = 25;
constexpr int kSeconds = 2;

struct StallCase {
    const char* name;
    int slowFrameCall;  // the call of the picture source that is slow (0: none)
    int frameStallMs;
    int diskStallMs;  // every free-space query takes this long
    bool dropsSlots;
};

class SequenceStalls : public ::testing::TestWithParam<StallCase> {};

}  // namespace

TEST_P(SequenceStalls, OnlyALongStallOfTheClockDropsSlotsAndTheFileKeepsItsLength)
{
    const StallCase c = GetParam();
    Sandbox box;
    // The stalls stand in for a slow device and a slow disk; they are the very
    // delays the recorder has to ride out, not waits of the test.
    auto factory = platform::video::makeAviSequencerFactory([&c](const QString&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(c.diskStallMs));
        return qint64(1) << 40;
    });
    std::unique_ptr<CaptureSequencer> sequence = factory->make();

    QImage picture(160, 120, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    std::atomic<int> calls{0};
    SequenceRequest request;
    request.path = box.root() + "/stall.avi";
    request.parms.dwRequestMicroSecPerFrame = 1000000 / kFramesPerSecond;
    request.parms.wPercentDropForError = 100;
    request.parms.fCaptureAudio = -1;
    request.parms.fLimitEnabled = -1;
    request.parms.wTimeLimit = kSeconds;
    request.compression.codec = VideoCompression::Codec::MotionJpeg;
    request.audioSource = AudioSource::Synthetic;
    request.audioFormat = WaveFormat::pcm(22050, 16, 2);
    request.frames = [&](std::chrono::milliseconds) {
        if (++calls == c.slowFrameCall)
            std::this_thread::sleep_for(std::chrono::milliseconds(c.frameStallMs));
        return picture;
    };

    ASSERT_TRUE(sequence->start(request).ok);
    SequenceStatus status;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(status = sequence->status()).running; }, 20000))
        << "the recording did not end";
    sequence->stop();
    status = sequence->status();
    EXPECT_TRUE(status.result.ok) << status.result.reason.toStdString();
    EXPECT_EQ(status.framesWritten + status.framesDropped, kSeconds * kFramesPerSecond);
    if (c.dropsSlots)
        EXPECT_GT(status.framesDropped, 0);
    else
        EXPECT_EQ(status.framesDropped, 0);
    // 22050 Hz, 16 bits, stereo: 88200 bytes a second.
    EXPECT_EQ(status.audioBytes, kSeconds * 88200);

    const AviInfo info = probeAvi(request.path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_NEAR(info.seconds, double(kSeconds), 0.05);
    EXPECT_EQ(info.audioBytes, kSeconds * 88200);
}

INSTANTIATE_TEST_SUITE_P(
    Stalls, SequenceStalls,
    ::testing::Values(StallCase{"none", 0, 0, 0, false},
                      // The free space is asked once a second, on the writing side.
                      StallCase{"slowDiskQuery", 0, 0, 400, false},
                      // Three frame periods late: the newest frame fills the slots passed.
                      StallCase{"clockLateBriefly", 5, 120, 0, false},
                      // Far behind, slots are skipped and counted, never crowded in.
                      StallCase{"clockLateLong", 5, 700, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });
