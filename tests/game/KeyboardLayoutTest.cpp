#include "game/KeyboardLayout.h"
#include "game/globalDefs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace game;

namespace {

struct TKeyCase {
    int32_t layout;
    char letter;
    int32_t left;
    int32_t top;
    int32_t tabOrder;
};

const TKeyPlacement& PlacementOf(const std::array<TKeyPlacement, 26>& placements, char letter)
{
    return *std::find_if(placements.begin(), placements.end(), [&](const TKeyPlacement& p) { return p.Letter == letter; });
}

TEST(KeyboardLayoutTest, KeysTakeTheirLayoutsPlaces)
{
    const TKeyCase cases[] = {
        {KeyboardAzerty, 'a', 26, 488, 0},  {KeyboardAzerty, 'p', 458, 488, 9},  {KeyboardAzerty, 'm', 458, 520, 19},
        {KeyboardAzerty, 'w', 26, 552, 20}, {KeyboardAzerty, 'n', 266, 552, 25}, {KeyboardQwerty, 'q', 26, 488, 0},
        {KeyboardQwerty, 'l', 410, 520, 18}, {KeyboardQwerty, 'z', 26, 552, 19}, {KeyboardQwerty, 'm', 314, 552, 25},
        {0, 'a', 26, 488, 0},               {0, 'k', 26, 520, 10},              {0, 'z', 266, 552, 25},
        {7, 'z', 266, 552, 25},             {-1, 'j', 458, 488, 9},
    };
    for (const TKeyCase& c : cases) {
        const std::array<TKeyPlacement, 26> placements = ArrangeKeyboard(c.layout);
        const TKeyPlacement& key = PlacementOf(placements, c.letter);
        EXPECT_EQ(key.Left, c.left) << "layout " << c.layout << " key " << c.letter;
        EXPECT_EQ(key.Top, c.top) << "layout " << c.layout << " key " << c.letter;
        EXPECT_EQ(key.TabOrder, c.tabOrder) << "layout " << c.layout << " key " << c.letter;
        EXPECT_EQ(KeySlots[static_cast<size_t>(key.Slot)].X, c.left);
        EXPECT_EQ(KeySlots[static_cast<size_t>(key.Slot)].Y, c.top);
    }
}

TEST(KeyboardLayoutTest, EveryLayoutPlacesEachLetterOnce)
{
    for (int32_t layout : {KeyboardAlphabetical, KeyboardAzerty, KeyboardQwerty}) {
        std::string letters;
        for (const TKeyPlacement& key : ArrangeKeyboard(layout))
            letters += key.Letter;
        std::sort(letters.begin(), letters.end());
        EXPECT_EQ(letters, "abcdefghijklmnopqrstuvwxyz") << "layout " << layout;
        EXPECT_EQ(KeySlots[27].X, 0) << "only 26 of the 30 slots are used";
    }
}

} // namespace
