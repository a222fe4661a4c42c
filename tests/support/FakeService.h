#pragma once
// Puts a fake in place of one of the process's platform services for the lifetime of a test's
// object, and puts the previous service back at its end.
#include <memory>
#include <utility>

namespace platform {

template <class TFake, class TService, std::unique_ptr<TService> (*Install)(std::unique_ptr<TService>)>
class TScopedFake {
public:
    TScopedFake()
    {
        auto fake = std::make_unique<TFake>();
        fake_ = fake.get();
        previous_ = Install(std::move(fake));
    }
    ~TScopedFake() { Install(std::move(previous_)); }
    TScopedFake(const TScopedFake&) = delete;
    TScopedFake& operator=(const TScopedFake&) = delete;

    TFake& operator*() const { return *fake_; }
    TFake* operator->() const { return fake_; }

private:
    TFake* fake_;
    std::unique_ptr<TService> previous_;
};

} // namespace platform
