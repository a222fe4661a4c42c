#include "platform/CdAudioLibcdio.h"

#include "platform/CdAudioDrivePresence.h"

// cdio.h declares the types the other headers use.
#include <cdio/cdio.h>
#include <cdio/audio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>


namespace platform {

TLibcdioCdDevice::TLibcdioCdDevice()
{
    // A drive that is missing or empty is an answer, not something to print.
    cdio_loglevel_default = CDIO_LOG_ERROR;
}

TLibcdioCdDevice::~TLibcdioCdDevice()
{
    Close();
}

void TLibcdioCdDevice::Close()
{
    if (cdio_ != nullptr)
        cdio_destroy(cdio_);
    cdio_ = nullptr;
}

void TLibcdioCdDevice::Check(int result, const char* what)
{
    if (result != DRIVER_OP_SUCCESS)
        throw ECdError(TCdFault::Refused, what);
}

std::vector<std::string> TLibcdioCdDevice::Drives()
{
    std::vector<std::string> drives;
    char** list = cdio_get_devices(DRIVER_DEVICE);
    if (list == nullptr)
        return drives;
    for (char** each = list; *each != nullptr; ++each)
        drives.emplace_back(*each);
    cdio_free_device_list(list);
    return drives;
}

bool TLibcdioCdDevice::DrivePresent()
{
    return OpticalDrivePresent();
}

void TLibcdioCdDevice::Open(const std::string& drive)
{
    Close();
    drive_ = drive;
    started_ = false;
    stoppedAt_ = 0;
    pausedAt_.reset();
    cdio_ = cdio_open(drive.c_str(), DRIVER_DEVICE);
    if (cdio_ == nullptr)
        throw ECdError(TCdFault::CannotOpen, drive);
    // The drive may have been left playing by an earlier run.
    if (const auto status = ReadStatus()) {
        stoppedAt_ = status->Frame;
        started_ = status->Mode != cdStopped;
    }
}

bool TLibcdioCdDevice::DiscChanged()
{
    return cdio_get_media_changed(cdio_) == 1;
}

_CdIo* TLibcdioCdDevice::Disc()
{
    if (cdio_ == nullptr)
        throw ECdError(TCdFault::NoDriveOpen);
    // The drive's table of contents is read once per handle: a new disc needs a new one.
    if (DiscChanged()) {
        const std::string drive = drive_;
        Open(drive);
    }
    if (cdio_get_num_tracks(cdio_) == CDIO_INVALID_TRACK)
        throw ECdError(TCdFault::NoDisc);
    return cdio_;
}

std::optional<TLibcdioCdDevice::TAudioStatus> TLibcdioCdDevice::ReadStatus()
{
    cdio_subchannel_t subchannel{};
    if (cdio_audio_read_subchannel(cdio_, &subchannel) != DRIVER_OP_SUCCESS)
        return std::nullopt;
    const int64_t frame = cdio_msf_to_lba(&subchannel.abs_addr);
    switch (subchannel.audio_status) {
    case CDIO_MMC_READ_SUB_ST_PLAY:
        return TAudioStatus{cdPlaying, frame};
    case CDIO_MMC_READ_SUB_ST_PAUSED:
        return TAudioStatus{cdPaused, frame};
    default:
        return TAudioStatus{cdStopped, frame};
    }
}

TLibcdioCdDevice::TAudioStatus TLibcdioCdDevice::Status()
{
    _CdIo* disc = Disc();
    const auto status = ReadStatus();
    if (!status)
        throw ECdError(TCdFault::NoAnswer);
    if (status->Mode != cdStopped)
        return *status;
    if (started_) {
        // Playback ran to the end of the disc.
        started_ = false;
        stoppedAt_ = cdio_get_track_lba(disc, CDIO_CDROM_LEADOUT_TRACK);
    }
    return {cdStopped, stoppedAt_};
}

TCdMode TLibcdioCdDevice::Mode()
{
    if (cdio_ == nullptr)
        return cdNotReady;
    try {
        Disc();
    } catch (const ECdError&) {
        return cdio_ == nullptr ? cdNotReady : cdOpen;
    }
    try {
        return Status().Mode;
    } catch (const ECdError&) {
        return cdNotReady;
    }
}

TCdToc TLibcdioCdDevice::Toc()
{
    _CdIo* disc = Disc();
    TCdToc toc;
    const track_t first = cdio_get_first_track_num(disc);
    const track_t count = cdio_get_num_tracks(disc);
    if (first == CDIO_INVALID_TRACK)
        throw ECdError(TCdFault::UnreadableToc);
    for (track_t track = first; track < first + count; ++track)
        toc.Tracks.push_back({cdio_get_track_lba(disc, track), cdio_get_track_format(disc, track) == TRACK_FORMAT_AUDIO});
    toc.LeadOut = cdio_get_track_lba(disc, CDIO_CDROM_LEADOUT_TRACK);
    return toc;
}

int64_t TLibcdioCdDevice::Position()
{
    const TAudioStatus status = Status();
    if (status.Mode == cdPaused && pausedAt_)
        return *pausedAt_;
    return status.Frame;
}

void TLibcdioCdDevice::Play(int64_t frame)
{
    _CdIo* disc = Disc();
    msf_t start;
    msf_t end;
    cdio_lba_to_msf(static_cast<lba_t>(frame), &start);
    cdio_lba_to_msf(cdio_get_track_lba(disc, CDIO_CDROM_LEADOUT_TRACK), &end);
    Check(cdio_audio_play_msf(disc, &start, &end), "play");
    started_ = true;
    pausedAt_.reset();
}

void TLibcdioCdDevice::Stop()
{
    const int64_t frame = Position();
    Check(cdio_audio_stop(Disc()), "stop");
    started_ = false;
    stoppedAt_ = frame;
    pausedAt_.reset();
}

void TLibcdioCdDevice::Pause()
{
    Check(cdio_audio_pause(Disc()), "pause");
}

void TLibcdioCdDevice::Resume()
{
    if (pausedAt_) {
        Play(*pausedAt_);
        return;
    }
    Check(cdio_audio_resume(Disc()), "resume");
}

void TLibcdioCdDevice::Seek(int64_t frame)
{
    if (Status().Mode == cdPaused)
        pausedAt_ = frame;
    else
        stoppedAt_ = frame;
}

void TLibcdioCdDevice::Eject()
{
    if (cdio_ == nullptr)
        throw ECdError(TCdFault::NoDriveOpen);
    const std::string drive = drive_;
    Check(cdio_eject_media(&cdio_), "eject");
    // Ejecting frees the handle: the drive is opened again to report its open door.
    try {
        Open(drive);
    } catch (const ECdError&) {
        cdio_ = nullptr;
    }
}

} // namespace platform

platform::TCdDevice* garvo_new_cd_device()
{
    return new platform::TLibcdioCdDevice;
}
