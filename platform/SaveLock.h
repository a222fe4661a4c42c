#pragma once
// The exclusive lock that every save of one file holds from reading the file to replacing it, so
// that no save works from a copy that another is about to replace: settings files and
// dictionaries alike.
#include <string>

namespace platform {

class TSaveLock {
public:
    // Locks the file named Native (a name as the operating system takes it): through symbolic
    // links, the file that its replacement replaces, so that every name of one file shares its
    // lock. The lock is taken on a hidden file beside that file (".NAME.lock") that is never
    // replaced; where none can be opened as a plain file (a folder that takes no new files, where
    // the file is written in place and so stays the same file, or a FIFO or a folder in its
    // place), on the file itself. A lock taken on a file that the name no longer gives (replaced
    // meanwhile by the save that held it, or removed) is taken again on the one it gives. Where
    // nothing opens, the save goes on unguarded rather than not at all. A lock that another
    // holder keeps for more than a few seconds is not waited for any longer: TimedOut then tells.
    explicit TSaveLock(const std::string& native);
    ~TSaveLock();
    TSaveLock(const TSaveLock&) = delete;
    TSaveLock& operator=(const TSaveLock&) = delete;

    // Whether another holder kept the lock past the wait; the save must then not go on.
    bool TimedOut() const { return timedOut_; }

private:
    int fd_ = -1;
    bool timedOut_ = false;
};

} // namespace platform
