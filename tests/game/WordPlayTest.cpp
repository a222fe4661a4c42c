#include "GameFixture.h"

#include "game/WordPlay.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace game;

namespace {

// Puts Word in play at Level, as a successful draw does.
bool Play(const std::string& word, int32_t level)
{
    CurrentWord = {};
    CurrentWord.Word = word;
    const bool playable = PrepareWordMasks(level);
    RoundInProgress = playable;
    ResultLevel = MaxTries;
    return playable;
}

struct TMaskCase {
    const char* name;
    const char* word;
    int32_t level;
    bool playable;
    const char* displayMask;
    const char* compareMask;
    const char* shownKeys;
};

// Names the case in ctest's listing instead of dumping its bytes.
void PrintTo(const TMaskCase& c, std::ostream* out)
{
    *out << c.name;
}

class MaskTest : public TGameTest, public ::testing::WithParamInterface<TMaskCase> {};

TEST_P(MaskTest, HidesTheLettersOfTheLevel)
{
    const TMaskCase& c = GetParam();
    EXPECT_EQ(Play(c.word, c.level), c.playable);
    EXPECT_EQ(CurrentWord.DisplayMask, c.displayMask);
    EXPECT_EQ(CurrentWord.CompareMask, c.compareMask);
    EXPECT_EQ(ShownLetterKeys(CurrentWord.CompareMask), c.shownKeys);
}

// élève, porte-monnaie, ÉTÉ, Straße, cœur in Windows-1252.
INSTANTIATE_TEST_SUITE_P(
    Words, MaskTest,
    ::testing::Values(TMaskCase{"EleveEndsShown", "\xE9l\xE8ve", LevelShowEnds, true, "\xE9~\xE8~e", "e~e~e", "e"},
                      TMaskCase{"EleveEndsAndDefinition", "\xE9l\xE8ve", LevelShowEndsAndDefinition, true,
                                "\xE9~\xE8~e", "e~e~e", "e"},
                      TMaskCase{"EleveDefinitionOnly", "\xE9l\xE8ve", LevelShowDefinition, true, "~~~~~", "~~~~~", ""},
                      TMaskCase{"HyphenShownWhenNothingElseIs", "porte-monnaie", LevelShowNothing, true,
                                "~~~~~-~~~~~~~", "~~~~~-~~~~~~~", ""},
                      TMaskCase{"HyphenAndEndsShown", "porte-monnaie", LevelShowEnds, true,
                                "p~~~e-~~~~~~e", "p~~~e-~~~~~~e", "pe"},
                      TMaskCase{"AnyOtherLevelHidesAll", "porte-monnaie", 9, true,
                                "~~~~~-~~~~~~~", "~~~~~-~~~~~~~", ""},
                      TMaskCase{"OnlyEndLettersWithEnds", "aa", LevelShowEnds, false, "aa", "aa", "a"},
                      TMaskCase{"OnlyEndLettersWithEndsAndDefinition", "aa", LevelShowEndsAndDefinition, false,
                                "aa", "aa", "a"},
                      TMaskCase{"TwoLettersAllHidden", "aa", LevelShowNothing, true, "~~", "~~", ""},
                      TMaskCase{"NoLetterAtAll", "-'-", LevelShowNothing, false, "-'-", "-'-", ""},
                      TMaskCase{"EmptyWord", "", LevelShowEnds, false, "", "", ""},
                      TMaskCase{"CapitalsFoldToLowerCase", "\xC9T\xC9", LevelShowEnds, true, "\xC9~\xC9", "e~e", "e"},
                      TMaskCase{"SharpSFoldsToS", "Stra\xDF" "e", LevelShowEnds, true, "S~~~\xDF" "e", "s~~~se", "se"},
                      TMaskCase{"LigatureIsNoLetter", "c\x9Cur", LevelShowNothing, true, "~\x9C~~", "~\x9C~~", ""}),
    [](const ::testing::TestParamInfo<TMaskCase>& info) { return std::string(info.param.name); });

TEST(FoldWordTest, FoldsEveryAccentOfTheTable)
{
    EXPECT_EQ(AccentFoldingTable.From.size(), 108u);
    EXPECT_EQ(AccentFoldingTable.To.size(), 108u);
    EXPECT_EQ(FoldWord("\xC0\xE0\xC7\xE7\xC8\xE9\xCE\xEF\xD1\xF1\xD6\xF8\xDB\xFC\xDD\xFF\xDF"), "aaccee" "iinnoouuyys");
    EXPECT_EQ(FoldWord("Z\x9F\x8C 1'"), "z\x9F\x8C 1'"); // Ÿ and Œ are not in the table
}

TEST(PlainLetterTest, OnlyOneLetterAToZ)
{
    for (const char* text : {"a", "z", "A", "Z"})
        EXPECT_FALSE(IsNotPlainLetter(text)) << text;
    for (const char* text : {"", "ab", "\xE9", "\xC9", "1", "-", "@", "[", "`", "{"})
        EXPECT_TRUE(IsNotPlainLetter(text)) << text;
}

struct TLetterStep {
    char letter;
    bool played;
    bool matched;
    int32_t gallows;
    const char* sound;
    const char* displayMask;
    int32_t triesLeft;
};

class ApplyLetterTest : public TGameTest {};

TEST_F(ApplyLetterTest, RevealsFoldedMatchesOrCostsATry)
{
    GameOptions.UseSounds = true;
    ASSERT_TRUE(Play("\xC9l\xE8ve", 3)); // Élève
    const TLetterStep steps[] = {
        {'e', true, true, -1, "key_success.wav", "\xC9~\xE8~e", 7},  // e reveals É, è and e as written
        {'x', true, false, 1, "key_fail.wav", "\xC9~\xE8~e", 6},     // a miss
        {'E', false, false, -1, "", "\xC9~\xE8~e", 6},               // played already, in either case
        {'x', false, false, -1, "", "\xC9~\xE8~e", 6},               // a repeated miss costs nothing
        {'\xE9', false, false, -1, "", "\xC9~\xE8~e", 6},            // no key plays é
        {'V', true, true, -1, "key_success.wav", "\xC9~\xE8ve", 6},
    };
    for (const TLetterStep& step : steps) {
        const TLetterResult result = ApplyLetter(step.letter);
        EXPECT_EQ(result.Played, step.played) << step.letter;
        EXPECT_EQ(result.Matched, step.matched) << step.letter;
        EXPECT_EQ(result.GallowsPicture, step.gallows) << step.letter;
        EXPECT_EQ(result.Sound, step.sound) << step.letter;
        EXPECT_EQ(CurrentWord.DisplayMask, step.displayMask) << step.letter;
        EXPECT_EQ(ResultLevel, step.triesLeft) << step.letter;
    }
    EXPECT_EQ(CheckRoundOutcome(), TRoundOutcome::Playing);
    EXPECT_EQ(ApplyLetter('l').Matched, true);
    EXPECT_EQ(CheckRoundOutcome(), TRoundOutcome::Found);
}

TEST_F(ApplyLetterTest, SilentWithoutSounds)
{
    ASSERT_TRUE(Play("kiwi", 3));
    EXPECT_EQ(ApplyLetter('k').Sound, "");
    EXPECT_EQ(ApplyLetter('z').Sound, "");
}

TEST_F(ApplyLetterTest, NothingHappensWithoutAWordInPlay)
{
    ASSERT_TRUE(Play("kiwi", 3));
    RoundInProgress = false;
    EXPECT_FALSE(ApplyLetter('z').Played);
    EXPECT_EQ(ResultLevel, 7);
    EXPECT_EQ(LetterOfKeyPress('k'), 0);
    EXPECT_EQ(CheckRoundOutcome(), TRoundOutcome::NoRound);
    EXPECT_EQ(GameOptions.Players[0].Games, 0);
}

TEST_F(ApplyLetterTest, KeyPressesPlayLettersNotYetPlayed)
{
    ASSERT_TRUE(Play("kiwi", 0)); // k and i shown
    EXPECT_EQ(LetterOfKeyPress('W'), 'w');
    EXPECT_EQ(LetterOfKeyPress('w'), 'w');
    for (char key : {'k', 'I', '\xC9', '1', ' ', '['})
        EXPECT_EQ(LetterOfKeyPress(key), 0) << key;
    ApplyLetter('w');
    EXPECT_EQ(LetterOfKeyPress('W'), 0);
}

TEST_F(ApplyLetterTest, SevenMissesLoseTheWord)
{
    ASSERT_TRUE(Play("kiwi", 3));
    const char misses[] = {'a', 'b', 'c', 'd', 'e', 'f', 'g'};
    TLetterResult result;
    for (size_t i = 0; i < std::size(misses); ++i) {
        result = ApplyLetter(misses[i]);
        EXPECT_EQ(result.GallowsPicture, static_cast<int32_t>(i) + 1);
        if (i + 1 < std::size(misses)) {
            EXPECT_EQ(CheckRoundOutcome(), TRoundOutcome::Playing);
        }
    }
    EXPECT_EQ(ResultLevel, 0);
    EXPECT_EQ(result.GallowsPicture, 7);
    EXPECT_EQ(CheckRoundOutcome(), TRoundOutcome::Lost);
    EXPECT_FALSE(RoundInProgress);
    EXPECT_EQ(ScoresWindowMode, ScoresModeWordLost);
    EXPECT_EQ(GameOptions.Players[0].Score, 0);
    EXPECT_EQ(GameOptions.Players[0].Games, 1);
    EXPECT_FALSE(ApplyLetter('k').Played); // the keys are dead once the word is over
}

TEST_F(ApplyLetterTest, FoundWordCountsForTheCurrentPlayer)
{
    GameOptions.MultiPlayers = true;
    GameOptions.PlayersCount = 3;
    GameOptions.PlayerIndex = 2;
    ASSERT_TRUE(Play("kiwi", 3));
    for (char letter : {'k', 'i'})
        ApplyLetter(letter);
    EXPECT_EQ(CheckRoundOutcome(), TRoundOutcome::Playing);
    ApplyLetter('w');
    EXPECT_EQ(CheckRoundOutcome(), TRoundOutcome::Found);
    EXPECT_EQ(ScoresWindowMode, ScoresModeWordFound);
    EXPECT_EQ(GameOptions.Players[2].Score, 1);
    EXPECT_EQ(GameOptions.Players[2].Games, 1);
    EXPECT_EQ(GameOptions.Players[0].Games, 0);
    EXPECT_EQ(ResultLevel, 7); // the scores window's texts for no miss
}

TEST_F(ApplyLetterTest, TriesLabelSingularForOne)
{
    EXPECT_EQ(TriesRemainingLabel(7), "Essais restants: 7");
    EXPECT_EQ(TriesRemainingLabel(1), "Essai restant: 1");
}

TEST_F(ApplyLetterTest, FirstKeyToFocusSkipsShownLetters)
{
    struct TFocusCase {
        int32_t keyboard;
        const char* word;
        char expected;
    };
    for (const TFocusCase& c : {TFocusCase{1, "kiwi", 'a'}, {2, "avia", 'z'}, {1, "abuz", 'e'}, {7, "abuz", 'e'},
                                {0, "kiwi", 'a'}, {0, "avia", 'b'}, {0, "abrib", 'c'}}) {
        GameOptions.Keyboard = c.keyboard;
        ASSERT_TRUE(Play(c.word, 0));
        EXPECT_EQ(FirstLetterKeyToFocus(), c.expected) << c.word << " layout " << c.keyboard;
    }
}

TEST_F(ApplyLetterTest, CapitalsShownOnRequest)
{
    EXPECT_EQ(FormatWordForDisplay("\xE9~\xE8~e"), "\xE9~\xE8~e");
    GameOptions.UpperCaseDisplay = true;
    EXPECT_EQ(FormatWordForDisplay("\xE9~\xE8~e"), "\xC9~\xC8~E");
}

// Draws from a real dictionary file with its index.
class DrawTest : public TGameTest {
protected:
    void OpenDictionary(const std::string& name, const std::string& content)
    {
        Write(name, content);
        dictionary::TDictionaryError error;
        ASSERT_TRUE(dictionary::Initialize(Path(name), CurrentDictionary, nullptr, false, error));
        DictionaryWordCount = CurrentDictionary.WordCount;
    }

