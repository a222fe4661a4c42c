#include "TfrmMainTest.h"

#include "game/DefinitionViewCommands.h"
#include "game/GameSettings.h"
#include "game/Players.h"

#include <QLineEdit>

#include <QTextEdit>

using namespace game;

namespace {

// Level 3 hides every letter of "ananas", the only word of the dictionary.
class RoundTest : public TMainWindowTest {
protected:
    void StartRound(const std::string& settings = std::string())
    {
        Settings("Level=3\r\n" + settings);
        StartOn("Animaux.dat");
        Click(frmMain->btnStart);
        ASSERT_TRUE(RoundInProgress);
        // The tests drive the word timer's ticks themselves.
        TimerWasRunning = frmMain->timTimer.isActive();
        frmMain->timTimer.stop();
    }
    bool TimerWasRunning = false;

    // Whether the time display shows a digit picture at X; the colon's dots are only its first
    // four columns, as the next digit covers the rest.
    static bool CounterShows(int x, int digit)
    {
        const QImage shown = frmMain->imgTime->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QImage picture = frmMain->imglstDigits[digit].toImage().convertToFormat(QImage::Format_ARGB32);
        if (digit == CounterColonPicture)
            picture = picture.copy(0, 0, 4, picture.height());
        return shown.copy(x, 0, picture.width(), picture.height()) == picture;
    }
};

TEST_F(RoundTest, LettersPlayByKeyAndByKeyboard)
{
    StartRound();
    EXPECT_EQ(Mask(), "~~~~~~");
    EXPECT_EQ(TriesLabel(), "Essais restants: 7");
    EXPECT_FALSE(frmMain->btnStart->isVisible());
    EXPECT_FALSE(frmMain->btnOpen->isEnabled());
    EXPECT_TRUE(GallowsShows(0));

    Click(frmMain->LetterKey('a'));
    EXPECT_EQ(Mask(), "a~a~a~");
    EXPECT_FALSE(frmMain->LetterKey('a')->isEnabled());

    Type(Qt::Key_N);
    EXPECT_EQ(Mask(), "anana~");
    EXPECT_FALSE(frmMain->LetterKey('n')->isEnabled());
    EXPECT_EQ(TriesLabel(), "Essais restants: 7");

    // A miss costs a try and draws the next gallows picture; the same letter again is ignored.
    const QImage enabledLook = frmMain->LetterKey('z')->grab().toImage();
    Type(Qt::Key_Z);
    Type(Qt::Key_Z);
    EXPECT_EQ(TriesLabel(), "Essais restants: 6");
    EXPECT_TRUE(GallowsShows(1));
    EXPECT_FALSE(frmMain->LetterKey('z')->isEnabled());

    // A disabled key no longer shows its face as it was.
    EXPECT_NE(frmMain->LetterKey('z')->grab().toImage(), enabledLook);

    Type(Qt::Key_S);
    EXPECT_FALSE(RoundInProgress);
    EXPECT_EQ(ScoresModes, std::vector<int>{ScoresModeWordFound});
    EXPECT_EQ(Mask(), "ananas");
    EXPECT_EQ(Ansi(frmMain->edtWord->toPlainText()), "ananas");
    EXPECT_EQ(Ansi(frmMain->lblScore->text()), "Mot trouv\xE9 : 1 / 1");
    EXPECT_TRUE(frmMain->btnContinue->isEnabled());
    EXPECT_FALSE(frmMain->LetterKey('b')->isEnabled());
    EXPECT_EQ(TriesLabel(), "");
}

// The definition helps the player at levels 1 and 2; once the word ends it shows at every level.
TEST_F(RoundTest, TheDefinitionShowsDuringTheWordAtLevelsOneAndTwoAndAfterItAtAll)
{
    const auto definitionShown = [] {
        return CopyAllText(*frmMain->htmlViewer, std::string()).find("Fruit tropical") != std::string::npos;
    };
    const struct {
        int Level;
        bool DuringTheWord;
    } cases[] = {{0, false}, {1, true}, {2, true}, {3, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.Level));
        Settings("Level=" + std::to_string(c.Level) + "\r\n");
        StartOn("Animaux.dat");
        Click(frmMain->btnStart);
        ASSERT_TRUE(RoundInProgress);
        EXPECT_EQ(definitionShown(), c.DuringTheWord);
        for (Qt::Key key : {Qt::Key_A, Qt::Key_N, Qt::Key_S})
            Type(key);
        ASSERT_FALSE(RoundInProgress);
        EXPECT_TRUE(definitionShown());
        Type(Qt::Key_F10); // the game ends before the next level's
    }
}

