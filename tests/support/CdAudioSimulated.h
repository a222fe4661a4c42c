#pragma once
// A CD drive made of data, for tests: drives that may refuse to open, discs of given track
// lengths, a door, and time that passes only when the caller says so.
#include "platform/CdAudio.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

class TSimulatedCdDevice : public TCdDevice {
public:
    struct TDrive {
        std::string Name;
        bool CanOpen = true;
        std::optional<TCdToc> Disc; // none: door open or empty
    };

    // An audio disc with tracks of the given lengths in seconds, the first starting 2 s in.
    static TCdToc AudioDisc(const std::vector<int64_t>& trackSeconds);

    std::vector<TDrive> SimulatedDrives;

    // Time passes: a playing disc moves on and stops at its end.
    void Advance(int64_t ms);
    // The open drive disappears (unplugged, its device gone): everything on it fails.
    void Vanish();
    // Puts Disc into the drive named Drive, closing its door.
    void Insert(const std::string& drive, const TCdToc& disc);
    // The drive open now; empty when none.
    const std::string& OpenDrive() const { return open_; }

    std::vector<std::string> Drives() override;
    bool DrivePresent() override { return !SimulatedDrives.empty(); }
    void Open(const std::string& drive) override;
    bool IsOpen() const override { return !open_.empty(); }
    TCdMode Mode() override;
    TCdToc Toc() override;
    int64_t Position() override;
    void Play(int64_t frame) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    void Seek(int64_t frame) override;
    void Eject() override;

private:
    TDrive* Current();
    // The disc in the open drive; raises when there is none.
    const TCdToc& Disc();

    std::string open_;
    bool vanished_ = false;
    TCdMode state_ = cdStopped; // stopped, playing or paused while a disc is in
    int64_t position_ = 0;
};

// Simulated drives in place of the machine's for the lifetime of the object: every device
// NewCdDevice makes meanwhile starts with a copy of Drives as they are then.
class TScopedSimulatedCdDrives {
public:
    TScopedSimulatedCdDrives();
    ~TScopedSimulatedCdDrives();
    TScopedSimulatedCdDrives(const TScopedSimulatedCdDrives&) = delete;
    TScopedSimulatedCdDrives& operator=(const TScopedSimulatedCdDrives&) = delete;

    std::vector<TSimulatedCdDevice::TDrive> Drives;

private:
    TCdDeviceMaker previous_;
};

} // namespace platform
