#include "platform/TextTrim.h"

#include <algorithm>

namespace platform {
namespace {

std::string TrimAnyOf(std::string_view text, std::string_view blanks)
{
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

} // namespace

std::string TrimSpaceAndTab(std::string_view text)
{
    return TrimAnyOf(text, " \t");
}

std::string TrimSpaces(std::string_view text)
{
    return TrimAnyOf(text, " ");
}

std::string TrimControlAndSpace(std::string_view text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), std::string_view::reverse_iterator(first), isBlank).base();
    return std::string(first, last);
}

} // namespace platform
