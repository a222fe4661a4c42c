// The user's copies of the installed data: missing ones are made, the ones the user never
// changed follow an update of the installed files, the user's own are never touched.
#include "platform/UserDataCopy.h"
#include "TestFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class UserDataCopy : public ::testing::Test {
protected:
    QString Native(const std::string& name) const { return QString::fromStdString(Folder.Path(name)); }
    void Make(const std::string& name, const std::string& bytes) const
    {
        QDir().mkpath(Native(name).section('/', 0, -2));
        QFile::remove(Native(name));
        Folder.WriteRaw(name, bytes);
    }
    // The installed data are read-only, as in a system folder.
    void Install(const std::string& name, const std::string& bytes) const
    {
        Make("data/" + name, bytes);
        QFile::setPermissions(Native("data/" + name), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    bool Update() const { return UpdateUserCopies(Native("data"), Native("user")); }
    std::string User(const std::string& name) const { return Folder.ReadRaw("user/" + name); }

    TTestFolder Folder;
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
    EXPECT_TRUE(Folder.ReadRaw("user/.installed-copies").find("Aide/garvo.htm") != std::string::npos);
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

TEST_F(UserDataCopy, AFileThatCannotBeCopiedIsSaidAndTheOthersAreCopied)
{
    Install("Aide/garvo.htm", "<p>aide</p>");
    Install("Themes/Standard/theme.ini", "[WindowMain]");
    Make("user/Aide", "a file where a folder should be");
    EXPECT_FALSE(Update());
    EXPECT_EQ(User("Themes/Standard/theme.ini"), "[WindowMain]");
}

} // namespace
