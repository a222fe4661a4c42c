// An added word reaches the dictionary whole or not at all, whatever stops the write: a kill, a
// file-size limit, a full disk, another utility adding at the same moment; and an index that
// would miss it is left stale, for the next opening to rebuild.
#include "IndexFixture.h"

#include "platform/Exceptions.h"
#include "platform/FileContent.h"
#include "platform/PlainFile.h"
#include "platform/ProcessSignals.h"
#include "platform/SaveLock.h"
#include "tests/support/Deadline.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SaveWatch.h"
#include "utility/DictionaryEdits.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class AddedWordTest : public TIndexTest {
protected:
    // A long definition, so that a write cut short has much to cut.
    const std::string entry = utility::FormatNewEntry("lapin", std::string(20000, 'l'));
    std::string path = Path("animaux.dat");

    // The words the engine finds in the dictionary as its programs open it, index and all.
    int32_t OpenedWithItsIndex() const
    {
        dictionary::TDictionaryFile dict;
        dictionary::TDictionaryError error;
        return dictionary::Initialize(path, dict, nullptr, false, error) ? dict.WordCount : -error.Code;
    }

    // The words the engine finds in the dictionary as it now is.
    int32_t OpenedWordCount() const
    {
        dictionary::TDictionaryFile dict;
        dictionary::TDictionaryError error;
        platform::DeleteFile(platform::ChangeFileExt(path, ".ndx"));
        return dictionary::Initialize(path, dict, nullptr, false, error) ? dict.WordCount : -error.Code;
    }
};

TEST_F(AddedWordTest, KilledAppendLeavesTheOldWordsOrTheNewOneToo)
{
    Write("animaux.dat", AnimalsDictionary);
    const std::optional<std::string> mixed =
        MixedContentAfterKilledSaves(path, 60, {AnimalsDictionary, AnimalsDictionary + entry}, [this](int step) {
            if (step == 0)
                utility::ReplaceFileContent(path, AnimalsDictionary);
            else
                utility::AppendToFile(path, entry);
        });
    EXPECT_FALSE(mixed) << mixed->size() << " bytes";
    const int32_t count = OpenedWordCount();
    EXPECT_TRUE(count == 3 || count == 4) << count;
}

TEST_F(AddedWordTest, AppendPastTheFileSizeLimitLeavesTheOldWords)
{
    Write("animaux.dat", AnimalsDictionary);
    const int result = RunUnderFileSizeLimit(AnimalsDictionary.size() + 4096, [this] {
        platform::IgnoreFileSizeSignal();
        try {
            utility::AppendToFile(path, entry);
        } catch (const platform::EInOutError&) {
            return 0;
        }
        return 3; // reported as written
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary);
    EXPECT_EQ(OpenedWordCount(), 3);
}

// A write the disk refuses: an error box naming the file in the interface's language, the word
// kept in the fields for another try, the file as it was.
TEST_F(AddedWordTest, RefusedWriteIsSaidInTheLanguageOfTheInterface)
{
    const struct {
        int32_t Language;
        const char* Text;
    } cases[] = {{utility::EnglishLanguage, "Cannot write to the file "},
                 {utility::FrenchLanguage, "Impossible d'\xE9" "crire dans le fichier "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
        window.LanguageCode = c.Language;
        window.edtAddWord->setText("lapin");
        window.memoAddWordDef->setPlainText(QString(20000, 'l'));
        dialogs_->ErrorBoxes.clear();

        {
            const TFileSizeLimit full(AnimalsDictionary.size() + 100);
            window.btnAddWordClick();
        }

        ASSERT_EQ(dialogs_->ErrorBoxes.size(), 1u);
        EXPECT_EQ(dialogs_->ErrorBoxes[0], c.Text + path);
        EXPECT_EQ(window.edtAddWord->text(), "lapin");
        EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary);
    }
}

// Without automatic indexing, the index the add left stale still serves the listed words, and
// the next opening rebuilds it with the new word.
TEST_F(AddedWordTest, WithoutAutomaticIndexTheOldIndexServesUntilTheNextOpening)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    ASSERT_TRUE(platform::FileExists(platform::ChangeFileExt(path, ".ndx")));
    window.chkAutoLexorim->setChecked(false);
    window.edtAddWord->setText("lapin");
    window.btnAddWordClick();
    EXPECT_TRUE(platform::FileExists(platform::ChangeFileExt(path, ".ndx")));
    window.pbListMouseUp(Qt::LeftButton, 10, 4 + utility::UserListRowHeight(utility::UserList));
    EXPECT_EQ(window.CurrentWord.Definition, "<b>grand</b> animal");
    EXPECT_EQ(ViewText(), "grand animal");
    EXPECT_EQ(OpenedWithItsIndex(), 4);
}

