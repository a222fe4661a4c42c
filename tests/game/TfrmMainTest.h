#pragma once
// The game's real windows, offscreen, on a dictionary written by the test, with fakes for the
// dialogs, sounds, shell, screen and CD drives. The scores window closes itself as soon as it shows (each
// test may take over that moment) and records the modes it was shown in.
#include "GameFixture.h"

#include "game/GameResources.h"
#include "game/TfrmMain.h"
#include "game/TfrmMainPictureButton.h"
#include "game/TfrmScores.h"
#include "game/TfrmZoom.h"
#include "platform/Windows1252.h"
#include "tests/support/CdAudioSimulated.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/FakeShell.h"
#include "tests/support/FakeSound.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

class TMainWindowTest : public TGameTest {
protected:
    void SetUp() override
    {
        TGameTest::SetUp();
        using namespace game;
        InitGameResources();
        HelpFolder = Path("Aide/");
        Write("Animaux.dat", "ananas\r\n  [Fruit <b>tropical</b>]\r\n");
        frmMain = new TfrmMain;
        frmZoom = new TfrmZoom;
        frmScores = new TfrmScores(frmMain);
        QObject::connect(frmScores, &TfrmScores::TextsNeeded, frmScores, [this](int mode) {
            ScoresModes.push_back(mode);
            QTimer::singleShot(0, frmScores, [this] { OnScoresShown(); });
        });
    }

    void TearDown() override
    {
        delete game::frmScores;
        delete game::frmZoom;
        delete game::frmMain;
    }

    // Settings lines of section "General" for the next start.
    void Settings(const std::string& generalLines) { Write("garvo.ini", "[General]\r\n" + generalLines); }

    // Creates the main window on the command line Arguments and shows it.
    void Start(const std::vector<std::string>& arguments)
    {
        game::frmMain->FormCreate(arguments);
        game::frmMain->show();
    }
    void StartOn(const std::string& dictionary) { Start({"/d=" + Path(dictionary)}); }

    // A key typed where the keyboard's focus is, as the player types it.
    static void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr || target->window() != game::frmMain)
            target = game::frmMain;
        QTest::keyClick(target, key, modifiers);
    }

    static void Click(game::TPictureButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    static std::string Mask() { return Ansi(game::frmMain->lblWord->text()); }
    static std::string TriesLabel() { return Ansi(game::frmMain->lblTriesRemaining->text()); }
    static std::string Ansi(const QString& text)
    {
        std::string ansi;
        platform::UnicodeToAnsi(text, ansi);
        return ansi;
    }

    static bool GallowsShows(int picture)
    {
        const game::TfrmMain& window = *game::frmMain;
        return window.GallowsImage->pixmap().toImage() == window.imglstPictures[picture].toImage();
    }

    // What the scores window does once shown: by default the player presses OK.
    std::function<void()> OnScoresShown = [] { game::frmScores->btnOkClick(); };
    std::vector<int> ScoresModes;

    platform::TScopedFakeDialogs Dialogs;
    platform::TScopedFakeSound Sound;
    platform::TScopedFakeShell Shell;
    platform::TScopedFakeScreen Screen;
    platform::TScopedSimulatedCdDrives CdDrives; // none unless the test puts some in
};
