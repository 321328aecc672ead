#include "platform/net/FtpPaths.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FtpHost, HostWithOrWithoutPort)
{
    struct Case {
        const char* text;
        bool ok;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {"ftp.example.org", true, "ftp.example.org", 21},
        {" 127.0.0.1:2121 ", true, "127.0.0.1", 2121},
        {"[::1]:990", true, "[::1]", 990},
        {"[::1]", true, "[::1]", 21},
        {"host:0", false, "", 0},
        {"host:70000", false, "", 0},
        {"host:abc", false, "", 0},
        {"", false, "", 0},
        {"user@host", false, "", 0},
        {"host/path", false, "", 0},
        {"ho st", false, "", 0},
        {"host\r\nQUIT", false, "", 0},
    };
    for (const Case& c : cases) {
        FtpEndpoint endpoint;
        QString error;
        EXPECT_EQ(parseFtpHost(c.text, endpoint, &error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(endpoint.host, c.host) << c.text;
            EXPECT_EQ(endpoint.port, c.port) << c.text;
        } else {
            EXPECT_FALSE(error.isEmpty()) << c.text;
        }
    }
}

TEST(FtpPath, ResolvedAgainstTheCurrentDirectory)
{
    struct Case {
        const char* directory;
        const char* name;
        const char* absolute;
    };
    const Case cases[] = {
        {"/", "cam.jpg", "/cam.jpg"},
        {"/home/web", "cam.jpg", "/home/web/cam.jpg"},
        {"/home/web", "/other/cam.jpg", "/other/cam.jpg"},
        {"/home/web", "../cam.jpg", "/home/cam.jpg"},
        {"/", "../../cam.jpg", "/cam.jpg"},
        {"/a", "./b//c/", "/a/b/c"},
        {"/a", "..", "/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolveFtpPath(c.directory, c.name), c.absolute) << c.directory << " " << c.name;
}

TEST(FtpPath, SegmentsArePercentEncoded)
{
    EXPECT_EQ(ftpUrlPath("/cam.jpg"), "/%2Fcam.jpg");
    EXPECT_EQ(ftpUrlPath("/my pics/50% #1?.jpg"), "/%2Fmy%20pics/50%25%20%231%3F.jpg");
    EXPECT_EQ(ftpFileName("/my pics/a.jpg"), "a.jpg");
    EXPECT_EQ(ftpFolder("/my pics/a.jpg"), "/my pics");
    EXPECT_EQ(ftpFolder("/a.jpg"), "/");
}

TEST(FtpPath, LineBreaksAreFound)
{
    EXPECT_TRUE(hasLineBreak("a\r\nDELE b"));
    EXPECT_TRUE(hasLineBreak("a\nb"));
    EXPECT_TRUE(hasLineBreak(QString("a") + QChar(0)));
    EXPECT_FALSE(hasLineBreak("a b.jpg"));
}

TEST(FtpWildcard, QuestionMarkAndStar)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"a?b.jpg", "a b.jpg", true},
        {"a?b.jpg", "axb.jpg", true},
        {"a?b.jpg", "ab.jpg", false},
        {"a?b.jpg", "a b.jpeg", false},
        {"*.jpg", "cam.jpg", true},
        {"*.jpg", "cam.jpg.bak", false},
        {"c*m*.jpg", "cxxmyy.jpg", true},
        {"cam.jpg", "Cam.jpg", false},
        // A "*" in the name is a character like any other for the pattern's "*".
        {"*", "***", true},
        {"Cam*.jpg", "Cam*1.jpg", true},
        {"Cam*.jpg", "Cam*.jpg", true},
        {"*a", "*ba", true},
        {"a*", "a*", true},
        {"*?*", "*", true},
        {"Cam*.jpg", "Cam*1.png", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ftpWildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}