TEST_F(RoundTest, SevenMissesLoseTheWord)
{
    StartRound();
    const std::vector<game::TPictureButton*> misses{frmMain->LetterKey('b'), frmMain->LetterKey('c'), frmMain->LetterKey('d'),
                                                    frmMain->LetterKey('e'), frmMain->LetterKey('f'), frmMain->LetterKey('g')};
    for (game::TPictureButton* key : misses)
        Click(key);
    EXPECT_EQ(TriesLabel(), "Essai restant: 1");
    EXPECT_TRUE(ScoresModes.empty());

    Click(frmMain->LetterKey('h'));
    EXPECT_FALSE(RoundInProgress);
    EXPECT_EQ(ResultLevel, 0);
    EXPECT_TRUE(GallowsShows(7));
    EXPECT_EQ(ScoresModes, std::vector<int>{ScoresModeWordLost});
    EXPECT_EQ(frmZoom->Caption(), "ananas");
    EXPECT_EQ(Ansi(frmMain->lblScore->text()), "Mot trouv\xE9 : 0 / 1");
    EXPECT_FALSE(frmMain->LetterKey('a')->isEnabled());
}

TEST_F(RoundTest, TimeRunsOutOnTheTickAfterZero)
{
    StartRound("TimePlay=1\r\nTimePlayLimit=20\r\n");
    EXPECT_TRUE(TimerWasRunning);
    EXPECT_TRUE(CounterShows(14, 0) && CounterShows(32, 2) && CounterShows(46, 0)); // 00:20
    Click(frmMain->LetterKey('b'));

    for (int tick = 1; tick <= 20; ++tick)
        frmMain->timTimerTimer();
    EXPECT_TRUE(RoundInProgress);
    EXPECT_TRUE(CounterShows(0, 0) && CounterShows(14, 0) && CounterShows(28, 10) && CounterShows(32, 0)
                && CounterShows(46, 0));

    frmMain->timTimerTimer();
    EXPECT_FALSE(RoundInProgress);
    EXPECT_EQ(ScoresModes, std::vector<int>{ScoresModeWordLost});
    // The gallows keep the stage of the misses made.
    EXPECT_TRUE(GallowsShows(1));
}

// The caption of the time display: the system's window text between timed words, greyed when
// words are not timed, the counter's own green while a timed word runs.
TEST_F(RoundTest, TimeCaptionColourFollowsTheTimedMode)
{
    const auto caption = [] { return frmMain->lblTimeRemaining->palette().color(QPalette::WindowText); };
    const QPalette system = QApplication::palette();
    StartRound("TimePlay=1\r\n");
    EXPECT_EQ(caption(), QColor(5, 255, 185));
    Click(frmMain->btnStop);
    ASSERT_FALSE(RoundInProgress);
    EXPECT_EQ(caption(), system.color(QPalette::Active, QPalette::WindowText));
    GameOptions.TimePlay = false;
    frmMain->DrawCounter(0, false);
    EXPECT_EQ(caption(), system.color(QPalette::Disabled, QPalette::WindowText));
}

TEST_F(RoundTest, TimeOutWhileTheBestTenAreOpenWaitsForThem)
{
    StartRound("TimePlay=1\r\nTimePlayLimit=20\r\n");
    bool endedWhileOpen = false;
    int modeWhileOpen = 0;
    OnScoresShown = [&] {
        if (ScoresModes.size() == 1) {
            for (int tick = 1; tick <= 21; ++tick)
                frmMain->timTimerTimer();
            endedWhileOpen = !RoundInProgress;
            modeWhileOpen = frmScores->Mode();
        }
        frmScores->btnOkClick();
    };
    Type(Qt::Key_F3);

    EXPECT_TRUE(endedWhileOpen);
    EXPECT_EQ(modeWhileOpen, ScoresModeBestTen);
    EXPECT_EQ(ScoresModes, (std::vector<int>{ScoresModeBestTen, ScoresModeWordLost}));
}

