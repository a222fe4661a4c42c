// The bundled dictionaries go through the engine and the viewer as the programs will take them:
// each indexes without error, every word reads back through the index, and every definition
// scans to its end as HTML.
#include "content/ContentFolder.h"
#include "dictionary/unitDictionary.h"
#include "htmlview/HtmlScanner.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> BundledDictionaries()
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(content::DataFolder() / "Dictionnaires"))
        if (entry.path().extension() == ".dat")
            found.push_back(entry.path());
    return found;
}

// Scans Html to its end; the message of the scanner's error, or empty.
std::string ScanError(const std::string& html)
{
    htmlview::THtmlScanner scanner;
    scanner.SetBufferSource(html.data(), html.size());
    try {
        scanner.NextChar();
        do
            scanner.NextToken();
        while (scanner.Token != htmlview::HtmlToken::EndOfInputToken);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

TEST(BundledDictionaries, IndexAndReadEveryWord)
{
    const auto dictionaries = BundledDictionaries();
    ASSERT_GE(dictionaries.size(), 2u);
    for (const fs::path& source : dictionaries) {
        SCOPED_TRACE(source.filename().string());
        // The index is written beside the dictionary: work on a copy, never in the source tree.
        QTemporaryDir folder;
        const fs::path copy = fs::path(folder.path().toStdString()) / source.filename();
        fs::copy_file(source, copy);

        dictionary::TDictionaryFile dict;
        dictionary::TDictionaryError error;
        ASSERT_TRUE(dictionary::Initialize(copy.string(), dict, nullptr, false, error)) << error.Code;
        EXPECT_GE(dict.WordCount, 200);

        for (int n = 1; n <= dict.WordCount; ++n) {
            dictionary::TDictionaryWord word;
            ASSERT_TRUE(dictionary::GetWord(dict, n, word, error)) << "word " << n;
            EXPECT_FALSE(word.Word.empty()) << "word " << n;
            EXPECT_FALSE(word.Definition.empty()) << word.Word;
            EXPECT_EQ(ScanError(word.Definition), "") << word.Word;
        }
    }
}

} // namespace
