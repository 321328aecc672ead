#include "settings/SettingsFileRepairs.h"

namespace {

void repairFolder(QString& folder, const QString& fallback, bool fileNotFound)
{
    if (folder.trimmed().size() < 3 || fileNotFound)
        folder = fallback;
}

void repairFolders(SettingsModel& s, int lastFailure)
{
    const bool notFound = lastFailure == SettingsFailure::FileNotFound;
    repairFolder(s.PicturePath, s.AppPath + "/CamSnapshots", notFound);
    repairFolder(s.AutoSavePath, s.AppPath + "/CamAutoPics", notFound);
    repairFolder(s.VideoPath, s.AppPath + "/CamVideos", notFound);
    repairFolder(s.MotionPicsPath, s.AppPath + "/CamMotionPics", notFound);
    repairFolder(s.SaveAsPath, s.AppPath, notFound);
    repairFolder(s.MotionRecordingPath, s.AppPath + "/CamMotionRecordings", notFound);
}

QString defaultTempBuffer(const SettingsModel& s)
{
    return s.AppPath + "/cap$$$.tmp";
}

void repairTempBuffer(SettingsModel& s)
{
    QString& path = s.TempBufferFileAndPath;
    if (path.size() < 5 && !path.contains(u':'))
        path = defaultTempBuffer(s);
    if (path.size() == 2 && path.contains(u':'))
        path += "/cap$$$.tmp";
    if (!path.contains(u'.'))
        path += "$.tmp";
}

void repairShortcutKeys(SettingsModel& s)
{
    constexpr int16_t kF2 = 113, kF3 = 114, kF10 = 121;
    const int16_t keys[] = {kF2, kF3, kF10};
    for (int i = 0; i < 3; ++i) {
        if (s.ShortcutKeys[i] == 0)
            s.ShortcutKeys[i] = keys[i];
    }
}

}  // namespace

void applySoundsSelection(SettingsModel& s)
{
    for (int i = 0; i < 4 && i < s.SoundsSelection.size(); ++i) {
        if (s.SoundsSelection[i] == u'1')
            s.SoundFlags[i] = 1;
    }
}

void clampReadValues(SettingsModel& s)
{
    if (s.JPGQuality > 100)
        s.JPGQuality = 100;
    if (s.MaxBurstFrames > 20)
        s.MaxBurstFrames = 20;
    if (s.CaptureDevice < 0 || s.CaptureDevice > 9)
        s.CaptureDevice = 0;
}

void assignButtonPalette(SettingsModel& s)
{
    s.ButtonColors[0] = rgbColor(0, 130, 255);
    s.ButtonColors[1] = rgbColor(16, 64, 120);
    s.ButtonColors[2] = rgbColor(132, 132, 132);
    s.ButtonColors[3] = rgbColor(0, 190, 0);
    s.ButtonColors[4] = rgbColor(255, 40, 255);
    s.ButtonColors[5] = rgbColor(255, 50, 50);
    s.ButtonColors[6] = 0;
    s.ButtonColors[7] = static_cast<int32_t>(0x80000010);
}

void repairAfterReading(SettingsModel& s, int lastFailure)
{
    if (s.JPGQuality <= 9 || lastFailure != SettingsFailure::None)
        s.JPGQuality = 75;
    repairFolders(s, lastFailure);
    if (s.ScanRefresh < 1)
        s.ScanRefresh = 25;
    if (s.DefaultFilename.trimmed().isEmpty())
        s.DefaultFilename = "Cam";
    if (s.MaxSaveLimit < 1)
        s.MaxSaveLimit = 99999;
    if (s.BackgroundColor < 1)
        s.BackgroundColor = kSystemButtonFace;
    assignButtonPalette(s);
    if (s.MaxBurstFrames < 2)
        s.MaxBurstFrames = 10;
    if (s.SaveAsScreenSize < 0)
        s.SaveAsScreenSize = 0;
    repairTempBuffer(s);
    if (s.StampText.isEmpty())
        s.StampText = "Tolvex ";
    repairShortcutKeys(s);
}

bool needsFullDefaults(int lastFailure, const QString& titleLine)
{
    const bool failed =
        lastFailure != SettingsFailure::None && lastFailure != SettingsFailure::InputPastEnd;
    return failed || titleLine.trimmed().size() < 3;
}

void applyFullDefaults(SettingsModel& s)
{
    s.ButtonColor = 7;
    s.CaptureDevice = 0;
    s.ShowSideLogo = 1;
    s.SaveBitmapType = 0;
    s.AutoSaveInterval = 30;
    s.PictureEditor.clear();
    s.PictureViewer.clear();
    s.ScanRefresh = 25;
    s.ScreenSizePosition = 0;
    s.BackgroundColor = -1;
    s.DefaultFilename = "Cam";
    s.AutoTimer = 0;
    s.StartTime.clear();
    s.StopTime.clear();
    s.MotionSensing = 3;
    s.TriggerFocus = 0;
    s.MaxSaveLimit = 99999;
    s.ButtonStyle = 4;
    s.RemoveTitleBar = 0;
    s.AutoRunMode = 0;
    s.AutoRunStream = 0;
    s.VidCompressDialog = 1;
    s.EmbedTime = 0;
    s.StartMode = 0;
    s.MaxBurstFrames = 10;
    s.SaveAsScreenSize = 0;
    s.StayOnTop = 0;
    s.DisableAudioCap = 0;
    s.NoConfirmDelete = -1;
    s.RecThreadYield = 0;
    s.SoundFlags[0] = 1;
    s.SoundFlags[1] = 1;
    s.SlideTiming = 3;
    s.SaveConfirmation = 0;
    s.FtpHost = "127.0.0.1";
    s.FtpLogin = "login";
    s.FtpPassword = "zorbatex";
    s.FtpFilename = "tolvex.jpg";
    s.FtpEnabled = 0;
    s.FtpProgress = 0;
    s.NoInfoDialog = 0;
    s.HowToCheckDriver = 2;
    s.NoiseReduction = 0;
    s.TempBufferFileAndPath = defaultTempBuffer(s);
    s.StreamSource = 0;
    s.MotionRecordingDuration = 8;
    s.StampText = "Tolvex ";
    s.MultipleMotionRecords = 1;
    s.UseBurstAsSnapshot = 0;
}
