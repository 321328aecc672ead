#include "ClipFixture.h"
#include "Sandbox.h"
#include "platform/video/MciCommand.h"
#include "platform/video/MciPlayer.h"
#include "platform/video/VideoSurface.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct RecordingSurface : VideoSurface {
    void showVideoFrame(const QImage& frame, const QRect& destination) override
    {
        frames.append(frame);
        places.append(destination);
    }
    int lastGrey() const { return frames.isEmpty() ? -1 : greyAtCentre(frames.last()); }
    QList<QImage> frames;
    QList<QRect> places;
};

// A player on a clock the test moves, with the grey clip (3 s, 10 frames a
// second, frame i grey 8 i) open under "AVIvideo" and drawing into a surface.
struct PlayerFixture {
    Sandbox box;
    qint64 clock = 0;
    MciPlayer player{[this] { return clock; }};
    RecordingSurface surface;
    QString clip = box.programFolder() + "/grey clip.avi";

    explicit PlayerFixture(ClipCodec codec = ClipCodec::MotionJpeg)
    {
        ClipSpec spec;
        spec.codec = codec;
        EXPECT_TRUE(writeClip(clip, spec));
    }
    int send(const QString& command) { return player.sendString(command); }
    QString ask(const QString& command)
    {
        QString reply = "untouched";
        player.sendString(command, &reply);
        return reply;
    }
    void openAndShow()
    {
        ASSERT_EQ(send("open \"" + clip + "\" alias AVIvideo type AVIVideo"), 0);
        ASSERT_EQ(send(QString("window AVIvideo handle %1").arg(player.registerWindow(&surface))), 0);
        send("set AVIvideo time format s");
    }
    void at(qint64 ms)
    {
        clock = ms;
        player.advance();
    }
};

}  // namespace

TEST(MciPlayer, OpensAndTellsTheLengthInEachTimeFormat)
{
    PlayerFixture f;
    ASSERT_EQ(f.send("open \"" + f.clip + "\" alias AVIvideo type AVIVideo"), 0);
    EXPECT_EQ(f.ask("status AVIvideo length "), "30");  // frames until a format is set
    EXPECT_EQ(f.send("set AVIvideo time format s"), 0);
    EXPECT_EQ(f.ask("status AVIvideo length "), "30");
    EXPECT_EQ(f.send("set AVIvideo time format ms"), 0);
    EXPECT_EQ(f.ask("status AVIvideo length"), "3000");
    EXPECT_EQ(f.send("set AVIvideo time format smpte"), kMciBadTimeFormat);
    EXPECT_EQ(f.ask("status AVIvideo mode"), "stopped");
    EXPECT_EQ(f.ask("status AVIvideo position"), "0");
    EXPECT_EQ(f.ask("status AVIvideo volume"), "");
}

TEST(MciPlayer, RefusesWhatItCannotOpenWithItsCode)
{
    PlayerFixture f;
    const QString bad = f.box.programFolder() + "/bad.avi";
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFFxyz");  // seven bytes
    file.close();
    EXPECT_EQ(f.send("open \"" + bad + "\" alias AVIvideo type AVIVideo"), kMciInvalidFile);
    EXPECT_EQ(f.send("open \"" + f.box.programFolder() + "/none.avi\" alias AVIvideo"), kMciFileNotFound);
    EXPECT_EQ(f.ask("status AVIvideo mode"), "");
    ASSERT_EQ(f.send("open \"" + f.clip + "\" alias AVIvideo type AVIVideo"), 0);
    EXPECT_EQ(f.send("open \"" + f.clip + "\" alias AVIvideo type AVIVideo"), kMciDuplicateAlias);
    EXPECT_EQ(f.send("play OtherVideo"), kMciInvalidDeviceName);
    EXPECT_EQ(f.send("rewind AVIvideo"), kMciUnrecognizedCommand);
    EXPECT_EQ(f.send("window AVIvideo handle 99"), kMciNoWindow);
}

TEST(MciPlayer, AfterCloseEveryAnswerIsEmpty)
{
    PlayerFixture f;
    f.openAndShow();
    f.send("play AVIvideo");
    EXPECT_EQ(f.send("stop AVIvideo"), 0);
    EXPECT_EQ(f.send("close AVIvideo"), 0);
    for (const char* item : {"length ", "mode", "position"})
        EXPECT_EQ(f.ask(QString("status AVIvideo ") + item), "") << item;
    EXPECT_NE(f.send("stop AVIvideo"), 0);
    EXPECT_NE(f.send("close AVIvideo"), 0);
    // Opening again works at once.
    EXPECT_EQ(f.send("open \"" + f.clip + "\" alias AVIvideo type AVIVideo"), 0);
}

