// How long the game takes to start, beside a program that links Qt Widgets alone and shows a
// bare frameless window of the same size, and the peak memory of each: the game's start to the
// first paint of its main window offscreen (a probe that runs the same steps), and the real
// program to its main window mapped on an X server of the bench's own, the figure a player sees.
#include "MappedWindow.h"
#include "ProbeRun.h"

#include "game/TfrmMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

namespace {

using TRun = std::function<bench::TProbeRun()>;

void RunAndReport(benchmark::State& state, const TRun& runOnce)
{
    double peak = 0;
    for (auto _ : state) {
        bench::TProbeRun run;
        try {
            run = runOnce();
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            return;
        }
        state.SetIterationTime(run.Seconds);
        peak = std::max(peak, run.PeakMegabytes);
    }
    state.counters["peak_MB"] = peak;
}

const std::vector<std::string> WindowSize{std::to_string(game::TfrmMain::ClientWidth),
                                          std::to_string(game::TfrmMain::ClientHeight)};

// A program folder with the built data files and settings that name a language and a dictionary,
// so no first-run question or open dialog stops the start; with a copy of the game, whose program
// folder is its own, and a home and runtime folder of its own.
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
        // The game takes the folder of its executable (links resolved) as its program folder.
        std::filesystem::copy_file(programs / "garvo", folder / "garvo");
        for (const auto& entry : std::filesystem::directory_iterator(programs))
            if (entry.path().extension() == ".so")
                std::filesystem::create_symlink(entry.path(), folder / entry.path().filename());
        for (const char* own : {"home", "runtime"})
            std::filesystem::create_directory(folder / own);
        ::chmod((folder / "runtime").c_str(), 0700);
    }

    bench::TEnvironment Environment() const
    {
        return {{"HOME", Path() + "/home"}, {"XDG_RUNTIME_DIR", Path() + "/runtime"}};
    }
};

void BM_StartBareWindow(benchmark::State& state)
{
    RunAndReport(state, [] { return bench::RunProbe("garvo_bare_window_probe", WindowSize); });
}

void BM_StartGarvo(benchmark::State& state)
{
    const TGameFolder folder;
    RunAndReport(state, [&] { return bench::RunProbe("garvo_game_probe", {folder.Path()}); });
}

// The mapped windows share one X server, started once for the two and ended when the bench ends.
std::unique_ptr<bench::TVirtualScreen> Screen;

const bench::TVirtualScreen* SharedScreen(benchmark::State& state)
{
    try {
        if (!Screen)
            Screen = std::make_unique<bench::TVirtualScreen>();
        return Screen.get();
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return nullptr;
    }
}

void BM_MapBareWindow(benchmark::State& state)
{
    const bench::TVirtualScreen* screen = SharedScreen(state);
    if (screen == nullptr)
        return;
    std::vector<std::string> arguments = WindowSize;
    arguments.push_back("--stay"); // the window stays until the bench has read the peak memory
    const bench::TTemporaryFolder runtime; // made 0700, as the game's
    RunAndReport(state, [&] {
        return bench::RunUntilMapped(*screen, bench::BenchFolder() + "/garvo_bare_window_probe", arguments,
                                     {{"XDG_RUNTIME_DIR", runtime.Path()}}, game::TfrmMain::ClientWidth,
                                     game::TfrmMain::ClientHeight);
    });
}

void BM_MapGarvo(benchmark::State& state)
{
    const bench::TVirtualScreen* screen = SharedScreen(state);
    if (screen == nullptr)
        return;
    const TGameFolder folder;
    RunAndReport(state, [&] {
        return bench::RunUntilMapped(*screen, folder.Path() + "/garvo", {}, folder.Environment(),
                                     game::TfrmMain::ClientWidth, game::TfrmMain::ClientHeight);
    });
}

BENCHMARK(BM_StartBareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartGarvo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_MapBareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_MapGarvo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
