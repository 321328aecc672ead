#include "core/PictureSavingNames.h"

#include "core/DateFormat.h"
#include "core/SaveModes.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

QString counterText(qint64 counter)
{
    const QString digits = QString::number(qAbs(counter)).rightJustified(5, '0');
    return counter < 0 ? "-" + digits : digits;
}

QString nameDateText(const QString& pattern, const QDateTime& now)
{
    const QString used = pattern.isEmpty() ? QString(kDefaultDatePattern) : pattern;
    QString text = formatDateTime(now, used);
    text.replace('/', '-');
    text.replace(':', '-');
    return text;
}

QString nameTimeText(const QDateTime& now) { return formatDateTime(now, kNameTimePattern); }

QString nameDateTimeStamp(const QString& pattern, const QDateTime& now)
{
    return nameDateText(pattern, now) + "_" + nameTimeText(now);
}

QString fileNameStamp(const SettingsModel& s, bool counterNamed, int32_t& counter, const QDateTime& now)
{
    if (!counterNamed)
        return nameDateTimeStamp(s.DateFormat, now);
    const QString stamp = counterText(counter);
    counter = advanceCounter(counter, s.MaxSaveLimit);
    return stamp;
}

int32_t advanceCounter(int32_t counter, int32_t maxSaveLimit)
{
    // A limit below 1 cannot come from a repaired settings file; it would divide by zero.
    const qint64 limit = maxSaveLimit >= 1 ? maxSaveLimit : kDefaultMaxSaveLimit;
    return static_cast<int32_t>((qint64(counter) + 1) % limit);
}

QString pictureFolder(const SettingsModel& s, const QString& callerFolder)
{
    if (!callerFolder.isEmpty())
        return callerFolder;
    switch (s.SaveMode) {
    case kModeAutoSave: return s.AutoSavePath;
    case kModeMotionSave: return s.MotionPicsPath;
    default: return s.PicturePath;
    }
}

QString pictureExtension(const SettingsModel& s)
{
    return s.SaveBitmapType != kSaveAsJpeg ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
}

PictureName nextPictureName(const SettingsModel& s, const QString& folder, int32_t& counter,
                            const QDateTime& now)
{
    const int option = s.SaveFileNameOptions;
    const bool counterNamed = option >= kNameCounter;
    const QString stamp = fileNameStamp(s, counterNamed, counter, now);
    const QString ext = pictureExtension(s);
    PictureName name;
    name.replacesExisting = counterNamed && option != kNameBurst;
    switch (option) {
    case kNameDateTime:
    case kNameCounter:
        name.path = folder + "/" + s.DefaultFilename + stamp + ext;
        break;
    case kNameBurst:
        name.path = folder + "/Burst" + nameDateTimeStamp(s.DateFormat, now) + "_frame" + stamp + ext;
        break;
    default:
        name.path = folder + "/" + s.DefaultFilename + QString::number(s.CaptureDevice) + "Pic" +
                    stamp + ext;
        break;
    }
    return name;
}

QString firstFreePath(const QString& path)
{
    if (!QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString ext = suffix.isEmpty() ? QString() : "." + suffix;
    const QString base = path.left(path.size() - ext.size());
    for (int n = 1;; ++n) {
        const QString candidate = base + "-" + QString::number(n).rightJustified(2, '0') + ext;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

int32_t counterAfterNewestSaved(const QList<SavedFileEntry>& files, const QString& defaultFilename,
                                int32_t maxSaveLimit)
{
    const QRegularExpression counterName(
        QStringLiteral("^%1(?:\\d+(?:Pic|Video))?(\\d{5,})\\.(?:jpg|bmp|avi)$")
            .arg(QRegularExpression::escape(defaultFilename)),
        QRegularExpression::CaseInsensitiveOption);
    const SavedFileEntry* newest = nullptr;
    qint64 newestCounter = -1;
    for (const SavedFileEntry& file : files) {
        const QRegularExpressionMatch m = counterName.match(file.fileName);
        if (!m.hasMatch())
            continue;
        bool ok = false;
        const qint64 counter = m.captured(1).toLongLong(&ok);
        if (!ok || counter > INT32_MAX)
            continue;
        // The newest file ends the last run; of files written at the same moment the
        // higher number came last.
        if (!newest || file.modified > newest->modified
            || (file.modified == newest->modified && counter > newestCounter)) {
            newest = &file;
            newestCounter = counter;
        }
    }
    return newest ? advanceCounter(static_cast<int32_t>(newestCounter), maxSaveLimit) : 0;
}

QList<SavedFileEntry> filesInSaveFolders(const SettingsModel& s)
{
    QList<SavedFileEntry> files;
    QSet<QString> seen;
    for (const QString& folder : {s.PicturePath, s.AutoSavePath, s.MotionPicsPath, s.VideoPath, s.MotionRecordingPath}) {
        if (folder.isEmpty())
            continue;
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical))
            continue;
        seen.insert(canonical);
        const QDir dir(canonical);
        const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
        for (const QFileInfo& entry : entries)
            if (entry.fileName().startsWith(s.DefaultFilename))
                files.append({entry.fileName(), entry.lastModified()});
    }
    return files;
}
