// Cost of one frame-pump tick of the main window on each path, beside the capture
// layer's bare grab, at two frame sizes of the test-pattern device.
#include "capture/frmMain.h"
#include "ShellFake.h"
#include "SoundFake.h"
#include "platform/capdriver/CaptureSystem.h"
#include "settings/Registry.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace {

struct PumpRig {
    QTemporaryDir dir;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<platform::capdriver::CaptureSystem> capture;
    RecordingSoundOutput sound;
    RecordingShell shell;
    SettingsModel s;
    std::unique_ptr<frmMain> w;

    PumpRig(const char* size, int16_t streamSource)
    {
        qputenv("TOLVEX_HOME", dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        qputenv("TOLVEX_CAPTURE_DRIVERS", "synthetic");
        qputenv("TOLVEX_SYNTH_FORMAT", size);
        registry = std::make_unique<Registry>();
        capture = std::make_unique<platform::capdriver::CaptureSystem>();
        w = std::make_unique<frmMain>(s, MainServices{*registry, *capture, sound, shell});
        w->setEndProcess([] {});
        w->setSleep([](int) {});
        w->Form_Load();
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

void BM_TickClipboard(benchmark::State& state) { tickOnPath(state, 0); }
void BM_TickStreamFile(benchmark::State& state) { tickOnPath(state, 1); }

void BM_BareGrab(benchmark::State& state)
{
    PumpRig rig(sizeName(state.range(0)), 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(rig.capture->capGrabFrameNoStop(rig.w->capwnd()));
    state.SetLabel(sizeName(state.range(0)));
}

BENCHMARK(BM_BareGrab)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickClipboard)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickStreamFile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
