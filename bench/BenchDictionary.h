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

// A new temporary folder named after Prefix, with its trailing "/"; throws when none can be made.
std::string MakeBenchFolder(const std::string& prefix);

// Writes a dictionary of Count entries to Path: entry I is "mot" and I in 7 digits, then the
// definition EntryDefinition (a printf format taking I once) in brackets. Throws when it fails.
void WriteBenchDictionary(const std::string& path, int count, const char* entryDefinition);

// The bench dictionary opened (its index built when missing); throws when that fails.
dictionary::TDictionaryFile OpenBenchDictionary(bool allocateWordArrays);

} // namespace bench
