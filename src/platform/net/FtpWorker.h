#pragma once

#include "platform/net/FtpSession.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

// The program's one FTP thread. Every session operation runs here, one after the
// other, so the window's thread never waits on the network: the caller waits in an
// event loop that keeps painting and ticking.
//
// Ending the program (the caller's event loop told to quit, or the worker
// destroyed) stops the running operation at once: its sockets are shut down, so
// even a wait inside libcurl ends within a moment.
class FtpWorker {
public:
    FtpWorker();
    ~FtpWorker();
    FtpWorker(const FtpWorker&) = delete;
    FtpWorker& operator=(const FtpWorker&) = delete;

    // Runs job (an operation of session) on the worker's thread and waits for it
    // in a local event loop. When that loop is told to quit before the job ends
    // (the program is ending), the session is cancelled and the job's result is
    // returned once it stopped. After limitMs (when not negative) the session is
    // stopped.
    FtpResult run(FtpSession& session, const std::function<FtpResult()>& job, int limitMs = -1);
    // Closes the session on the worker's thread and destroys it there; the caller
    // does not wait.
    void retire(std::unique_ptr<FtpSession> session);

    // The servers that refused active mode during this run.
    const std::shared_ptr<FtpPassiveMemory>& passiveMemory() const { return passive_; }

private:
    struct Job {
        FtpSession* session = nullptr;
        std::function<void()> work;
    };
    void post(Job job);
    void loop();

    std::shared_ptr<FtpPassiveMemory> passive_ = std::make_shared<FtpPassiveMemory>();
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    FtpSession* current_ = nullptr;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace platform
