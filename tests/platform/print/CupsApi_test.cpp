#include "platform/print/CupsApi.h"

#include <gtest/gtest.h>

// The program does not link libcups: the library is opened when the first job is
// sent, and every function the program calls is found in it.
TEST(CupsApi, OpensTheLibraryAndFindsEveryFunction)
{
    const platform::Result loaded = cups::load();
    ASSERT_TRUE(loaded) << loaded.reason.toStdString();
#define TOLVEX_EXPECT_FOUND(name) EXPECT_NE(cups::fn().name, nullptr) << #name;
    TOLVEX_CUPS_FUNCTIONS(TOLVEX_EXPECT_FOUND)
#undef TOLVEX_EXPECT_FOUND
    cups_option_t* options = nullptr;
    const int count = cups::fn().cupsAddOption("copies", "2", 0, &options);
    EXPECT_STREQ(cups::fn().cupsGetOption("copies", count, options), "2");
    cups::fn().cupsFreeOptions(count, options);
}
