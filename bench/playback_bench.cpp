// Playing a 1280x720 Motion JPEG clip at its own rate into the viewer's 400x300
// picture box, each frame painted once as the box paints it: processor time per
// second of video, beside the ffmpeg command line decoding the same clip in the
// same run (goal: within 1.2 times). And the time from a seek to the frame being
// drawn.
#include "ClipFixture.h"
#include "platform/video/MciPlayer.h"
#include "platform/video/VideoSurface.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <set>

namespace {

constexpr double kLimitRatio = 1.2;
// The viewer's picture box, which the viewer gives the player as its destination.
constexpr QSize kBoxSize(400, 300);
constexpr int kFramesPerSecond = 30;

// The short smoke run under ctest plays half a second; by hand, five.
int clipFrames()
{
    return qEnvironmentVariableIsSet("TOLVEX_TESTING") ? kFramesPerSecond / 2 : kFramesPerSecond * 5;
}

// A moving, textured scene, so the pictures cost what camera pictures cost.
QImage sceneFrame(int index, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x + index * 4) & 0xFF, (y * 2 + index) & 0xFF, ((x ^ y) + index * 3) & 0xFF);
    }
    QPainter painter(&image);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(100 + index * 8, size.height() / 2), 120, 120);
    return image;
}

struct Clip {
    QTemporaryDir dir;
    QString path = dir.path() + "/scene720.avi";
    bool ok = false;
    Clip()
    {
        ClipSpec spec;
        spec.size = QSize(1280, 720);
        spec.framesPerSecond = kFramesPerSecond;
        spec.frameCount = clipFrames();
        ok = writeClip(path, spec, sceneFrame);
    }
    double seconds() const { return double(clipFrames()) / kFramesPerSecond; }
};

Clip& clip()
{
    static Clip c;
    return c;
}

// Keeps the frame as the viewer's picture box does (no copy) and paints it once
// onto the box's surface, as the box's repaint does.
struct KeepingSurface : VideoSurface {
    void showVideoFrame(const QImage& frame, const QRect&) override
    {
        shown = frame;
        QPainter painter(&box);
        painter.drawImage(box.rect(), shown);
        ++frames;
    }
    QImage shown;
    QImage box{kBoxSize, QImage::Format_RGB32};
    int frames = 0;
};

// The frames of the clip that were drawn at least once.
struct DrawnFrames {
    explicit DrawnFrames(MciPlayer& player)
    {
        QObject::connect(&player, &MciPlayer::frameShown, [this](qint64 index) { indexes.insert(index); });
    }
    std::set<qint64> indexes;
};

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool openClip(MciPlayer& player, KeepingSurface& surface)
{
    return player.sendString("open \"" + clip().path + "\" alias AVIvideo type AVIVideo") == 0 &&
           player.sendString(QString("window AVIvideo handle %1").arg(player.registerWindow(&surface))) == 0 &&
           player.sendString(QString("put AVIvideo destination at 0 0 %1 %2")
                                 .arg(kBoxSize.width())
                                 .arg(kBoxSize.height())) == 0 &&
           player.sendString("set AVIvideo time format s") == 0;
}

// Plays the clip once through and returns the processor seconds it took.
double playThrough(MciPlayer& player)
{
    QEventLoop loop;
    QObject::connect(&player, &MciPlayer::frameShown, &loop, [&loop](qint64 index) {
        if (index == clipFrames() - 1)
            loop.quit();
    });
    QTimer::singleShot(int(clip().seconds() * 1000) + 5000, &loop, &QEventLoop::quit);
    const double before = cpuSeconds(RUSAGE_SELF);
    player.sendString("play AVIvideo");
    loop.exec();
    return cpuSeconds(RUSAGE_SELF) - before;
}

// ffmpeg decoding the same clip as fast as it can; its processor seconds.
double ffmpegDecode(QString& error)
{
    const double before = cpuSeconds(RUSAGE_CHILDREN);
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-nostdin", "-i", clip().path, "-f", "null", "-"});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        error = "ffmpeg failed: " + ffmpeg.errorString() + " " + QString::fromLocal8Bit(ffmpeg.readAllStandardError());
        return 0;
    }
    return cpuSeconds(RUSAGE_CHILDREN) - before;
}

void BM_PlayMotionJpeg720pAtItsRate(benchmark::State& state)
{
    if (!clip().ok) {
        state.SkipWithError("the clip could not be written");
        return;
    }
    double ours = 0, theirs = 0;
    int runs = 0, dropped = 0;
    QString error;
    for (auto _ : state) {
        MciPlayer player;
        KeepingSurface surface;
        DrawnFrames drawn(player);
        if (!openClip(player, surface)) {
            state.SkipWithError("the player refused the clip");
            return;
        }
        ours += playThrough(player);
        dropped += clipFrames() - int(drawn.indexes.size());
        theirs += ffmpegDecode(error);
        if (!error.isEmpty()) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        ++runs;
    }
    const double videoSeconds = clip().seconds() * runs;
    state.counters["cpu_s_per_video_s"] = ours / videoSeconds;
    state.counters["ffmpeg_cpu_s_per_video_s"] = theirs / videoSeconds;
    state.counters["ratio"] = theirs > 0 ? ours / theirs : 0;
    state.counters["limit_ratio"] = kLimitRatio;
    state.counters["within_limit"] = theirs > 0 && ours / theirs <= kLimitRatio ? 1 : 0;
    state.counters["frames_not_drawn"] = dropped;
}

void BM_SeekToShownFrame(benchmark::State& state)
{
    if (!clip().ok) {
        state.SkipWithError("the clip could not be written");
        return;
    }
    MciPlayer player;
    KeepingSurface surface;
    if (!openClip(player, surface)) {
        state.SkipWithError("the player refused the clip");
        return;
    }
    const int tenths = int(clip().seconds() * 10);
    int target = 0, drawn = 0;
    for (auto _ : state) {
        target = (target + 7) % tenths;  // back and forth across the clip
        const int before = surface.frames;
        player.sendString(QString("seek AVIvideo to %1").arg(target));
        drawn += surface.frames - before;
    }
    state.counters["frames_drawn_per_seek"] = benchmark::Counter(drawn, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_PlayMotionJpeg720pAtItsRate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_SeekToShownFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
