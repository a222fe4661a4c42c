#include "platform/CdAudioModule.h"

#include "platform/BackendModule.h"
#include "platform/CdAudioDrivePresence.h"

namespace platform {

TCdDevice* TModuleCdDevice::Device()
{
    if (!loaded_) {
        loaded_ = true;
        if (const auto newDevice = reinterpret_cast<TNewCdDevice>(BackendEntry(CdAudioModule, NewCdDeviceEntry)))
            device_.reset(newDevice());
    }
    return device_.get();
}

TCdDevice& TModuleCdDevice::Drive()
{
    if (TCdDevice* device = Device())
        return *device;
    throw ECdError(TCdFault::NoSupport);
}

std::vector<std::string> TModuleCdDevice::Drives()
{
    TCdDevice* device = Device();
    return device ? device->Drives() : std::vector<std::string>{};
}

bool TModuleCdDevice::DrivePresent()
{
    return OpticalDrivePresent();
}

void TModuleCdDevice::Open(const std::string& drive)
{
    Drive().Open(drive);
}

bool TModuleCdDevice::IsOpen() const
{
    return device_ && device_->IsOpen();
}

TCdMode TModuleCdDevice::Mode()
{
    TCdDevice* device = Device();
    return device ? device->Mode() : cdNotReady;
}

TCdToc TModuleCdDevice::Toc()
{
    return Drive().Toc();
}

int64_t TModuleCdDevice::Position()
{
    return Drive().Position();
}

void TModuleCdDevice::Play(int64_t frame)
{
    Drive().Play(frame);
}

void TModuleCdDevice::Stop()
{
    Drive().Stop();
}

void TModuleCdDevice::Pause()
{
    Drive().Pause();
}

void TModuleCdDevice::Resume()
{
    Drive().Resume();
}

void TModuleCdDevice::Seek(int64_t frame)
{
    Drive().Seek(frame);
}

void TModuleCdDevice::Eject()
{
    Drive().Eject();
}

} // namespace platform
