// The dictionary engine on a dictionary of a million entries (about 42 MB), each measurement
// beside a baseline of the bare file work it cannot avoid.
#include "BenchDictionary.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using bench::OpenBenchDictionary;
using bench::TBenchDictionary;

constexpr size_t BlockSize = 65535;

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
// blocks, hand the OS the index's bytes in one buffered write and sync them once.
void BM_BaselineReadAndBufferedWrite(benchmark::State& state)
{
    OpenBenchDictionary(false);
    const TBenchDictionary& bench = TBenchDictionary::Get();
    const std::string target = bench.Folder + "baseline.ndx";
    std::vector<char> block(BlockSize);
    const std::vector<char> index(std::filesystem::file_size(bench.IndexPath), ' ');
    for (auto _ : state) {
        const int source = ::open(bench.DictionaryPath.c_str(), O_RDONLY);
        while (::read(source, block.data(), block.size()) > 0)
            benchmark::DoNotOptimize(block.data());
        ::close(source);
        const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::write(out, index.data(), index.size()) != static_cast<ssize_t>(index.size()) || ::fsync(out) != 0)
            state.SkipWithError("write failed");
        ::close(out);
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

