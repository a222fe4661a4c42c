// The CD player's place and colour reach the settings file in one replacement of it.
#include "GameFixture.h"
#include "game/GameResources.h"
#include "game/TfrmCDPlayer.h"
#include "tests/support/CdAudioSimulated.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/SaveWatch.h"

#include <memory>

namespace {

using namespace game;

class CDPlayerSettingsSaveTest : public TGameTest {
protected:
    platform::TScopedFakeScreen screen;
};

TEST_F(CDPlayerSettingsSaveTest, ReplacesTheFileOnce)
{
    InitGameResources();
    Write("garvo.ini", "[General]\r\nLevel=1\r\n");
    TfrmCDPlayer form(std::make_unique<platform::TSimulatedCdDevice>());
    CDPlayerWindow = {30, 40, 0xFF};
    TFileWrites writes(Path(), "garvo.ini");
    form.SaveCDPlayerSettings(SettingsFilePath);
    EXPECT_EQ(writes.Count(), 1);
    EXPECT_EQ(Read("garvo.ini"),
              "[General]\r\nLevel=1\r\nCDPlayerWindow.Left=30\r\nCDPlayerWindow.Top=40\r\nCDPlayerWindow.FontColor=255\r\n");
}

} // namespace
