#include "viewer/WindowPlace.h"

#include <gtest/gtest.h>

TEST(WindowPlace, APlaceOffEveryScreenComesOntoTheNearestOne)
{
    const QList<QRect> two{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const struct {
        const char* what;
        QRect stored;
        QRect placed;
    } cases[] = {
        {"on the first screen stays", {200, 200, 795, 595}, {200, 200, 795, 595}},
        {"partly on a screen stays", {1800, 900, 795, 595}, {1800, 900, 795, 595}},
        {"across both screens stays", {1500, 100, 795, 595}, {1500, 100, 795, 595}},
        {"far right comes onto the second", {9000, 300, 795, 595}, {3200 - 795, 300, 795, 595}},
        {"above the screens", {100, -5000, 795, 595}, {100, 0, 795, 595}},
        {"left and below", {-3000, 4000, 795, 595}, {0, 1080 - 595, 795, 595}},
        {"a sliver of 4 x 2 pixels counts as off", {1916, 1078, 795, 595}, {1920, 1024 - 595, 795, 595}},
        {"a corner of 10 x 10 pixels is too little", {-785, -585, 795, 595}, {0, 0, 795, 595}},
        {"larger than the screen: its top-left corner", {5000, 5000, 4000, 3000}, {1920, 0, 4000, 3000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bringOntoScreen(c.stored, two), c.placed) << c.what;
    EXPECT_EQ(bringOntoScreen({9000, 9000, 10, 10}, {}), QRect(9000, 9000, 10, 10));
}
