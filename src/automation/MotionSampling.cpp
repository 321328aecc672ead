#include "automation/MotionSampling.h"

namespace automation {

namespace {

// Sampling starts this many pixels in, and a picture is split into sixteenths.
constexpr int kFirstSample = 10;
constexpr int kSteps = 16;

struct GridGeometry {
    int halfW, halfH, stepX, stepY;
};

// Where the sample of loop position (x, y) is read, by zone.
QPoint zoneSample(int zone, int x, int y, const GridGeometry& g)
{
    switch (zone) {
    case 0: return {2 * (x + 20), 2 * (y + 10)};
    case 1: return {x + 4 * g.stepX, y + 4 * g.stepY};
    case 2: return {2 * x, y};
    case 3: return {2 * x, g.halfH + y};
    case 4: return {x, y};
    case 5: return {g.halfW + x, g.halfH - y};
    case 6: return {g.halfW - x, g.halfH + y};
    default: return {g.halfW + x, g.halfH + y};
    }
}

}  // namespace

int32_t zonePoint(const QImage& picture, int x, int y)
{
    if (!picture.valid(x, y))
        return -1;
    const QRgb c = picture.pixel(x, y);
    return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c);
}

std::optional<MotionGrid> sampleGrid(const QImage& picture, int triggerFocus)
{
    const GridGeometry g{picture.width() / 2, picture.height() / 2, picture.width() / kSteps,
                         picture.height() / kSteps};
    if (g.stepX <= 0 || g.stepY <= 0)
        return std::nullopt;
    const int zone = clampZone(triggerFocus);
    MotionGrid grid{};
    for (int x = kFirstSample; x <= g.halfW; x += g.stepX) {
        const int column = x / g.stepX;
        if (column >= kGridSize)
            break;
        for (int y = kFirstSample; y <= g.halfH; y += g.stepY) {
            const int row = y / g.stepY;
            if (row >= kGridSize)
                break;
            const QPoint at = zoneSample(zone, x, y, g);
            grid[column][row] = zonePoint(picture, at.x(), at.y());
        }
    }
    return grid;
}

MotionOutcome motionTick(MotionHistory& history, int16_t& motionWarmup, const QImage& picture,
                         const SettingsModel& s)
{
    const std::optional<MotionGrid> grid = sampleGrid(picture, s.TriggerFocus);
    if (!grid)
        return MotionOutcome::NoPicture;
    return motionStep(history, motionWarmup, gridValue(*grid), s);
}

}  // namespace automation
