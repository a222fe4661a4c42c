// What lies in a dictionary's place or its index's, as users and faults leave it: FIFOs, which
// must never hang the engine, and folders that take no new file, where the index is still kept
// current.
#include "DictionaryFolder.h"

#include "dictionary/fileLib.h"
#include "dictionary/unitDictionary.h"
#include "platform/Exceptions.h"
#include "tests/support/Deadline.h"

#include <gtest/gtest.h>

#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace dictionary;

namespace {

// Result codes of the children below.
constexpr int Opened = 0;
constexpr int Refused = 1; // an input/output error, or a failed call
constexpr int Unexpected = 2;

struct TFifoCase {
    const char* name;
    const char* fifo; // the name made a FIFO, once the dictionary was opened
    std::function<int(const TDictionaryFolder&, TDictionaryFile&)> run;
    int result;
};

int OpenAgain(const TDictionaryFolder& folder, TDictionaryFile& dict)
{
    TDictionaryError error;
    try {
        return folder.Open("words.dat", dict, error) && dict.WordCount == 2 ? Opened : Refused;
    } catch (const platform::EInOutError&) {
        return Refused;
    }
}

const TFifoCase FifoCases[] = {
    {"DictionaryOpened", "words.dat", OpenAgain, Refused},
    {"IndexOpened", "words.ndx", OpenAgain, Refused},
    {"IndexReadByGetWord", "words.ndx",
     [](const TDictionaryFolder&, TDictionaryFile& dict) {
         TDictionaryWord word;
         TDictionaryError error;
         return !GetWord(dict, 1, word, error) && error.Code == errIndexOpen ? Refused : Unexpected;
     },
     Refused},
    {"IndexReadByTheWordList", "words.ndx",
     [](const TDictionaryFolder&, TDictionaryFile& dict) {
         WordArray.clear();
         return LoadWordList(dict, nullptr) && WordArray.empty() ? Refused : Unexpected;
     },
     Refused},
    {"DictionaryReadByGetWord", "words.dat",
     [](const TDictionaryFolder&, TDictionaryFile& dict) {
         TDictionaryWord word;
         TDictionaryError error;
         try {
             GetWord(dict, 1, word, error);
         } catch (const platform::EInOutError&) {
             return Refused;
         }
         return Unexpected;
     },
     Refused},
    {"Description", "words.htm",
     [](const TDictionaryFolder&, TDictionaryFile& dict) {
         try {
             ReadDescriptionFile(dict.InfoFileName);
         } catch (const platform::EInOutError&) {
             return Refused;
         }
         return Unexpected;
     },
     Refused},
    // A stray temporary index that is a FIFO is passed over, by a build and by a check.
    {"StrayTemporaryIndexAtBuild", ".words.ndx.build-1-1",
     [](const TDictionaryFolder&, TDictionaryFile& dict) {
         TDictionaryError error;
         return Lexorim(dict, true, nullptr, error) ? Opened : Refused;
     },
     Opened},
    {"StrayTemporaryIndexAtCheck", ".words.ndx.build-1-1", OpenAgain, Opened},
};

class FifoTest : public ::testing::TestWithParam<TFifoCase> {};

TEST_P(FifoTest, NeverBlocks)
{
    const TFifoCase& c = GetParam();
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    const std::string fifo = platform::NativePath(folder.Path(c.fifo));
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Current beside the dictionary, but older than a FIFO made in its place, so that it is rebuilt.
    folder.SetTime("words.ndx", TDictionaryFolder::BaseTime);

    const int result = RunWithDeadline(20, [&] { return c.run(folder, dict); });
    EXPECT_EQ(result, c.result) << (result == PassedTheDeadline ? "blocked" : "");
    struct stat info {};
    EXPECT_TRUE(::lstat(fifo.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) << "left where it was";
}

INSTANTIATE_TEST_SUITE_P(Places, FifoTest, ::testing::ValuesIn(FifoCases),
                         [](const ::testing::TestParamInfo<TFifoCase>& info) { return std::string(info.param.name); });

// Runs Body as a user other than root, who cannot write where permissions forbid it: in a child
// process that drops to "nobody" when the tests run as root. Skipped where that cannot be done.
int RunAsUnprivilegedUser(const std::function<int()>& body, bool& skipped)
{
    skipped = false;
    if (::geteuid() != 0)
        return RunWithDeadline(60, body);
    constexpr uid_t Nobody = 65534;
    const int result = RunWithDeadline(60, [&] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            return 99;
        return body();
    });
    skipped = result == 99;
    return result;
}

// A folder that takes no new file, holding a dictionary and a plain, writable index an hour older
// than it: the index is written over in place, so the dictionary opens with every word.
TEST(ClosedFolderTest, StaleIndexIsRebuiltInPlace)
{
    TDictionaryFolder folder;
    const std::string root = platform::NativePath(folder.Path());
    ASSERT_EQ(::chmod(root.c_str(), 0755), 0); // reachable by another user
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    folder.WriteIndex("words.ndx", IndexOf({4, 0, 4}), -3600);
    ASSERT_EQ(::chmod(platform::NativePath(folder.Path("words.ndx")).c_str(), 0666), 0);
    ASSERT_EQ(::chmod(root.c_str(), 0555), 0);

    bool skipped = false;
    const int result = RunAsUnprivilegedUser(
        [&] {
            TDictionaryFile dict;
            TDictionaryError error;
            if (!folder.Open("words.dat", dict, error))
                return 10 + error.Code;
            TDictionaryWord word;
            return dict.WordCount == 2 && GetWord(dict, 2, word, error) && word.Word == "b" ? Opened : Unexpected;
        },
        skipped);
    ::chmod(root.c_str(), 0755);
    if (skipped)
        GTEST_SKIP() << "cannot run as another user than root, who writes in any folder";
    EXPECT_EQ(result, Opened) << "code " << result - 10;
    EXPECT_EQ(folder.Read("words.ndx"), IndexOf({8, 0, 4, 8}));
}

} // namespace
