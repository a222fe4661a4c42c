// Index passes that do not finish: killed in the middle, or failing to write. The index file is
// never seen half-written, and what a pass leaves behind is cleaned up by the next one.
#include "DictionaryFolder.h"

#include "dictionary/unitDictionary.h"
#include "platform/Progress.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace dictionary;

namespace {

constexpr int LargeEntryCount = 1'000'000;

std::string LargeDictionary()
{
    std::string content;
    content.reserve(static_cast<size_t>(LargeEntryCount) * 48);
    char entry[96];
    for (int i = 1; i <= LargeEntryCount; ++i) {
        const int length = std::snprintf(entry, sizeof entry, "mot%07d\r\n  [une d\xE9" "finition, num\xE9ro %d]\r\n", i, i);
        content.append(entry, static_cast<size_t>(length));
    }
    return content;
}

std::set<std::string> FilesIn(const TDictionaryFolder& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

// Stops its process once the pass reaches Position, so that the parent can kill it there.
class TStopAt : public platform::TProgress {
public:
    explicit TStopAt(int position) : position_(position) {}
    void SetMinimum(int) override {}
    void SetMaximum(int) override {}
    void SetPosition(int value) override
    {
        if (value >= position_)
            ::raise(SIGSTOP);
    }
    int Minimum() const override { return 0; }
    void Repaint() override {}

private:
    int position_;
};

// Runs Pass in a child process, which is killed with SIGKILL once the pass has read up to
// Position. False when the child ended before it got there.
bool KillPassAt(const std::function<void(platform::TProgress&)>& pass, int position)
{
    const pid_t child = ::fork();
    if (child == 0) {
        TStopAt progress(position);
        try {
            pass(progress);
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, WUNTRACED) != child)
        return false;
    const bool stopped = WIFSTOPPED(status);
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return stopped;
}

class KilledPassTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { content_ = new std::string(LargeDictionary()); }
    static void TearDownTestSuite()
    {
        delete content_;
        content_ = nullptr;
    }

    void SetUp() override { folder.WriteDictionary("words.dat", *content_); }

    // Points inside the pass: after its first block, halfway, at its last block.
    static std::vector<int> KillPoints()
    {
        const int size = static_cast<int>(content_->size());
        return {65535, size / 2, size - 65535};
    }

    // Opens the dictionary as the programs do and reads its last word.
    void ExpectEveryWord()
    {
        TDictionaryFile dict;
        TDictionaryError error;
        ASSERT_TRUE(folder.Open("words.dat", dict, error));
        EXPECT_EQ(dict.WordCount, LargeEntryCount);
        ASSERT_TRUE(Lexorim(dict, false, nullptr, error));
        EXPECT_EQ(error.Extended, LargeEntryCount);
        TDictionaryWord word;
        ASSERT_TRUE(GetWord(dict, LargeEntryCount, word, error));
        EXPECT_EQ(word.Word, "mot1000000");
        EXPECT_EQ(word.Definition, "une d\xE9" "finition, num\xE9ro 1000000");
    }

    static std::string* content_;
    TDictionaryFolder folder;
};

std::string* KilledPassTest::content_ = nullptr;

TEST_F(KilledPassTest, FirstBuildKilledIsRebuiltWhole)
{
    for (const int point : KillPoints()) {
        const bool killed = KillPassAt(
            [&](platform::TProgress& progress) {
                TDictionaryFile dict;
                TDictionaryError error;
                Initialize(folder.Path("words.dat"), dict, &progress, false, error);
            },
            point);
        ASSERT_TRUE(killed) << point;
        ExpectEveryWord();
        // The next build took away what the killed one left.
        EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"words.dat", "words.ndx"})) << point;
        ASSERT_TRUE(platform::DeleteFile(folder.Path("words.ndx")));
    }
}

TEST_F(KilledPassTest, ForcedRebuildKilledKeepsTheGoodIndex)
{
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    const std::string goodIndex = folder.Read("words.ndx");
    ASSERT_EQ(goodIndex.size(), (LargeEntryCount + 2) * 16u);

    for (const int point : KillPoints()) {
        const bool killed = KillPassAt(
            [&](platform::TProgress& progress) {
                TDictionaryError childError;
                Lexorim(dict, true, &progress, childError);
            },
            point);
        ASSERT_TRUE(killed) << point;
        EXPECT_TRUE(folder.Read("words.ndx") == goodIndex) << point; // no diff of 16 MB
        ExpectEveryWord();
    }
    ASSERT_TRUE(Lexorim(dict, true, nullptr, error));
    EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"words.dat", "words.ndx"}));
}

// --- What a pass leaves in the index's folder ---

