// The bundled dictionaries are good to play: entries well delimited, every word playable at
// every level, no word twice, definitions that use only the viewer's HTML and pictures that
// exist, a description beside each dictionary, and Windows-1252 text throughout.
#include "content/ContentFolder.h"
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

struct TEntry {
    std::string word;
    std::string definition;
};

std::string Trimmed(const std::string& text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

// Splits a dictionary into entries; false at the first bracket out of turn.
bool ReadEntries(const std::string& bytes, std::vector<TEntry>& entries)
{
    size_t wordStart = 0;
    while (true) {
        const size_t open = bytes.find_first_of("[]", wordStart);
        if (open == std::string::npos)
            return true;
        if (bytes[open] == ']')
            return false;
        const size_t close = bytes.find_first_of("[]", open + 1);
        if (close == std::string::npos || bytes[close] == '[')
            return false;
        std::string definition = Trimmed(bytes.substr(open + 1, close - open - 1));
        std::erase_if(definition, [](char c) { return static_cast<unsigned char>(c) < 32; });
        entries.push_back({Trimmed(bytes.substr(wordStart, open - wordStart)), definition});
        wordStart = close + 1;
    }
}

// The word with its accents taken off and in lower case: what the player's letters are matched with.
std::string Folded(const std::string& word)
{
    static const auto table = [] {
        std::string accented, plain;
        platform::UnicodeToAnsi(QString::fromUtf8("àáâãäåçèéêëìíîïñòóôõöøùúûüýÿÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÑÒÓÔÕÖØÙÚÛÜÝß"), accented);
        plain = "aaaaaaceeeeiiiinoooooouuuuyyaaaaaaceeeeiiiinoooooouuuuys";
        return std::make_pair(accented, plain);
    }();
    std::string folded = word;
    for (char& c : folded) {
        const size_t at = table.first.find(c);
        if (at != std::string::npos)
            c = table.second[at];
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

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
};

class Dictionary : public testing::TestWithParam<TDictionary> {
protected:
    fs::path Folder() const { return content::DataFolder() / "Dictionnaires"; }
    fs::path File() const { return Folder() / (std::string(GetParam().name) + ".dat"); }
    std::vector<TEntry> Entries() const
    {
        std::vector<TEntry> entries;
        EXPECT_TRUE(ReadEntries(content::ReadBytes(File()), entries)) << "brackets out of turn in " << File();
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

TEST_P(Dictionary, IsWindowsTextWithADescriptionBesideIt)
{
    EXPECT_TRUE(content::IsWindowsText(content::ReadBytes(File())));
    const fs::path description = Folder() / (std::string(GetParam().name) + ".htm");
    ASSERT_TRUE(fs::is_regular_file(description));
    EXPECT_TRUE(content::IsWindowsText(content::ReadBytes(description)));
}

INSTANTIATE_TEST_SUITE_P(Bundled, Dictionary,
                         testing::Values(TDictionary{"Francais", 400}, TDictionary{"English", 200}),
                         [](const testing::TestParamInfo<TDictionary>& info) { return std::string(info.param.name); });

TEST(HelpFiles, AreWindowsTextAndShowTheInformationSign)
{
    const fs::path help = content::DataFolder() / "Aide";
    EXPECT_TRUE(fs::is_regular_file(help / "info.gif"));
    for (const char* name : {"garvo.htm", "garvo-en.htm"})
        EXPECT_TRUE(content::IsWindowsText(content::ReadBytes(help / name))) << name;
}

} // namespace
