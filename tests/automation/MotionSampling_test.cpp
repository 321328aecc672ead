#include "automation/MotionSampling.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace automation;

namespace {

QImage uniform(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

int32_t valueOf(const QImage& picture, int zone)
{
    const auto grid = sampleGrid(picture, zone);
    return grid ? gridValue(*grid) : -999;
}

}  // namespace

TEST(MotionSampling, ZonePointIsTheColourValueAndMinusOneOutside)
{
    QImage picture = uniform(20, 20, qRgb(1, 2, 3));
    picture.setPixel(5, 6, qRgb(255, 255, 255));
    EXPECT_EQ(zonePoint(picture, 0, 0), 1 + 256 * 2 + 65536 * 3);
    EXPECT_EQ(zonePoint(picture, 5, 6), 16777215);
    for (const QPoint outside : {QPoint(-1, 0), QPoint(0, -1), QPoint(20, 0), QPoint(0, 20)})
        EXPECT_EQ(zonePoint(picture, outside.x(), outside.y()), -1) << outside.x() << "," << outside.y();
    EXPECT_EQ(zonePoint(QImage(), 0, 0), -1);
    const QImage rgb888 = picture.convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(zonePoint(rgb888, 0, 0), 1 + 256 * 2 + 65536 * 3);
}

TEST(MotionSampling, UniformFramesGiveTheSameValueInEveryZone)
{
    const struct {
        QSize size;
        QRgb colour;
        int32_t value;
    } rows[] = {
        {{640, 480}, qRgb(0, 0, 1), 41939},
        {{1920, 1080}, qRgb(0, 0, 1), 41939},
        {{640, 480}, qRgb(0, 1, 0), 160},       // 256 \ 10 = 25, 64 cells, \ 10
        {{640, 480}, qRgb(200, 0, 0), 128},     // strong red weighs less than blue 1
        {{640, 480}, qRgb(255, 255, 255), 10737414},
        {{1920, 1080}, qRgb(0, 0, 0), 0},
    };
    for (const auto& r : rows)
        for (int zone = 0; zone < kZoneCount; ++zone)
            EXPECT_EQ(valueOf(uniform(r.size.width(), r.size.height(), r.colour), zone), r.value)
                << r.size.width() << "x" << r.size.height() << " zone " << zone;
}

TEST(MotionSampling, EachZoneSeesItsOwnPartOfThePicture)
{
    // Only the bottom right quarter of a 640x480 frame is blue 1.
    QImage picture = uniform(640, 480, qRgb(0, 0, 0));
    QPainter(&picture).fillRect(320, 240, 320, 240, QColor(0, 0, 1));
    const int32_t expected[kZoneCount] = {10484, 10484, 0, 20969, 0, 0, 0, 41939};
    for (int zone = 0; zone < kZoneCount; ++zone)
        EXPECT_EQ(valueOf(picture, zone), expected[zone]) << "zone " << zone;
    // Out-of-range zones are held at the nearest end.
    EXPECT_EQ(valueOf(picture, -3), expected[0]);
    EXPECT_EQ(valueOf(picture, 12), expected[7]);
}

TEST(MotionSampling, SmallFramesSkipOrDropSamplesInsteadOfFailing)
{
    // Under 16 pixels the step would be zero: no grid at all.
    for (const QImage& picture : {uniform(15, 100, 0), uniform(100, 15, 0), QImage()})
        EXPECT_FALSE(sampleGrid(picture, 4)) << picture.width() << "x" << picture.height();
    // 31x31: step 1, samples from 10 to 15, so columns and rows 11..15 fall off the grid.
    const auto grid = sampleGrid(uniform(31, 31, qRgb(0, 0, 1)), 4);
    ASSERT_TRUE(grid);
    EXPECT_EQ((*grid)[10][10], 65536);
    EXPECT_EQ(gridValue(*grid), 0);  // nothing lands in the summed cells
    // 16x16: the loops start beyond the half size and sample nothing.
    EXPECT_EQ(valueOf(uniform(16, 16, qRgb(0, 0, 255)), 0), 0);
}

TEST(MotionSampling, TickOutcomesInMotionRecordMode)
{
    SettingsModel s;
    s.MotionRecordMode = 1;
    s.MotionSensing = 3;
    MotionHistory state;
    int16_t warmup = 0;
    const QImage dark = uniform(640, 480, qRgb(0, 0, 0));
    const QImage bright = uniform(640, 480, qRgb(0, 0, 128));
    std::vector<MotionOutcome> seen;
    for (int cycle = 0; cycle < 6; ++cycle) {
        seen.push_back(motionTick(state, warmup, dark, s));
        seen.push_back(motionTick(state, warmup, bright, s));
    }
    using O = MotionOutcome;
    const std::vector<O> expected = {O::Collecting, O::WarmingUp, O::Collecting, O::WarmingUp,
                                     O::Collecting, O::WarmingUp, O::Collecting, O::WarmingUp,
                                     O::Collecting, O::Motion,    O::Collecting, O::Motion};
    EXPECT_EQ(seen, expected);

    // A picture too small to sample leaves the history alone.
    const MotionHistory before = state;
    EXPECT_EQ(motionTick(state, warmup, uniform(8, 8, 0), s), O::NoPicture);
    EXPECT_EQ(state.values, before.values);
    EXPECT_EQ(state.index, before.index);

    s.MotionRecordMode = 0;
    motionTick(state, warmup, bright, s);
    EXPECT_EQ(motionTick(state, warmup, bright, s), O::Quiet);
    EXPECT_EQ(warmup, 0);
}

TEST(MotionSampling, NoiseReductionIsOnOrOff)
{
    // Any nonzero value is the three-tick cycle; none reaches past the history.
    for (int16_t setting : {int16_t(1), int16_t(2), int16_t(7), int16_t(-1)}) {
        SettingsModel s;
        s.NoiseReduction = setting;
        MotionHistory state;
        int16_t warmup = 0;
        const QImage still = uniform(64, 64, qRgb(0, 0, 9));
        EXPECT_EQ(motionTick(state, warmup, still, s), MotionOutcome::Collecting);
        EXPECT_EQ(motionTick(state, warmup, still, s), MotionOutcome::Collecting);
        EXPECT_EQ(motionTick(state, warmup, still, s), MotionOutcome::Quiet) << setting;
    }
}
