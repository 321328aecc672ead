#include "platform/sound/SoundAlsa.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/sound/SoundWave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <mutex>
#include <vector>

namespace {

struct WaveParams {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    QByteArray data = QByteArray(400, '\x10');
    bool extensible = false;
    QByteArray before;           // chunks placed before "fmt "
    int dataSizeOverride = -1;   // a data chunk size that lies
    int blockAlignOverride = -1;
};

void put16(QByteArray& b, uint16_t v) { b.append(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 2); }
void put32(QByteArray& b, uint32_t v) { b.append(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 4); }

QByteArray makeWave(const WaveParams& w)
{
    QByteArray fmt;
    const uint16_t align = w.blockAlignOverride >= 0 ? w.blockAlignOverride : w.channels * w.bits / 8;
    put16(fmt, w.extensible ? 0xFFFE : w.tag);
    put16(fmt, w.channels);
    put32(fmt, w.rate);
    put32(fmt, w.rate * align);
    put16(fmt, align);
    put16(fmt, w.bits);
    if (w.extensible) {
        put16(fmt, 22);
        put16(fmt, w.bits);
        put32(fmt, 0);
        put16(fmt, w.tag);
        fmt.append(QByteArray::fromHex("000000001000800000aa00389b71"));
    }
    QByteArray body = "WAVE" + w.before + "fmt ";
    put32(body, fmt.size());
    body += fmt + "data";
    put32(body, w.dataSizeOverride >= 0 ? w.dataSizeOverride : w.data.size());
    body += w.data;
    QByteArray file = "RIFF";
    put32(file, body.size());
    return file + body;
}

TEST(SoundWave, AcceptsPlainPcmAndFloatOnly)
{
    QByteArray oddChunk = "LIST";
    put32(oddChunk, 3);
    oddChunk += "abc";
    oddChunk += '\0';  // pad byte
    struct Case {
        const char* label;
        WaveParams params;
        bool ok;
        WaveSound::Sample sample = WaveSound::Sample::S16;
        qsizetype frames = 0;
    };
    const Case cases[] = {
        {"16-bit mono", {}, true, WaveSound::Sample::S16, 200},
        {"8-bit stereo", {.channels = 2, .bits = 8}, true, WaveSound::Sample::U8, 200},
        {"24-bit extensible", {.channels = 2, .bits = 24, .data = QByteArray(600, 1), .extensible = true}, true,
         WaveSound::Sample::S24, 100},
        {"32-bit float", {.tag = 3, .bits = 32}, true, WaveSound::Sample::F32, 100},
        {"32-bit integer", {.bits = 32}, true, WaveSound::Sample::S32, 100},
        {"odd chunk before the format", {.before = oddChunk}, true, WaveSound::Sample::S16, 200},
        {"data shorter than it claims", {.dataSizeOverride = 100000}, true, WaveSound::Sample::S16, 200},
        {"partial last frame", {.data = QByteArray(401, 1)}, true, WaveSound::Sample::S16, 200},
        {"ADPCM", {.tag = 2, .bits = 4, .blockAlignOverride = 256}, false},
        {"12-bit", {.bits = 12, .blockAlignOverride = 2}, false},
        {"no channels", {.channels = 0}, false},
        {"absurd rate", {.rate = 10}, false},
        {"block size disagrees", {.blockAlignOverride = 4}, false},
        {"no frames", {.data = QByteArray()}, false},
        {"16-bit float", {.tag = 3, .bits = 16}, false},
    };
    for (const Case& c : cases) {
        const auto wave = parseWave(makeWave(c.params));
        ASSERT_EQ(wave.has_value(), c.ok) << c.label;
        if (!wave)
            continue;
        EXPECT_EQ(wave->sample, c.sample) << c.label;
        EXPECT_EQ(wave->frameCount(), c.frames) << c.label;
        EXPECT_EQ(wave->sampleRate, int(c.params.rate)) << c.label;
        EXPECT_EQ(wave->channels, c.params.channels) << c.label;
    }
}

TEST(SoundWave, RejectsWhatIsNoWaveFile)
{
    QByteArray rifx = makeWave({});
    rifx.replace(0, 4, "RIFX");
    QByteArray dataFirst = "RIFF";
    put32(dataFirst, 16);
    dataFirst += "WAVEdata";
    put32(dataFirst, 4);
    dataFirst += "abcd";
    for (const QByteArray& bad : {QByteArray(), QByteArray("RIFF"), rifx, dataFirst, makeWave({}).left(40),
                                  QByteArray("ID3\x03 not a wave at all")})
        EXPECT_FALSE(parseWave(bad)) << bad.left(12).toHex().toStdString();
}

// A device whose sounds last until the test opens the gate (or the player stops them).
class GatedDevice : public SoundDevice {
public:
    SoundOutcome play(const WaveSound& sound, const std::function<bool()>& shouldStop) override
    {
        std::unique_lock lock(mutex_);
        started_.push_back(sound.sampleRate);
        while (!open_) {
            if (shouldStop())
                return SoundOutcome::Stopped;
            gate_.wait_for(lock, std::chrono::milliseconds(5));
        }
        return SoundOutcome::Played;
    }
    void open()
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        gate_.notify_all();
    }
    std::vector<int> started()
    {
        std::lock_guard lock(mutex_);
        return started_;
    }
    bool waitForStarts(size_t n)
    {
        return QTest::qWaitFor([&] { return started().size() >= n; }, 10000);
    }

private:
    std::mutex mutex_;
    std::condition_variable gate_;
    bool open_ = false;
    std::vector<int> started_;
};

