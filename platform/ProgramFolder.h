#pragma once
// Where the programs keep their data, settings and scores. Run from the build tree, the folder
// of the executable holds the data and is the program folder. An installed program cannot write
// beside itself: its program folder is the user's own data folder, filled from the installed
// data (platform/UserDataCopy.h), never replacing a file the user changed (a dictionary a
// teacher extended, an edited theme).
#include <string>

namespace platform {

// The user's folder for the programs' data: $XDG_DATA_HOME/garvo, or ~/.local/share/garvo when
// that variable is unset or not absolute. Without a trailing "/". Empty when its name holds
// bytes that are no name in the system's encoding.
std::string UserDataFolder();

// The folder of the installed data for programs in ExecutableFolder: ../share/garvo beside it.
std::string InstalledDataFolder(const std::string& executableFolder);

// The folder of the running program's executable as the system names it (bytes, which may be
// no valid name), without a trailing "/". Read from the system itself: Qt gives no folder at all
// for a name that is no valid text.
std::string NativeExecutableFolder();

// The program folder for programs in NativeExecutableFolder (the system's bytes), as a path
// without a trailing "/": that folder when it holds the data (a "Themes" folder); else, when
// installed data lie in InstalledDataFolder, the user's data folder after its copies were brought
// up to date from there; else the executable's folder all the same. When the folder it needs
// cannot be reached by its name (bytes no valid name of the system), the player is told which
// and the program ends, having written nothing.
std::string ResolveProgramFolder(const std::string& nativeExecutableFolder);

} // namespace platform
