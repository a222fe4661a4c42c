#include "platform/FileContent.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/TestFolder.h"
#include "tests/support/Deadline.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

// Every byte value, NULs and line ends included, comes back as written.
std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes + std::string("\r\n\0end", 6);
}

TEST(FileContent, ReadsEveryByteOfAWindows1252Name)
{
    TTestFolder folder;
    const std::string name = "d\xE9" "finitions.txt";
    folder.WriteRaw(name, AllBytes());
    EXPECT_EQ(ReadWholeFile(folder.Path(name)), AllBytes());
    const std::optional<std::string> limited = ReadFileUpTo(folder.Path(name), AllBytes().size());
    ASSERT_TRUE(limited.has_value());
    EXPECT_EQ(*limited, AllBytes());
}

TEST(FileContent, EmptyFileIsEmptyContent)
{
    TTestFolder folder;
    folder.WriteRaw("empty", "");
    EXPECT_EQ(ReadWholeFile(folder.Path("empty")), "");
    EXPECT_EQ(ReadFileUpTo(folder.Path("empty"), 0), std::optional<std::string>(""));
}

TEST(FileContent, MissingFileIsAnErrorOrNothing)
{
    TTestFolder folder;
    EXPECT_THROW(ReadWholeFile(folder.Path("missing")), EInOutError);
    EXPECT_EQ(ReadFileUpTo(folder.Path("missing"), 100), std::nullopt);
}

TEST(FileContent, FileOverTheLimitIsNotRead)
{
    TTestFolder folder;
    folder.WriteRaw("ten", "0123456789");
    EXPECT_EQ(ReadFileUpTo(folder.Path("ten"), 9), std::nullopt);
    EXPECT_EQ(ReadFileUpTo(folder.Path("ten"), 10), std::optional<std::string>("0123456789"));
}

// A FIFO would block an open for as long as nobody writes into it; a folder is no content.
TEST(FileContent, FifoOrFolderIsRefusedAtOnce)
{
    TTestFolder folder;
    ASSERT_EQ(::mkfifo(folder.Path("fifo").c_str(), 0644), 0);
    ASSERT_EQ(::mkdir(folder.Path("folder").c_str(), 0755), 0);
    for (const char* name : {"fifo", "folder"}) {
        SCOPED_TRACE(name);
        const std::string path = folder.Path(name);
        const int result = RunWithDeadline(20, [&] {
            try {
                ReadWholeFile(path);
                return 2;
            } catch (const EInOutError&) {
            }
            return ReadFileUpTo(path, 100) ? 3 : 0;
        });
        EXPECT_EQ(result, 0) << (result == PassedTheDeadline ? "blocked" : "");
    }
}

// The kernel's own files tell a size of 0 and still hold text.
TEST(FileContent, FileThatTellsNoSizeIsReadWhole)
{
    const char* const path = "/proc/self/mountinfo";
    std::ifstream in(path, std::ios::binary);
    const std::string expected {std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ReadWholeFile(path), expected);
}

// Through symbolic links the file they name is replaced, or made where it is missing; the links
// stay as they were.
TEST(FileContent, ReplacementThroughLinksReplacesTheFileTheyName)
{
    const struct {
        const char* name;
        const char* saved;
        const char* replaced;
    } cases[] = {
        {"RelativeIntoAnotherFolder", "liens/relatif.ini", "donnees/reel.ini"},
        {"ToALink", "relais.ini", "donnees/reel.ini"},
        {"ToNothing", "vers-rien.ini", "donnees/absent.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TTestFolder folder;
        ASSERT_TRUE(folder.MakeFolder("liens") && folder.MakeFolder("donnees"));
        folder.WriteRaw("donnees/reel.ini", "old");
        ASSERT_TRUE(folder.MakeLink("liens/relatif.ini", "../donnees/reel.ini"));
        ASSERT_TRUE(folder.MakeLink("relais.ini", "liens/relatif.ini"));
        ASSERT_TRUE(folder.MakeLink("vers-rien.ini", "donnees/absent.ini"));
        ASSERT_TRUE(ReplaceWholeFile(folder.Path(c.saved), "new", false));
        EXPECT_EQ(folder.ReadRaw(c.replaced), "new");
        for (const char* link : {"liens/relatif.ini", "relais.ini", "vers-rien.ini"})
            EXPECT_TRUE(std::filesystem::is_symlink(folder.Path(link))) << link;
    }
}

class ReplaceWithAppendedTest : public ::testing::Test {
protected:
    // Appends Tail to the file at Path as the utility adds a word.
    static bool Append(const std::string& path, const std::string& tail)
    {
        const int source = ::open(path.c_str(), O_RDONLY);
        const bool replaced = source >= 0 && ReplaceWithAppended(path, source, tail);
        ::close(source);
        return replaced;
    }
    QStringList Entries() const
    {
        return QDir(QString::fromStdString(folder.Path())).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    TTestFolder folder;
};

TEST_F(ReplaceWithAppendedTest, NewFileHoldsTheOldBytesThenTheTailAndKeepsThePermissions)
{
    const std::string path = folder.Path("d.dat");
    folder.WriteRaw("d.dat", AllBytes());
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_TRUE(Append(path, "tail[x]"));
    EXPECT_EQ(folder.ReadRaw("d.dat"), AllBytes() + "tail[x]");
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not written over";
    EXPECT_EQ(Entries(), QStringList{"d.dat"});
}

TEST_F(ReplaceWithAppendedTest, ThroughALinkTheFileItNamesIsReplaced)
{
    ASSERT_EQ(::mkdir(folder.Path("real").c_str(), 0755), 0);
    folder.WriteRaw("real/d.dat", "a[x]");
    std::filesystem::create_symlink(folder.Path("real/d.dat"), folder.Path("link.dat"));
    ASSERT_TRUE(Append(folder.Path("link.dat"), "b[y]"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.dat")));
    EXPECT_EQ(folder.ReadRaw("real/d.dat"), "a[x]b[y]");
}

TEST_F(ReplaceWithAppendedTest, WriteThatFailsLeavesTheFileAndNothingElse)
{
    const std::string path = folder.Path("d.dat");
    folder.WriteRaw("d.dat", std::string(5000, 'a'));
    const int result = RunUnderFileSizeLimit(6000, [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        return Append(path, std::string(2000, 'b')) ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(folder.ReadRaw("d.dat"), std::string(5000, 'a'));
    EXPECT_EQ(Entries(), QStringList{"d.dat"});
}

} // namespace
