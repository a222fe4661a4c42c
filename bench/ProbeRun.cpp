#include "ProbeRun.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

namespace {

std::filesystem::path OwnFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// The "NAME=VALUE" entries of this process's environment with Changes applied.
std::vector<std::string> ChangedEnvironment(const TEnvironment& changes)
{
    std::map<std::string, std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const char* equals = std::strchr(*entry, '=');
        if (equals != nullptr)
            entries[std::string(*entry, static_cast<size_t>(equals - *entry))] = equals + 1;
    }
    for (const auto& [name, value] : changes)
        entries[name] = value;
    std::vector<std::string> result;
    for (const auto& [name, value] : entries)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> NullTerminated(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

long long Nanoseconds(std::chrono::steady_clock::time_point moment)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(moment.time_since_epoch()).count();
}

} // namespace

std::string BenchFolder()
{
    return OwnFolder().string();
}

std::string ProgramsFolder()
{
    return (OwnFolder().parent_path() / "bin").string();
}

pid_t StartProgram(const std::string& program, const std::vector<std::string>& arguments, const TEnvironment& changes,
                   int outputFile)
{
    std::vector<std::string> argumentStrings{program};
    argumentStrings.insert(argumentStrings.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environmentStrings = ChangedEnvironment(changes);
    const std::vector<char*> argv = NullTerminated(argumentStrings);
    const std::vector<char*> envp = NullTerminated(environmentStrings);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFile >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputFile, STDOUT_FILENO);
    pid_t child = 0;
    const int failure = ::posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0)
        throw std::runtime_error("cannot start " + program);
    return child;
}

double PeakMegabytesOf(pid_t child)
{
    std::ifstream status("/proc/" + std::to_string(child) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    throw std::runtime_error("no peak memory for process " + std::to_string(child));
}

TProbeRun RunProbe(const std::string& name, const std::vector<std::string>& arguments)
{
    const std::string program = (OwnFolder() / name).string();
    const char* platform = std::getenv("GARVO_PROBE_PLATFORM");
    // A runtime folder of its own (made 0700), so the probe never meets another program's locks.
    const TTemporaryFolder runtime;
    const TEnvironment environment{
        {"QT_QPA_PLATFORM", platform != nullptr && *platform != '\0' ? platform : "offscreen"},
        {"XDG_RUNTIME_DIR", runtime.Path()}};

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe");
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    try {
        child = StartProgram(program, arguments, environment, pipeEnds[1]);
    } catch (...) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        throw;
    }
    ::close(pipeEnds[1]);
    // The probe reports the moment and its own peak memory, read just before it ends: once it
    // has ended, the system no longer tells either.
    std::FILE* output = ::fdopen(pipeEnds[0], "r");
    long long reported = 0;
    double peakKilobytes = 0;
    const bool read = output != nullptr && std::fscanf(output, "%lld %lf", &reported, &peakKilobytes) == 2;
    if (output != nullptr)
        std::fclose(output);
    else
        ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the probe did not report");

    TProbeRun run;
    run.Seconds = static_cast<double>(reported - Nanoseconds(start)) / 1e9;
    run.PeakMegabytes = peakKilobytes / 1024.0;
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
