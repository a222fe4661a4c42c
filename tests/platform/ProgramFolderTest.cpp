// The program folder: the executable's own when it holds the data, else the user's data folder
// filled from the installed data.
#include "platform/ProgramFolder.h"
#include "TestFolder.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252.h"
#include "tests/support/FakeDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

// Sets an environment variable for the test's lifetime, then puts the old value back.
class TScopedEnvironment {
public:
    TScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name)
    {
        if (qEnvironmentVariableIsSet(name))
            previous_ = qgetenv(name).toStdString();
        Set(value);
    }
    ~TScopedEnvironment() { Set(previous_); }

private:
    void Set(const std::optional<std::string>& value)
    {
        if (value)
            qputenv(name_, QByteArray::fromStdString(*value));
        else
            qunsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> previous_;
};

// Error boxes written to the standard error, where a death test reads them.
class TErrorsToStandardError : public TFakeDialogs {
public:
    void ErrorBox(const std::string& message, QWidget*) override { std::fprintf(stderr, "%s\n", message.c_str()); }
};

class ProgramFolder : public ::testing::Test {
protected:
    void Make(const std::string& name, const std::string& bytes) const
    {
        QDir().mkpath(QString::fromStdString(Folder.Path(name)).section('/', 0, -2));
        Folder.WriteRaw(name, bytes);
    }
    bool Exists(const std::string& name) const { return QFile::exists(QString::fromStdString(Folder.Path(name))); }

    TTestFolder Folder;
};

TEST_F(ProgramFolder, UserDataFolderFollowsXdgDataHome)
{
    const TScopedEnvironment home("HOME", Folder.Path("home"));
    const struct {
        std::optional<std::string> XdgDataHome;
        std::string Expected;
    } cases[] = {
        {Folder.Path("xdg"), Folder.Path("xdg/garvo")},
        {std::nullopt, Folder.Path("home/.local/share/garvo")},
        {std::string(), Folder.Path("home/.local/share/garvo")},
        {std::string("relative/data"), Folder.Path("home/.local/share/garvo")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.XdgDataHome.value_or("(unset)"));
        const TScopedEnvironment xdg("XDG_DATA_HOME", c.XdgDataHome);
        EXPECT_EQ(UserDataFolder(), c.Expected);
    }
}

TEST_F(ProgramFolder, ProgramFolderByLayout)
{
    const TScopedEnvironment xdg("XDG_DATA_HOME", Folder.Path("xdg"));
    // Build tree: the data lie beside the program.
    Make("build/bin/Themes/Standard/theme.ini", "[WindowMain]");
    EXPECT_EQ(ResolveProgramFolder(Folder.Path("build/bin")), Folder.Path("build/bin"));
    EXPECT_FALSE(Exists("xdg/garvo"));

    // Installed: the data in share/garvo, the program folder is the user's, filled from them.
    Make("usr/bin/garvo", "");
    Make("usr/share/garvo/Themes/Standard/theme.ini", "[WindowMain]");
    Make("usr/share/garvo/Dictionnaires/Francais.dat", "ananas [fruit]");
    EXPECT_EQ(InstalledDataFolder(Folder.Path("usr/bin")), Folder.Path("usr/share/garvo"));
    EXPECT_EQ(ResolveProgramFolder(Folder.Path("usr/bin")), Folder.Path("xdg/garvo"));
    EXPECT_EQ(Folder.ReadRaw("xdg/garvo/Dictionnaires/Francais.dat"), "ananas [fruit]");
    EXPECT_TRUE(Exists("xdg/garvo/Themes/Standard/theme.ini"));

    // A lone program without data anywhere keeps its own folder.
    Make("alone/garvo", "");
    EXPECT_EQ(ResolveProgramFolder(Folder.Path("alone")), Folder.Path("alone"));
}

