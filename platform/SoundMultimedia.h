#pragma once
// The sound module's audio output: Qt Multimedia's sound effect, one for the process.
#include "platform/Sound.h"

#include <QPointer>

class QSoundEffect;

namespace platform {

class TMultimediaSoundOutput : public TSoundOutput {
public:
    TMultimediaSoundOutput() = default;
    TMultimediaSoundOutput(const TMultimediaSoundOutput&) = delete;
    TMultimediaSoundOutput& operator=(const TMultimediaSoundOutput&) = delete;
    ~TMultimediaSoundOutput() override;

    bool Present() const override;
    void Play(const QString& path) override;
    void Stop() override;

private:
    // Made on the first sound and owned by the application object too, so that it never
    // outlives the audio back end when the player is a process-wide object.
    QPointer<QSoundEffect> effect_;
};

} // namespace platform

extern "C" platform::TSoundOutput* garvo_new_sound_output();
