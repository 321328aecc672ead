#include "platform/net/FtpReplies.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FtpReplies, ALongReplyStaysTogetherAndTheNextOneStartsAfresh)
{
    FtpReply reply;
    EXPECT_EQ(reply.code(), 0);
    reply.addLine("211-Features:\r\n");
    EXPECT_FALSE(reply.complete());
    reply.addLine(" SIZE\r\n");
    reply.addLine("211 End\r\n");
    EXPECT_TRUE(reply.complete());
    EXPECT_EQ(reply.code(), 211);
    EXPECT_EQ(reply.text(), "211-Features:\nSIZE\n211 End");
    reply.addLine("550 No such file\r\n");
    EXPECT_EQ(reply.lines().size(), 1);
    EXPECT_EQ(reply.code(), 550);
    reply.clear();
    EXPECT_EQ(reply.code(), 0);
}

TEST(FtpReplies, OnlyThreeDigitsMakeAReplyNumber)
{
    const struct {
        const char* line;
        bool ends;
        int code;
    } cases[] = {{"226 Done", true, 226}, {"226", true, 226}, {"226-more", false, 226}, {"-12 x", false, 0},
                 {"+45 x", false, 0},     {"4a0 x", false, 0}, {"22", false, 0},        {"", false, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(endsFtpReply(c.line), c.ends) << c.line;
        FtpReply reply;
        reply.addLine(c.line);
        EXPECT_EQ(reply.code(), c.code) << c.line;
    }
}

TEST(FtpReplies, ListingNamesAreLastSegmentsWithoutEmptyLines)
{
    EXPECT_EQ(ftpListingNames("a.jpg\r\n/pub/b.jpg\r\n\r\n  c d.jpg \n/pub/\n"),
              (QStringList{"a.jpg", "b.jpg", "c d.jpg"}));
    EXPECT_TRUE(ftpListingNames("").isEmpty());
}
