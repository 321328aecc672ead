// SaveImage end to end with the stamp on: naming, stamp, encoding and the write,
// beside a bare write of a bitmap's bytes into one reused file: the BMP save should
// take at most 1.5 times the bare write that waits for the disk as the save does.
#include "capture/PictureSaving.h"
#include "capture/PictureSavingNames.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

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
        picture.take(frame);  // callers refill the work picture before each save
        const SaveResult r = saveImage(s, picture, counter);
        if (!r.ok)
            state.SkipWithError(r.reason.toStdString().c_str());
    }
    state.SetItemsProcessed(state.iterations());
}

// The floor for a BMP save: the bytes of a 24-bit bitmap of the size written into one
// file that stays open, with no picture work and no replacing of the file. The safe
// writer waits until a picture has reached the disk, so the floor that counts for it
// is the same write followed by the same wait (synced).
void bareWrite(benchmark::State& state, bool synced)
{
    QTemporaryDir dir;
    const qint64 stride = (state.range(0) * 3 + 3) / 4 * 4;
    const QByteArray bytes(54 + stride * state.range(1), '\x5a');
    QFile file(dir.filePath("bare.bmp"));
    if (!file.open(QIODevice::ReadWrite))
        state.SkipWithError("cannot open the file");
    for (auto _ : state) {
        file.seek(0);
        if (file.write(bytes) != bytes.size() || !file.flush() || (synced && ::fsync(file.handle()) != 0))
            state.SkipWithError("cannot write the file");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_BareWrite(benchmark::State& state) { bareWrite(state, false); }
void BM_BareWriteSynced(benchmark::State& state) { bareWrite(state, true); }

void BM_SaveImageJpeg(benchmark::State& state) { saveImageBench(state, 0); }
void BM_SaveImageBmp(benchmark::State& state) { saveImageBench(state, 1); }

}  // namespace

// Wall-clock time: waiting on the disk is part of a save.
BENCHMARK(BM_BareWrite)->Args({1920, 1080})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareWriteSynced)->Args({1920, 1080})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveImageJpeg)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveImageBmp)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->UseRealTime();
