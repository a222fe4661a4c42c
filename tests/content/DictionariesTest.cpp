// The bundled dictionaries are good to play: entries well delimited, every word playable at
// every level, no word twice, definitions that use only the viewer's HTML and pictures that
// exist and never show their own word, a description beside each dictionary, and Windows-1252
// text throughout.
#include "content/AnswerForms.h"
#include "content/ContentFolder.h"
#include "content/DictionaryEntries.h"
#include "platform/Windows1252.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using content::Folded;
using content::TEntry;

// At the easy levels the first and last letters are shown wherever they occur: some other
// plain letter must stay to be guessed, or the game refuses the word.
bool PlayableAtEveryLevel(const std::string& word)
{
    const std::string folded = Folded(word);
    return std::any_of(folded.begin(), folded.end(), [&](char c) {
        return c >= 'a' && c <= 'z' && c != folded.front() && c != folded.back();
    });
}

struct TDictionary {
    const char* name;
    size_t minimumEntries;
    content::TLanguage language;
};

class Dictionary : public testing::TestWithParam<TDictionary> {
protected:
    fs::path Folder() const { return content::DataFolder() / "Dictionnaires"; }
    fs::path File() const { return Folder() / (std::string(GetParam().name) + ".dat"); }
    std::vector<TEntry> Entries() const
    {
        std::vector<TEntry> entries;
        EXPECT_TRUE(content::ReadEntries(content::ReadBytes(File()), entries)) << "brackets out of turn in " << File();
        return entries;
    }
};

TEST_P(Dictionary, HoldsEnoughWellDelimitedEntries)
{
    EXPECT_GE(Entries().size(), GetParam().minimumEntries);
}

TEST_P(Dictionary, EveryWordIsPlayableAndUnique)
{
    std::set<std::string> seen;
    for (const TEntry& entry : Entries()) {
        ASSERT_FALSE(entry.word.empty());
        EXPECT_LE(entry.word.size(), 36u) << entry.word;
        EXPECT_TRUE(PlayableAtEveryLevel(entry.word)) << entry.word;
        EXPECT_TRUE(seen.insert(platform::AnsiLowerCase(entry.word)).second) << "twice: " << entry.word;
    }
}

TEST_P(Dictionary, DefinitionsUseTheViewersTagsAndExistingPictures)
{
    static const std::set<std::string> vocabulary = {"A", "B", "BR", "EM", "FONT", "I", "IMG", "LI", "OL",
                                                      "P", "STRONG", "TABLE", "TD", "TH", "TR", "U", "UL"};
    const std::regex tag("</?([A-Za-z]+)");
    const std::regex picture("src=\"([^\"]+)\"");
    for (const TEntry& entry : Entries()) {
        EXPECT_FALSE(entry.definition.empty()) << entry.word;
        for (std::sregex_iterator it(entry.definition.begin(), entry.definition.end(), tag), end; it != end; ++it)
            EXPECT_TRUE(vocabulary.count(platform::AnsiUpperCase((*it)[1].str()))) << entry.word << ": " << it->str();
        for (std::sregex_iterator it(entry.definition.begin(), entry.definition.end(), picture), end; it != end; ++it)
            EXPECT_TRUE(fs::is_regular_file(Folder() / (*it)[1].str())) << entry.word << ": " << (*it)[1];
    }
}

// Where the definition is the hint, it must not give the answer away.
TEST_P(Dictionary, DefinitionsNeverShowTheirWord)
{
    for (const TEntry& entry : Entries()) {
        const std::string shown = content::ShownAnswer(entry.word, entry.definition, GetParam().language);
        EXPECT_TRUE(shown.empty()) << platform::AnsiToUnicode(entry.word).toStdString() << ": \"" << shown << '"';
    }
}

TEST_P(Dictionary, IsWindowsTextWithADescriptionBesideIt)
{
    EXPECT_TRUE(content::IsWindowsText(content::ReadBytes(File())));
    const fs::path description = Folder() / (std::string(GetParam().name) + ".htm");
    ASSERT_TRUE(fs::is_regular_file(description));
    EXPECT_TRUE(content::IsWindowsText(content::ReadBytes(description)));
}

INSTANTIATE_TEST_SUITE_P(Bundled, Dictionary,
                         testing::Values(TDictionary{"Francais", 400, content::TLanguage::French},
                                         TDictionary{"English", 200, content::TLanguage::English}),
                         [](const testing::TestParamInfo<TDictionary>& info) { return std::string(info.param.name); });

TEST(HelpFiles, AreWindowsTextAndShowTheInformationSign)
{
    const fs::path help = content::DataFolder() / "Aide";
    EXPECT_TRUE(fs::is_regular_file(help / "info.gif"));
    for (const char* name : {"garvo.htm", "garvo-en.htm"})
        EXPECT_TRUE(content::IsWindowsText(content::ReadBytes(help / name))) << name;
}

} // namespace
