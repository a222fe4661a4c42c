#pragma once
// Runs a start-up probe program (bench/probe) as a child process and measures it: the time from
// just before the process is started to the moment it reports, and its peak memory.
#include <string>
#include <vector>

namespace bench {

struct TProbeRun {
    double Seconds = 0;     // from the start of the process to its report
    double PeakMegabytes = 0; // the child's peak resident memory
};

// Runs the probe Program of the benchmarks' folder with Arguments under Qt's offscreen platform, or the one GARVO_PROBE_PLATFORM
// names (xcb under Xvfb: real windows); throws when it fails.
TProbeRun RunProbe(const std::string& program, const std::vector<std::string>& arguments);

// The folder of the built programs (build/bin), which holds their data files.
std::string ProgramsFolder();

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
