#include "ModalAnswer.h"

#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

namespace {

constexpr int kPollMs = 10;

QString describe(QWidget* w)
{
    if (!w)
        return "none";
    return QString("%1 \"%2\" (%3)").arg(w->metaObject()->className(), w->windowTitle(), w->objectName());
}

void closeModal(QWidget* w)
{
    if (auto* d = qobject_cast<QDialog*>(w))
        d->reject();
    else
        w->close();
}

}  // namespace

ModalAnswer::ModalAnswer(const QString& objectName, std::function<void(QDialog&)> act, std::source_location where)
    : ModalAnswer([objectName](QWidget& w) { return w.objectName() == objectName && qobject_cast<QDialog*>(&w); },
                  [act = std::move(act)](QWidget& w) { act(*qobject_cast<QDialog*>(&w)); }, kDefaultDeadlineMs,
                  false, where)
{
}

ModalAnswer::ModalAnswer(Match match, Act act, int deadlineMs, bool once, std::source_location where)
    : match_(std::move(match)), act_(std::move(act)), deadlineMs_(deadlineMs), once_(once), where_(where)
{
    // An answer made for once owns itself, as a child of the application.
    if (once_)
        setParent(qApp);
    since_.start();
    timer_.setInterval(kPollMs);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_.start();
}

ModalAnswer::~ModalAnswer()
{
    if (!once_ && times_ == 0 && !failed_)
        ADD_FAILURE_AT(where_.file_name(), int(where_.line())) << "the modal window to answer never came";
}

void ModalAnswer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    // An answer never answers the same window twice (it may still be up, closing).
    if (modal && !answered_.contains(modal) && (!match_ || match_(*modal))) {
        answered_.append(modal);
        ++times_;
        if (once_)
            timer_.stop();
        act_(*modal);
        if (once_)
            finish();
        return;
    }
    if (times_ == 0 && since_.elapsed() > deadlineMs_)
        giveUp();
}

void ModalAnswer::giveUp()
{
    timer_.stop();
    failed_ = true;
    QWidget* modal = QApplication::activeModalWidget();
    ADD_FAILURE_AT(where_.file_name(), int(where_.line()))
        << "no modal window to answer came within " << deadlineMs_ << " ms; the modal window up is "
        << describe(modal).toStdString();
    // The code under test waits in that window: closed, it returns and the case ends.
    if (modal)
        closeModal(modal);
    if (once_)
        finish();
}

void ModalAnswer::finish()
{
    deleteLater();
}

void answerNextModal(std::function<void(QWidget*)> act, std::source_location where)
{
    new ModalAnswer({}, [act = std::move(act)](QWidget& w) { act(&w); }, ModalAnswer::kDefaultDeadlineMs, true, where);
}
