#include "platform/SoundMultimedia.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

TMultimediaSoundOutput::~TMultimediaSoundOutput()
{
    delete effect_.data();
}

bool TMultimediaSoundOutput::Present() const
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

void TMultimediaSoundOutput::Play(const QString& path)
{
    if (!effect_)
        effect_ = new QSoundEffect(QCoreApplication::instance());
    effect_->setSource(QUrl::fromLocalFile(path));
    effect_->play();
}

void TMultimediaSoundOutput::Stop()
{
    if (effect_)
        effect_->stop();
}

} // namespace platform

platform::TSoundOutput* garvo_new_sound_output()
{
    return new platform::TMultimediaSoundOutput;
}
