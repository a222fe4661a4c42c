// The language and theme loader on files written by the test and on the shipped English file.
#include "common/BundledData.h"
#include "TfrmMainTest.h"

#include "game/LanguageTexts.h"
#include "game/TfrmMain.h"
#include "game/TfrmMainPictureButton.h"
#include "game/ThemeLoader.h"

#include <QDir>
#include <QImage>
#include <QAction>

#include <filesystem>

namespace {

using namespace game;

class LanguageTextsTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        UseTheme("Themes/Test", "Lang");
    }

    void UseTheme(const std::string& theme, const std::string& language)
    {
        QDir().mkpath(QString::fromStdString(Path(theme + "/" + language)));
        ThemeFolder = Path(theme);
        LanguageFolder = ThemeFolder + "/" + language;
    }

    void Language(const std::string& lines) const { WriteFile(LanguageFolder + "/language.ini", lines); }
    void Theme(const std::string& lines) const { WriteFile(ThemeFolder + "/theme.ini", lines); }
    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream(platform::NativePath(path), std::ios::binary | std::ios::trunc) << bytes;
    }
    // A one-colour picture file of Size.
    static QImage WritePicture(const std::string& path, QColor color, QSize size = {41, 25})
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(color);
        EXPECT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
        return picture;
    }
    static QImage Face(const TPictureButton* button) { return button->Glyph().toImage().convertToFormat(QImage::Format_RGB32); }
    static std::string Hint(const QWidget* control) { return Ansi(control->toolTip()); }
};

TEST_F(LanguageTextsTest, ValuesAreUsedAsReadAndEmptyOnesGiveTheFrenchDefault)
{
    Language("[Main]\r\nLanguage=1\r\nStart=\r\nHelp=Lire\\nl'aide\r\nBytes=bytes\r\nNoname=Personne & co\r\n"
             "[OpenDictionary]\r\nTitle=Choose\r\n");
    LoadLanguageTexts("FrmMain", 0);

    const TfrmMain& window = *frmMain;
    EXPECT_EQ(Hint(window.btnStart), "Commencer une partie [Touche F9]");
    EXPECT_EQ(Hint(window.btnHelp), "Lire\\nl'aide");
    EXPECT_EQ(BytesText, "bytes");
    EXPECT_EQ(DefaultPlayerName, "Personne & co");
    EXPECT_EQ(WordsText, "Mots");
    EXPECT_EQ(window.Texts.OpenDialogTitle, "Choose");
    EXPECT_EQ(window.Texts.DictionaryFilter, "Dictionnaire");
    EXPECT_EQ(LanguageCode, 1);
}

TEST_F(LanguageTextsTest, MissingFolderGivesEveryDefault)
{
    Language("[Main]\r\nLanguage=1\r\nStart=Go\r\n");
    LoadLanguageTexts("frmMain", 0);
    UseTheme("Themes/Test", "Gone");
    std::filesystem::remove_all(platform::NativePath(Path("Themes/Test/Gone")));
    LoadLanguageTexts("frmMain", 0);

    EXPECT_EQ(LanguageCode, LanguageCodeFrench);
    EXPECT_EQ(Hint(frmMain->btnStart), "Commencer une partie [Touche F9]");
    EXPECT_EQ(Ansi(frmMain->lblTimeRemaining->text()), "Temps restant");
    EXPECT_EQ(TriesRemainingText, "Essais restants:");
    dictionary::TDictionaryTranslation french;
    dictionary::SetDictionaryLanguage(french, LanguageCodeFrench);
    EXPECT_EQ(DictionaryTranslation.FileNotFound, french.FileNotFound);
}

TEST_F(LanguageTextsTest, ShippedEnglishFileFoundWhateverTheCaseOfItsFolder)
{
    const std::filesystem::path data = BundledDataFolder();
    ThemeFolder = (data / "Themes" / "standard").string();
    LanguageFolder = ThemeFolder + "/english";
    LoadLanguageTexts("frmMain", 0);

    EXPECT_EQ(LanguageCode, 1);
    EXPECT_EQ(Hint(frmMain->btnStart), "Start a game [F9 key]");
    EXPECT_EQ(Hint(frmMain->btnExit), "Quit the Garvo game [F10 key]");
    EXPECT_EQ(Ansi(frmMain->lblTimeRemaining->text()), "Time left");
    EXPECT_EQ(frmMain->Texts.HelpFile, "garvo-en.htm");
    EXPECT_EQ(WordsFoundText, "Words found");
    dictionary::TDictionaryTranslation english;
    dictionary::SetDictionaryLanguage(english, dictionary::LanguageEnglish);
    EXPECT_EQ(DictionaryTranslation.FileNotFound, english.FileNotFound);
    // The theme's colour of the masked word: 0x004DD8FF is red FF, green D8, blue 4D.
    EXPECT_EQ(frmMain->lblWord->palette().color(QPalette::WindowText), QColor(0xFF, 0xD8, 0x4D));
}

