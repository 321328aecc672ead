#include "dialogs/UpdateCheck.h"

#include <gtest/gtest.h>

TEST(UpdateCheck, VersionFileFields)
{
    struct Case {
        QByteArray content;
        bool ok;
        qint64 number;
        QString title;
    };
    const Case cases[] = {
        {"124\nUpdate\n", true, 124, "Update"},
        {"124\r\nUpdate\r\n", true, 124, "Update"},
        {"124,Update now\nignored\n", true, 124, "Update now"},
        {" 130 \n", true, 130, ""},
        {"124", true, 124, ""},
        {"\xEF\xBB\xBF" "125\nWith a mark\n", true, 125, "With a mark"},
        {"99\nOld\n", true, 99, "Old"},
        {"<html><body>Not Found</body></html>\n", false, 0, ""},
        {"1.2.4\nUpdate\n", false, 0, ""},
        {"", false, 0, ""},
        {"\n124\n", false, 0, ""},
        {"99999999999999999999999\n", false, 0, ""},
    };
    for (const Case& c : cases) {
        const VersionFile file = parseVersionFile(c.content);
        EXPECT_EQ(file.ok, c.ok) << c.content.constData();
        if (!c.ok)
            continue;
        EXPECT_EQ(file.number, c.number) << c.content.constData();
        EXPECT_EQ(file.title, c.title) << c.content.constData();
    }
}

TEST(UpdateCheck, VersionNumbersAndTexts)
{
    EXPECT_EQ(runningVersionNumber(1, 2, 3), 123);
    EXPECT_EQ(runningVersionNumber(1, 12, 0), 1120);
    EXPECT_EQ(runningVersionNumber(), 100);  // this build is 1.0.0
    EXPECT_EQ(versionText(124), "1.2.4");
    EXPECT_EQ(versionText(1120), "1.1.0");
    EXPECT_EQ(storedNumber("6"), 6);
    EXPECT_EQ(storedNumber(""), 0);
    EXPECT_EQ(storedNumber("abc"), 0);
    EXPECT_EQ(storedNumber("12abc"), 12);
    EXPECT_EQ(storedNumber("1e99"), 2147483647);
}

TEST(UpdateCheck, OnlyANewerUndeclinedVersionIsOffered)
{
    struct Case {
        VersionFile file;
        qint64 running;
        qint64 declined;
        bool offered;
    };
    const Case cases[] = {
        {{true, 124, "Update"}, 123, 0, true},
        {{true, 124, "Update"}, 124, 0, false},
        {{true, 110, "Update"}, 123, 0, false},
        {{true, 124, "Update"}, 123, 124, false},
        {{true, 125, "Update"}, 123, 124, true},
        {{true, 99, "Update"}, 0, 0, false},
        {{false, 0, ""}, 0, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(offerFor(c.file, c.running, c.declined).has_value(), c.offered) << c.file.number;
}

TEST(UpdateCheck, TheQuestionAndItsTitle)
{
    const auto offer = offerFor({true, 124, "Update"}, 123, 0);
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->number, 124);
    EXPECT_EQ(offer->title, "Update");
    EXPECT_EQ(offer->text, "A new version 1.2.4 is available!\r\n\r\nDo you want to download the new version?");

    struct Case {
        QString title;
        QString shown;
    };
    const Case cases[] = {
        {"", "New version available"},
        {"U", "New version available"},
        {"Up", "Up"},
        {"  Tolvex 1.2.4\t", "Tolvex 1.2.4"},
        {"<b>bold</b>", "<b>bold</b>"},
        {QString("a\x1b[31mb"), "a [31mb"},
        {QString(200, 'x'), QString(kLongestTitle, 'x')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(offerFor({true, 124, c.title}, 123, 0)->title, c.shown) << c.title.toStdString();
}

TEST(UpdateCheck, TheEnvironmentOverridesTheConfiguredAddresses)
{
    qunsetenv("TOLVEX_UPDATE_PAGE");
    qunsetenv("TOLVEX_UPDATE_VERSION_FILE");
    // The build is given no addresses unless it is configured with them.
    const UpdateAddresses configured = updateAddresses();
    EXPECT_TRUE(configured.page.isEmpty());
    EXPECT_TRUE(configured.versionFile.isEmpty());
    qputenv("TOLVEX_UPDATE_PAGE", "http://127.0.0.1:1/page.html");
    qputenv("TOLVEX_UPDATE_VERSION_FILE", "http://127.0.0.1:1/dversion.ver");
    EXPECT_EQ(updateAddresses().page, "http://127.0.0.1:1/page.html");
    EXPECT_EQ(updateAddresses().versionFile, "http://127.0.0.1:1/dversion.ver");
}