    dictionary::TDictionaryError error_;
};

TEST_F(DrawTest, SingleWordIsAlwaysDrawn)
{
    OpenDictionary("chat.dat", "chat[un animal]");
    for (int attempt = 0; attempt < 3; ++attempt) {
        ResultLevel = 2;
        ASSERT_TRUE(DrawRandomWord(LevelShowNothing, error_));
        EXPECT_TRUE(RoundInProgress);
        EXPECT_EQ(ResultLevel, 7);
        EXPECT_EQ(CurrentWord.Word, "chat");
        EXPECT_EQ(CurrentWord.Definition, "un animal");
        EXPECT_EQ(CurrentWord.DisplayMask, "~~~~");
    }
}

TEST_F(DrawTest, WordsLongerThanTheLabelAreNeverPlayed)
{
    const std::string longest(36, 'x');
    OpenDictionary("fits.dat", longest + "[fits]");
    EXPECT_TRUE(DrawRandomWord(LevelShowNothing, error_));
    EXPECT_EQ(CurrentWord.Word, longest);

    OpenDictionary("long.dat", std::string(37, 'y') + "[too long]");
    EXPECT_FALSE(DrawRandomWord(LevelShowNothing, error_));
    EXPECT_FALSE(RoundInProgress);
    EXPECT_EQ(CurrentWord.Word, longest); // a failed draw leaves the last word alone
}

TEST_F(DrawTest, WordWithNothingToHideIsRejected)
{
    OpenDictionary("aa.dat", "aa[deux a]");
    EXPECT_FALSE(DrawRandomWord(LevelShowEnds, error_));
    EXPECT_TRUE(DrawRandomWord(LevelShowNothing, error_));
}

TEST_F(DrawTest, EmptyDictionaryDrawsNothing)
{
    OpenDictionary("empty.dat", "");
    ASSERT_EQ(DictionaryWordCount, 0);
    EXPECT_FALSE(DrawRandomWord(LevelShowNothing, error_));
    EXPECT_FALSE(RoundInProgress);
}

TEST_F(DrawTest, DrawsReachEveryWord)
{
    std::string content;
    for (char c = 'a'; c <= 'e'; ++c)
        content += std::string("mot") + c + "[d]";
    OpenDictionary("five.dat", content);
    ASSERT_EQ(DictionaryWordCount, 5);
    std::string seen;
    for (int draw = 0; draw < 500 && seen.size() < 5; ++draw) {
        ASSERT_TRUE(DrawRandomWord(LevelShowNothing, error_));
        if (seen.find(CurrentWord.Word.back()) == std::string::npos)
            seen += CurrentWord.Word.back();
    }
    EXPECT_EQ(seen.size(), 5u) << seen;
}

} // namespace
