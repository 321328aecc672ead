#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The one set of process-wide values that every window reads and writes: the
// user's settings (stored in the settings file and the registry records) and the
// shared run-time values. The program owns exactly one; windows and modules get it
// by reference, tests build a fresh one. Every value starts at zero or empty text;
// the start-up and LoadSettings give them their meaning.
// Values of StreamSource: the road of each frame from the capture window.
enum StreamSourceCode : int16_t {
    kStreamThroughClipboard = 0,
    kStreamThroughFile = 1,  // the stream buffer file TempBufferFileAndPath
};

// Values of SaveBitmapType; any value but 0 saves bitmaps.
enum SaveBitmapTypeCode : int16_t {
    kSaveAsJpeg = 0,
    kSaveAsBitmap = 1,
};

// Values of StartMode: how the main window first shows; 3 is 1 and 2 together.
enum StartModeCode : int16_t {
    kStartNormal = 0,
    kStartMinimized = 1,
    kStartTiny = 2,  // buttons hidden (mini mode)
    kStartMinimizedTiny = 3,
};

// Values of HowToCheckDriver: when the supported capture sizes are probed.
enum HowToCheckDriverCode : int16_t {
    kProbeByCache = 0,  // probe a device that is not in the per-device cache
    kProbeAlways = 1,
    kProbeNever = 2,
};

// Values of ButtonColor, indexes into ButtonColors ("Blue Steel" ... "Windows").
enum ButtonColorCode : int16_t {
    kButtonColorDark = 6,     // the one colour set with white captions
    kButtonColorSystem = 7,   // "Windows"
};

struct SettingsModel {
    // Capture device, preview and recording
    int32_t CaptureDevice = 0;
    int16_t ScanRefresh = 0;
    int16_t StreamSource = 0;
    QString TempBufferFileAndPath;
    int16_t HowToCheckDriver = 0;
    int16_t VidCompressDialog = 0;
    int16_t DisableAudioCap = 0;
    int32_t RecThreadYield = 0;
    int32_t BIndexSize = 0;
    int32_t PercentDropForError = 0;
    int32_t NumAudioRequested = 0;
    int32_t ChunkGranularity = 0;
    int32_t AudioBufferSize = 0;
    int32_t AVStreamMaster = 0;

    // Folders, each without a trailing separator
    QString AppPath;
    QString PicturePath;
    QString AutoSavePath;
    QString VideoPath;
    QString MotionPicsPath;
    QString MotionRecordingPath;
    QString SaveAsPath;

    // Pictures and file names
    int16_t JPGQuality = 0;
    int16_t SaveBitmapType = 0;
    QString DefaultFilename;
    int16_t SaveFileNameOptions = 0;
    int32_t MaxSaveLimit = 0;
    int32_t FileCounter = 0;
    QString DateFormat;
    int16_t SaveAsScreenSize = 0;
    int16_t EmbedTime = 0;
    QString StampText;
    int32_t EmbedFontSize = 0;
    int16_t EmbedFontBold = 0;
    QString EmbedFontName;
    int16_t MaxBurstFrames = 0;

    // Automatic modes
    int16_t AutoSaveInterval = 0;
    int16_t AutoTimer = 0;
    QString StartTime;
    QString StopTime;
    int16_t MotionSensing = 0;
    int16_t TriggerFocus = 0;
    int16_t NoiseReduction = 0;
    int16_t SaveConfirmation = 0;
    int16_t UseBurstAsSnapshot = 0;
    int32_t MotionRecordingDuration = 0;
    int16_t MultipleMotionRecords = 0;
    int16_t AutoRunMode = 0;
    int16_t SaveMode = 0;
    int16_t MotionRecordMode = 0;

    // Start-up and main window
    int16_t AutoRunStream = 0;
    int16_t StartMode = 0;
    int16_t ScreenSizePosition = 0;
    int32_t MainLeft = 0;
    int32_t MainTop = 0;
    int32_t MainWidth = 0;
    int32_t MainHeight = 0;
    int16_t StayOnTop = 0;
    int16_t RemoveTitleBar = 0;
    int16_t ShowSideLogo = 0;
    int16_t NoInfoDialog = 0;

    // Look of the buttons and windows; colours are &H00BBGGRR, top bit = system colour
    int16_t ButtonStyle = 0;
    int16_t ButtonColor = 0;
    std::array<int32_t, 11> ButtonColors{};
    int32_t BackgroundColor = 0;

    // Outside programs
    QString PictureEditor;
    QString PictureViewer;
    QString IrfanViewPath;

    // Viewer
    int16_t SlideTiming = 0;
    int16_t NoConfirmDelete = 0;

    // FTP upload
    QString FtpHost;
    QString FtpLogin;
    QString FtpPassword;
    QString FtpFilename;
    int16_t FtpEnabled = 0;
    int16_t FtpProgress = 0;

    // Sounds and keys
    std::array<int16_t, 4> SoundFlags{};
    QString SoundsSelection;
    std::array<int16_t, 4> ShortcutKeys{};

    // Shared run-time values (never stored)
    int16_t SecondInstance = 0;  // -1 when on
    std::array<QString, 11> DeviceNames;
    int16_t DeviceListIndex = 0;
    std::array<QString, 16> ResolutionList;
    int16_t ResolutionIndex = 0;
    QString SelectedResolution;
    int32_t SelectedColorDepth = 0;
    int16_t MessageHold = 0;
    QString SplitFileName;
    QString SplitFolder;
    int32_t PickedColor = 0;
};

// The program's event sounds, numbered as their sound files ("soundn.bin",
// "usern.wav"); event n's switch is SoundFlags[n - 1].
enum class EventSound { Snapshot = 1, Burst = 2, AutoSave = 3, Motion = 4 };
inline constexpr size_t soundFlagIndex(EventSound sound) { return size_t(sound) - 1; }
// Whether the event's sound is switched on (its flag is exactly 1).
inline bool eventSoundOn(const SettingsModel& s, EventSound sound)
{
    const size_t index = soundFlagIndex(sound);
    return index < s.SoundFlags.size() && s.SoundFlags[index] == 1;
}

// System colour 15 (button face): the value a background below 1 is repaired to.
inline constexpr int32_t kSystemButtonFace = static_cast<int32_t>(0x8000000F);

// The program's version, as shown in titles and written into the settings file.
struct ProgramVersion {
    static constexpr int major = TOLVEX_VERSION_MAJOR;
    static constexpr int minor = TOLVEX_VERSION_MINOR;
    static constexpr int revision = TOLVEX_VERSION_REVISION;
};
