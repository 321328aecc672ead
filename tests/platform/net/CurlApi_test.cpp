#include "platform/net/CurlApi.h"

#include <gtest/gtest.h>

// The program does not link libcurl: the library is opened when the first transfer
// starts, and every function the program calls is found in it.
TEST(CurlApi, OpensTheLibraryAndFindsEveryFunction)
{
    const platform::Result loaded = curl::load();
    ASSERT_TRUE(loaded) << loaded.reason.toStdString();
#define TOLVEX_EXPECT_FOUND(name) EXPECT_NE(curl::fn().name, nullptr) << #name;
    TOLVEX_CURL_FUNCTIONS(TOLVEX_EXPECT_FOUND)
#undef TOLVEX_EXPECT_FOUND
    EXPECT_STREQ(curl::fn().curl_easy_strerror(CURLE_OK), "No error");
}
