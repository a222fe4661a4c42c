// The raw editor: loading, saving in place without ever losing the file, and the questions asked
// before unsaved text is lost.
#include "IndexFixture.h"

#include "platform/Exceptions.h"
#include "platform/FileContent.h"
#include "utility/DictionaryEdits.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include <sys/stat.h>

namespace {

void TypeAtEnd(QPlainTextEdit& editor, const QString& text)
{
    editor.moveCursor(QTextCursor::End);
    editor.insertPlainText(text);
}

// As the user would: the editor counts it as modified.
void ReplaceText(QPlainTextEdit& editor, const QString& text)
{
    editor.selectAll();
    editor.insertPlainText(text);
}

} // namespace

TEST_F(TIndexTest, ModifyShowsTheRawTextAndSaveWritesItExactly)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary + "\xE9t\xE9\xA0[saison]\r\n");
    window.mnuFileModifyClick();
    EXPECT_TRUE(window.EditorShown());
    EXPECT_FALSE(window.btnEditorSave->isEnabled());
    EXPECT_FALSE(window.edtList->isEnabled());
    EXPECT_FALSE(window.mnuFileNew->isVisible());
    EXPECT_TRUE(window.mnuFileSave->isVisible());
    EXPECT_EQ(window.StatusPanel(1), "animaux.dat");
    EXPECT_EQ(window.StatusPanel(2), "");

    TypeAtEnd(*window.rtxtEditor, "lapin\n  [rongeur]\n");
    EXPECT_TRUE(window.btnEditorSave->isEnabled());
    EXPECT_TRUE(window.mnuFileSave->isEnabled());
    window.btnEditorSaveClick();
    // Line ends come back as CR LF; the non-breaking space stays one.
    EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary + "\xE9t\xE9\xA0[saison]\r\nlapin\r\n  [rongeur]\r\n");
    EXPECT_FALSE(window.btnEditorSave->isEnabled());
    EXPECT_FALSE(window.EditorModified());

    window.btnEditorCloseClick();
    EXPECT_TRUE(dialogs_->MessageBoxes.empty());
    EXPECT_FALSE(window.EditorShown());
    EXPECT_EQ(ListedWords().size(), 5u);
    EXPECT_TRUE(window.edtList->isEnabled());
}

TEST_F(TIndexTest, FailedSaveKeepsTheFileAndTheEdits)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    window.mnuFileModifyClick();
    TypeAtEnd(*window.rtxtEditor, "perdu");
    ::chmod(platform::NativePath(Path("animaux.dat")).c_str(), 0444);
    dialogs_->MessageBoxAnswers.push_back(platform::IDYES);
    window.btnEditorCloseClick();
    EXPECT_EQ(dialogs_->ErrorBoxes.size(), 1u);
    EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary);
    EXPECT_TRUE(window.EditorShown()); // the text is still there to be saved elsewhere
    EXPECT_TRUE(window.EditorModified());

    // Text the file's code page cannot hold is refused the same way.
    ::chmod(platform::NativePath(Path("animaux.dat")).c_str(), 0644);
    TypeAtEnd(*window.rtxtEditor, QString::fromUtf8("\xE2\x9C\x93"));
    window.btnEditorSaveClick();
    EXPECT_EQ(dialogs_->ErrorBoxes.size(), 2u);
    EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary);
}

TEST(DictionaryEditsTest, ReplacingLeavesNoTemporaryFileAndRefusesMissingFolders)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/d.dat";
    utility::ReplaceFileContent(path, "one[1]");
    utility::ReplaceFileContent(path, "two[2]");
    EXPECT_EQ(platform::ReadWholeFile(path), "two[2]");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"d.dat"});
    EXPECT_THROW(utility::ReplaceFileContent(dir.path().toStdString() + "/none/d.dat", "x"), platform::EInOutError);
}

TEST_F(TIndexTest, CloseWithUnsavedChangesAsks)
{
    struct TCase {
        int answer;
        bool shown;    // the editor after the question
        const char* file;
    };
    const TCase cases[] = {
        {platform::IDYES, false, "lapin[x]"},
        {platform::IDNO, false, "chat[y]"},
        {platform::IDCANCEL, true, "chat[y]"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.answer);
        utility::TfrmIndex& window = StartOn("d.dat", "chat[y]");
        window.mnuFileModifyClick();
        ReplaceText(*window.rtxtEditor, "lapin[x]");
        dialogs_->MessageBoxes.clear();
        dialogs_->MessageBoxAnswers.push_back(c.answer);
        window.btnEditorCloseClick();
        ASSERT_EQ(dialogs_->MessageBoxes.size(), 1u);
        EXPECT_EQ(dialogs_->MessageBoxes[0].Caption, "Information");
        EXPECT_EQ(dialogs_->MessageBoxes[0].Flags, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION);
        EXPECT_EQ(dialogs_->MessageBoxes[0].Text,
                  "Le dictionnaire a \xE9t\xE9 modifi\xE9.\r\n\r\nVoulez-vous l'enregistrer ?");
        EXPECT_EQ(window.EditorShown(), c.shown);
        EXPECT_EQ(Read("d.dat"), c.file);
        if (!c.shown) {
            const std::string file = c.file;
            EXPECT_EQ(ListedWords(), (std::vector<std::string>{file.substr(0, file.find('['))}));
        }
    }
}

