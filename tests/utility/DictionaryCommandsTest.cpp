// The dictionary commands: pages, opening, creating, adding words and building the index.
#include "IndexFixture.h"

#include "utility/DictionaryEdits.h"
#include "utility/IndexPages.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>

using utility::UserList;

TEST(IndexPagesTest, FragmentsAreWrappedWithTheDictionaryFolderAsBase)
{
    struct TCase {
        const char* dictionary;
        const char* page;
    };
    const TCase cases[] = {
        {"/dic/animaux.dat", "<html><body><base href=\"/dic/\"><i>x</i></body></html>"},
        {"", "<html><body><base href=\"\"><i>x</i></body></html>"},
        {"/a\"b&c/d.dat", "<html><body><base href=\"/a&quot;b&amp;c/\"><i>x</i></body></html>"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(utility::WrapHtmlPageForDictionary(c.dictionary, "<i>x</i>"), c.page) << c.dictionary;
}

TEST_F(TIndexTest, InformationPageNamesTheFilesCountAndDescription)
{
    const char description[] = " \r\n<p>Les animaux</p>\r\n\0ignored";
    Write("animaux.htm", std::string(description, sizeof description - 1));
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    const std::string expected = "Dictionnaire: animaux.dat (" + std::to_string(AnimalsDictionary.size())
        + " octets)<br>Fichier index: animaux.ndx<br>Mots: 3<br><hr><p>Les animaux</p>";
    EXPECT_EQ(window.BuildDictionaryInfo(window.CurrentDictionary, window.DictionaryError), expected);
    EXPECT_EQ(window.StatusPanel(1), "animaux.dat");

    window.btnEnglishClick();
    window.mnuHelpDictionaryInfoClick();
    const std::string english = "Dictionary: animaux.dat (" + std::to_string(AnimalsDictionary.size()) + " bytes)";
    EXPECT_EQ(ViewText().substr(0, english.size()), english);
}

// A dictionary named in letters beyond the code page: the status bar shows its exact name, the
// pages (Windows-1252) a "?" for each such letter, never the escape that carries it.
TEST_F(TIndexTest, NamesInAnyLettersAreShownAsWritten)
{
    const std::string name = "S\x81" "142;ownik.dat"; // Słownik.dat
    utility::TfrmIndex& window = StartOn(name, AnimalsDictionary);
    ASSERT_TRUE(window.CurrentDictionary.Initialized);
    EXPECT_EQ(window.sbPanels[1]->text(), QStringLiteral("S\u0142ownik.dat"));
    window.mnuHelpDictionaryInfoClick();
    const std::string page = ViewText();
    EXPECT_EQ(page.substr(0, 25), "Dictionnaire: S?ownik.dat") << page;
    EXPECT_NE(page.find("Fichier index: S?ownik.ndx"), std::string::npos) << page;
    EXPECT_EQ(page.find('\x81'), std::string::npos) << page;

    // The engine's error page names the file so too.
    const std::string broken = "Z\x81" "142;y.dat";
    StartOn(broken, "a [x [y]\r\n");
    const std::string error = ViewText();
    EXPECT_NE(error.find(Folder() + "Z?y.dat"), std::string::npos) << error;
    EXPECT_EQ(error.find('\x81'), std::string::npos) << error;
}

TEST_F(TIndexTest, DefinitionPreviewLoadsTheWrappedPage)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    window.pbListMouseUp(Qt::LeftButton, 10, 4 + utility::UserListRowHeight(UserList));
    EXPECT_EQ(window.CurrentWord.Definition, "<b>grand</b> animal");
    EXPECT_EQ(ViewText(), "grand animal");
    EXPECT_EQ(window.htmlViewer->BaseHref(), Folder());
}

TEST_F(TIndexTest, AddedWordIsAppendedInItsLinesAndIndexed)
{
    struct TCase {
        const char* word;
        const char* definition; // as typed, lines ended by Enter
        const char* appended;
    };
    const TCase cases[] = {
        {"lapin", "", "lapin\r\n  []\r\n"},
        {"lapin", "petit", "lapin\r\n  [petit]\r\n"},
        {"lapin", "petit\n", "lapin\r\n  [petit\r\n]\r\n"},
        {"lapin", "un\ndeux", "lapin\r\n  [un\r\n  deux]\r\n"},
        {"lapin", "un\n   \ntrois\n\ncinq", "lapin\r\n  [un\r\n  trois\r\n  cinq]\r\n"},
        {"  ch  ", "prefix", "ch\r\n  [prefix]\r\n"}, // a prefix of existing words is no duplicate
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.definition);
        utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
        window.edtAddWord->setText(QString::fromLatin1(c.word));
        window.memoAddWordDef->setPlainText(QString::fromLatin1(c.definition));
        window.btnAddWordClick();
        EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary + c.appended);
        EXPECT_EQ(Read("animaux.ndx").size(), 16u * 6);
        EXPECT_EQ(ListedWords().size(), 4u);
        EXPECT_EQ(ListedWords().back(), QString::fromLatin1(c.word).trimmed().toStdString());
        EXPECT_EQ(window.StatusPanel(2), "4 mot(s)");
        EXPECT_TRUE(window.edtAddWord->text().isEmpty());
        EXPECT_TRUE(window.memoAddWordDef->toPlainText().isEmpty());
        EXPECT_TRUE(window.btnAddWord->isEnabled());
    }
}

