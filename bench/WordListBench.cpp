// The utility's word list on a dictionary of a million words: the engine's loader with the
// window's real progress bar beside the same loader with none, and the whole utility from the
// start of its process until the list shows the words, with the index already built and without.
#include "ProbeRun.h"
#include "dictionary/unitDictionary.h"
#include "platform/QtProgress.h"

#include <QProgressBar>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

constexpr int WordCount = 1'000'000;

// Words of varied length and letters, each with a short definition, as a real word list has.
class TWordListFile {
public:
    static const TWordListFile& Get()
    {
        static const TWordListFile instance;
        return instance;
    }

private:
    bench::TTemporaryFolder folder_; // made before the path that lies in it

public:
    const std::string Path = folder_.Path() + "/mots.dat";

private:
    TWordListFile()
    {
        std::string content;
        content.reserve(static_cast<size_t>(WordCount) * 40);
        for (int i = 1; i <= WordCount; ++i) {
            std::string word;
            for (int n = i; n > 0 || word.size() < 3; n /= 26)
                word += static_cast<char>('a' + n % 26);
            content += word + (i % 3 == 0 ? "\xE9" : "") + "\r\n  [d\xE9" "finition " + std::to_string(i) + "]\r\n";
        }
        std::ofstream file(Path, std::ios::binary);
        file << content;
        if (!file)
            throw std::runtime_error("cannot write the word list");
    }
};

dictionary::TDictionaryFile OpenWordList()
{
    dictionary::TDictionaryFile dict;
    dictionary::TDictionaryError error;
    if (!dictionary::Initialize(TWordListFile::Get().Path, dict, nullptr, true, error) || dict.WordCount != WordCount)
        throw std::runtime_error("cannot open the word list");
    return dict;
}

void BM_LoadWordListWithoutBar(benchmark::State& state)
{
    const dictionary::TDictionaryFile dict = OpenWordList();
    for (auto _ : state) {
        if (!dictionary::LoadWordList(dict, nullptr))
            state.SkipWithError("LoadWordList failed");
    }
}

// The utility's bar: 152 pixels wide, on screen (the offscreen platform paints it for real).
void BM_LoadWordListWithBar(benchmark::State& state)
{
    const dictionary::TDictionaryFile dict = OpenWordList();
    QProgressBar bar;
    bar.resize(152, 17);
    bar.setTextVisible(false);
    bar.show();
    platform::TQtProgress progress(&bar);
    for (auto _ : state) {
        if (!dictionary::LoadWordList(dict, &progress))
            state.SkipWithError("LoadWordList failed");
    }
}

void RunUtility(benchmark::State& state, bool buildIndexEachTime)
{
    const std::string& path = TWordListFile::Get().Path;
    const std::string index = std::filesystem::path(path).replace_extension(".ndx").string();
    const bench::TTemporaryFolder programFolder;
    OpenWordList(); // builds the index once
    double peak = 0;
    for (auto _ : state) {
        if (buildIndexEachTime) {
            state.PauseTiming();
            std::filesystem::remove(index);
            state.ResumeTiming();
        }
        const bench::TProbeRun run = bench::RunProbe({"lexorim", programFolder.Path(), path});
        state.SetIterationTime(run.Seconds);
        peak = std::max(peak, run.PeakMegabytes);
    }
    state.counters["peak_MB"] = peak;
}

void BM_UtilityShowsWordList(benchmark::State& state)
{
    RunUtility(state, false);
}

void BM_UtilityBuildsIndexAndShowsWordList(benchmark::State& state)
{
    RunUtility(state, true);
}

BENCHMARK(BM_LoadWordListWithoutBar)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadWordListWithBar)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UtilityShowsWordList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UtilityBuildsIndexAndShowsWordList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
