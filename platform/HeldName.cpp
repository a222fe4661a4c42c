#include "platform/HeldName.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

// The address of Name in the abstract namespace: a path that begins with a NUL byte, its length
// given exactly (no terminating NUL).
struct TAddress {
    sockaddr_un address {};
    socklen_t length = 0;
};

bool AbstractAddress(const std::string& name, TAddress& result)
{
    if (name.empty() || name.size() + 1 > sizeof(result.address.sun_path))
        return false;
    result.address.sun_family = AF_UNIX;
    std::memcpy(result.address.sun_path + 1, name.data(), name.size());
    result.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return true;
}

int NewSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

const sockaddr* AsSocketAddress(const TAddress& address)
{
    return reinterpret_cast<const sockaddr*>(&address.address);
}

// Whether the process listening at Address runs as this user: the kernel gives a connection the
// credentials its listener had when it began to listen.
bool HeldByThisUser(const TAddress& address)
{
    const int probe = NewSocket();
    if (probe < 0)
        return false;
    bool ours = false;
    if (::connect(probe, AsSocketAddress(address), address.length) == 0) {
        ucred holder {};
        socklen_t size = sizeof(holder);
        ours = ::getsockopt(probe, SOL_SOCKET, SO_PEERCRED, &holder, &size) == 0 && holder.uid == ::geteuid();
    }
    ::close(probe);
    return ours;
}

} // namespace

THeldName::THeldName() = default;

THeldName::~THeldName()
{
    dropConnections_.reset();
    if (socket_ >= 0)
        ::close(socket_);
}

THeldName::TResult THeldName::Take(const std::string& name)
{
    TAddress address;
    if (socket_ >= 0 || !AbstractAddress(name, address))
        return TResult::Unavailable;
    const int held = NewSocket();
    if (held < 0)
        return TResult::Unavailable;
    if (::bind(held, AsSocketAddress(address), address.length) == 0 && ::listen(held, SOMAXCONN) == 0) {
        socket_ = held;
        dropConnections_ = std::make_unique<QSocketNotifier>(held, QSocketNotifier::Read);
        QObject::connect(dropConnections_.get(), &QSocketNotifier::activated, [held] {
            for (int connection; (connection = ::accept4(held, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;)
                ::close(connection);
        });
        return TResult::Taken;
    }
    const bool inUse = errno == EADDRINUSE;
    ::close(held);
    return inUse && HeldByThisUser(address) ? TResult::HeldByThisUser : TResult::Unavailable;
}

} // namespace platform