TEST_F(TIndexTest, DuplicateWordIsSelectedAndNotWritten)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    window.edtAddWord->setText("CHAT");
    window.memoAddWordDef->setPlainText("encore");
    window.btnAddWordClick();
    ASSERT_EQ(dialogs_->MessageBoxes.size(), 1u);
    EXPECT_EQ(dialogs_->MessageBoxes[0].Text, "Le mot existe d\xE9j\xE0 !");
    EXPECT_EQ(dialogs_->MessageBoxes[0].Caption, "Attention !");
    EXPECT_EQ(dialogs_->MessageBoxes[0].Flags, platform::MB_OK);
    EXPECT_EQ(UserList.SelectedIndex, 3);
    EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary);
    EXPECT_EQ(window.edtAddWord->text(), "CHAT");
    EXPECT_EQ(window.memoAddWordDef->toPlainText(), "encore");
}

TEST_F(TIndexTest, EntriesThatWouldBreakTheFileAreRefused)
{
    struct TCase {
        QString word;
        QString definition;
        const char* message;
    };
    const TCase cases[] = {
        {"a[b", "def", "Le mot et sa d\xE9" "finition ne peuvent contenir ni [ ni ]."},
        {"ab", "x] y [z", "Le mot et sa d\xE9" "finition ne peuvent contenir ni [ ni ]."},
        {"ab", QString(32761, 'x'), "La d\xE9" "finition ne peut d\xE9passer 32760 caract\xE8res."},
        {"ab", QString::fromUtf8("\xE2\x82\xAC ok \xE2\x9C\x93"), "Le texte contient des caract\xE8res que le dictionnaire ne peut enregistrer."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.message);
        utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
        dialogs_->MessageBoxes.clear();
        window.edtAddWord->setText(c.word);
        window.memoAddWordDef->setPlainText(c.definition);
        window.btnAddWordClick();
        ASSERT_EQ(dialogs_->MessageBoxes.size(), 1u);
        EXPECT_EQ(dialogs_->MessageBoxes[0].Text, c.message);
        EXPECT_EQ(Read("animaux.dat"), AnimalsDictionary);
        EXPECT_EQ(window.edtAddWord->text(), c.word);
    }
    EXPECT_EQ(utility::CheckNewEntry(std::string(51, 'w'), "d"), utility::TEntryRefusal::WordTooLong);
    EXPECT_EQ(utility::CheckNewEntry(std::string(50, 'w'), std::string(32760, 'd')), std::nullopt);
}