// A change whose index pass never came (the program killed between the two, automatic indexing
// off) or came within the same 2-second step: the next opening, unforced, counts the new word.
TEST_F(AddedWordTest, ChangedTextLeavesItsIndexStale)
{
    const struct {
        const char* name;
        std::function<void(const std::string&)> change;
        int32_t words;
    } cases[] = {
        {"Added", [this](const std::string& file) { utility::AppendToFile(file, entry); }, 4},
        {"RawSave", [](const std::string& file) { utility::ReplaceFileContent(file, "a[x]b[y]c[z]d[t]e[u]"); }, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write("animaux.dat", AnimalsDictionary);
        platform::DeleteFile(platform::ChangeFileExt(path, ".ndx"));
        ASSERT_EQ(OpenedWithItsIndex(), 3);
        c.change(path);
        EXPECT_EQ(OpenedWithItsIndex(), c.words);
    }
}

TEST_F(AddedWordTest, VanishedDictionaryIsRefusedAndNotMadeAgain)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    ASSERT_TRUE(platform::DeleteFile(path));
    dialogs_->ErrorBoxes.clear();
    window.edtAddWord->setText("lapin");
    window.btnAddWordClick();
    ASSERT_EQ(dialogs_->ErrorBoxes.size(), 1u);
    EXPECT_EQ(dialogs_->ErrorBoxes[0], "Impossible d'\xE9" "crire dans le fichier " + path);
    EXPECT_FALSE(platform::FileExists(path));
    EXPECT_EQ(window.edtAddWord->text(), "lapin");
}

// Two utilities adding a word at the same moment: both words are in the dictionary, every time,
// also when one reaches it through a symbolic link (relative, from another folder) and the
// other by its own name.
TEST_F(AddedWordTest, TwoAddsAtOnceKeepBothWords)
{
    const std::string first = utility::FormatNewEntry("lapin", "un rongeur");
    const std::string second = utility::FormatNewEntry("loup", "un canid\xE9");
    ASSERT_EQ(::mkdir(platform::NativePath(Path("liens")).c_str(), 0755), 0);
    ASSERT_EQ(::symlink("../animaux.dat", platform::NativePath(Path("liens/lien.dat")).c_str()), 0);
    const struct {
        const char* name;
        std::string firstPath;
    } cases[] = {{"SameName", path}, {"ThroughALink", Path("liens/lien.dat")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int round = 0; round < 40; ++round) {
            Write("animaux.dat", AnimalsDictionary);
            int go[2];
            ASSERT_EQ(::pipe(go), 0);
            std::vector<pid_t> children;
            const std::pair<const std::string*, const std::string*> adds[] = {{&first, &c.firstPath}, {&second, &path}};
            for (const auto& [added, addedTo] : adds) {
                const pid_t child = ::fork();
                ASSERT_GE(child, 0);
                if (child == 0) {
                    ::alarm(60);
                    ::close(go[1]);
                    char byte = 0;
                    const bool released = ::read(go[0], &byte, 1) == 0; // at the close below
                    try {
                        utility::AppendToFile(*addedTo, *added);
                    } catch (...) {
                        ::_exit(2);
                    }
                    ::_exit(released ? 0 : 3);
                }
                children.push_back(child);
            }
            ::close(go[0]);
            ::close(go[1]); // releases both at once
            for (const pid_t child : children) {
                int status = 0;
                ASSERT_EQ(::waitpid(child, &status, 0), child);
                ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
            }
            const std::string content = Read("animaux.dat");
            ASSERT_TRUE(content == AnimalsDictionary + first + second || content == AnimalsDictionary + second + first)
                << "round " << round << ":\n" << content;
        }
    }
    EXPECT_TRUE(std::filesystem::is_symlink(platform::NativePath(Path("liens/lien.dat"))));
}

