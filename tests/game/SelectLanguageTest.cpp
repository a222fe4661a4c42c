// The language question of a first run: which folders it offers, the button's caption, and the
// choice written into the settings file.
#include "GameFixture.h"

#include "game/LanguageTexts.h"
#include "game/TfrmSelectLanguage.h"
#include "platform/IniFile.h"
#include "platform/Windows1252.h"
#include "tests/support/FakeDialogs.h"

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

using namespace game;

class SelectLanguageTest : public TGameTest {
protected:
    // A language folder of the standard theme, with a flag and a language file when asked.
    void LanguageFolder(const std::string& name, bool flag, const char* languageFile) const
    {
        const std::string folder = "Themes/Standard/" + name;
        QDir().mkpath(platform::PathToUnicode(Path(folder)));
        if (flag) {
            QImage picture(24, 16, QImage::Format_RGB32);
            picture.fill(Qt::blue);
            picture.save(platform::PathToUnicode(Path(folder + "/flag.bmp")), "BMP");
        }
        if (languageFile != nullptr)
            Write(folder + "/language.ini", languageFile);
    }

    static std::string Ansi(const QString& text)
    {
        std::string ansi;
        platform::UnicodeToAnsi(text, ansi);
        return ansi;
    }

    platform::TScopedFakeDialogs Dialogs;
};

TEST_F(SelectLanguageTest, FoldersWithAFlagAreListedWithTheirButtonCaption)
{
    LanguageFolder("Francais", true, "[Buttons]\r\nStart=D\xE9marrer la partie\r\n");
    LanguageFolder("English", true, nullptr);
    LanguageFolder("Klingon", false, "[Buttons]\r\nStart=Qapla\r\n");
    LanguageFolder("vide", true, "[Buttons]\r\nStart=\r\n");

    TfrmSelectLanguage window;
    ASSERT_EQ(window.lbLanguages->count(), 3);
    EXPECT_EQ(window.lbLanguages->item(0)->text(), QStringLiteral("English"));
    EXPECT_EQ(window.lbLanguages->item(1)->text(), QStringLiteral("Francais"));
    EXPECT_EQ(window.lbLanguages->item(2)->text(), QStringLiteral("vide"));
    EXPECT_EQ(window.StartCaptions, (std::vector<std::string>{"D\xE9marrer", "D\xE9marrer la partie", ""}));
    EXPECT_EQ(window.ilFlags.size(), 3u);
    EXPECT_FALSE(window.btnSelect->isVisibleTo(&window));

    window.lbLanguages->setCurrentRow(0);
    EXPECT_TRUE(window.btnSelect->isVisibleTo(&window));
    EXPECT_TRUE(window.btnSelect->isEnabled());
    EXPECT_EQ(Ansi(window.btnSelect->text()), "D\xE9marrer");
}

TEST_F(SelectLanguageTest, ClosingWaitsForAChoiceThenWritesIt)
{
    LanguageFolder("Francais", true, nullptr);
    LanguageFolder("English", true, nullptr);
    Write("garvo.ini", "[General]\r\nCreate=Ok\r\n");

    TfrmSelectLanguage window;
    int result = -1;
    QTimer::singleShot(0, &window, [&] {
        window.close();  // refused: nothing is selected
        window.reject(); // Esc too
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(Read("garvo.ini"), "[General]\r\nCreate=Ok\r\n");
        window.lbLanguages->setCurrentRow(1);
        window.btnSelect->click();
    });
    result = window.exec();
    EXPECT_EQ(result, QDialog::Accepted);
    const platform::TIniFile settings(SettingsFilePath);
    EXPECT_EQ(settings.ReadString("Theme", "Name", ""), "Standard");
    EXPECT_EQ(settings.ReadString("Theme", "Language", ""), "Francais");
    EXPECT_EQ(settings.ReadString("General", "Create", ""), "Ok");
}

// A folder named in letters beyond the code page is offered like the others, shown as written
// and stored escaped, as the settings file holds such names; without a flag it is skipped.
TEST_F(SelectLanguageTest, FoldersNamedInAnyLettersAreOffered)
{
    const QString polish = QStringLiteral("J\u0119zyk polski");
    const QString greek = QStringLiteral("\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC");
    LanguageFolder(platform::PathFromUnicode(polish), true, "[Buttons]\r\nStart=Zacznij\r\n");
    LanguageFolder(platform::PathFromUnicode(greek), false, "[Buttons]\r\nStart=x\r\n");
    ASSERT_TRUE(QDir(platform::PathToUnicode(Path("Themes/Standard/")) + polish).exists());
    Write("garvo.ini", "");

    TfrmSelectLanguage window;
    ASSERT_EQ(window.lbLanguages->count(), 1);
    EXPECT_EQ(window.lbLanguages->item(0)->text(), polish);
    EXPECT_EQ(window.StartCaptions, std::vector<std::string>{"Zacznij"});
    ASSERT_EQ(window.ilFlags.size(), 1u);
    EXPECT_FALSE(window.ilFlags[0].isNull());

    QTimer::singleShot(0, &window, [&] {
        window.lbLanguages->setCurrentRow(0);
        window.btnSelect->click();
    });
    window.exec();
    const platform::TIniFile settings(SettingsFilePath);
    EXPECT_EQ(settings.ReadString("Theme", "Language", ""), platform::PathFromUnicode(polish));
}

TEST_F(SelectLanguageTest, SettingsFileThatCannotBeWrittenDoesNotKeepThePlayerWaiting)
{
    LanguageFolder("English", true, nullptr);
    Write("garvo.ini", "");
    SetReadOnly("garvo.ini");

    TfrmSelectLanguage window;
    QTimer::singleShot(0, &window, [&] {
        window.lbLanguages->setCurrentRow(0);
        window.btnSelect->click();
    });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_EQ(Dialogs->ErrorBoxes.size(), 1u);
}

} // namespace
