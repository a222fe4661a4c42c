#pragma once
// Short wave sounds of the game: played from files, asynchronously, one at a time. A missing
// file or a machine without an audio output plays nothing and reports nothing.
#include <memory>
#include <string>

class QString;

namespace platform {

class TSoundPlayer {
public:
    virtual ~TSoundPlayer() = default;
    // Stops the sound playing, then starts FileName (a Windows-1252 path) without waiting.
    virtual void PlaySound(const std::string& fileName) = 0;
    virtual void PurgeSounds() = 0; // stops the sound playing, if any
    virtual bool HasWaveDevice() const = 0;
};

// The player of the process: Qt's unless one was set. SetSoundPlayer returns the previous one;
// setting nullptr brings back Qt's.
std::unique_ptr<TSoundPlayer> SetSoundPlayer(std::unique_ptr<TSoundPlayer> player);

void PlaySound(const std::string& fileName);
void PurgeSounds();
bool HasWaveDevice();

// The audio output of the sound module (libgarvo_sound.so, Qt Multimedia), loaded on the first
// sound: one sound at a time, from a file that exists.
class TSoundOutput {
public:
    virtual ~TSoundOutput() = default;
    virtual bool Present() const = 0; // the machine has an audio output
    virtual void Play(const QString& path) = 0;
    virtual void Stop() = 0;
};

// The module's entry: makes its output; the caller owns it.
using TNewSoundOutput = TSoundOutput* (*)();
constexpr const char* SoundModule = "garvo_sound";
constexpr const char* NewSoundOutputEntry = "garvo_new_sound_output";

// Plays through the sound module; without it the machine has no audio output.
class TQtSoundPlayer : public TSoundPlayer {
public:
    TQtSoundPlayer() = default;
    TQtSoundPlayer(const TQtSoundPlayer&) = delete;
    TQtSoundPlayer& operator=(const TQtSoundPlayer&) = delete;
    ~TQtSoundPlayer() override;

    void PlaySound(const std::string& fileName) override;
    void PurgeSounds() override;
    bool HasWaveDevice() const override;

private:
    // Null when the module cannot be loaded.
    TSoundOutput* Output() const;

    mutable std::unique_ptr<TSoundOutput> output_;
    mutable bool loaded_ = false;
};

} // namespace platform
