#pragma once

// The one owner of each libcurl handle, for the FTP session and the web download.
#include "platform/net/CurlApi.h"

#include <memory>

namespace platform {

struct CurlEasyCleanup {
    void operator()(CURL* easy) const { curl::fn().curl_easy_cleanup(easy); }
};
struct CurlMultiCleanup {
    void operator()(CURLM* multi) const { curl::fn().curl_multi_cleanup(multi); }
};
struct CurlListCleanup {
    void operator()(curl_slist* list) const { curl::fn().curl_slist_free_all(list); }
};

using CurlEasy = std::unique_ptr<CURL, CurlEasyCleanup>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiCleanup>;
using CurlList = std::unique_ptr<curl_slist, CurlListCleanup>;

// libcurl's set-up for the whole program, done once before the first handle;
// false when it failed.
inline bool startCurl()
{
    static const bool started = curl::load() && curl::fn().curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return started;
}

}  // namespace platform
