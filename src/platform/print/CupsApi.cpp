#include "platform/print/CupsApi.h"

#include "platform/base/SharedLibraries.h"
#include "platform/print/PrintLog.h"

#include <mutex>

namespace cups {

namespace {

// The library's file name has kept this version through every CUPS 2 release.
constexpr const char* kLibrary = "libcups.so.2";

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

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
platform::Result open(Loaded& state)
{
    QString reason;
    if (!state.libraries.open({QString::fromLatin1(kLibrary)}, reason))
        return platform::Result::failure(QStringLiteral("CUPS cannot be loaded: ") + reason);
#define TOLVEX_CUPS_FIND(name)                                                                     \
    state.functions.name = reinterpret_cast<decltype(&::name)>(state.libraries.find(#name));       \
    if (!state.functions.name)                                                                     \
        return platform::Result::failure(QStringLiteral("CUPS has no function " #name));
    TOLVEX_CUPS_FUNCTIONS(TOLVEX_CUPS_FIND)
#undef TOLVEX_CUPS_FIND
    return platform::Result::success();
}
#pragma GCC diagnostic pop

}  // namespace

platform::Result load()
{
    static std::once_flag once;
    Loaded& state = loaded();
    std::call_once(once, [&state] {
        state.result = open(state);
        if (!state.result)
            qCWarning(lcPrint).noquote() << state.result.reason;
    });
    return state.result;
}

const Functions& fn()
{
    load();
    return loaded().functions;
}

}  // namespace cups
