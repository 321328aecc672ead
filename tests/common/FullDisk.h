#pragma once

#include <csignal>

#include <sys/resource.h>

// Lets no file of this process grow beyond the limit, as a full disk would.
class FileSizeLimitScope {
public:
    explicit FileSizeLimitScope(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimitScope()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimitScope(const FileSizeLimitScope&) = delete;
    FileSizeLimitScope& operator=(const FileSizeLimitScope&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};
