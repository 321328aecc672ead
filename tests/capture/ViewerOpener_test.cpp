#include "Children.h"
#include "MainWindowHarness.h"
#include "buttons/StyledButton.h"

#include <gtest/gtest.h>

#include <QTest>

TEST(ViewerOpener, TheViewerButtonOpensTheViewerThroughItsOpenerWithAnyMouseButton)
{
    MainWindowHarness h;
    frmMain& w = h.start();
    w.show();
    QTest::mouseClick(child<StyledButton>(w, "cmdViewer"), Qt::LeftButton);  // no opener yet: nothing happens
    int opened = 0;
    w.setOpeners(WindowOpeners{.openViewer = [&opened](const ViewerHandOff&) { ++opened; }});
    QTest::mouseClick(child<StyledButton>(w, "cmdViewer"), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    QTest::mouseClick(child<StyledButton>(w, "cmdViewer"), Qt::RightButton);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(child<StyledButton>(w, "cmdViewer")->Caption(), "Open/Vi&ew");
}
