// The utility's word list on a dictionary of a million words: the engine's loader with the
// window's real progress bar beside the same loader with none, and the whole utility from the
// start of its process until the list shows the words, with the index already built and without.
#include "BenchDictionary.h"
#include "ProbeRun.h"
#include "platform/QtProgress.h"

#include <QProgressBar>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

void BM_LoadWordListWithoutBar(benchmark::State& state)
{
    const dictionary::TDictionaryFile dict = bench::OpenBenchDictionary(true);
    for (auto _ : state) {
        if (!dictionary::LoadWordList(dict, nullptr))
            state.SkipWithError("LoadWordList failed");
    }
}

// The utility's bar: 152 pixels wide, on screen (the offscreen platform paints it for real).
void BM_LoadWordListWithBar(benchmark::State& state)
{
    const dictionary::TDictionaryFile dict = bench::OpenBenchDictionary(true);
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
    const std::string& path = bench::TBenchDictionary::Get().DictionaryPath;
    const std::string& index = bench::TBenchDictionary::Get().IndexPath;
    const bench::TTemporaryFolder programFolder;
    bench::OpenBenchDictionary(true); // builds the index once
    double peak = 0;
    for (auto _ : state) {
        if (buildIndexEachTime) {
            state.PauseTiming();
            std::filesystem::remove(index);
            state.ResumeTiming();
        }
        const bench::TProbeRun run = bench::RunProbe("garvo_utility_probe", {programFolder.Path(), path});
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
