#pragma once
// The machine's optical drives through libcdio: the table of contents of the disc and the
// drive's own audio playback (the kernel's CD audio commands), which plays through the drive's
// audio output.
#include "platform/CdAudio.h"

#include <optional>
#include <string>
#include <vector>

struct _CdIo;

namespace platform {

class TLibcdioCdDevice : public TCdDevice {
public:
    TLibcdioCdDevice();
    ~TLibcdioCdDevice() override;
    TLibcdioCdDevice(const TLibcdioCdDevice&) = delete;
    TLibcdioCdDevice& operator=(const TLibcdioCdDevice&) = delete;

    std::vector<std::string> Drives() override;
    bool DrivePresent() override; // OpticalDrivePresent
    void Open(const std::string& drive) override;
    bool IsOpen() const override { return cdio_ != nullptr; }
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
    // What the drive's audio playback is doing, and where, from its sub-channel.
    struct TAudioStatus {
        TCdMode Mode = cdStopped;
        int64_t Frame = 0;
    };

    void Close();
    // The open drive with a readable disc; raises ECdError otherwise. A changed disc is read
    // afresh.
    _CdIo* Disc();
    bool DiscChanged();
    std::optional<TAudioStatus> ReadStatus();
    // Keeps the stopped position once playback has ended by itself.
    TAudioStatus Status();
    static void Check(int result, const char* what);

    _CdIo* cdio_ = nullptr;
    std::string drive_;
    bool started_ = false;            // playback was started and not stopped by us
    int64_t stoppedAt_ = 0;           // position of a stopped disc
    std::optional<int64_t> pausedAt_; // where a paused disc was moved to
};

} // namespace platform

// The CD audio module's entry (see CdAudioModule.h).
extern "C" platform::TCdDevice* garvo_new_cd_device();