TEST_F(LanguageTextsTest, ThemePicturesReplaceOnlyThePicturesPresent)
{
    const QImage builtInHelp = Face(frmMain->btnHelp);
    const QImage openFace = WritePicture(ThemeFolder + "/btnOpen.bmp", Qt::red);
    const QImage background = WritePicture(ThemeFolder + "/MAIN.BMP", Qt::darkGreen, {800, 600});
    LoadLanguageTexts("frmMain", 0);
    EXPECT_EQ(Face(frmMain->btnOpen), openFace);
    EXPECT_EQ(frmMain->imgBackground->pixmap().toImage().convertToFormat(QImage::Format_RGB32), background);
    EXPECT_EQ(Face(frmMain->btnHelp), builtInHelp);

    // Another theme without the open button's picture: the first theme's stays for the run.
    UseTheme("Themes/Other", "Lang");
    const QImage letterA = WritePicture(ThemeFolder + "/btnA.bmp", Qt::blue);
    LoadLanguageTexts("frmMain", 0);
    EXPECT_EQ(Face(frmMain->btnOpen), openFace);
    EXPECT_EQ(Face(frmMain->LetterKey('a')), letterA);
}

TEST_F(LanguageTextsTest, PictureFileThatIsNoPictureKeepsTheControlsPicture)
{
    const QImage before = Face(frmMain->btnOpen);
    WriteFile(ThemeFolder + "/btnOpen.bmp", "not a bitmap");
    const QImage exit = WritePicture(ThemeFolder + "/btnExit.bmp", Qt::yellow);
    LoadLanguageTexts("frmMain", 0);
    EXPECT_EQ(Face(frmMain->btnOpen), before);
    EXPECT_EQ(Face(frmMain->btnExit), exit); // the pictures after it still load
}

