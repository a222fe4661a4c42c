// The lines an index build writes: each line's form, and the lines and errors of builds over
// dictionaries of every layout, with brackets at every place of the scan's chunks and blocks.
#include "DictionaryFolder.h"

#include "dictionary/dictionaryFiles.h"
#include "dictionary/unitDictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using namespace dictionary;

namespace {

// --- One line ---

struct TLineCase {
    uint32_t value;
    const char* line;
};

// Every digit count, at both ends, written over a buffer that holds other bytes.
TEST(IndexLineTest, RightAlignsEveryDigitCount)
{
    const TLineCase cases[] = {
        {0, "             0\r\n"},          {7, "             7\r\n"},
        {10, "            10\r\n"},         {99, "            99\r\n"},
        {100, "           100\r\n"},        {1'000, "          1000\r\n"},
        {10'203, "         10203\r\n"},     {999'999, "        999999\r\n"},
        {1'000'000, "       1000000\r\n"},  {10'000'001, "      10000001\r\n"},
        {99'999'999, "      99999999\r\n"}, {100'000'000, "     100000000\r\n"},
        {100'000'009, "     100000009\r\n"}, {999'999'999, "     999999999\r\n"},
        {1'000'000'000, "    1000000000\r\n"}, {2'147'483'647, "    2147483647\r\n"},
        {4'294'967'295, "    4294967295\r\n"},
    };
    for (const TLineCase& c : cases) {
        std::string line(IndexLineLength + 1, '9');
        FormatIndexLine(c.value, line.data());
        EXPECT_EQ(line, std::string(c.line) + "9") << c.value;
    }
}

// --- Whole builds ---

// A dictionary made entry by entry, with what it is known to hold.
struct TGeneratedDictionary {
    std::string Content;
    std::vector<long long> Ends;        // the offset just after each "]"
    std::vector<size_t> WordBytes;       // offsets of bytes in words
    std::vector<size_t> DefinitionBytes; // offsets of bytes inside definitions
};

// Entries of varied length (most short, some past a chunk, a few past a block), laid out with
// CR LF, LF, blanks or nothing between them, with the last one ending at the end of the file.
TGeneratedDictionary Generate(unsigned seed, size_t size)
{
    std::mt19937 random(seed);
    const auto below = [&](size_t limit) { return static_cast<size_t>(random() % limit); };
    const std::vector<std::string> layouts = {"\r\n", "\n", "", " ", "\r\n  "};
    const std::string letters = "abcdefghijklmnopqrstuvwxyz\xE9\xE8\xE0 \t\r\n";
    const auto text = [&](size_t length, std::vector<size_t>& offsets, size_t start) {
        std::string bytes;
        for (size_t i = 0; i < length; ++i) {
            bytes += letters[below(letters.size())];
            offsets.push_back(start + i);
        }
        return bytes;
    };
    TGeneratedDictionary dict;
    std::string& content = dict.Content;
    while (content.size() < size) {
        content += text(below(40), dict.WordBytes, content.size());
        content += '[';
        const size_t roll = below(100);
        const size_t length = roll < 80 ? below(60) : roll < 99 ? 64 + below(400) : 65535 + below(2000);
        content += text(length, dict.DefinitionBytes, content.size());
        content += ']';
        dict.Ends.push_back(static_cast<long long>(content.size()));
        if (content.size() < size)
            content += layouts[below(layouts.size())];
    }
    return dict;
}

std::vector<long long> IndexValues(const TGeneratedDictionary& dict)
{
    std::vector<long long> values = {static_cast<long long>(dict.Content.size()), 0};
    values.insert(values.end(), dict.Ends.begin(), dict.Ends.end());
    return values;
}

TEST(GeneratedBuildTest, IndexHoldsTheEndOfEveryEntry)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        const TGeneratedDictionary generated = Generate(seed, 300'000);
        TDictionaryFolder folder;
        folder.WriteDictionary("words.dat", generated.Content);
        TDictionaryFile dict;
        TDictionaryError error;
        ASSERT_TRUE(folder.Open("words.dat", dict, error)) << "seed " << seed;
        EXPECT_EQ(dict.WordCount, static_cast<int32_t>(generated.Ends.size()));
        EXPECT_EQ(folder.Read("words.ndx"), IndexOf(IndexValues(generated))) << "seed " << seed;
    }
}

// Offsets near the ends of the scan's 64-byte chunks and of its 65,535-byte blocks, and others.
std::vector<size_t> ProbedOffsets(size_t size)
{
    std::vector<size_t> offsets;
    for (const size_t base : {size_t{0}, size_t{64}, size_t{128 * 64}, size_t{65535}, size_t{2 * 65535}})
        for (const size_t shift : {0, 1, 2, 31, 32, 62, 63})
            if (base + shift < size)
                offsets.push_back(base + shift);
    for (size_t offset = 1000; offset < size; offset += 7777)
        offsets.push_back(offset);
    return offsets;
}

// The first byte at or after Offset among Bytes (ascending); none past the end.
const size_t* FirstFrom(const std::vector<size_t>& bytes, size_t offset)
{
    const auto found = std::lower_bound(bytes.begin(), bytes.end(), offset);
    return found == bytes.end() ? nullptr : &*found;
}

// A "]" in a word closes nothing; a "[" in a definition opens a second one. Either stops the
// pass there, with the count of "[" met so far, the misplaced one included.
TEST(GeneratedBuildTest, MisplacedBracketStopsThePassWhereItIs)
{
    const TGeneratedDictionary generated = Generate(5, 200'000);
    TDictionaryFolder folder;
    for (const bool inDefinition : {false, true}) {
        for (const size_t probe : ProbedOffsets(generated.Content.size())) {
            const size_t* offset = FirstFrom(inDefinition ? generated.DefinitionBytes : generated.WordBytes, probe);
            if (!offset)
                continue;
            std::string content = generated.Content;
            content[*offset] = inDefinition ? '[' : ']';
            const auto opens = std::count(content.begin(), content.begin() + static_cast<long>(*offset) + 1, '[');
            folder.WriteDictionary("words.dat", content);
            TDictionaryFile dict;
            TDictionaryError error;
            EXPECT_FALSE(folder.Open("words.dat", dict, error));
            EXPECT_EQ(error.Code, inDefinition ? errOpenBracket : errCloseBracket) << "at " << *offset;
            EXPECT_EQ(error.Extended, opens) << "at " << *offset;
        }
    }
}

TEST(GeneratedBuildTest, LastDefinitionNeverClosed)
{
    TGeneratedDictionary generated = Generate(6, 100'000);
    generated.Content += "mot\r\n  [sans fin";
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", generated.Content);
    TDictionaryFile dict;
    TDictionaryError error;
    EXPECT_FALSE(folder.Open("words.dat", dict, error));
    EXPECT_EQ(error.Code, errOpenBracket);
    EXPECT_EQ(error.Extended, static_cast<int32_t>(generated.Ends.size()) + 1);
}

// Offsets of 8 and 9 digits, in a dictionary that is mostly a hole of NUL bytes.
TEST(GeneratedBuildTest, OffsetsPastOneHundredMillion)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("big.dat", "a[x]");
    const std::string path = platform::NativePath(folder.Path("big.dat"));
    ASSERT_EQ(::truncate(path.c_str(), 99'999'995), 0);
    std::ofstream(path, std::ios::binary | std::ios::app) << "b[y]c[z]";
    folder.SetTime("big.dat", TDictionaryFolder::BaseTime);
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("big.dat", dict, error));
    EXPECT_EQ(folder.Read("big.ndx"), IndexOf({100'000'003, 0, 4, 99'999'999, 100'000'003}));
}

} // namespace
