#include "BenchDictionary.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace bench {

const TBenchDictionary& TBenchDictionary::Get()
{
    static const TBenchDictionary instance;
    return instance;
}

TBenchDictionary::~TBenchDictionary()
{
    std::filesystem::remove_all(Folder);
}

std::string MakeBenchFolder(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "_XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    return pattern + "/";
}

void WriteBenchDictionary(const std::string& path, int count, const char* entryDefinition)
{
    const std::string format = std::string("mot%07d\r\n  [") + entryDefinition + "]\r\n";
    std::string content;
    char entry[256];
    for (int i = 1; i <= count; ++i) {
        const int length = std::snprintf(entry, sizeof entry, format.c_str(), i, i);
        content.append(entry, static_cast<size_t>(length));
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(content.data(), 1, content.size(), file) != content.size() || std::fclose(file) != 0)
        throw std::runtime_error("cannot write the bench dictionary");
}

TBenchDictionary::TBenchDictionary()
{
    Folder = MakeBenchFolder("garvo_bench");
    DictionaryPath = Folder + "bench.dat";
    IndexPath = Folder + "bench.ndx";
    WriteBenchDictionary(DictionaryPath, BenchEntryCount, "une d\xE9" "finition, num\xE9ro %d");
}

dictionary::TDictionaryFile OpenBenchDictionary(bool allocateWordArrays)
{
    dictionary::TDictionaryFile dict;
    dictionary::TDictionaryError error;
    if (!dictionary::Initialize(TBenchDictionary::Get().DictionaryPath, dict, nullptr, allocateWordArrays, error)
        || dict.WordCount != BenchEntryCount)
        throw std::runtime_error("cannot open the bench dictionary");
    return dict;
}

} // namespace bench
