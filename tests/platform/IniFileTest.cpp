#include "platform/Exceptions.h"
#include "platform/IniFile.h"
#include "platform/TestFolder.h"
#include "tests/support/Deadline.h"
#include "tests/support/SaveWatch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <functional>
#include <optional>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    TTestFolder folder;
    std::string path = folder.Path("test.ini");
    TIniFile ini {path};

    // The file as it stands, and an object that has read it: an object reads its file once.
    void Given(const std::string& content)
    {
        folder.WriteRaw("test.ini", content);
        ini = TIniFile(path);
    }
    std::string Content() const { return folder.ReadRaw("test.ini"); }
};

TEST_F(IniFileTest, ReadsNamesWithoutCaseAndValuesTrimmed)
{
    Given("Orphan=before any section\r\n"
          "; Comment=not a key\r\n"
          "[General]\r\n"
          "  Name  =  Alice  \r\n"
          "Empty=\r\n"
          "Quoted=\"  spaced  \"\r\n"
          "HalfQuoted=\"abc\r\n"
          "Dup=first\n" // LF alone ends a line too
          "Dup=second\r\n"
          "No equals sign here\r\n"
          "[ Spaced Section ]\r\n"
          "Key=v\r\n"
          "[\xc9t\xe9]\r\n"
          "Cl\xe9=accented\r\n"
          "[general]\r\n"
          "Name=Bob\r\n"
          "OnlyLater=1\r\n"
          "[Scores.mots]x]\r\n"
          "Name1=Z");
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"General", "Name", "Alice"},
        {"GENERAL", "name", "Alice"},         // the first of two equal sections wins
        {"general", "OnlyLater", "default"},  // and hides the later one
        {"General", "Empty", ""},             // an empty value is not the default
        {"General", "Missing", "default"},
        {"Missing", "Name", "default"},
        {"General", "Quoted", "  spaced  "},  // one pair of quotes goes, the rest is the value
        {"General", "HalfQuoted", "\"abc"},
        {"General", "Dup", "first"},
        {"General", "No equals sign here", "default"},
        {"General", "; Comment", "default"},
        {"", "Orphan", "default"},
        {" Spaced Section ", "Key", "v"},
        {"\xc9T\xc9", "CL\xc9", "accented"},     // Windows-1252 letter pairs
        {"Scores.mots]x", "name1", "Z"},         // a "]" inside a section name
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.expected) << c.section << "/" << c.key;
}

TEST_F(IniFileTest, CutsLongValuesTo2047Characters)
{
    const std::string exact(2047, 'x');
    Given("[S]\r\nLong=" + std::string(3000, 'a') + "\r\nExact=" + exact + "\r\n");
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'a'));
    EXPECT_EQ(ini.ReadString("S", "Exact", ""), exact);
}

TEST_F(IniFileTest, ReadsIntegersInDecimalAndHexadecimal)
{
    const struct {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"42", 42}, {"-13", -13}, {"+5", 5}, {"007", 7}, {"0x1F", 31}, {"0X1f", 31}, {"$FF", 255},
        {"0x80", 128}, {"0xFFFFFFFF", -1}, {"-$10", -16}, {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN}, {"\"9\"", 9},
        // No number: the default.
        {"2147483648", -99}, {"0x100000000", -99}, {"12abc", -99}, {"abc", -99}, {"", -99},
        {"0x", -99}, {"$", -99}, {"1 2", -99}, {"--1", -99}, {"0x-1", -99}, {"1.5", -99},
    };
    std::string content = "[N]\r\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        content += "K" + std::to_string(i) + "=" + cases[i].text + "\r\n";
    Given(content);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ini.ReadInteger("N", "K" + std::to_string(i), -99), cases[i].expected) << cases[i].text;
    EXPECT_EQ(ini.ReadInteger("N", "Missing", -99), -99);
}

