#include "platform/FileSystem.h"
#include "platform/QtTranslations.h"
#include "platform/Shell.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeShell.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

using namespace platform;

namespace {

QString Native(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(NativePath(path)));
}

void WriteProgram(const TTestFolder& folder, const std::string& name, const std::string& script)
{
    folder.WriteRaw(name, script);
    QFile::setPermissions(Native(folder.Path(name)), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The first lines of every fake program: it notes its process in "pids" beside it, so that the
// test can wait for its end.
const std::string ProgramStart = "#!/bin/sh\nhere=$(dirname \"$0\")\necho $$ >> \"$here/pids\"\n";

// Whether the process has ended: gone, or over and only waiting to be collected by its parent.
bool HasEnded(pid_t pid)
{
    if (::kill(pid, 0) != 0)
        return errno == ESRCH;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string line {std::istreambuf_iterator<char>(stat), {}};
    const size_t nameEnd = line.rfind(')');
    return nameEnd == std::string::npos || line.compare(nameEnd, 3, ") Z") == 0 || line.compare(nameEnd, 3, ") X") == 0;
}

// Waits until Count fake programs started from Folder have noted themselves, then until each
// has ended; false when one did not start or still runs after a long time.
bool FakeProgramsEnded(const TTestFolder& folder, size_t count)
{
    std::vector<pid_t> started;
    const auto noted = [&] {
        std::istringstream pids(folder.ReadRaw("pids"));
        started.assign(std::istream_iterator<pid_t>(pids), {});
        return started.size() >= count;
    };
    bool ended = QTest::qWaitFor(noted, 30000);
    for (const pid_t pid : started)
        ended = QTest::qWaitFor([pid] { return HasEnded(pid); }, 30000) && ended;
    return ended;
}

// Writes the number of its arguments, then each argument, one per line, into args.txt.
void WriteArgumentRecorder(const TTestFolder& folder)
{
    WriteProgram(folder, "record.sh",
                 ProgramStart + "printf '%s\\n' \"$#\" \"$@\" > \"$here/args.tmp\"\nmv \"$here/args.tmp\" \"$here/args.txt\"\n");
}

// What the program wrote into args.txt, once it has.
std::string RecordedArguments(const TTestFolder& folder)
{
    const QString written = Native(folder.Path("args.txt"));
    if (!QTest::qWaitFor([&] { return QFile::exists(written); }, 20000))
        return "(nothing recorded)";
    std::string arguments = folder.ReadRaw("args.txt");
    QFile::remove(written);
    return arguments;
}

} // namespace

TEST(Shell, UrlSchemesAreToldFromPaths)
{
    const struct {
        const char* text;
        bool scheme;
    } cases[] = {
        {"http://www.example.org/", true},
        {"mailto:moi@example.org?subject=Le Jeu", true},
        {"svn+ssh://host/x", true},
        {"file:///tmp/a.htm", true},
        {"C:\\Dic\\Animaux.dat", false}, // a drive letter
        {"Aide/garvo.htm", false},
        {"/home/moi/a:b", false},
        {"1http://x", false},
        {"ht tp://x", false},
        {"\xE9t\xE9:x", false},
        {":x", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasUrlScheme(c.text), c.scheme) << c.text;
}

TEST(Shell, FileNamesForQtAreAbsoluteAndFoundRegardlessOfCase)
{
    TTestFolder folder;
    QDir().mkpath(Native(folder.Path("Dictionnaires")));
    folder.WriteRaw("Dictionnaires/\xC9t\xE9.dat", "");

    EXPECT_EQ(QtFileName(folder.Path() + "dictionnaires\\\xC9T\xC9.DAT"),
              Native(folder.Path("Dictionnaires/\xC9t\xE9.dat")));
    EXPECT_EQ(QtFileName(folder.Path() + "Dictionnaires/./../absent.dat"), Native(folder.Path("absent.dat")));
    EXPECT_EQ(QtFileName("relative.txt"), QDir::current().absoluteFilePath(QStringLiteral("relative.txt")));
    EXPECT_TRUE(QtFileName("").isEmpty());
}

TEST(Shell, QtShellGivesTheOpenerUrlsAsWrittenAndPathsAsFiles)
{
    TTestFolder folder;
    folder.WriteRaw("Aide.htm", "");
    WriteArgumentRecorder(folder);
    TQtShell shell(QString::fromStdString(folder.Path("record.sh")));
    int failures = 0;
    const auto failed = [&failures] { ++failures; };

    const struct {
        std::string Document;
        std::string Argument; // as the opener receives it
    } cases[] = {
        {"http://www.example.org/jeu?x=1", "http://www.example.org/jeu?x=1"},
        {"mailto:moi@example.org?subject=Le Jeu du Garvo", "mailto:moi@example.org?subject=Le%20Jeu%20du%20Garvo"},
        {folder.Path() + "AIDE.HTM", folder.Path() + "Aide.htm"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(shell.OpenDocument(c.Document, failed)) << c.Document;
        EXPECT_EQ(RecordedArguments(folder), "1\n" + c.Argument + "\n");
    }
    EXPECT_FALSE(shell.OpenDocument("", failed));
    EXPECT_TRUE(FakeProgramsEnded(folder, std::size(cases)));
    QCoreApplication::processEvents(); // the ends of the openers, as the event loop sees them
    EXPECT_EQ(failures, 0);
}

// The opener finds no program for the document (xdg-open then ends with 3 or 4), cannot run, or
// is missing: each is said once, naming the document, and only when the opener is over; the
// window goes on meanwhile.
TEST(Shell, AnOpenerThatFindsNoProgramIsSaidOnceWhenItEnds)
{
    const struct {
        const char* What;
        const char* Interpreter; // nullptr: no opener
        const char* End;         // how the opener ends
        bool Taken;
        size_t Boxes;
        size_t Runs; // how many openers run
    } cases[] = {
        {"opened", "#!/bin/sh", "exit 0", true, 0, 1},
        {"no program for it", "#!/bin/sh", "exit 3", true, 1, 1},
        {"the program failed", "#!/bin/sh", "exit 4", true, 1, 1},
        {"killed", "#!/bin/sh", "kill -9 $$", true, 1, 1},
        {"cannot run", "#!/no/such/interpreter", "exit 0", true, 1, 0},
        {"missing", nullptr, "", false, 1, 0},
    };
    const std::string document = "/jeu/Aide/garvo.htm";
    UseQtTranslations(33);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TTestFolder folder;
        // The opener waits until the test lets it go, so an answer given before shows that
        // nothing waited for it. It never outlives the test: it also gives up when its folder is
        // gone or after a minute.
        if (c.Interpreter != nullptr)
            WriteProgram(folder, "opener",
                         std::string(c.Interpreter) + "\n" + ProgramStart.substr(ProgramStart.find('\n') + 1)
                             + "tries=0\nwhile [ ! -e \"$here/go\" ] && [ -d \"$here\" ] && [ $tries -lt 1200 ]; do\n"
                               "    sleep 0.05; tries=$((tries + 1))\ndone\n"
                             + c.End + "\n");
        TScopedFakeDialogs dialogs;
        std::unique_ptr<TShell> previous =
            SetShell(std::make_unique<TQtShell>(QString::fromStdString(folder.Path("opener"))));
        const bool wentThrough = OpenDocument(document);
        if (c.Taken) {
            EXPECT_TRUE(dialogs->MessageBoxes.empty());
        }
        folder.WriteRaw("go", "");
        // A failure is said when the opener ends; once it has, every box has come.
        EXPECT_TRUE(FakeProgramsEnded(folder, c.Runs));
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs->MessageBoxes.size() >= c.Boxes; }, 20000));
        QCoreApplication::processEvents();
        SetShell(std::move(previous));

        EXPECT_EQ(wentThrough, c.Taken);
        ASSERT_EQ(dialogs->MessageBoxes.size(), c.Boxes);
        if (c.Boxes != 0) {
            EXPECT_EQ(dialogs->MessageBoxes[0].Text, "Impossible d'ouvrir\xA0:\r\n" + document);
        }
    }
}

