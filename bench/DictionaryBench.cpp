// The dictionary engine on a dictionary of a million entries (about 42 MB), each measurement
// beside a baseline of the bare file work it cannot avoid.
#include "dictionary/unitDictionary.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int EntryCount = 1'000'000;
constexpr size_t BlockSize = 65535;

// The generated dictionary, made once and removed at exit.
class TBenchDictionary {
public:
    static const TBenchDictionary& Get()
    {
        static const TBenchDictionary instance;
        return instance;
    }

    std::string Folder;
    std::string DictionaryPath;
    std::string IndexPath;

    ~TBenchDictionary() { std::filesystem::remove_all(Folder); }

private:
    TBenchDictionary()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "garvo_bench_XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        Folder = pattern + "/";
        DictionaryPath = Folder + "bench.dat";
        IndexPath = Folder + "bench.ndx";
        std::string content;
        content.reserve(static_cast<size_t>(EntryCount) * 44);
        char entry[96];
        for (int i = 1; i <= EntryCount; ++i) {
            const int length = std::snprintf(entry, sizeof entry, "mot%07d\r\n  [une d\xE9" "finition, num\xE9ro %d]\r\n", i, i);
            content.append(entry, static_cast<size_t>(length));
        }
        std::FILE* file = std::fopen(DictionaryPath.c_str(), "wb");
        if (!file || std::fwrite(content.data(), 1, content.size(), file) != content.size() || std::fclose(file) != 0)
            throw std::runtime_error("cannot write the bench dictionary");
    }
};

dictionary::TDictionaryFile OpenBenchDictionary(bool allocateWordArrays)
{
    const TBenchDictionary& bench = TBenchDictionary::Get();
    dictionary::TDictionaryFile dict;
    dictionary::TDictionaryError error;
    if (!dictionary::Initialize(bench.DictionaryPath, dict, nullptr, allocateWordArrays, error)
        || dict.WordCount != EntryCount)
        throw std::runtime_error("cannot open the bench dictionary");
    return dict;
}

void BM_LexorimForce(benchmark::State& state)
{
    dictionary::TDictionaryFile dict = OpenBenchDictionary(false);
    dictionary::TDictionaryError error;
    for (auto _ : state) {
        if (!dictionary::Lexorim(dict, true, nullptr, error))
            state.SkipWithError("index pass failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(TBenchDictionary::Get().DictionaryPath)));
}

// Reads the dictionary in the engine's blocks and hands the OS one 16-byte line per "]".
void BM_BaselineBlocksAndLineWrites(benchmark::State& state)
{
    const TBenchDictionary& bench = TBenchDictionary::Get();
    const std::string target = bench.Folder + "baseline.ndx";
    std::vector<char> block(BlockSize);
    const char line[17] = "            42\r\n";
    for (auto _ : state) {
        std::FILE* source = std::fopen(bench.DictionaryPath.c_str(), "rb");
        const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        size_t count = 0;
        while ((count = std::fread(block.data(), 1, block.size(), source)) > 0) {
            const char* cursor = block.data();
            const char* end = cursor + count;
            while ((cursor = static_cast<const char*>(std::memchr(cursor, ']', static_cast<size_t>(end - cursor))))) {
                if (::write(out, line, 16) != 16)
                    state.SkipWithError("write failed");
                ++cursor;
            }
        }
        ::close(out);
        std::fclose(source);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(bench.DictionaryPath)));
}

// The least a pass that replaces the index whole must do: read the dictionary in the engine's
// blocks, find every "]", and hand the OS the index bytes in one buffered write.
void BM_BaselineReadAndBufferedWrite(benchmark::State& state)
{
    const TBenchDictionary& bench = TBenchDictionary::Get();
    const std::string target = bench.Folder + "baseline.ndx";
    std::vector<char> block(BlockSize);
    const char line[17] = "            42\r\n";
    std::string index;
    for (auto _ : state) {
        index.clear();
        std::FILE* source = std::fopen(bench.DictionaryPath.c_str(), "rb");
        size_t count = 0;
        while ((count = std::fread(block.data(), 1, block.size(), source)) > 0) {
            const char* cursor = block.data();
            const char* end = cursor + count;
            while ((cursor = static_cast<const char*>(std::memchr(cursor, ']', static_cast<size_t>(end - cursor))))) {
                index.append(line, 16);
                ++cursor;
            }
        }
        std::fclose(source);
        std::FILE* out = std::fopen(target.c_str(), "wb");
        if (!out || std::fwrite(index.data(), 1, index.size(), out) != index.size() || std::fclose(out) != 0)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(bench.DictionaryPath)));
}

void BM_GetWord(benchmark::State& state)
{
    const dictionary::TDictionaryFile dict = OpenBenchDictionary(false);
    const int n = static_cast<int>(state.range(0));
    dictionary::TDictionaryWord word;
    dictionary::TDictionaryError error;
    for (auto _ : state) {
        if (!dictionary::GetWord(dict, n, word, error))
            state.SkipWithError("GetWord failed");
        benchmark::DoNotOptimize(word.Word.data());
    }
}

// Reads (N + 1) index lines of 16 bytes sequentially, the least GetWord must do.
void BM_BaselineIndexLines(benchmark::State& state)
{
    OpenBenchDictionary(false);
    const std::string& path = TBenchDictionary::Get().IndexPath;
    const size_t wanted = static_cast<size_t>(state.range(0) + 1) * 16;
    std::vector<char> buffer(65536);
    for (auto _ : state) {
        std::FILE* index = std::fopen(path.c_str(), "rb");
        size_t total = 0;
        while (total < wanted) {
            const size_t got = std::fread(buffer.data(), 1, std::min(buffer.size(), wanted - total), index);
            if (got == 0)
                break;
            total += got;
        }
        std::fclose(index);
        benchmark::DoNotOptimize(buffer.data());
    }
}

void BM_LoadWordList(benchmark::State& state)
{
    const dictionary::TDictionaryFile dict = OpenBenchDictionary(true);
    for (auto _ : state) {
        if (!dictionary::LoadWordList(dict, nullptr))
            state.SkipWithError("LoadWordList failed");
    }
    state.counters["per_word"] = benchmark::Counter(static_cast<double>(dict.WordCount),
                                                    benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_LexorimForce)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BaselineBlocksAndLineWrites)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BaselineReadAndBufferedWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GetWord)->Arg(1)->Arg(500'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineIndexLines)->Arg(1)->Arg(500'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadWordList)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

