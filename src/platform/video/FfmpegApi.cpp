#include "platform/video/FfmpegApi.h"

#include "platform/base/SharedLibraries.h"
#include "platform/video/VideoLog.h"

namespace ffmpeg {

namespace {

#define TOLVEX_SONAME(library, major) QStringLiteral("lib" library ".so." AV_STRINGIFY(major))

QString findFunctions(const platform::SharedLibraries& libraries, Functions& functions)
{
#define TOLVEX_FIND(name)                          \
    if (!libraries.resolve(functions.name, #name)) \
        return QStringLiteral(#name);
    TOLVEX_FFMPEG_FUNCTIONS(TOLVEX_FIND)
#undef TOLVEX_FIND
    return {};
}

platform::LazyFunctions<Functions>& lazy()
{
    // The libraries of the versions the program was built against.
    static platform::LazyFunctions<Functions> functions(
        QStringLiteral("FFmpeg"),
        {TOLVEX_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR), TOLVEX_SONAME("swresample", LIBSWRESAMPLE_VERSION_MAJOR),
         TOLVEX_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR), TOLVEX_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR),
         TOLVEX_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR)},
        findFunctions, platform::video::lcVideo);
    return functions;
}

}  // namespace

platform::Result load()
{
    return lazy().load();
}

const Functions& fn()
{
    return lazy().functions();
}

}  // namespace ffmpeg
