#include "TfrmMainTest.h"

#include "game/GameSettings.h"
#include "game/KeyboardLayout.h"
#include "game/TfrmOptions.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>

#include <functional>
#include <memory>

namespace {

using namespace game;

class OptionsWindow : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        frmOptions = new TfrmOptions(frmMain);
        QObject::connect(frmMain, &TfrmMain::OptionsRequested, frmMain, [] { ShowOptionsAndApply(*frmMain); });
        StartOn("Animaux.dat");
    }

    void TearDown() override
    {
        delete frmOptions;
        TMainWindowTest::TearDown();
    }

    // The main window's options command, with Player acting on the window once it shows. A
    // window that never opened fails the test.
    void Options(const std::function<void()>& player)
    {
        // Shared: a window that never opened leaves the call pending past this frame.
        const auto ranWhileOpen = std::make_shared<bool>(false);
        QTimer::singleShot(0, frmOptions, [player, ranWhileOpen] {
            *ranWhileOpen = frmOptions->isVisible();
            player();
            if (frmOptions->isVisible())
                frmOptions->btnCancelClick();
        });
        frmMain->btnOptionClick();
        EXPECT_TRUE(*ranWhileOpen) << "the options window did not open";
    }

    static void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    static void SetName(int row, const QString& name) { frmOptions->gridPlayersNames->item(row, 1)->setText(name); }

    void MakeFolder(const std::string& name) const { QDir().mkpath(platform::PathToUnicode(Path(name))); }
};

TEST_F(OptionsWindow, CancelDropsTheEditedCopyAndThePlace)
{
    const TGameOptions before = GameOptions;
    Options([] {
        Click(frmOptions->optKbQWERTY);
        Click(frmOptions->lblVeryHard);
        Click(frmOptions->optTime);
        Click(frmOptions->optMultiPlayers);
        frmOptions->edtTimerCounterLimit->Edit->setText(QStringLiteral("99"));
        SetName(1, QStringLiteral("Zo\u00E9"));
        EXPECT_EQ(frmOptions->EditedOptions.Keyboard, KeyboardQwerty);
        EXPECT_EQ(frmOptions->EditedOptions.Level, 3);
        frmOptions->move(10, 20);
        frmOptions->btnCancelClick();
    });
    EXPECT_EQ(GameOptions.Keyboard, before.Keyboard);
    EXPECT_EQ(GameOptions.Level, before.Level);
    EXPECT_EQ(GameOptions.TimePlay, before.TimePlay);
    EXPECT_EQ(GameOptions.TimePlayLimit, before.TimePlayLimit);
    EXPECT_EQ(GameOptions.MultiPlayers, before.MultiPlayers);
    EXPECT_EQ(GameOptions.Players[1].Name, before.Players[1].Name);
    EXPECT_NE(OptionWindowLeft, 10);
    // The main window writes its settings after the window closes, whichever button closed it.
    EXPECT_NE(Read("garvo.ini").find("Keyboard=1\r\n"), std::string::npos);
}

TEST_F(OptionsWindow, OkAppliesTheCopyAndTheSettingsAreWritten)
{
    Options([] {
        Click(frmOptions->optKbQWERTY);
        Click(frmOptions->optVeryHard);
        Click(frmOptions->lblTime);
        Click(frmOptions->optMultiPlayers);
        Click(frmOptions->lblUpperCase);
        frmOptions->edtTimerCounterLimit->Edit->setText(QStringLiteral("999"));
        frmOptions->edtPlayersCount->Edit->setText(QStringLiteral("9"));
        SetName(2, QStringLiteral("  Zo\u00E9 "));
        frmOptions->move(10, 20);
        frmOptions->btnOkClick();
    });
    EXPECT_EQ(GameOptions.Keyboard, KeyboardQwerty);
    EXPECT_EQ(GameOptions.Level, 3);
    EXPECT_TRUE(GameOptions.TimePlay);
    EXPECT_TRUE(GameOptions.UpperCaseDisplay);
    EXPECT_TRUE(GameOptions.MultiPlayers);
    EXPECT_EQ(GameOptions.TimePlayLimit, 180);
    EXPECT_EQ(GameOptions.PlayersCount, 4);
    EXPECT_EQ(GameOptions.Players[2].Name, "Zo\xE9");
    EXPECT_EQ(OptionWindowLeft, 10);
    EXPECT_EQ(OptionWindowTop, 20);
    // No game runs, so the players start again: player 1 has the turn.
    EXPECT_EQ(GameOptions.PlayerIndex, 1);
    // The letter keys follow the new layout: Q opens the top row.
    EXPECT_EQ(frmMain->LetterKey('q')->pos(), QPoint(KeyRowLeft, KeyRowTops[0]));

    const std::string settings = Read("garvo.ini");
    for (const char* line : {"Keyboard=2\r\n", "Level=3\r\n", "TimePlayLimit=180\r\n", "PlayersCount=4\r\n",
                             "Player2=Zo\xE9\r\n", "OptionWindow.Left=10\r\n", "OptionWindow.Top=20\r\n"})
        EXPECT_NE(settings.find(line), std::string::npos) << line;
}

