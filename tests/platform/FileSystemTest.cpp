#include "platform/FileSystem.h"
#include "platform/TestFolder.h"
#include "platform/Windows1252.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <utime.h>

using namespace platform;

namespace {

std::string CurrentFolder()
{
    return std::filesystem::current_path().string(); // the test runs in an ASCII folder
}

void MakeFolder(const std::string& path, mode_t mode = 0755)
{
    ASSERT_EQ(::mkdir(NativePath(path).c_str(), mode), 0) << path;
}

void SetLocalModificationTime(const std::string& path, int year, int month, int day, int hour, int minute, int second)
{
    std::tm local {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const utimbuf times {std::mktime(&local), std::mktime(&local)};
    ASSERT_EQ(::utime(NativePath(path).c_str(), &times), 0);
}

TEST(FileSystem, FullPathNameIsAbsoluteAndNormalised)
{
    const std::string here = CurrentFolder();
    const struct {
        const char* path;
        std::string expected;
    } cases[] = {
        {"a/b.dat", here + "/a/b.dat"},
        {"a\\b.dat", here + "/a/b.dat"},
        {"./a/./b/../c", here + "/a/c"},
        {"a/", here + "/a/"},
        {"/x//y/", "/x/y/"},
        {"/x/y/..", "/x"},
        {"/../..", "/"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FullPathName(c.path), c.expected) << c.path;
}

TEST(FileSystem, NativeNamesOfWindows1252Paths)
{
    const struct {
        std::string path;
        std::string native; // UTF-8
    } cases[] = {
        {"Th\xE8mes\\Fran\xE7" "ais.ini", "Th\xC3\xA8mes/Fran\xC3\xA7" "ais.ini"},
        {"/a/\x9C" "uf", "/a/\xC5\x93uf"}, // oe ligature
        {"plain/name", "plain/name"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NativePath(c.path), c.native) << c.path;
        EXPECT_EQ(QtNativePath(c.path), QString::fromUtf8(c.native.c_str())) << c.path;
    }
}

TEST(FileSystem, FullPathNameHasNoLengthLimit)
{
    std::string longPath;
    for (int i = 0; i < 600; ++i)
        longPath += "folder" + std::to_string(i) + "/";
    longPath += "word.dat";
    ASSERT_GT(longPath.size(), 4096u);
    EXPECT_EQ(FullPathName(longPath), CurrentFolder() + "/" + longPath);
    EXPECT_EQ(FullPathName("/" + longPath + "/../x"), "/" + longPath.substr(0, longPath.size() - 8) + "x");
}

TEST(FileSystem, FileNameParts)
{
    const struct {
        const char* path;
        const char* name;
        const char* folder;
        const char* withIndexExtension;
    } cases[] = {
        {"/data/mots.dat", "mots.dat", "/data/", "/data/mots.ndx"},
        {"C:\\Jeu\\mots.dat", "mots.dat", "C:\\Jeu\\", "C:\\Jeu\\mots.ndx"},
        {"/data.d/mots", "mots", "/data.d/", "/data.d/mots.ndx"},
        {"mots.old.dat", "mots.old.dat", "", "mots.old.ndx"},
        {"/data/", "", "/data/", "/data/.ndx"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ChangeFileExt(c.path, ".ndx"), c.withIndexExtension) << c.path;
    }
}

TEST(FileSystem, FileAgeIsLocalFatTime)
{
    TTestFolder folder;
    const std::string file = folder.Path("mots.dat");
    folder.WriteRaw("mots.dat", "x");
    const uint32_t first = 0x00210000u;
    const uint32_t last = 127u << 25 | 12u << 21 | 31u << 16 | 23u << 11 | 59u << 5 | 29u;
    const struct {
        int year, month, day, hour, minute, second;
        uint32_t expected;
    } cases[] = {
        {2024, 3, 15, 13, 45, 31, 44u << 25 | 3u << 21 | 15u << 16 | 13u << 11 | 45u << 5 | 15u},
        {1980, 1, 1, 0, 0, 0, first},
        {2107, 12, 31, 23, 59, 59, last},
        // Outside the FAT range a file keeps an age: the nearest end of the range.
        {1979, 12, 31, 23, 59, 59, first},
        {1970, 1, 2, 0, 0, 0, first},
        {2108, 1, 1, 0, 0, 0, last},
    };
    for (const auto& c : cases) {
        SetLocalModificationTime(file, c.year, c.month, c.day, c.hour, c.minute, c.second);
        uint32_t age = 0;
        EXPECT_TRUE(FileAgeFat(file, age)) << c.year;
        EXPECT_EQ(age, c.expected) << c.year;
    }
    uint32_t age = 0;
    EXPECT_FALSE(FileAgeFat(folder.Path(), age));
    EXPECT_FALSE(FileAgeFat(folder.Path("missing.dat"), age));
}

TEST(FileSystem, AttributesAndExistence)
{
    TTestFolder folder;
    const struct {
        const char* name;
        bool isFolder;
        mode_t mode;
        uint32_t attributes;
    } cases[] = {
        {"plain.ndx", false, 0644, 0},
        {"locked.ndx", false, 0444, faReadOnly},
        {"owner-write-only.ndx", false, 0200, 0},
        {".hidden.ndx", false, 0644, faHidden},
        {"sub", true, 0755, faDirectory},
        {".hidden-locked", true, 0555, faReadOnly | faHidden | faDirectory},
    };
    for (const auto& c : cases) {
        const std::string path = folder.Path(c.name);
        if (c.isFolder)
            MakeFolder(path);
        else
            folder.WriteRaw(c.name, "x");
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        uint32_t attributes = 0xFFFF;
        ASSERT_TRUE(GetFileAttributes(path, attributes)) << c.name;
        EXPECT_EQ(attributes, c.attributes) << c.name;
        EXPECT_EQ(FileExists(path), !c.isFolder) << c.name;
        EXPECT_EQ(DirectoryExists(path), c.isFolder) << c.name;
    }
    uint32_t attributes = 0;
    ASSERT_TRUE(GetFileAttributes(folder.Path() + "sub\\", attributes));
    EXPECT_EQ(attributes, faDirectory);
    EXPECT_FALSE(GetFileAttributes(folder.Path("missing.ndx"), attributes));
    EXPECT_FALSE(FileExists(folder.Path("missing.ndx")));
    EXPECT_FALSE(DirectoryExists(folder.Path("missing.ndx")));
}

TEST(FileSystem, DeleteFileSparesReadOnlyFilesAndFolders)
{
    TTestFolder folder;
    folder.WriteRaw("plain.ndx", "x");
    folder.WriteRaw("locked.ndx", "x");
    ASSERT_EQ(::chmod(folder.Path("locked.ndx").c_str(), 0444), 0);
    MakeFolder(folder.Path("sub"));

    EXPECT_TRUE(DeleteFile(folder.Path("plain.ndx")));
    EXPECT_FALSE(FileExists(folder.Path("plain.ndx")));
    EXPECT_FALSE(DeleteFile(folder.Path("locked.ndx")));
    EXPECT_TRUE(FileExists(folder.Path("locked.ndx")));
    EXPECT_FALSE(DeleteFile(folder.Path("sub")));
    EXPECT_TRUE(DirectoryExists(folder.Path("sub")));
    EXPECT_FALSE(DeleteFile(folder.Path("missing.ndx")));
}

TEST(FileSystem, FindFirstFileMatchesWildcardsAsWritten)
{
    TTestFolder folder;
    folder.WriteRaw("b.dat", "bbb");
    folder.WriteRaw("a.dat", "aaaaa");
    folder.WriteRaw("C.DAT", "c");
    folder.WriteRaw("lit*eral", "ll");
    MakeFolder(folder.Path("subfolder"));
    const struct {
        const char* pattern;
        const char* name; // nullptr: nothing found
        int64_t size;
        uint32_t attributes;
    } cases[] = {
        {"b.dat", "b.dat", 3, 0},
        {"B.dat", nullptr, 0, 0},
        {"*.dat", "a.dat", 5, 0},
        {"?.DAT", "C.DAT", 1, 0},
        {"*.D?T", "C.DAT", 1, 0},
        {"*t", "a.dat", 5, 0},
        {"x*", nullptr, 0, 0},
        {"??.dat", nullptr, 0, 0},
        {"sub*", "subfolder", 0, faDirectory},
        {"lit*eral", "lit*eral", 2, 0},
    };
    for (const auto& c : cases) {
        TSearchRec found;
        const bool any = FindFirstFile(folder.Path(c.pattern), found);
        EXPECT_EQ(any, c.name != nullptr) << c.pattern;
        if (any && c.name) {
            EXPECT_EQ(found.Name, c.name) << c.pattern;
            EXPECT_EQ(found.Size, c.size) << c.pattern;
            EXPECT_EQ(found.Attributes, c.attributes) << c.pattern;
        }
    }
}

TEST(FileSystem, ResolvePathCaseFindsEachComponent)
{
    TTestFolder folder;
    MakeFolder(folder.Path("Themes"));
    MakeFolder(folder.Path("Themes/Standard"));
    MakeFolder(folder.Path("Themes/Standard/\xc9l\xe8ve"));
    folder.WriteRaw("Themes/Standard/\xc9l\xe8ve/Language.ini", "x");
    const std::string base = folder.Path();
    const std::string real = base + "Themes/Standard/\xc9l\xe8ve/Language.ini";
    const struct {
        std::string path;
        std::string expected;
    } cases[] = {
        {real, real},
        {base + "themes/STANDARD/\xe9L\xc8VE/language.INI", real},
        {base + "THEMES\\standard\\\xe9l\xe8ve\\LANGUAGE.ini", real},
        {base + "themes/standard/", base + "Themes/Standard/"},
        {base + "themes/./standard/../Standard/\xe9l\xe8ve", base + "Themes/./Standard/../Standard/\xc9l\xe8ve"},
        {base + "themes/missing/language.ini", base + "themes/missing/language.ini"},
        {base + "Themes\\Standard", base + "Themes\\Standard"}, // exists as written
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolvePathCase(c.path), c.expected) << c.path;
}

// Folders named in letters beyond the code page, as a Russian or Polish user's are.
TEST(FileSystem, FoldersInAnyLettersAreFoundListedAndReached)
{
    TTestFolder folder;
    const std::string downloads = folder.Path(PathFromUnicode(QString::fromUtf8("\xD0\x97\xD0\xB0\xD0\xB3\xD1\x80\xD1\x83\xD0\xB7\xD0\xBA\xD0\xB8")));
    const std::string lukasz = PathFromUnicode(QString::fromUtf8("\xC5\x81ukasz"));
    MakeFolder(downloads);
    MakeFolder(downloads + "/" + lukasz);
    const std::string words = downloads + "/" + lukasz + "/Mots.dat";
    std::ofstream(NativePath(words), std::ios::binary) << "abc";

    EXPECT_EQ(NativePath(words), folder.Path() + "\xD0\x97\xD0\xB0\xD0\xB3\xD1\x80\xD1\x83\xD0\xB7\xD0\xBA\xD0\xB8/\xC5\x81ukasz/Mots.dat");
    EXPECT_TRUE(FileExists(words));
    EXPECT_TRUE(DirectoryExists(downloads));
    EXPECT_EQ(ResolvePathCase(downloads + "/" + lukasz + "/MOTS.DAT"), words);
    TSearchRec found;
    ASSERT_TRUE(FindFirstFile(downloads + "/*", found));
    EXPECT_EQ(found.Name, lukasz);
    EXPECT_EQ(found.Attributes, uint32_t(faDirectory));
    ASSERT_TRUE(FindFirstFile(downloads + "/" + lukasz + "/*.dat", found));
    EXPECT_EQ(found.Name, "Mots.dat");
    EXPECT_EQ(found.Size, 3);
}

TEST(FileSystem, OnlyValidNamesOfTheSystemBecomePaths)
{
    std::string path = "kept";
    EXPECT_TRUE(PathFromNative("/home/\xC5\x82ukasz/\xC3\xA9t\xC3\xA9", path));
    EXPECT_EQ(path, "/home/\x81" "142;ukasz/\xE9t\xE9");
    EXPECT_EQ(NativePath(path), "/home/\xC5\x82ukasz/\xC3\xA9t\xC3\xA9");
    path = "kept";
    EXPECT_FALSE(PathFromNative("/home/\xE9t\xE9", path)); // Latin-1 bytes: no UTF-8 name
    EXPECT_EQ(path, "kept");
}

TEST(FileSystem, OpticalMountOfAPath)
{
    const std::string mountInfo =
        "22 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "30 22 11:0 / /media/cd ro,nosuid - iso9660 /dev/sr0 ro\n"
        "31 22 8:17 / /mnt/usb rw - vfat /dev/sdb1 rw\n"
        "32 31 8:18 / /mnt/usb/disc rw shared:5 - udf /dev/sdb2 rw\n"
        "33 22 11:1 / /mnt/with\\040space ro - auto /dev/cdrom ro\n"
        "34 22 11:0 / /mnt/stack ro - iso9660 /dev/sr1 ro\n"
        "35 22 0:40 / /mnt/stack rw - tmpfs tmpfs rw\n"
        "broken line\n";
    const struct {
        const char* path;
        bool optical;
    } cases[] = {
        {"/home/user/mots.dat", false},
        {"/media/cd", true},
        {"/media/cd/mots.dat", true},
        {"/media/cdrom2/mots.dat", false},
        {"/mnt/usb/mots.dat", false},
        {"/mnt/usb/disc/mots.dat", true},
        {"/mnt/with space/mots.dat", true},
        {"/mnt/stack/mots.dat", false}, // the later mount hides the disc
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsOpticalMount(mountInfo, c.path), c.optical) << c.path;
}

TEST(FileSystem, WritableFolderIsNoCdRom)
{
    TTestFolder folder;
    folder.WriteRaw("mots.dat", "x");
    EXPECT_FALSE(IsOnCdRomDrive(folder.Path("mots.dat")));
    EXPECT_FALSE(IsOnCdRomDrive(folder.Path("not/yet/there.dat")));
}

} // namespace
