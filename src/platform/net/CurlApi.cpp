#include "platform/net/CurlApi.h"

#include "platform/base/SharedLibraries.h"
#include "platform/net/FtpLog.h"

#include <mutex>

namespace curl {

namespace {

// The library's file name has kept this version through every libcurl release.
constexpr const char* kLibrary = "libcurl.so.4";

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
    if (!state.libraries.open({QString::fromLatin1(kLibrary)}, reason))
        return platform::Result::failure(QStringLiteral("libcurl cannot be loaded: ") + reason);
#define TOLVEX_CURL_FIND(name)                                                                     \
    state.functions.name = reinterpret_cast<decltype(&::name)>(state.libraries.find(#name));       \
    if (!state.functions.name)                                                                     \
        return platform::Result::failure(QStringLiteral("libcurl has no function " #name));
    TOLVEX_CURL_FUNCTIONS(TOLVEX_CURL_FIND)
#undef TOLVEX_CURL_FIND
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
            qCWarning(lcFtp).noquote() << state.result.reason;
    });
    return state.result;
}

const Functions& fn()
{
    load();
    return loaded().functions;
}

}  // namespace curl
