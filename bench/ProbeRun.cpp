#include "ProbeRun.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

namespace {

std::filesystem::path OwnFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

} // namespace

std::string ProgramsFolder()
{
    return (OwnFolder().parent_path() / "bin").string();
}

TProbeRun RunProbe(const std::string& name, const std::vector<std::string>& arguments)
{
    const std::string program = (OwnFolder() / name).string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const char* platform = std::getenv("GARVO_PROBE_PLATFORM");
    ::setenv("QT_QPA_PLATFORM", platform != nullptr && *platform != '\0' ? platform : "offscreen", 1);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int failure = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (failure != 0) {
        ::close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + program);
    }
    std::FILE* output = ::fdopen(pipeEnds[0], "r");
    long long reported = 0;
    const bool read = output != nullptr && std::fscanf(output, "%lld", &reported) == 1;
    if (output != nullptr)
        std::fclose(output);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the probe did not report");

    const auto startNanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
    TProbeRun run;
    run.Seconds = static_cast<double>(reported - startNanoseconds) / 1e9;
    run.PeakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return run;
}

TTemporaryFolder::TTemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "garvo_bench_XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TTemporaryFolder::~TTemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace bench
