#include "ButtonTestSupport.h"

#include "buttons/VirtualKeys.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

QString at(const char* event, int button, int shift, QPoint pos)
{
    return QString("%1 %2 %3 %4 %5").arg(event).arg(button).arg(shift).arg(pos.x()).arg(pos.y());
}

class ButtonEvents : public ShownWindow {
protected:
    StyledButton* button(const PropertyBag& design = {})
    {
        StyledButton* b = addButton(window.get(), "cmdTest", design, QRect(20, 20, 80, 30));
        recorder.watch(b);
        return b;
    }
    // A plain control that takes the focus, so keys reach the window and not a button.
    QWidget* elsewhere()
    {
        auto* w = new QWidget(window.get());
        w->setGeometry(300, 200, 40, 20);
        w->setFocusPolicy(Qt::StrongFocus);
        return w;
    }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyPress(window->windowHandle(), key, mods); }
    void release(Qt::Key key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyRelease(window->windowHandle(), key, mods);
    }
    // Keys as the platform delivers them to the focused control.
    void send(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text = {},
              bool repeat = false)
    {
        QKeyEvent event(type, key, mods, text, repeat);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    }
    void repeatSpace(QEvent::Type type) { send(type, Qt::Key_Space, Qt::NoModifier, " ", true); }

    EventRecorder recorder;
};

TEST_F(ButtonEvents, LeftClickPressesRaisesDownUpAndOneClick)
{
    StyledButton* b = button();
    bool pressedLook = false;
    QObject::connect(b, &StyledButton::MouseDown,
                     [&] { pressedLook = b->stateFlags() & StyledButton::kFlagPressed; });
    show();
    click(b);
    const QPoint c = b->rect().center();
    EXPECT_EQ(recorder.take(), (QStringList{at("MouseDown", 1, 0, c), at("MouseUp", 1, 0, c), "Click"}));
    EXPECT_TRUE(pressedLook);
    EXPECT_FALSE(b->stateFlags() & StyledButton::kFlagPressed);
    EXPECT_EQ(b->lastMouseButton(), 1);
}

TEST_F(ButtonEvents, RightAndMiddleClicksRaiseNoClickAndShowNoPressedLook)
{
    StyledButton* b = button();
    bool pressedLook = false;
    QObject::connect(b, &StyledButton::MouseDown,
                     [&] { pressedLook = pressedLook || (b->stateFlags() & StyledButton::kFlagPressed); });
    show();
    const QPoint c = b->rect().center();
    click(b, Qt::RightButton, Qt::ShiftModifier);
    click(b, Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(recorder.take(), (QStringList{at("MouseDown", 2, 1, c), at("MouseUp", 2, 1, c),
                                            at("MouseDown", 4, 6, c), at("MouseUp", 4, 6, c)}));
    EXPECT_FALSE(pressedLook);
}

TEST_F(ButtonEvents, ACheckButtonTogglesBeforeItsClick)
{
    StyledButton* b = button({{"Mode", 1}});
    show();
    click(b);
    click(b);
    const QPoint c = b->rect().center();
    EXPECT_EQ(recorder.take(), (QStringList{at("MouseDown", 1, 0, c), at("MouseUp", 1, 0, c), "Click 1",
                                            at("MouseDown", 1, 0, c), at("MouseUp", 1, 0, c), "Click 0"}));
}

TEST_F(ButtonEvents, AReleaseOutsideTheButtonIsNoClick)
{
    StyledButton* b = button();
    show();
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, inWindow(b));
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, QPoint(350, 250));
    EXPECT_FALSE(recorder.log().contains("Click"));
    EXPECT_EQ(recorder.log().size(), 2);
}

