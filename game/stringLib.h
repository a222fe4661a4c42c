#pragma once
// Substrings by 1-based character positions, forgiving of positions outside the text.
#include <cstdint>
#include <string>

namespace game {

// The first N characters of Text (all of it when N exceeds its length); empty when N <= 0.
std::string StrLeft(const std::string& text, int32_t n);

// N characters of Text from position From (fewer at its end); empty when From is outside the
// text or N <= 0.
std::string StrMid(const std::string& text, int32_t from, int32_t n);

} // namespace game
