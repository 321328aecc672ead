#include "platform/video/AudioInput.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>

using namespace platform::video;
using platform::capdriver::WaveFormat;

TEST(ToneInput, DeliversExactlyTheSamplesTheTimeAsksForAsA1kHzTone)
{
    const WaveFormat f = WaveFormat::pcm(8000, 16, 1);
    ToneInput tone(f);
    QByteArray all = tone.read(250000);
    EXPECT_EQ(all.size(), 2000 * 2);
    EXPECT_TRUE(tone.read(250000).isEmpty());
    all += tone.read(1000000);
    ASSERT_EQ(all.size(), 8000 * 2);
    // 1 kHz at 8 kHz: the wave repeats every 8 samples.
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(qFromLittleEndian<qint16>(all.constData() + 2 * i),
                  qFromLittleEndian<qint16>(all.constData() + 2 * (i + 8)));
    EXPECT_NEAR(qFromLittleEndian<qint16>(all.constData() + 4), 16383, 2);  // a quarter period: the peak
}

TEST(AudioInput, SourcesAndTheirFormats)
{
    EXPECT_EQ(candidateAudioFormats().size(), 20);
    EXPECT_EQ(acceptedAudioFormats(platform::capdriver::AudioSource::Synthetic), candidateAudioFormats());
    EXPECT_TRUE(acceptedAudioFormats(platform::capdriver::AudioSource::None).isEmpty());
    EXPECT_EQ(openAudioInput(platform::capdriver::AudioSource::None, WaveFormat::pcm(11025, 8, 1)), nullptr);
    WaveFormat broken = WaveFormat::pcm(11025, 8, 1);
    broken.blockAlign = 3;
    EXPECT_EQ(openAudioInput(platform::capdriver::AudioSource::Synthetic, broken), nullptr);
    for (const WaveFormat& f : candidateAudioFormats())
        EXPECT_TRUE(f.isUsablePcm()) << f.description().toStdString();
}
