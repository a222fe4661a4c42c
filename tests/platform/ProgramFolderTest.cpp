// The program folder: the executable's own when it holds the data, else the user's data folder
// filled from the installed data.
#include "platform/ProgramFolder.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <optional>

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

} // namespace
