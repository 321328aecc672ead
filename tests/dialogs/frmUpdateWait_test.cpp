#include "dialogs/frmUpdateWait.h"
#include "Children.h"

#include <QLabel>

#include <gtest/gtest.h>

TEST(UpdateWait, TheWaitingWindowShowsOverItsOwnerWhileTheCheckRuns)
{
    QWidget owner;
    owner.show();
    bool shownDuringCheck = false;
    runWithUpdateWait(&owner, [&] {
        const auto* wait = owner.findChild<frmUpdateWait*>("frmUpdateWait");
        shownDuringCheck = wait && wait->isVisible() && !child<QLabel>(*wait, "Label1")->text().isEmpty();
    });
    EXPECT_TRUE(shownDuringCheck);
    EXPECT_EQ(owner.findChild<frmUpdateWait*>(), nullptr);
}
