#pragma once
// The utility's French and English texts, carried in the program (Windows-1252) and picked by
// language code: 33 French, any other code English.
#include <cstdint>
#include <string>
#include <vector>

namespace utility {

constexpr int32_t FrenchLanguage = 33;
constexpr int32_t EnglishLanguage = 1;

// Caption (empty for a control without one) and hint of a control or menu item, by its name.
struct TControlText {
    std::string Name;
    std::string Caption;
    std::string Hint;
};

struct TIndexTexts {
    std::string BytesLabel;
    std::string DictionaryLabel;
    std::string IndexFileLabel;
    std::string WordCountSuffix;
    std::string WordsLabel;
    std::string WordExistsText;
    std::string WarningText;
    std::string SaveQuestionText;
    std::string CursorPositionFormat; // two integers, each right-aligned in 3 characters
    std::string OpenDialogTitle;
    std::string SaveDialogTitle;
    std::string DialogFilter;
    std::string WindowCaption;
    std::string EditorHelp; // lblInfoText
    // Refusals of words and texts the dictionary file could not hold.
    std::string BracketText;
    std::string WordTooLongText;
    std::string DefinitionTooLongText;
    std::string UnencodableText;
    // Said with the file's name when New cannot make it.
    std::string CannotCreateText;
    std::string WriteFailedText; // followed by the file's path
    std::vector<TControlText> Controls;
};

const TIndexTexts& IndexTexts(int32_t languageCode);
// CursorPositionFormat filled with Line and Column.
std::string FormatCursorPosition(const TIndexTexts& texts, int32_t line, int32_t column);

} // namespace utility
