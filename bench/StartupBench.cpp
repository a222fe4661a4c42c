// How long the game takes from the start of its process to the first paint of its main window,
// beside a program that links Qt Widgets alone and shows a bare frameless window of the same
// size, and the peak memory of each.
#include "ProbeRun.h"

#include "game/TfrmMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

void RunAndReport(benchmark::State& state, const std::string& program, const std::vector<std::string>& arguments)
{
    double peak = 0;
    for (auto _ : state) {
        const bench::TProbeRun run = bench::RunProbe(program, arguments);
        state.SetIterationTime(run.Seconds);
        peak = std::max(peak, run.PeakMegabytes);
    }
    state.counters["peak_MB"] = peak;
}

void BM_StartBareWindow(benchmark::State& state)
{
    RunAndReport(state, "garvo_bare_window_probe",
                 {std::to_string(game::TfrmMain::ClientWidth), std::to_string(game::TfrmMain::ClientHeight)});
}

// A program folder with the built data files and settings that name a language and a dictionary,
// so no first-run question or open dialog stops the start.
class TGameFolder : public bench::TTemporaryFolder {
public:
    TGameFolder()
    {
        const std::filesystem::path programs = bench::ProgramsFolder();
        const std::filesystem::path folder = Path();
        for (const char* data : {"Aide", "Sons", "Themes"})
            std::filesystem::create_directory_symlink(programs / data, folder / data);
        // The game writes the index beside its dictionary: a copy keeps the build's own.
        std::filesystem::copy(programs / "Dictionnaires", folder / "Dictionnaires", std::filesystem::copy_options::recursive);
        std::ofstream settings(Path() + "/garvo.ini", std::ios::binary);
        settings << "[General]\r\nLastFile=" << (folder / "Dictionnaires" / "Francais.dat").string()
                 << "\r\n[Theme]\r\nName=Standard\r\nLanguage=Francais\r\n";
        if (!settings)
            throw std::runtime_error("cannot write the settings");
    }
};

void BM_StartGarvo(benchmark::State& state)
{
    const TGameFolder folder;
    RunAndReport(state, "garvo_game_probe", {folder.Path()});
}

BENCHMARK(BM_StartBareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartGarvo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