// An installed game under a home named in letters beyond the code page: its user's folder is
// found by that name, filled and used.
TEST_F(ProgramFolder, UserFolderUnderAHomeInAnyLetters)
{
    const QString home = QString::fromStdString(Folder.Path()) + QString::fromUtf8("\xC5\x82ukasz/\xD0\x97\xD0\xB0\xD0\xB3\xD1\x80\xD1\x83\xD0\xB7\xD0\xBA\xD0\xB8");
    ASSERT_TRUE(QDir().mkpath(home));
    const TScopedEnvironment homeVariable("HOME", QFile::encodeName(home).toStdString());
    const TScopedEnvironment xdg("XDG_DATA_HOME", std::nullopt);
    Make("usr/bin/garvo", "");
    Make("usr/share/garvo/Themes/Standard/theme.ini", "[WindowMain]");

    const std::string user = ResolveProgramFolder(Folder.Path("usr/bin"));
    EXPECT_EQ(QtNativePath(user), home + QStringLiteral("/.local/share/garvo"));
    EXPECT_TRUE(QFile::exists(home + QStringLiteral("/.local/share/garvo/Themes/Standard/theme.ini")));
}

// A home whose name is no valid name of the system cannot be reached by it: the game says so,
// naming it, and ends before it makes a folder anywhere.
TEST_F(ProgramFolder, HomeWithAnUnreadableNameStopsTheStart)
{
    Make("usr/bin/garvo", "");
    Make("usr/share/garvo/Themes/Standard/theme.ini", "[WindowMain]");
    const std::string home = Folder.Path("\xE9l\xE8ve"); // Latin-1 bytes, no UTF-8 name
    ASSERT_EQ(::mkdir(home.c_str(), 0755), 0);
    const TScopedEnvironment homeVariable("HOME", home);
    const TScopedEnvironment xdg("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(UserDataFolder(), "");
    EXPECT_EXIT(
        {
            SetDialogs(std::make_unique<TErrorsToStandardError>());
            ResolveProgramFolder(Folder.Path("usr/bin"));
            std::exit(0);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "ve/\\.local/share/garvo cannot be used");
    struct stat made {};
    EXPECT_NE(::stat((home + "/.local").c_str(), &made), 0);
    ::rmdir(home.c_str()); // a name the temporary folder's own clean-up cannot reach
}

// A program in a folder whose name is no valid name of the system: it says which folder it
// cannot use, naming it as well as it can be read, and ends. The test runs itself from such a
// folder, where the copy does what the program does at its start.
TEST_F(ProgramFolder, AProgramInAFolderWithAnUnreadableNameSaysWhichOne)
{
    constexpr char AsTheProgram[] = "GARVO_TEST_START_AS_THE_PROGRAM";
    if (qEnvironmentVariableIsSet(AsTheProgram)) {
        SetDialogs(std::make_unique<TErrorsToStandardError>());
        ResolveProgramFolder(NativeExecutableFolder());
        std::_Exit(0);
    }
    const std::string folder = Folder.Path("\xE9l\xE8ve"); // Latin-1 bytes, no UTF-8 name
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    const std::string copy = folder + "/tests";
    // A second name for the test program, or a copy where the folder is on another disk.
    if (::link(self.constData(), copy.c_str()) != 0) {
        ASSERT_EQ(std::system(("cp '" + self.toStdString() + "' '" + copy + "'").c_str()), 0);
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    const std::string said = Folder.Path("said.txt");
    const std::string runtime = Folder.Path("run");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || ::dup2(out, STDERR_FILENO) < 0 || ::setenv(AsTheProgram, "1", 1) != 0
            || ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1) != 0)
            ::_exit(100);
        ::execl(copy.c_str(), copy.c_str(), filter.c_str(), static_cast<char*>(nullptr));
        ::_exit(101);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    const bool ended = QTest::qWaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 120000);
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    ::unlink(copy.c_str());
    ::rmdir(folder.c_str()); // a name the temporary folder's own clean-up cannot reach
    ASSERT_TRUE(ended);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == EXIT_FAILURE) << status;
    const std::string message = Folder.ReadRaw("said.txt");
    const std::string named = PathFromUnicode(QFile::decodeName(QByteArray::fromStdString(folder)));
    EXPECT_NE(message.find("The folder " + named + " cannot be used"), std::string::npos) << message;
}

} // namespace
