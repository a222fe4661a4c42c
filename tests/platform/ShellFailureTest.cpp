// A document or program the desktop could not open is reported, in the interface's language,
// naming what was asked for; a request that went through shows nothing.
#include "platform/QtTranslations.h"
#include "platform/Shell.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeShell.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class ShellFailure : public ::testing::Test {
protected:
    void TearDown() override { UseQtTranslations(33); }

    TScopedFakeShell Shell;
    TScopedFakeDialogs Dialogs;
};

TEST_F(ShellFailure, FailedRequestsNameWhatCouldNotBeOpened)
{
    const struct {
        int Language;
        bool Start; // start a program rather than open a document
        const char* Target;
        const char* Text;
    } cases[] = {
        {33, false, "/jeu/Aide/garvo.htm", "Impossible d'ouvrir\xA0:\r\n/jeu/Aide/garvo.htm"},
        {1, false, "http://www.example.org/", "Could not open:\r\nhttp://www.example.org/"},
        {33, true, "/jeu/lexorim", "Impossible de lancer\xA0:\r\n/jeu/lexorim"},
        {1, true, "/jeu/lexorim", "Could not start:\r\n/jeu/lexorim"},
    };
    Shell->Succeeds = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Target);
        Dialogs->MessageBoxes.clear();
        UseQtTranslations(c.Language);
        EXPECT_FALSE(c.Start ? StartProgram(c.Target, "x.dat") : OpenDocument(c.Target));
        ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
        EXPECT_EQ(Dialogs->MessageBoxes[0].Text, c.Text);
        EXPECT_EQ(Dialogs->MessageBoxes[0].Flags, MB_OK | MB_ICONWARNING);
    }
}

TEST_F(ShellFailure, RequestsThatWentThroughShowNothing)
{
    EXPECT_TRUE(OpenDocument("/jeu/Aide/garvo.htm"));
    EXPECT_TRUE(StartProgram("/jeu/lexorim", ""));
    EXPECT_TRUE(Dialogs->MessageBoxes.empty());
}

TEST(QtTranslations, FrenchInterfaceLoadsQtsFrenchTexts)
{
    ASSERT_TRUE(UseQtTranslations(33));
    EXPECT_TRUE(InterfaceIsFrench());
    // Qt's own "Cancel" button of its dialogs.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    ASSERT_TRUE(UseQtTranslations(1));
    EXPECT_FALSE(InterfaceIsFrench());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    UseQtTranslations(33);
}

} // namespace
