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

TBenchDictionary::TBenchDictionary()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "garvo_bench_XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    Folder = pattern + "/";
    DictionaryPath = Folder + "bench.dat";
    IndexPath = Folder + "bench.ndx";
    std::string content;
    content.reserve(static_cast<size_t>(BenchEntryCount) * 44);
    char entry[96];
    for (int i = 1; i <= BenchEntryCount; ++i) {
        const int length = std::snprintf(entry, sizeof entry, "mot%07d\r\n  [une d\xE9" "finition, num\xE9ro %d]\r\n", i, i);
        content.append(entry, static_cast<size_t>(length));
    }
    std::FILE* file = std::fopen(DictionaryPath.c_str(), "wb");
    if (!file || std::fwrite(content.data(), 1, content.size(), file) != content.size() || std::fclose(file) != 0)
        throw std::runtime_error("cannot write the bench dictionary");
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
