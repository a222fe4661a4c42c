// What the player meets where the game hands over to the desktop: an error page naming the file
// that was asked for, help the desktop could not open, and the print and save failures in the
// language of the interface.
#include "common/BundledData.h"
#include "TfrmMainTest.h"

#include "game/DefinitionViewCommands.h"
#include "game/LanguageTexts.h"
#include "htmlview/HtmlView.h"
#include "tests/support/FileSizeLimit.h"

#include <QPrinterInfo>

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

// Closing on a full disk: each of the two saves is tried, and each failure named once.
TEST_F(DesktopTest, SaveFailuresOnClosingAreEachReportedInTheLanguageOfTheInterface)
{
    const std::string settings = "[General]\r\nLevel=1\r\n";
    const std::string scores = "[Scores.Animaux.dat]\r\nName1=Anne\r\n";
    Write("garvo.ini", settings);
    Write("scores.ini", scores);
    StartOn("Animaux.dat");
    ThemeFolder = (BundledDataFolder() / "Themes" / "Standard").string();
    LanguageFolder = ThemeFolder + "/English";
    LoadLanguageTexts("frmMain", 0);

    {
        // Files may not grow past what they hold: every save fails as on a full disk.
        const TFileSizeLimit full(settings.size());
        frmMain->close();
    }

    EXPECT_TRUE(Dialogs->ErrorBoxes.empty());
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 2u);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, "Unable to write to " + SettingsFilePath);
    EXPECT_EQ(Dialogs->MessageBoxes[1].Text, "Unable to write to " + ScoresFilePath);
    EXPECT_EQ(Read("garvo.ini"), settings);
    EXPECT_EQ(Read("scores.ini"), scores);
}

// Opening another dictionary on a full disk: the scores that could not be saved are said, and
// the dictionary asked for opens all the same.
TEST_F(DesktopTest, ScoresThatCannotBeSavedDoNotStopTheOpening)
{
    Write("scores.ini", "[Scores.Animaux.dat]\r\nName1=Anne\r\n");
    Write("Fruits.dat", "pomme\r\n  [Fruit]\r\n");
    StartOn("Animaux.dat");
    Dialogs->FileAnswers.push_back(Path("Fruits.dat"));
    {
        const TFileSizeLimit full(100); // room for the new index, not for ten rows of scores
        Type(Qt::Key_F2);
    }
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, "Impossible d'\xE9" "crire dans " + ScoresFilePath);
    EXPECT_EQ(DictionaryPath, Path("Fruits.dat"));
    EXPECT_EQ(CurrentDictionary.Name, "Fruits.dat");
}

} // namespace