TEST_F(OptionsWindow, NothingIsWrittenToAReadOnlySettingsFile)
{
    Write("garvo.ini", "[General]\r\nKeyboard=1\r\n");
    SetReadOnly("garvo.ini");
    Options([] {
        Click(frmOptions->optKbABCDEF);
        frmOptions->btnOkClick();
    });
    EXPECT_EQ(GameOptions.Keyboard, KeyboardAlphabetical);
    EXPECT_EQ(Read("garvo.ini"), "[General]\r\nKeyboard=1\r\n");
}

TEST(OptionsNumbers, EditedNumbersAreKeptInTheirRange)
{
    const struct {
        const char* Text;
        int32_t Expected;
    } cases[] = {{"", 20}, {"5", 20}, {"19", 20}, {"20", 20}, {"45", 45}, {"180", 180}, {"181", 180}, {"999", 180}};
    for (const auto& c : cases)
        EXPECT_EQ(UpDownValue(QString::fromLatin1(c.Text), 20, 180), c.Expected) << c.Text;
}

TEST_F(OptionsWindow, TheWindowShowsTheSettings)
{
    GameOptions.Keyboard = KeyboardAlphabetical;
    GameOptions.Level = 2;
    GameOptions.UseSounds = true;
    GameOptions.TimePlay = false;
    GameOptions.TimePlayLimit = 600; // the settings allow more than the window
    GameOptions.MultiPlayers = false;
    GameOptions.PlayersCount = 3;
    frmOptions->show();
    EXPECT_TRUE(frmOptions->optKbABCDEF->isChecked());
    EXPECT_FALSE(frmOptions->optKbAZERTY->isChecked());
    EXPECT_TRUE(frmOptions->optVeryEasy->isChecked());
    EXPECT_FALSE(frmOptions->optNormal->isChecked());
    EXPECT_TRUE(frmOptions->optSound->isChecked());
    EXPECT_EQ(frmOptions->edtTimerCounterLimit->Edit->text(), QStringLiteral("180"));
    EXPECT_FALSE(frmOptions->edtTimerCounterLimit->isEnabled());
    EXPECT_EQ(frmOptions->edtPlayersCount->Edit->text(), QStringLiteral("3"));
    EXPECT_FALSE(frmOptions->gridPlayersNames->isEnabled());
    EXPECT_EQ(frmOptions->gridPlayersNames->item(1, 1)->text(), QStringLiteral("Julie"));

    Click(frmOptions->optTime);
    Click(frmOptions->lblMultiPlayers);
    EXPECT_TRUE(frmOptions->edtTimerCounterLimit->isEnabled());
    EXPECT_TRUE(frmOptions->edtPlayersCount->isEnabled());
    EXPECT_TRUE(frmOptions->gridPlayersNames->isEnabled());
    frmOptions->btnCancelClick();

    // A layout the window does not know leaves every layout button up.
    GameOptions.Keyboard = 7;
    frmOptions->show();
    for (QAbstractButton* layout : {static_cast<QAbstractButton*>(frmOptions->optKbAZERTY),
                                    static_cast<QAbstractButton*>(frmOptions->optKbABCDEF),
                                    static_cast<QAbstractButton*>(frmOptions->optKbQWERTY)})
        EXPECT_FALSE(layout->isChecked()) << layout->objectName().toStdString();
    frmOptions->btnCancelClick();
}

TEST_F(OptionsWindow, TheSoundOptionNeedsAWaveDevice)
{
    for (const bool waveDevice : {false, true}) {
        Sound->WaveDevice = waveDevice;
        frmOptions->show();
        EXPECT_EQ(frmOptions->optSound->isVisible(), waveDevice);
        EXPECT_EQ(frmOptions->lblSound->isVisible(), waveDevice);
        frmOptions->btnCancelClick();
    }
}

