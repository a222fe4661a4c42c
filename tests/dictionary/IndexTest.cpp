#include "DictionaryFolder.h"

#include "dictionary/dictionaryFiles.h"
#include "dictionary/unitDictionary.h"
#include "platform/Exceptions.h"
#include "platform/Progress.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <vector>

using namespace dictionary;

namespace {

// --- Building an index from scratch ---

struct TBuildCase {
    const char* name;
    std::string content;
    int32_t code;
    int32_t extended;
    std::string index; // after the pass; empty: no index is left
};

class BuildTest : public ::testing::TestWithParam<TBuildCase> {};

TEST_P(BuildTest, BuildsMissingIndex)
{
    const TBuildCase& c = GetParam();
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", c.content);
    TDictionaryFile dict;
    TDictionaryError error;

    EXPECT_EQ(folder.Open("words.dat", dict, error), c.code == errNone);
    EXPECT_EQ(error.Code, c.code);
    EXPECT_EQ(error.Extended, c.extended);
    EXPECT_EQ(folder.Exists("words.ndx"), !c.index.empty());
    EXPECT_EQ(folder.Read("words.ndx"), c.index);
    if (c.code == errNone) {
        EXPECT_EQ(dict.WordCount, c.extended);
        EXPECT_EQ(dict.Initialized, 1);
    } else {
        EXPECT_EQ(dict.Initialized, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dictionaries, BuildTest,
    ::testing::Values(
        TBuildCase{"TwoEntries", "a[x]b[y]", 0, 2, IndexOf({8, 0, 4, 8})},
        TBuildCase{"OneEntry", "cat[a small animal]", 0, 1, IndexOf({19, 0, 19})},
        TBuildCase{"Empty", "", 0, 0, IndexOf({0, 0})},
        TBuildCase{"TextAfterLastEntry", "a[x] tail", 0, 1, IndexOf({9, 0, 4})},
        TBuildCase{"LayoutAround", "\r\n  cat \r\n  [a\r\n b]\r\n", 0, 1, IndexOf({21, 0, 19})},
        // Failed passes made the index themselves, so none is left to pass for current.
        TBuildCase{"OpenBracketTwice", "a[x[y]", 34, 2, ""},
        TBuildCase{"CloseBracketFirst", "a]b[x]", 35, 0, ""},
        TBuildCase{"CloseBracketTwice", "a[x]b]", 35, 1, ""},
        TBuildCase{"OpenBracketNeverClosed", "a[x]b[y", 34, 2, ""},
        TBuildCase{"OnlyOpenBracket", "[", 34, 1, ""}),
    [](const ::testing::TestParamInfo<TBuildCase>& info) { return std::string(info.param.name); });

TEST(BuildTest, PassLongerThanOneBlockKeepsOffsets)
{
    TDictionaryFolder folder;
    const std::string filler(70000, 'w');
    folder.WriteDictionary("big.dat", "a[x]" + filler + "[y]b[z]");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("big.dat", dict, error));
    EXPECT_EQ(dict.WordCount, 3);
    EXPECT_EQ(folder.Read("big.ndx"), IndexOf({70011, 0, 4, 70007, 70011}));
}

// A "]" in the last byte of one block and a "[" in the first byte of the next.
TEST(BuildTest, BracketsAtBlockEdgesCount)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("edge.dat", "a[" + std::string(65532, 'x') + "][y]");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("edge.dat", dict, error));
    EXPECT_EQ(folder.Read("edge.ndx"), IndexOf({65538, 0, 65535, 65538}));
    folder.WriteDictionary("edge.dat", "a[" + std::string(65532, 'x') + "[y]");
    EXPECT_FALSE(Lexorim(dict, true, nullptr, error));
    EXPECT_EQ(error.Code, errOpenBracket);
    EXPECT_EQ(error.Extended, 2);
}

// --- Whether an existing index is rebuilt ---

enum class TIndexState { Missing, Older, Same, Newer };

struct TDecisionCase {
    const char* name;
    TIndexState state;
    bool readOnly;
    bool force;
    bool rebuilt;
};

class RebuildDecisionTest : public ::testing::TestWithParam<TDecisionCase> {};

