#include "platform/base/SharedLibraries.h"
#include "platform/video/FfmpegApi.h"

#include <gtest/gtest.h>

// The program does not link FFmpeg: the libraries of the versions it was built
// against are opened when a clip is first read or written, and every function the
// program calls is found in them.
TEST(FfmpegApi, OpensTheLibrariesItWasBuiltAgainstAndFindsEveryFunction)
{
    const platform::Result loaded = ffmpeg::load();
    ASSERT_TRUE(loaded) << loaded.reason.toStdString();
#define TOLVEX_EXPECT_FOUND(name) EXPECT_NE(ffmpeg::fn().name, nullptr) << #name;
    TOLVEX_FFMPEG_FUNCTIONS(TOLVEX_EXPECT_FOUND)
#undef TOLVEX_EXPECT_FOUND
    const AVCodecDescriptor* mjpeg = ffmpeg::fn().avcodec_descriptor_get(AV_CODEC_ID_MJPEG);
    ASSERT_NE(mjpeg, nullptr);
    EXPECT_STREQ(mjpeg->name, "mjpeg");
}

// A library that is not there is a failure with the loader's reason, not a crash.
TEST(FfmpegApi, AMissingLibraryIsAFailureWithTheLoadersReason)
{
    platform::SharedLibraries libraries;
    QString reason;
    EXPECT_FALSE(libraries.open({"libtolvex-no-such-library.so.1"}, reason));
    EXPECT_TRUE(reason.contains("libtolvex-no-such-library.so.1")) << reason.toStdString();
    EXPECT_EQ(libraries.find("avcodec_version"), nullptr);
}