TEST_F(OptionsWindow, PlayersNames)
{
    GameOptions.MultiPlayers = true;
    Options([] {
        SetName(1, QStringLiteral("  Ann "));
        SetName(3, QStringLiteral("   "));
        frmOptions->btnOkClick();
    });
    EXPECT_EQ(GameOptions.Players[1].Name, "Ann");
    EXPECT_EQ(GameOptions.Players[1].SavedName, "Ann");
    EXPECT_EQ(GameOptions.Players[3].Name, "Sans nom");
    EXPECT_EQ(GameOptions.Players[3].SavedName, "");
    EXPECT_EQ(GameOptions.Players[4].Name, "Lucas");
}

TEST_F(OptionsWindow, NameEditingTakesOnlyWhatTheSettingsCanHold)
{
    GameOptions.MultiPlayers = true;
    Options([] {
        TPlayersGrid* grid = frmOptions->gridPlayersNames;
        grid->editItem(grid->item(2, 1));
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(2, 1)));
        ASSERT_NE(editor, nullptr);
        editor->clear();
        for (const QString& typed : {QStringLiteral("Zo\u00EB"), QStringLiteral("\u03A9"), QStringLiteral("!")})
            editor->insert(typed);
        EXPECT_EQ(editor->text(), QStringLiteral("Zo\u00EB!"));
        // Pressing on the window's background keeps the name and ends the editing.
        QTest::mousePress(frmOptions->lblKeyboard, Qt::LeftButton);
        QTest::mouseRelease(frmOptions->lblKeyboard, Qt::LeftButton);
        EXPECT_FALSE(grid->Editing());
        EXPECT_EQ(grid->item(2, 1)->text(), QStringLiteral("Zo\u00EB!"));
        grid->editItem(grid->item(3, 1));
        editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(3, 1)));
        ASSERT_NE(editor, nullptr);
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("Eve"));
        // OK keeps a name still being edited.
        frmOptions->btnOkClick();
    });
    EXPECT_EQ(GameOptions.Players[2].Name, "Zo\xEB!");
    EXPECT_EQ(GameOptions.Players[3].Name, "Eve");
}

TEST_F(OptionsWindow, Placement)
{
    // The main window is centred on the 1024 x 768 screen at (112, 84).
    ASSERT_EQ(frmMain->pos(), QPoint(112, 84));
    const struct {
        QPoint Remembered;
        QPoint Expected;
    } cases[] = {
        {{-1, -1}, {112 + 150, 84 + 100}}, // centred over the main window
        {{523, 367}, {523, 367}},          // the last place that fits before the edges
        {{524, 10}, {262, 10}},            // touching the right edge is replaced
        {{10, 368}, {10, 184}},            // touching the bottom edge is replaced
    };
    for (const auto& c : cases) {
        OptionWindowLeft = c.Remembered.x();
        OptionWindowTop = c.Remembered.y();
        frmOptions->show();
        EXPECT_EQ(frmOptions->pos(), c.Expected) << c.Remembered.x() << "," << c.Remembered.y();
        EXPECT_EQ(QPoint(OptionWindowLeft, OptionWindowTop), c.Expected);
        frmOptions->btnCancelClick();
    }
}