TEST_F(TIndexTest, WithoutAutomaticIndexTheWordWaitsForTheBuild)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    window.chkAutoLexorim->setChecked(false);
    EXPECT_TRUE(window.btnLexorim->isEnabled());
    window.edtAddWord->setText("lapin");
    window.btnAddWordClick();
    EXPECT_EQ(ListedWords().size(), 3u);
    window.btnLexorimClick();
    EXPECT_EQ(ListedWords(), (std::vector<std::string>{"chien", "Cheval", "chat", "lapin"}));
    EXPECT_EQ(window.StatusPanel(2), "4 mot(s)");
    window.chkAutoLexorim->setChecked(true);
    EXPECT_FALSE(window.btnLexorim->isEnabled());
}

TEST_F(TIndexTest, NewDictionaryStartsEmptyAndTakesWords)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    Write("neuf.dat", "old content[x]");
    dialogs_->FileAnswers.push_back(Path("neuf.dat"));
    window.mnuFileNewClick();
    ASSERT_EQ(dialogs_->FileDialogs.size(), 1u);
    EXPECT_TRUE(dialogs_->FileDialogs[0].Save);
    EXPECT_EQ(dialogs_->FileDialogs[0].Request.DefaultExt, ".dat");
    EXPECT_TRUE(dialogs_->FileDialogs[0].Request.OverwritePrompt);
    EXPECT_EQ(Read("neuf.dat"), "");
    EXPECT_EQ(Read("neuf.ndx"), std::string(13, ' ') + "0\r\n" + std::string(13, ' ') + "0\r\n");
    EXPECT_EQ(window.StatusPanel(1), "neuf.dat");
    EXPECT_TRUE(window.btnAddWord->isEnabled());
    EXPECT_TRUE(ListedWords().empty()); // the old words no longer answer for the new file
    EXPECT_EQ(window.sbList->maximum(), 0);
    EXPECT_EQ(window.seList->maximum(), 0);

    window.edtAddWord->setText("chat"); // a word of the old dictionary
    window.btnAddWordClick();
    EXPECT_TRUE(dialogs_->MessageBoxes.empty());
    EXPECT_EQ(Read("neuf.dat"), "chat\r\n  []\r\n");
    EXPECT_EQ(ListedWords(), (std::vector<std::string>{"chat"}));
}

TEST_F(TIndexTest, NewDictionaryThatCannotBeMadeIsSaidAndTheOpenOneStays)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    Write("fichier", "x");
    const std::string unmakeable[] = {Path("absent/neuf.dat"), Path("fichier/neuf.dat")};
    for (const std::string& path : unmakeable) {
        const size_t errorsBefore = dialogs_->ErrorBoxes.size();
        dialogs_->FileAnswers.push_back(path);
        window.mnuFileNewClick();
        ASSERT_EQ(dialogs_->ErrorBoxes.size(), errorsBefore + 1) << path;
        EXPECT_EQ(dialogs_->ErrorBoxes.back(), "Impossible de cr\xE9" "er le dictionnaire :\r\n" + path) << path;
        EXPECT_EQ(window.StatusPanel(1), "animaux.dat") << path;
        EXPECT_TRUE(window.btnAddWord->isEnabled()) << path;
        EXPECT_TRUE(window.edtList->isEnabled()) << path;
        EXPECT_EQ(ListedWords().size(), 3u) << path;
        EXPECT_EQ(window.CurrentDictionary.FileName, Path("animaux.dat")) << path;
    }
    window.btnEnglishClick();
    dialogs_->FileAnswers.push_back(unmakeable[0]);
    window.mnuFileNewClick();
    EXPECT_EQ(dialogs_->ErrorBoxes.back(), "Cannot create the dictionary:\r\n" + unmakeable[0]);
}

