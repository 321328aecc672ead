// The buttons as assistive tools read and work them. The interface is queried
// directly: under the offscreen platform no tool is attached and QAccessible
// reports itself inactive, but the query works all the same.
#include "ButtonTestSupport.h"
#include "core/ButtonCodes.h"

#include "buttons/AccessKey.h"

#include <QAccessible>
#include <QFrame>

namespace {

QAccessibleInterface* accessible(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    EXPECT_NE(iface, nullptr);
    return iface;
}

QAccessibleActionInterface* actions(QWidget* w) { return accessible(w)->actionInterface(); }

class ButtonAccessibility : public ShownWindow {
protected:
    StyledButton* button(const PropertyBag& design, QWidget* parent = nullptr)
    {
        QWidget* on = parent ? parent : window.get();
        const int row = on->findChildren<StyledButton*>().size();
        StyledButton* b = addButton(on, "cmd" + QString::number(row), design, QRect(10, 10 + 40 * row, 90, 30));
        recorder.watch(b, true);
        return b;
    }

    EventRecorder recorder;
};

TEST_F(ButtonAccessibility, EachModeHasTheRoleOfItsKind)
{
    const std::pair<int, QAccessible::Role> cases[] = {
        {0, QAccessible::Button}, {1, QAccessible::CheckBox}, {2, QAccessible::RadioButton}};
    for (auto [mode, role] : cases)
        EXPECT_EQ(accessible(button({{"Mode", mode}}))->role(), role) << "mode " << mode;

    // A mode changed at run time is read anew.
    StyledButton* b = button({});
    ASSERT_EQ(accessible(b)->role(), QAccessible::Button);
    b->setMode(buttons::kModeCheck);
    EXPECT_EQ(accessible(b)->role(), QAccessible::CheckBox);
}

TEST(ButtonCaptionText, MarkersAndLineBreaksAreNotRead)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&Video Size", "Video Size"},
        {"Save && Quit", "Save & Quit"},
        {"A&&B &Cancel", "A&B Cancel"},
        {"&&&Help", "&Help"},
        {"Fit to||&Window", "Fit to Window"},
        {"Two\r\nlines", "Two lines"},
        {"Drag &", "Drag &"},
        {"", ""},
    };
    for (auto [caption, text] : cases)
        EXPECT_EQ(buttons::captionText(caption), QString(text)) << caption;
}

TEST_F(ButtonAccessibility, TheNameIsTheCaptionAsShownWithTheAccessKeyBeside)
{
    StyledButton* b = button({{"Caption", "&Video Size"}});
    b->setToolTip("Choose the capture size");
    EXPECT_EQ(accessible(b)->text(QAccessible::Name), "Video Size");
    EXPECT_EQ(accessible(b)->text(QAccessible::Accelerator), QKeySequence("Alt+V").toString(QKeySequence::NativeText));
    EXPECT_EQ(accessible(b)->text(QAccessible::Description), "Choose the capture size");
    b->setCaption("Save && Quit");
    EXPECT_EQ(accessible(b)->text(QAccessible::Name), "Save & Quit");
    // A window's own accessible name wins over the caption.
    b->setAccessibleName("Leave");
    EXPECT_EQ(accessible(b)->text(QAccessible::Name), "Leave");
}

TEST_F(ButtonAccessibility, APictureOnlyButtonIsNamedByItsToolTip)
{
    StyledButton* b = button({{"Caption", ""}, {"Image", QVariant::fromValue(testBitmap())}});
    b->setToolTip("Snapshot");
    EXPECT_EQ(accessible(b)->text(QAccessible::Name), "Snapshot");
    EXPECT_EQ(accessible(b)->text(QAccessible::Description), "");
    b->setCaption("&Snap");
    EXPECT_EQ(accessible(b)->text(QAccessible::Name), "Snap");
}

