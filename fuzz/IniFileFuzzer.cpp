// Any bytes as a settings file: every section, key and value reads, and a key written to it reads
// back as written whatever the rest of the file holds.
#include "FuzzFolder.h"
#include "platform/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path path = FuzzFolder() / "fuzz.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    platform::TIniFile ini(path.string());
    for (const std::string& section : ini.ReadSections())
        for (const std::string& key : ini.ReadSection(section)) {
            ini.ReadString(section, key, "");
            ini.ReadInteger(section, key, 0);
        }

    ini.WriteString("Fuzz", "Written", "a value");
    ini.WriteInteger("Fuzz", "Number", -42);
    if (ini.ReadString("Fuzz", "Written", "") != "a value" || ini.ReadInteger("Fuzz", "Number", 0) != -42)
        std::abort();
    return 0;
}
