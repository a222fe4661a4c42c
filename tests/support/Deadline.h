#pragma once
// Runs code that must never block in a child process that the kernel ends once a deadline has
// passed, so that a regression fails its test instead of hanging the test run.
#include "tests/support/ChildProcess.h"

#include <unistd.h>

#include <csignal>
#include <functional>

// A result of RunWithDeadline for a child that was still running at the deadline.
constexpr int PassedTheDeadline = -SIGALRM;

// Runs Body in a child process that SIGALRM ends after Seconds. Returns what Body returned, 100
// when it threw, or minus the signal that ended the child (PassedTheDeadline at the deadline).
inline int RunWithDeadline(unsigned seconds, const std::function<int()>& body)
{
    return RunInChildProcess(
        [seconds] {
            std::signal(SIGALRM, SIG_DFL);
            ::alarm(seconds);
            return true;
        },
        body);
}
