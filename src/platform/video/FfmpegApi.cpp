#include "platform/video/FfmpegApi.h"

#include "platform/base/SharedLibraries.h"
#include "platform/video/VideoLog.h"

#include <mutex>

namespace ffmpeg {

namespace {

#define TOLVEX_SONAME(library, major) QStringLiteral("lib" library ".so." AV_STRINGIFY(major))

struct Loaded {
    platform::SharedLibraries libraries;
    Functions functions;
    platform::Result result;
};

Loaded& loaded()
{
    static Loaded state;
    return state;
}

platform::Result open(Loaded& state)
{
    QString reason;
    if (!state.libraries.open({TOLVEX_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR),
                               TOLVEX_SONAME("swresample", LIBSWRESAMPLE_VERSION_MAJOR),
                               TOLVEX_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR),
                               TOLVEX_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR),
                               TOLVEX_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR)},
                              reason))
        return platform::Result::failure(QStringLiteral("FFmpeg cannot be loaded: ") + reason);
#define TOLVEX_FFMPEG_FIND(name)                                                                   \
    state.functions.name = reinterpret_cast<decltype(&::name)>(state.libraries.find(#name));       \
    if (!state.functions.name)                                                                     \
        return platform::Result::failure(QStringLiteral("FFmpeg has no function " #name));
    TOLVEX_FFMPEG_FUNCTIONS(TOLVEX_FFMPEG_FIND)
#undef TOLVEX_FFMPEG_FIND
    return platform::Result::success();
}

}  // namespace

platform::Result load()
{
    static std::once_flag once;
    Loaded& state = loaded();
    std::call_once(once, [&state] {
        state.result = open(state);
        if (!state.result)
            qCWarning(platform::video::lcVideo).noquote() << state.result.reason;
    });
    return state.result;
}

const Functions& fn()
{
    load();
    return loaded().functions;
}

}  // namespace ffmpeg
