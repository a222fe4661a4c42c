#pragma once
// Which file a replacement by rename reaches, and whether an open file still is the one a name
// gives: a rename puts a new file under the name and leaves the open one without it.
#include <string>

namespace platform {

// The file that a rename over Native (a name as the operating system takes it) replaces: through
// symbolic links, however many and relative ones read from their link's folder, the name the
// last one holds, whether a file is there or not. Absolute, its folder's links resolved, where
// that folder exists; else the name reached.
std::string RenameTarget(const std::string& native);

// Whether File (open) still is the file named Native, itself and not through a link.
bool StillNamed(int file, const std::string& native);

} // namespace platform
