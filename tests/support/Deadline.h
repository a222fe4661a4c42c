#pragma once
// Runs code that must never block in a child process that the kernel ends once a deadline has
// passed, so that a regression fails its test instead of hanging the test run.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <stdexcept>

// A result of RunWithDeadline for a child that was still running at the deadline.
constexpr int PassedTheDeadline = -SIGALRM;

// Runs Body in a child process that SIGALRM ends after Seconds. Returns what Body returned, 100
// when it threw, or minus the signal that ended the child (PassedTheDeadline at the deadline).
inline int RunWithDeadline(unsigned seconds, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (child == 0) {
        std::signal(SIGALRM, SIG_DFL);
        ::alarm(seconds);
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
