#pragma once
// A file's whole content read at once, for the files small enough to be held in memory.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The whole file at Path; EInOutError ("Cannot open ..." or "Cannot read ...") when it cannot be
// opened or read.
std::string ReadWholeFile(const std::string& path);

// The whole file at Path when it opens, holds at most MaxSize bytes and reads in full.
std::optional<std::string> ReadFileUpTo(const std::string& path, std::uintmax_t maxSize);

} // namespace platform
