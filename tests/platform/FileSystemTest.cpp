#include "platform/FileSystem.h"
#include "platform/TestFolder.h"
#include "platform/Windows1252.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <iostream>
#include <optional>

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
        "36 22 11:2 / /media/burned ro - ext4 /dev/sr2 ro\n"
        "37 22 0:51 / /net/share ro,relatime - nfs4 server:/export/dictionnaires ro,vers=4.2\n"
        "38 22 7:0 / /snap/garvo ro,nodev - squashfs /dev/loop0 ro\n"
        "39 22 254:0 /srv/locked /mnt/bound ro,relatime - ext4 /dev/vda rw\n"
        "40 22 0:52 / /mnt/two\\040words\\011tab ro - iso9660 /dev/sr3 ro\n"
        "broken line\n";
    const struct {
        const char* path;
        bool optical;
    } cases[] = {
        {"/home/user/mots.dat", false},
        {"/media/cd", true},
        {"/media/cd/mots.dat", true},
        {"/media/cdrom2/mots.dat", false}, // a longer name, not a folder under the disc
        {"/mnt/usb/mots.dat", false},
        {"/mnt/usb/disc/mots.dat", true}, // the longest mount point that holds the path
        {"/mnt/with space/mots.dat", true},
        {"/mnt/with\\040space/mots.dat", false},
        {"/mnt/two words\ttab/mots.dat", true},
        {"/mnt/stack/mots.dat", false},       // the later mount hides the disc
        {"/media/burned/mots.dat", true},     // an optical device, whatever its file system
        {"/net/share/mots.dat", false},       // read-only, but a share
        {"/snap/garvo/mots.dat", false},      // read-only, but an image
        {"/mnt/bound/mots.dat", false},       // a read-only view of a folder
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsOpticalMount(mountInfo, c.path), c.optical) << c.path;
}

// Runs Body in a child process with a mount namespace of its own (and a user namespace, so that
// no privilege is needed), where it may mount what it likes without touching the machine.
// Returns what Body returned, or nothing (with Why set) when the system gives no such namespace.
std::optional<int> InPrivateMountNamespace(const std::function<int()>& body, std::string& why)
{
    constexpr int NoNamespace = 200;
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    const pid_t child = ::fork();
    if (child == 0) {
        const auto writeFile = [](const char* path, const std::string& text) {
            const int file = ::open(path, O_WRONLY | O_CLOEXEC);
            const bool written = file >= 0 && ::write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
            if (file >= 0)
                ::close(file);
            return written;
        };
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWNS) != 0)
            ::_exit(NoNamespace);
        // In a new user namespace the caller stays itself (the files it made stay its own).
        writeFile("/proc/self/setgroups", "deny");
        writeFile("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1");
        writeFile("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1");
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(NoNamespace + 1);
        int result = NoNamespace + 2;
        try {
            result = body();
        } catch (...) {
        }
        ::_exit(result);
    }
    int status = 0;
    while (child > 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) >= NoNamespace) {
        why = child < 0 ? "no process can be started"
            : WIFEXITED(status) && WEXITSTATUS(status) == NoNamespace ? "the system gives no private mount namespace"
            : WIFEXITED(status) && WEXITSTATUS(status) == NoNamespace + 1 ? "the mounts cannot be made private"
                                                                         : "the mount could not be made";
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

// Read-only mounts that are no optical drive: a file system mounted read-only, and a read-only
// view of a folder that stays writable elsewhere.
TEST(FileSystem, ReadOnlyMountIsNoCdRom)
{
    TTestFolder folder;
    MakeFolder(folder.Path("disc"));
    MakeFolder(folder.Path("locked"));
    MakeFolder(folder.Path("view"));
    folder.WriteRaw("locked/mots.dat", "x");
    const std::string disc = NativePath(folder.Path("disc"));
    const std::string locked = NativePath(folder.Path("locked"));
    const std::string view = NativePath(folder.Path("view"));
    const struct {
        const char* What;
        std::function<bool()> Mount;
        std::string Path;
    } cases[] = {
        {"a file system mounted read-only",
         [&] { return ::mount("garvo-test", disc.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0; },
         folder.Path("disc/mots.dat")},
        {"a folder bound read-only",
         [&] {
             return ::mount(locked.c_str(), view.c_str(), nullptr, MS_BIND, nullptr) == 0
                 && ::mount(nullptr, view.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
         },
         folder.Path("view/mots.dat")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        std::string why;
        // 0: no CD-ROM; 1: a CD-ROM; 2: the mount is not read-only after all.
        const std::optional<int> answer = InPrivateMountNamespace(
            [&] {
                if (!c.Mount())
                    return 250;
                struct statvfs volume {};
                if (::statvfs(NativePath(ExtractFilePath(c.Path)).c_str(), &volume) != 0 || (volume.f_flag & ST_RDONLY) == 0)
                    return 2;
                return IsOnCdRomDrive(c.Path) ? 1 : 0;
            },
            why);
        if (!answer) {
            std::cout << "[ SKIPPED  ] " << c.What << ": " << why << "\n";
            continue;
        }
        EXPECT_EQ(*answer, 0);
    }
}

TEST(FileSystem, WritableFolderIsNoCdRom)
{
    TTestFolder folder;
    folder.WriteRaw("mots.dat", "x");
    EXPECT_FALSE(IsOnCdRomDrive(folder.Path("mots.dat")));
    EXPECT_FALSE(IsOnCdRomDrive(folder.Path("not/yet/there.dat")));
}

} // namespace
