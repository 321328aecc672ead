#include "ButtonTestSupport.h"

#include <QCursor>
#include <QSignalSpy>

namespace {

class ButtonHover : public ShownWindow {
protected:
    void SetUp() override
    {
        ShownWindow::SetUp();
        b = addButton(window.get(), "cmdHover", {}, QRect(20, 20, 80, 30));
        recorder.watch(b, false, true);
        show();
    }
    void moveTo(QPoint inWindowPos) { QCursor::setPos(window->mapToGlobal(inWindowPos)); }

    StyledButton* b = nullptr;
    EventRecorder recorder;
};

TEST_F(ButtonHover, EnteringStartsTheHoverOnceAndLeavingEndsIt)
{
    QSignalSpy spy(b, &StyledButton::MouseOnButton);
    moveTo(QPoint(30, 30));
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 100);
    moveTo(QPoint(40, 32));
    moveTo(QPoint(60, 35));
    EXPECT_TRUE(b->isHovering());
    EXPECT_TRUE(b->stateFlags() & StyledButton::kFlagHover);
    EXPECT_EQ(b->property("sb_ClassID").value<QObject*>(), b);
    EXPECT_EQ(b->property("sb_TimerID").toInt(), 237);

    moveTo(QPoint(300, 250));
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 100);
    EXPECT_FALSE(b->isHovering());
    EXPECT_FALSE(b->stateFlags() & StyledButton::kFlagHover);
    EXPECT_EQ(recorder.take(), (QStringList{"MouseOnButton 1", "MouseOnButton 0"}));
    // The links stay on the button until the next hover writes them again.
    EXPECT_EQ(b->property("sb_TimerID").toInt(), 237);
}

TEST_F(ButtonHover, TheTimerEndsTheHoverWhenTheCursorIsNoLongerOverTheButtonsShape)
{
    moveTo(QPoint(30, 30));
    QTRY_VERIFY_WITH_TIMEOUT(b->isHovering(), 100);
    // The outline shrinks away from the resting cursor: no leave is reported, the
    // timer finds it.
    b->setMask(QRegion(40, 0, 40, 30));
    QSignalSpy spy(b, &StyledButton::MouseOnButton);
    ASSERT_TRUE(spy.wait(100));
    EXPECT_EQ(spy.at(0).at(0).toBool(), false);
    EXPECT_FALSE(b->isHovering());
}

TEST_F(ButtonHover, SpaceShowsThePressedLookWithoutTheHoverLookUnlessHovering)
{
    b->setFocus();
    QTest::keyPress(window->windowHandle(), Qt::Key_Space);
    EXPECT_EQ(b->stateFlags() & (StyledButton::kFlagHover | StyledButton::kFlagPressed), StyledButton::kFlagPressed);
    QTest::keyRelease(window->windowHandle(), Qt::Key_Space);

    moveTo(QPoint(30, 30));
    QTRY_VERIFY_WITH_TIMEOUT(b->isHovering(), 100);
    QTest::keyPress(window->windowHandle(), Qt::Key_Space);
    EXPECT_EQ(b->stateFlags() & (StyledButton::kFlagHover | StyledButton::kFlagPressed),
              StyledButton::kFlagHover | StyledButton::kFlagPressed);
    QTest::keyRelease(window->windowHandle(), Qt::Key_Space);
}

}  // namespace
