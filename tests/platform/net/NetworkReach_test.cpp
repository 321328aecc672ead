#include "platform/net/NetworkReach.h"

#include <gtest/gtest.h>

using platform::DesktopReach;

TEST(NetworkReach, OnlyADisconnectedDesktopStopsADownloadFromAnotherMachine)
{
    struct Case {
        DesktopReach reach;
        const char* address;
        bool worth;
    };
    const Case cases[] = {
        {DesktopReach::NoAnswer, "https://www.vykondrelsoft.example/tolvex/dversion.ver", true},
        {DesktopReach::Connected, "https://www.vykondrelsoft.example/tolvex/dversion.ver", true},
        {DesktopReach::Disconnected, "https://www.vykondrelsoft.example/tolvex/dversion.ver", false},
        {DesktopReach::Disconnected, "http://127.0.0.1:8080/dversion.ver", true},
        {DesktopReach::Disconnected, "http://127.8.9.10/dversion.ver", true},
        {DesktopReach::Disconnected, "http://LocalHost:81/dversion.ver", true},
        {DesktopReach::Disconnected, "http://[::1]:81/dversion.ver", true},
        {DesktopReach::Disconnected, "http://128.0.0.1/dversion.ver", false},
        {DesktopReach::Disconnected, "http://localhost.vykondrelsoft.example/", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::worthTrying(c.reach, QUrl(c.address)), c.worth) << c.address;
}
