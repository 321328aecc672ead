#pragma once

#include "core/SettingsModel.h"

#include <QString>

#include <cstdint>

// MaxBurstFrames' value when the setting is below 2.
inline constexpr int16_t kDefaultBurstFrames = 10;

// The naming side of one burst. While it lives, SaveFileNameOptions is the burst
// option, so every picture saved meanwhile is named as a burst frame; the user's
// option comes back when it ends, however the burst ends. Frames are numbered from
// FileCounter without advancing it.
class BurstNaming {
public:
    // Repairs a MaxBurstFrames below 2 to 10 and takes the frame count once.
    explicit BurstNaming(SettingsModel& s);
    ~BurstNaming();
    BurstNaming(const BurstNaming&) = delete;
    BurstNaming& operator=(const BurstNaming&) = delete;

    int frameCount() const { return frames_; }
    // "Burst (taking 10 pictures)..."
    QString noticeText() const;
    // A copy of the counter for frame `index`: FileCounter + index. The save may
    // advance the copy; FileCounter stays.
    int32_t frameCounter(int index) const;
    // MotionPicsPath when motion save takes bursts, else PicturePath.
    QString frameFolder() const;

private:
    SettingsModel& s_;
    int16_t savedOption_;
    int frames_;
};
