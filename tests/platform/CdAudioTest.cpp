#include "platform/BackendModule.h"
#include "platform/CdAudio.h"
#include "platform/CdAudioModule.h"
#include "platform/CdAudioLibcdio.h"
#include "platform/CdAudioPlayer.h"
#include "tests/support/CdAudioSimulated.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace platform;

namespace {

constexpr int64_t Second = CdFramesPerSecond;
constexpr int64_t Minute = 60 * Second;

TEST(CdTime, PackedValuesHoldTheirFieldsByteByByte)
{
    struct TCase {
        int32_t Track;
        int64_t Frames;
        uint8_t Minutes, Seconds, Rest;
    };
    const std::vector<TCase> cases{
        {1, 0, 0, 0, 0},
        {3, 1 * Minute + 2 * Second + 74, 1, 2, 74},
        {12, 59 * Second, 0, 59, 0},
        {99, 79 * Minute + 59 * Second + 1, 79, 59, 1},
        {2, 300 * Minute, 255, 0, 0}, // minutes past a byte are capped
        {4, -10, 0, 0, 0},            // a time before the track's start is its start
    };
    for (const TCase& c : cases) {
        const uint32_t tmsf = PackTmsf(c.Track, c.Frames);
        EXPECT_EQ(TmsfTrack(tmsf), c.Track) << c.Frames;
        EXPECT_EQ(TmsfMinutes(tmsf), c.Minutes) << c.Frames;
        EXPECT_EQ(TmsfSeconds(tmsf), c.Seconds) << c.Frames;
        EXPECT_EQ(TmsfFrames(tmsf), c.Rest) << c.Frames;
        const uint32_t msf = PackMsf(c.Frames);
        EXPECT_EQ(MsfMinutes(msf), c.Minutes) << c.Frames;
        EXPECT_EQ(MsfSeconds(msf), c.Seconds) << c.Frames;
        EXPECT_EQ(MsfFrames(msf), c.Rest) << c.Frames;
    }
    EXPECT_EQ(PackTmsf(3, 1 * Minute + 2 * Second + 5), 0x05020103u);
    EXPECT_EQ(PackMsf(4 * Minute + 5 * Second), 0x000504u);
}

TEST(CdTime, FramesAndMillisecondsRoundToTheNearest)
{
    const std::vector<std::pair<int64_t, int64_t>> framesToMs{
        {0, 0}, {1, 13}, {2, 27}, {3, 40}, {75, 1000}, {150, 2000}, {-2, -27}};
    for (const auto& [frames, ms] : framesToMs)
        EXPECT_EQ(FramesToMs(frames), ms) << frames;
    const std::vector<std::pair<int64_t, int64_t>> msToFrames{{0, 0}, {6, 0}, {7, 1}, {5000, 375}, {-5000, -375}};
    for (const auto& [ms, frames] : msToFrames)
        EXPECT_EQ(MsToFrames(ms), frames) << ms;
    for (int64_t frames = 0; frames < 3 * Second; ++frames)
        EXPECT_EQ(MsToFrames(FramesToMs(frames)), frames);
}

TEST(CdTime, TheDriveLabelIsTheDevicesName)
{
    EXPECT_EQ(DriveLabel("/dev/sr0"), "sr0");
    EXPECT_EQ(DriveLabel("/dev/cdrom"), "cdrom");
    EXPECT_EQ(DriveLabel("sr1"), "sr1");
}

// A player over a simulated drive holding a disc of three tracks: 4:05, 3:00 and 10 s.
class CdPlayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto device = std::make_unique<TSimulatedCdDevice>();
        drive = device.get();
        drive->SimulatedDrives.push_back({"/dev/sr0", true, TSimulatedCdDevice::AudioDisc({245, 180, 10})});
        player = std::make_unique<TCdAudio>(std::move(device));
        player->FileName = "/dev/sr0";
        player->Open();
    }

    int64_t TrackStart(int track) { return drive->Toc().Tracks[track - 1].Start; }
    uint8_t Track() { return TmsfTrack(player->PositionTmsf()); }

    TSimulatedCdDevice* drive;
    std::unique_ptr<TCdAudio> player;
};

