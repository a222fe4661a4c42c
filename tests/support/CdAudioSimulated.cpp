#include "tests/support/CdAudioSimulated.h"

#include <algorithm>

namespace platform {

TCdToc TSimulatedCdDevice::AudioDisc(const std::vector<int64_t>& trackSeconds)
{
    TCdToc toc;
    int64_t start = CdPregapFrames;
    for (const int64_t seconds : trackSeconds) {
        toc.Tracks.push_back({start, true});
        start += seconds * CdFramesPerSecond;
    }
    toc.LeadOut = start;
    return toc;
}

TSimulatedCdDevice::TDrive* TSimulatedCdDevice::Current()
{
    if (open_.empty() || vanished_)
        return nullptr;
    const auto found = std::find_if(SimulatedDrives.begin(), SimulatedDrives.end(),
                                    [this](const TDrive& drive) { return drive.Name == open_; });
    return found == SimulatedDrives.end() ? nullptr : &*found;
}

const TCdToc& TSimulatedCdDevice::Disc()
{
    TDrive* drive = Current();
    if (drive == nullptr)
        throw ECdError(TCdFault::NoAnswer);
    if (!drive->Disc)
        throw ECdError(TCdFault::NoDisc);
    return *drive->Disc;
}

void TSimulatedCdDevice::Advance(int64_t ms)
{
    if (Current() == nullptr || !Current()->Disc || state_ != cdPlaying)
        return;
    position_ += MsToFrames(ms);
    if (position_ >= Current()->Disc->LeadOut) {
        position_ = Current()->Disc->LeadOut;
        state_ = cdStopped;
    }
}

void TSimulatedCdDevice::Vanish()
{
    vanished_ = true;
    SimulatedDrives.erase(std::remove_if(SimulatedDrives.begin(), SimulatedDrives.end(),
                                         [this](const TDrive& drive) { return drive.Name == open_; }),
                          SimulatedDrives.end());
}

void TSimulatedCdDevice::Insert(const std::string& drive, const TCdToc& disc)
{
    for (TDrive& each : SimulatedDrives)
        if (each.Name == drive)
            each.Disc = disc;
    if (drive == open_) {
        state_ = cdStopped;
        position_ = disc.Tracks.empty() ? 0 : disc.Tracks.front().Start;
    }
}

std::vector<std::string> TSimulatedCdDevice::Drives()
{
    std::vector<std::string> names;
    for (const TDrive& drive : SimulatedDrives)
        names.push_back(drive.Name);
    return names;
}

void TSimulatedCdDevice::Open(const std::string& drive)
{
    const auto found = std::find_if(SimulatedDrives.begin(), SimulatedDrives.end(),
                                    [&drive](const TDrive& each) { return each.Name == drive; });
    if (found == SimulatedDrives.end() || !found->CanOpen)
        throw ECdError(TCdFault::CannotOpen, drive);
    if (drive != open_ || vanished_) {
        state_ = cdStopped;
        position_ = found->Disc && !found->Disc->Tracks.empty() ? found->Disc->Tracks.front().Start : 0;
    }
    open_ = drive;
    vanished_ = false;
}

TCdMode TSimulatedCdDevice::Mode()
{
    const TDrive* drive = Current();
    if (drive == nullptr)
        return cdNotReady;
    return drive->Disc ? state_ : cdOpen;
}

TCdToc TSimulatedCdDevice::Toc()
{
    return Disc();
}

int64_t TSimulatedCdDevice::Position()
{
    Disc();
    return position_;
}

void TSimulatedCdDevice::Play(int64_t frame)
{
    const TCdToc& disc = Disc();
    position_ = std::clamp(frame, int64_t{0}, disc.LeadOut);
    state_ = position_ < disc.LeadOut ? cdPlaying : cdStopped;
}

void TSimulatedCdDevice::Stop()
{
    Disc();
    state_ = cdStopped;
}

void TSimulatedCdDevice::Pause()
{
    Disc();
    if (state_ == cdPlaying)
        state_ = cdPaused;
}

void TSimulatedCdDevice::Resume()
{
    const TCdToc& disc = Disc();
    if (state_ == cdPaused)
        state_ = position_ < disc.LeadOut ? cdPlaying : cdStopped;
}

void TSimulatedCdDevice::Seek(int64_t frame)
{
    position_ = std::clamp(frame, int64_t{0}, Disc().LeadOut);
}

void TSimulatedCdDevice::Eject()
{
    TDrive* drive = Current();
    if (drive == nullptr)
        throw ECdError(TCdFault::NoAnswer);
    drive->Disc.reset();
    state_ = cdStopped;
    position_ = 0;
}

TScopedSimulatedCdDrives::TScopedSimulatedCdDrives()
    : previous_(SetCdDeviceMaker([this] {
          auto device = std::make_unique<TSimulatedCdDevice>();
          device->SimulatedDrives = Drives;
          return device;
      }))
{
}

TScopedSimulatedCdDrives::~TScopedSimulatedCdDrives()
{
    SetCdDeviceMaker(std::move(previous_));
}

} // namespace platform
