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
        QDir().mkpath(QString::fromStdString(Path(folder)));
        if (flag) {
            QImage picture(24, 16, QImage::Format_RGB32);
            picture.fill(Qt::blue);
            picture.save(QString::fromStdString(Path(folder + "/flag.bmp")), "BMP");
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
