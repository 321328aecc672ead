// How long the main window takes to show, beside a bare Qt window of the same size in
// the same run (goal: at most 1.5 times as long). Each iteration shows a bare window,
// then starts the main window over one program folder that an untimed first start
// has set up, as a user's program starts at every start but the first: the services
// main() makes, construction, Form_Load, show, until the platform has exposed it.
// Reported (medians over the iterations, in ms): bare_ms, main_ms, and of main_ms
// build_ms (construction) and load_ms (Form_Load); ratio (main_ms / bare_ms, the
// figure held to the limit) and limit; cold_bare_ms and cold_main_ms of the first
// iteration. The real figure comes from a run on an X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb build/bench/startup_bench
#include "ShellFake.h"
#include "SoundFake.h"
#include "capture/frmMain.h"
#include "platform/capdriver/CaptureSystem.h"
#include "settings/Registry.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr double kLimit = 1.5;

double msSince(const QElapsedTimer& clock)
{
    return clock.nsecsElapsed() / 1e6;
}

// Shows the window and turns the event loop until the platform has exposed it.
void showAndWait(QWidget& window)
{
    window.show();
    QElapsedTimer waited;
    waited.start();
    while ((!window.windowHandle() || !window.windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

double bareWindowMs()
{
    QElapsedTimer clock;
    clock.start();
    QWidget bare;
    bare.resize(475, 374);
    bare.setWindowTitle("bare");
    showAndWait(bare);
    return msSince(clock);
}

// One start of the program over the folder: the services main() makes, the window.
struct ProgramStart {
    QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    Registry registry;
    platform::capdriver::CaptureSystem capture;
    RecordingSoundOutput sound;
    RecordingShell shell;
    SettingsModel s;
    frmMain w{s, MainServices{registry, capture, sound, shell}};
    double buildMs = 0, loadMs = 0;

    ProgramStart()
    {
        buildMs = msSince(clock);
        w.setEndProcess([] {});
        w.Form_Load();
        loadMs = msSince(clock) - buildMs;
    }
};

struct ProgramFolder {
    QTemporaryDir dir;
    ProgramFolder()
    {
        qputenv("TOLVEX_HOME", dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        qputenv("TOLVEX_SYNTH_FORMAT", "640x480");
        ProgramStart first;  // writes the settings file and the per-user records
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_MainWindowShownBesideABareWindow(benchmark::State& state)
{
    const ProgramFolder folder;
    std::vector<double> bare, main, build, load;
    for (auto _ : state) {
        bare.push_back(bareWindowMs());
        QElapsedTimer clock;
        clock.start();
        auto start = std::make_unique<ProgramStart>();
        showAndWait(start->w);
        main.push_back(msSince(clock));
        build.push_back(start->buildMs);
        load.push_back(start->loadMs);
        start->w.hide();
        state.SetIterationTime(main.back() / 1000.0);
    }
    state.counters["cold_bare_ms"] = bare.front();
    state.counters["cold_main_ms"] = main.front();
    state.counters["bare_ms"] = median(bare);
    state.counters["main_ms"] = median(main);
    state.counters["build_ms"] = median(build);
    state.counters["load_ms"] = median(load);
    state.counters["ratio"] = median(main) / median(bare);
    state.counters["limit"] = kLimit;
}
BENCHMARK(BM_MainWindowShownBesideABareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace
