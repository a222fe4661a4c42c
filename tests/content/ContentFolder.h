#pragma once
// The data/ folder of the source tree, as the programs find it beside them once built.
#include "common/BundledData.h"
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace content {

inline std::filesystem::path DataFolder()
{
    return BundledDataFolder();
}

inline std::filesystem::path ThemeFolder()
{
    return DataFolder() / "Themes" / "Standard";
}

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Windows-1252 text as the loaders want it: CR LF line ends, and no byte the code page leaves
// undefined or that is a control character other than CR, LF and tab.
inline bool IsWindowsText(const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
        if (byte == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
        const bool control = (byte < 32 && byte != '\r' && byte != '\n' && byte != '\t') || byte == 127;
        const bool undefined = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        if (control || undefined)
            return false;
    }
    return true;
}

} // namespace content
