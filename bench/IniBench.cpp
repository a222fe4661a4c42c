// The high-scores file at the size a long-used game reaches: ten thousand dictionaries' tables
// (about 3 MB). Loading one table and saving it back should cost about one read, or one read and
// one write, of the file, however many keys the table has.
#include "game/HighScores.h"
#include "game/globalDefs.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

constexpr int SectionCount = 10'000;

// The generated "scores.ini", made once and removed at exit.
class TBenchScores {
public:
    static const TBenchScores& Get()
    {
        static const TBenchScores instance;
        return instance;
    }

    std::string Folder;
    std::string Path;

    ~TBenchScores() { std::filesystem::remove_all(Folder); }

private:
    TBenchScores()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "garvo_ini_bench_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        Folder = pattern;
        Path = Folder + "/scores.ini";
        std::ofstream out(Path, std::ios::binary);
        for (int i = 0; i < SectionCount; ++i) {
            out << "[Scores.dico" << i << ".dat]\r\n";
            for (int n = 1; n <= 10; ++n)
                out << "Name" << n << "=Joueur" << n << "\r\nScore" << n << "=" << 11 - n << "\r\nGames" << n
                    << "=" << 20 + n << "\r\n";
        }
    }
};

// The table of a dictionary in the middle of the file.
void OpenMiddleDictionary()
{
    game::ResetGameState();
    game::ScoresFilePath = TBenchScores::Get().Path;
    game::CurrentDictionary.Name = "dico" + std::to_string(SectionCount / 2) + ".dat";
    game::CurrentDictionary.Initialized = 1;
}

void BM_LoadScores(benchmark::State& state)
{
    OpenMiddleDictionary();
    for (auto _ : state)
        game::LoadScores();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(std::filesystem::file_size(TBenchScores::Get().Path)));
}
BENCHMARK(BM_LoadScores)->Unit(benchmark::kMillisecond);

void BM_SaveScores(benchmark::State& state)
{
    OpenMiddleDictionary();
    game::LoadScores();
    int32_t score = 0;
    for (auto _ : state) {
        // A changed row each time, so that every save has something to write.
        game::SetScoreRow(1, "Joueur1", 100 + score++ % 2, 200);
        game::SaveScores();
    }
}
BENCHMARK(BM_SaveScores)->Unit(benchmark::kMillisecond);

} // namespace
