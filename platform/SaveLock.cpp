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

using TClock = std::chrono::steady_clock;

// Longer than any save of ours takes, even of a large dictionary on a loaded machine.
constexpr auto LockWait = std::chrono::seconds(5);
constexpr auto LockRetryInterval = std::chrono::milliseconds(10);

enum class TLocking { Locked, Unsupported, TimedOut };

// Takes the exclusive lock on File, waiting for another holder until Deadline.
TLocking LockBefore(int file, TClock::time_point deadline)
{
    while (::flock(file, LOCK_EX | LOCK_NB) != 0) {
        const int failure = errno;
        if (failure == EINTR)
            continue;
        if (failure != EWOULDBLOCK)
            return TLocking::Unsupported;
        if (TClock::now() >= deadline)
            return TLocking::TimedOut;
        std::this_thread::sleep_for(LockRetryInterval);
    }
    return TLocking::Locked;
}

} // namespace

TSaveLock::TSaveLock(const std::string& native)
{
    // Through a link the save replaces the file the link names: its lock is that file's, the
    // one a save by the file's own name takes.
    const std::string replaced = RenameTarget(native);
    const size_t nameStart = replaced.rfind('/') + 1; // 0 without a folder
    const std::string lockPath = replaced.substr(0, nameStart) + "." + replaced.substr(nameStart) + ".lock";
    const auto deadline = TClock::now() + LockWait;
    for (;;) {
        // Read-only is enough for a lock, and lets users share a lock file one of them made.
        fd_ = OpenPlainFile(lockPath, O_RDONLY | O_CREAT | O_NOFOLLOW);
        const std::string& locked = fd_ >= 0 ? lockPath : replaced;
        if (fd_ < 0)
            fd_ = OpenPlainFile(replaced, O_RDONLY);
        if (fd_ < 0)
            return;
        const TLocking locking = LockBefore(fd_, deadline);
        if (locking != TLocking::Locked) {
            timedOut_ = locking == TLocking::TimedOut;
            return; // or a file system without locks: unguarded
        }
        // A file locked in place of the lock file is replaced by the save that held it, and a
        // lock file may be removed: a lock on a file the name no longer gives guards nothing, and
        // the one it now gives is locked instead.
        if (StillNamed(fd_, locked))
            return;
        ::close(fd_);
        fd_ = -1;
        if (TClock::now() >= deadline) {
            timedOut_ = true;
            return;
        }
    }
}

TSaveLock::~TSaveLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace platform
