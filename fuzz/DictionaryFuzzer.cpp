// Any bytes as a dictionary, with or without a hostile index beside it, open and read without a
// crash: the engine answers a code, or raises the input/output or conversion error it documents.
// Input: byte 0 odd means an index follows in bytes 3 to 3 + L (L little-endian in bytes 1 and 2,
// cut to what is there) and the dictionary is the rest; otherwise the dictionary is bytes 1 on.
#include "FuzzFolder.h"
#include "dictionary/unitDictionary.h"
#include "platform/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ReadEverything(const std::string& path)
{
    dictionary::TDictionaryFile dict;
    dictionary::TDictionaryError error;
    if (!dictionary::Initialize(path, dict, nullptr, true, error))
        return;
    if (!dictionary::Lexorim(dict, false, nullptr, error) || error.Extended != dict.WordCount)
        std::abort(); // a second look at a current index must agree with the first
    dictionary::TDictionaryWord word;
    const int count = dict.WordCount;
    for (const int n : {-1, 0, 1, 2, count / 2, count - 1, count, count + 1})
        dictionary::GetWord(dict, n, word, error);
    dictionary::LoadWordList(dict, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.empty())
        return 0;
    const bool withIndex = (data[0] & 1) != 0 && size >= 3;
    std::string_view index;
    std::string_view content = input.substr(1);
    if (withIndex) {
        const size_t length = static_cast<size_t>(data[1]) | static_cast<size_t>(data[2]) << 8;
        index = input.substr(3, length);
        content = input.substr(3 + index.size());
    }

    const fs::path dictionaryPath = FuzzFolder() / "fuzz.dat";
    const fs::path indexPath = FuzzFolder() / "fuzz.ndx";
    fs::remove(indexPath);
    WriteFile(dictionaryPath, content);
    if (withIndex) {
        WriteFile(indexPath, index);
        // Newer than the dictionary, so it is taken as it stands.
        fs::last_write_time(indexPath, fs::last_write_time(dictionaryPath) + std::chrono::seconds(10));
    }
    try {
        ReadEverything(dictionaryPath.string());
    } catch (const platform::EInOutError&) {
    } catch (const platform::EConvertError&) {
    }
    return 0;
}
