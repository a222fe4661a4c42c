#include "platform/ReplacedFile.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

namespace platform {
namespace {

// As many links as the system follows in one name.
constexpr int MaxLinks = 40;

} // namespace

std::string RenameTarget(const std::string& native)
{
    std::string name = native;
    for (int link = 0; link < MaxLinks; ++link) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(name, error).string();
        if (error)
            break; // no link (or nothing there): this is the name replaced
        name = target.starts_with('/') ? target : name.substr(0, name.rfind('/') + 1) + target;
    }
    const size_t slash = name.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
    std::unique_ptr<char, void (*)(void*)> resolved(::realpath(folder.c_str(), nullptr), std::free);
    if (!resolved)
        return name;
    const std::string real = resolved.get();
    return (real == "/" ? real : real + "/") + name.substr(slash + 1);
}

bool StillNamed(int file, const std::string& native)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(file, &opened) == 0 && ::lstat(native.c_str(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

} // namespace platform
