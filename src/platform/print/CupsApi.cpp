#include "platform/print/CupsApi.h"

#include "platform/base/SharedLibraries.h"
#include "platform/print/PrintLog.h"

namespace cups {

namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
QString findFunctions(const platform::SharedLibraries& libraries, Functions& functions)
{
#define TOLVEX_FIND(name)                          \
    if (!libraries.resolve(functions.name, #name)) \
        return QStringLiteral(#name);
    TOLVEX_CUPS_FUNCTIONS(TOLVEX_FIND)
#undef TOLVEX_FIND
    return {};
}
#pragma GCC diagnostic pop

platform::LazyFunctions<Functions>& lazy()
{
    // The library's file name has kept this version through every CUPS 2 release.
    static platform::LazyFunctions<Functions> functions(QStringLiteral("CUPS"), {QStringLiteral("libcups.so.2")},
                                                        findFunctions, lcPrint);
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

}  // namespace cups
