#include "game/stringLib.h"

namespace game {

std::string StrLeft(const std::string& text, int32_t n)
{
    return n <= 0 ? std::string() : text.substr(0, static_cast<size_t>(n));
}

std::string StrMid(const std::string& text, int32_t from, int32_t n)
{
    if (from <= 0 || n <= 0 || static_cast<size_t>(from) > text.size())
        return {};
    return text.substr(static_cast<size_t>(from) - 1, static_cast<size_t>(n));
}

} // namespace game
