#include "ClipFixture.h"
#include "Sandbox.h"
#include "platform/video/AudioTrack.h"

#include <gtest/gtest.h>

// ALSA's "null" device takes samples without a sound card, so the whole way from
// the file to the device runs here.
TEST(AudioTrack, PlaysTheSoundFromAPositionOntoTheDevice)
{
    Sandbox box;
    const QString clip = box.programFolder() + "/sound.avi";
    ClipSpec spec;
    spec.withSound = true;
    ASSERT_TRUE(writeClip(clip, spec));  // 3 s at 8000 samples a second

    AudioTrack whole(clip, "null");
    whole.start(0);
    whole.waitUntilDone();
    EXPECT_EQ(whole.framesWritten(), 24000);
    EXPECT_FALSE(whole.playing());

    AudioTrack second(clip, "null");
    second.start(2000);
    second.waitUntilDone();
    EXPECT_GE(second.framesWritten(), 8000);  // from the packet at or before two seconds
    EXPECT_LT(second.framesWritten(), 16000);
}

TEST(AudioTrack, NoDeviceOrNoSoundIsSilence)
{
    Sandbox box;
    const QString silent = box.programFolder() + "/silent.avi";
    ASSERT_TRUE(writeClip(silent, ClipSpec{}));
    AudioTrack track(silent, "null");
    track.start(0);
    track.waitUntilDone();
    EXPECT_EQ(track.framesWritten(), 0);

    ClipSpec spec;
    spec.withSound = true;
    const QString clip = box.programFolder() + "/sound.avi";
    ASSERT_TRUE(writeClip(clip, spec));
    AudioTrack nowhere(clip, "no_such_device");
    nowhere.start(0);
    nowhere.waitUntilDone();
    EXPECT_EQ(nowhere.framesWritten(), 0);
    nowhere.stop();
}
