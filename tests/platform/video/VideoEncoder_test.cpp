#include "platform/video/VideoEncoder.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>

using platform::capdriver::VideoCompression;
using platform::video::VideoEncoder;

namespace {

// A frame with fine detail, where the quantiser makes a difference: a gradient,
// lines, and a fixed speckle.
QImage detailedFrame(int index)
{
    QImage image(320, 240, QImage::Format_RGB888);
    QRandomGenerator noise(42 + quint32(index));
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int speckle = int(noise.bounded(64));
            row[3 * x] = uchar((x + index * 3) % 256);
            row[3 * x + 1] = uchar(std::min(255, y + speckle));
            row[3 * x + 2] = uchar(((x ^ y) & 0x3f) * 3 + speckle);
        }
    }
    QPainter painter(&image);
    for (int i = 0; i < 20; ++i)
        painter.drawLine(0, i * 12, 320, 240 - i * 12);
    return image;
}

struct Encoded {
    double meanPacketBytes = 0;
    int decodedFrames = 0;
};

// Encodes ten frames at a quality and decodes every packet again.
Encoded encodeAt(VideoCompression::Codec codec, int quality)
{
    VideoCompression compression;
    compression.codec = codec;
    compression.quality = quality;
    VideoEncoder encoder;
    EXPECT_TRUE(encoder.open(compression, QSize(320, 240), 40000).ok);

    const AVCodec* decoderCodec = avcodec_find_decoder(encoder.context().codec_id);
    ffmpeg::CodecContext decoder(avcodec_alloc_context3(decoderCodec));
    AVCodecParameters* parameters = avcodec_parameters_alloc();
    avcodec_parameters_from_context(parameters, &encoder.context());
    avcodec_parameters_to_context(decoder.get(), parameters);
    avcodec_parameters_free(&parameters);
    EXPECT_EQ(avcodec_open2(decoder.get(), decoderCodec, nullptr), 0);
    ffmpeg::Frame picture(av_frame_alloc());

    Encoded out;
    qint64 bytes = 0;
    int packets = 0;
    const auto sink = [&](AVPacket* packet) {
        bytes += packet->size;
        ++packets;
        EXPECT_EQ(avcodec_send_packet(decoder.get(), packet), 0);
        while (avcodec_receive_frame(decoder.get(), picture.get()) == 0)
            ++out.decodedFrames;
        return platform::Result::success();
    };
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(encoder.encode(detailedFrame(i), i, sink).ok);
    EXPECT_TRUE(encoder.flush(sink).ok);
    avcodec_send_packet(decoder.get(), nullptr);
    while (avcodec_receive_frame(decoder.get(), picture.get()) == 0)
        ++out.decodedFrames;
    out.meanPacketBytes = packets > 0 ? double(bytes) / packets : 0;
    return out;
}

}  // namespace

TEST(VideoEncoder, CompressionQualityGovernsTheSizeOfEveryFrame)
{
    for (const auto codec : {VideoCompression::Codec::MotionJpeg, VideoCompression::Codec::Mpeg4}) {
        SCOPED_TRACE(platform::capdriver::codecName(codec).toStdString());
        const Encoded coarse = encodeAt(codec, 1);
        const Encoded usual = encodeAt(codec, 75);
        const Encoded finest = encodeAt(codec, 100);
        EXPECT_EQ(coarse.decodedFrames, 10);
        EXPECT_EQ(finest.decodedFrames, 10);
        EXPECT_EQ(usual.decodedFrames, 10);
        EXPECT_LT(coarse.meanPacketBytes * 2, finest.meanPacketBytes)
            << coarse.meanPacketBytes << " bytes at quality 1, " << finest.meanPacketBytes << " at 100";
        EXPECT_LT(usual.meanPacketBytes, finest.meanPacketBytes * 0.8)
            << usual.meanPacketBytes << " bytes at quality 75, " << finest.meanPacketBytes << " at 100";
        EXPECT_GT(usual.meanPacketBytes, coarse.meanPacketBytes);
    }
}

TEST(VideoEncoder, OnlyCodecsThatNeedThemGetEvenSizes)
{
    const struct {
        VideoCompression::Codec codec;
        QSize encoded;
    } cases[] = {
        {VideoCompression::Codec::Uncompressed, {321, 241}},
        {VideoCompression::Codec::MotionJpeg, {320, 240}},
        {VideoCompression::Codec::Mpeg4, {320, 240}},
    };
    for (const auto& c : cases) {
        VideoCompression compression;
        compression.codec = c.codec;
        VideoEncoder encoder;
        ASSERT_TRUE(encoder.open(compression, QSize(321, 241), 40000).ok);
        EXPECT_EQ(QSize(encoder.context().width, encoder.context().height), c.encoded) << int(c.codec);
        int packets = 0;
        EXPECT_TRUE(encoder.encode(QImage(321, 241, QImage::Format_RGB888), 0, [&](AVPacket* packet) {
            ++packets;
            if (c.codec == VideoCompression::Codec::Uncompressed) {
                EXPECT_GE(packet->size, 321 * 241 * 3);
            }
            return platform::Result::success();
        }).ok);
        EXPECT_TRUE(encoder.flush([&](AVPacket*) { ++packets; return platform::Result::success(); }).ok);
        EXPECT_EQ(packets, 1);
    }
}
