// Recording 1280 x 720 Motion JPEG at 40 frames a second from the test-pattern
// device, beside the ffmpeg program encoding its own test source of the same size
// and rate in real time. Goal: no dropped frames, and CPU time per second of video
// within 1.2 times ffmpeg's. The argument is the length in seconds (60 for the real
// figure, 2 for the smoke run):
//   recording_bench --benchmark_filter=/60/
#include "platform/capdriver/CaptureSystem.h"
#include "platform/video/VideoRecording.h"

#include <benchmark/benchmark.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <thread>

using namespace platform::capdriver;

namespace {

constexpr int kFramesPerSecond = 40;
constexpr double kCpuLimitRatio = 1.2;

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

// CPU seconds of ffmpeg encoding the same size and rate in real time; -1 without it.
double ffmpegCpu(int seconds, const QString& path)
{
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty())
        return -1;
    const double before = cpuSeconds(RUSAGE_CHILDREN);
    QProcess process;
    process.start(ffmpeg, {"-hide_banner", "-loglevel", "error", "-re", "-f", "lavfi", "-i",
                           QString("testsrc=size=1280x720:rate=%1").arg(kFramesPerSecond), "-t",
                           QString::number(seconds), "-c:v", "mjpeg", "-pix_fmt", "yuvj420p", "-q:v",
                           QString::number(platform::video::quantiserFor(VideoCompression{}.quality)), "-y", path});
    if (!process.waitForFinished(seconds * 1000 + 60000) || process.exitCode() != 0)
        return -1;
    return cpuSeconds(RUSAGE_CHILDREN) - before;
}

void BM_RecordMotionJpeg720p40(benchmark::State& state)
{
    const int seconds = int(state.range(0));
    QTemporaryDir dir;
    RecordingRun run;
    double theirs = -1;
    for (auto _ : state) {
        const auto began = std::chrono::steady_clock::now();
        run = recordTestPattern(seconds, dir.filePath("ours.avi"));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
        theirs = ffmpegCpu(seconds, dir.filePath("ffmpeg.avi"));
    }
    if (!run.ok) {
        state.SkipWithError("the recording did not complete");
        return;
    }
    const double ours = run.cpu / seconds;
    state.counters["frames_written"] = double(run.written);
    state.counters["frames_dropped"] = double(run.dropped);
    state.counters["cpu_s_per_video_s"] = ours;
    if (theirs >= 0) {
        state.counters["ffmpeg_cpu_s_per_video_s"] = theirs / seconds;
        state.counters["cpu_ratio"] = ours / (theirs / seconds);
        std::printf("recording %ds: %lld dropped (goal 0), CPU %.3f s/s vs ffmpeg %.3f s/s = %.2fx (limit %.1fx)\n",
                    seconds, run.dropped, ours, theirs / seconds, ours / (theirs / seconds), kCpuLimitRatio);
    } else {
        std::printf("recording %ds: %lld dropped (goal 0), CPU %.3f s/s; the ffmpeg program is missing, "
                    "no comparison\n", seconds, run.dropped, ours);
    }
}

}  // namespace

BENCHMARK(BM_RecordMotionJpeg720p40)->Arg(60)->Arg(2)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
