#include "DictionaryFolder.h"

#include "dictionary/fileLib.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace dictionary;

namespace {

struct TAgeCase {
    const char* name;
    int firstShift; // seconds after BaseTime; 0 with Missing: no such file
    bool firstMissing;
    int secondShift;
    bool secondMissing;
    int expected;
};

class CompareFileAgeTest : public ::testing::TestWithParam<TAgeCase> {};

TEST_P(CompareFileAgeTest, ComparesAtTwoSecondSteps)
{
    const TAgeCase& c = GetParam();
    TDictionaryFolder folder;
    if (!c.firstMissing) {
        folder.Write("first", "1");
        folder.SetTime("first", TDictionaryFolder::BaseTime + c.firstShift);
    }
    if (!c.secondMissing) {
        folder.Write("second", "2");
        folder.SetTime("second", TDictionaryFolder::BaseTime + c.secondShift);
    }
    EXPECT_EQ(CompareFileAge(folder.Path("first"), folder.Path("second")), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Ages, CompareFileAgeTest,
                         ::testing::Values(TAgeCase{"NeitherExists", 0, true, 0, true, -3},
                                           TAgeCase{"FirstMissing", 0, true, 0, false, -1},
                                           TAgeCase{"SecondMissing", 0, false, 0, true, -2},
                                           TAgeCase{"Equal", 0, false, 0, false, 0},
                                           TAgeCase{"SameTwoSecondStep", 0, false, 1, false, 0},
                                           TAgeCase{"SecondOlder", 10, false, 0, false, 1},
                                           TAgeCase{"SecondNewer", 0, false, 2, false, 2},
                                           TAgeCase{"YearsApart", 0, false, 400'000'000, false, 2}),
                         [](const ::testing::TestParamInfo<TAgeCase>& info) { return std::string(info.param.name); });

TEST(CompareFileAgeTest, FolderHasNoAge)
{
    TDictionaryFolder folder;
    folder.Write("file", "x");
    std::filesystem::create_directory(folder.Path("folder"));
    EXPECT_EQ(CompareFileAge(folder.Path("file"), folder.Path("folder")), -2);
    EXPECT_EQ(CompareFileAge(folder.Path("folder"), folder.Path("file")), -1);
}

TEST(FileSizeTest, SizeOfFirstMatchOrZero)
{
    TDictionaryFolder folder;
    folder.Write("words.dat", std::string(1234, 'x'));
    EXPECT_EQ(GetFileSizeByName(folder.Path("words.dat")), 1234);
    EXPECT_EQ(GetFileSizeByName(folder.Path("*.dat")), 1234);
    EXPECT_EQ(GetFileSizeByName(folder.Path("missing.dat")), 0);
    folder.Write("empty.htm", "");
    EXPECT_EQ(GetFileSizeByName(folder.Path("empty.htm")), 0);
}

TEST(FullPathTest, RelativeNamesBecomeAbsolute)
{
    TDictionaryFolder folder;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    std::string fromRelative;
    GetFullPath("a/../words.dat", fromRelative);
    std::string fromEmpty = "not emptied";
    GetFullPath("", fromEmpty);
    std::filesystem::current_path(previous);

    EXPECT_EQ(fromRelative, platform::FullPathName(folder.Path("words.dat")));
    EXPECT_EQ(fromRelative.front(), '/');
    EXPECT_EQ(fromEmpty, "");
}

struct TIniCase {
    const char* name;
    std::string key;
    std::string defaultValue;
    std::string expected;
};

class ReadIniStringTest : public ::testing::TestWithParam<TIniCase> {};

TEST_P(ReadIniStringTest, EmptyReadsGiveTheDefault)
{
    const TIniCase& c = GetParam();
    TDictionaryFolder folder;
    folder.Write("garvo.ini", "[Lexorim]\r\nLanguage=1\r\nLastPath=\r\n");
    const platform::TIniFile ini(folder.Path("garvo.ini"));
    std::string value = "stale";
    ReadIniString("Lexorim", c.key, c.defaultValue, value, ini);
    EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, ReadIniStringTest,
                         ::testing::Values(TIniCase{"Stored", "Language", "33", "1"},
                                           TIniCase{"StoredEmpty", "LastPath", "/home", "/home"},
                                           TIniCase{"Missing", "Other", "dflt", "dflt"},
                                           TIniCase{"MissingNoDefault", "Other", "", ""}),
                         [](const ::testing::TestParamInfo<TIniCase>& info) { return std::string(info.param.name); });

} // namespace
