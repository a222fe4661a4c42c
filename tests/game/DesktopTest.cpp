// What the player meets where the game hands over to the desktop: an error page naming the file
// that was asked for, help the desktop could not open, and the print and save failures in the
// language of the interface.
#include "common/BundledData.h"
#include "TfrmMainTest.h"

#include "game/DefinitionViewCommands.h"
#include "game/HighScores.h"
#include "game/LanguageTexts.h"
#include "game/TfrmCDPlayer.h"
#include "game/TfrmScores.h"
#include "htmlview/HtmlView.h"
#include "platform/IniFile.h"
#include "tests/support/FileSizeLimit.h"

#include <QPrinterInfo>
#include <QTableWidget>

#include <filesystem>

using namespace game;

namespace {

using DesktopTest = TMainWindowTest;

std::string PageText()
{
    return CopyAllText(*frmMain->htmlViewer, "");
}

TEST_F(DesktopTest, MissingDictionaryPageNamesThePathAskedFor)
{
    StartOn("Animaux.dat");
    Dialogs->FileAnswers.push_back(Path("Parti.dat"));
    Type(Qt::Key_F2);
    const std::string page = PageText();
    EXPECT_NE(page.find(Path("Parti.dat")), std::string::npos) << page;
    EXPECT_EQ(page.find("Animaux.dat"), std::string::npos) << page;
}

// A dictionary named in letters beyond the code page: the information page and the engine's
// error page (Windows-1252) show a "?" for each such letter, the best ten its exact name; the
// escape that carries it is never shown.
TEST_F(DesktopTest, NamesInAnyLettersAreShownAsWritten)
{
    const std::string name = "S\x81" "142;ownik.dat"; // Słownik.dat
    Write(name, "ananas\r\n  [Fruit]\r\n");
    StartOn(name);
    ASSERT_EQ(DictionaryWordCount, 1);
    std::string page = PageText();
    EXPECT_NE(page.find("Dictionnaire: S?ownik.dat ("), std::string::npos) << page;
    EXPECT_NE(page.find("Index: S?ownik.ndx"), std::string::npos) << page;
    EXPECT_EQ(page.find('\x81'), std::string::npos) << page;

    QString header;
    OnScoresShown = [&header] {
        header = frmScores->gridScores->item(0, 0)->text();
        frmScores->btnOkClick();
    };
    Type(Qt::Key_F3);
    EXPECT_TRUE(header.endsWith(QStringLiteral("(S\u0142ownik.dat)"))) << header.toStdString();

    Write("Z\x81" "142;y.dat", "a [x [y]\r\n");
    Dialogs->FileAnswers.push_back(Path("Z\x81" "142;y.dat"));
    Type(Qt::Key_F2);
    page = PageText();
    EXPECT_NE(page.find(Path("Z?y.dat")), std::string::npos) << page;
    EXPECT_EQ(page.find('\x81'), std::string::npos) << page;
}

TEST_F(DesktopTest, HelpTheDesktopCannotOpenIsReported)
{
    StartOn("Animaux.dat");
    Shell->Succeeds = false;
    Type(Qt::Key_F1);
    ASSERT_EQ(Shell->Opened.size(), 1u);
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
    EXPECT_NE(Dialogs->MessageBoxes[0].Text.find(HelpFolder + frmMain->Texts.HelpFile), std::string::npos)
        << Dialogs->MessageBoxes[0].Text;
}

TEST_F(DesktopTest, PrintFailureSpeaksTheLanguageOfTheInterface)
{
    const std::filesystem::path themes =
        BundledDataFolder() / "Themes" / "Standard";
    const struct {
        const char* Language;
        const char* Text;
    } cases[] = {
        {"English", "Nothing could be printed: no printer is ready."},
        {"Francais", "Impression impossible\xA0: aucune imprimante n'est pr\xEAte."},
        {"Absent", "Impression impossible\xA0: aucune imprimante n'est pr\xEAte."},
    };
    StartOn("Animaux.dat");
    TDefinitionViewMenu* menu = InstallDefinitionViewMenu(*frmMain);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        ThemeFolder = themes.string();
        LanguageFolder = ThemeFolder + "/" + c.Language;
        LoadLanguageTexts("frmMain", 0);
        EXPECT_EQ(frmMain->Texts.PrintFailed, c.Text);
        if (!QPrinterInfo::defaultPrinter().isNull())
            continue; // a machine with a printer prints instead
        Dialogs->MessageBoxes.clear();
        menu->mnuHtmlPrintClick();
        ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
        EXPECT_EQ(Dialogs->MessageBoxes[0].Text, c.Text);
    }
}

// Closing on a full disk: each save is tried, and each file named once in the language of the
// interface, also the settings file that the CD player and the main window both write.
struct TClosingLanguage {
    const char* Language;
    const char* Text;
};

