#include "core/SetupApply.h"

#include "core/LeadingNumber.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

template <typename T>
std::optional<T> wholeNumber(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // The default rounding mode rounds halves to even: 2.5 stores 2 and 3.5 stores 4.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<T>::min() || rounded > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(rounded);
}

// "h:mm", "hh:mm" or "hh:mm:ss" of a real time of day.
std::optional<QTime> clockTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int seconds = m.capturedLength(3) > 0 ? m.captured(3).toInt() : 0;
    const QTime time(m.captured(1).toInt(), m.captured(2).toInt(), seconds);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

int16_t flag(bool on)
{
    return on ? 1 : 0;
}

template <typename T>
void setWhole(T& setting, const QString& text)
{
    if (const auto value = wholeNumber<T>(boxNumber(text)))
        setting = *value;
}

void setFolder(QString& setting, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() >= kShortestFolderText)
        setting = trimmed;
}

void setIndex(int16_t& setting, int index)
{
    if (index != kNoSelection)
        setting = static_cast<int16_t>(index);
}

void setTime(QString& setting, const QString& text)
{
    if (const auto time = acceptedTime(text))
        setting = *time;
}

int16_t startModeOf(bool minimized, bool miniMode)
{
    if (minimized && miniMode)
        return kStartMinimizedTiny;
    if (minimized)
        return kStartMinimized;
    if (miniMode)
        return kStartTiny;
    return kStartNormal;
}

}  // namespace

double boxNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return leadingNumber(text.mid(i));
}

std::optional<int16_t> wholeInt16(double value)
{
    return wholeNumber<int16_t>(value);
}

std::optional<int32_t> wholeInt32(double value)
{
    return wholeNumber<int32_t>(value);
}

std::optional<QString> acceptedTime(const QString& text)
{
    if (text.size() < 3 || text[2] != ':')
        return std::nullopt;
    const auto time = clockTime(text);
    if (!time)
        return std::nullopt;
    return time->toString(QStringLiteral("HH:mm"));
}

QString timeBoxText(const QString& stored, QTime now)
{
    const QString trimmed = stored.trimmed();
    if (trimmed.size() <= 3)
        return now.toString(QStringLiteral("HH:mm"));
    const auto time = clockTime(trimmed);
    return time ? time->toString(QStringLiteral("HH:mm")) : trimmed;
}

QString fiveDigitText(int32_t value)
{
    const QString digits = QString::number(std::abs(static_cast<int64_t>(value))).rightJustified(5, '0');
    return value < 0 ? "-" + digits : digits;
}

QString stampTextWithBlank(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || text.endsWith(' '))
        return text;
    bool isNumber = false;
    const double number = trimmed.toDouble(&isNumber);
    if (isNumber && number <= 1)
        return text;
    return text + ' ';
}

SetupOutcome applySetupForm(const SetupForm& f, SettingsModel& s)
{
    SetupOutcome out;
    if (boxNumber(f.Text3) < 1)
        return out;
    out.applied = true;
    setWhole(s.ScanRefresh, f.Text3);
    out.noUrlUpdate = f.chkVersionupdate ? QStringLiteral("No") : QStringLiteral("Yes");
    s.UseBurstAsSnapshot = flag(f.chkUseBurstAsSnapshot);
    s.VidCompressDialog = flag(f.chkVideoCompression);
    setFolder(s.PicturePath, f.Text1);
    setFolder(s.AutoSavePath, f.Text2);
    s.SaveBitmapType = f.jpgSelected ? kSaveAsJpeg : -1;
    setWhole(s.JPGQuality, f.Label3);
    s.CaptureDevice = f.lstDevices >= 0 && f.lstDevices < f.driverCount ? f.lstDevices : 0;

    s.ShowSideLogo = f.Check2 ? -1 : 0;
    out.showSideLogo = f.Check2;
    setWhole(s.AutoSaveInterval, f.saveIntervalText);
    setIndex(s.ButtonColor, f.buttonColor);
    s.PictureEditor = f.Text4;
    s.PictureViewer = f.Text5;
    s.ScreenSizePosition = f.Check3 ? -1 : 0;
    if (f.Check3) {
        s.MainTop = f.mainWindowTwips.top();
        s.MainLeft = f.mainWindowTwips.left();
        constexpr int kSmallestKeptSize = 101;
        if (s.MainWidth >= kSmallestKeptSize && s.MainHeight >= kSmallestKeptSize) {
            s.MainWidth = f.mainWindowTwips.width();
            s.MainHeight = f.mainWindowTwips.height();
        }
        out.saveRegistry = true;
    }
    s.BackgroundColor = f.userColor ? f.LblKleurColor : -1;

    setIndex(s.SaveFileNameOptions, f.fileOption);
    const QString filename = f.txtFilename.trimmed();
    out.selectFirstFileOption = filename.isEmpty();
    s.DefaultFilename = filename.isEmpty() ? QStringLiteral("Cam") : filename;
    if (const auto counter = wholeInt32(boxNumber(f.txtCounter)))
        s.FileCounter = std::max<int32_t>(*counter, 0);
    setIndex(s.ButtonStyle, f.cmbStyle);
    if (f.cmbMaxBurst != kNoSelection) {
        const int frames = f.cmbMaxBurst + kFewestBurstFrames;
        s.MaxBurstFrames = static_cast<int16_t>(frames < kFewestBurstFrames ? kDefaultBurstFrames : frames);
    }
    s.StayOnTop = flag(f.chkStayOnTop);
    s.DisableAudioCap = flag(f.chkAudiocap);
    setIndex(s.HowToCheckDriver, f.checkRes);
    out.probeSizesAgain = f.checkRes == kProbeByCache || f.checkRes == kProbeAlways;
    setIndex(s.StreamSource, f.streamSource);

    s.AutoTimer = flag(f.chkAutoTimer);
    setTime(s.StartTime, f.txtStartTime);
    setTime(s.StopTime, f.txtStopTime);
    setIndex(s.MotionSensing, f.cmbSensitivity);
    setIndex(s.TriggerFocus, f.cmbTrigger);
    const auto limit = wholeInt32(boxNumber(f.txtMaxPicLimit));
    s.MaxSaveLimit = limit && *limit > 0 && *limit <= kMaxSaveLimitTop ? *limit : kMaxSaveLimitTop;
    s.RemoveTitleBar = flag(f.chkTitleBar);
    setFolder(s.VideoPath, f.Text6);
    setFolder(s.MotionPicsPath, f.Text7);
    setIndex(s.AutoRunMode, f.cmbStartMode);
    s.AutoRunStream = flag(f.chkAutoRun);
    s.EmbedTime = flag(f.chkEmbedTime);
    s.StartMode = startModeOf(f.minimized, f.miniMode);
    s.SaveAsPath = f.Text8.trimmed();
    for (size_t i = 0; i < f.sounds.size(); ++i)
        s.SoundFlags[i] = flag(f.sounds[i]);

    s.FtpEnabled = flag(f.chkFTP);
    out.ftpOn = f.chkFTP;
    s.NoiseReduction = flag(f.chkFilter);
    if (const auto seconds = wholeInt32(boxNumber(f.txtRecDuration)))
        s.MotionRecordingDuration = *seconds < kShortestRecording ? kDefaultRecording : *seconds;
    setFolder(s.MotionRecordingPath, f.Text9);
    out.stampBoxText = stampTextWithBlank(f.txtStampText);
    s.StampText = out.stampBoxText;
    s.MultipleMotionRecords = flag(f.chkMultipleRecord);
    return out;
}
