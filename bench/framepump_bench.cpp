// Cost of one frame-pump tick of the main window on each path, beside the capture
// layer's bare grab, at two frame sizes of the test-pattern device. The stream-file
// tick is also set beside a bare write and read back of a bitmap's bytes through one
// reused file (goal: at most twice that), and its share of the default 25 ms period
// is reported as period_share (goal: below 0.25 at 1920x1080).
#include "common/MainWindowRig.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace {

struct PumpRig : MainWindowRig {
    PumpRig(const char* size, int16_t streamSource) : MainWindowRig(size)
    {
        s.StreamSource = streamSource;
        w->cmdStart_Click();
        w->tmrMain->stop();  // ticks come from the benchmark alone
    }
};

const char* sizeName(int64_t index)
{
    return index == 0 ? "640x480" : "1920x1080";
}

void tickOnPath(benchmark::State& state, int16_t streamSource)
{
    PumpRig rig(sizeName(state.range(0)), streamSource);
    for (auto _ : state)
        rig.w->tmrMain_Timer();
    state.SetLabel(sizeName(state.range(0)));
}

QSize frameSize(int64_t index)
{
    return index == 0 ? QSize(640, 480) : QSize(1920, 1080);
}

void BM_BareWriteRead(benchmark::State& state)
{
    QTemporaryDir dir;
    const QSize size = frameSize(state.range(0));
    const qint64 stride = (qint64(size.width()) * 3 + 3) / 4 * 4;
    const QByteArray bytes(54 + stride * size.height(), '\x5a');
    QByteArray back(bytes.size(), '\0');
    QFile file(dir.filePath("bare.bmp"));
    if (!file.open(QIODevice::ReadWrite))
        state.SkipWithError("cannot open the file");
    for (auto _ : state) {
        file.seek(0);
        if (file.write(bytes) != bytes.size() || !file.flush())
            state.SkipWithError("cannot write the file");
        file.seek(0);
        if (file.read(back.data(), back.size()) != back.size())
            state.SkipWithError("cannot read the file");
    }
    state.SetLabel(sizeName(state.range(0)));
}

void BM_TickClipboard(benchmark::State& state) { tickOnPath(state, 0); }
void BM_TickStreamFile(benchmark::State& state)
{
    tickOnPath(state, 1);
    constexpr double kPeriodSeconds = 0.025;
    state.counters["period_share"] = benchmark::Counter(double(state.iterations()) * kPeriodSeconds,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_BareGrab(benchmark::State& state)
{
    PumpRig rig(sizeName(state.range(0)), 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(rig.capture->capGrabFrameNoStop(rig.w->capwnd()));
    state.SetLabel(sizeName(state.range(0)));
}

BENCHMARK(BM_BareGrab)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickClipboard)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
// Wall-clock time for the file paths: waiting on the disk counts against the period.
BENCHMARK(BM_BareWriteRead)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_TickStreamFile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
