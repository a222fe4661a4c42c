// Start-up, command line, settings, texts and the about window.
#include "IndexFixture.h"

#include "platform/IniFile.h"
#include "utility/unitAbout.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>

TEST_F(TIndexTest, CommandLineOpensExactlyOneExistingFile)
{
    Write("animaux.dat", AnimalsDictionary);
    struct TCase {
        std::vector<std::string> arguments;
        size_t words;
    };
    const TCase cases[] = {
        {{Path("animaux.dat")}, 3},
        {{}, 0},
        {{Path("animaux.dat"), Path("animaux.dat")}, 0},
        {{Path("absent.dat")}, 0},
        {{Folder()}, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.arguments.size());
        utility::TfrmIndex& window = Start(c.arguments);
        EXPECT_EQ(ListedWords().size(), c.words);
        EXPECT_EQ(window.edtList->isEnabled(), c.words > 0);
        EXPECT_EQ(window.btnModify->isEnabled(), c.words > 0);
        EXPECT_TRUE(window.btnQuit->isEnabled());
        if (c.words == 0) {
            EXPECT_EQ(ViewText(), "");
        }
    }
}

// Relative luminance contrast of two colours, 1 (none) to 21 (black on white).
static double Contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// The search and add labels: on a bar of button face when on, of the disabled text's grey when
// off, with a text that can be read on it either way.
TEST_F(TIndexTest, DictionaryLabelsShowTheirStateOnTheirBar)
{
    utility::TfrmIndex& window = Start({});
    const QPalette system = QApplication::palette();
    for (bool on : {false, true, false}) {
        SCOPED_TRACE(on);
        window.EnableDictionaryControls(on);
        for (const QLabel* label : {window.lblSearch, window.lblAdd}) {
            const QPalette::ColorGroup group = on ? QPalette::Active : QPalette::Disabled;
            EXPECT_EQ(label->isEnabled(), on);
            EXPECT_TRUE(label->autoFillBackground());
            const QColor bar = label->palette().color(group, QPalette::Window);
            EXPECT_EQ(bar, on ? system.color(QPalette::Active, QPalette::Button)
                              : system.color(QPalette::Disabled, QPalette::WindowText));
            EXPECT_GE(Contrast(label->palette().color(group, QPalette::WindowText), bar), 4.5);
        }
    }
}

TEST_F(TIndexTest, SettingsAreReadAndWrittenInTheirSection)
{
    Write("garvo.ini", "[Game]\r\nKeep=1\r\n[Lexorim]\r\nLanguage=7\r\nLastPath=\r\n");
    utility::TfrmIndex& window = Start({});
    EXPECT_EQ(window.LanguageCode, 7);
    EXPECT_EQ(window.LastPath + "/", Folder()); // an empty value gives the program's folder
    EXPECT_EQ(window.btnAddWord->text().toStdString(), "&Add the word to the dictionary");
    EXPECT_EQ(window.DictionaryTranslation.FileNotFound, [] {
        dictionary::TDictionaryTranslation english;
        dictionary::SetDictionaryLanguage(english, dictionary::LanguageEnglish);
        return english.FileNotFound;
    }());

    window.LastPath = "/somewhere";
    window.close();
    const platform::TIniFile ini(Path("garvo.ini"));
    EXPECT_EQ(ini.ReadInteger("Lexorim", "Language", 0), 7);
    EXPECT_EQ(ini.ReadString("Lexorim", "LastPath", ""), "/somewhere");
    EXPECT_EQ(ini.ReadString("Game", "Keep", ""), "1");
}

TEST_F(TIndexTest, LanguageButtonsSwitchEveryText)
{
    utility::TfrmIndex& window = Start({});
    struct TCase {
        QString french;
        QString english;
        std::function<QString()> read;
    };
    const TCase cases[] = {
        {"Utilitaire de gestion des dictionnaires - v1.3", "Dictionaries management utility - v1.3",
         [&] { return window.windowTitle(); }},
        {"&Fichier", "&File", [&] { return window.mnuFile->title(); }},
        {"&Sauver", "&Save  ", [&] { return window.btnEditorSave->text(); }},
        {"&Quitter", "&Quit", [&] { return window.btnQuit->text(); }},
        {"Quitter le programme.", "Quit the software.", [&] { return window.btnQuit->statusTip(); }},
        {QString::fromUtf8("Créer l'&index maintenant"), "&Lexorim now!", [&] { return window.btnLexorim->text(); }},
        {"Entrez le mot \u00E0 rechercher.", "Enter the word to search for.", [&] { return window.edtList->statusTip(); }},
        {"Aide:", "Help:", [&] { return window.lblInfo->text(); }},
    };
    window.btnEnglishClick();
    EXPECT_EQ(window.LanguageCode, 1);
    for (const TCase& c : cases)
        EXPECT_EQ(c.read(), c.english);
    window.btnFrenchClick();
    EXPECT_EQ(window.LanguageCode, 33);
    for (const TCase& c : cases)
        EXPECT_EQ(c.read(), c.french);
}

TEST_F(TIndexTest, AboutWindowSpeaksTheCurrentLanguage)
{
    utility::TfrmIndex& window = Start({});
    utility::TfrmAbout about(&window);
    EXPECT_EQ(about.size(), QSize(299, 198));
    EXPECT_EQ(about.lblTitle->text(), "Lexorim");
    window.btnEnglishClick();
    about.show();
    EXPECT_EQ(about.windowTitle(), "About...");
    EXPECT_EQ(about.lblInfo->text(), "Dictionaries management utility for the Velmora's Hangman's game.");
    EXPECT_EQ(about.lblVersion->text(), "Version 1.3");
    EXPECT_FALSE(about.imgProgramIcon->pixmap().isNull());
    about.OKButtonClick();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);

    window.btnFrenchClick();
    about.show();
    EXPECT_EQ(about.windowTitle(), "A propos de...");
    about.hide();
}

TEST_F(TIndexTest, HelpMenuInformationFollowsTheEditor)
{
    utility::TfrmIndex& window = Start({});
    window.mnuHelpClick();
    EXPECT_FALSE(window.mnuHelpDictionaryInfo->isEnabled()); // no dictionary: kept as it was
    Write("d.dat", "chat[y]");
    dialogs_->FileAnswers.push_back(Path("d.dat"));
    window.mnuFileOpenClick();
    window.mnuHelpClick();
    EXPECT_TRUE(window.mnuHelpDictionaryInfo->isEnabled());
    window.mnuFileModifyClick();
    window.mnuHelpClick();
    EXPECT_FALSE(window.mnuHelpDictionaryInfo->isEnabled());
}
