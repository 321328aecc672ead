// FTP uploads to the loopback server, measured beside their limits:
// - a 5 MB upload through clsFTP with the progress window following its events,
//   beside `curl -T` of the same file in the same run: at most 1.2 times curl's time;
// - the longest stall of the window's thread (the longest gap between ticks of a
//   1 ms timer) during an upload to a server that reads 100 KB/s: below 50 ms.
#include "FtpTestServer.h"
#include "automation/DoTheFTP.h"
#include "automation/clsFTP.h"
#include "automation/frmProgress.h"
#include "platform/net/FtpWorker.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace {

constexpr qint64 kFileBytes = 5 * 1024 * 1024;
constexpr double kLimitRatio = 1.2;
constexpr int kThrottle = 100 * 1024;
constexpr qint64 kThrottledBytes = 1024 * 1024;
constexpr double kStallLimitMs = 50;

QString writeFile(const QString& path, qint64 size)
{
    QByteArray bytes(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + 17) % 256);
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    return path;
}

struct Fixture {
    FtpTestServer server;
    QTemporaryDir dir;
    QString file = writeFile(dir.path() + "/five.jpg", kFileBytes);
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// One upload through the client with the progress window following it; seconds.
double clientUpload(clsFTP& ftp, const QString& file, benchmark::State& state)
{
    QString local = file, remote = "chunked.jpg";
    QElapsedTimer timer;
    timer.start();
    if (!ftp.FTPUploadFile(local, remote))
        state.SkipWithError(ftp.LastErrorMessage().toStdString().c_str());
    return timer.nsecsElapsed() / 1e9;
}

double curlUpload(int port, const QString& file, benchmark::State& state)
{
    const QString url = QStringLiteral("ftp://127.0.0.1:%1/curl.jpg").arg(port);
    QElapsedTimer timer;
    timer.start();
    QProcess curl;
    curl.start("curl", {"-sS", "--ftp-port", "-", "-u", "writer:secret", "-T", file, url});
    if (!curl.waitForFinished(30000) || curl.exitCode() != 0)
        state.SkipWithError(("curl failed: " + curl.readAllStandardError()).constData());
    return timer.nsecsElapsed() / 1e9;
}

void BM_UploadWithProgressWindowBesideCurl(benchmark::State& state)
{
    Fixture& f = fixture();
    if (!f.server.running()) {
        state.SkipWithError(f.server.error().toStdString().c_str());
        return;
    }
    platform::FtpWorker worker;
    frmProgress window(nullptr);
    window.show();
    clsFTP ftp(&worker);
    QObject::connect(&ftp, &clsFTP::FileTransferProgress, &window, [&window](qint64 current, qint64 total) {
        window.setBarWidth(progressBarWidth(current, total));
    });
    if (!ftp.OpenConnection(f.server.host(), "writer", "secret")) {
        state.SkipWithError(ftp.LastErrorMessage().toStdString().c_str());
        return;
    }
    double ours = 0, curls = 0;
    int runs = 0;
    for (auto _ : state) {
        ours += clientUpload(ftp, f.file, state);
        curls += curlUpload(f.server.port(), f.file, state);
        ++runs;
    }
    const double ratio = curls > 0 ? ours / curls : 0;
    state.counters["seconds"] = runs ? ours / runs : 0;
    state.counters["curl_seconds"] = runs ? curls / runs : 0;
    state.counters["ratio"] = ratio;
    state.counters["limit_ratio"] = kLimitRatio;
    state.counters["within_limit"] = ratio <= kLimitRatio ? 1 : 0;
    state.SetBytesProcessed(int64_t(runs) * kFileBytes);
}

void BM_WindowStallDuringThrottledUpload(benchmark::State& state)
{
    FtpTestServer server({.throttleBytesPerSecond = kThrottle});
    if (!server.running()) {
        state.SkipWithError(server.error().toStdString().c_str());
        return;
    }
    QTemporaryDir dir;
    const QString file = writeFile(dir.path() + "/slow.jpg", kThrottledBytes);
    platform::FtpWorker worker;
    frmProgress window(nullptr);
    window.show();
    double longestMs = 0, seconds = 0;
    int runs = 0;
    for (auto _ : state) {
        clsFTP ftp(&worker);
        QObject::connect(&ftp, &clsFTP::FileTransferProgress, &window, [&window](qint64 current, qint64 total) {
            window.setBarWidth(progressBarWidth(current, total));
        });
        QElapsedTimer sinceTick;
        QTimer ticks;
        ticks.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (sinceTick.isValid())
                longestMs = std::max(longestMs, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.start();
        });
        ticks.start(1);
        QElapsedTimer timer;
        timer.start();
        if (!ftp.OpenConnection(server.host(), "writer", "secret")) {
            state.SkipWithError(ftp.LastErrorMessage().toStdString().c_str());
            return;
        }
        QString local = file, remote = "slow.jpg";
        if (!ftp.FTPUploadFile(local, remote))
            state.SkipWithError(ftp.LastErrorMessage().toStdString().c_str());
        ftp.CloseConnection();
        seconds += timer.nsecsElapsed() / 1e9;
        ++runs;
    }
    state.counters["seconds"] = runs ? seconds / runs : 0;
    state.counters["longest_stall_ms"] = longestMs;
    state.counters["limit_ms"] = kStallLimitMs;
    state.counters["within_limit"] = longestMs < kStallLimitMs ? 1 : 0;
    state.SetBytesProcessed(int64_t(runs) * kThrottledBytes);
}

}  // namespace

BENCHMARK(BM_UploadWithProgressWindowBesideCurl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowStallDuringThrottledUpload)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