TEST(IndexFileTest, ReplacedIndexKeepsItsPermissions)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    const std::string index = platform::NativePath(folder.Path("words.ndx"));
    for (const mode_t mode : {0600, 0640, 0664}) {
        ASSERT_EQ(::chmod(index.c_str(), mode), 0);
        ASSERT_TRUE(Lexorim(dict, true, nullptr, error));
        struct stat info {};
        ASSERT_EQ(::stat(index.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

TEST(IndexFileTest, NewIndexGetsTheModeOfANewFile)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    folder.Write("plain.txt", "");
    TDictionaryFile dict;
    TDictionaryError error;
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    struct stat index {};
    struct stat plain {};
    ASSERT_EQ(::stat(platform::NativePath(folder.Path("words.ndx")).c_str(), &index), 0);
    ASSERT_EQ(::stat(platform::NativePath(folder.Path("plain.txt")).c_str(), &plain), 0);
    EXPECT_EQ(index.st_mode & 07777, plain.st_mode & 07777);
}

// Through a link, even one to a file not made yet, the index lands in the file the link names and
// the link stays.
TEST(IndexFileTest, IndexBehindALinkIsReplacedWhereItLies)
{
    struct TCase {
        const char* name;
        bool absolute;
        bool indexThere;
    };
    for (const TCase& c : {TCase{"absolute", true, true}, TCase{"relative", false, true},
                           TCase{"dangling", false, false}}) {
        SCOPED_TRACE(c.name);
        TDictionaryFolder folder;
        folder.WriteDictionary("words.dat", "a[x]b[y]");
        std::filesystem::create_directory(folder.Path("kept"));
        if (c.indexThere)
            folder.Write("kept/words.ndx", IndexOf({8, 0, 4}));
        std::filesystem::create_symlink(c.absolute ? folder.Path("kept/words.ndx") : "kept/words.ndx",
                                        folder.Path("words.ndx"));
        TDictionaryFile dict;
        TDictionaryError error;
        ASSERT_TRUE(folder.Open("words.dat", dict, error));
        ASSERT_TRUE(Lexorim(dict, true, nullptr, error));
        EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("words.ndx")));
        EXPECT_EQ(folder.Read("kept/words.ndx"), IndexOf({8, 0, 4, 8}));
    }
}

// Temporary files of passes that ended go, at the next build or when the next opening finds the
// index current; one whose pass still runs (it holds the lock on its file) stays, and so do those
// of other indexes.
TEST(IndexFileTest, StrayTemporaryFilesOfEndedPassesGo)
{
    TDictionaryFolder folder;
    folder.WriteDictionary("words.dat", "a[x]b[y]");
    for (const bool indexCurrent : {false, true}) {
        SCOPED_TRACE(indexCurrent ? "index current" : "index built");
        folder.Write(".words.ndx.build-1-1", "   cut short");
        folder.Write(".words.ndx.build-2-7", "running");
        folder.Write(".other.ndx.build-1-1", "another index");
        const int running = ::open(platform::NativePath(folder.Path(".words.ndx.build-2-7")).c_str(), O_RDONLY);
        ASSERT_GE(running, 0);
        ASSERT_EQ(::flock(running, LOCK_EX), 0);

        TDictionaryFile dict;
        TDictionaryError error;
        ASSERT_TRUE(folder.Open("words.dat", dict, error));
        ::close(running);
        EXPECT_EQ(FilesIn(folder), (std::set<std::string>{".other.ndx.build-1-1", ".words.ndx.build-2-7",
                                                           "words.dat", "words.ndx"}));
    }
}

// An index of 102 lines cannot be written under a 1000-byte limit.
TEST(IndexFileTest, WriteFailureLeavesNoIndexAndNoTemporaryFile)
{
    TDictionaryFolder folder;
    std::string content;
    for (int i = 0; i < 100; ++i)
        content += "w" + std::to_string(i) + "[d]";
    folder.WriteDictionary("words.dat", content);
    TDictionaryFile dict;
    TDictionaryError error;
    {
        const TFileSizeLimit limit(1000);
        EXPECT_FALSE(folder.Open("words.dat", dict, error));
    }
    EXPECT_EQ(error.Code, errIndexWrite);
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{"words.dat"});

    // A plain index that fails to be rebuilt goes, so the next opening tries again.
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    {
        const TFileSizeLimit limit(1000);
        EXPECT_FALSE(Lexorim(dict, true, nullptr, error));
    }
    EXPECT_EQ(error.Code, errIndexWrite);
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{"words.dat"});
    ASSERT_TRUE(folder.Open("words.dat", dict, error));
    EXPECT_EQ(dict.WordCount, 100);
}

} // namespace
