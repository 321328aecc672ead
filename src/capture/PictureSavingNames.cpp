#include "capture/PictureSavingNames.h"

#include "capture/DateFormat.h"
#include "capture/SaveModes.h"

#include <QFileInfo>

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
