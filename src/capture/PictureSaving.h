#pragma once

#include "capture/PictureSavingStamp.h"
#include "core/SettingsModel.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Why a picture was not saved, in the few words a notice has room for.
enum class SaveFailure {
    None,
    NoFolder,            // no folder is set
    FolderMissing,
    NoPermission,
    DiskFull,            // also a file-size or quota limit
    NoPicture,
    EncoderUnavailable,
    EncodeFailed,
    WriteFailed,         // any other write error
};

// The outcome of one picture save: platform::Result's ok and reason, with the path
// and the kind of failure a notice names.
struct SaveResult {
    bool ok = false;
    QString path;   // the file written, or the one that could not be written
    QString reason;  // why not, when !ok: the whole reason with the path, for the log
    // A box the window shows before anything else (the encoder could not start).
    QString boxText;
    SaveFailure failure = SaveFailure::None;
};

// The short text of a failure: "the folder does not exist", "disk full", "no permission"...
QString saveFailureText(SaveFailure failure);

// The kind of a failed write into folder, from the system's reason text.
SaveFailure writeFailureKind(const QString& folder, const QString& reason);

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

// The notice a snapshot shows: "Snapshot Saved", or "Snapshot NOT saved: " and the short reason.
QString snapshotNotice(const SaveResult& result);

// The notice of a burst that lost frames: how many of how many were saved, and why
// the first lost one was not; empty when every frame was saved.
QString burstFailureNotice(int saved, int frames, SaveFailure firstFailure);
