#pragma once
// The millisecond clock animations are timed with: monotonic, wrapping after 49 days like the
// system tick count. Tests put a clock of their own in its place to step time.
#include <cstdint>
#include <functional>

namespace htmlview {

uint32_t TimeGetTime();
// None restores the real clock.
void SetTimeSource(std::function<uint32_t()> source);

} // namespace htmlview
