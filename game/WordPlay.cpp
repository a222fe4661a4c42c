#include "game/WordPlay.h"

#include "game/Players.h"
#include "game/RandomDraw.h"
#include "game/globalDefs.h"
#include "platform/Windows1252.h"

#include <bitset>

namespace game {

const TAccentFoldingTable AccentFoldingTable{
    "a\xE0\xE1\xE2\xE3\xE4\xE5"
    "bc\xE7"
    "de\xE8\xE9\xEA\xEB"
    "fghi\xEC\xED\xEE\xEFjklmn\xF1o\xF2\xF3\xF4\xF5\xF6\xF8pqrstu\xF9\xFA\xFB\xFCvwxy\xFD\xFFzA\xC0\xC1\xC2\xC3\xC4\xC5"
    "BC\xC7"
    "DE\xC8\xC9\xCA\xCB"
    "FGHI\xCC\xCD\xCE\xCFJKLMN\xD1O\xD2\xD3\xD4\xD5\xD6\xD8PQRSTU\xD9\xDA\xDB\xDCVWXY\xDDZ\xDF",
    "aaaaaaabccdeeeeefghiiiiijklmnnooooooopqrstuuuuuvwxyyyzAAAAAAABCCDEEEEEFGHIIIIIJKLMNNOOOOOOOPQRSTUUUUUVWXYYZS",
};

namespace {

// Letters shown or played in the current word, a..z.
std::bitset<26> playedLetters;

bool IsLowerLetter(unsigned char c)
{
    return c >= 'a' && c <= 'z';
}

bool IsUpperLetter(unsigned char c)
{
    return c >= 'A' && c <= 'Z';
}

char LowerPlain(char c)
{
    return IsUpperLetter(static_cast<unsigned char>(c)) ? static_cast<char>(c - 'A' + 'a') : c;
}

char FoldChar(char c)
{
    const size_t at = AccentFoldingTable.From.find(c);
    return LowerPlain(at == std::string_view::npos ? c : AccentFoldingTable.To[at]);
}

// The masks of Word for Level; false when no letter is hidden.
bool MaskWord(dictionary::TDictionaryWord& word, int32_t level)
{
    word.FoldedWord = FoldWord(word.Word);
    word.DisplayMask = word.Word;
    word.CompareMask = word.FoldedWord;
    const std::string& folded = word.FoldedWord;
    const bool showEnds = LevelShowsEnds(level) && !folded.empty();
    bool hidden = false;
    for (size_t i = 0; i < folded.size(); ++i) {
        const char c = folded[i];
        if (!IsLowerLetter(static_cast<unsigned char>(c)) || (showEnds && (c == folded.front() || c == folded.back())))
            continue;
        word.DisplayMask[i] = HiddenLetter;
        word.CompareMask[i] = HiddenLetter;
        hidden = true;
    }
    return hidden;
}

void RestartPlayedLetters(const std::string& compareMask)
{
    playedLetters.reset();
    for (char letter : ShownLetterKeys(compareMask))
        playedLetters.set(static_cast<size_t>(letter - 'a'));
}

std::string SoundIfOn(const std::string& sound)
{
    return GameOptions.UseSounds ? sound : std::string();
}

} // namespace

std::string FoldWord(const std::string& word)
{
    std::string folded = word;
    for (char& c : folded)
        c = FoldChar(c);
    return folded;
}

bool IsNotPlainLetter(const std::string& text)
{
    return text.size() != 1 || !(IsLowerLetter(static_cast<unsigned char>(text[0])) || IsUpperLetter(static_cast<unsigned char>(text[0])));
}

bool PrepareWordMasks(int32_t level)
{
    const bool hidden = MaskWord(CurrentWord, level);
    RestartPlayedLetters(CurrentWord.CompareMask);
    return hidden;
}

bool DrawRandomWord(int32_t level, dictionary::TDictionaryError& error)
{
    ResultLevel = MaxTries;
    bool drawn = false;
    for (int32_t attempt = 0; attempt < WordDrawAttempts && !drawn; ++attempt) {
        const std::optional<int32_t> number = RandomInRange(1, DictionaryWordCount);
        if (!number)
            break; // no word to draw from
        dictionary::TDictionaryWord candidate;
        drawn = dictionary::GetWord(CurrentDictionary, *number, candidate, error)
            && candidate.Word.size() <= MaxWordLength && MaskWord(candidate, level);
        if (drawn)
            CurrentWord = std::move(candidate);
    }
    if (drawn) {
        RestartPlayedLetters(CurrentWord.CompareMask);
        ElapsedSeconds = 0;
    }
    RoundInProgress = drawn;
    return drawn;
}

std::string ShownLetterKeys(const std::string& compareMask)
{
    std::string letters;
    for (char c : compareMask) {
        const size_t at = AccentFoldingTable.From.find(c);
        if (at == std::string_view::npos)
            continue;
        const char letter = LowerPlain(AccentFoldingTable.To[at]);
        if (letters.find(letter) == std::string::npos)
            letters += letter;
    }
    return letters;
}

bool LetterPlayed(char letter)
{
    return IsLowerLetter(static_cast<unsigned char>(letter)) && playedLetters.test(static_cast<size_t>(letter - 'a'));
}

char FirstLetterKeyToFocus()
{
    const std::string_view candidates = GameOptions.Keyboard != KeyboardAlphabetical ? "aze" : "abc";
    for (char letter : candidates)
        if (!LetterPlayed(letter))
            return letter;
    return candidates.back();
}

char LetterOfKeyPress(char key)
{
    const char letter = LowerPlain(key);
    if (!RoundInProgress || !IsLowerLetter(static_cast<unsigned char>(letter)) || LetterPlayed(letter))
        return 0;
    return letter;
}

TLetterResult ApplyLetter(char letter)
{
    TLetterResult result;
    letter = LowerPlain(letter);
    if (!RoundInProgress || !IsLowerLetter(static_cast<unsigned char>(letter)) || LetterPlayed(letter))
        return result;
    playedLetters.set(static_cast<size_t>(letter - 'a'));
    result.Played = true;
    dictionary::TDictionaryWord& word = CurrentWord;
    for (size_t i = 0; i < word.FoldedWord.size(); ++i) {
        if (word.FoldedWord[i] != letter)
            continue;
        word.DisplayMask[i] = word.Word[i];
        word.CompareMask[i] = word.FoldedWord[i];
        result.Matched = true;
    }
    if (result.Matched) {
        result.Sound = SoundIfOn(KeySuccessSound);
    } else {
        --ResultLevel;
        result.GallowsPicture = GallowsPicture();
        result.Sound = SoundIfOn(KeyFailSound);
    }
    return result;
}

TRoundOutcome CheckRoundOutcome()
{
    if (!RoundInProgress)
        return TRoundOutcome::NoRound;
    const bool found = platform::AnsiLowerCase(CurrentWord.CompareMask) == platform::AnsiLowerCase(CurrentWord.FoldedWord);
    if (!found && ResultLevel > 0)
        return TRoundOutcome::Playing;
    RoundInProgress = false;
    TScores& player = CurrentPlayer();
    ++player.Games;
    if (found) {
        ++player.Score;
        ScoresWindowMode = ScoresModeWordFound;
        return TRoundOutcome::Found;
    }
    ResultLevel = 0;
    ScoresWindowMode = ScoresModeWordLost;
    return TRoundOutcome::Lost;
}

int32_t GallowsPicture()
{
    return MaxTries - ResultLevel;
}

std::string TriesRemainingLabel(int32_t tries)
{
    return (tries == 1 ? TryRemainingText : TriesRemainingText) + " " + std::to_string(tries);
}

std::string FormatWordForDisplay(const std::string& text)
{
    return GameOptions.UpperCaseDisplay ? platform::AnsiUpperCase(text) : text;
}

} // namespace game