TEST_F(IniFileTest, ReadsBooleansAsIntegers)
{
    Given("[B]\r\nOne=1\r\nZero=0\r\nTwo=2\r\nMinus=-1\r\nWord=yes\r\nEmpty=\r\n");
    const struct {
        const char* key;
        bool defaultValue;
        bool expected;
    } cases[] = {
        {"One", false, true}, {"Zero", true, false}, {"Two", false, true}, {"Minus", false, true},
        {"Word", true, true}, {"Word", false, false}, {"Empty", true, true}, {"Missing", true, true},
        {"Missing", false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadBool("B", c.key, c.defaultValue), c.expected) << c.key;
}

TEST_F(IniFileTest, ListsSectionsAndKeysOnce)
{
    Given("[One]\r\nA=1\r\nb=2\r\nB=3\r\n; c=4\r\n[Two]\r\n[ONE]\r\nD=5\r\n");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string> {"One", "Two"}));
    EXPECT_EQ(ini.ReadSection("one"), (std::vector<std::string> {"A", "b"}));
    EXPECT_TRUE(ini.ReadSection("Two").empty());
    EXPECT_TRUE(ini.SectionExists("two"));
    EXPECT_FALSE(ini.SectionExists("Three"));
    EXPECT_TRUE(ini.ValueExists("ONE", "B"));
    EXPECT_FALSE(ini.ValueExists("One", "c"));
}

TEST_F(IniFileTest, MissingFileReadsAsDefaults)
{
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("S", "K", 3), 3);
    EXPECT_TRUE(ini.ReadSections().empty());
    EXPECT_FALSE(ini.SectionExists("S"));
}

TEST_F(IniFileTest, WriteChangesOnlyItsLine)
{
    const std::string before = "; settings\r\n"
                               "\r\n"
                               "[General]\r\n"
                               "  Level = 2\r\n"
                               "Name=\"Al\"\r\n"
                               "\r\n"
                               "[Theme]\r\n"
                               "Name=Standard\r\n";
    const struct {
        const char* section;
        const char* key;
        const char* value;
        const char* changedLine;
        const char* newLine;
    } cases[] = {
        {"general", "LEVEL", "3", "  Level = 2", "  Level = 3"},
        {"General", "Name", "Bob", "Name=\"Al\"", "Name=Bob"},
        {"Theme", "name", "", "Name=Standard", "Name="},
    };
    for (const auto& c : cases) {
        Given(before);
        ini.WriteString(c.section, c.key, c.value);
        ini.UpdateFile();
        std::string expected = before;
        expected.replace(expected.find(c.changedLine), std::string(c.changedLine).size(), c.newLine);
        EXPECT_EQ(Content(), expected) << c.key;
        EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.value);
    }
}

TEST_F(IniFileTest, PlacesNewKeysAndSections)
{
    const struct {
        const char* name;
        std::string before;
        const char* section;
        std::string after;
    } cases[] = {
        {"end of its section, before its blank lines", "[A]\r\nx=1\r\n\r\n  \r\n[B]\r\ny=2\r\n", "a",
         "[A]\r\nx=1\r\nNew=v\r\n\r\n  \r\n[B]\r\ny=2\r\n"},
        {"after a comment ending the section", "[A]\r\nx=1\r\n; note\r\n[B]\r\n", "A",
         "[A]\r\nx=1\r\n; note\r\nNew=v\r\n[B]\r\n"},
        {"empty section", "[A]\r\n\r\n[B]\r\n", "A", "[A]\r\nNew=v\r\n\r\n[B]\r\n"},
        {"last section without a final line end", "[A]\r\n[B]\r\ny=2", "B", "[A]\r\n[B]\r\ny=2\r\nNew=v\r\n"},
        {"new section at the end of the file", "[A]\r\nx=1\r\n\r\n", "C", "[A]\r\nx=1\r\n\r\n[C]\r\nNew=v\r\n"},
        {"LF line ends become CR LF", "[A]\nx=1\n", "A", "[A]\r\nx=1\r\nNew=v\r\n"},
        {"into the first of two equal sections", "[A]\r\n[a]\r\n", "A", "[A]\r\nNew=v\r\n[a]\r\n"},
    };
    for (const auto& c : cases) {
        Given(c.before);
        ini.WriteString(c.section, " New ", "v");
        ini.UpdateFile();
        EXPECT_EQ(Content(), c.after) << c.name;
    }
}

TEST_F(IniFileTest, WriteCreatesMissingFile)
{
    ini.WriteString("General", "Create", "Ok");
    ini.WriteInteger("General", "Left", -5);
    ini.WriteBool("General", "Sound", true);
    ini.WriteBool("General", "Timed", false);
    ini.UpdateFile();
    EXPECT_EQ(Content(), "[General]\r\nCreate=Ok\r\nLeft=-5\r\nSound=1\r\nTimed=0\r\n");
    EXPECT_EQ(ini.ReadInteger("General", "Left", 0), -5);
}

