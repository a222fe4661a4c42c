#include "platform/CdAudio.h"

#include "platform/CdAudioModule.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr int64_t ByteMax = 0xFF;

TCdDeviceMaker& CurrentMaker()
{
    static TCdDeviceMaker maker;
    return maker;
}

int64_t RoundedDivision(int64_t numerator, int64_t denominator)
{
    return numerator >= 0 ? (numerator + denominator / 2) / denominator
                          : -((-numerator + denominator / 2) / denominator);
}

// Minutes, seconds and frames of a frame count, packed from Shift on.
uint32_t PackTime(int64_t frames, int shift)
{
    frames = std::max<int64_t>(frames, 0);
    const int64_t minutes = std::min(frames / (60 * CdFramesPerSecond), ByteMax);
    const int64_t seconds = frames / CdFramesPerSecond % 60;
    const int64_t rest = frames % CdFramesPerSecond;
    return static_cast<uint32_t>(minutes << shift | seconds << (shift + 8) | rest << (shift + 16));
}

} // namespace

uint32_t PackTmsf(int32_t track, int64_t frames)
{
    return static_cast<uint32_t>(std::clamp<int32_t>(track, 0, ByteMax)) | PackTime(frames, 8);
}

uint32_t PackMsf(int64_t frames)
{
    return PackTime(frames, 0);
}

int64_t FramesToMs(int64_t frames)
{
    return RoundedDivision(frames * 1000, CdFramesPerSecond);
}

int64_t MsToFrames(int64_t ms)
{
    return RoundedDivision(ms * CdFramesPerSecond, 1000);
}

std::string DriveLabel(const std::string& drive)
{
    const size_t slash = drive.find_last_of('/');
    return slash == std::string::npos ? drive : drive.substr(slash + 1);
}

std::unique_ptr<TCdDevice> NewCdDevice()
{
    const TCdDeviceMaker& maker = CurrentMaker();
    return maker ? maker() : std::make_unique<TModuleCdDevice>();
}

TCdDeviceMaker SetCdDeviceMaker(TCdDeviceMaker maker)
{
    return std::exchange(CurrentMaker(), std::move(maker));
}

} // namespace platform
