#include "Children.h"
#include "MainWindowHarness.h"
#include "buttons/StyledButton.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

struct AboutAndUpdateTest : ::testing::Test, MainWindowHarness {
    int aboutOpened = 0;
    int checksRun = 0;
    QList<bool> onTopWhileOpen;

    AboutAndUpdateTest()
    {
        openers.openAbout = [this] {
            ++aboutOpened;
            onTopWhileOpen.append(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        };
        openers.runUpdateCheck = [this] {
            ++checksRun;
            onTopWhileOpen.append(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        };
    }
};

}  // namespace

TEST_F(AboutAndUpdateTest, TheStartupRunsTheUpdateCheckUnlessItIsSwitchedOff)
{
    start();
    EXPECT_EQ(checksRun, 1);
    registry.save("NoURLupdate", "Yes");
    restart();
    EXPECT_EQ(checksRun, 1);
    registry.save("NoURLupdate", "No");
    restart();
    EXPECT_EQ(checksRun, 2);
}

TEST_F(AboutAndUpdateTest, TheAboutButtonOpensTheAboutBox)
{
    frmMain& m = start();
    m.show();
    QTest::mouseClick(child<StyledButton>(m, "cmdAbout"), Qt::LeftButton);
    EXPECT_EQ(aboutOpened, 1);
    EXPECT_FALSE(m.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(AboutAndUpdateTest, StayOnTopIsOffWhileTheAboutBoxAndTheCheckAreOpen)
{
    start();
    s.StayOnTop = 1;
    w->SetAlwaysOnTop(true);
    w->show();
    QTest::mouseClick(child<StyledButton>(*w, "cmdAbout"), Qt::LeftButton);
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    w->runUpdateCheck();
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(onTopWhileOpen, (QList<bool>{false, false, false}));  // the start-up's check, the box, the check
}
