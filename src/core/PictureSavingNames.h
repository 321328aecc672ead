#pragma once

#include "core/SettingsModel.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Values of SaveFileNameOptions. Any other value names like kNameDeviceDateTime,
// and every value from kNameCounter up stamps with the counter instead of the time.
enum PictureNaming : int {
    kNameDeviceDateTime = 0,  // <Filename><DeviceNr>Pic<Date>_<Time>
    kNameDateTime = 1,        // <Filename><Date>_<Time>
    kNameCounter = 2,         // <Filename><Counter>
    kNameBurst = 3,           // Burst<Date>_<Time>_frame<Counter>, only while a burst runs
};

// MaxSaveLimit's repaired value, used when the setting holds no usable limit.
inline constexpr int32_t kDefaultMaxSaveLimit = 99999;

// The counter with at least five digits: 42 -> "00042", 123456 -> "123456".
QString counterText(qint64 counter);

// The date part of a name in the user's pattern (the default one when empty).
// A "/" or ":" the pattern produces becomes "-", so a name never turns into a path.
QString nameDateText(const QString& pattern, const QDateTime& now);
// The time part of a name, "08.15.30".
QString nameTimeText(const QDateTime& now);
// "<date>_<time>", e.g. "26-12-09_08.15.30".
QString nameDateTimeStamp(const QString& pattern, const QDateTime& now);

// The stamp of a picture or video name: the counter text, after which counter
// advances, or "<date>_<time>". One formatter for every file the program names.
QString fileNameStamp(const SettingsModel& s, bool counterNamed, int32_t& counter, const QDateTime& now);

// The counter after one counter-named file: it wraps to 0 at maxSaveLimit.
int32_t advanceCounter(int32_t counter, int32_t maxSaveLimit);

// The folder a picture goes to: the caller's folder when given, else by SaveMode
// (1 AutoSavePath, 2 MotionPicsPath, every other mode PicturePath).
QString pictureFolder(const SettingsModel& s, const QString& callerFolder);

// ".bmp" when SaveBitmapType is nonzero, else ".jpg".
QString pictureExtension(const SettingsModel& s);

struct PictureName {
    QString path;
    // Counter names form a ring and replace the oldest picture; date names never
    // replace a file.
    bool replacesExisting = false;
};

// The name of the next picture in `folder` under SaveFileNameOptions. A counter
// name advances `counter` (the name carries the value before the advance).
PictureName nextPictureName(const SettingsModel& s, const QString& folder, int32_t& counter,
                            const QDateTime& now);

// A file found in a folder the program saves into: its name and when it was written.
struct SavedFileEntry {
    QString fileName;
    QDateTime modified;
};

// The counter a run starts with, so that it never replaces what an earlier run
// saved: the value after the newest counter-named picture or video among `files`
// (pictures and videos share the counter), 0 when there is none. A counter name
// is DefaultFilename, optionally a device number and "Pic" or "Video", then at
// least five digits, then ".jpg", ".bmp" or ".avi". Within the run the counter
// keeps its ring (it wraps at maxSaveLimit and then replaces).
int32_t counterAfterNewestSaved(const QList<SavedFileEntry>& files, const QString& defaultFilename,
                                int32_t maxSaveLimit);

// The files of the folders pictures and videos are saved into (snapshots,
// auto-save, motion pictures, videos and motion recordings) whose names start with
// DefaultFilename.
QList<SavedFileEntry> filesInSaveFolders(const SettingsModel& s);

// `path` when no file has that name, else the first free one of "<base>-01<ext>",
// "<base>-02<ext>", ...
QString firstFreePath(const QString& path);
