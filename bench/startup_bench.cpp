// How long the main window takes to show, beside a bare Qt window of the same size in
// the same run (goal: at most 1.5 times as long). Each iteration shows a bare window,
// then starts the main window over one program folder that an untimed first start
// has set up, as a user's program starts at every start but the first: the services
// main() makes, construction, Form_Load, show, until the platform has exposed it.
// A user's windows are mapped by a window manager, which reparents, frames and
// places them before they are exposed: the figure held to the limit is taken under
// one (window_manager:1). On an X display without one, the benchmark starts openbox
// for that run, as the end-to-end desktop does, and ends it afterwards; the run
// without a window manager (window_manager:0) comes first and is reported beside it.
// BM_ProgramStartBesideABareProgram times the whole program's start the same way: the
// installed program and a bare Qt program (startup_bare: the empty window, and the
// window with one text label, for which the toolkit sets up its fonts as for every
// window with text) are each started anew, from the start of the process until the
// display maps the window; ratio is main_ms / bare_ms and ratio_label main_ms /
// label_ms. A desktop session has a session bus, and every Qt program that shows
// text connects its accessibility bridge to it before its window shows: the figure
// held to the limit is taken with one (session_bus:1; the benchmark starts a private
// dbus-daemon when the display has none and ends it afterwards). Without one
// (session_bus:0), that connection runs dbus-launch at every start of every such
// program, the bare label window's as the program's; the daemon it leaves for the
// display ends with the display.
// Reported (medians over the iterations, in ms): bare_ms, main_ms, and of main_ms
// build_ms (construction) and load_ms (Form_Load); ratio (main_ms / bare_ms) and
// limit; cold_bare_ms and cold_main_ms of the first iteration; managed (1 when a
// window manager managed the windows of the run; offscreen both runs are unmanaged).
// The real figures come from a run on an X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb build/bench/startup_bench
#include "ShellFake.h"
#include "SoundFake.h"
#include "capture/frmMain.h"
#include "platform/capdriver/CaptureSystem.h"
#include "settings/Registry.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr double kLimit = 1.5;

// Whether a window manager runs on the display (it names its check window on the root).
bool windowManagerRuns()
{
    QProcess xprop;
    xprop.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
    if (!xprop.waitForFinished(5000)) {
        xprop.kill();
        xprop.waitForFinished(1000);
        return false;
    }
    return xprop.readAllStandardOutput().contains("window id");
}

// Ends a process the benchmark started, when it still runs: asked first, then made to.
void endStarted(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

// The window manager the benchmark started, ended with the program.
class StartedWindowManager {
public:
    static bool ensure()
    {
        static StartedWindowManager manager;
        return manager.running_;
    }

private:
    StartedWindowManager()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        if (windowManagerRuns()) {
            running_ = true;
            return;
        }
        process_.start("openbox", {"--sm-disable"});
        if (!process_.waitForStarted(5000))
            return;
        QElapsedTimer waited;
        waited.start();
        while (!(running_ = windowManagerRuns()) && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        // The manager names its check window before it manages: a window mapped in
        // between is never exposed. It is ready once a probe window is exposed.
        while (running_ && waited.elapsed() < 15000) {
            QWidget probe;
            probe.resize(100, 100);
            probe.show();
            QElapsedTimer shown;
            shown.start();
            while ((!probe.windowHandle() || !probe.windowHandle()->isExposed()) && shown.elapsed() < 1000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (probe.windowHandle() && probe.windowHandle()->isExposed())
                return;
        }
        running_ = false;
    }
    ~StartedWindowManager() { endStarted(process_); }

    QProcess process_;
    bool running_ = false;
};

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
    // Off an X display (the smoke run is offscreen) no window manager can take part.
    const bool onX = QGuiApplication::platformName() == QLatin1String("xcb");
    const bool managed = onX && state.range(0) != 0;
    if (managed && !StartedWindowManager::ensure()) {
        state.SkipWithError("no window manager could be started (run on an X display with openbox installed)");
        return;
    }
    if (onX && !managed && windowManagerRuns()) {
        state.SkipWithError("a window manager runs on this display already");
        return;
    }
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
    state.counters["managed"] = managed ? 1 : 0;
}



// Ends a started program by its id: asked first, then made to.
void endProgram(pid_t pid)
{
    ::kill(pid, SIGTERM);
    QElapsedTimer waited;
    waited.start();
    while (::waitpid(pid, nullptr, WNOHANG) == 0) {
        if (waited.elapsed() > 5000) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            return;
        }
        ::usleep(2000);
    }
}

