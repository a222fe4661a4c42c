#include "DictionaryFolder.h"

#include "dictionary/unitDictionary.h"
#include "platform/Exceptions.h"
#include "platform/Progress.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

using namespace dictionary;

namespace {

// A dictionary opened in a temporary folder, its index built by the engine unless given.
class OpenDictionary : public ::testing::Test {
protected:
    void Open(const std::string& content)
    {
        folder.WriteDictionary("words.dat", content);
        ASSERT_TRUE(folder.Open("words.dat", dict, error));
    }
    void OpenWithIndex(const std::string& content, const std::string& index)
    {
        folder.WriteDictionary("words.dat", content);
        folder.WriteIndex("words.ndx", index, 10);
        ASSERT_TRUE(folder.Open("words.dat", dict, error));
    }

    TDictionaryFolder folder;
    TDictionaryFile dict;
    TDictionaryError error;
    TDictionaryWord word;
};

// --- GetWord ---

// A line that is no number raises the conversion error instead of giving a code.
constexpr int32_t Raises = -1;

struct TGetWordCase {
    const char* name;
    int n;
    int32_t code; // or Raises
    std::string word;
    std::string definition;
    int32_t offset;
};

class GetWordTest : public OpenDictionary, public ::testing::WithParamInterface<TGetWordCase> {};

TEST_P(GetWordTest, ReadsWordN)
{
    const TGetWordCase& c = GetParam();
    Open("cat[a small animal]\r\ndog [ a\tbigger\r\n animal ]\r\n  [no word]\r\nend[]");
    word.Offset = -1;
    error.Code = 99;
    if (c.code == Raises) {
        EXPECT_THROW(GetWord(dict, c.n, word, error), platform::EConvertError);
        return;
    }

    EXPECT_EQ(GetWord(dict, c.n, word, error), c.code == errNone);
    EXPECT_EQ(error.Code, c.code);
    if (c.code == errNone) {
        EXPECT_EQ(word.Word, c.word);
        EXPECT_EQ(word.Definition, c.definition);
        EXPECT_EQ(word.Offset, c.offset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, GetWordTest,
    ::testing::Values(TGetWordCase{"First", 1, 0, "cat", "a small animal", 0},
                      TGetWordCase{"ControlBytesRemoved", 2, 0, "dog", "abigger animal", 19},
                      TGetWordCase{"EntryWithoutWord", 3, 1, "", "", 0},
                      TGetWordCase{"EmptyDefinition", 4, 0, "end", "", 59},
                      TGetWordCase{"AfterLastEntry", 5, 1, "", "", 0},
                      // Past the index's last line, the line read is empty: no number.
                      TGetWordCase{"PastIndex", 6, Raises, "", "", 0},
                      TGetWordCase{"FarPastIndex", INT_MAX, Raises, "", "", 0},
                      TGetWordCase{"Zero", 0, 1, "", "", 0},
                      TGetWordCase{"Negative", -1, 1, "", "", 0},
                      TGetWordCase{"MostNegative", INT_MIN, 1, "", "", 0}),
    [](const ::testing::TestParamInfo<TGetWordCase>& info) { return std::string(info.param.name); });

TEST_F(OpenDictionary, GetWordOnTwoWordsFindsSecondAtItsOffset)
{
    Open("a[x]b[y]");
    ASSERT_TRUE(GetWord(dict, 2, word, error));
    EXPECT_EQ(word.Word, "b");
    EXPECT_EQ(word.Definition, "y");
    EXPECT_EQ(word.Offset, 4);
    EXPECT_EQ(error.Code, errNone);
}

TEST_F(OpenDictionary, GetWordLeavesTheGamesFieldsAlone)
{
    Open("a[x]");
    word.FoldedWord = "F";
    word.DisplayMask = "D";
    word.CompareMask = "C";
    ASSERT_TRUE(GetWord(dict, 1, word, error));
    EXPECT_EQ(word.FoldedWord + word.DisplayMask + word.CompareMask, "FDC");
}

TEST_F(OpenDictionary, RefusesRecordNotInitialised)
{
    Open("a[x]");
    dict.Initialized = 0;
    EXPECT_FALSE(GetWord(dict, 1, word, error));
    EXPECT_EQ(error.Code, errNotInitialized);
    error.Code = 0;
    EXPECT_FALSE(ReadWordAt(dict, 0, error, word));
    EXPECT_EQ(error.Code, errNotInitialized);
}

// The index gone, or a folder in its place: neither opens as an index.
void ReplaceIndex(const TDictionaryFile& dict, bool withFolder)
{
    std::filesystem::remove(platform::NativePath(dict.IndexFileName));
    if (withFolder)
        std::filesystem::create_directory(platform::NativePath(dict.IndexFileName));
}

TEST_F(OpenDictionary, IndexThatCannotBeOpenedIsCode2)
{
    Open("a[x]");
    for (const bool withFolder : {false, true}) {
        ReplaceIndex(dict, withFolder);
        error.Code = 0;
        EXPECT_FALSE(GetWord(dict, 1, word, error)) << withFolder;
        EXPECT_EQ(error.Code, errIndexOpen) << withFolder;
    }
}

TEST_F(OpenDictionary, EmptyDictionaryHasNoWordAnywhere)
{
    Open("");
    for (int n : {0, 1}) {
        EXPECT_FALSE(GetWord(dict, n, word, error)) << n;
        EXPECT_EQ(error.Code, errNoWord) << n;
    }
    EXPECT_THROW(GetWord(dict, 2, word, error), platform::EConvertError); // past its two lines
    error.Code = 0;
    EXPECT_FALSE(ReadWordAt(dict, 0, error, word));
    EXPECT_EQ(error.Code, errNoWord);
}

// Index lines a hand or a fault could leave: never a read outside the file; a line that is no
// 32-bit number raises the conversion error, a number that points at no word is code 1.
struct TDamagedLineCase {
    const char* name;
    std::string line;
    bool raises;
};

class DamagedIndexTest : public OpenDictionary, public ::testing::WithParamInterface<TDamagedLineCase> {};

TEST_P(DamagedIndexTest, LineIsNoWord)
{
    const std::string content = "a[x]b[y]";
    // Right-aligned like every line, so the index keeps its shape and is not rebuilt.
    const std::string& line = GetParam().line;
    OpenWithIndex(content, IndexOf({8, 0}) + std::string(14 - line.size(), ' ') + line + "\r\n" + IndexOf({8}));
    if (GetParam().raises) {
        EXPECT_THROW(GetWord(dict, 2, word, error), platform::EConvertError);
        return;
    }
    EXPECT_FALSE(GetWord(dict, 2, word, error));
    EXPECT_EQ(error.Code, errNoWord);
}

INSTANTIATE_TEST_SUITE_P(Lines, DamagedIndexTest,
                         ::testing::Values(TDamagedLineCase{"Text", "   abc", true}, TDamagedLineCase{"Empty", "", true},
                                           TDamagedLineCase{"TrailingText", "4x", true},
                                           TDamagedLineCase{"Negative", "            -5", false},
                                           TDamagedLineCase{"PastFileEnd", "             9", false},
                                           TDamagedLineCase{"Beyond32Bits", "   99999999999", true}),
                         [](const ::testing::TestParamInfo<TDamagedLineCase>& info) { return std::string(info.param.name); });

TEST_F(OpenDictionary, IndexLinesMayEndInLineFeedAlone)
{
    const std::string lines[] = {"8", "0", "4", "8"};
    std::string index;
    for (const std::string& line : lines)
        index += std::string(15 - line.size(), ' ') + line + "\n"; // 16 bytes each
    OpenWithIndex("a[x]b[y]", index);
    ASSERT_TRUE(GetWord(dict, 2, word, error));
    EXPECT_EQ(word.Word, "b");
}

// --- ReadWordAt ---

struct TReadAtCase {
    const char* name;
    int32_t offset;
    bool found;
    std::string word;
    std::string definition;
};

class ReadWordAtTest : public OpenDictionary, public ::testing::WithParamInterface<TReadAtCase> {};

TEST_P(ReadWordAtTest, ReadsEntryAtOffset)
{
    const TReadAtCase& c = GetParam();
    Open("word1 [def1] word2 [def2]");
    error.Code = 99;
    word.Offset = -1;

    EXPECT_EQ(ReadWordAt(dict, c.offset, error, word), c.found);
    EXPECT_EQ(word.Word, c.word);
    EXPECT_EQ(word.Definition, c.definition);
    EXPECT_EQ(word.Offset, c.found ? c.offset : -1);
    const bool outside = c.offset < 0 || c.offset > 25;
    EXPECT_EQ(error.Code, outside ? errNoWord : 99); // set only when it refuses
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, ReadWordAtTest,
    ::testing::Values(TReadAtCase{"EntryStart", 0, true, "word1", "def1"},
                      TReadAtCase{"InsidePreviousDefinition", 8, true, "word2", "def2"},
                      TReadAtCase{"InsideWord", 2, true, "rd1", "def1"},
                      TReadAtCase{"AfterLastEntry", 25, false, "", ""},
                      TReadAtCase{"InsideLastDefinition", 22, false, "", ""},
                      TReadAtCase{"BeforeFile", -1, false, "", ""},
                      TReadAtCase{"PastFile", 26, false, "", ""},
                      TReadAtCase{"FarPastFile", INT_MAX, false, "", ""}),
    [](const ::testing::TestParamInfo<TReadAtCase>& info) { return std::string(info.param.name); });

TEST_F(OpenDictionary, LongEntriesReadAsFarAsTheirLimit)
{
    const std::string longWord(300, 'w');
    const std::string longDefinition(10000, 'd');
    const std::string tooLong(70000, 't');
    Open(longWord + "[" + longDefinition + "]next[" + tooLong + "]last[x]");

    ASSERT_TRUE(GetWord(dict, 1, word, error));
    EXPECT_EQ(word.Word, longWord);
    EXPECT_EQ(word.Definition, longDefinition);
    // The closing "]" lies beyond the bytes read: no definition, the word still counts.
    ASSERT_TRUE(GetWord(dict, 2, word, error));
    EXPECT_EQ(word.Word, "next");
    EXPECT_EQ(word.Definition, "");
    ASSERT_TRUE(GetWord(dict, 3, word, error));
    EXPECT_EQ(word.Word, "last");
}

TEST_F(OpenDictionary, NulByteEndsTheEntryText)
{
    Open(std::string("ab\0c[x]dog[x\0y]", 15));
    EXPECT_FALSE(GetWord(dict, 1, word, error)); // no "[" before the NUL
    EXPECT_EQ(error.Code, errNoWord);
    ASSERT_TRUE(GetWord(dict, 2, word, error)); // no "]" before it
    EXPECT_EQ(word.Word, "dog");
    EXPECT_EQ(word.Definition, "");
}

TEST_F(OpenDictionary, WindowsBytesStayAsTheyAre)
{
    Open("\xE9t\xE9 [saison \xAB chaude \xBB]");
    ASSERT_TRUE(GetWord(dict, 1, word, error));
    EXPECT_EQ(word.Word, "\xE9t\xE9");
    EXPECT_EQ(word.Definition, "saison \xAB chaude \xBB");
}

// --- LoadWordList ---

class LoadWordListTest : public OpenDictionary {
protected:
    void SetUp() override
    {
        WordArray.clear();
        OffsetArray.clear();
    }
};

TEST_F(LoadWordListTest, FillsWordsAndOffsets)
{
    const std::string longWord(300, 'w');
    Open(" cat [a]\r\n  [nothing]\r\n" + longWord + "[x]\r\n\xE9t\xE9[y]");
    ASSERT_TRUE(Initialize(dict.FileName, dict, nullptr, true, error));
    WordArray[2] = "kept";

    ASSERT_TRUE(LoadWordList(dict, nullptr));
    ASSERT_EQ(WordArray.size(), 5u);
    EXPECT_EQ(WordArray[1], "cat");
    EXPECT_EQ(WordArray[2], "kept"); // an entry without a word leaves the slot alone
    EXPECT_EQ(WordArray[3], longWord.substr(0, 256 - 2)); // cut to its entry's first bytes
    EXPECT_EQ(WordArray[4], "\xE9t\xE9");
    EXPECT_EQ(OffsetArray, (std::vector<int32_t>{0, 0, 8, 21, 326}));
}

TEST_F(LoadWordListTest, GrowsArraysItWasNotGivenRoomIn)
{
    Open("a[x]b[y]c[z]");
    ASSERT_TRUE(LoadWordList(dict, nullptr));
    EXPECT_EQ(WordArray, (std::vector<std::string>{"", "a", "b", "c"}));
}

TEST_F(LoadWordListTest, IndexThatCannotBeOpenedLoadsNothing)
{
    Open("a[x]");
    for (const bool withFolder : {false, true}) {
        ReplaceIndex(dict, withFolder);
        EXPECT_TRUE(LoadWordList(dict, nullptr)) << withFolder;
        EXPECT_TRUE(WordArray.empty()) << withFolder;
    }
}

TEST_F(LoadWordListTest, LineThatIsNoNumberRaises)
{
    OpenWithIndex("a[x]b[y]", IndexOf({8, 0}) + "          oops\r\n" + IndexOf({8}));
    EXPECT_THROW(LoadWordList(dict, nullptr), platform::EConvertError);
}

TEST_F(LoadWordListTest, OffsetOutsideFileReadsNoWord)
{
    OpenWithIndex("a[x]b[y]", IndexOf({8, 0, -4, 9999, 8}));
    ASSERT_TRUE(LoadWordList(dict, nullptr));
    EXPECT_EQ(WordArray, (std::vector<std::string>{"", "a", "", ""}));
    EXPECT_EQ(OffsetArray, (std::vector<int32_t>{0, 0, -4, 9999}));
}

TEST_F(LoadWordListTest, HandlerThatDropsTheArraysMidwayIsSurvived)
{
    // Pending messages run between two words; one may open another dictionary.
    class TDroppingProgress : public platform::TProgress {
    public:
        void SetMinimum(int) override {}
        void SetMaximum(int) override {}
        void SetPosition(int value) override
        {
            if (value == 2) {
                std::vector<std::string>().swap(WordArray);
                std::vector<int32_t>().swap(OffsetArray);
            }
        }
        int Minimum() const override { return 1; }
        void Repaint() override {}
    } progress;
    Open("a[x]b[y]c[z]");
    ASSERT_TRUE(LoadWordList(dict, &progress));
    EXPECT_EQ(WordArray, (std::vector<std::string>{"", "", "", "c"}));
    EXPECT_EQ(OffsetArray, (std::vector<int32_t>{0, 0, 0, 8}));
}

TEST_F(LoadWordListTest, ProgressRunsOverTheWords)
{
    class TRecordingProgress : public platform::TProgress {
    public:
        void SetMinimum(int value) override { minimum = value; }
        void SetMaximum(int value) override { maximum = value; }
        void SetPosition(int value) override { positions.push_back(value); }
        int Minimum() const override { return minimum; }
        void Repaint() override {}
        int minimum = -1;
        int maximum = -1;
        std::vector<int> positions;
    } progress;
    Open("a[x]b[y]c[z]");
    ASSERT_TRUE(LoadWordList(dict, &progress));
    EXPECT_EQ(progress.minimum, 1);
    EXPECT_EQ(progress.maximum, 3);
    EXPECT_EQ(progress.positions, (std::vector<int>{1, 1, 2, 3, 1}));
}

} // namespace
