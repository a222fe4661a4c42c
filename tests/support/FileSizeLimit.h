#pragma once
// Writes that hit the file-size limit (ulimit -f), run in a child process so that the limit and
// the signal it may raise stay there.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <stdexcept>

// Runs Body in a child process whose writes may not take a file past Limit bytes. Returns what
// Body returned, 100 when it threw, or minus the signal that ended the child.
inline int RunUnderFileSizeLimit(rlim_t limit, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (child == 0) {
        const rlimit fileSize{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            ::_exit(101);
        int result = 100;
        try {
            result = body();
        } catch (...) {
        }
        ::_exit(result);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}
