#include "htmlview/HtmlGifClock.h"

#include <chrono>

namespace htmlview {

namespace {

std::function<uint32_t()>& TimeSource()
{
    static std::function<uint32_t()> source;
    return source;
}

} // namespace

uint32_t TimeGetTime()
{
    if (const auto& source = TimeSource())
        return source();
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

void SetTimeSource(std::function<uint32_t()> source)
{
    TimeSource() = std::move(source);
}

} // namespace htmlview