TEST_F(IniFileTest, LineBreaksCannotAddLines)
{
    Given("[Players]\r\nName=A\r\n");
    ini.WriteString("Players", "Name", "Bob\r\n[General]\r\nLevel=3");
    ini.WriteString("Players\n[General]", "Other", "x\ny");
    ini.UpdateFile();
    EXPECT_EQ(Content(), "[Players]\r\nName=Bob\r\nOther=x\r\n");
    EXPECT_FALSE(ini.SectionExists("General"));
}

TEST_F(IniFileTest, FailedWriteThrowsAndKeepsTheFile)
{
    TIniFile nowhere(folder.Path("missing/test.ini"));
    EXPECT_THROW(nowhere.WriteString("S", "K", "v"), EInOutError);

    TIniFile intoFolder(folder.Path());
    EXPECT_THROW(intoFolder.WriteString("S", "K", "v"), EInOutError);

    const std::string before = "[S]\r\nK=old\r\n";
    Given(before);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_THROW(ini.WriteString("S", "K", "new"), EInOutError);
    EXPECT_THROW(ini.DeleteKey("S", "K"), EInOutError);
    EXPECT_EQ(Content(), before);
    ini.WriteString("S", "K", "old"); // no change, nothing to write
}

TEST_F(IniFileTest, ChangesReachTheFileAtOnceOnUpdate)
{
    const std::string before = "[S]\r\nA=1\r\n";
    Given(before);
    TFileWrites writes(folder.Path(), "test.ini");
    ini.WriteString("S", "A", "2");
    ini.WriteInteger("S", "B", 3);
    ini.WriteBool("T", "C", true);
    ini.DeleteKey("S", "A");
    EXPECT_EQ(Content(), before) << "nothing is written before the update";
    EXPECT_EQ(ini.ReadInteger("S", "B", 0), 3) << "the object reads its own changes";
    ini.UpdateFile();
    EXPECT_EQ(Content(), "[S]\r\nB=3\r\n[T]\r\nC=1\r\n");
    EXPECT_EQ(writes.Count(), 1);
    ini.UpdateFile();
    ini.WriteString("S", "B", "3");
    ini.UpdateFile();
    EXPECT_EQ(writes.Count(), 1) << "no change, nothing written";
}

TEST_F(IniFileTest, ChangesNeverUpdatedAreDropped)
{
    const std::string before = "[S]\r\nA=1\r\n";
    Given(before);
    {
        TIniFile cutShort(path);
        cutShort.WriteString("S", "A", "2");
        cutShort.EraseSection("S");
    }
    EXPECT_EQ(Content(), before);
}