TEST_F(ButtonEvents, ALeftDoubleClickGivesOneClickAndReplaysThePress)
{
    StyledButton* b = button();
    show();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, inWindow(b));
    const QPoint c = b->rect().center();
    EXPECT_EQ(recorder.take(),
              (QStringList{at("MouseDown", 1, 0, c), at("MouseUp", 1, 0, c), "Click", "DoubleClick 1",
                           at("MouseDown", 1, 0, c), at("MouseUp", 1, 0, c)}));
    EXPECT_FALSE(b->stateFlags() & StyledButton::kFlagPressed);
}

TEST_F(ButtonEvents, ARightDoubleClickReplaysItsPressAsTheLeftButton)
{
    StyledButton* b = button();
    show();
    QTest::mouseDClick(window->windowHandle(), Qt::RightButton, {}, inWindow(b));
    const QPoint c = b->rect().center();
    EXPECT_EQ(recorder.take(), (QStringList{at("MouseDown", 2, 0, c), at("MouseUp", 2, 0, c), "DoubleClick 2",
                                            at("MouseDown", 1, 0, c), at("MouseUp", 2, 0, c)}));
}

TEST_F(ButtonEvents, SpaceClicksBeforeKeyUpOnCommandButtonsAndAfterItOnCheckAndOptionButtons)
{
    struct Case {
        int mode;
        QStringList log;
    };
    const Case cases[] = {
        {0, {"KeyDown 32 0", "KeyPress 32", "Click", "KeyUp 32 0"}},
        {1, {"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "Click 1"}},
        {2, {"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "Click 1"}},
    };
    show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        // An option button is tested in a group whose other member is on, so that
        // taking the focus does not select it already.
        StyledButton* other = addButton(window.get(), "optOther", {{"Mode", c.mode}, {"Value", c.mode == 2}},
                                        QRect(200, 20, 80, 30));
        StyledButton* b = button({{"Mode", c.mode}});
        b->setFocus();
        recorder.take();
        press(Qt::Key_Space);
        EXPECT_TRUE(b->stateFlags() & StyledButton::kFlagPressed);
        EXPECT_TRUE(b->isHeld());
        release(Qt::Key_Space);
        EXPECT_EQ(recorder.take(), c.log);
        EXPECT_FALSE(b->stateFlags() & StyledButton::kFlagPressed);
        EXPECT_FALSE(b->stateFlags() & StyledButton::kFlagHover);
        delete b;
        delete other;
    }
}

TEST_F(ButtonEvents, AHeldSpaceRepeatsKeyDownButClicksOnce)
{
    StyledButton* b = button();
    show();
    b->setFocus();
    press(Qt::Key_Space);
    for (int i = 0; i < 3; ++i) {
        repeatSpace(QEvent::KeyRelease);
        repeatSpace(QEvent::KeyPress);
        EXPECT_TRUE(b->stateFlags() & StyledButton::kFlagPressed);
    }
    release(Qt::Key_Space);
    const QStringList log = recorder.take();
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_EQ(log.count("KeyDown 32 0"), 4);
    EXPECT_EQ(log.count("KeyUp 32 0"), 1);
    EXPECT_EQ(log.last(), "KeyUp 32 0");
}

TEST_F(ButtonEvents, LosingTheFocusWhileSpaceIsHeldReleasesThePressedLook)
{
    StyledButton* b = button();
    QWidget* other = elsewhere();
    show();
    b->setFocus();
    press(Qt::Key_Space);
    ASSERT_TRUE(b->stateFlags() & StyledButton::kFlagPressed);
    other->setFocus();
    EXPECT_FALSE(b->stateFlags() & StyledButton::kFlagPressed);
    EXPECT_FALSE(b->isHeld());
    release(Qt::Key_Space);
    EXPECT_FALSE(recorder.log().contains("Click"));
}

TEST_F(ButtonEvents, ArrowKeysMoveTheFocusAndRaiseNoKeyEvents)
{
    StyledButton* first = button();
    StyledButton* second = addButton(window.get(), "cmdSecond", {}, QRect(120, 20, 80, 30));
    recorder.watch(second);
    show();
    first->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), second);
    QTest::keyClick(window->windowHandle(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), first);
    QTest::keyClick(window->windowHandle(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), second);
    EXPECT_EQ(recorder.take(), QStringList{});
}

TEST_F(ButtonEvents, ShiftAloneRaisesKeyDownButNoKeyUp)
{
    StyledButton* b = button();
    show();
    b->setFocus();
    // The platform reports a modifier key with the state before it changed.
    send(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    send(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
    send(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, "A");
    send(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(recorder.take(), (QStringList{"KeyDown 16 1", "KeyDown 65 1", "KeyPress 65", "KeyUp 65 1"}));
}

TEST_F(ButtonEvents, EnterAndEscClickOnlyCommandButtons)
{
    struct Case {
        int mode;
        bool isDefault;
        Qt::Key key;
        bool clicks;
    };
    const Case cases[] = {
        {0, true, Qt::Key_Return, true}, {0, true, Qt::Key_Enter, true}, {1, true, Qt::Key_Return, false},
        {2, true, Qt::Key_Return, false}, {0, false, Qt::Key_Escape, true}, {1, false, Qt::Key_Escape, false},
        {2, false, Qt::Key_Escape, false},
    };
    QWidget* other = elsewhere();
    show();
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("mode %1 key %2").arg(c.mode).arg(c.key).toStdString());
        StyledButton* b = button({{"Mode", c.mode}});
        if (c.isDefault)
            b->setDefault(true);
        else
            b->setCancel(true);
        other->setFocus();
        recorder.take();
        QTest::keyClick(window->windowHandle(), c.key);
        EXPECT_EQ(recorder.take(), c.clicks ? QStringList{"Click"} : QStringList{});
        EXPECT_FALSE(b->Value());
        delete b;
    }
}

TEST_F(ButtonEvents, TheAccessKeyClicksEnabledButtonsOfEveryMode)
{
    StyledButton* command = button({{"Caption", "&Start"}});
    StyledButton* check = addButton(window.get(), "chkSound", {{"Caption", "S&ound"}, {"Mode", 1}},
                                    QRect(120, 20, 80, 30));
    recorder.watch(check);
    QWidget* other = elsewhere();
    show();
    other->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(window->windowHandle(), Qt::Key_O, Qt::AltModifier);
    command->setEnabled(false);
    QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(recorder.take(), (QStringList{"Click", "Click 1"}));
}

TEST_F(ButtonEvents, ACaptionWithoutMarkerKeepsTheOldAccessKey)
{
    StyledButton* b = button({{"Caption", "&Go"}});
    QWidget* other = elsewhere();
    show();
    b->setCaption("A&&B");
    other->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(recorder.take(), QStringList{"Click"});
}

TEST(VirtualKeys, QtKeysMapToThePlatformsKeyCodes)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_A, {}, 65},         {Qt::Key_Z, Qt::ShiftModifier, 90}, {Qt::Key_0, {}, 48},
        {Qt::Key_F1, {}, 112},       {Qt::Key_F12, {}, 123},             {Qt::Key_Return, {}, 13},
        {Qt::Key_Escape, {}, 27},    {Qt::Key_Space, {}, 32},            {Qt::Key_Left, {}, 37},
        {Qt::Key_Down, {}, 40},      {Qt::Key_Delete, {}, 46},           {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_ParenRight, Qt::ShiftModifier, 48}, {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_Plus, Qt::KeypadModifier, 107}, {Qt::Key_Semicolon, {}, 186}, {Qt::Key_Apostrophe, {}, 222},
        {Qt::Key_Control, Qt::ControlModifier, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const QKeyEvent event(QEvent::KeyPress, c.key, c.mods);
        EXPECT_EQ(buttons::virtualKeyCode(event), c.code);
    }
    EXPECT_EQ(buttons::shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(buttons::mouseButtonsCode(Qt::LeftButton | Qt::MiddleButton), 5);
}

}  // namespace