struct Outcomes {
    std::mutex mutex;
    std::vector<std::pair<QString, SoundOutcome>> list;

    SoundPlayer::Observer observer()
    {
        return [this](const QString& path, SoundOutcome o) {
            std::lock_guard lock(mutex);
            list.emplace_back(QFileInfo(path).fileName(), o);
        };
    }
    std::vector<std::pair<QString, SoundOutcome>> get()
    {
        std::lock_guard lock(mutex);
        return list;
    }
    bool waitFor(size_t n)
    {
        return QTest::qWaitFor([&] { return get().size() >= n; }, 10000);
    }
};

struct SoundPlayerTest : ::testing::Test {
    QTemporaryDir dir;
    Outcomes outcomes;
    std::unique_ptr<GatedDevice> owned = std::make_unique<GatedDevice>();
    GatedDevice* device = owned.get();  // stays valid while the player that took it lives

    QString writeWave(const QString& name, uint32_t rate)
    {
        return writeFile(name, makeWave({.rate = rate}));
    }
    QString writeFile(const QString& name, const QByteArray& content)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return f.fileName();
    }
};

TEST_F(SoundPlayerTest, NewSoundStopsThePlayingOne)
{
    SoundPlayer player(std::move(owned), outcomes.observer());
    player.play(writeWave("a.wav", 8000));
    ASSERT_TRUE(device->waitForStarts(1));
    player.play(writeWave("b.bin", 11025));
    ASSERT_TRUE(outcomes.waitFor(1));
    EXPECT_EQ(outcomes.get()[0], std::pair(QString("a.wav"), SoundOutcome::Stopped));
    ASSERT_TRUE(device->waitForStarts(2));
    device->open();
    ASSERT_TRUE(outcomes.waitFor(2));
    EXPECT_EQ(outcomes.get()[1], std::pair(QString("b.bin"), SoundOutcome::Played));
    EXPECT_EQ(device->started(), std::vector<int>({8000, 11025}));
}

