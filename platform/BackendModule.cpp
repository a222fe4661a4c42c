#include "platform/BackendModule.h"

#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <system_error>

namespace platform {

void* BackendEntry(const char* module, const char* entry)
{
    const std::string fileName = std::string("lib") + module + ".so";
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    void* handle = error ? nullptr : ::dlopen((program.parent_path() / fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    // A program that links the module (the tests do) holds it already.
    if (handle == nullptr)
        handle = ::dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle == nullptr ? nullptr : ::dlsym(handle, entry);
}

} // namespace platform
