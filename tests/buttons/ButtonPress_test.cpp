// Every way of pressing a button runs the window's handler: a MouseDown or MouseUp
// handler connected through connectMouseDown/connectMouseUp runs for the mouse and,
// as the left button, for Space, Enter, Esc, the access key, the arrow keys of an
// option group, the focus that selects an option, and an assistive tool's press.
// Labels worked like buttons (PressLabel) follow the same rule.
#include "ButtonTestSupport.h"

#include "buttons/ButtonPress.h"
#include "buttons/PressLabel.h"

#include <QAccessible>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace {

bool keyboardlessPress(QObject* o)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
    if (!iface || !iface->actionInterface())
        return false;
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

QAccessibleActionInterface* actions(QObject* o)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->actionInterface() : nullptr;
}

class ButtonPress : public ShownWindow {
protected:
    StyledButton* button(const QString& name, const PropertyBag& design, QRect place)
    {
        StyledButton* b = addButton(window.get(), name, design, place);
        QObject::connect(b, &StyledButton::Click, b,
                         [this, b] { log << b->objectName() + (b->Mode() ? QString(" Click %1").arg(b->Value()) : " Click"); });
        return b;
    }
    // A handler as a window connects it, logging the button number and where it was pressed.
    void onDown(StyledButton* b)
    {
        buttons::connectMouseDown(b, window.get(), [this, b](int button, int shift, float x, float y) {
            log << QString("%1 down %2 %3 %4 %5 value %6")
                       .arg(b->objectName())
                       .arg(button)
                       .arg(shift)
                       .arg(x)
                       .arg(y)
                       .arg(b->Value());
        });
    }
    void onUp(StyledButton* b)
    {
        buttons::connectMouseUp(b, window.get(), [this, b](int button, int, float, float) {
            log << QString("%1 up %2 value %3").arg(b->objectName()).arg(button).arg(b->Value());
        });
    }
    QWidget* elsewhere()
    {
        auto* w = new QWidget(window.get());
        w->setGeometry(360, 260, 30, 20);
        w->setFocusPolicy(Qt::StrongFocus);
        w->show();
        return w;
    }
    QStringList take()
    {
        QStringList out = log;
        log.clear();
        return out;
    }

    QStringList log;
};