struct XcbDisconnect {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
struct XcbFree {
    void operator()(void* reply) const { std::free(reply); }
};
// An event or a reply, freed once.
template <typename T>
using XcbReply = std::unique_ptr<T, XcbFree>;

// Starts the program and times until the display maps a window of it at least 100
// pixels wide among the root's children (its own, or the frame a window manager made
// for it); -1 when none came within 10 s. The program is ended by its id.
double msUntilMapped(const QString& program, const QStringList& arguments)
{
    const std::unique_ptr<xcb_connection_t, XcbDisconnect> c(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(c.get()))
        return -1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c.get())).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c.get(), root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c.get());
    // A round trip: the selection is in place before the program starts.
    XcbReply<xcb_get_input_focus_reply_t>{xcb_get_input_focus_reply(c.get(), xcb_get_input_focus(c.get()), nullptr)};

    QList<QByteArray> words{program.toLocal8Bit()};
    for (const QString& argument : arguments)
        words.append(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    QElapsedTimer clock;
    clock.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (pid < 0)
        return -1;
    double mapped = -1;
    pollfd fd{xcb_get_file_descriptor(c.get()), POLLIN, 0};
    while (mapped < 0 && clock.elapsed() < 10000) {
        while (const XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(c.get())}) {
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            const XcbReply<xcb_get_geometry_reply_t> geometry{
                xcb_get_geometry_reply(c.get(), xcb_get_geometry(c.get(), map->window), nullptr)};
            if (!map->override_redirect && geometry && geometry->width >= 100 && mapped < 0)
                mapped = clock.nsecsElapsed() / 1e6;
        }
        if (mapped < 0)
            ::poll(&fd, 1, 20);
    }
    endProgram(pid);
    return mapped;
}

// The session bus the started programs see, for one run: the display's own or a
// private daemon's, or none. The environment is put back and the daemon ended by its
// id afterwards.
class SessionBusForPrograms {
public:
    explicit SessionBusForPrograms(bool wanted)
        : hadAddress_(qEnvironmentVariableIsSet(kVariable)), address_(qgetenv(kVariable))
    {
        if (!wanted) {
            qunsetenv(kVariable);
            ready_ = true;
            return;
        }
        if (!address_.isEmpty()) {
            ready_ = true;
            return;
        }
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!daemon_.waitForStarted(5000))
            return;
        QByteArray printed;
        QElapsedTimer waited;
        waited.start();
        while (!printed.contains('\n') && waited.elapsed() < 5000 && daemon_.state() == QProcess::Running) {
            daemon_.waitForReadyRead(100);
            printed += daemon_.readAllStandardOutput();
        }
        const QByteArray address = printed.left(printed.indexOf('\n')).trimmed();
        if (address.isEmpty())
            return;
        qputenv(kVariable, address);
        ready_ = true;
    }
    ~SessionBusForPrograms()
    {
        if (hadAddress_)
            qputenv(kVariable, address_);
        else
            qunsetenv(kVariable);
        endStarted(daemon_);
    }
    bool ready() const { return ready_; }

private:
    static constexpr const char* kVariable = "DBUS_SESSION_BUS_ADDRESS";
    bool hadAddress_;
    QByteArray address_;
    QProcess daemon_;
    bool ready_ = false;
};

void BM_ProgramStartBesideABareProgram(benchmark::State& state)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        state.SkipWithError("the program's start is timed on an X display only");
        return;
    }
    const bool managed = state.range(0) != 0;
    if (managed && !StartedWindowManager::ensure()) {
        state.SkipWithError("no window manager could be started (run on an X display with openbox installed)");
        return;
    }
    if (!managed && windowManagerRuns()) {
        state.SkipWithError("a window manager runs on this display already");
        return;
    }
    const bool withBus = state.range(1) != 0;
    const SessionBusForPrograms bus(withBus);
    if (!bus.ready()) {
        state.SkipWithError("no session bus could be started (dbus-daemon)");
        return;
    }
    const ProgramFolder folder;
    msUntilMapped(TOLVEX_PROGRAM, {});  // the first start of the folder, untimed
    std::vector<double> bare, label, main;
    for (auto _ : state) {
        bare.push_back(msUntilMapped(TOLVEX_STARTUP_BARE, {}));
        label.push_back(msUntilMapped(TOLVEX_STARTUP_BARE, {"--label"}));
        main.push_back(msUntilMapped(TOLVEX_PROGRAM, {}));
        if (bare.back() < 0 || label.back() < 0 || main.back() < 0) {
            state.SkipWithError("a program's window was not mapped within 10 s");
            return;
        }
        state.SetIterationTime(main.back() / 1000.0);
    }
    state.counters["bare_ms"] = median(bare);
    state.counters["label_ms"] = median(label);
    state.counters["main_ms"] = median(main);
    state.counters["ratio"] = median(main) / median(bare);
    state.counters["ratio_label"] = median(main) / median(label);
    state.counters["limit"] = kLimit;
    state.counters["managed"] = managed ? 1 : 0;
    state.counters["session_bus"] = withBus ? 1 : 0;
}
// The runs without a window manager come first: the one started for the others
// stays until the benchmark ends.
BENCHMARK(BM_MainWindowShownBesideABareWindow)
    ->ArgName("window_manager")
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK(BM_ProgramStartBesideABareProgram)
    ->ArgNames({"window_manager", "session_bus"})
    ->Args({0, 1})
    ->Args({0, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK(BM_MainWindowShownBesideABareWindow)
    ->ArgName("window_manager")
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK(BM_ProgramStartBesideABareProgram)
    ->ArgNames({"window_manager", "session_bus"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

}  // namespace