TEST(MciPlayer, PlaysAtTheClipsRateIntoTheDestinationAndStopsAtTheEnd)
{
    for (ClipCodec codec : {ClipCodec::MotionJpeg, ClipCodec::Raw, ClipCodec::Mpeg4}) {
        PlayerFixture f(codec);
        f.openAndShow();
        EXPECT_EQ(f.send("put AVIvideo destination at 4 2 32 24"), 0);
        EXPECT_EQ(f.surface.places.last(), QRect(4, 2, 32, 24));
        EXPECT_EQ(f.surface.frames.last().size(), QSize(32, 24));
        EXPECT_EQ(f.send("play AVIvideo"), 0);
        EXPECT_EQ(f.ask("status AVIvideo mode"), "playing");
        EXPECT_NEAR(f.surface.lastGrey(), 0, 2);
        f.at(1050);
        EXPECT_NEAR(f.surface.lastGrey(), 80, 2) << int(codec);
        EXPECT_EQ(f.ask("status AVIvideo position"), "11");
        f.at(2990);
        EXPECT_NEAR(f.surface.lastGrey(), 232, 2);
        f.at(3500);
        EXPECT_EQ(f.ask("status AVIvideo mode"), "stopped");
        EXPECT_EQ(f.ask("status AVIvideo position"), "30");
        EXPECT_NEAR(greyAtCentre(f.player.lastFrame()), 232, 2);
    }
}

TEST(MciPlayer, RepeatGoesRoundUntilStopped)
{
    PlayerFixture f;
    f.openAndShow();
    f.send("play AVIvideo repeat");
    f.at(3520);
    EXPECT_EQ(f.ask("status AVIvideo mode"), "playing");
    EXPECT_NEAR(f.surface.lastGrey(), 40, 2);
    f.at(61000);
    EXPECT_NEAR(f.surface.lastGrey(), 80, 2);
    f.send("stop AVIvideo");
    EXPECT_EQ(f.ask("status AVIvideo mode"), "stopped");
}

TEST(MciPlayer, PauseResumeAndSeekShowTheirFrames)
{
    PlayerFixture f;
    f.openAndShow();
    f.send("play AVIvideo repeat");
    f.at(1000);
    EXPECT_EQ(f.send("pause AVIvideo"), 0);
    EXPECT_EQ(f.ask("status AVIvideo mode"), "paused");
    f.at(2000);
    EXPECT_EQ(f.ask("status AVIvideo position"), "10");
    EXPECT_EQ(f.send("resume AVIvideo"), 0);
    f.at(2500);
    EXPECT_EQ(f.ask("status AVIvideo position"), "15");
    EXPECT_NEAR(f.surface.lastGrey(), 120, 2);

    EXPECT_EQ(f.send("seek AVIvideo to 5"), 0);
    EXPECT_EQ(f.ask("status AVIvideo mode"), "stopped");
    EXPECT_NEAR(f.surface.lastGrey(), 40, 2);  // half a second in
    EXPECT_EQ(f.send("seek AVIvideo to end"), 0);
    EXPECT_NEAR(f.surface.lastGrey(), 232, 2);
    EXPECT_EQ(f.ask("status AVIvideo position"), "30");
    EXPECT_EQ(f.send("seek AVIvideo to 12"), 0);
    EXPECT_NEAR(f.surface.lastGrey(), 96, 2);

    // Resuming after a seek plays on from there and keeps the loop.
    EXPECT_EQ(f.send("resume AVIvideo"), 0);
    EXPECT_EQ(f.ask("status AVIvideo mode"), "playing");
    f.at(2500 + 2000);
    EXPECT_NEAR(f.surface.lastGrey(), 8 * 2, 2);  // 1.2 s + 2 s = 3.2 s, round the loop
}

TEST(MciPlayer, AbsurdSeeksAndStartsEndAtTheClipsEdges)
{
    PlayerFixture f;
    f.openAndShow();
    ASSERT_EQ(f.send("seek AVIvideo to 9223372036854775807"), 0);
    EXPECT_EQ(f.ask("status AVIvideo position"), "30");
    ASSERT_EQ(f.send("seek AVIvideo to -9223372036854775808"), 0);
    EXPECT_EQ(f.ask("status AVIvideo position"), "0");
    ASSERT_EQ(f.send("set AVIvideo time format frames"), 0);
    ASSERT_EQ(f.send("seek AVIvideo to 9223372036854775807"), 0);
    EXPECT_EQ(f.ask("status AVIvideo position"), "30");
    ASSERT_EQ(f.send("play AVIvideo from 9223372036854775807"), 0);
    EXPECT_EQ(f.ask("status AVIvideo mode"), "stopped");
    EXPECT_EQ(f.ask("status AVIvideo position"), "30");
}

