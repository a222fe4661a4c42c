// A word added by the utility to a dictionary of 300,000 entries (about 25 MB), beside the floor
// of what its safety needs: writing the same bytes to a new file and putting them on disk.
#include "utility/DictionaryEdits.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
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
        std::string pattern = (std::filesystem::temp_directory_path() / "garvo_add_bench_XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        Folder = pattern + "/";
        DictionaryPath = Folder + "mots.dat";
        std::string content;
        content.reserve(static_cast<size_t>(AddBenchEntryCount) * 90);
        char entry[160];
        for (int i = 1; i <= AddBenchEntryCount; ++i) {
            const int length = std::snprintf(entry, sizeof entry,
                                             "mot%07d\r\n  [une d\xE9" "finition du mot num\xE9ro %d, assez longue et utile]\r\n",
                                             i, i);
            content.append(entry, static_cast<size_t>(length));
        }
        std::FILE* file = std::fopen(DictionaryPath.c_str(), "wb");
        if (!file || std::fwrite(content.data(), 1, content.size(), file) != content.size() || std::fclose(file) != 0)
            throw std::runtime_error("cannot write the bench dictionary");
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