// A stale 48-byte index (one word by its size) beside a dictionary of two words: a rebuild
// shows as two words and the real index lines.
TEST_P(RebuildDecisionTest, RebuildsOnlyWhenDue)
{
    const TDecisionCase& c = GetParam();
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    const std::string staleIndex(48, '#');
    if (c.state != TIndexState::Missing) {
        const std::time_t shift = c.state == TIndexState::Older ? -10 : c.state == TIndexState::Newer ? 10 : 0;
        folder.WriteIndex("words.ndx", staleIndex, shift);
        if (c.readOnly)
            folder.SetReadOnly("words.ndx");
    }
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));

    const bool ok = Lexorim(dict, c.force, nullptr, error);
    const bool refused = c.force && c.readOnly; // a protected index cannot be replaced
    EXPECT_EQ(ok, !refused);
    EXPECT_EQ(error.Code, refused ? errIndexWrite : errNone);
    if (!refused) {
        EXPECT_EQ(error.Extended, c.rebuilt ? 2 : 1);
    }
    EXPECT_EQ(folder.Read("words.ndx"), c.rebuilt ? IndexOf({8, 0, 4, 8}) : staleIndex);
}

INSTANTIATE_TEST_SUITE_P(
    IndexStates, RebuildDecisionTest,
    ::testing::Values(TDecisionCase{"Missing", TIndexState::Missing, false, false, true},
                      TDecisionCase{"OlderPlain", TIndexState::Older, false, false, true},
                      TDecisionCase{"OlderReadOnly", TIndexState::Older, true, false, false},
                      TDecisionCase{"SameAge", TIndexState::Same, false, false, false},
                      TDecisionCase{"Newer", TIndexState::Newer, false, false, false},
                      TDecisionCase{"NewerForced", TIndexState::Newer, false, true, true},
                      TDecisionCase{"ReadOnlyForced", TIndexState::Newer, true, true, false}),
    [](const ::testing::TestParamInfo<TDecisionCase>& info) { return std::string(info.param.name); });

TEST(RebuildDecisionTest, AgesWithinTwoSecondsAreEqual)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    folder.SetTime("words.dat", TDictionaryFolder::BaseTime + 1);
    folder.WriteIndex("words.ndx", IndexOf({8, 0, 4}), 0); // one second older, same FAT step
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    EXPECT_EQ(dict.WordCount, 1);
}

// Indexes no finished pass leaves, newer than their dictionary: no whole number of 16-byte
// lines, or fewer than two lines. Each would give a wrong word count, -2 for an empty one.
struct TBrokenShapeCase {
    const char* name;
    std::string index;
};

const TBrokenShapeCase BrokenShapes[] = {
    {"Empty", ""},
    {"CutInFirstLine", IndexOf({8}).substr(0, 15)},
    {"CutInSecondLine", IndexOf({8, 0}).substr(0, 17)},
    {"OneLine", IndexOf({8})},
    {"CutInThirdLine", IndexOf({8, 0, 4}).substr(0, 40)},
};

class BrokenIndexTest : public ::testing::TestWithParam<TBrokenShapeCase> {};

TEST_P(BrokenIndexTest, PlainIndexIsRebuilt)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    folder.WriteIndex("words.ndx", GetParam().index, 10);
    TDictionaryFile dict;
    TDictionaryError error;
    WordArray.assign(5, "old");
    ASSERT_TRUE(Initialize(folder.Path("words.dat"), dict, nullptr, true, error));
    EXPECT_EQ(dict.WordCount, 2);
    EXPECT_EQ(WordArray.size(), 3u);
    EXPECT_EQ(folder.Read("words.ndx"), IndexOf({8, 0, 4, 8}));
}

