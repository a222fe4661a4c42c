#pragma once
// Opening a file that must be a plain file: a FIFO, a device or a folder in its place is refused
// at once, never waited on, so that no name a user or a fault leaves behind can hang a program.
#include <string>
#include <sys/types.h>

namespace platform {

// Opens Native (a name as the operating system takes it, NativePath) with the open() Flags and,
// for a file it makes, Mode. The file descriptor, closed on exec, in blocking mode; -1 with errno
// set when it cannot be opened, and with errno EINVAL (EISDIR for a folder) when the name is no
// plain file.
int OpenPlainFile(const std::string& native, int flags, mode_t mode = 0666);

} // namespace platform