TEST_F(SoundPlayerTest, EndingThePlayerStopsAHangingSound)
{
    {
        SoundPlayer player(std::move(owned), outcomes.observer());
        player.play(writeWave("a.wav", 8000));
        ASSERT_TRUE(device->waitForStarts(1));
    }
    EXPECT_EQ(outcomes.get(), (std::vector{std::pair(QString("a.wav"), SoundOutcome::Stopped)}));
}

TEST_F(SoundPlayerTest, ContentDecidesNotTheName)
{
    device->open();
    const QString fifo = dir.filePath("fifo.wav");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QDir().mkpath(dir.filePath("folder.wav"));
    SoundPlayer player(std::move(owned), outcomes.observer());
    const QString files[] = {
        writeFile("text.wav", "just some text, no sound"),
        dir.filePath("missing.wav"),
        dir.filePath("folder.wav"),
        fifo,
        writeWave("real.bin", 16000),
    };
    for (const QString& f : files) {
        const size_t before = outcomes.get().size();
        player.play(f);
        ASSERT_TRUE(outcomes.waitFor(before + 1)) << f.toStdString();
    }
    const std::vector<std::pair<QString, SoundOutcome>> expected = {
        {"text.wav", SoundOutcome::BadFile}, {"missing.wav", SoundOutcome::BadFile},
        {"folder.wav", SoundOutcome::BadFile}, {"fifo.wav", SoundOutcome::BadFile},
        {"real.bin", SoundOutcome::Played},
    };
    EXPECT_EQ(outcomes.get(), expected);
    EXPECT_EQ(device->started(), std::vector<int>({16000}));
}

TEST_F(SoundPlayerTest, AlsaPlaysEveryFormatAndSkipsAMissingDevice)
{
    const QString files[] = {
        writeFile("u8.wav", makeWave({.channels = 2, .bits = 8})),
        writeFile("s24.wav", makeWave({.bits = 24, .data = QByteArray(300, 0)})),
        writeFile("f32.wav", makeWave({.tag = 3, .bits = 32, .data = QByteArray(400, 0), .extensible = true})),
    };
    {
        SoundPlayer player(std::make_unique<AlsaSoundDevice>("null"), outcomes.observer());
        for (const QString& f : files) {
            const size_t before = outcomes.get().size();
            player.play(f);
            ASSERT_TRUE(outcomes.waitFor(before + 1));
        }
    }
    for (const auto& [name, outcome] : outcomes.get())
        EXPECT_EQ(outcome, SoundOutcome::Played) << name.toStdString();

    Outcomes none;
    SoundPlayer missing(std::make_unique<AlsaSoundDevice>("tolvex_no_such_pcm"), none.observer());
    missing.play(files[0]);
    ASSERT_TRUE(none.waitFor(1));
    EXPECT_EQ(none.get()[0].second, SoundOutcome::NoDevice);
}

TEST(ShippedSounds, AreShortDistinctWaveFiles)
{
    const QDir assets(QStringLiteral(TOLVEX_SOURCE_DIR "/assets"));
    QList<QByteArray> contents;
    for (int n = 1; n <= 4; ++n) {
        QFile f(assets.filePath(QString("sound%1.bin").arg(n)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        contents << f.readAll();
        const auto wave = parseWave(contents.last());
        ASSERT_TRUE(wave) << n;
        const double seconds = double(wave->frameCount()) / wave->sampleRate;
        EXPECT_GT(seconds, 0.03) << n;
        EXPECT_LT(seconds, 1.5) << n;
    }
    EXPECT_EQ(QSet<QByteArray>(contents.begin(), contents.end()).size(), 4);
    Outcomes outcomes;
    SoundPlayer player(std::make_unique<AlsaSoundDevice>("null"), outcomes.observer());
    for (int n = 1; n <= 4; ++n) {
        player.play(assets.filePath(QString("sound%1.bin").arg(n)));
        ASSERT_TRUE(outcomes.waitFor(n));
        EXPECT_EQ(outcomes.get().back().second, SoundOutcome::Played) << n;
    }
}

}  // namespace
