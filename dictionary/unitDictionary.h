#pragma once
// The dictionary engine: opening a dictionary, checking and building its index, reading word N
// or the entry at a byte offset, loading the whole word list, and the bilingual HTML messages of
// its failures. Operations never raise for the failures they know: they return false and leave a
// code in the caller's TDictionaryError. A dictionary file that exists but cannot be read raises
// platform::EInOutError; an index line that is no number (or, for GetWord, a line past the end of
// the index) raises platform::EConvertError from GetWord and LoadWordList.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class TProgress;
}

namespace dictionary {

struct TDictionaryFile {
    std::string FileName; // full path of the dictionary file
    std::string Name;
    int32_t WordCount = 0;
    int32_t Initialized = 0; // 1 once Initialize succeeded
    std::string IndexFileName;
    std::string IndexName;
    std::string InfoFileName;
    std::string InfoName;
};

struct TDictionaryWord {
    std::string FoldedWord; // FoldedWord and the masks belong to the game
    std::string Word;
    std::string Definition; // an HTML fragment, control bytes removed
    std::string DisplayMask;
    std::string CompareMask;
    int32_t Offset = 0; // where in the dictionary file the entry was read
};

struct TDictionaryError {
    int32_t Code = 0;
    std::string Message; // HTML
    std::string Text;    // the same text as Message
    int32_t Extended = 0; // word count after an index pass, "[" met at a bracket error
};

// Result codes.
constexpr int32_t errNone = 0;
constexpr int32_t errNoWord = 1;          // no word at the offset the index gives
constexpr int32_t errIndexOpen = 2;       // the index cannot be opened
constexpr int32_t errNotInitialized = 16;
constexpr int32_t errFileNotFound = 17;   // the dictionary is missing or has no readable date
constexpr int32_t errIndexRead = 32;      // a broken index that may not be rebuilt
constexpr int32_t errIndexWrite = 33;     // the index cannot be created or written
constexpr int32_t errOpenBracket = 34;    // a "[" where a "]" was due, or a "[" never closed
constexpr int32_t errCloseBracket = 35;   // a "]" that closes nothing
constexpr int32_t errIndex = 36;          // has a message, never set

constexpr int32_t LanguageFrench = 33;
constexpr int32_t LanguageEnglish = 1;

// The message fragments of one language (Windows-1252).
struct TDictionaryTranslation {
    std::string AtPosition;
    std::string AtWord;
    std::string ErrorLevel;
    std::string ExtendedError;
    std::string GetWordError;
    std::string GetWordIOError;
    std::string NotInitialized;
    std::string FileNotFound;
    std::string IndexReadError;
    std::string IndexWriteError;
    std::string TooManyOpenBrackets;
    std::string TooManyCloseBrackets;
    std::string IndexError;
    std::string UndefinedError;
};

// English for language code 1, French for every other code. Always true.
bool SetDictionaryLanguage(TDictionaryTranslation& translation, int languageCode);

// Fills Message and Text from Code, Extended and the dictionary's path. Always true.
bool FormatDictionaryError(const TDictionaryFile& dict, const TDictionaryTranslation& translation,
                           TDictionaryError& error);

// Opens the dictionary FileName into Dict and makes sure its index is current. With
// AllocateWordArrays, WordArray and OffsetArray are sized for the dictionary's words.
bool Initialize(const std::string& fileName, TDictionaryFile& dict, platform::TProgress* progressBar,
                bool allocateWordArrays, TDictionaryError& error);

// Checks the index of an initialised dictionary and rebuilds it when it is missing, older than
// the dictionary or broken (no whole number of lines, fewer than two) and has plain attributes,
// or when Force is set; never on a read-only medium. The index is replaced only by a pass that
// succeeds. True exactly when Error.Code ends 0; Error.Extended is then the word count.
bool Lexorim(TDictionaryFile& dict, bool force, platform::TProgress* progressBar, TDictionaryError& error);

// Reads the entry whose text begins at Offset. Sets Error.Code only when it refuses: 16 for a
// record that is not initialised, 1 for an offset outside the file.
bool ReadWordAt(const TDictionaryFile& dict, int32_t offset, TDictionaryError& error, TDictionaryWord& word);

// Reads word N (from 1) through the index. Error.Code ends 0, 1, 2 or 16; 1 also for N below 0.
// Line N + 1 of the index being no number, or past its end, raises platform::EConvertError.
bool GetWord(const TDictionaryFile& dict, int n, TDictionaryWord& word, TDictionaryError& error);

// Fills WordArray and OffsetArray for words 1 to WordCount (at most 9,999,999 when the count
// passes 10,000,000). Always true; nothing is loaded when the index cannot be opened.
bool LoadWordList(const TDictionaryFile& dict, platform::TProgress* progressBar);

// Word i of the open dictionary and the offset of its entry, from 1 (entry 0 unused); shared
// with the utility's word list.
extern std::vector<std::string> WordArray;
extern std::vector<int32_t> OffsetArray;

} // namespace dictionary