// The disabled look follows the face the key has when it paints, built in or a theme's.
TEST_F(LanguageTextsTest, DisabledKeyPaintsItsCurrentFaceGreyed)
{
    TPictureButton* key = frmMain->LetterKey('b');
    key->setEnabled(false);
    const auto painted = [key] {
        QImage image(key->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        key->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    const auto greyed = [](const QImage& face) {
        return GreyedPicture(face).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage builtIn = Face(key);
    ASSERT_FALSE(builtIn.isNull());
    EXPECT_EQ(painted(), greyed(builtIn));

    const QImage theme = WritePicture(ThemeFolder + "/btnB.bmp", Qt::darkMagenta);
    LoadLanguageTexts("frmMain", 0);
    ASSERT_NE(theme, builtIn);
    EXPECT_EQ(painted(), greyed(theme));
}

// Pictures read again while the start shares its reads are the ones read first; once it has
// ended, a changed file shows, also after a sharing scope nested in another has ended first.
TEST_F(LanguageTextsTest, SharedReadsLastAsLongAsTheOutermostScope)
{
    const std::string file = ThemeFolder + "/btnOpen.bmp";
    const QImage first = WritePicture(file, Qt::red);
    {
        const TSharedPictureReads outer;
        {
            const TSharedPictureReads inner;
            LoadLanguageTexts("frmMain", 0);
        }
        WritePicture(file, Qt::blue);
        LoadLanguageTexts("frmMain", 0);
        EXPECT_EQ(Face(frmMain->btnOpen), first);
    }
    const QImage changed = WritePicture(file, Qt::yellow);
    LoadLanguageTexts("frmMain", 0);
    EXPECT_EQ(Face(frmMain->btnOpen), changed);
}

TEST_F(LanguageTextsTest, ResultMessagesOfLevelsFiveAndThreeFollowTheLevelAbove)
{
    Language("[SuccessAndFail]\r\nMessage6_2=Six\r\nMessage4_1=Four\r\nMessage3_1=Three\r\nTitle0=Lost\r\n");
    LoadLanguageTexts("frmScores", ScoresModeWordFound);
    EXPECT_EQ(ResultTexts[5][2], "Six");
    EXPECT_EQ(ResultTexts[3][1], "Three");
    EXPECT_EQ(ResultTexts[0][0], "Lost");
    EXPECT_EQ(ResultTexts[5][0], "C'EST TRES BIEN !");

    Language("[SuccessAndFail]\r\nMessage6_1=Un\r\n");
    LoadLanguageTexts("frmScores", ScoresModeWordLost);
    EXPECT_EQ(ResultTexts[5][2], "Tr\xE8s bien jou\xE9 !");
    EXPECT_EQ(ResultTexts[5][1], "Un");
    EXPECT_EQ(ResultTexts[3][1], DefaultResultTexts[4][1]);
}

TEST_F(LanguageTextsTest, ScoresSectionFollowsTheWindowsMode)
{
    Language("[ViewScores]\r\nTitle=Best\r\n[SetScore]\r\nTitle=Bravo!\r\nMessage=Place\r\n"
             "[WindowScores]\r\n");
    Theme("[WindowScores]\r\nTextColor.Normal=0x000000FF\r\n");
    const struct {
        int Mode;
        std::string ViewTitle;
        std::string SetTitle;
    } cases[] = {{ScoresModeBestTen, "Best", "Bravo"},
                 {ScoresModeRanking, "Best", "Bravo"},
                 {ScoresModeNameEntry, "Scores", "Bravo!"}};
    for (const auto& c : cases) {
        frmScores->Texts = TScoresTexts{};
        LoadLanguageTexts("frmScores", c.Mode);
        EXPECT_EQ(frmScores->Texts.ViewScoresTitle, c.ViewTitle) << c.Mode;
        EXPECT_EQ(frmScores->Texts.SetScoreTitle, c.SetTitle) << c.Mode;
    }
    EXPECT_EQ(frmScores->Texts.SetScoreMessage, "Place ");
    EXPECT_EQ(frmScores->lblPlayerName->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(LanguageTextsTest, ZoomMenuTextsAndMainWindowsOwnColourItems)
{
    Language("[Zoom]\r\nIncreaseFontSize=Bigger\r\nChangeTextColor=Ink\r\n");
    LoadLanguageTexts("frmZoom", 0);
    EXPECT_EQ(frmZoom->Texts.IncreaseFontSize, "Bigger");
    EXPECT_EQ(frmZoom->Texts.ChangeBackgroundColor, "Couleur du &fond");
    LoadLanguageTexts("frmMain", 0);
    EXPECT_EQ(ZoomTextMenuText, "Ink");
    EXPECT_EQ(ZoomBackgroundMenuText, "Changer la couleur du f&ond");

    // Shown by the main window, the zoom window loads its part, then takes the main window's
    // colour items.
    QObject::connect(frmZoom, &TfrmZoom::TextsNeeded, frmZoom, [](int mode) { LoadLanguageTexts("frmZoom", mode); });
    frmMain->ShowZoomWindow();
    EXPECT_EQ(Ansi(frmZoom->mnuFontSizeIncrease->text()), "Bigger");
    EXPECT_EQ(Ansi(frmZoom->mnuColorBackground->text()), "Changer la couleur du f&ond");
    EXPECT_EQ(Ansi(frmZoom->mnuColorText->text()), "Ink");
}

TEST_F(LanguageTextsTest, CDStatusTextsAreCutToTwentyCharacters)
{
    Language("[CD-Player]\r\nPlaying=1234567890123456789012345\r\nStop=Halt\r\n");
    const TCDPlayerTexts texts = ReadCDPlayerTexts(TThemeFiles());
    EXPECT_EQ(texts.Stop, "Halt");
    EXPECT_EQ(CDStatusTexts[2], "12345678901234567890");
    EXPECT_EQ(CDStatusTexts[3], "En cours d'enregistr");
    EXPECT_EQ(CDStatusTexts[6], "Vide");
}

TEST_F(LanguageTextsTest, WindowsBringingTheirOwnPartGetItByName)
{
    Language("[Options]\r\nTitle=Settings\r\n");
    std::vector<int> modes;
    std::string title;
    SetLanguagePart("frmOptions", [&](const TThemeFiles& files, int mode) {
        modes.push_back(mode);
        title = ReadOptionsTexts(files).Title;
    });
    LoadLanguageTexts("FRMOPTIONS", 0);
    LoadLanguageTexts("frmNowhere", 0);
    SetLanguagePart("frmOptions", {});
    LoadLanguageTexts("frmOptions", 0);
    EXPECT_EQ(modes, std::vector<int>{0});
    EXPECT_EQ(title, "Settings");
}

} // namespace
