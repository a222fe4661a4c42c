#pragma once
// The machine's drives through the CD audio module (libgarvo_cdaudio.so, libcdio), loaded on the
// first use that needs a drive: whether one is present is told without it. Without the module
// the machine has no drive that answers.
#include "platform/CdAudio.h"

#include <memory>

namespace platform {

// The module's entry: makes its device; the caller owns it.
using TNewCdDevice = TCdDevice* (*)();
constexpr const char* CdAudioModule = "garvo_cdaudio";
constexpr const char* NewCdDeviceEntry = "garvo_new_cd_device";

class TModuleCdDevice : public TCdDevice {
public:
    std::vector<std::string> Drives() override;
    bool DrivePresent() override;
    void Open(const std::string& drive) override;
    bool IsOpen() const override;
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
    // The module's device, loaded on the first call; null without the module.
    TCdDevice* Device();
    // The module's device, or ECdError without it.
    TCdDevice& Drive();

    std::unique_ptr<TCdDevice> device_;
    bool loaded_ = false;
};

} // namespace platform
