// A 5 MB upload to the loopback FTP server in 255-byte chunks, each with a yield
// and a progress-window update, beside `curl -T` of the same file in the same run.
// Goal: the chunked upload below 0.5 s.
#include "FtpTestServer.h"
#include "automation/DoTheFTP.h"
#include "automation/clsFTP.h"
#include "automation/frmProgress.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr qint64 kFileBytes = 5 * 1024 * 1024;
constexpr double kLimitSeconds = 0.5;

struct Fixture {
    FtpTestServer server;
    QTemporaryDir dir;
    QString file = dir.path() + "/five.jpg";

    Fixture()
    {
        QByteArray bytes(kFileBytes, '\0');
        for (qint64 i = 0; i < kFileBytes; ++i)
            bytes[i] = char((i * 131 + 17) % 256);
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void report(benchmark::State& state, double seconds, int runs)
{
    const double mean = runs ? seconds / runs : 0.0;
    state.counters["seconds"] = mean;
    state.counters["limit_s"] = kLimitSeconds;
    state.counters["within_limit"] = mean < kLimitSeconds ? 1 : 0;
    state.SetBytesProcessed(int64_t(runs) * kFileBytes);
}

void BM_ChunkedUploadWithProgressWindow(benchmark::State& state)
{
    Fixture& f = fixture();
    if (!f.server.running()) {
        state.SkipWithError(f.server.error().toStdString().c_str());
        return;
    }
    frmProgress window(nullptr);
    window.show();
    clsFTP ftp;
    QObject::connect(&ftp, &clsFTP::FileTransferProgress, &window, [&window](qint64 current, qint64 total) {
        window.setBarWidth(progressBarWidth(current, total));
    });
    if (!ftp.OpenConnection(f.server.host(), "writer", "secret")) {
        state.SkipWithError(ftp.LastErrorMessage().toStdString().c_str());
        return;
    }
    double seconds = 0;
    int runs = 0;
    for (auto _ : state) {
        QString local = f.file, remote = "chunked.jpg";
        QElapsedTimer timer;
        timer.start();
        if (!ftp.FTPUploadFile(local, remote))
            state.SkipWithError(ftp.LastErrorMessage().toStdString().c_str());
        seconds += timer.nsecsElapsed() / 1e9;
        ++runs;
    }
    report(state, seconds, runs);
}

void BM_CurlCommandLineUpload(benchmark::State& state)
{
    Fixture& f = fixture();
    if (!f.server.running()) {
        state.SkipWithError(f.server.error().toStdString().c_str());
        return;
    }
    const QString url = QStringLiteral("ftp://127.0.0.1:%1/curl.jpg").arg(f.server.port());
    double seconds = 0;
    int runs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess curl;
        curl.start("curl", {"-sS", "--ftp-port", "-", "-u", "writer:secret", "-T", f.file, url});
        if (!curl.waitForFinished(30000) || curl.exitCode() != 0)
            state.SkipWithError(("curl failed: " + curl.readAllStandardError()).constData());
        seconds += timer.nsecsElapsed() / 1e9;
        ++runs;
    }
    report(state, seconds, runs);
}

}  // namespace

BENCHMARK(BM_ChunkedUploadWithProgressWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CurlCommandLineUpload)->Unit(benchmark::kMillisecond)->UseRealTime();
