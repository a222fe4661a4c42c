#include "platform/Progress.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr int MaxCallsBetweenReadings = 1024;

} // namespace

TIntervalGate::TIntervalGate(std::chrono::milliseconds interval, TClock clock)
    : interval_(interval), clock_(std::move(clock))
{
}

bool TIntervalGate::Open()
{
    if (++callsSinceReading_ < callsBetweenReadings_)
        return false;
    callsSinceReading_ = 0;
    const auto now = clock_();
    // Readings an eighth of the interval apart or closer: read half as often; half of it or
    // more apart: twice as often.
    const auto sinceReading = now - lastRead_;
    lastRead_ = now;
    if (sinceReading * 8 <= interval_)
        callsBetweenReadings_ = std::min(callsBetweenReadings_ * 2, MaxCallsBetweenReadings);
    else if (sinceReading * 2 >= interval_)
        callsBetweenReadings_ = std::max(callsBetweenReadings_ / 2, 1);
    if (opened_ && now - lastOpened_ < interval_)
        return false;
    opened_ = true;
    lastOpened_ = now;
    return true;
}

void TIntervalGate::Reopen()
{
    opened_ = false;
    callsSinceReading_ = callsBetweenReadings_ - 1;
}

void TIntervalGate::SetClock(TClock clock)
{
    clock_ = std::move(clock);
    opened_ = false;
    lastRead_ = {};
    callsBetweenReadings_ = 1;
    callsSinceReading_ = 0;
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
