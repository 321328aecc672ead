// SaveImage end to end with the stamp on: naming, stamp, encoding and the write.
#include "capture/PictureSaving.h"
#include "capture/PictureSavingNames.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

QImage framePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb(x % 256, y % 256, (x * y) % 256);
    }
    return image;
}

void saveImageBench(benchmark::State& state, int bitmapType)
{
    QTemporaryDir dir;
    SettingsModel s;
    s.DefaultFilename = "Cam";
    s.DateFormat = "yy-mm-dd";
    s.MaxSaveLimit = 1;  // one file, replaced on every save
    s.SaveFileNameOptions = kNameCounter;
    s.SaveBitmapType = int16_t(bitmapType);
    s.JPGQuality = 75;
    s.EmbedTime = 1;
    s.StampText = "Tolvex ";
    s.PicturePath = dir.path();
    const QImage frame = framePicture(int(state.range(0)), int(state.range(1)));
    WorkPicture picture;
    int32_t counter = 0;
    for (auto _ : state) {
        picture.image = frame;  // callers refill the work picture before each save
        const SaveResult r = saveImage(s, picture, counter);
        if (!r.ok)
            state.SkipWithError(r.reason.toStdString().c_str());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SaveImageJpeg(benchmark::State& state) { saveImageBench(state, 0); }
void BM_SaveImageBmp(benchmark::State& state) { saveImageBench(state, 1); }

}  // namespace

BENCHMARK(BM_SaveImageJpeg)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveImageBmp)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