TEST_F(ButtonPress, EveryWayOfPressingRunsAMouseDownHandlerAsTheLeftButtonBeforeTheClick)
{
    StyledButton* b = button("cmdGo", {{"Caption", "&Go"}}, QRect(20, 20, 80, 30));
    onDown(b);
    b->setDefault(true);
    StyledButton* cancel = button("cmdQuit", {{"Caption", "Quit"}}, QRect(120, 20, 80, 30));
    onDown(cancel);
    cancel->setCancel(true);
    QWidget* other = elsewhere();
    show();
    const QString middle = "1 0 39 14";

    struct Case {
        const char* way;
        std::function<void()> press;
        QStringList log;
    };
    const Case cases[] = {
        {"left click", [&] { click(b); }, {"cmdGo down 1 0 39 14 value 0", "cmdGo Click"}},
        {"right click", [&] { click(b, Qt::RightButton); }, {"cmdGo down 2 0 39 14 value 0"}},
        {"Space",
         [&] {
             b->setFocus();
             QTest::keyClick(b, Qt::Key_Space);
         },
         {"cmdGo down " + middle + " value 0", "cmdGo Click"}},
        {"Enter on the default button",
         [&] {
             other->setFocus();
             QTest::keyClick(window->windowHandle(), Qt::Key_Return);
         },
         {"cmdGo down " + middle + " value 0", "cmdGo Click"}},
        {"Esc on the cancel button",
         [&] {
             other->setFocus();
             QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
         },
         {"cmdQuit down " + middle + " value 0", "cmdQuit Click"}},
        {"access key",
         [&] {
             other->setFocus();
             QTest::keyClick(window->windowHandle(), Qt::Key_G, Qt::AltModifier);
         },
         {"cmdGo down " + middle + " value 0", "cmdGo Click"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        take();
        c.press();
        EXPECT_EQ(take(), c.log);
    }

    // An assistive tool's press: queued, then the same as the keyboard's.
    take();
    actions(b)->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(log.isEmpty());
    QTRY_COMPARE(log.size(), 2);
    EXPECT_EQ(take(), (QStringList{"cmdGo down " + middle + " value 0", "cmdGo Click"}));
}

TEST_F(ButtonPress, OptionButtonsApplyTheirChoiceWhateverSelectsThem)
{
    // A group like the print window's orientation: the MouseUp handler applies the
    // choice, before the click shows it, for every way the option is chosen.
    StyledButton* first = button("optA", {{"Caption", "&Portrait"}, {"Mode", 2}, {"Value", true}}, QRect(20, 20, 90, 30));
    StyledButton* second = button("optB", {{"Caption", "&Landscape"}, {"Mode", 2}}, QRect(120, 20, 90, 30));
    onUp(first);
    onUp(second);
    QWidget* other = elsewhere();
    show();

    struct Case {
        const char* way;
        StyledButton* chosen;
        std::function<void()> press;
    };
    const Case cases[] = {
        {"mouse", second, [&] { click(second); }},
        {"Space", first,
         [&] {
             first->setFocus();
             QTest::keyClick(first, Qt::Key_Space);
         }},
        {"access key", second,
         [&] {
             other->setFocus();
             QTest::keyClick(window->windowHandle(), Qt::Key_L, Qt::AltModifier);
         }},
        {"arrow key", first,
         [&] {
             // The press moves the focus; the release reaches the option moved to.
             second->setFocus();
             QTest::keyPress(QApplication::focusWidget(), Qt::Key_Left);
             QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Left);
         }},
        {"assistive tool", second,
         [&] {
             actions(second)->doAction(QAccessibleActionInterface::pressAction());
             QTRY_VERIFY(second->Value());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        take();
        c.press();
        EXPECT_TRUE(c.chosen->Value());
        const QString name = c.chosen->objectName();
        const QStringList got = take();
        ASSERT_FALSE(got.isEmpty());
        EXPECT_EQ(got.first(), name + " up 1 value 0");
        EXPECT_TRUE(got.contains(name + " Click 1"));
    }

    // Tabbing onto an option of a group with none chosen selects and applies it.
    first->setValue(false);
    second->setValue(false);
    other->setFocus();
    take();
    first->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(first->Value());
    EXPECT_EQ(take(), (QStringList{"optA up 1 value 0", "optA Click 1"}));
}

TEST_F(ButtonPress, AHandlerThatClosesOrDisablesTheButtonEndsTheClick)
{
    StyledButton* closing = button("cmdClose", {{"Caption", "&Close"}}, QRect(20, 20, 80, 30));
    buttons::connectMouseDown(closing, window.get(), [closing](int, int, float, float) { delete closing; });
    StyledButton* disabling = button("cmdOnce", {{"Caption", "&Once"}}, QRect(120, 20, 80, 30));
    buttons::connectMouseDown(disabling, window.get(),
                              [disabling](int, int, float, float) { disabling->setEnabled(false); });
    QPointer<StyledButton> watched(closing);
    show();
    closing->setFocus();
    QTest::keyClick(closing, Qt::Key_Space);
    EXPECT_TRUE(watched.isNull());
    disabling->setFocus();
    QTest::keyClick(disabling, Qt::Key_Space);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(ButtonPress, AnAssistiveToolsPressReturnsAtOnceWhenTheClickOpensAModalWindow)
{
    StyledButton* b = button("cmdSetup", {{"Caption", "&Setup"}}, QRect(20, 20, 80, 30));
    bool opened = false, shownWhileOpen = false, closed = false;
    QObject::connect(b, &StyledButton::Click, window.get(), [&] {
        QDialog dialog(window.get());
        opened = true;
        // The user closes the window a moment after it shows.
        QTimer::singleShot(50, &dialog, [&] {
            shownWhileOpen = dialog.isVisible();
            dialog.reject();
        });
        dialog.exec();
        closed = true;
    });
    show();

    QElapsedTimer took;
    took.start();
    ASSERT_TRUE(keyboardlessPress(b));
    // The call came back before the modal window ran, let alone closed.
    EXPECT_LT(took.elapsed(), 1000);
    EXPECT_FALSE(opened);
    QTRY_VERIFY(closed);
    EXPECT_TRUE(shownWhileOpen);
}

TEST_F(ButtonPress, ALabelWorkedLikeAButtonClicksByMouseKeysAndAssistiveTools)
{
    auto* link = new PressLabel("Mail the <b>author</b>", window.get());
    link->setGeometry(20, 80, 160, 20);
    auto* swatch = new PressLabel(window.get(), QAccessible::Button);
    swatch->setGeometry(20, 110, 40, 20);
    swatch->setAccessibleName("Select user color");
    int linkClicks = 0, swatchClicks = 0;
    QObject::connect(link, &PressLabel::Click, [&] { ++linkClicks; });
    QObject::connect(swatch, &PressLabel::Click, [&] { ++swatchClicks; });
    QWidget* other = elsewhere();
    show();

    QAccessibleInterface* linkFace = QAccessible::queryAccessibleInterface(link);
    EXPECT_EQ(linkFace->role(), QAccessible::Link);
    EXPECT_EQ(linkFace->text(QAccessible::Name), "Mail the author");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(swatch)->role(), QAccessible::Button);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(swatch)->text(QAccessible::Name), "Select user color");

    click(link);
    click(link, Qt::RightButton);
    EXPECT_EQ(linkClicks, 1);
    // Tab reaches it; Space and Enter click it.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link);
    QTest::keyClick(link, Qt::Key_Space);
    QTest::keyClick(link, Qt::Key_Return);
    EXPECT_EQ(linkClicks, 3);
    actions(swatch)->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(swatchClicks, 0);
    QTRY_COMPARE(swatchClicks, 1);
    swatch->setEnabled(false);
    EXPECT_FALSE(actions(swatch)->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

}  // namespace

namespace {

TEST_F(ButtonPress, AnAccessKeySharedByTwoButtonsMovesTheFocusBetweenThem)
{
    StyledButton* start = button("cmdStart", {{"Caption", "&Start"}}, QRect(20, 20, 80, 30));
    StyledButton* snap = button("cmdSnapShot", {{"Caption", "&SnapShot"}}, QRect(120, 20, 80, 30));
    QWidget* other = elsewhere();
    show();
    other->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::AltModifier);
    QWidget* first = QApplication::focusWidget();
    EXPECT_TRUE(first == start || first == snap);
    QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::AltModifier);
    QWidget* second = QApplication::focusWidget();
    EXPECT_TRUE((second == start || second == snap) && second != first);
    EXPECT_TRUE(log.isEmpty()) << "a shared key clicks nothing by itself";
    QTest::keyClick(second, Qt::Key_Space);
    EXPECT_EQ(take(), QStringList{second->objectName() + " Click"});
}

}  // namespace

namespace {

TEST(ButtonKeys, EscWithTheFocusOnAButtonClosesItsDialog)
{
    QDialog dialog;
    dialog.resize(200, 100);
    StyledButton* b = createStyledButton(&dialog, ButtonDesign{"cmdPrint", QRect(10, 10, 80, 30), {{"Caption", "Print..."}}});
    int clicks = 0;
    QObject::connect(b, &StyledButton::Click, [&] { ++clicks; });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(b, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
