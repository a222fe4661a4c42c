#include "platform/Sound.h"

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

std::unique_ptr<TSoundPlayer>& CurrentPlayer()
{
    static std::unique_ptr<TSoundPlayer> current;
    return current;
}

TSoundPlayer& SoundPlayer()
{
    auto& current = CurrentPlayer();
    if (!current)
        current = std::make_unique<TQtSoundPlayer>();
    return *current;
}

} // namespace

std::unique_ptr<TSoundPlayer> SetSoundPlayer(std::unique_ptr<TSoundPlayer> player)
{
    return std::exchange(CurrentPlayer(), std::move(player));
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
