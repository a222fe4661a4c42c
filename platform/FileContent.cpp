#include "platform/FileContent.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"

#include <fstream>
#include <iterator>

namespace platform {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in)
        throw EInOutError("Cannot open " + path);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    if (in.bad())
        throw EInOutError("Cannot read " + path);
    return text;
}

std::optional<std::string> ReadFileUpTo(const std::string& path, std::uintmax_t maxSize)
{
    std::ifstream file(NativePath(path), std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > maxSize)
        return std::nullopt;
    std::string data(static_cast<size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(data.data(), size))
        return std::nullopt;
    return data;
}

} // namespace platform
