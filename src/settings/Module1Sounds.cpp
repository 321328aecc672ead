#include "settings/Module1Sounds.h"

#include "platform/sound/SoundOutput.h"
#include "settings/Module1Files.h"

void PlaySoundFile(SoundOutput& output, const QString& filePath)
{
    output.play(filePath);
}

QString EventSoundFile(const SettingsModel& s, EventSound sound)
{
    const QString n = QString::number(static_cast<int>(sound));
    const QString userFile = s.AppPath + "/user" + n + ".wav";
    return FileExists(userFile) ? userFile : s.AppPath + "/sound" + n + ".bin";
}

void PlayEventSound(const SettingsModel& s, SoundOutput& output, EventSound sound)
{
    if (!eventSoundOn(s, sound))
        return;
    PlaySoundFile(output, EventSoundFile(s, sound));
}
