#pragma once
// The CD player's commands in the terms of a media-player control: a drive opened by name,
// positions as packed track/minute/second/frame values or milliseconds, and the buttons' moves
// (play, stop, rewind, pause, next, previous, eject). It keeps every track number and position
// it hands to the drive inside the disc.
#include "platform/CdAudio.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

class TCdAudio {
public:
    explicit TCdAudio(std::unique_ptr<TCdDevice> device);

    // The drive Open opens.
    std::string FileName;

    std::vector<std::string> Drives() { return device_->Drives(); }
    void Open() { device_->Open(FileName); } // raises ECdError
    bool IsOpen() const { return device_->IsOpen(); }
    TCdMode Mode() { return device_->Mode(); }

    // These raise ECdError when there is no disc or the drive fails.
    int32_t Tracks();
    // The current track and the time into it; a position before the first track is its start.
    uint32_t PositionTmsf();
    // Milliseconds from the start of the disc.
    int64_t PositionMs();
    // Moves within the disc (from the first track's start to its end), playing on from there
    // when the disc was playing.
    void SetPositionMs(int64_t ms);
    // Minutes, seconds and frames of Track (1..Tracks).
    uint32_t TrackLengthMsf(int32_t track);

    // From the current position; a disc at its end starts again from its first audio track.
    void Play();
    void Stop();
    // To the start of the first audio track.
    void Rewind();
    // Pauses a playing disc, plays a paused one on; nothing otherwise.
    void Pause();
    // Plays a paused disc on; nothing otherwise.
    void Resume();
    // The start of the next audio track; nothing on the last.
    void Next();
    // The start of the current track, or of the previous audio track when the position is in
    // the first second of its track.
    void Previous();
    void Eject() { device_->Eject(); }

private:
    // The track holding Frame (1-based), 1 before the first track.
    static int32_t TrackAt(const TCdToc& toc, int64_t frame);
    static int64_t FirstAudioStart(const TCdToc& toc);
    TCdToc DiscToc();
    // Moves to Frame, playing on when the disc plays.
    void MoveTo(int64_t frame);

    std::unique_ptr<TCdDevice> device_;
};

} // namespace platform
