#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

class QDialog;

#include <functional>
#include <source_location>

// Answers modal windows for a test. A modal window runs its own event loop, so the
// answer polls from a timer until a window it is meant for is the active modal
// window, and runs `act` on it (`act` closes it).
//
// When no such window comes before the deadline, the case fails at the line that
// made the answer (ADD_FAILURE with that line), and whatever modal window is up
// instead is closed, so the code waiting in it returns: a test fails at the line,
// never in ctest's timeout.
//
// Two lifetimes:
// - a ModalAnswer object answers every matching window for as long as it lives
//   (times() counts them); going out of scope without having answered one fails
//   the case too;
// - answerNextModal() answers the next matching window once and then goes; use it
//   where the window opens after the function that asked returns (a dialog that
//   comes back after a message box over it closed).
class ModalAnswer : public QObject {
public:
    using Match = std::function<bool(QWidget&)>;
    using Act = std::function<void(QWidget&)>;

    static constexpr int kDefaultDeadlineMs = 20000;

    // The modal dialog of that object name.
    ModalAnswer(const QString& objectName, std::function<void(QDialog&)> act,
                std::source_location where = std::source_location::current());
    ModalAnswer(Match match, Act act, int deadlineMs, bool once,
                std::source_location where = std::source_location::current());
    ~ModalAnswer() override;

    int times() const { return times_; }

private:
    void poll();
    void giveUp();
    void finish();

    Match match_;
    Act act_;
    int deadlineMs_;
    bool once_;
    std::source_location where_;
    QTimer timer_;
    QElapsedTimer since_;
    QList<QPointer<QWidget>> answered_;
    int times_ = 0;
    bool failed_ = false;
};

// Matches a modal window of the class W (a QFileDialog, a QMessageBox).
template <class W>
ModalAnswer::Match modalOfKind()
{
    return [](QWidget& w) { return qobject_cast<W*>(&w) != nullptr; };
}

// Answers the next modal window once; the answer deletes itself afterwards or at
// the deadline.
void answerNextModal(std::function<void(QWidget*)> act, std::source_location where = std::source_location::current());

// The same for the next modal window of the class W; `act` gets it as a W.
template <class W>
void answerNextModalOf(std::function<void(W*)> act, std::source_location where = std::source_location::current())
{
    new ModalAnswer(modalOfKind<W>(), [act = std::move(act)](QWidget& w) { act(qobject_cast<W*>(&w)); },
                    ModalAnswer::kDefaultDeadlineMs, true, where);
}