TEST_F(TIndexTest, QuitAndWindowCloseAskOnceBeforeLosingEdits)
{
    utility::TfrmIndex& window = StartOn("d.dat", "chat[y]");
    window.mnuFileModifyClick();
    ReplaceText(*window.rtxtEditor, "lapin[x]");

    dialogs_->MessageBoxAnswers.push_back(platform::IDCANCEL);
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs_->MessageBoxes.back().Flags, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION);

    dialogs_->MessageBoxAnswers.push_back(platform::IDCANCEL);
    window.mnuFileQuitClick();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs_->MessageBoxes.back().Flags, platform::MB_YESNOCANCEL);

    dialogs_->MessageBoxAnswers.push_back(platform::IDNO);
    window.mnuFileQuitClick();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dialogs_->MessageBoxes.size(), 3u);
    EXPECT_EQ(Read("d.dat"), "chat[y]");
}

TEST_F(TIndexTest, SavedBracketErrorShowsTheMessageAfterClose)
{
    utility::TfrmIndex& window = StartOn("d.dat", "chat[y]");
    window.mnuFileModifyClick();
    ReplaceText(*window.rtxtEditor, "chat[y");
    dialogs_->MessageBoxAnswers.push_back(platform::IDYES);
    window.btnEditorCloseClick();
    EXPECT_EQ(Read("d.dat"), "chat[y");
    EXPECT_NE(ViewText().find("d.dat"), std::string::npos);
    EXPECT_FALSE(window.edtList->isEnabled());
    EXPECT_TRUE(window.btnModify->isEnabled());
    window.btnModifyClick();
    EXPECT_EQ(window.rtxtEditor->toPlainText(), "chat[y");
}

TEST_F(TIndexTest, ModifyWithoutDictionaryEditsTheChosenFile)
{
    utility::TfrmIndex& window = Start({});
    Write("d.dat", "chat[y]");
    dialogs_->FileAnswers.push_back(Path("d.dat"));
    window.mnuFileModifyClick();
    EXPECT_EQ(dialogs_->FileDialogs.at(0).Request.InitialDir, window.LastPath);
    ReplaceText(*window.rtxtEditor, "lapin[x]");
    window.btnEditorSaveClick();
    EXPECT_EQ(Read("d.dat"), "lapin[x]");
    window.btnEditorCloseClick();
    EXPECT_EQ(ListedWords(), (std::vector<std::string>{"lapin"}));
}

TEST_F(TIndexTest, CursorPositionReadsInTheInterfaceLanguage)
{
    utility::TfrmIndex& window = StartOn("d.dat", "chat\r\n[y]\r\nlapin[x]");
    window.mnuFileModifyClick();
    QTextCursor cursor = window.rtxtEditor->textCursor();
    cursor.setPosition(9); // the start of the third line
    window.rtxtEditor->setTextCursor(cursor);
    EXPECT_EQ(window.rtxtEditor->statusTip(), "Ligne:   3   Col:   1");
    cursor.setPosition(11);
    window.rtxtEditor->setTextCursor(cursor);
    window.btnEnglishClick();
    EXPECT_EQ(window.rtxtEditor->statusTip(), "Line:   3   Col:   3");
}

TEST_F(TIndexTest, PopupMenuFollowsTheEditorAndTheSelections)
{
    utility::TfrmIndex& window = StartOn("d.dat", "chat[y]");
    window.mnuHtmlPopup();
    EXPECT_TRUE(window.mnuHtmlCopy->isEnabled());
    EXPECT_FALSE(window.mnuHtmlCopySelection->isEnabled());
    EXPECT_FALSE(window.mnuHtmlCut->isEnabled());
    EXPECT_FALSE(window.mnuHtmlPaste->isEnabled());

    window.mnuHtmlCopyClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString().substr(0, 12), "Dictionnaire");
    EXPECT_EQ(window.htmlViewer->SelLength(), 0);
    // The menu's key works in the view too.
    QGuiApplication::clipboard()->clear();
    window.activateWindow();
    window.htmlViewer->setFocus();
    QTest::keyClick(window.htmlViewer, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString().substr(0, 12), "Dictionnaire");

    window.mnuFileModifyClick();
    window.rtxtEditor->selectAll();
    window.mnuHtmlPopup();
    EXPECT_TRUE(window.mnuHtmlCut->isEnabled());
    EXPECT_TRUE(window.mnuHtmlPaste->isEnabled());
    window.mnuHtmlCutClick();
    EXPECT_EQ(window.rtxtEditor->toPlainText(), "");
    window.mnuHtmlPasteClick();
    EXPECT_EQ(window.rtxtEditor->toPlainText(), "chat[y]");
}