// Read-only or hidden: the index may not be rebuilt, so opening fails with a code the programs
// show, and the index is left alone.
TEST_P(BrokenIndexTest, ProtectedIndexIsAnError)
{
    for (const std::string base : {"words", ".hidden"}) {
        TDictionaryFolder folder;
        folder.WriteDictionary(base + ".dat", "a[x]b[y]");
        folder.WriteIndex(base + ".ndx", GetParam().index, 10);
        if (base == "words")
            folder.SetReadOnly(base + ".ndx");
        TDictionaryFile dict;
        TDictionaryError error;
        EXPECT_FALSE(folder.Open(base + ".dat", dict, error)) << base;
        EXPECT_EQ(error.Code, errIndexRead) << base;
        EXPECT_EQ(dict.Initialized, 0) << base;
        EXPECT_EQ(folder.Read(base + ".ndx"), GetParam().index) << base;

        EXPECT_FALSE(Lexorim(dict, false, nullptr, error)) << base;
        EXPECT_EQ(error.Code, errIndexRead) << base;
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, BrokenIndexTest, ::testing::ValuesIn(BrokenShapes),
                         [](const ::testing::TestParamInfo<TBrokenShapeCase>& info) { return std::string(info.param.name); });

// --- Failed passes and the index they leave ---

struct TFailureCase {
    const char* name;
    bool readOnly;
    bool indexLeft;
};

class FailedPassTest : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(FailedPassTest, FailedIndexGoesOnlyWhenPlain)
{
    const TFailureCase& c = GetParam();
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    folder.WriteIndex("words.ndx", IndexOf({8, 0, 4, 8}), 10);
    if (c.readOnly)
        folder.SetReadOnly("words.ndx");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    // The dictionary turns bad and newer than its index.
    folder.Write("words.dat", "a[x[y]");
    folder.SetTime("words.dat", TDictionaryFolder::BaseTime + 20);

    EXPECT_EQ(Lexorim(dict, true, nullptr, error), false);
    EXPECT_EQ(error.Code, c.readOnly ? errIndexWrite : errOpenBracket);
    EXPECT_EQ(folder.Exists("words.ndx"), c.indexLeft);
}

INSTANTIATE_TEST_SUITE_P(Attributes, FailedPassTest,
                         ::testing::Values(TFailureCase{"Plain", false, false}, TFailureCase{"ReadOnly", true, true}),
                         [](const ::testing::TestParamInfo<TFailureCase>& info) { return std::string(info.param.name); });

TEST(FailedPassTest, ReopeningAfterFailureTriesAgain)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_FALSE(folder.Open("words.dat", dict, error));
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    EXPECT_EQ(dict.WordCount, 2);
}

TEST(FailedPassTest, WriteFailureIsCode33)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    {
        // Room for one index line of four: the pass runs and its writing fails.
        const TFileSizeLimit limit(IndexLineLength);
        EXPECT_FALSE(Lexorim(dict, true, nullptr, error));
    }
    EXPECT_EQ(error.Code, errIndexWrite);
    EXPECT_EQ(error.Extended, 2); // left as the last pass set it
}

// The index path names the dictionary itself: by its own name, or through a link.
enum class TIndexAlias { SameName, SymbolicLink, HardLink };

class DictionaryAsIndexTest : public ::testing::TestWithParam<TIndexAlias> {};

TEST_P(DictionaryAsIndexTest, IsNeverOverwritten)
{
    TDictionaryFolder folder;
    const std::string name = GetParam() == TIndexAlias::SameName ? "words.ndx" : "words.dat";
    folder.WriteDictionary(name, "a[x]b[y]");
    const std::string index = platform::NativePath(folder.Path("words.ndx"));
    const std::string source = platform::NativePath(folder.Path(name));
    if (GetParam() == TIndexAlias::SymbolicLink)
        std::filesystem::create_symlink(source, index);
    else if (GetParam() == TIndexAlias::HardLink)
        std::filesystem::create_hard_link(source, index);
    TDictionaryFile dict;
    TDictionaryError error;
    // As an index, the 8-byte dictionary is broken and may not be rebuilt.
    EXPECT_FALSE(folder.Open(name, dict, error));
    EXPECT_EQ(error.Code, errIndexRead);

    EXPECT_FALSE(Lexorim(dict, true, nullptr, error));
    EXPECT_EQ(error.Code, errIndexWrite);
    EXPECT_EQ(folder.Read(name), "a[x]b[y]");
}

INSTANTIATE_TEST_SUITE_P(Aliases, DictionaryAsIndexTest,
                         ::testing::Values(TIndexAlias::SameName, TIndexAlias::SymbolicLink, TIndexAlias::HardLink));

TEST(FailedPassTest, DictionaryTooLargeForOffsetsRaises)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("huge.dat", "");
    ASSERT_EQ(::truncate(platform::NativePath(folder.Path("huge.dat")).c_str(), 0x80000000LL), 0); // sparse
    TDictionaryFile dict;
    TDictionaryError error;
    EXPECT_THROW(folder.Open("huge.dat", dict, error), platform::EInOutError);
    EXPECT_FALSE(folder.Exists("huge.ndx"));
}

TEST(FailedPassTest, IndexThatIsAFolderCannotBeReplaced)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    // The index turns into a folder: it has no age, so it is due, but it cannot be replaced.
    ASSERT_TRUE(platform::DeleteFile(dict.IndexFileName));
    std::filesystem::create_directory(folder.Path("words.ndx"));
    EXPECT_FALSE(Lexorim(dict, false, nullptr, error));
    EXPECT_EQ(error.Code, errIndexWrite);
    EXPECT_TRUE(platform::DirectoryExists(folder.Path("words.ndx")));
}

// --- Initialize ---

