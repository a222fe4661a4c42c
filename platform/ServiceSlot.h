#pragma once
// The process's one instance of a platform service that tests replace: made as TDefault on first
// use, swapped for a fake (and back) through Install.
#include <memory>
#include <utility>

namespace platform {

template <class TService, class TDefault>
class TServiceSlot {
public:
    static TService& Get()
    {
        std::unique_ptr<TService>& current = Current();
        if (!current)
            current = std::make_unique<TDefault>();
        return *current;
    }

    // Returns the service it replaces (none when none was made yet).
    static std::unique_ptr<TService> Install(std::unique_ptr<TService> service)
    {
        return std::exchange(Current(), std::move(service));
    }

private:
    static std::unique_ptr<TService>& Current()
    {
        static std::unique_ptr<TService> current;
        return current;
    }
};

} // namespace platform