TEST(MciPlayer, SeeksLandOnTheirFrameWhereFramesDependOnEachOther)
{
    PlayerFixture f(ClipCodec::Mpeg4);
    f.openAndShow();
    // Forward past key frames, back before them, and to the frames next to them.
    const struct {
        int tenths;
        int grey;
    } seeks[] = {{25, 200}, {3, 24}, {19, 152}, {20, 160}, {9, 72}, {10, 80}, {30, 232}, {0, 0}, {11, 88}};
    for (const auto& s : seeks) {
        EXPECT_EQ(f.send(QString("seek AVIvideo to %1").arg(s.tenths)), 0);
        EXPECT_NEAR(f.surface.lastGrey(), s.grey, 3) << s.tenths;
    }
    f.send("play AVIvideo");  // on from 1.1 s, every frame in turn
    for (int ms = 0; ms <= 1800; ms += 100) {
        f.at(ms);
        EXPECT_NEAR(f.surface.lastGrey(), 8 * (11 + ms / 100), 3) << ms;
    }
}

TEST(MciPlayer, ACutOffClipPlaysWhatItHoldsAndKeepsItsLastPicture)
{
    PlayerFixture f(ClipCodec::Raw);  // frames of equal size: half the file is half the clip
    QFile file(f.clip);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));  // the index and the second half are gone
    file.close();
    f.openAndShow();
    f.send("set AVIvideo time format frames");
    const QString found = f.ask("status AVIvideo length");
    EXPECT_LT(found.toInt(), 17) << "the length is what the file holds, not the header's 30 frames";
    EXPECT_GE(found.toInt(), 14);
    f.send("set AVIvideo time format s");
    f.send("play AVIvideo");
    f.at(1000);
    EXPECT_NEAR(f.surface.lastGrey(), 80, 2);
    f.at(2500);  // past what the file holds
    const int last = f.surface.lastGrey();
    EXPECT_GT(last, 80);
    EXPECT_LT(last, 200);
    f.at(3500);
    EXPECT_EQ(f.ask("status AVIvideo mode"), "stopped");
    EXPECT_EQ(f.surface.lastGrey(), last);
    EXPECT_EQ(f.send("seek AVIvideo to 5"), 0);  // and back again
    EXPECT_NEAR(f.surface.lastGrey(), 40, 2);
}

TEST(MciPlayer, TheLastFrameOutlivesTheDevice)
{
    PlayerFixture f;
    f.openAndShow();
    f.send("put AVIvideo destination at 0 0 521 381");
    f.send("seek AVIvideo to 20");
    f.send("close AVIvideo");
    EXPECT_EQ(f.player.lastFrame().size(), QSize(521, 381));
    EXPECT_NEAR(greyAtCentre(f.player.lastFrame()), 160, 2);
}

TEST(MciPlayer, AWindowThatGoesIsNoLongerDrawnInto)
{
    PlayerFixture f;
    f.openAndShow();
    const qsizetype drawn = f.surface.frames.size();
    f.player.unregisterWindow(1);
    f.send("seek AVIvideo to 20");
    EXPECT_EQ(f.surface.frames.size(), drawn);
}

TEST(MciPlayer, AClipWithSoundPlaysWithOrWithoutASoundDevice)
{
    Sandbox box;
    const QString clip = box.programFolder() + "/sound.avi";
    ClipSpec spec;
    spec.withSound = true;
    ASSERT_TRUE(writeClip(clip, spec));
    qint64 clock = 0;
    MciPlayer player([&clock] { return clock; });
    RecordingSurface surface;
    ASSERT_EQ(player.sendString("open \"" + clip + "\" alias AVIvideo type AVIVideo"), 0);
    player.sendString(QString("window AVIvideo handle %1").arg(player.registerWindow(&surface)));
    QString reply;
    player.sendString("status AVIvideo length", &reply);
    EXPECT_EQ(reply, "30");  // the pictures' frames; the sound stream does not count
    EXPECT_EQ(player.sendString("play AVIvideo repeat"), 0);
    clock = 1000;
    player.advance();
    EXPECT_NEAR(surface.lastGrey(), 80, 2);
    EXPECT_EQ(player.sendString("pause AVIvideo"), 0);
    EXPECT_FALSE(player.soundPlaying());
    EXPECT_EQ(player.sendString("resume AVIvideo"), 0);
    clock = 4000;  // round the loop: the sound starts over
    player.advance();
    EXPECT_NEAR(surface.lastGrey(), 80, 2);
    EXPECT_EQ(player.sendString("seek AVIvideo to 5"), 0);
    EXPECT_FALSE(player.soundPlaying());
    EXPECT_EQ(player.sendString("close AVIvideo"), 0);
}

