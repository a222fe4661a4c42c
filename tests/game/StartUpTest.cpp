// The start-up steps: the screen check, one running copy, the program paths, the language
// question of a first run, and the game's windows made and wired together.
#include "TfrmMainTest.h"

#include "game/StartUp.h"
#include "game/TfrmAbout.h"
#include "game/TfrmCDPlayer.h"
#include "game/TfrmOptions.h"
#include "game/TfrmScores.h"
#include "htmlview/HtmlView.h"
#include "game/unitCursors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSysInfo>

#include <csignal>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace game;

TEST(ScreenCheck, NeedsEightHundredBySixHundredAndThirtyTwoThousandColours)
{
    const struct {
        int Width, Height, Bits;
        bool Suitable;
    } cases[] = {{800, 600, 16, true},  {799, 600, 32, false}, {800, 599, 32, false},
                 {1024, 768, 15, true}, {1024, 768, 14, false}, {1920, 1080, 8, false},
                 {1920, 1080, 24, true}, {1920, 1080, 32, true}};
    for (const auto& c : cases)
        EXPECT_EQ(ScreenIsSuitable(c.Width, c.Height, c.Bits), c.Suitable) << c.Width << "x" << c.Height << "x" << c.Bits;
}

class StartUpTest : public TGameTest {
protected:
    platform::TScopedFakeDialogs Dialogs;
    platform::TScopedFakeScreen Screen;
};

TEST_F(StartUpTest, TooSmallScreenIsRefusedWithAMessage)
{
    Screen->ScreenWidth = 799;
    EXPECT_FALSE(CheckScreen());
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text,
              "D\xE9sol\xE9, mais ce jeu n\xE9" "c\xE9ssite au moins une d\xE9" "finition de 800x600 et 32765 couleurs !");
    EXPECT_EQ(Dialogs->MessageBoxes[0].Caption, "Le Jeu du Garvo");
    EXPECT_EQ(Dialogs->MessageBoxes[0].Flags, platform::MB_OK);

    Screen->ScreenWidth = 800;
    EXPECT_TRUE(CheckScreen());
    EXPECT_EQ(Dialogs->MessageBoxes.size(), 1u);
}

TEST_F(StartUpTest, SecondCopyIsRefusedUntilTheFirstEnds)
{
    {
        TSingleInstance first(Path());
        ASSERT_EQ(first.Acquire(), TSingleInstance::TResult::Acquired);
        // The lock stays the running copy's however long the game has been running.
        QFile lock(QString::fromStdString(Path(TSingleInstance::LockName + ".lock")));
        ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
        lock.setFileTime(QDateTime::currentDateTime().addSecs(-7200), QFileDevice::FileModificationTime);
        lock.close();

        TSingleInstance second(Path());
        EXPECT_EQ(second.Acquire(), TSingleInstance::TResult::AlreadyRunning);
        ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
        EXPECT_EQ(Dialogs->MessageBoxes[0].Text, "Ce jeu est d\xE9j\xE0 charg\xE9 !");
        EXPECT_EQ(Dialogs->MessageBoxes[0].Caption, "Le Jeu du Garvo");
    }
    TSingleInstance next(Path());
    EXPECT_EQ(next.Acquire(), TSingleInstance::TResult::Acquired);
}

