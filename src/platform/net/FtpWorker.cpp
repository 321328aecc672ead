#include "platform/net/FtpWorker.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

namespace platform {

FtpWorker::FtpWorker()
    : thread_([this] { loop(); })
{
}

FtpWorker::~FtpWorker()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        if (current_)
            current_->cancel();
        for (const Job& job : jobs_)
            job.session->cancel();
    }
    wake_.notify_all();
    thread_.join();
}

void FtpWorker::post(Job job)
{
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            job.session->cancel();
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void FtpWorker::loop()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
            current_ = job.session;
        }
        job.work();
        std::lock_guard lock(mutex_);
        current_ = nullptr;
    }
}

FtpResult FtpWorker::run(FtpSession& session, const std::function<FtpResult()>& job, int limitMs)
{
    struct State {
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        FtpResult result;
    };
    const auto state = std::make_shared<State>();
    QEventLoop waiting;
    post({&session, [state, &job, &waiting] {
              FtpResult result = job();
              // The waiting loop lives until done is seen under the lock, so the
              // call is queued to a live object; it quits the loop once delivered.
              std::lock_guard lock(state->mutex);
              state->result = std::move(result);
              state->done = true;
              QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
              state->finished.notify_all();
          }});
    if (limitMs >= 0)
        QTimer::singleShot(limitMs, &waiting, [&session] { session.stop(); });
    bool done = false;
    {
        std::lock_guard lock(state->mutex);
        done = state->done;
    }
    if (!done)
        waiting.exec();
    std::unique_lock lock(state->mutex);
    if (!state->done) {
        // The loop was told to quit from outside: the program is ending.
        session.cancel();
        state->finished.wait(lock, [&state] { return state->done; });
    }
    return state->result;
}

void FtpWorker::retire(std::unique_ptr<FtpSession> session)
{
    FtpSession* raw = session.get();
    std::shared_ptr<FtpSession> owned(std::move(session));
    post({raw, [owned] { owned->close(); }});
}

}  // namespace platform
