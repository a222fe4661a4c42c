#pragma once
// Runs test code in a forked child process, so that what it sets up there (limits, signals, a
// deadline) and what may go wrong there never reach the test program itself.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <stdexcept>

// Runs SetUp, then Body, in a child process. Returns what Body returned, 100 when it threw, 101
// when SetUp failed, or minus the signal that ended the child.
inline int RunInChildProcess(const std::function<bool()>& setUp, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (child == 0) {
        if (!setUp())
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
