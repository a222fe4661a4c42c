#pragma once
// A file's whole content read or replaced at once, for the files small enough to be held in
// memory.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The whole file at Path; EInOutError ("Cannot open ..." or "Cannot read ...") when it cannot be
// opened or read.
std::string ReadWholeFile(const std::string& path);

// The whole file at Path when it opens, holds at most MaxSize bytes and reads in full.
std::optional<std::string> ReadFileUpTo(const std::string& path, std::uintmax_t maxSize);

// Replaces the file at Path with Bytes whole: a temporary file beside it, put on disk, then
// renamed over it, so a crash leaves the old content or the new, never a mix. With
// DirectWriteFallback a file in a folder that takes no new files is written in place instead.
// False when it could not be written (the file is then as it was).
bool ReplaceWholeFile(const std::string& path, std::string_view bytes, bool directWriteFallback);

} // namespace platform
