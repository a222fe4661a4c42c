#include "platform/BackendModule.h"
#include "platform/Sound.h"
#include "platform/SoundMultimedia.h"
#include "tests/support/FakeSound.h"
#include "TestFolder.h"

#include <QCoreApplication>
#include <QSoundEffect>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstdint>

using namespace platform;

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

// A tenth of a second of a square wave, 8-bit mono PCM at 8000 Hz.
std::string ToneWav()
{
    const uint32_t samples = 800;
    std::string wav = "RIFF";
    PutLittleEndian(wav, 36 + samples, 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, 1, 2);    // PCM
    PutLittleEndian(wav, 1, 2);    // mono
    PutLittleEndian(wav, 8000, 4); // samples per second
    PutLittleEndian(wav, 8000, 4); // bytes per second
    PutLittleEndian(wav, 1, 2);    // block size
    PutLittleEndian(wav, 8, 2);    // bits per sample
    wav += "data";
    PutLittleEndian(wav, samples, 4);
    for (uint32_t i = 0; i < samples; ++i)
        wav.push_back(static_cast<char>(i / 20 % 2 ? 0xC0 : 0x40));
    return wav;
}

QList<QSoundEffect*> Effects()
{
    return QCoreApplication::instance()->findChildren<QSoundEffect*>();
}

} // namespace

TEST(Sound, RequestsReachTheInstalledPlayerAndThePreviousOneComesBack)
{
    TScopedFakeSound outer;
    {
        TScopedFakeSound inner;
        inner->WaveDevice = false;
        PlaySound("Sons\\key_success.wav");
        PlaySound("Sons\\fail.wav");
        PurgeSounds();
        EXPECT_FALSE(HasWaveDevice());
        EXPECT_EQ(inner->Played, (std::vector<std::string>{"Sons\\key_success.wav", "Sons\\fail.wav"}));
        EXPECT_EQ(inner->Purges, 1);
    }
    PlaySound("success.wav");
    EXPECT_TRUE(HasWaveDevice());
    EXPECT_EQ(outer->Played, std::vector<std::string>{"success.wav"});
    EXPECT_EQ(outer->Purges, 0);
}

TEST(Sound, TheModuleMakesTheAudioOutput)
{
    const auto newOutput = reinterpret_cast<TNewSoundOutput>(BackendEntry(SoundModule, NewSoundOutputEntry));
    ASSERT_EQ(newOutput, &garvo_new_sound_output);
    const std::unique_ptr<TSoundOutput> output(newOutput());
    EXPECT_EQ(output->Present(), TQtSoundPlayer().HasWaveDevice());
}

TEST(Sound, QtPlayerIsSilentForAMissingFile)
{
    TTestFolder folder;
    TQtSoundPlayer player;
    EXPECT_NO_THROW(player.PlaySound(folder.Path("absent.wav")));
    EXPECT_NO_THROW(player.PlaySound(""));
    EXPECT_NO_THROW(player.PurgeSounds());
    EXPECT_TRUE(Effects().isEmpty());
}

TEST(Sound, QtPlayerPlaysAWaveFileNamedTheWindowsWay)
{
    TTestFolder folder;
    folder.WriteRaw("tone.wav", ToneWav());
    {
        TQtSoundPlayer player;
        // Written with a backslash and another letter case, as settings files name sounds.
        const std::string path = folder.Path() + "Sons\\..\\TONE.WAV";
        EXPECT_NO_THROW(player.PlaySound(path));
        const QList<QSoundEffect*> effects = Effects();
        if (player.HasWaveDevice()) {
            ASSERT_EQ(effects.size(), 1);
            EXPECT_EQ(effects.front()->source(), QUrl::fromLocalFile(QString::fromStdString(folder.Path("tone.wav"))));
            EXPECT_NO_THROW(player.PlaySound(path)); // the same sound again starts afresh
            EXPECT_EQ(Effects().size(), 1);
        } else {
            EXPECT_TRUE(effects.isEmpty()); // no audio output: nothing is even loaded
        }
        EXPECT_NO_THROW(player.PurgeSounds());
    }
    EXPECT_TRUE(Effects().isEmpty()); // the player takes its sound effect with it
}