TEST_F(StartUpTest, LockFilesCarryTheStickyBitThatKeepsCleanUpsAway)
{
    Write(TSingleInstance::LockFileName(1), ""); // left by an earlier version, without it
    TSingleInstance instance(Path());
    ASSERT_EQ(instance.Acquire(), TSingleInstance::TResult::Acquired);
    for (int sibling = 0; sibling < TSingleInstance::LockNames; ++sibling) {
        struct stat info {};
        ASSERT_EQ(::lstat(platform::NativePath(Path(TSingleInstance::LockFileName(sibling))).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, S_ISVTX | S_IRUSR | S_IWUSR) << sibling;
    }
}

TEST_F(StartUpTest, LockLeftByACopyThatCrashedIsTakenOver)
{
    // What a copy that ended without releasing its lock leaves: its process no longer runs.
    Write(TSingleInstance::LockName + ".lock",
          "2147483646\ngarvo\n" + QSysInfo::machineHostName().toStdString() + "\n");
    TSingleInstance instance(Path());
    EXPECT_EQ(instance.Acquire(), TSingleInstance::TResult::Acquired);
    EXPECT_TRUE(Dialogs->MessageBoxes.empty());
}

// Another copy of the game, in a process of its own: it takes the lock in Folder (at once, or
// once a byte comes through Go) and holds what it got until it is ended.
class TRunningCopy {
public:
    explicit TRunningCopy(const std::string& folder, int go = -1)
    {
        int channel[2] = {-1, -1};
        if (::pipe(channel) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(channel[0]);
            char byte = 0;
            if (go >= 0 && ::read(go, &byte, 1) != 1)
                ::_exit(1);
            TSingleInstance copy(folder);
            const char result = static_cast<char>(copy.Acquire());
            if (::write(channel[1], &result, 1) != 1)
                ::_exit(1);
            for (;;)
                ::pause();
        }
        ::close(channel[1]);
        result_ = pid_ > 0 ? channel[0] : -1;
        if (pid_ <= 0)
            ::close(channel[0]);
    }
    ~TRunningCopy()
    {
        End();
        if (result_ >= 0)
            ::close(result_);
    }
    TRunningCopy(const TRunningCopy&) = delete;
    TRunningCopy& operator=(const TRunningCopy&) = delete;

    // What its start gave; nothing when it could not tell.
    std::optional<TSingleInstance::TResult> Result()
    {
        char byte = 0;
        if (!answer_ && result_ >= 0 && ::read(result_, &byte, 1) == 1)
            answer_ = static_cast<TSingleInstance::TResult>(byte);
        return answer_;
    }
    bool HoldsLock() { return Result() == TSingleInstance::TResult::Acquired; }

    void End()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int result_ = -1;
    std::optional<TSingleInstance::TResult> answer_;
};

// What the lock file of an earlier version held: a process id, the program and its host.
std::string OwnerRecord(pid_t pid, const std::string& hostName)
{
    return std::to_string(pid) + "\n" + QCoreApplication::applicationName().toStdString() + "\n" + hostName + "\n";
}

pid_t EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

const std::string LockFile = TSingleInstance::LockName + ".lock";
const std::string NotOurs = "someone else's";

// The OS name of Name in the test's Folder, and a file written there.
std::string In(const std::string& folder, const std::string& name)
{
    return platform::NativePath(folder + name);
}
void WriteIn(const std::string& folder, const std::string& name, const std::string& bytes)
{
    std::ofstream(In(folder, name), std::ios::binary) << bytes;
}
void MakeFolderWithAFileAt(const std::string& folder, const std::string& name)
{
    ::mkdir(In(folder, name).c_str(), 0700);
    WriteIn(folder, name + "/victim", NotOurs);
}
void MakeFolderWithAFile(const std::string& folder)
{
    MakeFolderWithAFileAt(folder, LockFile);
}
void RemoveFolderWithAFile(const std::string& folder)
{
    ::unlink(In(folder, LockFile + "/victim").c_str());
    ::rmdir(In(folder, LockFile).c_str());
}
void MakeEveryPlaceAFolderWithAFile(const std::string& folder)
{
    for (int sibling = 0; sibling < TSingleInstance::LockNames; ++sibling)
        MakeFolderWithAFileAt(folder, TSingleInstance::LockFileName(sibling));
}
// What "rm -f *.lock" or a clean-up of the runtime folder does.
void RemoveEveryLockFile(const std::string& folder)
{
    for (int sibling = 0; sibling < TSingleInstance::LockNames; ++sibling)
        ASSERT_EQ(::unlink(In(folder, TSingleInstance::LockFileName(sibling)).c_str()), 0) << sibling;
}

// What lies in the lock file's place in Folder before the game starts; Victim, when set, is a
// file of someone else's that must come out untouched.
struct TLockCase {
    const char* name;
    void (*prepare)(const std::string& folder);
    bool runningCopy; // another copy is started once the place is prepared
    TSingleInstance::TResult expected;
    const char* victim;
    void (*whileItRuns)(const std::string& folder) = nullptr; // done once the other copy runs
};

class LockOwnerTest : public StartUpTest, public ::testing::WithParamInterface<TLockCase> {};

TEST_P(LockOwnerTest, OnlyARunningCopyKeepsTheLock)
{
    const TLockCase& c = GetParam();
    c.prepare(Path());
    std::optional<TRunningCopy> copy;
    if (c.runningCopy) {
        copy.emplace(Path());
        ASSERT_TRUE(copy->HoldsLock());
    }
    if (c.whileItRuns)
        c.whileItRuns(Path());

    {
        TSingleInstance instance(Path());
        EXPECT_EQ(instance.Acquire(), c.expected);
        ASSERT_EQ(Dialogs->MessageBoxes.size(), c.expected == TSingleInstance::TResult::AlreadyRunning ? 1u : 0u);
        if (!Dialogs->MessageBoxes.empty()) {
            EXPECT_EQ(Dialogs->MessageBoxes[0].Text, "Ce jeu est d\xE9j\xE0 charg\xE9 !");
        }
        // While this copy runs, no other one starts.
        if (c.expected == TSingleInstance::TResult::Acquired) {
            EXPECT_FALSE(TRunningCopy(Path()).HoldsLock());
        }
    }
    if (c.victim) {
        EXPECT_EQ(Read(c.victim), NotOurs);
    }
    if (copy) {
        copy->End(); // killed: it releases nothing itself
        TSingleInstance next(Path());
        EXPECT_EQ(next.Acquire(), TSingleInstance::TResult::Acquired) << "the copy has ended";
    }
}

using TResult = TSingleInstance::TResult;
using TFolder = const std::string&;

INSTANTIATE_TEST_SUITE_P(
    Locks, LockOwnerTest,
    ::testing::Values(
        TLockCase{"NoLockFile", [](TFolder) {}, false, TResult::Acquired, nullptr},
        TLockCase{"EmptyFile", [](TFolder f) { WriteIn(f, LockFile, ""); }, false, TResult::Acquired, nullptr},
        TLockCase{"Garbage", [](TFolder f) { WriteIn(f, LockFile, "\x01\xFE=no lock\r\nat all"); }, false,
                  TResult::Acquired, nullptr},
        TLockCase{"EndedProcess",
                  [](TFolder f) { WriteIn(f, LockFile, OwnerRecord(EndedProcess(), QSysInfo::machineHostName().toStdString())); },
                  false, TResult::Acquired, nullptr},
        // A container or a renamed machine: the process named may even run here.
        TLockCase{"AnotherHostName", [](TFolder f) { WriteIn(f, LockFile, OwnerRecord(::getpid(), "another-host")); },
                  false, TResult::Acquired, nullptr},
        TLockCase{"EmptyFolder", [](TFolder f) { ::mkdir(In(f, LockFile).c_str(), 0700); }, false, TResult::Acquired,
                  nullptr},
        TLockCase{"FolderWithAFile", MakeFolderWithAFile, false, TResult::Acquired,
                  "Le Jeu Du Garvo - Velmora.lock/victim"},
        TLockCase{"LinkToSomeoneElsesFile",
                  [](TFolder f) {
                      WriteIn(f, "victim", NotOurs);
                      ::symlink(In(f, "victim").c_str(), In(f, LockFile).c_str());
                  },
                  false, TResult::Acquired, "victim"},
        TLockCase{"LinkToNowhere", [](TFolder f) { ::symlink("/nonexistent/garvo.lock", In(f, LockFile).c_str()); },
                  false, TResult::Acquired, nullptr},
        TLockCase{"Pipe", [](TFolder f) { ::mkfifo(In(f, LockFile).c_str(), 0600); }, false, TResult::Acquired,
                  nullptr},
        // Run as root, the file can be opened all the same: it is then known by its owner.
        TLockCase{"AnotherUsersUnreadableFile",
                  [](TFolder f) {
                      WriteIn(f, LockFile, NotOurs);
                      ::chmod(In(f, LockFile).c_str(), 0);
                      if (::geteuid() == 0) {
                          ASSERT_EQ(::chown(In(f, LockFile).c_str(), 65534, 65534), 0);
                      }
                  },
                  false, TResult::Acquired, nullptr},
        TLockCase{"RunningCopy", [](TFolder) {}, true, TResult::AlreadyRunning, nullptr},
        TLockCase{"RunningCopyOverGarbage", [](TFolder f) { WriteIn(f, LockFile, "garbage"); }, true,
                  TResult::AlreadyRunning, nullptr},
        TLockCase{"RunningCopyBehindAFolder", MakeFolderWithAFile, true, TResult::AlreadyRunning,
                  "Le Jeu Du Garvo - Velmora.lock/victim"},
        // The copy started while a folder lay in the main name's place, which has gone since.
        TLockCase{"RunningCopyAfterTheFolderWent", MakeFolderWithAFile, true, TResult::AlreadyRunning, nullptr,
                  RemoveFolderWithAFile},
        TLockCase{"RunningCopyWhoseLockFilesWereRemoved", [](TFolder) {}, true, TResult::AlreadyRunning, nullptr,
                  RemoveEveryLockFile},
        TLockCase{"RunningCopyWhoseLockFilesWereReplaced", [](TFolder) {}, true, TResult::AlreadyRunning, nullptr,
                  [](TFolder f) {
                      RemoveEveryLockFile(f);
                      for (int sibling = 0; sibling < TSingleInstance::LockNames; ++sibling)
                          WriteIn(f, TSingleInstance::LockFileName(sibling), "");
                  }},
        TLockCase{"EveryPlaceTaken", MakeEveryPlaceAFolderWithAFile, false, TResult::Unavailable, nullptr}),
    [](const ::testing::TestParamInfo<TLockCase>& info) { return std::string(info.param.name); });

// Two copies started at the same moment: exactly one runs, the other is told, whatever lies in
// the lock's place, also when it goes as they start.
TEST_F(StartUpTest, OfTwoCopiesStartedAtOnceExactlyOneRuns)
{
    const struct {
        const char* What;
        void (*Prepare)(const std::string& folder);
        void (*AsTheyStart)(const std::string& folder);
    } cases[] = {
        {"nothing in the way", [](TFolder) {}, nullptr},
        {"a folder in the way", MakeFolderWithAFile, nullptr},
        {"a folder that goes as they start", MakeFolderWithAFile, RemoveFolderWithAFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        for (int round = 0; round < 30; ++round) {
            RemoveFolderWithAFile(Path());
            c.Prepare(Path());
            int go[2];
            ASSERT_EQ(::pipe(go), 0);
            int ran = 0;
            int told = 0;
            {
                TRunningCopy first(Path(), go[0]);
                TRunningCopy second(Path(), go[0]);
                ASSERT_EQ(::write(go[1], "12", 2), 2);
                if (c.AsTheyStart)
                    c.AsTheyStart(Path());
                for (TRunningCopy* copy : {&first, &second}) {
                    const std::optional<TResult> result = copy->Result();
                    ran += result == TResult::Acquired ? 1 : 0;
                    told += result == TResult::AlreadyRunning ? 1 : 0;
                }
            }
            ::close(go[0]);
            ::close(go[1]);
            ASSERT_EQ(ran, 1) << "round " << round;
            ASSERT_EQ(told, 1) << "round " << round;
        }
    }
}

// Any local user may take any abstract name: another user's process holding this one's keeps no
// game from starting.
TEST_F(StartUpTest, RunningNameTakenByAnotherUserStopsNoStart)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs to run a process as another user";
    const std::string name = TSingleInstance::RunningName(Path());
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t squatter = ::fork();
    if (squatter == 0) {
        platform::THeldName held;
        const char taken = ::setuid(65534) == 0 && held.Take(name) == platform::THeldName::TResult::Taken;
        if (::write(channel[1], &taken, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    ::close(channel[1]);
    const struct TEnd {
        pid_t Pid;
        ~TEnd()
        {
            ::kill(Pid, SIGKILL);
            ::waitpid(Pid, nullptr, 0);
        }
    } end{squatter};
    char taken = 0;
    ASSERT_EQ(::read(channel[0], &taken, 1), 1);
    ::close(channel[0]);
    ASSERT_EQ(taken, 1);

    TSingleInstance instance(Path());
    EXPECT_EQ(instance.Acquire(), TSingleInstance::TResult::Acquired);
    EXPECT_TRUE(Dialogs->MessageBoxes.empty());
}

TEST_F(StartUpTest, NoPlaceForTheLockLetsTheGameRun)
{
    TSingleInstance instance(Path("missing/folder"));
    EXPECT_EQ(instance.Acquire(), TSingleInstance::TResult::Unavailable);
    EXPECT_TRUE(Dialogs->MessageBoxes.empty());
}

TEST_F(StartUpTest, ProgramPathsKeepTheFoldersCase)
{
    SetProgramPaths("/Jeux/Le Garvo");
    EXPECT_EQ(ProgramFolder, "/Jeux/Le Garvo/");
    EXPECT_EQ(HelpFolder, "/Jeux/Le Garvo/Aide/");
    EXPECT_EQ(SoundsFolder, "/Jeux/Le Garvo/Sons/");
    EXPECT_EQ(ThemesFolder, "/Jeux/Le Garvo/Themes/");
    EXPECT_EQ(SettingsFilePath, "/Jeux/Le Garvo/garvo.ini");
    EXPECT_EQ(ScoresFilePath, "/Jeux/Le Garvo/scores.ini");
    SetProgramPaths("/Jeux/");
    EXPECT_EQ(ProgramFolder, "/Jeux/");
}

TEST_F(StartUpTest, LanguageQuestionOnlyWhileTheSettingsNameNoLanguage)
{
    const struct {
        const char* Settings;
        bool Needed;
    } cases[] = {{nullptr, true},
                 {"[General]\r\nCreate=Ok\r\n", true},
                 {"[Theme]\r\nName=Standard\r\n", true},
                 {"[Theme]\r\nLanguage=\r\n", true},
                 {"[theme]\r\nlanguage=English\r\n", false}};
    for (const auto& c : cases) {
        std::filesystem::remove(platform::NativePath(SettingsFilePath));
        if (c.Settings != nullptr)
            Write("garvo.ini", c.Settings);
        EXPECT_EQ(LanguageChoiceNeeded(), c.Needed) << (c.Settings ? c.Settings : "no file");
    }
}

TEST_F(StartUpTest, NoLanguageToOfferSkipsTheQuestion)
{
    bool asked = false;
    QTimer::singleShot(0, [&] {
        if (auto* question = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            asked = true;
            question->done(QDialog::Rejected);
        }
    });
    ChooseLanguageIfNeeded();
    QApplication::processEvents();
    EXPECT_FALSE(asked);
}

class GameWindowsTest : public TGameTest {
protected:
    platform::TScopedFakeDialogs Dialogs;
    platform::TScopedFakeSound Sound;
    platform::TScopedFakeShell Shell;
    platform::TScopedFakeScreen Screen;
};

TEST_F(GameWindowsTest, WindowsAreMadeWiredAndGoneAtTheEnd)
{
    InitGameResources();
    LoadCursors();
    Write("Animaux.dat", "ananas\r\n  [Fruit]\r\n");
    {
        TGameWindows windows({"/d=" + Path("Animaux.dat")});
        ASSERT_NE(frmMain, nullptr);
        ASSERT_NE(frmZoom, nullptr);
        ASSERT_NE(frmCDPlayer, nullptr);
        ASSERT_NE(frmOptions, nullptr);
        ASSERT_NE(frmAbout, nullptr);
        ASSERT_NE(frmScores, nullptr);
        // The dialogs stay over the main window; the zoom window and the CD player stand alone.
        for (QWidget* dialog : std::initializer_list<QWidget*>{frmOptions, frmAbout, frmScores})
            EXPECT_EQ(dialog->parentWidget(), frmMain) << dialog->objectName().toStdString();
        EXPECT_EQ(frmZoom->parentWidget(), nullptr);
        EXPECT_EQ(frmCDPlayer->parentWidget(), nullptr);
        EXPECT_EQ(frmMain->btnStart->cursor().pixmap().toImage(), CustomCursor(21)->pixmap().toImage());
        EXPECT_EQ(frmAbout->lblEmail1->cursor().pixmap().toImage(), CustomCursor(21)->pixmap().toImage());
        // The viewer shows the game's arrow; plain areas and edit boxes the standard cursors.
        EXPECT_EQ(frmMain->htmlViewer->cursor().pixmap().toImage(), CustomCursor(2)->pixmap().toImage());
        EXPECT_EQ(frmMain->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(frmMain->lblWord->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(frmScores->edtPlayerName->cursor().shape(), Qt::IBeamCursor);
        windows.Show();
        EXPECT_TRUE(frmMain->isVisible());
        EXPECT_FALSE(frmZoom->isVisible());

        // F5 shows the about window modally; Esc closes it.
        bool aboutShown = false;
        QTimer::singleShot(0, frmAbout, [&] {
            aboutShown = frmAbout->isVisible();
            QTest::keyClick(frmAbout, Qt::Key_Escape);
        });
        frmMain->FormKeyUp(Qt::Key_F5, Qt::NoModifier);
        EXPECT_TRUE(aboutShown);
        EXPECT_FALSE(frmAbout->isVisible());
    }
    EXPECT_EQ(frmMain, nullptr);
    EXPECT_EQ(frmZoom, nullptr);
    EXPECT_EQ(frmCDPlayer, nullptr);
    EXPECT_EQ(frmOptions, nullptr);
    EXPECT_EQ(frmAbout, nullptr);
    EXPECT_EQ(frmScores, nullptr);
}

TEST_F(GameWindowsTest, ZoomWindowComesBackWhenItWasOpenAtTheLastExit)
{
    InitGameResources();
    Write("garvo.ini", "[General]\r\nZoomWindow.Visible=1\r\n");
    TGameWindows windows({});
    windows.Show();
    EXPECT_TRUE(frmZoom->isVisible());
}

} // namespace
