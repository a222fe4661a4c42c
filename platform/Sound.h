#pragma once
// Short wave sounds of the game: played from files, asynchronously, one at a time. A missing
// file or a machine without an audio output plays nothing and reports nothing.
#include <QPointer>

#include <memory>
#include <string>

class QSoundEffect;

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
    // Made on the first sound and owned by the application object too, so that it never
    // outlives the audio back end when this player is a process-wide object.
    QPointer<QSoundEffect> effect_;
};

} // namespace platform
