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

// Writes the number of its arguments, then each argument, one per line, into args.txt.
void WriteArgumentRecorder(const TTestFolder& folder)
{
    WriteProgram(folder, "record.sh",
                 "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                 "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args.txt\"\n");
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
    QTest::qWait(200); // lets the openers' ends be seen
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
    } cases[] = {
        {"opened", "#!/bin/sh", "exit 0", true, 0},
        {"no program for it", "#!/bin/sh", "exit 3", true, 1},
        {"the program failed", "#!/bin/sh", "exit 4", true, 1},
        {"killed", "#!/bin/sh", "kill -9 $$", true, 1},
        {"cannot run", "#!/no/such/interpreter", "exit 0", true, 1},
        {"missing", nullptr, "", false, 1},
    };
    const std::string document = "/jeu/Aide/garvo.htm";
    UseQtTranslations(33);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TTestFolder folder;
        // The opener waits until the test lets it go, so an answer given before shows that
        // nothing waited for it.
        if (c.Interpreter != nullptr)
            WriteProgram(folder, "opener",
                         std::string(c.Interpreter) + "\nwhile [ ! -e \"$(dirname \"$0\")/go\" ]; do sleep 0.05; done\n"
                             + c.End + "\n");
        TScopedFakeDialogs dialogs;
        std::unique_ptr<TShell> previous =
            SetShell(std::make_unique<TQtShell>(QString::fromStdString(folder.Path("opener"))));
        const bool wentThrough = OpenDocument(document);
        if (c.Taken) {
            EXPECT_TRUE(dialogs->MessageBoxes.empty());
        }
        folder.WriteRaw("go", "");
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs->MessageBoxes.size() == c.Boxes; }, 20000));
        QTest::qWait(200); // nothing more comes
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
