// The tests' modal-window answer (tests/common/ModalAnswer.h): it answers the window
// it is meant for, and a window that never comes fails the case at the deadline
// instead of leaving the code under test waiting until ctest's timeout.
#include "ModalAnswer.h"

#include <QDialog>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(ModalAnswer, AnswersTheNamedDialogEachTimeAndCountsIt)
{
    ModalAnswer answer("chooser", [](QDialog& d) { d.accept(); });
    for (int i = 0; i < 2; ++i) {
        QDialog chooser;
        chooser.setObjectName("chooser");
        EXPECT_EQ(chooser.exec(), QDialog::Accepted);
    }
    EXPECT_EQ(answer.times(), 2);
}

TEST(ModalAnswer, AWindowThatNeverComesFailsAtTheDeadlineAndTheWindowUpIsClosed)
{
    EXPECT_NONFATAL_FAILURE(
        {
            new ModalAnswer([](QWidget& w) { return w.objectName() == "never"; }, [](QWidget&) {}, 200, true);
            QDialog other;
            other.setObjectName("other");
            // Nothing answers this one; the answer closes it when it gives up.
            EXPECT_EQ(other.exec(), QDialog::Rejected);
        },
        "no modal window to answer came within 200 ms");
}

TEST(ModalAnswer, AScopedAnswerWhoseWindowNeverCameFails)
{
    EXPECT_NONFATAL_FAILURE({ ModalAnswer answer("chooser", [](QDialog& d) { d.accept(); }); },
                            "the modal window to answer never came");
}
