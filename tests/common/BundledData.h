#pragma once
// The data/ folder of the source tree, which the build copies beside the programs. Its place
// comes from the build, not from __FILE__, which a compiler cache may make relative.
#include <filesystem>

inline std::filesystem::path BundledDataFolder()
{
    return GARVO_BUNDLED_DATA;
}
