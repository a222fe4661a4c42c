#pragma once
// Audio CDs: the modes a drive reports, positions in frames, the packed track/minute/second/frame
// values the CD player shows, and the interface every drive backend offers (the real drives
// through libcdio, a simulated one for tests).
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// What a drive is doing; the values index the player's status texts.
enum TCdMode : int32_t {
    cdNotReady = 0, // no drive, or a drive that does not answer
    cdStopped = 1,
    cdPlaying = 2,
    cdRecording = 3,
    cdSeeking = 4,
    cdPaused = 5,
    cdOpen = 6, // door open or no disc
};

// A drive that cannot be opened, a disc that is gone, a command the drive refuses. The fault
// lets a window say it in its own language; Detail names the drive, the command or the track.
enum class TCdFault { NoSupport, NoDriveOpen, NoDisc, NoAnswer, CannotOpen, Refused, UnreadableToc, NoTrack };

class ECdError : public std::runtime_error {
public:
    // Inline: the drive modules raise it without linking the rest of this layer.
    explicit ECdError(TCdFault fault, const std::string& detail = std::string())
        : std::runtime_error(FaultText(fault, detail)), Fault(fault), Detail(detail)
    {
    }

    TCdFault Fault;
    std::string Detail;

private:
    static std::string FaultText(TCdFault fault, const std::string& detail)
    {
        switch (fault) {
        case TCdFault::NoSupport: return "no CD audio support";
        case TCdFault::NoDriveOpen: return "no drive is open";
        case TCdFault::NoDisc: return "no disc";
        case TCdFault::NoAnswer: return "the drive does not answer";
        case TCdFault::CannotOpen: return "cannot open " + detail;
        case TCdFault::Refused: return "the drive refused to " + detail;
        case TCdFault::UnreadableToc: return "unreadable table of contents";
        case TCdFault::NoTrack: return "no track " + detail;
        }
        return detail;
    }
};

constexpr int64_t CdFramesPerSecond = 75;
// The first track of a disc starts 2 seconds in.
constexpr int64_t CdPregapFrames = 2 * CdFramesPerSecond;

// Track, minutes, seconds and frames packed into bytes 0..3 (track in the low byte); a length
// packs minutes, seconds and frames into bytes 0..2. Fields that do not fit a byte are capped.
uint32_t PackTmsf(int32_t track, int64_t frames);
uint32_t PackMsf(int64_t frames);
constexpr uint8_t TmsfTrack(uint32_t tmsf) { return tmsf & 0xFF; }
constexpr uint8_t TmsfMinutes(uint32_t tmsf) { return (tmsf >> 8) & 0xFF; }
constexpr uint8_t TmsfSeconds(uint32_t tmsf) { return (tmsf >> 16) & 0xFF; }
constexpr uint8_t TmsfFrames(uint32_t tmsf) { return (tmsf >> 24) & 0xFF; }
constexpr uint8_t MsfMinutes(uint32_t msf) { return msf & 0xFF; }
constexpr uint8_t MsfSeconds(uint32_t msf) { return (msf >> 8) & 0xFF; }
constexpr uint8_t MsfFrames(uint32_t msf) { return (msf >> 16) & 0xFF; }

// Frames and milliseconds, each rounded to the nearest, so that a frame count survives the
// round trip through milliseconds.
int64_t FramesToMs(int64_t frames);
int64_t MsToFrames(int64_t ms);

// The table of contents: where each track starts (frames from the start of the disc, 1-based
// tracks at index 0..), whether it holds audio, and where the disc ends.
struct TCdTrack {
    int64_t Start = 0;
    bool Audio = true;
};
struct TCdToc {
    std::vector<TCdTrack> Tracks;
    int64_t LeadOut = 0;
};

// One drive at a time, opened by name. Positions are frames from the start of the disc.
class TCdDevice {
public:
    virtual ~TCdDevice() = default;
    // The optical drives, in the order they are searched.
    virtual std::vector<std::string> Drives() = 0;
    // Whether the machine shows an optical drive at all, without opening one: cheap enough for
    // deciding at start whether the CD player is offered.
    virtual bool DrivePresent() = 0;
    // Opens Drive in place of the drive open so far; raises ECdError when it cannot be opened.
    virtual void Open(const std::string& drive) = 0;
    virtual bool IsOpen() const = 0;
    // Never raises: a drive that is not open or does not answer is not ready.
    virtual TCdMode Mode() = 0;
    // The rest raise ECdError when there is no disc or the drive fails.
    virtual TCdToc Toc() = 0;
    virtual int64_t Position() = 0;
    // Plays from Frame to the end of the disc.
    virtual void Play(int64_t frame) = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // Moves a stopped or paused disc to Frame; a paused disc resumes from there.
    virtual void Seek(int64_t frame) = 0;
    virtual void Eject() = 0;
};

// The drive's short name for the player's drive label ("sr0" for "/dev/sr0").
std::string DriveLabel(const std::string& drive);

// Makes the device NewCdDevice returns.
using TCdDeviceMaker = std::function<std::unique_ptr<TCdDevice>()>;

// The machine's drives (libcdio), or a device of the maker set in their place.
std::unique_ptr<TCdDevice> NewCdDevice();
// Puts Maker in place of the machine's drives and returns the maker it replaces; an empty maker
// brings the machine's drives back.
TCdDeviceMaker SetCdDeviceMaker(TCdDeviceMaker maker);

} // namespace platform
