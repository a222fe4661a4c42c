#include "GameFixture.h"

#include "game/HighScores.h"
#include "platform/IniFile.h"
#include "tests/support/SaveWatch.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

using namespace game;

namespace {

TScores Row(const std::string& name, int32_t score, int32_t games)
{
    return {name, std::string(), score, games, 0.0, false};
}

// Name, score and games of rows 1..Count, one "name score/games" per row.
std::vector<std::string> Rows(std::span<const TScores> rows, int32_t count)
{
    std::vector<std::string> shown;
    for (size_t i = 1; i <= static_cast<size_t>(count); ++i)
        shown.push_back(rows[i].Name + " " + std::to_string(rows[i].Score) + "/" + std::to_string(rows[i].Games)
                        + (rows[i].Highlight ? " *" : ""));
    return shown;
}

TEST(SortScoresTest, MoreFoundThenBetterRatioAndTiesKeepTheirOrder)
{
    std::array<TScores, 8> rows{};
    rows[1] = Row("older", 5, 10);
    rows[2] = Row("thrifty", 5, 5);
    rows[3] = Row("most", 7, 20);
    rows[4] = Row("newer", 5, 10);
    rows[5] = Row("none", 0, 0);
    rows[6] = Row("negative", 3, -2);
    for (size_t i = 1; i <= 6; ++i)
        rows[i].SavedName = "saved" + std::to_string(i);
    EXPECT_EQ(SortScores(6, rows), 0);
    EXPECT_EQ(Rows(rows, 6), (std::vector<std::string>{"most 7/20", "thrifty 5/5", "older 5/10", "newer 5/10", "none 1/1",
                                                       "negative 1/1"}));
    EXPECT_EQ(rows[1].SavedName, "saved1") << "saved names keep their places";
    EXPECT_EQ(rows[6].SavedName, "saved6");
    EXPECT_EQ(rows[7].Name, "") << "rows past Count are left alone";
}

TEST(SortScoresTest, FindsTheMarkerOnlyBeforeTheLastRow)
{
    std::array<TScores, 4> rows{};
    rows[1] = Row("a", 3, 3);
    rows[2] = Row("b", 1, 1);
    rows[3] = Row(NameMarker, 2, 2);
    EXPECT_EQ(SortScores(3, rows), 2);
    rows[1] = Row("a", 3, 3);
    rows[2] = Row("b", 1, 1);
    rows[3] = Row(NameMarker, 1, 1); // ties behind b: it stays last, so it is not placed
    EXPECT_EQ(SortScores(3, rows), 0);
    EXPECT_EQ(SortScores(9, rows), 0) << "a count past the rows sorts the rows there are";
}

class HighScoresTest : public TGameTest {
protected:
    void OpenDictionary(const std::string& name)
    {
        CurrentDictionary.Name = name;
        CurrentDictionary.Initialized = 1;
    }

    std::vector<std::string> BestTen() const { return Rows(ScoreTable, BestScoresCount); }

