#pragma once

// The CUPS functions the program calls. The library is not linked but opened when
// the first job is sent to a printer, so a start-up loads neither it nor the
// security, Kerberos and Avahi libraries it pulls in.
#include <cups/cups.h>
#include <cups/ppd.h>

#include "platform/base/Result.h"

namespace cups {

#define TOLVEX_CUPS_FUNCTIONS(X) \
    X(cupsAddOption) \
    X(cupsFreeDests) \
    X(cupsFreeOptions) \
    X(cupsGetNamedDest) \
    X(cupsGetOption) \
    X(cupsGetPPD2) \
    X(cupsLastErrorString) \
    X(cupsPrintFile2) \
    X(ppdClose) \
    X(ppdFindOption) \
    X(ppdOpenFile)

// The PPD calls are deprecated; they are still what gives a queue's resolutions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
struct Functions {
#define TOLVEX_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    TOLVEX_CUPS_FUNCTIONS(TOLVEX_CUPS_POINTER)
#undef TOLVEX_CUPS_POINTER
};
#pragma GCC diagnostic pop

// Opens libcups at the first call and finds every function; later calls give the
// same outcome. The reason for a failure is logged once.
platform::Result load();
// The functions (loaded at the first call); callers that can be first ask load()
// and stop at its failure, when none is found.
const Functions& fn();

}  // namespace cups
