// An added word reaches the dictionary whole or not at all, whatever stops the write: a kill, a
// file-size limit, a full disk; and an index that would miss it is dropped.
#include "IndexFixture.h"

#include "platform/Exceptions.h"
#include "platform/ProcessSignals.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SaveWatch.h"
#include "utility/DictionaryEdits.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

class AddedWordTest : public TIndexTest {
protected:
    // A long definition, so that a write cut short has much to cut.
    const std::string entry = utility::FormatNewEntry("lapin", std::string(20000, 'l'));
    std::string path = Path("animaux.dat");

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

TEST_F(AddedWordTest, WithoutAutomaticIndexTheOldIndexIsDropped)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    const std::string index = platform::ChangeFileExt(path, ".ndx");
    ASSERT_TRUE(platform::FileExists(index));
    window.chkAutoLexorim->setChecked(false);
    window.edtAddWord->setText("lapin");
    window.btnAddWordClick();
    // Built within the same 2-second step of the file's age, it would pass for current.
    EXPECT_FALSE(platform::FileExists(index));
    EXPECT_EQ(OpenedWordCount(), 4);
}

} // namespace
