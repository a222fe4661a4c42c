#include "platform/CdAudioPlayer.h"

#include <algorithm>

namespace platform {

TCdAudio::TCdAudio(std::unique_ptr<TCdDevice> device) : device_(std::move(device)) {}

TCdToc TCdAudio::DiscToc()
{
    TCdToc toc = device_->Toc();
    if (toc.Tracks.empty())
        throw ECdError(TCdFault::NoDisc);
    return toc;
}

int32_t TCdAudio::TrackAt(const TCdToc& toc, int64_t frame)
{
    const auto after = std::upper_bound(toc.Tracks.begin(), toc.Tracks.end(), frame,
                                        [](int64_t at, const TCdTrack& track) { return at < track.Start; });
    return std::max<int32_t>(static_cast<int32_t>(after - toc.Tracks.begin()), 1);
}

int64_t TCdAudio::FirstAudioStart(const TCdToc& toc)
{
    const auto audio = std::find_if(toc.Tracks.begin(), toc.Tracks.end(), [](const TCdTrack& track) { return track.Audio; });
    return audio == toc.Tracks.end() ? toc.Tracks.front().Start : audio->Start;
}

int32_t TCdAudio::Tracks()
{
    return static_cast<int32_t>(DiscToc().Tracks.size());
}

uint32_t TCdAudio::PositionTmsf()
{
    const TCdToc toc = DiscToc();
    const int64_t frame = std::clamp(device_->Position(), toc.Tracks.front().Start, toc.LeadOut);
    const int32_t track = TrackAt(toc, frame);
    return PackTmsf(track, frame - toc.Tracks[track - 1].Start);
}

int64_t TCdAudio::PositionMs()
{
    return FramesToMs(device_->Position());
}

void TCdAudio::SetPositionMs(int64_t ms)
{
    const TCdToc toc = DiscToc();
    MoveTo(std::clamp(MsToFrames(ms), toc.Tracks.front().Start, toc.LeadOut));
}

uint32_t TCdAudio::TrackLengthMsf(int32_t track)
{
    const TCdToc toc = DiscToc();
    const int32_t count = static_cast<int32_t>(toc.Tracks.size());
    if (track < 1 || track > count)
        throw ECdError(TCdFault::NoTrack, std::to_string(track));
    const int64_t end = track == count ? toc.LeadOut : toc.Tracks[track].Start;
    return PackMsf(end - toc.Tracks[track - 1].Start);
}

void TCdAudio::MoveTo(int64_t frame)
{
    if (device_->Mode() == cdPlaying)
        device_->Play(frame);
    else
        device_->Seek(frame);
}

void TCdAudio::Play()
{
    const TCdToc toc = DiscToc();
    int64_t frame = device_->Position();
    if (frame >= toc.LeadOut || frame < toc.Tracks.front().Start || !toc.Tracks[TrackAt(toc, frame) - 1].Audio)
        frame = FirstAudioStart(toc);
    device_->Play(frame);
}

void TCdAudio::Stop()
{
    device_->Stop();
}

void TCdAudio::Rewind()
{
    device_->Seek(FirstAudioStart(DiscToc()));
}

void TCdAudio::Pause()
{
    const TCdMode mode = device_->Mode();
    if (mode == cdPlaying)
        device_->Pause();
    else if (mode == cdPaused)
        device_->Resume();
}

void TCdAudio::Resume()
{
    if (device_->Mode() == cdPaused)
        device_->Resume();
}

void TCdAudio::Next()
{
    const TCdToc toc = DiscToc();
    const int32_t count = static_cast<int32_t>(toc.Tracks.size());
    for (int32_t track = TrackAt(toc, device_->Position()) + 1; track <= count; ++track)
        if (toc.Tracks[track - 1].Audio) {
            MoveTo(toc.Tracks[track - 1].Start);
            return;
        }
}

void TCdAudio::Previous()
{
    const TCdToc toc = DiscToc();
    const int64_t frame = device_->Position();
    int32_t track = TrackAt(toc, frame);
    if (frame - toc.Tracks[track - 1].Start < CdFramesPerSecond) {
        for (int32_t before = track - 1; before >= 1; --before)
            if (toc.Tracks[before - 1].Audio) {
                track = before;
                break;
            }
    }
    MoveTo(toc.Tracks[track - 1].Start);
}

} // namespace platform