TEST_F(TIndexTest, OpenRemembersTheFolderOfTheChosenFile)
{
    utility::TfrmIndex& window = Start({});
    EXPECT_EQ(window.LastPath + "/", Folder()); // no settings: the program's folder
    Write("animaux.dat", AnimalsDictionary);
    dialogs_->FileAnswers.push_back(Path("animaux.dat"));
    window.mnuFileOpenClick();
    EXPECT_EQ(dialogs_->FileDialogs.at(0).Request.InitialDir, window.LastPath);
    EXPECT_EQ(dialogs_->FileDialogs.at(0).Request.Filter, "Dictionnaire (*.dat)|*.dat|Tous les fichiers (*.*)|*.*");
    EXPECT_EQ(ListedWords().size(), 3u);
    EXPECT_EQ(window.LastPath, Path("").substr(0, Folder().size() - 1));

    dialogs_->FileAnswers.push_back(Path("absent.dat"));
    window.mnuFileOpenClick();
    EXPECT_EQ(dialogs_->FileDialogs.at(1).Request.InitialDir, Folder());
    EXPECT_EQ(window.StatusPanel(1), "");
    EXPECT_FALSE(window.edtList->isEnabled());
}

TEST_F(TIndexTest, DictionaryWithoutEntriesShowsItsPageAndStaysDisabled)
{
    utility::TfrmIndex& window = StartOn("vide.dat", "no entry here");
    EXPECT_EQ(ViewText().substr(0, 31), "Dictionnaire: vide.dat (0 octet");
    EXPECT_EQ(ViewText().find("Mots"), std::string::npos);
    EXPECT_FALSE(window.edtList->isEnabled());
    EXPECT_FALSE(window.btnAddWord->isEnabled());
}

TEST_F(TIndexTest, BracketErrorShowsTheEngineMessageAndLeavesModify)
{
    utility::TfrmIndex& window = StartOn("casse.dat", "chat[un [petit] animal]");
    EXPECT_EQ(window.DictionaryError.Code, dictionary::errOpenBracket);
    EXPECT_NE(ViewText().find("casse.dat"), std::string::npos);
    EXPECT_TRUE(window.btnModify->isEnabled());
    for (QWidget* control : std::initializer_list<QWidget*>{window.edtList, window.btnAddWord, window.btnInformation,
                                                             window.btnLexorim, window.chkAutoLexorim})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(window.btnQuit->isEnabled());
}

TEST_F(TIndexTest, FailedForcedIndexPassShowsWhyAndLeavesModify)
{
    struct TCase {
        bool automatic;
        void (utility::TfrmIndex::*command)();
    };
    // The file was broken behind the window's back; both forced passes meet the bracket error.
    const TCase cases[] = {{true, &utility::TfrmIndex::btnAddWordClick}, {false, &utility::TfrmIndex::btnLexorimClick}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.automatic);
        utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
        window.chkAutoLexorim->setChecked(c.automatic);
        Write("animaux.dat", "chat[un [petit] animal]");
        window.edtAddWord->setText("lapin");
        (window.*c.command)();
        EXPECT_EQ(window.DictionaryError.Code, dictionary::errOpenBracket);
        EXPECT_NE(ViewText().find("Lexorim: Trop de ["), std::string::npos);
        EXPECT_TRUE(window.btnModify->isEnabled());
        EXPECT_FALSE(window.edtList->isEnabled());
        EXPECT_FALSE(window.btnLexorim->isEnabled());
    }
}

TEST_F(TIndexTest, LinksGoToTheDesktopOnlyWhenSafe)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    Write("photo.png", "png");
    Write("script.sh", "#!/bin/sh\n");
    struct TCase {
        const char* url;
        std::string opened; // empty when nothing may be opened
    };
    const TCase cases[] = {
        {"https://example.org/a", "https://example.org/a"},
        {"photo.png", Path("photo.png")},
        {"script.sh", ""},
        {"absent.png", ""},
        {"javascript:alert(1)", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.url);
        shell_->Opened.clear();
        bool handled = false;
        window.htmlViewerHotSpotClick(c.url, handled);
        EXPECT_TRUE(handled);
        EXPECT_EQ(shell_->Opened, c.opened.empty() ? std::vector<std::string>() : std::vector<std::string>{c.opened});
    }
}
