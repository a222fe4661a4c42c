#pragma once
// A file's whole content read or replaced at once, for the files small enough to be held in
// memory. Only plain files are read: a FIFO or a device in a file's place is refused at once.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QSaveFile;

namespace platform {

// The whole file at Path; EInOutError ("Cannot open ..." or "Cannot read ...") when it cannot be
// opened or read.
std::string ReadWholeFile(const std::string& path);

// The whole file at Path when it opens, holds at most MaxSize bytes and reads in full.
std::optional<std::string> ReadFileUpTo(const std::string& path, std::uintmax_t maxSize);

// The rest of the open file File, read in one block where its size is known (a file of the
// kernel's, which tells none, in a few); false when a read fails or it holds more than MaxSize
// bytes.
bool ReadOpenFile(int file, std::uintmax_t maxSize, std::string& content);

// Puts everything written to File on disk, then commits it. Qt's save file may report a commit
// as done after a buffered write failed, so the writes are checked first. False when any failed.
bool CommitToDisk(QSaveFile& file);

// Replaces the file at Path with Bytes whole: a temporary file beside it, put on disk, then
// renamed over it, so a crash leaves the old content or the new, never a mix. Through symbolic
// links, the file they name is replaced (made where it is missing), never a link. With
// DirectWriteFallback a file in a folder that takes no new files is written in place instead.
// False when it could not be written (the file is then as it was).
bool ReplaceWholeFile(const std::string& path, std::string_view bytes, bool directWriteFallback);

// Replaces the file at Path, open for reading as Source, whole by its bytes followed by Tail, as
// ReplaceWholeFile does (through symbolic links, the file they name; its permissions kept). The
// old bytes are copied by the kernel, file to file, without passing through memory. False when
// it could not be done (the file is then as it was).
bool ReplaceWithAppended(const std::string& path, int source, std::string_view tail);

} // namespace platform
