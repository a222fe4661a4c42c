// What the player meets where the game hands over to the desktop: an error page naming the file
// that was asked for, help the desktop could not open, and the print failure in the language of
// the interface.
#include "common/BundledData.h"
#include "TfrmMainTest.h"

#include "game/DefinitionViewCommands.h"
#include "game/LanguageTexts.h"
#include "htmlview/HtmlView.h"

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

} // namespace
