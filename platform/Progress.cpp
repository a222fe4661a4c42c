#include "platform/Progress.h"

#include <QCoreApplication>

#include <utility>

namespace platform {

TIntervalGate::TIntervalGate(std::chrono::milliseconds interval, TClock clock)
    : interval_(interval), clock_(std::move(clock))
{
}

bool TIntervalGate::Open()
{
    const auto now = clock_();
    if (opened_ && now - lastOpened_ < interval_)
        return false;
    opened_ = true;
    lastOpened_ = now;
    return true;
}

void TIntervalGate::SetClock(TClock clock)
{
    clock_ = std::move(clock);
    opened_ = false;
}

TIntervalGate& MessageGate()
{
    static TIntervalGate gate(std::chrono::milliseconds(10));
    return gate;
}

void ProcessMessages()
{
    if (QCoreApplication::instance() && MessageGate().Open())
        QCoreApplication::processEvents();
}

} // namespace platform
