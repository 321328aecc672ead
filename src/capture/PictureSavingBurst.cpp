#include "capture/PictureSavingBurst.h"

#include "core/PictureSavingNames.h"
#include "core/SaveModes.h"

BurstNaming::BurstNaming(SettingsModel& s) : s_(s), savedOption_(s.SaveFileNameOptions)
{
    s_.SaveFileNameOptions = kNameBurst;
    if (s_.MaxBurstFrames < 2)
        s_.MaxBurstFrames = kDefaultBurstFrames;
    frames_ = s_.MaxBurstFrames;
}

BurstNaming::~BurstNaming() { s_.SaveFileNameOptions = savedOption_; }

QString BurstNaming::noticeText() const
{
    return QStringLiteral("Burst (taking %1 pictures)...").arg(frames_);
}

int32_t BurstNaming::frameCounter(int index) const
{
    return static_cast<int32_t>(qint64(s_.FileCounter) + index);
}

QString BurstNaming::frameFolder() const
{
    return s_.SaveMode == kModeMotionSave && s_.UseBurstAsSnapshot != 0 ? s_.MotionPicsPath : s_.PicturePath;
}
