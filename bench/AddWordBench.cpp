// A word added by the utility to a dictionary of 300,000 entries (about 25 MB), beside the floor
// of what its safety needs: writing the same bytes to a new file and putting them on disk.
#include "BenchDictionary.h"
#include "utility/DictionaryEdits.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

constexpr int AddBenchEntryCount = 300'000;

// The dictionary, written once in a temporary folder and removed at exit.
struct TAddBenchFolder {
    static TAddBenchFolder& Get()
    {
        static TAddBenchFolder instance;
        return instance;
    }
    ~TAddBenchFolder() { std::filesystem::remove_all(Folder); }

    std::string Folder;
    std::string DictionaryPath;

private:
    TAddBenchFolder()
    {
        Folder = bench::MakeBenchFolder("garvo_add_bench");
        DictionaryPath = Folder + "mots.dat";
        bench::WriteBenchDictionary(DictionaryPath, AddBenchEntryCount,
                                    "une d\xE9" "finition du mot num\xE9ro %d, assez longue et utile");
    }
};

void BM_AddWord(benchmark::State& state)
{
    const std::string& path = TAddBenchFolder::Get().DictionaryPath;
    int serial = 0;
    for (auto _ : state)
        utility::AppendToFile(path, utility::FormatNewEntry("ajout" + std::to_string(++serial), "un mot ajout\xE9"));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

// The same number of bytes written to a new file in one write and put on disk.
void BM_BaselineWriteAndSync(benchmark::State& state)
{
    const TAddBenchFolder& bench = TAddBenchFolder::Get();
    const std::string target = bench.Folder + "baseline.dat";
    const std::string bytes(std::filesystem::file_size(bench.DictionaryPath), 'm');
    for (auto _ : state) {
        const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::write(out, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::fsync(out) != 0)
            state.SkipWithError("write failed");
        ::close(out);
        ::unlink(target.c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

BENCHMARK(BM_AddWord)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_BaselineWriteAndSync)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
