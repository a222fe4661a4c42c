#include "platform/Sound.h"

#include "platform/BackendModule.h"
#include "platform/ServiceSlot.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QFileInfo>

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

TQtSoundPlayer::~TQtSoundPlayer() = default;

TSoundOutput* TQtSoundPlayer::Output() const
{
    if (!loaded_) {
        loaded_ = true;
        if (const auto newOutput = reinterpret_cast<TNewSoundOutput>(BackendEntry(SoundModule, NewSoundOutputEntry)))
            output_.reset(newOutput());
    }
    return output_.get();
}

void TQtSoundPlayer::PlaySound(const std::string& fileName)
{
    PurgeSounds();
    const QString path = QtFileName(fileName);
    if (!QFileInfo(path).isFile() || !QCoreApplication::instance() || !HasWaveDevice())
        return;
    output_->Play(path);
}

void TQtSoundPlayer::PurgeSounds()
{
    if (output_)
        output_->Stop();
}

bool TQtSoundPlayer::HasWaveDevice() const
{
    const TSoundOutput* output = Output();
    return output != nullptr && output->Present();
}

} // namespace platform