// The key that opened a window goes on to the main window once that window is closed; with the
// letter key it came from now disabled and no window active yet (as a desktop may leave it for a
// moment), it must not act a second time.
TEST_F(RoundTest, AFunctionKeyActsOnceWhenItsWindowChangedTheFocus)
{
    StartRound("TimePlay=1\r\nTimePlayLimit=20\r\n");
    QApplication::setActiveWindow(frmMain);
    frmMain->LetterKey('a')->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), frmMain->LetterKey('a'));
    OnScoresShown = [&] {
        if (ScoresModes.size() == 1) {
            for (int tick = 1; tick <= 21; ++tick)
                frmMain->timTimerTimer();
        }
        frmScores->btnOkClick();
    };
    QObject::connect(frmScores, &QDialog::finished, frmMain, [] { QApplication::setActiveWindow(nullptr); });
    Type(Qt::Key_F3);

    EXPECT_EQ(ScoresModes, (std::vector<int>{ScoresModeBestTen, ScoresModeWordLost}));
}

TEST_F(RoundTest, ThreePlayersTakeTurns)
{
    Write("Animaux.dat", "ab [two letters]");
    StartRound("MultiPlayers=1\r\nPlayersCount=3\r\n");
    std::vector<std::string> turns{Ansi(frmMain->lblPlayerName->text())};
    for (int word = 0; word < 3; ++word) {
        Type(Qt::Key_A);
        Type(Qt::Key_B);
        ASSERT_FALSE(RoundInProgress);
        Type(Qt::Key_F9);
        turns.push_back(Ansi(frmMain->lblPlayerName->text()));
    }
    const auto& names = DefaultPlayerNames;
    EXPECT_EQ(turns, (std::vector<std::string>{names[0], names[1], names[2], names[0]}));
    EXPECT_TRUE(frmMain->lblPlayerName->isVisible());
    EXPECT_EQ(GameOptions.Players[1].Games, 1);
    EXPECT_EQ(GameOptions.Players[3].Games, 1);

    // Stop ranks the three players, enters them among the best ten and resets the window.
    Type(Qt::Key_F10);
    EXPECT_EQ(ScoresModes.back(), ScoresModeBestTen);
    EXPECT_EQ(std::count(ScoresModes.begin(), ScoresModes.end(), ScoresModeRanking), 1);
    EXPECT_TRUE(frmMain->btnStart->isEnabled());
    EXPECT_FALSE(frmMain->btnStop->isEnabled());
    EXPECT_EQ(GameOptions.PlayerIndex, 1);
}

TEST_F(RoundTest, StopAfterAFoundWordAsksTheSinglePlayerForAName)
{
    StartRound();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_N, Qt::Key_S})
        Type(key);
    OnScoresShown = [] { frmScores->edtPlayerName->setText(QStringLiteral("Zo\u00E9")); frmScores->btnOkClick(); };
    Type(Qt::Key_F10);
    EXPECT_EQ(ScoresModes, (std::vector<int>{ScoresModeWordFound, ScoresModeNameEntry, ScoresModeBestTen}));
    EXPECT_EQ(ScoreTable[1].Name, "Zo\xE9");
    EXPECT_FALSE(ScoreTable[1].Highlight);
    EXPECT_TRUE(frmMain->btnStart->isVisible());
    EXPECT_TRUE(frmMain->btnOpen->isEnabled());
}

TEST(GreyedPictureTest, KeepsTheShapeInFadedGrey)
{
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixelColor(0, 0, QColor(200, 20, 20));
    picture.setPixelColor(1, 0, QColor(0, 0, 0, 0));
    const QImage greyed = game::GreyedPicture(picture);
    const QColor face = greyed.pixelColor(0, 0);
    EXPECT_EQ(face.red(), face.green());
    EXPECT_EQ(face.green(), face.blue());
    EXPECT_GT(face.red(), qGray(picture.pixel(0, 0))); // lighter than the plain grey
    EXPECT_LT(face.alpha(), 255);
    EXPECT_EQ(greyed.pixelColor(1, 0).alpha(), 0); // what was transparent stays so
}

} // namespace