TEST_F(IniFileTest, FailedUpdateKeepsTheChangesPending)
{
    Given("[S]\r\nA=1\r\n");
    ini.WriteString("S", "A", "2");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_THROW(ini.UpdateFile(), EInOutError);
    EXPECT_EQ(Content(), "[S]\r\nA=1\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ini.UpdateFile();
    EXPECT_EQ(Content(), "[S]\r\nA=2\r\n");
}

TEST_F(IniFileTest, ReadsAfterChangesMatchTheFileWritten)
{
    Given("; top\r\nk=orphan\r\n[A]\r\nk=1\r\nK=2\r\nx=3\r\n\r\n[b]\r\ny=4\r\n[a]\r\nk=5\r\nz=6\r\n");
    const std::function<void(TIniFile&)> changes[] = {
        [](TIniFile& f) { f.WriteString("a", "New", "7"); },      // into the first [A], before its blank line
        [](TIniFile& f) { f.WriteString("A", "K", "8"); },        // the first of two equal keys
        [](TIniFile& f) { f.WriteString("B", "[Odd", "9"); },     // a key name that reads as a header
        [](TIniFile& f) { f.WriteString("Odd=9", "w", "10"); },
        [](TIniFile& f) { f.DeleteKey("A", "k"); },               // both copies in the first [A]
        [](TIniFile& f) { f.WriteString("A", "k", "11"); },
        [](TIniFile& f) { f.EraseSection("A"); },                 // both sections of that name
        [](TIniFile& f) { f.WriteString("a", "z", "12"); },
        [](TIniFile& f) { f.WriteString("Fresh", "f", "13"); },
        [](TIniFile& f) { f.WriteString("fresh", "F", "14"); },
    };
    const std::vector<std::string> sections = {"", "A", "a", "B", "Odd=9", "Fresh", "none"};
    const std::vector<std::string> keys = {"k", "K", "x", "y", "z", "New", "[Odd", "w", "f", "none"};
    for (size_t step = 0; step < std::size(changes); ++step) {
        changes[step](ini);
        ini.UpdateFile();
        const TIniFile reread(path);
        EXPECT_EQ(ini.ReadSections(), reread.ReadSections()) << "after change " << step;
        for (const std::string& section : sections) {
            EXPECT_EQ(ini.SectionExists(section), reread.SectionExists(section)) << step << " " << section;
            EXPECT_EQ(ini.ReadSection(section), reread.ReadSection(section)) << step << " " << section;
            for (const std::string& key : keys)
                EXPECT_EQ(ini.ReadString(section, key, "?"), reread.ReadString(section, key, "?"))
                    << "after change " << step << ": " << section << "/" << key;
        }
    }
    EXPECT_EQ(Content(), "; top\r\nk=orphan\r\n[b]\r\ny=4\r\n[Odd=9\r\nw=10\r\n[a]\r\nz=12\r\n[Fresh]\r\nf=14\r\n");
}

TEST_F(IniFileTest, WriteKeepsPermissions)
{
    Given("[S]\r\nK=1\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ini.WriteString("S", "K", "2");
    ini.UpdateFile();
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Runs Write as a user whom permissions bind; root, whom they do not, hands it to "nobody".
bool WritesAsPlainUser(const std::function<void()>& write)
{
    const auto attempt = [&write] {
        try {
            write();
            return true;
        } catch (const EInOutError&) {
            return false;
        }
    };
    if (::geteuid() != 0)
        return attempt();
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && attempt() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(IniFileTest, WritableFileInClosedFolderIsWrittenInPlace)
{
    Given("[S]\r\nK=old\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const std::string folderPath = folder.Path();
    ASSERT_EQ(::chmod(folderPath.c_str(), 0555), 0);
    const bool written = WritesAsPlainUser([this] {
        ini.WriteString("S", "K", "new");
        ini.UpdateFile();
    });
    ::chmod(folderPath.c_str(), 0700);
    EXPECT_TRUE(written);
    EXPECT_EQ(Content(), "[S]\r\nK=new\r\n");
}

TEST_F(IniFileTest, DeletesKeysAndSections)
{
    const std::string before = "; top\r\n[A]\r\nk=1\r\nK=2\r\nj=3\r\n\r\n[B]\r\n; b\r\nx=1\r\n[a]\r\nk=4\r\n";
    Given(before);
    ini.DeleteKey("a", "K");
    ini.UpdateFile();
    EXPECT_EQ(Content(), "; top\r\n[A]\r\nj=3\r\n\r\n[B]\r\n; b\r\nx=1\r\n[a]\r\nk=4\r\n");
    ini.EraseSection("B");
    ini.UpdateFile();
    EXPECT_EQ(Content(), "; top\r\n[A]\r\nj=3\r\n\r\n[a]\r\nk=4\r\n");
    ini.EraseSection("A");
    ini.UpdateFile();
    EXPECT_EQ(Content(), "; top\r\n");

    TIniFile missing(folder.Path("none.ini"));
    missing.DeleteKey("A", "k");
    missing.EraseSection("A");
    EXPECT_FALSE(FileExists(missing.FileName()));
}

TEST_F(IniFileTest, UpdateMakesOnlyItsOwnChangesToTheFileAsItNowIs)
{
    Given("[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n");
    ini.EraseSection("T");
    ini.DeleteKey("S", "A");
    ini.WriteString("S", "A", "own");
    ini.WriteString("U", "D", "4");
    {
        TIniFile other(path); // another program saves in between
        other.WriteString("S", "B", "theirs");
        other.WriteString("T", "E", "5");
        other.WriteString("V", "F", "6");
        other.UpdateFile();
    }
    ini.UpdateFile();
    EXPECT_EQ(Content(), "[S]\r\nB=theirs\r\nA=own\r\n[V]\r\nF=6\r\n[U]\r\nD=4\r\n");
    EXPECT_EQ(ini.ReadString("S", "B", ""), "theirs") << "the object reads the file it wrote";
}

// A process that reads Path, sets Section/Key to Value, tells Ready (a pipe), waits until Go (a
// pipe) is closed and saves: a program closing at the same moment as another. Ends 0 when the
// save went through.
pid_t SaveWhenReleased(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value, const int (&readyPipe)[2], const int (&goPipe)[2])
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    ::close(readyPipe[0]);
    ::close(goPipe[1]); // or Go would never close
    const int ready = readyPipe[1];
    const int go = goPipe[0];
    try {
        TIniFile own(path);
        own.WriteString(section, key, value);
        const char byte = 1;
        char released = 0;
        if (::write(ready, &byte, 1) != 1)
            ::_exit(2);
        while (::read(go, &released, 1) < 0 && errno == EINTR) {
        }
        own.UpdateFile();
    } catch (...) {
        ::_exit(1);
    }
    ::_exit(0);
}

TEST_F(IniFileTest, TwoProgramsSavingAtOnceKeepBothSaves)
{
    const std::string before = "; shared\r\n[General]\r\nLevel=2\r\n[Theme]\r\nName=Standard\r\n[Lexorim]\r\nAutoIndex=1\r\n";
    for (int round = 0; round < 40; ++round) {
        Given(before);
        int ready[2];
        int go[2];
        ASSERT_EQ(::pipe(ready), 0);
        ASSERT_EQ(::pipe(go), 0);
        const std::string value = std::to_string(round);
        const pid_t game = SaveWhenReleased(path, "Theme", "Language", value, ready, go);
        const pid_t utility = SaveWhenReleased(path, "Lexorim", "Language", value, ready, go);
        ::close(ready[1]);
        ::close(go[0]);
        // Both have read the file before either saves; closing Go releases both at once.
        char bytes[2];
        size_t got = 0;
        for (ssize_t count = 0; got < 2 && (count = ::read(ready[0], bytes + got, 2 - got)) != 0;)
            got += count > 0 ? static_cast<size_t>(count) : 0;
        ::close(go[1]);
        ::close(ready[0]);
        for (const pid_t child : {game, utility}) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        ASSERT_EQ(got, 2u);
        const TIniFile saved(path);
        ASSERT_EQ(saved.ReadString("Theme", "Language", "lost"), value) << "round " << round << ":\n" << Content();
        ASSERT_EQ(saved.ReadString("Lexorim", "Language", "lost"), value) << "round " << round << ":\n" << Content();
        EXPECT_EQ(saved.ReadInteger("General", "Level", 0), 2);
        EXPECT_EQ(saved.ReadString("Theme", "Name", ""), "Standard");
        EXPECT_EQ(saved.ReadInteger("Lexorim", "AutoIndex", 0), 1);
        EXPECT_EQ(Content().rfind("; shared\r\n", 0), 0u);
    }
    EXPECT_EQ(folder.ReadRaw(".test.ini.lock"), "") << "the lock holds no data";
}

// A FIFO or a folder where the settings file or its lock goes: a save never waits for ever on
// it. In place of the lock, the file itself is locked and the save goes through; in place of the
// file, nothing is read and nothing written over it.
TEST_F(IniFileTest, NoPlainFileInPlaceOfFileOrLockNeverBlocks)
{
    enum class TPut { Fifo, Folder };
    const struct {
        const char* name;
        const char* where;
        TPut put;
        int result; // 0 saved, 1 refused
    } cases[] = {
        {"FifoAsLock", ".test.ini.lock", TPut::Fifo, 0},
        {"FolderAsLock", ".test.ini.lock", TPut::Folder, 0},
        {"FifoAsFile", "test.ini", TPut::Fifo, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TTestFolder place;
        const std::string target = place.Path(c.where);
        ASSERT_EQ(c.put == TPut::Fifo ? ::mkfifo(target.c_str(), 0644) : ::mkdir(target.c_str(), 0755), 0);
        const std::string file = place.Path("test.ini");
        const int result = RunWithDeadline(20, [&] {
            TIniFile settings(file);
            try {
                settings.WriteString("Section", "Key", "value");
                settings.UpdateFile();
            } catch (const EInOutError&) {
                return 1;
            }
            return TIniFile(file).ReadString("Section", "Key", "") == "value" ? 0 : 2;
        });
        EXPECT_EQ(result, c.result) << (result == PassedTheDeadline ? "blocked" : "");
    }
}

// A lock that another holder keeps is waited for a few seconds, then the save fails and says so.
TEST_F(IniFileTest, LockHeldElsewhereFailsTheSaveInsteadOfWaiting)
{
    Given("[Section]\r\nKey=old\r\n");
    const int holder = ::open(folder.Path(".test.ini.lock").c_str(), O_RDONLY | O_CREAT, 0644);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const int result = RunWithDeadline(60, [&] {
        TIniFile settings(path);
        settings.WriteString("Section", "Key", "new");
        try {
            settings.UpdateFile();
        } catch (const EInOutError&) {
            return 1;
        }
        return 0;
    });
    ::close(holder);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Content(), "[Section]\r\nKey=old\r\n");
}

} // namespace
