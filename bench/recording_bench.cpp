// Recording 1280 x 720 Motion JPEG at 40 frames a second and the default quality
// (75) from the test-pattern device, beside the ffmpeg program encoding the same
// test-pattern frames (RGB rows on its input, as the recorder gets them) at the
// same quantiser. Goals: no dropped frames, CPU time per second of video at most
// ffmpeg's, and a file within 10 % of ffmpeg's size. The argument is the length in
// seconds (60 for the real figure, 2 for the smoke run):
//   recording_bench --benchmark_filter=/60/
#include "platform/capdriver/CaptureSystem.h"
#include "platform/capdriver/SceneRenderer.h"
#include "platform/capdriver/SyntheticDevice.h"
#include "platform/video/VideoRecording.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

using namespace platform::capdriver;

namespace {

constexpr int kFramesPerSecond = 40;
constexpr double kCpuLimitRatio = 1.0;
constexpr double kSizeLimitPercent = 10.0;
const QSize kFrameSize(1280, 720);

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct RecordingRun {
    bool ok = false;
    qint64 written = 0;
    qint64 dropped = 0;
    double cpu = 0;
};

RecordingRun recordTestPattern(int seconds, const QString& path)
{
    qputenv("TOLVEX_SYNTH_FORMAT", "1280x720");
    qputenv("TOLVEX_AUDIO", "none");
    CaptureSystem capture;
    capture.setSequencerFactory(platform::video::makeAviSequencerFactory());
    QWidget parent;
    const CaptureHandle h = capture.capCreateCaptureWindowA("VykTolvex", kWsChild, 0, 0, 352, 288, &parent, 0);
    CaptureParms p;
    p.dwRequestMicroSecPerFrame = 1000000 / kFramesPerSecond;
    p.wPercentDropForError = 35;
    p.fLimitEnabled = -1;
    p.wTimeLimit = std::uint32_t(seconds);
    RecordingRun run;
    if (!capture.capDriverConnect(h, 0) || !capture.capFileSetCaptureFile(h, path) || !capture.capCaptureSetSetup(h, p))
        return run;
    const double before = cpuSeconds(RUSAGE_SELF);
    if (!capture.capCaptureSequence(h))
        return run;
    SequenceStatus status;
    while (capture.capGetStatus(h, status) && status.running)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    run.cpu = cpuSeconds(RUSAGE_SELF) - before;
    run.ok = status.result.ok;
    run.written = status.framesWritten;
    run.dropped = status.framesDropped;
    return run;
}

struct FfmpegRun {
    bool ok = false;
    double cpu = 0;
};

// ffmpeg encoding the test pattern's frames of the whole length, as the device
// renders them one frame period apart, at the quantiser of the default quality.
FfmpegRun ffmpegRun(int seconds, const QString& path)
{
    FfmpegRun run;
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty())
        return run;
    const double before = cpuSeconds(RUSAGE_CHILDREN);
    QProcess process;
    process.start(ffmpeg, {"-hide_banner", "-loglevel", "error", "-f", "rawvideo", "-pix_fmt", "rgb24", "-s",
                           QString("%1x%2").arg(kFrameSize.width()).arg(kFrameSize.height()), "-r",
                           QString::number(kFramesPerSecond), "-i", "-", "-c:v", "mjpeg", "-pix_fmt", "yuvj420p",
                           "-q:v", QString::number(platform::video::quantiserFor(VideoCompression{}.quality)), "-y",
                           path});
    if (!process.waitForStarted())
        return run;
    SceneRenderer renderer;
    ScenePicture picture;
    picture.scene = CaptureConfig::fromEnvironment().scene;
    picture.label = SyntheticDevice::nameFor(0);
    picture.size = kFrameSize;
    const int frames = seconds * kFramesPerSecond;
    for (int k = 0; k < frames; ++k) {
        const QImage frame = renderer.render(picture, qint64(k) * 1000 / kFramesPerSecond)
                                 .convertToFormat(QImage::Format_RGB888);
        for (int y = 0; y < frame.height(); ++y)
            process.write(reinterpret_cast<const char*>(frame.constScanLine(y)), frame.width() * 3);
        while (process.bytesToWrite() > 0)
            process.waitForBytesWritten(-1);
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(seconds * 1000 + 60000) || process.exitCode() != 0)
        return run;
    run.ok = true;
    run.cpu = cpuSeconds(RUSAGE_CHILDREN) - before;
    return run;
}

void BM_RecordMotionJpeg720p40(benchmark::State& state)
{
    const int seconds = int(state.range(0));
    QTemporaryDir dir;
    const QString ours = dir.filePath("ours.avi"), theirs = dir.filePath("ffmpeg.avi");
    RecordingRun run;
    FfmpegRun reference;
    for (auto _ : state) {
        const auto began = std::chrono::steady_clock::now();
        run = recordTestPattern(seconds, ours);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
        reference = ffmpegRun(seconds, theirs);
    }
    if (!run.ok) {
        state.SkipWithError("the recording did not complete");
        return;
    }
    const double cpu = run.cpu / seconds;
    const qint64 bytes = QFileInfo(ours).size();
    state.counters["frames_written"] = double(run.written);
    state.counters["frames_dropped"] = double(run.dropped);
    state.counters["cpu_s_per_video_s"] = cpu;
    state.counters["file_bytes"] = double(bytes);
    if (!reference.ok) {
        std::printf("recording %ds: %lld dropped (goal 0), CPU %.3f s/s, file %lld bytes; the ffmpeg program is "
                    "missing or failed, no comparison\n", seconds, run.dropped, cpu, bytes);
        return;
    }
    const double theirCpu = reference.cpu / seconds;
    const qint64 theirBytes = QFileInfo(theirs).size();
    // Slots a loaded machine made the recorder skip are empty chunks; the sizes are
    // compared per frame encoded, which with no drops is the files' own ratio.
    const double perFrame = double(bytes) / double(std::max<qint64>(1, run.written));
    const double theirPerFrame = double(theirBytes) / double(seconds * kFramesPerSecond);
    const double sizeDiff = 100.0 * (perFrame - theirPerFrame) / theirPerFrame;
    state.counters["ffmpeg_cpu_s_per_video_s"] = theirCpu;
    state.counters["cpu_ratio"] = cpu / theirCpu;
    state.counters["ffmpeg_file_bytes"] = double(theirBytes);
    state.counters["size_diff_percent"] = sizeDiff;
    std::printf("recording %ds at quality %d (q:v %d): %lld dropped (goal 0); CPU %.3f s/s vs ffmpeg %.3f s/s = "
                "%.2fx (limit %.1fx); file %lld bytes (%lld frames, %.0f bytes each) vs ffmpeg %lld bytes (%d "
                "frames, %.0f bytes each) = %+.1f %% a frame (limit +-%.0f %%)\n",
                seconds, VideoCompression{}.quality, platform::video::quantiserFor(VideoCompression{}.quality),
                run.dropped, cpu, theirCpu, cpu / theirCpu, kCpuLimitRatio, bytes, run.written, perFrame, theirBytes,
                seconds * kFramesPerSecond, theirPerFrame, sizeDiff, kSizeLimitPercent);
}

}  // namespace

BENCHMARK(BM_RecordMotionJpeg720p40)->Arg(60)->Arg(2)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
