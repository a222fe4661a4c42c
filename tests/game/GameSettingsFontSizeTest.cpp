// The type sizes read from the settings: kept as written, but never one that draws no text or
// the view's page too small to read.
#include "GameFixture.h"

#include "game/GameSettings.h"
#include "game/globalDefs.h"

#include <gtest/gtest.h>

#include <string>

using namespace game;

namespace {

class FontSizeSettings : public TGameTest {
protected:
    // Reads a settings file whose section "General" holds Line; answers the view's text size.
    int32_t LoadWith(const std::string& line)
    {
        Write("garvo.ini", "[General]\r\n" + line + "\r\n");
        int32_t defFontSize = 0;
        LoadGameOptions({1024, 768, 800, 600}, defFontSize);
        return defFontSize;
    }
};

TEST_F(FontSizeSettings, TheZoomSizeIsKeptDownToOnePoint)
{
    const struct {
        const char* Value;
        int32_t Expected;
    } cases[] = {
        {"-7", 1}, {"0", 1}, {"1", 1}, {"8", 8}, {"19", 19}, {"120", 120}, {"121", 120},
    };
    for (const auto& c : cases) {
        LoadWith(std::string("ZoomWindow.FontSize=") + c.Value);
        EXPECT_EQ(ZoomFontSize, c.Expected) << c.Value;
    }
}

TEST_F(FontSizeSettings, TheViewSizeIsKeptFromEightUp)
{
    const struct {
        const char* Value;
        int32_t Expected;
    } cases[] = {
        {"-3", 8}, {"0", 8}, {"7", 8}, {"8", 8}, {"31", 31}, {"33", 33}, {"48", 48},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadWith(std::string("DefFontSize=") + c.Value), c.Expected) << c.Value;
}

} // namespace
