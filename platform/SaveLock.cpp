#include "platform/SaveLock.h"

#include "platform/PlainFile.h"
#include "platform/ReplacedFile.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace platform {
namespace {

// Longer than any save of ours takes, even of a large dictionary on a loaded machine.
constexpr auto LockWait = std::chrono::seconds(5);
constexpr auto LockRetryInterval = std::chrono::milliseconds(10);

} // namespace

TSaveLock::TSaveLock(const std::string& native)
{
    // Through a link the save replaces the file the link names: its lock is that file's, the
    // one a save by the file's own name takes.
    const std::string replaced = RenameTarget(native);
    const size_t nameStart = replaced.rfind('/') + 1; // 0 without a folder
    const std::string lockPath = replaced.substr(0, nameStart) + "." + replaced.substr(nameStart) + ".lock";
    // Read-only is enough for a lock, and lets users share a lock file one of them made.
    fd_ = OpenPlainFile(lockPath, O_RDONLY | O_CREAT | O_NOFOLLOW);
    if (fd_ < 0)
        fd_ = OpenPlainFile(replaced, O_RDONLY);
    if (fd_ < 0)
        return;
    const auto deadline = std::chrono::steady_clock::now() + LockWait;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int failure = errno;
        if (failure == EINTR)
            continue;
        if (failure != EWOULDBLOCK)
            return; // a file system without locks: unguarded
        if (std::chrono::steady_clock::now() >= deadline) {
            timedOut_ = true;
            return;
        }
        std::this_thread::sleep_for(LockRetryInterval);
    }
}

TSaveLock::~TSaveLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace platform
