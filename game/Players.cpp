#include "game/Players.h"

#include <algorithm>

namespace game {

TScores& CurrentPlayer()
{
    return GameOptions.Players.at(static_cast<size_t>(GameOptions.PlayerIndex));
}

void PlayersInitialize()
{
    TGameOptions& options = GameOptions;
    if (options.MultiPlayers) {
        options.PlayerIndex = 1;
        for (int32_t i = 1; i <= MaxPlayersCount; ++i) {
            TScores& player = options.Players[static_cast<size_t>(i)];
            // A name cleared in the options keeps the stand-in it was given there.
            player.Name = player.SavedName.empty() ? DefaultPlayerName : player.SavedName;
            player.Score = 0;
            player.Games = 0;
        }
    } else {
        options.PlayerIndex = 0;
        options.Players[0].Score = 0;
        options.Players[0].Games = 0;
    }
}

void PlayersSelectNext()
{
    TGameOptions& options = GameOptions;
    if (!options.MultiPlayers)
        return;
    const int32_t count = std::clamp(options.PlayersCount, 1, MaxPlayersCount);
    options.PlayerIndex = options.PlayerIndex >= count ? 1 : options.PlayerIndex + 1;
}

std::string ScoreLabelText(const TScores& player)
{
    return (player.Score > 1 ? WordsFoundText : WordFoundText) + " : " + std::to_string(player.Score) + " / "
        + std::to_string(player.Games);
}

TTimerTick WordTimerTick()
{
    TTimerTick tick;
    tick.SecondsLeft = GameOptions.TimePlayLimit - ElapsedSeconds;
    if (!RoundInProgress)
        return tick;
    ++ElapsedSeconds;
    tick.SecondsLeft = GameOptions.TimePlayLimit - ElapsedSeconds;
    tick.TimedOut = ElapsedSeconds > GameOptions.TimePlayLimit;
    if (tick.TimedOut)
        ResultLevel = 0;
    return tick;
}

std::array<TCounterPicture, 5> CounterPictures(int32_t seconds)
{
    constexpr int32_t largestShown = 99 * 60 + 59;
    const int32_t shown = std::clamp(seconds, 0, largestShown);
    const int32_t minutes = shown / 60;
    return {{{0, minutes / 10},
             {14, minutes % 10},
             {28, CounterColonPicture},
             {32, shown % 60 / 10},
             {46, shown % 10}}};
}

} // namespace game
