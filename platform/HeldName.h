#pragma once
// A name that one process at a time holds for as long as it runs: an address in Linux's abstract
// socket namespace. No file stands for it, so no clean-up of a folder can remove it, and the
// kernel frees it however its holder ends. Any local user may take any such address, so a name
// that another user's process holds does not count as held for this one.
#include <memory>
#include <string>

class QSocketNotifier;

namespace platform {

class THeldName {
public:
    enum class TResult { Taken, HeldByThisUser, Unavailable };

    THeldName();
    ~THeldName();
    THeldName(const THeldName&) = delete;
    THeldName& operator=(const THeldName&) = delete;

    // Taken: this process holds Name (at most 107 bytes) until this object goes. HeldByThisUser:
    // another process of this user holds it. Unavailable: another user's process holds it, or
    // no socket could be made (or this object holds a name already). Never waits.
    TResult Take(const std::string& name);

private:
    int socket_ = -1;
    // A process checking who holds the name connects to it; each connection is dropped at once,
    // so that checks never fill the queue of waiting ones.
    std::unique_ptr<QSocketNotifier> dropConnections_;
};

} // namespace platform