TEST_F(OptionsWindow, ThemesAndLanguages)
{
    MakeFolder("Themes/Standard/Francais");
    MakeFolder("Themes/Standard/English");
    MakeFolder("Themes/Empty");
    QImage blue(24, 16, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    ASSERT_TRUE(blue.save(QString::fromStdString(Path("Themes/Standard/Francais/flag.bmp")), "BMP"));
    ThemeName = "STANDARD";
    LanguageName = "francais";

    Options([] {
        QComboBox* themes = frmOptions->cbThemes;
        ASSERT_EQ(themes->count(), 2);
        EXPECT_EQ(themes->itemText(0), QStringLiteral("Standard | English"));
        EXPECT_EQ(themes->itemText(1), QStringLiteral("Standard | Francais"));
        EXPECT_EQ(themes->currentIndex(), 1);
        ASSERT_EQ(frmOptions->ilFlags.size(), 2u);
        EXPECT_EQ(frmOptions->ilFlags[0].toImage().pixelColor(5, 5), frmOptions->palette().color(QPalette::ToolTipBase));
        EXPECT_EQ(frmOptions->ilFlags[1].toImage().pixelColor(5, 5), QColor(0, 0, 255));
        themes->setCurrentIndex(0);
        frmOptions->btnOkClick();
    });
    EXPECT_EQ(ThemeName, "Standard");
    EXPECT_EQ(LanguageName, "English");
    EXPECT_EQ(ThemeFolder, Path("Themes/Standard"));
    EXPECT_EQ(LanguageFolder, Path("Themes/Standard/English"));
    EXPECT_NE(Read("garvo.ini").find("Language=English\r\n"), std::string::npos);
}

// Theme and language folders named in letters beyond the code page are listed as written; the
// current one is found from its escaped name in the settings, and a choice is stored so.
TEST_F(OptionsWindow, FoldersNamedInAnyLettersAreListed)
{
    const QString theme = QStringLiteral("\u0141\u00F3d\u017A");
    const QString russian = QStringLiteral("\u0420\u0443\u0441\u0441\u043A\u0438\u0439");
    const QString polish = QStringLiteral("Polski");
    const std::string themeName = platform::PathFromUnicode(theme);
    MakeFolder("Themes/" + themeName + "/" + platform::PathFromUnicode(russian));
    MakeFolder("Themes/" + themeName + "/Polski");
    QImage red(24, 16, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    ASSERT_TRUE(red.save(platform::PathToUnicode(Path("Themes/" + themeName + "/")) + russian + QStringLiteral("/flag.bmp"), "BMP"));
    ThemeName = themeName;
    LanguageName = "polski";

    Options([&] {
        QComboBox* themes = frmOptions->cbThemes;
        ASSERT_EQ(themes->count(), 2);
        EXPECT_EQ(themes->itemText(0), theme + QStringLiteral(" | ") + polish);
        EXPECT_EQ(themes->itemText(1), theme + QStringLiteral(" | ") + russian);
        EXPECT_EQ(themes->currentIndex(), 0);
        ASSERT_EQ(frmOptions->ilFlags.size(), 2u);
        EXPECT_EQ(frmOptions->ilFlags[1].toImage().pixelColor(5, 5), QColor(255, 0, 0));
        themes->setCurrentIndex(1);
        frmOptions->btnOkClick();
    });
    EXPECT_EQ(ThemeName, themeName);
    EXPECT_EQ(LanguageName, platform::PathFromUnicode(russian));
    EXPECT_EQ(LanguageFolder, Path("Themes/" + themeName + "/" + platform::PathFromUnicode(russian)));
    EXPECT_NE(Read("garvo.ini").find("Language=" + platform::PathFromUnicode(russian) + "\r\n"), std::string::npos);
}

TEST_F(OptionsWindow, AThemeThatIsGoneIsKept)
{
    MakeFolder("Themes/Standard/Francais");
    ThemeName = "Gone";
    LanguageName = "Francais";
    Options([] {
        EXPECT_EQ(frmOptions->cbThemes->currentIndex(), -1);
        frmOptions->btnOkClick();
    });
    EXPECT_EQ(ThemeName, "Gone");
}

TEST_F(OptionsWindow, NoThemeFoldersDisableTheChoice)
{
    Options([] { EXPECT_FALSE(frmOptions->cbThemes->isEnabled()); });
}

TEST_F(OptionsWindow, TextsComeFromTheLanguageFile)
{
    MakeFolder("Themes/Standard/English");
    Write("Themes/Standard/English/language.ini", "[Options]\r\nTitle=Settings\r\nSecond=sec.\r\n");
    ThemeName = "Standard";
    LanguageName = "English";
    ThemeFolder = Path("Themes/Standard");
    LanguageFolder = Path("Themes/Standard/English");
    Options([] {
        EXPECT_EQ(frmOptions->lblTitle->text(), QStringLiteral("Settings"));
        EXPECT_EQ(frmOptions->lblTitleShadow->text(), QStringLiteral("Settings"));
        EXPECT_EQ(frmOptions->lblTimeUnit->text(), QStringLiteral("sec."));
        EXPECT_EQ(frmOptions->lblGameType->text(), QStringLiteral("Type de jeu"));
    });
}

TEST_F(OptionsWindow, OnlyOkCancelOrEscCloseTheWindow)
{
    const int32_t keyboard = GameOptions.Keyboard;
    Options([] {
        Click(frmOptions->optKbQWERTY);
        frmOptions->close();
        EXPECT_TRUE(frmOptions->isVisible());
        QTest::keyClick(frmOptions, Qt::Key_Escape);
        EXPECT_FALSE(frmOptions->isVisible());
        EXPECT_EQ(frmOptions->Tag, 1);
    });
    EXPECT_EQ(GameOptions.Keyboard, keyboard);
}

} // namespace