TEST(InitializeTest, FillsRecordFromRelativePath)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("animals.dat", "cat[a small animal]");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    TDictionaryFile dict;
    TDictionaryError error;
    const bool ok = Initialize("./sub/../animals.dat", dict, nullptr, false, error);
    std::filesystem::current_path(previous);

    ASSERT_TRUE(ok);
    const std::string full = platform::FullPathName(folder.Path("animals.dat"));
    EXPECT_EQ(dict.FileName, full);
    EXPECT_EQ(dict.Name, "animals.dat");
    EXPECT_EQ(dict.IndexFileName, platform::ChangeFileExt(full, ".ndx"));
    EXPECT_EQ(dict.IndexName, "animals.ndx");
    EXPECT_EQ(dict.InfoFileName, platform::ChangeFileExt(full, ".htm"));
    EXPECT_EQ(dict.InfoName, "animals.htm");
    EXPECT_EQ(dict.WordCount, 1);
    EXPECT_EQ(dict.Initialized, 1);
}

TEST(InitializeTest, DictionaryDatedBeforeFatTimesOpens)
{
    TDictionaryFolder folder;
    folder.Write("old.dat", "a[x]b[y]");
    folder.SetTime("old.dat", 86400); // 2 January 1970
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("old.dat", dict, error));
    EXPECT_EQ(dict.WordCount, 2);
}

TEST(InitializeTest, NameWithoutExtensionGetsOne)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words", "a[x]");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words", dict, error));
    EXPECT_EQ(dict.IndexName, "words.ndx");
    EXPECT_EQ(dict.InfoName, "words.htm");
    EXPECT_TRUE(folder.Exists("words.ndx"));
}

TEST(InitializeTest, MissingFileOrFolderLeavesRecordAlone)
{
    TDictionaryFolder folder;
    std::filesystem::create_directory(folder.Path("folder.dat"));
    for (const std::string name : {"missing.dat", "folder.dat", ""}) {
        TDictionaryFile dict;
        dict.FileName = "kept";
        dict.Initialized = 1;
        TDictionaryError error;
        EXPECT_FALSE(Initialize(name.empty() ? name : folder.Path(name), dict, nullptr, false, error)) << name;
        EXPECT_EQ(error.Code, errFileNotFound) << name;
        EXPECT_EQ(dict.FileName, "kept") << name;
        EXPECT_EQ(dict.Initialized, 1) << name;
    }
}

TEST(InitializeTest, PathPastTwoHundredFiftySixCharactersWorks)
{
    TDictionaryFolder folder;
    std::string relative;
    for (int i = 0; i < 6; ++i)
        relative += std::string(60, char('a' + i)) + "/";
    std::filesystem::create_directories(folder.Path(relative));
    folder.WriteDictionary(relative + "words.dat", "a[x]b[y]");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_GT(folder.Path(relative + "words.dat").size(), 256u);
    ASSERT_TRUE(folder.Open(relative + "words.dat", dict, error));
    EXPECT_EQ(dict.WordCount, 2);
    TDictionaryWord word;
    ASSERT_TRUE(GetWord(dict, 2, word, error));
    EXPECT_EQ(word.Word, "b");
}

TEST(InitializeTest, AllocatesWordArraysKeepingWhatFits)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    WordArray = {"", "first", "second", "third", "fourth"};
    OffsetArray = {0, 10, 20, 30, 40};
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(Initialize(folder.Path("words.dat"), dict, nullptr, true, error));
    EXPECT_EQ(WordArray, (std::vector<std::string>{"", "first", "second"}));
    EXPECT_EQ(OffsetArray, (std::vector<int32_t>{0, 10, 20}));
}

// --- Progress ---

class TRecordingProgress : public platform::TProgress {
public:
    void SetMinimum(int value) override { minimum = value; }
    void SetMaximum(int value) override { maximum = value; }
    void SetPosition(int value) override { positions.push_back(value); }
    int Minimum() const override { return minimum; }
    void Repaint() override { ++repaints; }

    int minimum = -1;
    int maximum = -1;
    int repaints = 0;
    std::vector<int> positions;
};

TEST(ProgressTest, PassRunsOverTheDictionaryAndEndsAtMinimum)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("big.dat", "a[x]" + std::string(70000, 'w') + "[y]");
    TDictionaryFile dict;
    TDictionaryError error;
    TRecordingProgress progress;
    ASSERT_TRUE(Initialize(folder.Path("big.dat"), dict, &progress, false, error));
    EXPECT_EQ(progress.minimum, 0);
    EXPECT_EQ(progress.maximum, 70007);
    EXPECT_EQ(progress.positions, (std::vector<int>{0, 65535, 70007, 0}));
}

} // namespace
