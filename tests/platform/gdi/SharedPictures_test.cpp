#include "platform/gdi/SharedPictures.h"

#include <gtest/gtest.h>

using namespace platform::gdi;

// Without a display that shares memory (the tests run offscreen), a shared picture
// is an ordinary one the program paints as usual: the camera's frames are decoded
// into it all the same.
TEST(SharedPictures, WithoutSharingPicturesAreOrdinaryAndNothingIsPut)
{
    EXPECT_FALSE(sharedPicturesAvailable());
    QImage picture = makeSharedPicture(QSize(64, 48));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(64, 48));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    picture.fill(Qt::red);
    EXPECT_EQ(picture.pixelColor(63, 47), QColor(Qt::red));
    EXPECT_FALSE(isShared(picture));
    EXPECT_FALSE(putSharedPicture(1, picture, picture.rect(), {0, 0}));
    EXPECT_TRUE(makeSharedPicture(QSize(0, 10)).isNull());
}
