#pragma once
// The round of hangman without its window: drawing a word, masking it for the difficulty level,
// applying letters, counting tries and deciding when the word is found or lost. The main window
// calls these and shows what they report (mask, gallows picture, sound, scores window).
#include "dictionary/unitDictionary.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace game {

// A character of From becomes the character at the same place of To; others stay.
struct TAccentFoldingTable {
    std::string_view From;
    std::string_view To;
};
extern const TAccentFoldingTable AccentFoldingTable;

// The mask label is 36 characters wide: longer words are never played.
constexpr size_t MaxWordLength = 36;
constexpr char HiddenLetter = '~';
constexpr int32_t WordDrawAttempts = 5;

// Word with its accents folded, then lower-cased (A..Z only).
std::string FoldWord(const std::string& word);

// True for any text other than one letter A..Z or a..z.
bool IsNotPlainLetter(const std::string& text);

// Fills FoldedWord, DisplayMask and CompareMask of CurrentWord for Level: the levels that show
// the ends show every occurrence of the first and the last letter, the others hide every
// letter; non-letters are always shown. False when no letter is left to guess.
bool PrepareWordMasks(int32_t level);

// Draws up to 5 words at random from CurrentDictionary until one can be played at Level, and
// sets ResultLevel to MaxTries and RoundInProgress to whether a word is in play. CurrentWord
// changes only when a word was drawn. Error holds the last engine result.
bool DrawRandomWord(int32_t level, dictionary::TDictionaryError& error);

// The lower-case letters whose keys are shown at the start of the word (their keys go off).
std::string ShownLetterKeys(const std::string& compareMask);

// Whether Letter (a..z) was already shown or played in the current word.
bool LetterPlayed(char letter);

// The letter key that takes the focus at the start of a word: A, Z, then E (B and C instead
// with the alphabetical layout 0), the first whose letter is still to play.
char FirstLetterKeyToFocus();

// The letter (a..z) a key press plays: only while a word is in play, for A..Z or a..z not yet
// played; 0 otherwise.
char LetterOfKeyPress(char key);

// What one letter changed.
struct TLetterResult {
    bool Played = false;         // false when no word is in play or the letter was played before
    bool Matched = false;        // at least one position was revealed
    int32_t GallowsPicture = -1; // the picture to draw after a miss; -1 when it stays
    std::string Sound;           // the sound file to play; empty for none
};

// Reveals every position of CurrentWord whose folded character is Letter (so e reveals é, è,
// E ...), or costs a try.
TLetterResult ApplyLetter(char letter);

enum class TRoundOutcome {
    NoRound, // no word is in play: nothing changed
    Playing,
    Found,
    Lost,
};

// After every letter and on a time-out: ends the word when it is found or no try is left,
// counting it for the current player and choosing the scores window's mode.
TRoundOutcome CheckRoundOutcome();

// Gallows picture for the tries used so far: 0 empty, 7 hanged.
int32_t GallowsPicture();

// "Essai restant: 1" or "Essais restants: N" in the current language.
std::string TriesRemainingLabel(int32_t tries);

// Text in capitals (accented letters included) when the settings ask for it.
std::string FormatWordForDisplay(const std::string& text);

} // namespace game
