#pragma once

#include "core/MotionDetection.h"
#include "core/SettingsModel.h"

#include <QImage>

#include <optional>

// The motion detector's reading of the work picture; the rest of the detector is
// core/MotionDetection.h.
namespace automation {

// The colour at a pixel as the detector reads it: r + 256 * g + 65536 * b, and -1
// outside the picture. Red weighs least, so the detector is nearly blind to it.
int32_t zonePoint(const QImage& picture, int x, int y);

// Samples the zone of the picture into the grid. A picture narrower or lower than
// 16 pixels gives no grid (its sampling step would be zero).
std::optional<MotionGrid> sampleGrid(const QImage& picture, int triggerFocus);

// One tick on the work picture: sample, add to the history, and at the end of a
// cycle the warm-up and the test. The history lives as long as the main window.
MotionOutcome motionTick(MotionHistory& history, int16_t& motionWarmup, const QImage& picture,
                         const SettingsModel& s);

}  // namespace automation
