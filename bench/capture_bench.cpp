// The frame exchange of the preview, both ways the frame pump can take: a grab
// with a clipboard round trip, and a grab with a bitmap-file round trip, against
// the floor of one plain copy of a frame.
#include "platform/capdriver/CaptureSystem.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QWidget>

using namespace platform::capdriver;

namespace {

QSize sizeOf(const benchmark::State& state)
{
    return {int(state.range(0)), int(state.range(1))};
}

// One connected test-pattern window at the benchmark's size.
struct Rig {
    explicit Rig(QSize size)
    {
        handle = capture.capCreateCaptureWindowA("VykTolvex", kWsChild, 0, 0, 352, 288, &parent, 0);
        ok = capture.capDriverConnect(handle, 0) && capture.capSetVideoFormat(handle, BitmapFormat::rgb24(size))
             && capture.capGrabFrameNoStop(handle);
    }
    CaptureSystem capture;
    QWidget parent;
    CaptureHandle handle = 0;
    bool ok = false;
};

void setBytes(benchmark::State& state)
{
    state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(1) * 3);
}

void BM_GrabOnly(benchmark::State& state)
{
    Rig rig(sizeOf(state));
    if (!rig.ok)
        state.SkipWithError("no test-pattern device");
    for (auto _ : state)
        benchmark::DoNotOptimize(rig.capture.capGrabFrameNoStop(rig.handle));
    setBytes(state);
}

void BM_GrabEditCopyReadBack(benchmark::State& state)
{
    Rig rig(sizeOf(state));
    if (!rig.ok)
        state.SkipWithError("no test-pattern device");
    for (auto _ : state) {
        rig.capture.capGrabFrameNoStop(rig.handle);
        rig.capture.capEditCopy(rig.handle);
        const QImage back = QApplication::clipboard()->image();
        benchmark::DoNotOptimize(back.constBits());
    }
    setBytes(state);
}

void BM_GrabSaveDibLoad(benchmark::State& state)
{
    Rig rig(sizeOf(state));
    QTemporaryDir dir;
    const QString path = dir.filePath("cap$$$.tmp");
    if (!rig.ok)
        state.SkipWithError("no test-pattern device");
    for (auto _ : state) {
        rig.capture.capGrabFrameNoStop(rig.handle);
        rig.capture.capFileSaveDIB(rig.handle, path);
        QImage back(path, "BMP");
        benchmark::DoNotOptimize(back.constBits());
    }
    setBytes(state);
}

void BM_BareFrameCopy(benchmark::State& state)
{
    QImage frame(sizeOf(state), QImage::Format_RGB888);
    frame.fill(Qt::gray);
    for (auto _ : state) {
        QImage copy = frame.copy();
        benchmark::DoNotOptimize(copy.constBits());
    }
    setBytes(state);
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_BareFrameCopy)->Apply(sizes);
BENCHMARK(BM_GrabOnly)->Apply(sizes);
BENCHMARK(BM_GrabEditCopyReadBack)->Apply(sizes);
BENCHMARK(BM_GrabSaveDibLoad)->Apply(sizes);
