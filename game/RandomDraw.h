#pragma once
// Random draws of the game (the word of a round, the message after a word) from one generator
// seeded once from the system's entropy source, so that draws made within the same second
// differ.
#include <cstdint>
#include <optional>

namespace game {

// A number drawn uniformly from Low..High; none when the range is empty (High < Low).
std::optional<int32_t> RandomInRange(int32_t low, int32_t high);

} // namespace game
