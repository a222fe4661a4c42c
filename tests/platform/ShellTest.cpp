#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeShell.h"
#include "TestFolder.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// Stands in for the desktop's handlers of a few schemes, so no browser or mail program starts.
class TUrlRecorder : public QObject {
    Q_OBJECT
public:
    TUrlRecorder()
    {
        for (const char* scheme : {"http", "mailto", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
    ~TUrlRecorder() override
    {
        for (const char* scheme : {"http", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened << url; }
};

QString Native(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(NativePath(path)));
}

// A program that writes the number of its arguments, then each argument, one per line.
void WriteArgumentRecorder(const TTestFolder& folder)
{
    folder.WriteRaw("record.sh", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                                 "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args.txt\"\n");
    QFile::setPermissions(Native(folder.Path("record.sh")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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

TEST(Shell, QtShellOpensUrlsAsWrittenAndPathsAsFileUrls)
{
    TTestFolder folder;
    folder.WriteRaw("Aide.htm", "");
    TUrlRecorder recorder;
    TQtShell shell;

    EXPECT_TRUE(shell.OpenDocument("http://www.example.org/jeu?x=1"));
    EXPECT_TRUE(shell.OpenDocument("mailto:moi@example.org?subject=Le Jeu du Garvo"));
    EXPECT_TRUE(shell.OpenDocument(folder.Path() + "AIDE.HTM"));
    EXPECT_FALSE(shell.OpenDocument(""));

    ASSERT_EQ(recorder.Opened.size(), 3);
    EXPECT_EQ(recorder.Opened[0], QUrl(QStringLiteral("http://www.example.org/jeu?x=1")));
    EXPECT_EQ(recorder.Opened[1].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(recorder.Opened[1].path(), QStringLiteral("moi@example.org"));
    EXPECT_EQ(recorder.Opened[1].query(QUrl::FullyDecoded), QStringLiteral("subject=Le Jeu du Garvo"));
    EXPECT_EQ(recorder.Opened[2], QUrl::fromLocalFile(Native(folder.Path("Aide.htm"))));
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
        const QString written = Native(folder.Path("args.txt"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(written); }, 20000)) << c.argument;
        EXPECT_EQ(folder.ReadRaw("args.txt"), std::string("1\n") + c.received + "\n");
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

#include "ShellTest.moc"