TEST_F(CdPlayer, ReadsTheTracksAndTheirLengths)
{
    EXPECT_EQ(player->Tracks(), 3);
    EXPECT_EQ(player->TrackLengthMsf(1), PackMsf(4 * Minute + 5 * Second));
    EXPECT_EQ(player->TrackLengthMsf(3), PackMsf(10 * Second));
    for (const int32_t outside : {0, 4, -1})
        EXPECT_THROW(player->TrackLengthMsf(outside), ECdError) << outside;
}

TEST_F(CdPlayer, ThePositionCountsFromTheStartOfItsTrack)
{
    player->Play();
    drive->Advance(245'000 + 62'000);
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(2, 1 * Minute + 2 * Second));
    EXPECT_EQ(player->PositionMs(), FramesToMs(TrackStart(2)) + 62'000);
}

TEST_F(CdPlayer, PlayPauseStopAndRewindMoveThroughTheModes)
{
    EXPECT_EQ(player->Mode(), cdStopped);
    player->Pause(); // nothing to pause
    EXPECT_EQ(player->Mode(), cdStopped);
    player->Play();
    EXPECT_EQ(player->Mode(), cdPlaying);
    drive->Advance(3000);
    player->Pause();
    EXPECT_EQ(player->Mode(), cdPaused);
    drive->Advance(3000);
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(1, 3 * Second));
    player->Pause(); // a second press plays on
    EXPECT_EQ(player->Mode(), cdPlaying);
    player->Pause();
    player->Resume();
    EXPECT_EQ(player->Mode(), cdPlaying);
    player->Stop();
    EXPECT_EQ(player->Mode(), cdStopped);
    player->Resume(); // a stopped disc stays stopped
    EXPECT_EQ(player->Mode(), cdStopped);
    player->Rewind();
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(1, 0));
}

TEST_F(CdPlayer, ADiscPlayedToItsEndStopsThereAndStartsAgainFromTheTop)
{
    player->Play();
    drive->Advance(10 * 60'000);
    EXPECT_EQ(player->Mode(), cdStopped);
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(3, 10 * Second));
    player->Play();
    EXPECT_EQ(player->Mode(), cdPlaying);
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(1, 0));
}

TEST_F(CdPlayer, NextAndPreviousStayWithinTheDisc)
{
    struct TCase {
        const char* What;
        int StartTrack;
        int64_t IntoTrackMs;
        bool Next;
        int ExpectedTrack;
        int64_t ExpectedIntoTrack;
    };
    const std::vector<TCase> cases{
        {"next from the first", 1, 10'000, true, 2, 0},
        {"next on the last stays where it is", 3, 2'000, true, 3, 2 * Second},
        {"previous well into a track restarts it", 2, 10'000, false, 2, 0},
        {"previous at a track's start goes back one", 2, 500, false, 1, 0},
        {"previous at the first track's start stays", 1, 0, false, 1, 0},
    };
    for (const TCase& c : cases) {
        player->Stop();
        player->SetPositionMs(FramesToMs(TrackStart(c.StartTrack)) + c.IntoTrackMs);
        if (c.Next)
            player->Next();
        else
            player->Previous();
        EXPECT_EQ(player->PositionTmsf(), PackTmsf(c.ExpectedTrack, c.ExpectedIntoTrack)) << c.What;
        EXPECT_EQ(player->Mode(), cdStopped) << c.What;
    }
}

TEST_F(CdPlayer, MovingKeepsAPlayingDiscPlayingAndAPausedOnePaused)
{
    player->Play();
    player->Next();
    EXPECT_EQ(player->Mode(), cdPlaying);
    EXPECT_EQ(Track(), 2);
    player->Pause();
    player->SetPositionMs(player->PositionMs() + 5000);
    EXPECT_EQ(player->Mode(), cdPaused);
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(2, 5 * Second));
}

TEST_F(CdPlayer, FastMovesStopAtTheEdgesOfTheDisc)
{
    player->SetPositionMs(-5000);
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(1, 0));
    player->SetPositionMs(FramesToMs(TrackStart(3)) + 8000);
    player->Play();
    player->SetPositionMs(player->PositionMs() + 5000);
    EXPECT_EQ(player->Mode(), cdStopped);
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(3, 10 * Second));
}