namespace {

// Offsets of the whole video chunks ("00dc"/"00db") of an AVI file's movi list.
QList<qint64> videoChunks(const QByteArray& avi)
{
    QList<qint64> chunks;
    qint64 pos = avi.indexOf("movi") + 4;
    while (pos + 8 <= avi.size()) {
        const QByteArray id = avi.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(avi.constData() + pos + 4);
        if (id == "idx1" || quint64(pos) + 8 + size > quint64(avi.size()))
            break;
        if (id.startsWith("00d"))
            chunks.append(pos);
        pos += 8 + size + (size & 1);
    }
    return chunks;
}

void putLe32(QByteArray& bytes, qint64 at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// The clip as a killed recorder leaves it: no index, open list sizes, the header's
// counts still 0, and the file cut inside the picture after `keep` whole ones.
QByteArray killedRecording(QByteArray avi, int keep)
{
    const QList<qint64> chunks = videoChunks(avi);
    avi.truncate(chunks.at(keep) + 8 + 100);
    putLe32(avi, 4, 0xFFFFFFFFu);
    putLe32(avi, avi.indexOf("movi") - 4, 0xFFFFFFFFu);
    putLe32(avi, avi.indexOf("avih") + 8 + 16, 0);
    putLe32(avi, avi.indexOf("strh") + 8 + 32, 0);
    if (const qint64 dmlh = avi.indexOf("dmlh"); dmlh > 0)
        putLe32(avi, dmlh + 8, 0);
    return avi;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

// A recording cut off by a kill or a power cut has no index and counts nothing in
// its header: the player reads it through, as FFmpeg does, and plays the pictures
// it holds for as long as they last.
TEST(MciPlayer, AClipWithoutAnIndexOpensWithTheFramesItHolds)
{
    for (const ClipCodec codec : {ClipCodec::MotionJpeg, ClipCodec::Raw}) {
        PlayerFixture f(codec);
        writeAll(f.clip, killedRecording(readAll(f.clip), 12));
        f.openAndShow();
        f.send("set AVIvideo time format frames");
        EXPECT_EQ(f.ask("status AVIvideo length"), "12") << int(codec);
        f.send("set AVIvideo time format ms");
        EXPECT_EQ(f.ask("status AVIvideo length"), "1200") << int(codec);
        EXPECT_NEAR(f.surface.lastGrey(), 0, 2);
        f.send("play AVIvideo");
        f.at(1150);
        EXPECT_NEAR(f.surface.lastGrey(), 88, 2) << int(codec);
        f.at(1300);
        EXPECT_EQ(f.ask("status AVIvideo mode"), "stopped");
        EXPECT_EQ(f.send("seek AVIvideo to 500"), 0);  // seeking works on what was found
        EXPECT_NEAR(f.surface.lastGrey(), 40, 2) << int(codec);
    }
}

namespace {

QStringList g_videoLog;

void keepVideoLog(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (context.category && QByteArray(context.category) == "tolvex.video")
        g_videoLog.append(text);
}

}  // namespace

// A clip whose pictures are damaged reports the first decoder error only, not one
// line for every picture played.
TEST(MciPlayer, ADamagedClipLogsItsFirstDecoderErrorOnly)
{
    PlayerFixture f;
    QByteArray avi = readAll(f.clip);
    const QList<qint64> chunks = videoChunks(avi);
    for (qsizetype i = 5; i < chunks.size(); ++i)
        avi.replace(chunks[i] + 8 + 2, 4, QByteArray("\xFF\xC4\xFF\xFF", 4));  // a table longer than the picture
    writeAll(f.clip, avi);
    g_videoLog.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepVideoLog);
    f.openAndShow();
    f.send("play AVIvideo");
    for (qint64 ms = 0; ms <= 3100; ms += 100)
        f.at(ms);
    f.send("close AVIvideo");
    qInstallMessageHandler(previous);
    int decoderLines = 0;
    for (const QString& line : g_videoLog)
        decoderLines += line.contains("[mjpeg @") ? 1 : 0;
    EXPECT_EQ(decoderLines, 1) << g_videoLog.join("\n").toStdString();
}
