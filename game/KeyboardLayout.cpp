#include "game/KeyboardLayout.h"

#include "game/globalDefs.h"

namespace game {

std::array<std::string_view, 3> KeyboardRows(int32_t layout)
{
    switch (layout) {
    case KeyboardAzerty:
        return {"azertyuiop", "qsdfghjklm", "wxcvbn"};
    case KeyboardQwerty:
        return {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    default:
        return {"abcdefghij", "klmnopqrst", "uvwxyz"};
    }
}

std::array<TKeyPlacement, 26> ArrangeKeyboard(int32_t layout)
{
    KeySlots.fill(TKeySlot{});
    std::array<TKeyPlacement, 26> placements;
    const std::array<std::string_view, 3> rows = KeyboardRows(layout);
    size_t key = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t k = 0; k < rows[row].size(); ++k, ++key) {
            TKeyPlacement& placement = placements[key];
            placement.Letter = rows[row][k];
            placement.Slot = static_cast<int32_t>(key) + 1;
            placement.Left = KeyRowLeft + KeyStep * static_cast<int32_t>(k);
            placement.Top = KeyRowTops[row];
            placement.TabOrder = placement.Slot - 1;
            KeySlots[static_cast<size_t>(placement.Slot)] = {placement.Left, placement.Top};
        }
    }
    return placements;
}

} // namespace game