    static std::vector<std::string> DefaultRows(size_t count) { return std::vector<std::string>(count, "Velmora 1/100"); }
};

TEST_F(HighScoresTest, MissingFileGivesTheDefaultTable)
{
    OpenDictionary("animaux.dat");
    LoadScores();
    EXPECT_EQ(BestTen(), DefaultRows(10));
}

TEST_F(HighScoresTest, RowsReadPerDictionaryAndCorrected)
{
    Write("scores.ini", "[Scores.animaux.dat]\r\nName1=Ana\r\nScore1=2\r\nGames1=4\r\nName2=Bo\r\nScore2=8\r\n"
                        "Games2=3\r\n[Scores.fleurs.dat]\r\nName1=Cy\r\nScore1=9\r\nGames1=9\r\n");
    OpenDictionary("animaux.dat");
    LoadScores();
    std::vector<std::string> expected{"Bo 8/8", "Ana 2/4"};
    const std::vector<std::string> rest = DefaultRows(8);
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(BestTen(), expected);
}

TEST_F(HighScoresTest, TableRoundTripsThroughTheFile)
{
    OpenDictionary("animaux.dat");
    LoadScores();
    SetScoreRow(1, "Zo\xE9", 12, 15);
    SetScoreRow(2, "L\xE9o", 3, 30);
    SaveScores();
    const platform::TIniFile ini(Path("scores.ini"));
    EXPECT_EQ(ini.ReadString("General", "Create", ""), "Ok");
    EXPECT_EQ(ini.ReadString("Scores.animaux.dat", "Name1", ""), "Zo\xE9");

    ScoreTable = {};
    LoadScores();
    std::vector<std::string> expected{"Zo\xE9 12/15", "L\xE9o 3/30"};
    const std::vector<std::string> rest = DefaultRows(8);
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(BestTen(), expected);
}

TEST_F(HighScoresTest, NothingWrittenWithoutADictionaryOrToAProtectedFile)
{
    LoadScores();
    SaveScores();
    EXPECT_FALSE(Exists("scores.ini"));

    const std::string before = "[Scores.animaux.dat]\r\nName1=Ana\r\n";
    Write("scores.ini", before);
    SetReadOnly("scores.ini");
    OpenDictionary("animaux.dat");
    LoadScores();
    SetScoreRow(1, "Bo", 50, 50);
    EXPECT_NO_THROW(SaveScores());
    EXPECT_EQ(Read("scores.ini"), before);
}

TEST_F(HighScoresTest, TableGoesBackToTheSectionItCameFrom)
{
    OpenDictionary("animaux.dat");
    LoadScores();
    SetScoreRow(1, "Ana", 9, 9);
    OpenDictionary("cass\xE9.dat"); // opened, but its table never loaded
    SaveScores();
    const platform::TIniFile ini(Path("scores.ini"));
    EXPECT_EQ(ini.ReadString("Scores.animaux.dat", "Name1", ""), "Ana");
    EXPECT_FALSE(ini.SectionExists("Scores.cass\xE9.dat"));
}

// Generation G of the best ten: names and counts that no other generation has.
void FillTable(int generation)
{
    for (int32_t n = 1; n <= BestScoresCount; ++n)
        SetScoreRow(n, "Gen" + std::to_string(generation) + "Row" + std::to_string(n), 10 * generation + n, 50 + n);
}

TEST_F(HighScoresTest, SaveReplacesTheFileOnce)
{
    Write("scores.ini", "[Scores.fleurs.dat]\r\nName1=Cy\r\n");
    OpenDictionary("animaux.dat");
    LoadScores();
    FillTable(1);
    TFileWrites writes(Path(), "scores.ini");
    SaveScores();
    EXPECT_EQ(writes.Count(), 1);
    SaveScores();
    EXPECT_EQ(writes.Count(), 1) << "a table saved again unchanged leaves the file alone";
}

TEST_F(HighScoresTest, SaveKilledMidwayLeavesOneWholeTable)
{
    OpenDictionary("animaux.dat");
    LoadScores();
    std::array<std::string, 2> saved;
    for (int generation : {0, 1}) {
        FillTable(generation);
        SaveScores();
        saved[generation] = Read("scores.ini");
    }
    const std::optional<std::string> mixed
        = MixedContentAfterKilledSaves(Path("scores.ini"), 40, saved, [](int generation) {
              FillTable(generation);
              SaveScores();
          });
    EXPECT_FALSE(mixed.has_value()) << mixed.value_or("");
}

TEST_F(HighScoresTest, SaveIntoTenThousandSectionsKeepsTheOthers)
{
    // Rows of equal results, so that loading keeps their order.
    const auto section = [](int dictionary, const std::string& firstRow) {
        std::string text = "[Scores.dico" + std::to_string(dictionary) + ".dat]\r\n" + firstRow;
        for (int n = 2; n <= 10; ++n)
            text += "Name" + std::to_string(n) + "=J" + std::to_string(dictionary) + "\r\nScore" + std::to_string(n)
                + "=1\r\nGames" + std::to_string(n) + "=100\r\n";
        return text;
    };
    const std::string firstRow = "Name1=J5000\r\nScore1=1\r\nGames1=100\r\n";
    std::string before;
    for (int i = 0; i < 10000; ++i)
        before += section(i, "Name1=J" + std::to_string(i) + "\r\nScore1=1\r\nGames1=100\r\n");
    Write("scores.ini", before);
    OpenDictionary("DICO5000.dat"); // sections are found whatever their case
    LoadScores();
    EXPECT_EQ(ScoreTable[1].Name, "J5000");
    SetScoreRow(1, "Ana", 99, 99);
    SaveScores();

    std::string expected = before;
    const std::string original = section(5000, firstRow);
    expected.replace(expected.find(original), original.size(), section(5000, "Name1=Ana\r\nScore1=99\r\nGames1=99\r\n"));
    EXPECT_TRUE(Read("scores.ini") == expected) << "only the first row of that one section changes";
}

// The single player's Stop, on the default table.
struct TSingleCase {
    const char* name;
    int32_t score;
    int32_t games;
    int32_t rank;
};

class SinglePlayerStopTest : public HighScoresTest, public ::testing::WithParamInterface<TSingleCase> {};

TEST_P(SinglePlayerStopTest, PlacesTheResult)
{
    const TSingleCase& c = GetParam();
    OpenDictionary("animaux.dat");
    LoadScores();
    TScores& player = GameOptions.Players[0];
    player.Score = c.score;
    player.Games = c.games;
    ASSERT_TRUE(CurrentPlayerHasPlayed());
    EXPECT_EQ(PlaceResult(player), c.rank);
    EXPECT_EQ(NewScoreRank, c.rank);
    if (c.rank == 0) {
        EXPECT_EQ(BestTen(), DefaultRows(10));
        return;
    }
    EXPECT_EQ(ScoreTable[static_cast<size_t>(c.rank)].Name, NameMarker);
    player.Name = "Zo\xE9"; // given in the name entry
    EnterSinglePlayerResult(c.rank);
    const std::string entered = "Zo\xE9 " + std::to_string(c.score) + "/" + std::to_string(c.games) + " *";
    EXPECT_EQ(BestTen()[static_cast<size_t>(c.rank) - 1], entered);
    ClearScoreHighlights();
    EXPECT_EQ(BestTen()[static_cast<size_t>(c.rank) - 1], entered.substr(0, entered.size() - 2));
}

INSTANTIATE_TEST_SUITE_P(Results, SinglePlayerStopTest,
                         ::testing::Values(TSingleCase{"BetterRatioAtEqualScore", 1, 1, 1},
                                           TSingleCase{"MoreWordsFound", 2, 50, 1},
                                           TSingleCase{"NoWordFound", 0, 3, 0},
                                           TSingleCase{"EqualToTheLastRow", 1, 100, 0},
                                           TSingleCase{"WorseRatioThanEveryRow", 1, 200, 0}),
                         [](const ::testing::TestParamInfo<TSingleCase>& info) { return std::string(info.param.name); });

TEST_F(HighScoresTest, EqualResultTiesBehindTheOlderRow)
{
    OpenDictionary("animaux.dat");
    LoadScores();
    SetScoreRow(1, "Ana", 3, 4);
    EXPECT_EQ(PlaceResult(Row("", 3, 4)), 2);
}

TEST_F(HighScoresTest, PlayersWhoFinishedAWordEnterUnderTheirNames)
{
    OpenDictionary("animaux.dat");
    LoadScores();
    GameOptions.MultiPlayers = true;
    GameOptions.PlayersCount = 3;
    GameOptions.PlayerIndex = 2;
    std::array<TScores, 5>& players = GameOptions.Players;
    players[1] = Row("Ana", 1, 2);
    players[2] = Row("Bo", 2, 3);
    players[3] = Row("Cy", 0, 0); // Stop came before Cy's turn
    for (size_t row = 1; row <= 3; ++row)
        players[row].SavedName = players[row].Name;
    ASSERT_TRUE(CurrentPlayerHasPlayed());

    const std::vector<bool> played = RankPlayers();
    EXPECT_EQ(Rows(players, 3), (std::vector<std::string>{"Bo 2/3", "Cy 1/1", "Ana 1/2"}));
    EXPECT_EQ(played, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(players[1].SavedName, "Ana");

    EXPECT_EQ(EnterRankedPlayers(played), 2);
    std::vector<std::string> expected{"Bo 2/3 *", "Ana 1/2 *"};
    const std::vector<std::string> rest = DefaultRows(8);
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(BestTen(), expected);
}

TEST_F(HighScoresTest, LaterEntriesPushEarlierOnesDown)
{
    OpenDictionary("animaux.dat");
    LoadScores();
    for (int32_t n = 1; n <= BestScoresCount; ++n)
        SetScoreRow(n, "Velmora", 5, 5);
    GameOptions.MultiPlayers = true;
    GameOptions.PlayersCount = 2;
    GameOptions.Players[1] = Row("Ana", 5, 6);
    GameOptions.Players[2] = Row("Bo", 6, 6);
    EXPECT_EQ(EnterRankedPlayers(RankPlayers()), 1) << "Ana ranks behind every row";
    EXPECT_EQ(BestTen().front(), "Bo 6/6 *");
    EXPECT_EQ(BestTen().back(), "Velmora 5/5");
}

TEST_F(HighScoresTest, NoResultWhileTheCurrentPlayerFinishedNothing)
{
    GameOptions.MultiPlayers = true;
    GameOptions.PlayersCount = 2;
    GameOptions.PlayerIndex = 2;
    GameOptions.Players[1] = Row("Ana", 1, 1);
    EXPECT_FALSE(CurrentPlayerHasPlayed());
    GameOptions.PlayerIndex = 1;
    EXPECT_TRUE(CurrentPlayerHasPlayed());
}

} // namespace
