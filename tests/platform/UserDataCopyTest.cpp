// The user's copies of the installed data: missing ones are made, the ones the user never
// changed follow an update of the installed files, the user's own are never touched.
#include "platform/UserDataCopy.h"
#include "TestFolder.h"
#include "tests/support/Deadline.h"
#include "tests/support/FileSizeLimit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <utility>
#include <sys/stat.h>

using namespace platform;

namespace {

class UserDataCopy : public ::testing::Test {
protected:
    QString Native(const std::string& name) const { return QString::fromStdString(Folder.Path(Root + name)); }
    void Make(const std::string& name, const std::string& bytes) const
    {
        QDir().mkpath(Native(name).section('/', 0, -2));
        QFile::remove(Native(name));
        Folder.WriteRaw(Root + name, bytes);
    }
    // The installed data are read-only, as in a system folder.
    void Install(const std::string& name, const std::string& bytes) const
    {
        Make("data/" + name, bytes);
        QFile::setPermissions(Native("data/" + name), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    bool Update() const { return UpdateUserCopies(Native("data"), Native("user")); }
    std::string User(const std::string& name) const { return Folder.ReadRaw(Root + "user/" + name); }
    bool UserHas(const std::string& name) const { return QFileInfo::exists(Native("user/" + name)); }

    TTestFolder Folder;
    std::string Root; // the folder of the installed data and of the user's, in Folder
};

TEST_F(UserDataCopy, MissingFilesAreCopiedAndTheUsersAreKept)
{
    Install("Dictionnaires/Francais.dat", "ananas [fruit]");
    Install("Themes/Standard/theme.ini", "[WindowMain]");
    Make("user/Dictionnaires/Francais.dat", "ananas [fruit] zebre [animal]"); // there before any copy

    EXPECT_TRUE(Update());
    EXPECT_EQ(User("Dictionnaires/Francais.dat"), "ananas [fruit] zebre [animal]");
    EXPECT_EQ(User("Themes/Standard/theme.ini"), "[WindowMain]");
    // The user's copy of a read-only installed file can be edited.
    EXPECT_TRUE(QFile::permissions(Native("user/Themes/Standard/theme.ini")) & QFile::WriteOwner);

    // A file the user deleted comes back at the next start; the user's own still stays, also
    // when the installed one changes.
    QFile::remove(Native("user/Themes/Standard/theme.ini"));
    Install("Dictionnaires/Francais.dat", "ananas [fruit] banane [fruit]");
    EXPECT_TRUE(Update());
    EXPECT_EQ(User("Themes/Standard/theme.ini"), "[WindowMain]");
    EXPECT_EQ(User("Dictionnaires/Francais.dat"), "ananas [fruit] zebre [animal]");
}

TEST_F(UserDataCopy, AnUnchangedCopyFollowsTheInstalledFileAndAChangedOneStays)
{
    Install("Aide/garvo.htm", "<p>aide 1</p>");
    Install("Themes/Standard/theme.ini", "[WindowMain]\r\nColor=1");
    Install("Dictionnaires/Francais.dat", "ananas [fruit]");
    ASSERT_TRUE(Update());
    Make("user/Themes/Standard/theme.ini", "[WindowMain]\r\nColor=2"); // the teacher's colour
    Make("user/Dictionnaires/Francais.dat", "ananas [fruit] zebre [animal]");

    // A new version of the program: every installed file changed.
    Install("Aide/garvo.htm", "<p>aide 22</p>");
    Install("Themes/Standard/theme.ini", "[WindowMain]\r\nColor=33");
    Install("Dictionnaires/Francais.dat", "ananas [fruit] banane [fruit]");
    EXPECT_TRUE(Update());
    EXPECT_EQ(User("Aide/garvo.htm"), "<p>aide 22</p>");
    EXPECT_EQ(User("Themes/Standard/theme.ini"), "[WindowMain]\r\nColor=2");
    EXPECT_EQ(User("Dictionnaires/Francais.dat"), "ananas [fruit] zebre [animal]");

    // The updated copy goes on following; the changed ones stay changed.
    Install("Aide/garvo.htm", "<p>aide 333</p>");
    EXPECT_TRUE(Update());
    EXPECT_EQ(User("Aide/garvo.htm"), "<p>aide 333</p>");
    EXPECT_EQ(User("Themes/Standard/theme.ini"), "[WindowMain]\r\nColor=2");
    EXPECT_TRUE(User(".installed-copies").find("Aide/garvo.htm") != std::string::npos);
}

TEST_F(UserDataCopy, ACopyMadeBeforeTheListFollowsOnlyWhileItIsTheInstalledFile)
{
    Install("Aide/garvo.htm", "<p>aide 1</p>");
    Install("Themes/Standard/theme.ini", "[WindowMain]");
    Make("user/Aide/garvo.htm", "<p>aide 1</p>");            // copied by an older version
    Make("user/Themes/Standard/theme.ini", "[WindowMain]x"); // changed since
    ASSERT_TRUE(Update());
    Install("Aide/garvo.htm", "<p>aide 22</p>");
    Install("Themes/Standard/theme.ini", "[WindowMain]y");
    ASSERT_TRUE(Update());
    EXPECT_EQ(User("Aide/garvo.htm"), "<p>aide 22</p>");
    EXPECT_EQ(User("Themes/Standard/theme.ini"), "[WindowMain]x");
}

TEST_F(UserDataCopy, CopiesKeepTheirInstalledTimeAndLinksAreTheUsers)
{
    // Built and installed days ago, the index a little after its dictionary.
    const QDateTime built = QDateTime::currentDateTime().addDays(-3);
    const std::pair<std::string, int> installed[] = {{"Dictionnaires/Francais.dat", 0},
                                                     {"Dictionnaires/Francais.ndx", 10}};
    for (const auto& [name, seconds] : installed) {
        Install(name, "bytes of " + name);
        QFile file(Native("data/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_TRUE(file.setFileTime(built.addSecs(seconds), QFileDevice::FileModificationTime));
    }
    Install("Aide/garvo.htm", "<p>aide</p>");
    QDir().mkpath(Native("user/Aide"));
    ASSERT_TRUE(QFile::link(Native("elsewhere.htm"), Native("user/Aide/garvo.htm")));

    ASSERT_TRUE(Update());
    for (const auto& [name, seconds] : installed)
        EXPECT_EQ(QFileInfo(Native("user/" + name)).lastModified(), built.addSecs(seconds)) << name;
    EXPECT_TRUE(QFileInfo(Native("user/Aide/garvo.htm")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(Native("elsewhere.htm")));
}

// A FIFO or a folder where the list or a copy would be is the user's: the start neither waits on
// it nor replaces it, and still makes every other copy.
TEST_F(UserDataCopy, AFifoOrAFolderInTheUsersFolderIsLeftAsItIs)
{
    const struct {
        const char* Name;
        bool Fifo; // else a folder
    } cases[] = {
        {".installed-copies", true},
        {".installed-copies", false},
        {"Dictionnaires/Francais.dat", true},
        {"Dictionnaires/Francais.dat", false},
        {"Dictionnaires/Francais.ndx", true},
        {"Dictionnaires/Francais.ndx", false},
    };
    const std::string others[] = {"Aide/garvo.htm", "Themes/Standard/theme.ini", "Dictionnaires/English.dat"};
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + (c.Fifo ? " is a FIFO" : " is a folder"));
        Root = "case" + std::to_string(++round) + "/";
        const auto installVersion = [&](const std::string& version) {
            for (const std::string& name : others)
                Install(name, version + name);
            for (const std::string name : {"Dictionnaires/Francais.dat", "Dictionnaires/Francais.ndx"})
                Install(name, version + name);
        };
        const QByteArray odd = QFile::encodeName(Native("user/" + std::string(c.Name)));
        QDir().mkpath(Native("user/Dictionnaires"));
        ASSERT_EQ(c.Fifo ? ::mkfifo(odd.constData(), 0644) : ::mkdir(odd.constData(), 0755), 0);
        // With no list to go by, a copy that differs from its installed file is taken for the
        // user's: the update does not reach the copies then.
        const bool listIsTheUsers = std::string(c.Name) == ".installed-copies";

        // The first start, then one after an update, when every copy is compared again.
        for (const std::string version : {"1 ", "2 "}) {
            SCOPED_TRACE("version " + version);
            installVersion(version);
            const int result = RunWithDeadline(10, [&] { return Update() ? 0 : 1; });
            EXPECT_EQ(result, 0) << (result == PassedTheDeadline ? "blocked" : "a copy failed");
            struct stat left {};
            EXPECT_EQ(::lstat(odd.constData(), &left), 0);
            EXPECT_TRUE(c.Fifo ? S_ISFIFO(left.st_mode) : S_ISDIR(left.st_mode));
            for (const std::string& name : others)
                EXPECT_EQ(User(name), (listIsTheUsers ? "1 " : version) + name) << name;
        }
    }
}

// In the installed folder, a FIFO (also one reached through a link, which the listing takes for
// a file) is no data file: it is passed over, never waited on.
TEST_F(UserDataCopy, AFifoAmongTheInstalledFilesIsPassedOver)
{
    Install("Aide/garvo.htm", "<p>aide</p>");
    ASSERT_EQ(::mkfifo(QFile::encodeName(Native("fifo")).constData(), 0644), 0);
    QDir().mkpath(Native("data/Sons"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Native("data/Sons/fifo.wav")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(Native("fifo"), Native("data/Sons/link.wav")));
    const int result = RunWithDeadline(10, [&] { return Update() ? 0 : 1; });
    EXPECT_EQ(result, 0) << (result == PassedTheDeadline ? "blocked" : "a copy failed");
    EXPECT_EQ(User("Aide/garvo.htm"), "<p>aide</p>");
    EXPECT_FALSE(UserHas("Sons/fifo.wav"));
    EXPECT_FALSE(UserHas("Sons/link.wav"));
}

TEST_F(UserDataCopy, AFileThatCannotBeCopiedIsSaidAndTheOthersAreCopied)
{
    Install("Aide/garvo.htm", "<p>aide</p>");
    Install("Themes/Standard/theme.ini", "[WindowMain]");
    Make("user/Aide", "a file where a folder should be");
    EXPECT_FALSE(Update());
    EXPECT_EQ(User("Themes/Standard/theme.ini"), "[WindowMain]");
}

// A dictionary and its index are one unit: the installed index goes only beside the installed
// dictionary, and comes with it when the dictionary is copied again.
TEST_F(UserDataCopy, AnIndexGoesOnlyBesideItsInstalledDictionary)
{
    const std::string dictionary = "Dictionnaires/English.dat";
    const std::string index = "Dictionnaires/English.ndx";
    const struct {
        const char* What;
        const char* UserDictionary; // after the first start; nullptr: removed
        const char* UserIndex;      // likewise
        std::string Dictionary;     // after the upgrade
        const char* Index;          // likewise; nullptr: none
    } cases[] = {
        {"both as installed", "dictionary 1", "index 1", "dictionary 2", "index 2"},
        {"a word added", "dictionary 1 word", "index 1", "dictionary 1 word", "index 1"},
        {"a word added, its index rebuilt", "dictionary 1 word", "index of the user", "dictionary 1 word",
         "index of the user"},
        {"a word added, no index", "dictionary 1 word", nullptr, "dictionary 1 word", nullptr},
        {"the dictionary removed", nullptr, "index of the user", "dictionary 2", "index 2"},
        {"the index removed", "dictionary 1", nullptr, "dictionary 2", "index 2"},
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Root = "case" + std::to_string(++round) + "/";
        Install(dictionary, "dictionary 1");
        Install(index, "index 1");
        ASSERT_TRUE(Update());
        const std::pair<std::string, const char*> userFiles[] = {{dictionary, c.UserDictionary}, {index, c.UserIndex}};
        for (const auto& [name, bytes] : userFiles) {
            if (bytes == nullptr)
                QFile::remove(Native("user/" + name));
            else if (User(name) != bytes)
                Make("user/" + name, bytes);
        }
        // A new version of the program, with a new dictionary and its index.
        Install(dictionary, "dictionary 2");
        Install(index, "index 2");
        EXPECT_TRUE(Update());
        EXPECT_EQ(User(dictionary), c.Dictionary);
        EXPECT_EQ(UserHas(index), c.Index != nullptr);
        if (c.Index != nullptr) {
            EXPECT_EQ(User(index), c.Index);
        }
    }
}

// A full disk at start: nothing half-written is left, the list of copies stays whole, and once
// there is room again every copy comes back whole and still follows its installed file.
TEST_F(UserDataCopy, AFullDiskLeavesEveryCopyAndTheListWhole)
{
    const std::string names[] = {"Dictionnaires/Francais.dat", "Aide/garvo.htm", "Themes/Standard/theme.ini"};
    const auto installVersion = [&](char version) {
        for (const std::string& name : names)
            Install(name, std::string(300, version) + name);
    };
    const auto updateOnAFullDisk = [&] {
        return RunUnderFileSizeLimit(100, [&] {
            std::signal(SIGXFSZ, SIG_IGN);
            return Update() ? 0 : 1;
        });
    };
    // Each copy is missing or a whole version of its file.
    const auto copiesAreWhole = [&](const std::string& version1, const std::string& version2) {
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            if (UserHas(name)) {
                const std::string copy = User(name);
                EXPECT_TRUE(copy == version1 + name || copy == version2 + name) << copy.size() << " bytes";
            }
        }
    };

    // The first start finds the disk full.
    installVersion('1');
    EXPECT_EQ(updateOnAFullDisk(), 1);
    copiesAreWhole(std::string(300, '1'), std::string(300, '1'));
    EXPECT_TRUE(!UserHas(".installed-copies") || !User(".installed-copies").empty());
    // With room again, every copy is made.
    EXPECT_TRUE(Update());
    for (const std::string& name : names)
        EXPECT_EQ(User(name), std::string(300, '1') + name);
    const std::string list = User(".installed-copies");

    // An upgrade meets a full disk: the old copies and their list stay as they were.
    installVersion('2');
    EXPECT_EQ(updateOnAFullDisk(), 1);
    copiesAreWhole(std::string(300, '1'), std::string(300, '2'));
    EXPECT_EQ(User(".installed-copies"), list);
    // With room again, every copy follows its installed file: none was taken for the user's.
    EXPECT_TRUE(Update());
    for (const std::string& name : names)
        EXPECT_EQ(User(name), std::string(300, '2') + name);
}

} // namespace
