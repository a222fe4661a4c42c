#pragma once
// Trimming of Windows-1252 text at both ends; each rule has its own name because the files and
// inputs the programs read were written for different ones.
#include <string>
#include <string_view>

namespace platform {

// Spaces and tabs: the blanks around ini-file names and values.
std::string TrimSpaceAndTab(std::string_view text);

// Spaces only.
std::string TrimSpaces(std::string_view text);

// Every byte up to and including the space (control characters, line breaks, tabs).
std::string TrimControlAndSpace(std::string_view text);

} // namespace platform
