#pragma once
// Places of the 26 letter keys in three rows, in the order of an AZERTY, a QWERTY or an
// alphabetical keyboard. The main window moves its key buttons to the places given here.
#include <array>
#include <cstdint>
#include <string_view>

namespace game {

constexpr int32_t KeyRowLeft = 26;
constexpr int32_t KeyStep = 48;
constexpr std::array<int32_t, 3> KeyRowTops{488, 520, 552};

// Where one letter key goes.
struct TKeyPlacement {
    char Letter = 0;      // a..z, also the key's tag
    int32_t Slot = 0;     // 1..30 in KeySlots
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t TabOrder = 0; // Slot - 1: the tab order runs along the rows
};

// The letters of each row, top row first: 1 AZERTY, 2 QWERTY, any other layout alphabetical.
std::array<std::string_view, 3> KeyboardRows(int32_t layout);

// Fills KeySlots for Layout and gives each key's placement, in slot order.
std::array<TKeyPlacement, 26> ArrangeKeyboard(int32_t layout);

} // namespace game
