// Cost of one motion-detector tick at two frame sizes, beside its limit: the whole
// tick must stay below 0.2 ms at 1920x1080. It reads the 8 x 8 samples of its zone,
// never the whole frame, so the size of the frame should hardly matter.
#include "automation/MotionSampling.h"
#include "common/MainWindowRig.h"

#include <benchmark/benchmark.h>

#include <QTimer>

namespace {

constexpr double kTickLimitMs = 0.2;

const char* sizeName(int64_t index)
{
    return index == 0 ? "640x480" : "1920x1080";
}

QSize sizeOf(int64_t index)
{
    return index == 0 ? QSize(640, 480) : QSize(1920, 1080);
}

// The main window previewing a still test pattern in motion-save mode, its timers
// stopped so that only the benchmark ticks.
struct MotionRig : MainWindowRig {
    explicit MotionRig(const char* size) : MainWindowRig(size, "still")
    {
        w->selectSaveOption(2);
        w->cmdStart_Click();
        for (const char* timer : {"tmrMain", "tmrAutoSave", "tmrAutoMotion", "tmrTime", "tmrCheckSize"})
            w->findChild<QTimer*>(timer)->stop();
    }
};

void reportLimit(benchmark::State& state)
{
    state.counters["limit_ms"] = kTickLimitMs;
    state.SetLabel(sizeName(state.range(0)));
}

// The main window's handler: work picture, one yield, sampling and the test.
void BM_MotionTimerTick(benchmark::State& state)
{
    MotionRig rig(sizeName(state.range(0)));
    for (auto _ : state)
        rig.w->tmrAutoMotion_Timer();
    reportLimit(state);
}

// The detector alone on a frame of that size.
void BM_MotionDetectorTick(benchmark::State& state)
{
    QImage frame(sizeOf(state.range(0)), QImage::Format_RGB888);
    frame.fill(QColor(40, 90, 160));
    SettingsModel s;
    s.MotionSensing = 3;
    automation::MotionHistory history;
    int16_t warmup = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(automation::motionTick(history, warmup, frame, s));
    reportLimit(state);
}

BENCHMARK(BM_MotionTimerTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotionDetectorTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
