#include "Sandbox.h"
#include "SoundFake.h"
#include "settings/Module1Sounds.h"

#include <gtest/gtest.h>

namespace {

struct EventSoundsTest : ::testing::Test {
    Sandbox box;
    SettingsModel s;
    RecordingSoundOutput output;

    void SetUp() override
    {
        s.AppPath = box.programFolder();
        s.SoundFlags = {1, 1, 1, 1};
    }
};

TEST_F(EventSoundsTest, UserFileWhenPresentElseShippedFile)
{
    box.writeFile("user2.wav", "RIFF");
    box.writeFile("user4.wav", "RIFF");
    for (EventSound e : {EventSound::Snapshot, EventSound::Burst, EventSound::AutoSave, EventSound::Motion})
        PlayEventSound(s, output, e);
    const QString p = box.programFolder();
    EXPECT_EQ(output.played,
              QStringList({p + "/sound1.bin", p + "/user2.wav", p + "/sound3.bin", p + "/user4.wav"}));
}

TEST_F(EventSoundsTest, OnlyAFlagOfExactlyOnePlays)
{
    for (int16_t flag : {0, -1, 2, 255}) {
        s.SoundFlags = {flag, flag, flag, flag};
        for (EventSound e : {EventSound::Snapshot, EventSound::Burst, EventSound::AutoSave, EventSound::Motion})
            PlayEventSound(s, output, e);
    }
    EXPECT_TRUE(output.played.isEmpty()) << output.played.join(", ").toStdString();

    s.SoundFlags = {-1, 0, 1, 0};
    PlayEventSound(s, output, EventSound::Snapshot);
    PlayEventSound(s, output, EventSound::AutoSave);
    EXPECT_EQ(output.played, QStringList({box.programFolder() + "/sound3.bin"}));
}

TEST_F(EventSoundsTest, UserFileMustBeANormalFile)
{
    box.writeFile("user1.wav/inside", "");
    EXPECT_EQ(EventSoundFile(s, EventSound::Snapshot), box.programFolder() + "/sound1.bin");
}

}  // namespace
