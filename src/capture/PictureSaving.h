#pragma once

#include "capture/PictureSavingStamp.h"
#include "settings/SettingsModel.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// The outcome of one picture save: platform::Result's ok and reason, with the path.
// A failure is already logged where it happened.
struct SaveResult {
    bool ok = false;
    QString path;    // the file written, or the one that could not be written
    QString reason;  // why not, when !ok
    // A box the window shows before anything else (the encoder could not start).
    QString boxText;
};

// Writes the work picture the way every capture command and automatic mode saves
// one: folder by the caller or SaveMode, name by SaveFileNameOptions (a counter name
// advances `counter`), the stamp when EmbedTime is on, then BMP or JPEG by
// SaveBitmapType. The stamp is drawn into picture.image itself, so callers refill
// the picture before each save. A date-named picture never replaces a file; a
// missing folder or a failed write is reported, not lost.
SaveResult saveImage(SettingsModel& s, WorkPicture& picture, int32_t& counter,
                     const QString& folder, const QDateTime& now);
SaveResult saveImage(SettingsModel& s, WorkPicture& picture, int32_t& counter,
                     const QString& folder = QString());

// The notice a snapshot shows: "Snapshot Saved", or "Snapshot NOT saved: " and the reason.
QString snapshotNotice(const SaveResult& result);
