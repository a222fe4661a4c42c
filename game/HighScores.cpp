#include "game/HighScores.h"

#include "dictionary/fileLib.h"
#include "game/GameSettings.h"
#include "game/Players.h"
#include "platform/IniFile.h"

#include <algorithm>

namespace game {

const std::string NameMarker = "~~~###~~~\n";

namespace {

const std::string DefaultScoreName = "Velmora";
constexpr int32_t DefaultScore = 1;
constexpr int32_t DefaultGames = 100;

// The section ScoreTable was loaded from, so that it is written back there even when another
// dictionary was initialised meanwhile without its table being loaded; empty before any load.
std::string loadedSection;

// A row being sorted, with the place it came from.
struct TSortRow {
    TScores Row;
    size_t Origin = 0;
};

bool RanksBelow(const TScores& upper, const TScores& lower)
{
    return upper.Score < lower.Score || (upper.Score == lower.Score && upper.Ratio < lower.Ratio);
}

// Rows 1..Count of Rows, sorted; each remembers its place before the sort (1-based).
std::vector<TSortRow> SortedRows(int32_t count, std::span<const TScores> rows)
{
    std::vector<TSortRow> sorted;
    for (size_t i = 1; i <= static_cast<size_t>(count); ++i) {
        TSortRow entry{rows[i], i};
        if (entry.Row.Games < 1) {
            entry.Row.Score = 1;
            entry.Row.Games = 1;
        }
        entry.Row.Ratio = static_cast<double>(entry.Row.Score) / entry.Row.Games;
        sorted.push_back(std::move(entry));
    }
    // Stable: a new result ties behind an older equal one.
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TSortRow& a, const TSortRow& b) { return RanksBelow(b.Row, a.Row); });
    return sorted;
}

// Puts Sorted back into rows 1.. of Rows, and gives the row of NameMarker.
int32_t StoreSorted(const std::vector<TSortRow>& sorted, std::span<TScores> rows)
{
    int32_t markerRow = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
        TScores& row = rows[i + 1];
        const TScores& from = sorted[i].Row;
        row.Name = from.Name;
        row.Score = from.Score;
        row.Games = from.Games;
        row.Highlight = from.Highlight;
        if (markerRow == 0 && i + 1 < sorted.size() && from.Name == NameMarker)
            markerRow = static_cast<int32_t>(i) + 1;
    }
    return markerRow;
}

int32_t UsableCount(int32_t count, size_t rowsSize)
{
    return std::clamp(count, 0, static_cast<int32_t>(rowsSize) - 1);
}

TScores& BestScoreRow(int32_t row)
{
    return ScoreTable.at(static_cast<size_t>(row));
}

} // namespace

std::string ScoresSection()
{
    return "Scores." + CurrentDictionary.Name;
}

void LoadScores()
{
    const platform::TIniFile ini(ScoresFilePath);
    loadedSection = ScoresSection();
    for (int32_t n = 1; n <= BestScoresCount; ++n) {
        TScores& row = BestScoreRow(n);
        const std::string number = std::to_string(n);
        dictionary::ReadIniString(loadedSection, "Name" + number, DefaultScoreName, row.Name, ini);
        row.Score = ini.ReadInteger(loadedSection, "Score" + number, DefaultScore);
        row.Games = std::max(ini.ReadInteger(loadedSection, "Games" + number, DefaultGames), row.Score);
        row.Highlight = false;
    }
    SortScores(BestScoresCount, ScoreTable);
}

void SaveScores()
{
    if (!CurrentDictionary.Initialized || loadedSection.empty())
        return;
    platform::TIniFile ini(ScoresFilePath);
    if (!SettingsFileWritable(ini))
        return;
    for (int32_t n = 1; n <= BestScoresCount; ++n) {
        const TScores& row = BestScoreRow(n);
        const std::string number = std::to_string(n);
        ini.WriteString(loadedSection, "Name" + number, row.Name);
        ini.WriteInteger(loadedSection, "Score" + number, row.Score);
        ini.WriteInteger(loadedSection, "Games" + number, row.Games);
    }
    ini.UpdateFile();
}

int32_t SortScores(int32_t count, std::span<TScores> rows)
{
    return StoreSorted(SortedRows(UsableCount(count, rows.size()), rows), rows);
}

void SetScoreRow(int32_t row, const std::string& name, int32_t score, int32_t games)
{
    TScores& target = BestScoreRow(row);
    target.Name = name;
    target.Score = score;
    target.Games = games;
}

bool CurrentPlayerHasPlayed()
{
    return CurrentPlayer().Games != 0;
}

int32_t PlaceResult(const TScores& result)
{
    TScores& candidate = BestScoreRow(CandidateRow);
    candidate.Name = NameMarker;
    candidate.Score = result.Score;
    candidate.Games = result.Games;
    candidate.Highlight = false;
    NewScoreRank = SortScores(CandidateRow, ScoreTable);
    return NewScoreRank;
}

void EnterSinglePlayerResult(int32_t row)
{
    const TScores& player = GameOptions.Players[0];
    SetScoreRow(row, player.Name, player.Score, player.Games);
    BestScoreRow(row).Highlight = true;
}

std::vector<bool> RankPlayers()
{
    std::span<TScores> players = GameOptions.Players;
    const std::vector<TSortRow> sorted = SortedRows(UsableCount(GameOptions.PlayersCount, players.size()), players);
    std::vector<bool> played;
    for (const TSortRow& entry : sorted)
        played.push_back(players[entry.Origin].Games > 0);
    StoreSorted(sorted, players);
    return played;
}

int32_t EnterRankedPlayers(const std::vector<bool>& played)
{
    int32_t entered = 0;
    for (size_t i = 0; i < played.size(); ++i) {
        // One who finished no word ranks as 1 found of 1, a result that must not be kept.
        if (!played[i])
            continue;
        const TScores& player = GameOptions.Players.at(i + 1);
        const int32_t row = PlaceResult(player);
        if (row == 0)
            continue;
        BestScoreRow(row).Highlight = true;
        SetScoreRow(row, player.Name, player.Score, player.Games);
        ++entered;
    }
    return entered;
}

void ClearScoreHighlights()
{
    for (int32_t n = 1; n <= BestScoresCount; ++n)
        BestScoreRow(n).Highlight = false;
}

} // namespace game
