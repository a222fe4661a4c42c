#pragma once
// Players of a game and the timed mode without their window: turn order, the score label, the
// one-second word timer's rule and the pictures of the time display.
#include "game/globalDefs.h"

#include <array>
#include <cstdint>
#include <string>

namespace game {

// The row whose words are counted now (Players[PlayerIndex]).
TScores& CurrentPlayer();

// A new game: player 1 first in a multi-player game, every player at 0 found of 0 played and the
// names back in the order of the settings; the single player at 0 of 0 otherwise.
void PlayersInitialize();

// The turn passes to the next player, after the last back to player 1 (multi-player mode only).
void PlayersSelectNext();

// "Mot trouvé : 1 / 3", or "Mots trouvés : ..." from 2 words found on.
std::string ScoreLabelText(const TScores& player);

// One second of the word timer, while a word is in play: the seconds left to show, and whether
// the time ran out, which leaves no try (ResultLevel 0). The time runs out on the tick after
// 00:00 was shown: a limit of 20 seconds on the 21st tick.
struct TTimerTick {
    int32_t SecondsLeft = 0;
    bool TimedOut = false;
};
TTimerTick WordTimerTick();

// The time display: five pictures of the digit list (0..9 the digits, 10 the colon) at these x.
constexpr int32_t CounterColonPicture = 10;
struct TCounterPicture {
    int32_t X = 0;
    int32_t Picture = 0;
};
// MM:SS for Seconds; a negative time shows 00:00, one past 99:59 shows 99:59.
std::array<TCounterPicture, 5> CounterPictures(int32_t seconds);

} // namespace game