TEST_F(CdPlayer, AMixedDiscPlaysItsAudioTracksOnly)
{
    TCdToc mixed = TSimulatedCdDevice::AudioDisc({600, 60, 60});
    mixed.Tracks[0].Audio = false;
    drive->Insert("/dev/sr0", mixed);
    player->Play();
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(2, 0));
    player->Previous();
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(2, 0));
    player->Stop();
    player->Rewind();
    EXPECT_EQ(player->PositionTmsf(), PackTmsf(2, 0));
}

TEST_F(CdPlayer, ADriveWithoutADiscIsOpenAndAnswersNoDiscQuestions)
{
    player->Eject();
    EXPECT_EQ(player->Mode(), cdOpen);
    EXPECT_THROW(player->Tracks(), ECdError);
    EXPECT_THROW(player->PositionTmsf(), ECdError);
    EXPECT_THROW(player->Play(), ECdError);
}

TEST_F(CdPlayer, ADriveThatVanishesMidPlayIsNotReady)
{
    player->Play();
    drive->Vanish();
    EXPECT_EQ(player->Mode(), cdNotReady);
    EXPECT_THROW(player->Tracks(), ECdError);
    EXPECT_THROW(player->Next(), ECdError);
    EXPECT_THROW(player->Open(), ECdError);
    EXPECT_TRUE(player->Drives().empty());
}

// The fault Command raised, so that a window can say it in its own language; none when it ran.
std::optional<TCdFault> FaultOf(const std::function<void()>& command)
{
    try {
        command();
    } catch (const ECdError& error) {
        return error.Fault;
    }
    return std::nullopt;
}

// The libcdio device itself, and the machine's device as the programs get it: through the CD
// audio module, which this test program holds.
TEST(CdDrives, WithoutADriveTheMachinesPlayerIsNotReady)
{
    std::vector<std::unique_ptr<TCdDevice>> devices;
    devices.push_back(std::make_unique<TLibcdioCdDevice>());
    devices.push_back(NewCdDevice());
    for (const std::unique_ptr<TCdDevice>& device : devices) {
        EXPECT_FALSE(device->IsOpen());
        EXPECT_EQ(device->Mode(), cdNotReady);
        EXPECT_EQ(FaultOf([&] { device->Open("/nonexistent/sr9"); }), TCdFault::CannotOpen);
        EXPECT_EQ(device->Mode(), cdNotReady);
        EXPECT_EQ(FaultOf([&] { device->Toc(); }), TCdFault::NoDriveOpen);
        EXPECT_EQ(FaultOf([&] { device->Eject(); }), TCdFault::NoDriveOpen);
        EXPECT_EQ(FaultOf([&] { device->Play(0); }), TCdFault::NoDriveOpen);
        EXPECT_EQ(device->DrivePresent(), devices.front()->DrivePresent());
    }
}

TEST(CdDrives, TheMachinesDevicePlaysThroughTheModule)
{
    const auto newDevice = reinterpret_cast<TNewCdDevice>(BackendEntry(CdAudioModule, NewCdDeviceEntry));
    ASSERT_NE(newDevice, nullptr);
    const std::unique_ptr<TCdDevice> device(newDevice());
    EXPECT_NE(dynamic_cast<TLibcdioCdDevice*>(device.get()), nullptr);
    EXPECT_EQ(BackendEntry("garvo_absent", NewCdDeviceEntry), nullptr);
    EXPECT_EQ(BackendEntry(CdAudioModule, "garvo_absent"), nullptr);
}

} // namespace
