#pragma once
// The ten best results of each dictionary, kept in "scores.ini" (ScoresFilePath) and in
// ScoreTable rows 1..10, and the decisions that end a game: who reaches the best ten and where.
// The main window's Stop shows the scores window between these steps.
#include "game/globalDefs.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace game {

// The name of the candidate row while a result is placed; it never reaches the file.
extern const std::string NameMarker;

// Section of the open dictionary in the scores file: "Scores." + its name.
std::string ScoresSection();

// Fills ScoreTable rows 1..10 from the open dictionary's section (ten rows "Velmora", 1 found of
// 100 played where the file has none) and sorts them.
void LoadScores();

// Writes rows 1..10 back to the section they were loaded from, when a table was loaded, a
// dictionary is initialised and the file may be written. Throws platform::EInOutError when the
// write fails.
void SaveScores();

// Sorts rows 1..Count of Rows (row 0 unused) best first: more words found, then the better ratio;
// equal rows keep their order. A row with fewer than 1 word played becomes 1 found of 1 played.
// Moves Name, Score, Games and Highlight; SavedName stays with its place. Returns the row
// (1..Count - 1) that holds NameMarker, 0 when none does.
int32_t SortScores(int32_t count, std::span<TScores> rows);

// Sets Name, Score and Games of ScoreTable[Row].
void SetScoreRow(int32_t row, const std::string& name, int32_t score, int32_t games);

// Whether Stop has a result to rank: the current player finished at least one word.
bool CurrentPlayerHasPlayed();

// Places Result among the best ten as a candidate under NameMarker and returns its row, 0 when it
// does not reach the best ten (also kept in NewScoreRank). The row keeps the marker until it is
// given a name.
int32_t PlaceResult(const TScores& result);

// Single player, after the name entry: the placed row takes the player's name and result and is
// highlighted.
void EnterSinglePlayerResult(int32_t row);

// Multi-player Stop, first step: sorts the players (rows 1..PlayersCount) into their ranking.
// Returns, in ranking order, whether each of them finished a word.
std::vector<bool> RankPlayers();

// Multi-player Stop, second step: every ranked player who finished a word and reaches the best
// ten enters it under that player's name, highlighted. Returns how many entered.
int32_t EnterRankedPlayers(const std::vector<bool>& played);

// Rows 1..10 lose their highlight.
void ClearScoreHighlights();

} // namespace game
