#include "platform/Sound.h"

#include "platform/ServiceSlot.h"
#include "platform/Shell.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <utility>

namespace platform {
namespace {

using TSoundPlayerSlot = TServiceSlot<TSoundPlayer, TQtSoundPlayer>;

TSoundPlayer& SoundPlayer()
{
    return TSoundPlayerSlot::Get();
}

} // namespace

std::unique_ptr<TSoundPlayer> SetSoundPlayer(std::unique_ptr<TSoundPlayer> player)
{
    return TSoundPlayerSlot::Install(std::move(player));
}

void PlaySound(const std::string& fileName)
{
    SoundPlayer().PlaySound(fileName);
}

void PurgeSounds()
{
    SoundPlayer().PurgeSounds();
}

bool HasWaveDevice()
{
    return SoundPlayer().HasWaveDevice();
}

TQtSoundPlayer::~TQtSoundPlayer()
{
    delete effect_.data();
}

void TQtSoundPlayer::PlaySound(const std::string& fileName)
{
    PurgeSounds();
    const QString path = QtFileName(fileName);
    if (!QFileInfo(path).isFile() || !QCoreApplication::instance() || !HasWaveDevice())
        return;
    if (!effect_)
        effect_ = new QSoundEffect(QCoreApplication::instance());
    effect_->setSource(QUrl::fromLocalFile(path));
    effect_->play();
}

void TQtSoundPlayer::PurgeSounds()
{
    if (effect_)
        effect_->stop();
}

bool TQtSoundPlayer::HasWaveDevice() const
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

} // namespace platform