TEST_F(ButtonAccessibility, StatesFollowEnabledValueFocusAndTheDefaultButton)
{
    auto* panel = new QFrame(window.get());
    panel->setGeometry(200, 0, 200, 300);
    StyledButton* command = button({{"Caption", "&Start"}});
    StyledButton* check = button({{"Caption", "S&ound"}, {"Mode", 1}});
    StyledButton* inPanel = button({{"Caption", "Stop"}}, panel);
    show();

    QAccessible::State s = accessible(command)->state();
    EXPECT_FALSE(s.disabled);
    EXPECT_FALSE(s.checkable);
    EXPECT_TRUE(s.focusable);
    EXPECT_FALSE(s.defaultButton);

    command->setEnabled(false);
    EXPECT_TRUE(accessible(command)->state().disabled);
    panel->setEnabled(false);
    EXPECT_TRUE(accessible(inPanel)->state().disabled);
    panel->setEnabled(true);
    EXPECT_FALSE(accessible(inPanel)->state().disabled);

    EXPECT_TRUE(accessible(check)->state().checkable);
    EXPECT_FALSE(accessible(check)->state().checked);
    check->setValue(true);
    EXPECT_TRUE(accessible(check)->state().checked);

    check->setFocus();
    EXPECT_TRUE(accessible(check)->state().focused);
    EXPECT_FALSE(accessible(inPanel)->state().focused);

    ButtonContainer::of(window.get())->setDefaultButton(inPanel);
    EXPECT_TRUE(accessible(inPanel)->state().defaultButton);
    EXPECT_FALSE(accessible(check)->state().defaultButton);
}

TEST_F(ButtonAccessibility, PressClicksLikeTheKeyboard)
{
    StyledButton* command = button({{"Caption", "&Start"}});
    StyledButton* check = button({{"Caption", "S&ound"}, {"Mode", 1}});
    EXPECT_EQ(actions(command)->actionNames().first(), QAccessibleActionInterface::pressAction());
    EXPECT_EQ(actions(command)->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QKeySequence("Alt+S").toString(QKeySequence::NativeText)});
    EXPECT_TRUE(actions(check)->actionNames().contains(QAccessibleActionInterface::toggleAction()));

    // The press is queued: it shows the pressed look at once and clicks from the event loop.
    actions(command)->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(recorder.log().isEmpty());
    EXPECT_TRUE(command->stateFlags() & StyledButton::kFlagPressed);
    EXPECT_TRUE(accessible(command)->state().pressed);
    QTRY_COMPARE(recorder.log().size(), 1);
    EXPECT_FALSE(command->stateFlags() & StyledButton::kFlagPressed);
    actions(check)->doAction(QAccessibleActionInterface::toggleAction());
    QTRY_COMPARE(recorder.log().size(), 2);
    actions(check)->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(recorder.log().size(), 3);
    EXPECT_EQ(recorder.take(), (QStringList{"cmd0 Click", "cmd1 Click 1", "cmd1 Click 0"}));

    // A disabled button offers nothing to press, and pressing anyway does nothing.
    command->setEnabled(false);
    EXPECT_FALSE(actions(command)->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions(command)->doAction(QAccessibleActionInterface::pressAction());
    QTest::qWait(3 * StyledButton::kAnimateClickMs);
    EXPECT_TRUE(recorder.take().isEmpty());
}

TEST_F(ButtonAccessibility, PressingAnOptionSelectsItInItsGroupOnce)
{
    StyledButton* first = button({{"Mode", 2}, {"Value", true}});
    StyledButton* second = button({{"Mode", 2}});
    actions(second)->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(second->Value());
    EXPECT_FALSE(first->Value());
    EXPECT_FALSE(accessible(first)->state().checked);
    // An option already chosen stays chosen and raises nothing.
    actions(second)->doAction(QAccessibleActionInterface::toggleAction());
    QTest::qWait(3 * StyledButton::kAnimateClickMs);
    EXPECT_TRUE(second->Value());
    EXPECT_EQ(recorder.take(), QStringList{"cmd1 Click 1"});
}

}  // namespace
