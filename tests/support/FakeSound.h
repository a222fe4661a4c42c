#pragma once
// A sound player for tests: records what the program asked to play, plays nothing.
#include "platform/Sound.h"
#include "tests/support/FakeService.h"

#include <string>
#include <vector>

namespace platform {

class TFakeSoundPlayer : public TSoundPlayer {
public:
    void PlaySound(const std::string& fileName) override { Played.push_back(fileName); }
    void PurgeSounds() override { ++Purges; }
    bool HasWaveDevice() const override { return WaveDevice; }

    bool WaveDevice = true;
    std::vector<std::string> Played; // file names, in order
    int Purges = 0;
};

using TScopedFakeSound = TScopedFake<TFakeSoundPlayer, TSoundPlayer, &SetSoundPlayer>;

} // namespace platform
