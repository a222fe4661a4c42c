#pragma once
// The dictionary the engine and word-list benchmarks share: a million entries (about 42 MB),
// generated once in a temporary folder and removed at exit.
#include "dictionary/unitDictionary.h"

#include <string>

namespace bench {

constexpr int BenchEntryCount = 1'000'000;

struct TBenchDictionary {
    static const TBenchDictionary& Get();
    ~TBenchDictionary();

    std::string Folder;
    std::string DictionaryPath;
    std::string IndexPath;

private:
    TBenchDictionary();
};

// The bench dictionary opened (its index built when missing); throws when that fails.
dictionary::TDictionaryFile OpenBenchDictionary(bool allocateWordArrays);

} // namespace bench