TEST(Shell, QtShellStartsAProgramWithExactlyOneArgument)
{
    const struct {
        const char* argument;
        const char* received; // UTF-8, as the started program sees it
    } cases[] = {
        {"C:\\Mes Dictionnaires\\Animaux \xE9t\xE9.dat", "C:\\Mes Dictionnaires\\Animaux \xC3\xA9t\xC3\xA9.dat"},
        {"\"quoted\" and 'single' $HOME *", "\"quoted\" and 'single' $HOME *"},
        {"/home/\x81" "142;ukasz/S\x81" "142;ownik.dat", "/home/\xC5\x82ukasz/S\xC5\x82ownik.dat"}, // a path in Polish letters
        {"", ""},
    };
    for (const auto& c : cases) {
        TTestFolder folder;
        WriteArgumentRecorder(folder);
        // Named in another letter case, as the game names the utility.
        ASSERT_TRUE(TQtShell().StartProgram(folder.Path("RECORD.SH"), c.argument)) << c.argument;
        EXPECT_EQ(RecordedArguments(folder), std::string("1\n") + c.received + "\n");
        EXPECT_TRUE(FakeProgramsEnded(folder, 1));
    }
}

TEST(Shell, QtShellReportsAProgramThatCannotStart)
{
    TTestFolder folder;
    EXPECT_FALSE(TQtShell().StartProgram(folder.Path("lexorim"), "x.dat"));
}

TEST(Shell, RequestsReachTheInstalledShell)
{
    TScopedFakeShell shell;
    TScopedFakeDialogs dialogs;
    shell->Succeeds = false;
    EXPECT_FALSE(OpenDocument("http://www.example.org/"));
    EXPECT_FALSE(StartProgram("/jeu/lexorim", "/jeu/Dictionnaires/Animaux.dat"));
    EXPECT_EQ(shell->Opened, std::vector<std::string>{"http://www.example.org/"});
    ASSERT_EQ(shell->Started.size(), 1u);
    EXPECT_EQ(shell->Started[0].Program, "/jeu/lexorim");
    EXPECT_EQ(shell->Started[0].Argument, "/jeu/Dictionnaires/Animaux.dat");
}
