#include "settings/SettingsFilePairs.h"

namespace {

template <auto Member>
SettingsValueRef member(SettingsModel& s)
{
    return &(s.*Member);
}

template <int Index>
SettingsValueRef shortcutKey(SettingsModel& s)
{
    return &s.ShortcutKeys[Index];
}

SettingsValueRef notKept(SettingsModel&)
{
    return std::monostate{};
}

using M = SettingsModel;
constexpr TextRead Field = TextRead::Field;

const std::array<SettingsPair, kSettingsPairCount> kPairs{{
    {"[Device]", member<&M::CaptureDevice>},
    {"[PicturePath]", member<&M::PicturePath>},
    {"[AutoSavePath]", member<&M::AutoSavePath>},
    {"[JPG-Quality]", member<&M::JPGQuality>},
    {"[SaveBitmapType]", member<&M::SaveBitmapType>},
    {"[ButtonColor]", member<&M::ButtonColor>},
    {"[ShowSideLogo]", member<&M::ShowSideLogo>},
    {"[ScanRefresh]", member<&M::ScanRefresh>},
    {"[AutoSaveInterval]", member<&M::AutoSaveInterval>},
    {"[PictureEditor]", member<&M::PictureEditor>, Field},
    {"[PictureViewer]", member<&M::PictureViewer>, Field},
    {"[ScreenSizePosition]", member<&M::ScreenSizePosition>},
    {"[BackgroundColor]", member<&M::BackgroundColor>},
    {"[DefaultFilename]", member<&M::DefaultFilename>},
    {"[SaveFileNameOptions]", member<&M::SaveFileNameOptions>},
    {"[reservedAutoTimer]", notKept},
    {"[StartTime]", member<&M::StartTime>, Field},
    {"[Stoptime]", member<&M::StopTime>, Field},
    {"[MotionSensing]", member<&M::MotionSensing>},
    {"[TriggerFocus]", member<&M::TriggerFocus>},
    {"[MaxSaveLimit]", member<&M::MaxSaveLimit>},
    {"[ButtonStyle]", member<&M::ButtonStyle>},
    {"[RemoveTitleBar]", member<&M::RemoveTitleBar>},
    {"[VideoPath]", member<&M::VideoPath>},
    {"[MotionPicsPath]", member<&M::MotionPicsPath>},
    {"[AutoRunMode]", member<&M::AutoRunMode>},
    {"[AutoRunStream]", member<&M::AutoRunStream>},
    {"[VidCompressDialog]", member<&M::VidCompressDialog>},
    {"[EmbedTime]", member<&M::EmbedTime>},
    {"[TolvexStartMode]", member<&M::StartMode>},
    {"[SaveAsPath]", member<&M::SaveAsPath>},
    {"[MaxBurstFrames]", member<&M::MaxBurstFrames>},
    {"[SaveAsScreenSize]", member<&M::SaveAsScreenSize>},
    {"[StayOnTop]", member<&M::StayOnTop>},
    {"[DisableAudioCap]", member<&M::DisableAudioCap>},
    {"[NoConfirmDelete]", member<&M::NoConfirmDelete>},
    {"[RecThreadYield]", member<&M::RecThreadYield>},
    {"[SoundsSelection]", member<&M::SoundsSelection>},
    {"[SlideTiming]", member<&M::SlideTiming>},
    {"[SaveConfirmation]", member<&M::SaveConfirmation>},
    {"[ftpHost]", member<&M::FtpHost>},
    {"[ftpLogin]", member<&M::FtpLogin>},
    {"[ftpPassword]", member<&M::FtpPassword>},
    {"[ftpFilename]", member<&M::FtpFilename>},
    {"[ftpEnabled]", member<&M::FtpEnabled>},
    {"[ftpProgress]", member<&M::FtpProgress>},
    {"[HowToCheckDriver]", member<&M::HowToCheckDriver>},
    {"[NoiseReduction]", member<&M::NoiseReduction>},
    {"[NoInfoDialog]", member<&M::NoInfoDialog>},
    {"[TempBufferFileAndPath]", member<&M::TempBufferFileAndPath>, Field},
    {"[StreamSource]", member<&M::StreamSource>},
    {"[MotionRecordingDuration]", member<&M::MotionRecordingDuration>},
    {"[MotionRecordingPath]", member<&M::MotionRecordingPath>},
    {"[StampText]", member<&M::StampText>},
    {"[EmbedFontSize]", member<&M::EmbedFontSize>},
    {"[EmbedFontBold]", member<&M::EmbedFontBold>},
    {"[EmbedFontName]", member<&M::EmbedFontName>},
    {"[MultipleMotionRecords]", member<&M::MultipleMotionRecords>},
    {"[ShortcutkeyStart]", shortcutKey<0>},
    {"[ShortcutkeySnapshot]", shortcutKey<1>},
    {"[ShortcutkeyStop]", shortcutKey<2>},
    {"[ShortcutkeyReserved]", shortcutKey<3>},
    {"[UseBurstAsSnapshot]", member<&M::UseBurstAsSnapshot>},
}};

}  // namespace

const std::array<SettingsPair, kSettingsPairCount>& settingsPairs()
{
    return kPairs;
}
