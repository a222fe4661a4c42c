#include "dictionary/unitDictionary.h"

#include <gtest/gtest.h>

using namespace dictionary;

namespace {

struct TMessageCase {
    const char* name;
    int languageCode;
    int32_t code;
    int32_t extended;
    std::string expected;
};

const std::string DicPath = "C:\\Dic\\animals.dat";

class MessageTest : public ::testing::TestWithParam<TMessageCase> {};

TEST_P(MessageTest, FormatsCodeInLanguage)
{
    const TMessageCase& c = GetParam();
    TDictionaryTranslation translation;
    ASSERT_TRUE(SetDictionaryLanguage(translation, c.languageCode));
    TDictionaryFile dict;
    dict.FileName = DicPath;
    TDictionaryError error;
    error.Code = c.code;
    error.Extended = c.extended;

    ASSERT_TRUE(FormatDictionaryError(dict, translation, error));
    EXPECT_EQ(error.Message, c.expected);
    EXPECT_EQ(error.Text, c.expected);
    EXPECT_EQ(error.Code, c.code);
    EXPECT_EQ(error.Extended, c.extended);
}

const std::string P = DicPath;
const std::string EnglishHeader = "Lexorim: Error: " + P + "<br>";
const std::string FrenchHeader = "Lexorim: Erreur: " + P + "<br>";

INSTANTIATE_TEST_SUITE_P(
    Codes, MessageTest,
    ::testing::Values(
        TMessageCase{"EnglishNoWord", 1, 1, 0, "GetWord: Error in : " + P},
        TMessageCase{"EnglishIndexOpen", 1, 2, 0, "GetWord: File I/O error in : " + P},
        TMessageCase{"EnglishNotInitialized", 1, 16, 0, "Initialize: Dictionary is not initialized: " + P},
        TMessageCase{"EnglishNotFound", 1, 17, 0, P + ": Initialize: Dictionary file not found"},
        TMessageCase{"EnglishIndexRead", 1, 32, 0, "Lexorim: File I/O read error: " + P},
        TMessageCase{"EnglishIndexWrite", 1, 33, 0, EnglishHeader + "Lexorim: File I/O write error: " + P},
        TMessageCase{"EnglishOpenBracket", 1, 34, 12, EnglishHeader + "Lexorim: Too many [ at word #12"},
        TMessageCase{"EnglishCloseBracket", 1, 35, 0, EnglishHeader + "Lexorim: Too many ] at word #0"},
        TMessageCase{"EnglishIndex", 1, 36, 0, "Lexorim: Error: " + P},
        TMessageCase{"EnglishUndefined", 1, 5, 7, "Undefined error.<br>Error level #: 5<br>Extended error #: 7"},
        TMessageCase{"EnglishSuccessIsUndefined", 1, 0, -3,
                     "Undefined error.<br>Error level #: 0<br>Extended error #: -3"},
        TMessageCase{"FrenchNoWord", 33, 1, 0, "GetWord: Erreur dans : " + P},
        TMessageCase{"FrenchIndexOpen", 33, 2, 0, "GetWord: Erreur d'acc\xE8s au fichier : " + P},
        TMessageCase{"FrenchNotInitialized", 33, 16, 0,
                     "Initialize: Le dictionnaire n'est pas initialis\xE9: " + P},
        TMessageCase{"FrenchNotFound", 33, 17, 0, P + ": Initialize: Le dictionnaire est introuvable"},
        TMessageCase{"FrenchIndexRead", 33, 32, 0, "Lexorim: Erreur en lecture: " + P},
        TMessageCase{"FrenchIndexWrite", 33, 33, 0, FrenchHeader + "Lexorim: Erreur en \xE9" "criture: " + P},
        TMessageCase{"FrenchOpenBracket", 33, 34, 2, FrenchHeader + "Lexorim: Trop de [ au mot n\xB0" "2"},
        TMessageCase{"FrenchCloseBracket", 33, 35, 4, FrenchHeader + "Lexorim: Trop de ] au mot n\xB0" "4"},
        TMessageCase{"FrenchUndefined", 33, 99, -1,
                     "Erreur non d\xE9" "finie.<br>Erreur n\xB0: 99<br>Erreur \xE9tendue n\xB0: -1"},
        TMessageCase{"LanguageZeroIsFrench", 0, 17, 0, P + ": Initialize: Le dictionnaire est introuvable"},
        TMessageCase{"LanguageTwoIsFrench", 2, 17, 0, P + ": Initialize: Le dictionnaire est introuvable"}),
    [](const ::testing::TestParamInfo<TMessageCase>& info) { return std::string(info.param.name); });

TEST(MessageTest, PathGoesInUnescaped)
{
    TDictionaryTranslation translation;
    SetDictionaryLanguage(translation, LanguageEnglish);
    TDictionaryFile dict;
    dict.FileName = "/d/<b>&amp.dat";
    TDictionaryError error;
    error.Code = errFileNotFound;
    FormatDictionaryError(dict, translation, error);
    EXPECT_EQ(error.Message, "/d/<b>&amp.dat: Initialize: Dictionary file not found");
}

TEST(MessageTest, PositionFragmentInBothLanguages)
{
    // Part of the record though no message uses it.
    TDictionaryTranslation translation;
    SetDictionaryLanguage(translation, LanguageEnglish);
    EXPECT_EQ(translation.AtPosition, " at position");
    SetDictionaryLanguage(translation, LanguageFrench);
    EXPECT_EQ(translation.AtPosition, " \xE0 la position");
}

} // namespace
