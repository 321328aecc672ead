// The JPEG writer against the bare encoder on the same pixels: the difference is
// what the writer adds (encoder set-up per save, the temporary file, the rename).
#include "settings/JpegWriter.h"
#include "settings/TurboHandles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <chrono>
#include <memory>

namespace {

constexpr int kQuality = 75;

QImage picture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(42);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb((x * 255) / w, (y * 255) / h, 96 + rng.bounded(64));
    }
    return img;
}

struct TurboCompressor {
    TurboHandle handle{tjInitCompress()};
    TurboBuffer buffer;
    unsigned long size = 0;

    bool compress(const QImage& img)
    {
        unsigned char* out = buffer.release();
        const int rc = tjCompress2(handle.get(), img.constBits(), img.width(), int(img.bytesPerLine()), img.height(),
                                   TJPF_BGRX, &out, &size, TJSAMP_420, kQuality, 0);
        buffer.reset(out);
        return rc == 0;
    }
};

double bareSecondsPerPicture(const QImage& img)
{
    TurboCompressor tj;
    tj.compress(img);
    constexpr int kRuns = 8;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRuns; ++i)
        tj.compress(img);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRuns;
}

void BM_SavePictureAsJPG(benchmark::State& state)
{
    const QImage img = picture(int(state.range(0)), int(state.range(1)));
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.jpg");
    const double bare = bareSecondsPerPicture(img);
    double spent = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!SavePictureAsJPG(path, kQuality, img))
            state.SkipWithError("save failed");
        spent += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double perSave = spent / double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["writer_ms"] = perSave * 1e3;
    state.counters["encoder_ms"] = bare * 1e3;
    state.counters["writer_over_encoder"] = bare > 0 ? perSave / bare : 0;
    state.SetItemsProcessed(state.iterations());
}

void BM_BareTjCompress2(benchmark::State& state)
{
    const QImage img = picture(int(state.range(0)), int(state.range(1)));
    TurboCompressor tj;
    for (auto _ : state) {
        if (!tj.compress(img))
            state.SkipWithError("tjCompress2 failed");
        benchmark::DoNotOptimize(tj.buffer.get());
    }
    state.counters["jpeg_kB"] = double(tj.size) / 1024.0;
    state.SetItemsProcessed(state.iterations());
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Args({640, 480})->Args({1280, 720})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SavePictureAsJPG)->Apply(sizes);
BENCHMARK(BM_BareTjCompress2)->Apply(sizes);

}  // namespace
