#pragma once

// The libcurl functions the program calls. The library is not linked but opened when
// the first transfer (an upload or a download) starts, so a start-up loads neither it
// nor the security and protocol libraries it pulls in.
#define CURL_DISABLE_TYPECHECK  // calls go through pointers, not the checking macros
#include <curl/curl.h>

#include "platform/base/Result.h"

namespace curl {

#define TOLVEX_CURL_FUNCTIONS(X) \
    X(curl_easy_cleanup) \
    X(curl_easy_getinfo) \
    X(curl_easy_init) \
    X(curl_easy_pause) \
    X(curl_easy_perform) \
    X(curl_easy_reset) \
    X(curl_easy_setopt) \
    X(curl_easy_strerror) \
    X(curl_global_init) \
    X(curl_multi_add_handle) \
    X(curl_multi_cleanup) \
    X(curl_multi_info_read) \
    X(curl_multi_init) \
    X(curl_multi_perform) \
    X(curl_multi_poll) \
    X(curl_multi_remove_handle) \
    X(curl_multi_wakeup) \
    X(curl_slist_append) \
    X(curl_slist_free_all)

struct Functions {
#define TOLVEX_CURL_POINTER(name) decltype(&::name) name = nullptr;
    TOLVEX_CURL_FUNCTIONS(TOLVEX_CURL_POINTER)
#undef TOLVEX_CURL_POINTER
};

// Opens libcurl at the first call and finds every function; later calls give the
// same outcome. The reason for a failure is logged once.
platform::Result load();
// The functions (loaded at the first call); callers that can be first ask load()
// and stop at its failure, when none is found.
const Functions& fn();

}  // namespace curl
