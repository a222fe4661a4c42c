// Built-in pictures are decoded when first shown: a theme's picture still replaces them, a theme
// without the file still shows them, and a picture of an earlier theme still stays for the run.
#include "TfrmMainTest.h"

#include "game/LanguageTexts.h"
#include "game/TfrmAbout.h"

#include <QDir>
#include <QImage>
#include <QResource>

#include <stdexcept>

namespace {

using namespace game;

class BuiltInPicturesTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        UseTheme("Themes/First");
    }

    void UseTheme(const std::string& theme)
    {
        ThemeFolder = Path(theme);
        LanguageFolder = ThemeFolder + "/Lang";
        QDir().mkpath(QString::fromStdString(LanguageFolder));
    }

    // A one-colour picture file of Size.
    static QImage WritePicture(const std::string& path, QColor color, QSize size)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(color);
        EXPECT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
        return picture;
    }

    // Through Qt's own reader, whichever kind of file the picture is stored as.
    static QImage BuiltIn(const QString& name)
    {
        QImage image(QStringLiteral(":/") + name + QStringLiteral(".bmp"));
        if (image.isNull())
            image = QImage(QStringLiteral(":/") + name + QStringLiteral(".png"));
        return image.convertToFormat(QImage::Format_RGB32);
    }
    static QImage Shown(const QLabel* label) { return label->pixmap().toImage().convertToFormat(QImage::Format_RGB32); }

    static void ShowMainWindow()
    {
        frmMain->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frmMain));
    }
};

// The main window's background (theme folder) and title (language folder), with and without the
// theme's file: the window shows the theme's picture or its own, and takes its colour from it.
TEST_F(BuiltInPicturesTest, ThemePictureReplacesTheBuiltInOneAndAMissingFileKeepsIt)
{
    const struct {
        const char* name;
        std::string file;
        QString builtIn;
        QLabel* TfrmMain::*label;
        bool themeHasIt;
    } cases[] = {
        {"background from the theme", "main.bmp", QStringLiteral("main/imgBackground"), &TfrmMain::imgBackground, true},
        {"background built in", "", QStringLiteral("main/imgBackground"), &TfrmMain::imgBackground, false},
        {"title from the language", "Lang/title.bmp", QStringLiteral("main/TitleImage"), &TfrmMain::TitleImage, true},
        {"title built in", "", QStringLiteral("main/TitleImage"), &TfrmMain::TitleImage, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        delete frmMain;
        frmMain = new TfrmMain;
        UseTheme(std::string("Themes/") + (c.themeHasIt ? "With" : "Without") + std::to_string(c.label == &TfrmMain::TitleImage));
        const QImage theme = c.themeHasIt ? WritePicture(ThemeFolder + "/" + c.file, Qt::darkCyan, {120, 60}) : QImage();
        LoadLanguageTexts("frmMain", 0);

        const QImage expected = c.themeHasIt ? theme : BuiltIn(c.builtIn);
        ASSERT_FALSE(expected.isNull());
        // Read before the window shows, as the window's own code may.
        EXPECT_EQ(LabelPicture(frmMain->*c.label).toImage().convertToFormat(QImage::Format_RGB32), expected);
        ShowMainWindow();
        EXPECT_EQ(Shown(frmMain->*c.label), expected);
        if (c.label == &TfrmMain::imgBackground) {
            EXPECT_EQ(frmMain->palette().color(QPalette::Window), expected.pixelColor(0, 0));
        }
        frmMain->hide();
    }
}

TEST_F(BuiltInPicturesTest, BuiltInPictureShowsWhenTheWindowShowsWithoutAskingForIt)
{
    LoadLanguageTexts("frmMain", 0);
    ShowMainWindow();
    EXPECT_EQ(Shown(frmMain->imgBackground), BuiltIn(QStringLiteral("main/imgBackground")));
    EXPECT_EQ(Shown(frmMain->TitleImage), BuiltIn(QStringLiteral("main/TitleImage")));
}

// A picture loaded from one theme stays when the next theme lacks it, also when the window had
// not shown in between.
TEST_F(BuiltInPicturesTest, EarlierThemesPictureStaysBeforeTheFirstShow)
{
    const QImage first = WritePicture(ThemeFolder + "/main.bmp", Qt::darkRed, {800, 600});
    LoadLanguageTexts("frmMain", 0);
    UseTheme("Themes/Second");
    LoadLanguageTexts("frmMain", 0);
    ShowMainWindow();
    EXPECT_EQ(Shown(frmMain->imgBackground), first);
}

TEST_F(BuiltInPicturesTest, AboutWindowTakesItsOwnBackgroundAndColourWithoutATheme)
{
    frmAbout = new TfrmAbout(frmMain);
    frmAbout->FormCreate();
    frmAbout->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frmAbout));
    const QImage builtIn = BuiltIn(QStringLiteral("about/imgBackground"));
    EXPECT_EQ(Shown(frmAbout->imgBackground), builtIn);
    EXPECT_EQ(frmAbout->palette().color(QPalette::Window), builtIn.pixelColor(0, 0));
    frmAbout->Tag = 1;
    frmAbout->close();
    delete frmAbout;
    frmAbout = nullptr;
}

TEST_F(BuiltInPicturesTest, GallowsAndDigitsAreTheBuiltInPicturesInOrder)
{
    const struct {
        const TBuiltInPictureList* list;
        QString folder;
        size_t count;
    } cases[] = {{&frmMain->imglstPictures, QStringLiteral("gallows"), TfrmMain::GallowsPictureCount},
                 {&frmMain->imglstDigits, QStringLiteral("digits"), TfrmMain::DigitPictureCount}};
    for (const auto& c : cases) {
        ASSERT_EQ(c.list->size(), c.count) << c.folder.toStdString();
        for (size_t i = c.count; i-- > 0;) {
            const QImage expected = BuiltIn(c.folder + QLatin1Char('/') + QString::number(i));
            ASSERT_FALSE(expected.isNull());
            EXPECT_EQ((*c.list)[i].toImage().convertToFormat(QImage::Format_RGB32), expected) << i;
        }
        EXPECT_THROW(c.list->at(c.count), std::out_of_range);
    }
}

TEST_F(BuiltInPicturesTest, TheSplashPictureIsTheBuiltInOneAndThePlainPicturesLieUncompressed)
{
    EXPECT_EQ(BuiltInPicture(QStringLiteral("splash/picture")).toImage().convertToFormat(QImage::Format_RGB32),
              BuiltIn(QStringLiteral("splash/picture")));
    // Compressed, they would be inflated at every start.
    for (int stage = 0; stage < TfrmMain::GallowsPictureCount; ++stage)
        EXPECT_EQ(QResource(QStringLiteral(":/gallows/%1.bmp").arg(stage)).compressionAlgorithm(),
                  QResource::NoCompression) << stage;
    EXPECT_EQ(QResource(QStringLiteral(":/splash/picture.bmp")).compressionAlgorithm(), QResource::NoCompression);
}

} // namespace
