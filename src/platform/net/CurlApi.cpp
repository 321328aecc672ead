#include "platform/net/CurlApi.h"

#include "platform/base/SharedLibraries.h"
#include "platform/net/FtpLog.h"

namespace curl {

namespace {

QString findFunctions(const platform::SharedLibraries& libraries, Functions& functions)
{
#define TOLVEX_FIND(name)                          \
    if (!libraries.resolve(functions.name, #name)) \
        return QStringLiteral(#name);
    TOLVEX_CURL_FUNCTIONS(TOLVEX_FIND)
#undef TOLVEX_FIND
    return {};
}

platform::LazyFunctions<Functions>& lazy()
{
    // The library's file name has kept this version through every libcurl release.
    static platform::LazyFunctions<Functions> functions(QStringLiteral("libcurl"), {QStringLiteral("libcurl.so.4")},
                                                        findFunctions, lcFtp);
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

}  // namespace curl
