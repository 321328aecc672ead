#include "ButtonTestSupport.h"
#include "core/ButtonCodes.h"

#include <QApplication>
#include <QFrame>

namespace {

class OptionGroups : public ShownWindow {
protected:
    void SetUp() override
    {
        ShownWindow::SetUp();
        for (QFrame*& frame : frames) {
            frame = new QFrame(window.get());
            frame->setGeometry(frame == frames[0] ? QRect(0, 0, 200, 300) : QRect(200, 0, 200, 300));
        }
    }
    StyledButton* option(int frame, const QString& name, bool value = false)
    {
        const int row = frames[frame]->findChildren<StyledButton*>().size();
        StyledButton* b =
            addButton(frames[frame], name, {{"Mode", 2}, {"Value", value}}, QRect(10, 10 + 40 * row, 80, 30));
        recorder.watch(b, true);
        return b;
    }
    static int count(QWidget* frame) { return frame->property("sb_OptCount").toInt(); }
    static QObject* entry(QWidget* frame, int index)
    {
        return frame->property(QByteArray::number(index) + "sb_Obj").value<QObject*>();
    }
    static QList<QObject*> entries(QWidget* frame)
    {
        QList<QObject*> out;
        for (int i = 1; i <= count(frame); ++i)
            out << entry(frame, i);
        return out;
    }

    QFrame* frames[2] = {};
    EventRecorder recorder;
};

TEST_F(OptionGroups, EachFrameKeepsItsOwnGroupInItsProperties)
{
    StyledButton* a = option(0, "optA", true);
    StyledButton* b = option(0, "optB");
    StyledButton* c = option(0, "optC");
    StyledButton* x = option(1, "optX", true);
    StyledButton* y = option(1, "optY");
    EXPECT_EQ(entries(frames[0]), (QList<QObject*>{a, b, c}));
    EXPECT_EQ(entries(frames[1]), (QList<QObject*>{x, y}));
    EXPECT_FALSE(window->property("sb_OptCount").isValid());

    show();
    click(b);
    EXPECT_EQ(recorder.take(), (QStringList{"optB MouseDown 1 0 39 14", "optB MouseUp 1 0 39 14", "optB Click 1"}));
    EXPECT_FALSE(a->Value());
    EXPECT_FALSE(c->Value());
    EXPECT_TRUE(x->Value());

    click(b);
    EXPECT_EQ(recorder.take(), (QStringList{"optB MouseDown 1 0 39 14", "optB MouseUp 1 0 39 14"}));
    EXPECT_TRUE(b->Value());

    click(y);
    EXPECT_TRUE(b->Value());
    EXPECT_FALSE(x->Value());
    EXPECT_TRUE(y->Value());
}

TEST_F(OptionGroups, SettingValueClearsTheOthersWithoutAnEvent)
{
    StyledButton* a = option(0, "optA", true);
    StyledButton* b = option(0, "optB");
    b->setValue(true);
    EXPECT_FALSE(a->Value());
    EXPECT_EQ(recorder.take(), QStringList{});
}

TEST_F(OptionGroups, ChangingTheModeLeavesAndRejoinsTheGroup)
{
    StyledButton* a = option(0, "optA", true);
    StyledButton* b = option(0, "optB");
    StyledButton* c = option(0, "optC");
    b->setMode(buttons::kModeCheck);
    EXPECT_EQ(entries(frames[0]), (QList<QObject*>{a, c}));
    b->setValue(true);
    EXPECT_TRUE(a->Value());
    b->setMode(buttons::kModeOption);
    EXPECT_EQ(entries(frames[0]), (QList<QObject*>{a, c, b}));
    EXPECT_FALSE(a->Value());
    EXPECT_TRUE(b->Value());
    b->setMode(buttons::kModeCommand);
    EXPECT_FALSE(b->Value());
    a->setMode(buttons::kModeCommand);
    c->setMode(buttons::kModeCheck);
    EXPECT_FALSE(frames[0]->property("sb_OptCount").isValid());
    EXPECT_FALSE(frames[0]->property("1sb_Obj").isValid());
}

TEST_F(OptionGroups, ADestroyedMemberLeavesItsGroup)
{
    StyledButton* a = option(0, "optA");
    StyledButton* b = option(0, "optB", true);
    StyledButton* c = option(0, "optC");
    delete b;
    EXPECT_EQ(entries(frames[0]), (QList<QObject*>{a, c}));
    EXPECT_FALSE(frames[0]->property("3sb_Obj").isValid());
    show();
    // The first option takes the focus and, its group having no selection, selects itself.
    EXPECT_EQ(recorder.take(), QStringList{"optA Click 1"});
    click(c);
    click(a);
    EXPECT_TRUE(a->Value());
    EXPECT_FALSE(c->Value());
    EXPECT_EQ(recorder.take().filter("Click"), (QStringList{"optC Click 1", "optA Click 1"}));
}

TEST_F(OptionGroups, TabbingOntoAGroupWithoutSelectionSelectsTheOption)
{
    StyledButton* start = addButton(window.get(), "cmdStart", {}, QRect(10, 250, 80, 30));
    StyledButton* a = option(0, "optA");
    StyledButton* b = option(0, "optB");
    show();
    start->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), a);
    EXPECT_TRUE(a->Value());
    // The Tab key's release reaches the control that took the focus.
    EXPECT_EQ(recorder.take(), (QStringList{"optA Click 1", "optA KeyUp 9 0"}));

    QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), b);
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(recorder.take(), QStringList{"optB KeyUp 9 0"});
}

TEST_F(OptionGroups, AnArrowKeyMovesToTheNextOptionAndSelectsIt)
{
    StyledButton* a = option(0, "optA", true);
    StyledButton* b = option(0, "optB");
    show();
    a->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), b);
    EXPECT_TRUE(b->Value());
    EXPECT_FALSE(a->Value());
    EXPECT_EQ(recorder.take(), QStringList{"optB Click 1"});
}

}  // namespace
