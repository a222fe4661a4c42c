#pragma once
// Which file a replacement by rename reaches.
#include <string>

namespace platform {

// The file that a rename over Native (a name as the operating system takes it) replaces: through
// symbolic links, however many and relative ones read from their link's folder, the name the
// last one holds, whether a file is there or not. Absolute, its folder's links resolved, where
// that folder exists; else the name reached.
std::string RenameTarget(const std::string& native);

} // namespace platform
