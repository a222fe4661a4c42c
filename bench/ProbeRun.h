#pragma once
// Runs a start-up probe program (bench/probe) as a child process and measures it: the time from
// just before the process is started to the moment it reports, and its peak memory.
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace bench {

struct TProbeRun {
    double Seconds = 0;       // from the start of the process to its report
    double PeakMegabytes = 0; // the child's own peak resident memory (VmHWM), not the bench's
};

// Runs the probe Program of the benchmarks' folder with Arguments under Qt's offscreen platform, or the one GARVO_PROBE_PLATFORM
// names (xcb under Xvfb: real windows); throws when it fails.
TProbeRun RunProbe(const std::string& program, const std::vector<std::string>& arguments);

// The folder of the benchmark programs and probes (build/bench).
std::string BenchFolder();
// The folder of the built programs (build/bin), which holds their data files.
std::string ProgramsFolder();

using TEnvironment = std::vector<std::pair<std::string, std::string>>;

// Starts Program (a path, or a name looked up in PATH) with Arguments and this process's environment with each of Changes set, its
// standard output on OutputFile when that is not -1; throws when it cannot.
pid_t StartProgram(const std::string& program, const std::vector<std::string>& arguments, const TEnvironment& changes,
                   int outputFile = -1);
// The peak resident memory of the running process Child so far, from the system's own count.
double PeakMegabytesOf(pid_t child);

// A fresh temporary folder, removed with this object.
class TTemporaryFolder {
public:
    TTemporaryFolder();
    ~TTemporaryFolder();
    TTemporaryFolder(const TTemporaryFolder&) = delete;
    TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

} // namespace bench