// A FIFO in the dictionary's place is refused at once; one in its lock's place leaves the add to
// lock the dictionary itself.
TEST_F(AddedWordTest, FifoNeverBlocksAnAdd)
{
    const struct {
        const char* name;
        const char* fifo;
        int result; // 0 added, 1 refused
    } cases[] = {{"AsDictionary", "animaux.dat", 1}, {"AsLock", ".animaux.dat.lock", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write("animaux.dat", AnimalsDictionary);
        const std::string fifo = platform::NativePath(Path(c.fifo));
        ::unlink(fifo.c_str());
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
        const int result = RunWithDeadline(20, [this] {
            try {
                utility::AppendToFile(path, entry);
            } catch (const platform::EInOutError&) {
                return 1;
            }
            return Read("animaux.dat") == AnimalsDictionary + entry ? 0 : 2;
        });
        EXPECT_EQ(result, c.result) << (result == PassedTheDeadline ? "blocked" : "");
        ::unlink(fifo.c_str());
    }
}

// A FIFO or a folder in the lock's place leaves the adds to lock the dictionary itself, which
// each add then replaces with a new file. Forced here: the first add holds the lock and replaces
// the file while a second waits on the old one; a third locks the new file, and only then is the
// second let through. It must wait for the third rather than edit the same file beside it.
TEST_F(AddedWordTest, AddWaitingOnAReplacedDictionaryWaitsForTheAddOnTheNewOne)
{
    const std::string first = utility::FormatNewEntry("lapin", "un rongeur");
    const std::string second = utility::FormatNewEntry("loup", "un canid\xE9");
    const std::string third = utility::FormatNewEntry("ours", "un plantigrade");
    const std::string native = platform::NativePath(path);
    const std::string lock = platform::NativePath(Path(".animaux.dat.lock"));
    for (const bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "FolderAsLock" : "FifoAsLock");
        Write("animaux.dat", AnimalsDictionary);
        ASSERT_EQ(folder ? ::mkdir(lock.c_str(), 0755) : ::mkfifo(lock.c_str(), 0644), 0);
        const int result = RunWithDeadline(30, [&] {
            // Forked before any lock is taken, which it would share.
            int go[2];
            if (::pipe(go) != 0)
                return 3;
            const pid_t child = ::fork();
            if (child == 0) {
                ::alarm(30);
                ::close(go[1]);
                char byte = 0;
                const bool released = ::read(go[0], &byte, 1) == 0; // at the close below
                try {
                    utility::AppendToFile(path, second);
                } catch (...) {
                    ::_exit(2);
                }
                ::_exit(released ? 0 : 3);
            }
            ::close(go[0]);
            if (child < 0)
                return 3;
            auto firstLock = std::make_unique<platform::TSaveLock>(native);
            const int firstSource = platform::OpenPlainFile(native, O_RDONLY);
            TFileOpening oldFileOpened(native);
            ::close(go[1]);
            // The second add has the old file open, to lock it, when the first replaces it.
            bool forced = !firstLock->TimedOut() && firstSource >= 0 && oldFileOpened.Wait(20)
                && platform::ReplaceWithAppended(path, firstSource, first);
            if (forced) {
                const platform::TSaveLock thirdLock(native);
                const int thirdSource = platform::OpenPlainFile(native, O_RDONLY);
                TFileOpening newFileOpened(native);
                firstLock.reset();
                // The second add, let through, opens the new file: to lock it, or to read it.
                forced = !thirdLock.TimedOut() && thirdSource >= 0 && newFileOpened.Wait(20)
                    && platform::ReplaceWithAppended(path, thirdSource, third);
                ::close(thirdSource);
            }
            ::close(firstSource);
            if (!forced)
                ::kill(child, SIGKILL);
            int status = 0;
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return !forced ? 4 : WIFEXITED(status) ? WEXITSTATUS(status) : 5;
        });
        EXPECT_EQ(result, 0) << (result == PassedTheDeadline ? "blocked" : "");
        EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary + first + third + second);
        ASSERT_EQ(folder ? ::rmdir(lock.c_str()) : ::unlink(lock.c_str()), 0);
    }
}

} // namespace
