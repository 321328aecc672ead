#include "RecordingSupport.h"

#include "FakeV4l2Io.h"
#include "FullDisk.h"
#include "ModalAnswer.h"

#include <QDir>

#include <atomic>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <QComboBox>
#include <QPushButton>

using namespace rectest;

namespace {

struct CodecCase {
    VideoCompression::Codec codec;
    const char* ffmpegName;
};

class RecordingCodecs : public RecordingTest, public ::testing::WithParamInterface<CodecCase> {};

// Closes the modal dialog that opens next with the named button, after choosing a codec.
void answerCompressionDialog(const char* button, int codecIndex = -1,
                             std::source_location where = std::source_location::current())
{
    answerNextModal([=](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Video Compression");
        if (codecIndex >= 0)
            dialog->findChild<QComboBox*>("codecBox")->setCurrentIndex(codecIndex);
        dialog->findChild<QPushButton*>(button)->click();
    }, where);
}

}  // namespace

TEST_P(RecordingCodecs, TwoSecondsAt25GiveAnUprightFileOfRealLength)
{
    const CodecCase c = GetParam();
    const CaptureHandle h = connected();
    answerCompressionDialog("okButton", int(c.codec));
    ASSERT_TRUE(cap().capDlgVideoCompression(h));
    const QString path = file("two.avi");
    startRecording(h, path, parms(25, 2));
    const SequenceStatus status = waitForEnd(h);
    EXPECT_TRUE(status.result.ok) << status.result.reason.toStdString();
    EXPECT_EQ(status.framesWritten + status.framesDropped, 50);
    EXPECT_FALSE(status.hasAudio);

    const AviInfo info = probeAvi(path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_EQ(info.videoCodec, c.ffmpegName);
    EXPECT_DOUBLE_EQ(info.fps, 25.0);
    EXPECT_NEAR(info.seconds, 2.0, 0.5);
    EXPECT_EQ(info.size, QSize(160, 120));
    EXPECT_EQ(info.audioStreams, 0);
    expectUpright(info.firstFrame);
}

INSTANTIATE_TEST_SUITE_P(Codecs, RecordingCodecs,
                         ::testing::Values(CodecCase{VideoCompression::Codec::Uncompressed, "rawvideo"},
                                           CodecCase{VideoCompression::Codec::MotionJpeg, "mjpeg"},
                                           CodecCase{VideoCompression::Codec::Mpeg4, "mpeg4"}),
                         [](const auto& info) { return std::string(info.param.ffmpegName); });

TEST_F(RecordingTest, StopEndsWithACompleteFileAsLongAsTheRecording)
{
    const CaptureHandle h = connected();
    const QString path = file("stopped.avi");
    startRecording(h, path, parms(40, 0));
    SequenceStatus status;
    ASSERT_TRUE(QTest::qWaitFor([&] { return cap().capGetStatus(h, status) && status.framesWritten >= 30; }, 5000));
    EXPECT_TRUE(status.running);
    // While recording, grabs show what is written.
    EXPECT_TRUE(cap().capGrabFrameNoStop(h));
    ASSERT_TRUE(cap().capCaptureStop(h));
    ASSERT_TRUE(cap().capGetStatus(h, status));
    EXPECT_FALSE(status.running);
    EXPECT_TRUE(status.result.ok);
    // Every frame period the recording ran is in the file: the frames written and the
    // slots skipped while the recorder was behind, however busy the machine was.
    const double seconds = double(status.framesWritten + status.framesDropped) / 40.0;

    const AviInfo info = probeAvi(path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_DOUBLE_EQ(info.fps, 40.0);
    EXPECT_NEAR(info.seconds, seconds, 1.5 / 40.0);
    EXPECT_EQ(info.videoCodec, "mjpeg");
}

TEST_F(RecordingTest, SyntheticSoundGivesOnePcmStreamInTheChosenFormat)
{
    qputenv("TOLVEX_AUDIO", "synthetic");
    const struct {
        WaveFormat format;
        const char* codec;
    } cases[] = {{WaveFormat::pcm(11025, 8, 1), "pcm_u8"}, {WaveFormat::pcm(22050, 16, 2), "pcm_s16le"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format.description().toStdString());
        const CaptureHandle h = connected();
        ASSERT_TRUE(cap().capSetAudioFormat(h, c.format));
        const QString path = file(QString("sound%1.avi").arg(c.format.samplesPerSec));
        startRecording(h, path, parms(25, 1, true));
        const SequenceStatus status = waitForEnd(h);
        EXPECT_TRUE(status.hasAudio);
        EXPECT_EQ(status.audioBytes, qint64(c.format.avgBytesPerSec));
        cap().capDriverDisconnect(h);

        const AviInfo info = probeAvi(path);
        ASSERT_TRUE(info.ok) << info.error.toStdString();
        EXPECT_EQ(info.audioStreams, 1);
        EXPECT_EQ(info.audioCodec, c.codec);
        EXPECT_EQ(info.sampleRate, int(c.format.samplesPerSec));
        EXPECT_EQ(info.channels, c.format.channels);
        EXPECT_EQ(info.bitsPerSample, c.format.bitsPerSample);
    }
    qunsetenv("TOLVEX_AUDIO");
}

TEST_F(RecordingTest, NoSoundWhenSwitchedOffOrWithoutADevice)
{
    for (const char* source : {"synthetic", "none", "alsa"}) {
        for (bool audio : {false, true}) {
            if (QByteArray(source) == "synthetic" && audio)
                continue;  // the one case with sound, covered above
            SCOPED_TRACE(std::string(source) + (audio ? " with sound" : " without sound"));
            qputenv("TOLVEX_AUDIO", source);
            cap().reloadSettings();
            const CaptureHandle h = connected();
            const QString path = file(QString("quiet-%1-%2.avi").arg(source).arg(audio));
            startRecording(h, path, parms(25, 1, audio));
            const SequenceStatus status = waitForEnd(h);
            EXPECT_TRUE(status.result.ok);
            cap().capDriverDisconnect(h);
            const AviInfo info = probeAvi(path);
            ASSERT_TRUE(info.ok) << info.error.toStdString();
            // The test machine has no sound card: ALSA gives no stream and no failure.
            if (QByteArray(source) != "alsa" || !status.hasAudio) {
                EXPECT_EQ(info.audioStreams, 0);
            }
        }
    }
    qunsetenv("TOLVEX_AUDIO");
}

TEST_F(RecordingTest, AFullIndexEndsTheFileEarlyButWhole)
{
    const CaptureHandle h = connected();
    CaptureParms p = parms(25, 0);
    p.dwIndexSize = 10;
    const QString path = file("index.avi");
    startRecording(h, path, p);
    const SequenceStatus status = waitForEnd(h);
    EXPECT_FALSE(status.result.ok);
    EXPECT_EQ(status.framesWritten + status.framesDropped, 10);
    const AviInfo info = probeAvi(path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_NEAR(info.seconds, 0.4, 0.05);
}

TEST_F(RecordingTest, CaptureFileNeedsAWritableFolder)
{
    const CaptureHandle h = connected();
    EXPECT_FALSE(cap().capFileSetCaptureFile(h, file("missing/a.avi")));
    EXPECT_FALSE(cap().capFileSetCaptureFile(0, file("a.avi")));
    // No file named: no sequence, no file.
    ASSERT_TRUE(cap().capCaptureSetSetup(h, parms(25, 1)));
    EXPECT_FALSE(cap().capCaptureSequence(h));
    EXPECT_TRUE(QDir(box.root()).entryList(QDir::Files).isEmpty());
}

TEST_F(RecordingTest, SaveAsOntoTheCaptureFileKeepsItAndElsewhereCopiesIt)
{
    const CaptureHandle h = connected();
    const QString path = file("own.avi");
    startRecording(h, path, parms(25, 1));
    waitForEnd(h);
    const qint64 size = QFileInfo(path).size();
    ASSERT_GT(size, 0);
    EXPECT_TRUE(cap().capFileSaveAs(h, path));
    EXPECT_TRUE(cap().capFileSaveAs(h, box.root() + "/./own.avi"));
    EXPECT_EQ(QFileInfo(path).size(), size);
    EXPECT_TRUE(probeAvi(path).ok);

    EXPECT_TRUE(cap().capFileSaveAs(h, file("copy.avi")));
    EXPECT_EQ(QFileInfo(file("copy.avi")).size(), size);
    EXPECT_FALSE(cap().capFileSaveAs(h, file("missing/copy.avi")));
}

TEST_F(RecordingTest, DisconnectWhileRecordingCompletesTheFile)
{
    const CaptureHandle h = connected();
    const QString path = file("cut.avi");
    startRecording(h, path, parms(25, 0));
    SequenceStatus status;
    ASSERT_TRUE(QTest::qWaitFor([&] { return cap().capGetStatus(h, status) && status.framesWritten >= 5; }, 5000));
    EXPECT_TRUE(cap().capDriverDisconnect(h));
    const AviInfo info = probeAvi(path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_GT(info.seconds, 0.1);
}

TEST_F(RecordingTest, CompressionChoiceLastsPerDeviceAndCancelKeepsTheOld)
{
    CaptureHandle h = connected();
    answerCompressionDialog("okButton", 2);
    ASSERT_TRUE(cap().capDlgVideoCompression(h));
    answerCompressionDialog("cancelButton", 0);
    ASSERT_TRUE(cap().capDlgVideoCompression(h));
    cap().capDriverDisconnect(h);
    // A new window on the same device records with the kept choice.
    h = connected();
    startRecording(h, file("kept.avi"), parms(25, 1));
    waitForEnd(h);
    EXPECT_EQ(probeAvi(file("kept.avi")).videoCodec, "mpeg4");
    EXPECT_FALSE(cap().capDlgVideoCompression(0));
}

TEST_F(RecordingTest, AudioFormatsAndTheirRecord)
{
    qputenv("TOLVEX_AUDIO", "synthetic");
    cap().reloadSettings();
    CaptureHandle h = connected();
    const QList<WaveFormat> formats = cap().capAudioFormats(h);
    EXPECT_EQ(formats.size(), 20);
    EXPECT_EQ(cap().capGetAudioFormatSize(h), 18);
    WaveFormat f;
    ASSERT_TRUE(cap().capGetAudioFormat(h, f));
    EXPECT_EQ(f, WaveFormat::pcm(11025, 8, 1));
    const WaveFormat chosen = WaveFormat::pcm(44100, 16, 2);
    ASSERT_TRUE(cap().capSetAudioFormat(h, chosen));
    WaveFormat odd = chosen;
    odd.samplesPerSec = 12345;
    EXPECT_FALSE(cap().capSetAudioFormat(h, odd));
    cap().capDriverDisconnect(h);
    h = connected();
    ASSERT_TRUE(cap().capGetAudioFormat(h, f));
    EXPECT_EQ(f, chosen);

    const QByteArray record = chosen.toRecord();
    ASSERT_EQ(record.size(), 18);
    EXPECT_EQ(WaveFormat::fromRecord(record), chosen);
    EXPECT_EQ(WaveFormat::fromRecord(record.left(17)), std::nullopt);
    EXPECT_EQ(chosen.description(), "44.100 kHz, 16 Bit, Stereo");

    qputenv("TOLVEX_AUDIO", "none");
    cap().reloadSettings();
    EXPECT_TRUE(cap().capAudioFormats(h).isEmpty());
    EXPECT_FALSE(cap().capSetAudioFormat(h, chosen));
    EXPECT_TRUE(cap().capAudioFormats(0).isEmpty());
    EXPECT_EQ(cap().capGetAudioFormatSize(0), 0);
    qunsetenv("TOLVEX_AUDIO");
}

TEST_F(RecordingTest, AnUnpluggedCameraEndsTheRecordingWithAPlayableFile)
{
    qputenv("TOLVEX_CAPTURE_DRIVERS", "v4l2");
    auto io = std::make_shared<FakeV4l2Io>();
    FakeV4l2Io::Node node;
    node.path = "/dev/video0";
    node.sizes = {QSize(160, 120)};
    io->addNode(node);
    CaptureSystem camera(nullptr, io);
    camera.setSequencerFactory(platform::video::makeAviSequencerFactory());
    const CaptureHandle h = camera.capCreateCaptureWindowA("VykTolvex", kWsChild, 0, 0, 160, 120, &parent, 0);
    ASSERT_TRUE(camera.capDriverConnect(h, 0));
    const QString path = file("unplugged.avi");
    ASSERT_TRUE(camera.capFileSetCaptureFile(h, path));
    ASSERT_TRUE(camera.capCaptureSetSetup(h, parms(25, 0)));
    ASSERT_TRUE(camera.capCaptureSequence(h));
    SequenceStatus status;
    ASSERT_TRUE(QTest::qWaitFor([&] { return camera.capGetStatus(h, status) && status.framesWritten >= 5; }, 5000));
    io->unplug("/dev/video0");
    EXPECT_TRUE(QTest::qWaitFor([&] { return camera.capGetStatus(h, status) && !status.running; }, 5000));
    EXPECT_FALSE(status.result.ok);
    EXPECT_EQ(status.result.code, kDeviceFailed);
    const AviInfo info = probeAvi(path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_EQ(info.size, QSize(160, 120));
    EXPECT_GT(info.seconds, 0.1);
}

TEST_F(RecordingTest, ANearlyFullDiskEndsTheRecordingWithAPlayableFile)
{
    std::atomic<int> asked{0};
    // The disk is asked once a second: room at the first second, only the reserve at the second.
    cap().setSequencerFactory(platform::video::makeAviSequencerFactory([&asked](const QString&) {
        return ++asked > 1 ? platform::video::kDiskReserveBytes - 1 : qint64(1) << 40;
    }));
    const CaptureHandle h = connected();
    const QString path = file("full.avi");
    startRecording(h, path, parms(25, 0));
    const SequenceStatus status = waitForEnd(h);
    EXPECT_FALSE(status.result.ok);
    EXPECT_EQ(status.result.code, kWriteFailed);
    const AviInfo info = probeAvi(path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_NEAR(info.seconds, 2.0, 0.2);
}

TEST_F(RecordingTest, AnOddSizedDeviceIsRecordedUncompressedAtItsOwnSize)
{
    qputenv("TOLVEX_SYNTH_SIZES", "321x241");
    qputenv("TOLVEX_SYNTH_FORMAT", "321x241");
    const struct {
        int codecIndex;
        QSize size;
    } cases[] = {{int(VideoCompression::Codec::Uncompressed), {321, 241}},
                 {int(VideoCompression::Codec::MotionJpeg), {320, 240}}};
    const CaptureHandle h = connected();
    for (const auto& c : cases) {
        answerCompressionDialog("okButton", c.codecIndex);
        ASSERT_TRUE(cap().capDlgVideoCompression(h));
        const QString path = file(QStringLiteral("odd%1.avi").arg(c.codecIndex));
        startRecording(h, path, parms(25, 1));
        const SequenceStatus status = waitForEnd(h);
        EXPECT_TRUE(status.result.ok) << status.result.reason.toStdString();
        const AviInfo info = probeAvi(path);
        ASSERT_TRUE(info.ok) << info.error.toStdString();
        EXPECT_EQ(info.size, c.size) << c.codecIndex;
        expectUpright(info.firstFrame);
    }
    qunsetenv("TOLVEX_SYNTH_SIZES");
}

// The reserve follows the stream: several seconds of what is written, never less
// than the fixed floor.
TEST(DiskReserve, SeveralSecondsOfTheStream)
{
    using platform::video::diskReserveFor;
    using platform::video::kDiskReserveBytes;
    EXPECT_EQ(diskReserveFor(0, 0), kDiskReserveBytes);
    EXPECT_EQ(diskReserveFor(100000, 1000000), kDiskReserveBytes);  // a slow stream: the floor
    // Uncompressed 640 x 480 at 25 frames a second: 23 MB a second.
    const qint64 perSecond = qint64(640) * 480 * 3 * 25;
    EXPECT_EQ(diskReserveFor(perSecond, 1000000), perSecond * platform::video::kDiskReserveSeconds);
    EXPECT_GT(diskReserveFor(perSecond, 1000000), 3 * perSecond);
}

// A disk with room for only a second of an uncompressed 640 x 480 stream (more than
// the fixed floor) ends the recording while its index still fits.
TEST_F(RecordingTest, AFastStreamStopsWhileSecondsOfItStillFit)
{
    qputenv("TOLVEX_SYNTH_FORMAT", "640x480");
    const qint64 perSecond = qint64(640) * 480 * 3 * 25;
    cap().setSequencerFactory(platform::video::makeAviSequencerFactory([perSecond](const QString&) {
        return perSecond + platform::video::kDiskReserveBytes;
    }));
    const CaptureHandle h = connected();
    answerCompressionDialog("okButton", int(VideoCompression::Codec::Uncompressed));
    ASSERT_TRUE(cap().capDlgVideoCompression(h));
    const QString path = file("fast.avi");
    startRecording(h, path, parms(25, 3));
    const SequenceStatus status = waitForEnd(h, 20000);
    EXPECT_FALSE(status.result.ok);
    EXPECT_EQ(status.result.code, kWriteFailed);
    const AviInfo info = probeAvi(path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_NEAR(info.seconds, 1.0, 0.3);
}

namespace {

// What `ffmpeg -v error -i path -f null -` says about a file: empty when every
// packet decodes.
QString ffmpegDecodeErrors(const QString& path)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-nostdin", "-v", "error", "-i", path, "-f", "null", "-"});
    if (!ffmpeg.waitForFinished(60000)) {
        ffmpeg.kill();
        ffmpeg.waitForFinished();
        return "ffmpeg did not finish";
    }
    const QString errors = QString::fromUtf8(ffmpeg.readAllStandardError());
    return ffmpeg.exitCode() == 0 ? errors : errors + " (exit " + QString::number(ffmpeg.exitCode()) + ")";
}

class FullDiskCodecs : public RecordingTest, public ::testing::WithParamInterface<CodecCase> {};

}  // namespace

// A write that fails on a full disk still closes the file: it is cut after its last
// whole chunk and gets its index, so players read its length and every frame decodes.
TEST_P(FullDiskCodecs, AFailedWriteStillClosesAPlayableFile)
{
    const CodecCase c = GetParam();
    const CaptureHandle h = connected();
    answerCompressionDialog("okButton", int(c.codec));
    ASSERT_TRUE(cap().capDlgVideoCompression(h));
    const QString path = file("full.avi");
    SequenceStatus status;
    {
        FileSizeLimitScope fullDisk(400 * 1024);
        startRecording(h, path, parms(25, 0));
        status = waitForEnd(h, 30000);
    }
    EXPECT_FALSE(status.result.ok);
    EXPECT_EQ(status.result.code, kWriteFailed);
    EXPECT_GT(status.framesWritten, 0);
    const AviInfo info = probeAvi(path);
    ASSERT_TRUE(info.ok) << info.error.toStdString();
    EXPECT_GT(info.seconds, 0.0);
    EXPECT_LE(QFileInfo(path).size(), 400 * 1024);
    EXPECT_EQ(ffmpegDecodeErrors(path), "");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_NE(bytes.mid(4, 4), QByteArray(4, '\xff')) << "the RIFF size is written";
    EXPECT_TRUE(bytes.contains("idx1"));
}

INSTANTIATE_TEST_SUITE_P(Codecs, FullDiskCodecs,
                         ::testing::Values(CodecCase{VideoCompression::Codec::Uncompressed, "rawvideo"},
                                           CodecCase{VideoCompression::Codec::MotionJpeg, "mjpeg"}),
                         [](const auto& info) { return std::string(info.param.ffmpegName); });

// A recording on a disk that holds not even its first frame leaves no empty file
// and says why.
TEST_F(RecordingTest, ARecordingThatHoldsNoFrameIsRemovedAndSaysWhy)
{
    const CaptureHandle h = connected();
    const QString path = file("nothing.avi");
    SequenceStatus status;
    {
        FileSizeLimitScope fullDisk(0);
        startRecording(h, path, parms(25, 0));
        status = waitForEnd(h, 30000);
    }
    EXPECT_FALSE(status.result.ok);
    EXPECT_EQ(status.result.code, kWriteFailed);
    EXPECT_TRUE(status.result.reason.contains("disk is full")) << status.result.reason.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
}
