#include "automation/SaveFailureNotice.h"

#include <gtest/gtest.h>

using namespace automation;

TEST(SaveFailureNotice, OneNoticePerRunOfFailures)
{
    SaveFailureNotice notice;
    EXPECT_FALSE(notice.report(true, {}));
    EXPECT_EQ(notice.report(false, "disk full"), QString("Picture NOT saved: disk full"));
    EXPECT_FALSE(notice.report(false, "disk full"));
    EXPECT_FALSE(notice.report(false, "no permission"));
    EXPECT_FALSE(notice.report(true, {}));
    EXPECT_EQ(notice.report(false, "no permission"), QString("Picture NOT saved: no permission"));
}