void PrintTo(const TClosingLanguage& language, std::ostream* out)
{
    *out << language.Language;
}

class ClosingOnAFullDiskTest : public TMainWindowTest, public ::testing::WithParamInterface<TClosingLanguage> {};

TEST_P(ClosingOnAFullDiskTest, ReportsEachFileOnceInTheLanguageOfTheInterface)
{
    const std::string settings = "[General]\r\nLevel=1\r\n";
    const std::string scores = "[Scores.Animaux.dat]\r\nName1=Anne\r\n";
    Write("garvo.ini", settings);
    Write("scores.ini", scores);
    StartOn("Animaux.dat");
    TfrmCDPlayer player(std::make_unique<platform::TSimulatedCdDevice>());
    frmCDPlayer = &player;
    ThemeFolder = (BundledDataFolder() / "Themes" / "Standard").string();
    LanguageFolder = ThemeFolder + "/" + GetParam().Language;
    LoadLanguageTexts("frmMain", 0);

    {
        // Files may not grow past what they hold: every save fails as on a full disk.
        const TFileSizeLimit full(settings.size());
        frmMain->close();
    }

    EXPECT_TRUE(Dialogs->ErrorBoxes.empty());
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 2u);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, GetParam().Text + SettingsFilePath);
    EXPECT_EQ(Dialogs->MessageBoxes[1].Text, GetParam().Text + ScoresFilePath);
    EXPECT_EQ(Read("garvo.ini"), settings);
    EXPECT_EQ(Read("scores.ini"), scores);
}

INSTANTIATE_TEST_SUITE_P(Languages, ClosingOnAFullDiskTest,
                         ::testing::Values(TClosingLanguage{"English", "Unable to write to "},
                                           TClosingLanguage{"Francais", "Impossible d'\xE9" "crire dans "}),
                         [](const ::testing::TestParamInfo<TClosingLanguage>& info) {
                             return std::string(info.param.Language);
                         });

// The CD player closed on its own on a full disk says so as the main window would.
TEST_F(DesktopTest, CDPlayerSettingsThatCannotBeSavedAreReported)
{
    const std::string settings = "[General]\r\nLevel=1\r\n";
    Write("garvo.ini", settings);
    StartOn("Animaux.dat");
    TfrmCDPlayer player(std::make_unique<platform::TSimulatedCdDevice>());
    {
        const TFileSizeLimit full(settings.size());
        player.imgExitClick();
    }
    EXPECT_TRUE(Dialogs->ErrorBoxes.empty());
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, "Impossible d'\xE9" "crire dans " + SettingsFilePath);
}

// Opening another dictionary on a full disk: the scores that could not be saved are said once,
// and the dictionary open keeps them, to be saved at close when there is room again.
TEST_F(DesktopTest, ScoresThatCannotBeSavedStopTheOpening)
{
    Write("scores.ini", "[Scores.Animaux.dat]\r\nName1=Anne\r\nScore1=3\r\nGames1=4\r\n");
    Write("Fruits.dat", "pomme\r\n  [Fruit]\r\n");
    StartOn("Animaux.dat");
    ASSERT_EQ(ScoreTable[1].Name, "Anne");
    SetScoreRow(1, "Paul", 9, 9); // a result not saved yet
    Dialogs->FileAnswers.push_back(Path("Fruits.dat"));
    {
        const TFileSizeLimit full(100); // room for an index, not for ten rows of scores
        Type(Qt::Key_F2);
    }
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, "Impossible d'\xE9" "crire dans " + ScoresFilePath);
    EXPECT_EQ(DictionaryPath, Path("Animaux.dat"));
    EXPECT_EQ(CurrentDictionary.Name, "Animaux.dat");
    EXPECT_FALSE(Exists("Fruits.ndx"));
    EXPECT_TRUE(frmMain->btnStart->isEnabled());

    frmMain->close();
    EXPECT_EQ(Dialogs->MessageBoxes.size(), 1u);
    const platform::TIniFile saved(ScoresFilePath);
    EXPECT_EQ(saved.ReadString("Scores.Animaux.dat", "Name1", ""), "Paul");
    EXPECT_EQ(saved.ReadInteger("Scores.Animaux.dat", "Score1", 0), 9);
}

// The utility takes its language from the settings file: when it cannot be written there, the
// failure is said and no utility starts in another language.
TEST_F(DesktopTest, UtilityIsNotStartedWhenItsLanguageCannotBeWritten)
{
    const std::string settings = "[General]\r\nLevel=1\r\n";
    Write("garvo.ini", settings);
    StartOn("Animaux.dat");
    {
        const TFileSizeLimit full(settings.size());
        Type(Qt::Key_F3, Qt::ControlModifier);
    }
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, "Impossible d'\xE9" "crire dans " + SettingsFilePath);
    EXPECT_TRUE(Shell->Started.empty());

    Type(Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(Shell->Started.size(), 1u);
}

} // namespace
