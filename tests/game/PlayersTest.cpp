#include "GameFixture.h"

#include "game/Players.h"

#include <gtest/gtest.h>

using namespace game;

namespace {

class PlayersTest : public TGameTest {};

TEST_F(PlayersTest, ThreePlayersTakeTurns)
{
    GameOptions.MultiPlayers = true;
    GameOptions.PlayersCount = 3;
    PlayersInitialize();
    std::vector<int32_t> turns{GameOptions.PlayerIndex};
    for (int i = 0; i < 4; ++i) {
        PlayersSelectNext();
        turns.push_back(GameOptions.PlayerIndex);
    }
    EXPECT_EQ(turns, (std::vector<int32_t>{1, 2, 3, 1, 2}));
}

TEST_F(PlayersTest, SinglePlayerKeepsTheTurn)
{
    PlayersInitialize();
    PlayersSelectNext();
    EXPECT_EQ(GameOptions.PlayerIndex, 0);
}

TEST_F(PlayersTest, NewGameRestoresNamesAndClearsCounts)
{
    GameOptions.MultiPlayers = true;
    GameOptions.PlayersCount = 4;
    const char* saved[] = {"", "Ana", "Bo", "Cy", ""};
    const char* ranked[] = {"", "Cy", "Ana", "Bo", "Sans nom"}; // names as the last ranking left them
    for (size_t row = 1; row <= 4; ++row) {
        TScores& player = GameOptions.Players[row];
        player.SavedName = saved[row];
        player.Name = ranked[row];
        player.Score = 3;
        player.Games = 5;
    }
    PlayersInitialize();
    EXPECT_EQ(GameOptions.PlayerIndex, 1);
    const char* expected[] = {"", "Ana", "Bo", "Cy", "Sans nom"};
    for (size_t row = 1; row <= 4; ++row) {
        EXPECT_EQ(GameOptions.Players[row].Name, expected[row]);
        EXPECT_EQ(GameOptions.Players[row].Score, 0);
        EXPECT_EQ(GameOptions.Players[row].Games, 0);
    }
}

TEST_F(PlayersTest, SingleGameClearsOnlyRowZero)
{
    GameOptions.Players[0] = {"Zo\xE9", "", 4, 9, 0.0, false};
    GameOptions.Players[1].Games = 2;
    GameOptions.PlayerIndex = 3;
    PlayersInitialize();
    EXPECT_EQ(GameOptions.PlayerIndex, 0);
    EXPECT_EQ(GameOptions.Players[0].Name, "Zo\xE9");
    EXPECT_EQ(GameOptions.Players[0].Score, 0);
    EXPECT_EQ(GameOptions.Players[0].Games, 0);
    EXPECT_EQ(GameOptions.Players[1].Games, 2);
}

TEST_F(PlayersTest, ScoreLabelPluralFromTwoWords)
{
    EXPECT_EQ(ScoreLabelText({"", "", 0, 3, 0.0, false}), "Mot trouv\xE9 : 0 / 3");
    EXPECT_EQ(ScoreLabelText({"", "", 1, 1, 0.0, false}), "Mot trouv\xE9 : 1 / 1");
    EXPECT_EQ(ScoreLabelText({"", "", 2, 4, 0.0, false}), "Mots trouv\xE9s : 2 / 4");
}

TEST_F(PlayersTest, TimeRunsOutOnTheTickAfterZero)
{
    GameOptions.TimePlayLimit = 20;
    RoundInProgress = true;
    for (int32_t tick = 1; tick <= 20; ++tick) {
        const TTimerTick result = WordTimerTick();
        EXPECT_EQ(result.SecondsLeft, 20 - tick);
        ASSERT_FALSE(result.TimedOut) << "tick " << tick;
    }
    EXPECT_EQ(ResultLevel, 7);
    const TTimerTick last = WordTimerTick();
    EXPECT_TRUE(last.TimedOut);
    EXPECT_EQ(last.SecondsLeft, -1);
    EXPECT_EQ(ResultLevel, 0);
}

TEST_F(PlayersTest, TimerIdleWithoutAWord)
{
    GameOptions.TimePlayLimit = 20;
    ElapsedSeconds = 20;
    EXPECT_FALSE(WordTimerTick().TimedOut);
    EXPECT_EQ(ElapsedSeconds, 20);
    EXPECT_EQ(ResultLevel, 7);
}

struct TCounterCase {
    int32_t seconds;
    std::array<int32_t, 5> pictures;
};

TEST(CounterPicturesTest, MinutesColonSeconds)
{
    for (const TCounterCase& c : {TCounterCase{600, {1, 0, 10, 0, 0}}, {59, {0, 0, 10, 5, 9}}, {0, {0, 0, 10, 0, 0}},
                                  {-1, {0, 0, 10, 0, 0}}, {754, {1, 2, 10, 3, 4}}, {5999, {9, 9, 10, 5, 9}},
                                  {6000, {9, 9, 10, 5, 9}}}) {
        const std::array<TCounterPicture, 5> shown = CounterPictures(c.seconds);
        for (size_t i = 0; i < shown.size(); ++i)
            EXPECT_EQ(shown[i].Picture, c.pictures[i]) << c.seconds << " s, picture " << i;
    }
    const std::array<TCounterPicture, 5> shown = CounterPictures(0);
    const int32_t xs[] = {0, 14, 28, 32, 46};
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i].X, xs[i]);
}

} // namespace
