#include "automation/frmProgress.h"
#include "Children.h"

#include <gtest/gtest.h>

TEST(FrmProgress, BarWidthIsInHundredthsOfItsBackground)
{
    QWidget owner;
    frmProgress window(&owner);
    EXPECT_EQ(window.windowTitle(), "FTP Uploading");
    ASSERT_NE(window.findChild<QWidget*>("Picture1"), nullptr);
    ASSERT_EQ(window.findChild<QWidget*>("pbUpload"), child<QWidget>(window, "pbUpload"));
    EXPECT_EQ(child<QWidget>(window, "pbUpload")->width(), 0);
    window.setBarWidth(50);
    EXPECT_EQ(child<QWidget>(window, "pbUpload")->width(), child<QWidget>(window, "Picture1")->width() / 2);
    window.setBarWidth(100);
    EXPECT_EQ(child<QWidget>(window, "pbUpload")->width(), child<QWidget>(window, "Picture1")->width());
    window.setBarWidth(130);
    EXPECT_EQ(window.barWidth(), 100);
    EXPECT_EQ(child<QWidget>(window, "pbUpload")->height(), child<QWidget>(window, "Picture1")->height());
}
