#pragma once
// Writes that hit the file-size limit (ulimit -f): in this process for a while, or in a child
// process so that the limit and the signal it may raise stay there.
#include "tests/support/ChildProcess.h"

#include <sys/resource.h>

#include <csignal>
#include <functional>

// Files may grow to Limit bytes only while it lives; a write past it fails instead of raising
// SIGXFSZ.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = saved_;
        lower.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit saved_ {};
    void (*previousHandler_)(int) = nullptr;
};

// Runs Body in a child process whose writes may not take a file past Limit bytes. Returns what
// Body returned, 100 when it threw, or minus the signal that ended the child.
inline int RunUnderFileSizeLimit(rlim_t limit, const std::function<int()>& body)
{
    return RunInChildProcess(
        [limit] {
            const rlimit fileSize {limit, limit};
            return ::setrlimit(RLIMIT_FSIZE, &fileSize) == 0;
        },
        body);
}
