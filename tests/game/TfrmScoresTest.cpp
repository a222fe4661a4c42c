#include "GameFixture.h"

#include "game/GameResources.h"
#include "game/TfrmScores.h"
#include "platform/Windows1252.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/FakeSound.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace game;

QString Qt1252(const std::string& text)
{
    return platform::AnsiToUnicode(text);
}

class ScoresWindow : public TGameTest {
protected:
    void SetUp() override
    {
        TGameTest::SetUp();
        InitGameResources();
        ScoreWindowLeft = UnsetPlace;
        ScoreWindowTop = UnsetPlace;
        ResultTexts = {};
        CurrentDictionary.Name = "Animaux";
        SuccessSound = "success.wav";
        FailSound = "fail.wav";
        for (int32_t row = 1; row <= BestScoresCount; ++row)
            ScoreTable[row] = {"Joueur " + std::to_string(row), "", 11 - row, 20, 0.0, false};
        form = std::make_unique<TfrmScores>();
    }

    // Shows the window modally in Mode and runs WhileOpen once it is up; the window is closed
    // afterwards if WhileOpen left it open. A window that never opened fails the test.
    void ShowModal(int32_t mode, const std::function<void()>& whileOpen, int32_t resultLevel = 7)
    {
        ScoresWindowMode = mode;
        ResultLevel = resultLevel;
        // Shared: a window that never opened leaves the call pending past this frame.
        const auto ranWhileOpen = std::make_shared<bool>(false);
        QTimer::singleShot(0, form.get(), [this, whileOpen, ranWhileOpen] {
            *ranWhileOpen = form->IsOpen();
            whileOpen();
            if (form->IsOpen()) {
                form->Tag = 1;
                form->close();
            }
        });
        form->ShowModal();
        EXPECT_TRUE(*ranWhileOpen) << "the window did not open";
    }

    QString Cell(int row, int col) const
    {
        const QTableWidgetItem* item = form->gridScores->item(row, col);
        return item ? item->text() : QString();
    }

    platform::TScopedFakeScreen screen;
    platform::TScopedFakeSound sound;
    std::unique_ptr<TfrmScores> form;
};

TEST_F(ScoresWindow, BestTenShowsTheTableUnderItsHeader)
{
    ShowModal(ScoresModeBestTen, [this] {
        EXPECT_EQ(form->lblTitle->text(), "Scores");
        EXPECT_EQ(form->lblTitleShadow->text(), "Scores");
        EXPECT_TRUE(form->gridScores->isVisible());
        EXPECT_FALSE(form->lblMessage->isVisible());
        EXPECT_FALSE(form->edtPlayerName->isVisible());
        ASSERT_EQ(form->gridScores->rowCount(), 11);
        EXPECT_EQ(Cell(0, 0), "Nom (Animaux)");
        EXPECT_EQ(Cell(0, 1), "Score");
        EXPECT_EQ(Cell(0, 2), "Ratio");
        EXPECT_EQ(Cell(1, 0), "Joueur 1");
        EXPECT_EQ(Cell(1, 1), "10");
        EXPECT_EQ(Cell(1, 2), "50 %");
        EXPECT_EQ(Cell(10, 0), "Joueur 10");
        EXPECT_EQ(Cell(10, 2), "5 %");
        // Eleven rows of 20 pixels and their grid lines fit above OK: no scroll bars.
        EXPECT_EQ(form->gridScores->geometry().topLeft(), QPoint(16, 41));
        EXPECT_EQ(form->gridScores->width(), 289);
        EXPECT_LE(form->gridScores->geometry().bottom(), form->btnOk->y());
        EXPECT_EQ(form->gridScores->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    });
}

TEST_F(ScoresWindow, RankingShowsThePlayersOfTheGame)
{
    GameOptions.MultiPlayers = true;
    GameOptions.PlayersCount = 2;
    GameOptions.Players[1] = {"Anne", "Anne", 3, 8, 0.0, false};
    GameOptions.Players[2] = {"Bruno", "Bruno", 1, 8, 0.0, false};
    ShowModal(ScoresModeRanking, [this] {
        ASSERT_EQ(form->gridScores->rowCount(), 3);
        EXPECT_EQ(Cell(1, 0), "Anne");
        EXPECT_EQ(Cell(1, 2), "38 %");
        EXPECT_EQ(Cell(2, 0), "Bruno");
        EXPECT_EQ(Cell(2, 1), "1");
        EXPECT_EQ(Cell(2, 2), "12 %");
    });
}

TEST(ScorePercent, RoundsHalvesToTheEvenNeighbour)
{
    struct TCase {
        int32_t Score, Games;
        const char* Expected;
    };
    for (const TCase& c : {TCase{1, 8, "12 %"}, TCase{3, 8, "38 %"}, TCase{1, 3, "33 %"}, TCase{2, 3, "67 %"},
                           TCase{1, 200, "0 %"}, TCase{5, 5, "100 %"}, TCase{1, 0, "0 %"},
                           // The product must not overflow for a score read from an edited file.
                           TCase{2000000000, 2000000000, "100 %"}})
        EXPECT_EQ(ScorePercentText(c.Score, c.Games), c.Expected) << c.Score << " of " << c.Games;
}

// The colour of the middle of a row's name cell, right of its text.
QColor RowColour(const QImage& grid, int row)
{
    return grid.pixelColor(150, 2 + row * 21 + 10);
}

TEST_F(ScoresWindow, ARowEnteredInThisGameIsNavyWithWhiteText)
{
    ScoreTable[3].Highlight = true;
    ShowModal(ScoresModeBestTen, [this] {
        const QImage grid = form->gridScores->grab().toImage();
        EXPECT_EQ(RowColour(grid, 3), QColor(0, 0, 128));
        EXPECT_EQ(RowColour(grid, 2), form->palette().color(QPalette::ToolTipBase));
        EXPECT_EQ(RowColour(grid, 0), form->palette().color(QPalette::Button));
        int whitePixels = 0;
        for (int x = 4; x < 100; ++x)
            for (int y = 2 + 3 * 21; y < 2 + 3 * 21 + 20; ++y)
                whitePixels += grid.pixelColor(x, y) == QColor(Qt::white);
        EXPECT_GT(whitePixels, 10);
    });
}

TEST_F(ScoresWindow, TheRankingIsNotHighlightedByTheBestTen)
{
    GameOptions.PlayersCount = 2;
    GameOptions.Players[1] = {"Anne", "Anne", 3, 8, 0.0, false};
    GameOptions.Players[2] = {"Bruno", "Bruno", 1, 8, 0.0, false};
    ScoreTable[1].Highlight = true;
    ShowModal(ScoresModeRanking, [this] {
        EXPECT_NE(RowColour(form->gridScores->grab().toImage(), 1), QColor(0, 0, 128));
    });
}

struct TResultCase {
    std::string Name;
    int32_t Mode;
    int32_t Level;
    std::string LoadedTitle; // put into ResultTexts before the show; empty for the default
    std::string ExpectedTitle;
    int32_t DefaultsRow; // the row of the default messages one of which is shown
    std::string Sound;
};

class ResultMessage : public ScoresWindow, public ::testing::WithParamInterface<TResultCase> {};

TEST_P(ResultMessage, ShowsTheTitleAndOneOfTheThreeMessagesOfTheLevel)
{
    const TResultCase& c = GetParam();
    GameOptions.UseSounds = true;
    ResultTexts[c.DefaultsRow][0] = c.LoadedTitle;
    ShowModal(
        c.Mode,
        [this, &c] {
            EXPECT_EQ(form->lblTitle->text(), Qt1252(c.ExpectedTitle));
            EXPECT_EQ(form->lblTitleShadow->text(), form->lblTitle->text());
            EXPECT_TRUE(form->lblMessage->isVisible());
            EXPECT_FALSE(form->gridScores->isVisible());
            std::vector<QString> messages;
            for (int slot = 1; slot <= 3; ++slot)
                messages.push_back(Qt1252(DefaultResultTexts[c.DefaultsRow][slot]).replace("\r\n", "\n"));
            EXPECT_NE(std::find(messages.begin(), messages.end(), form->lblMessage->text()), messages.end())
                << form->lblMessage->text().toStdString();
        },
        c.Level);
    EXPECT_EQ(sound->Played, std::vector<std::string>{c.Sound});
}

INSTANTIATE_TEST_SUITE_P(
    ScoresWindow, ResultMessage,
    ::testing::Values(TResultCase{"FoundWithNoMiss", ScoresModeWordFound, 7, "", "BRAVO !", 7, "success.wav"},
                      TResultCase{"FoundSharingLevelSixMessages", ScoresModeWordFound, 5, "", "C'EST TRES BIEN !", 5,
                                  "success.wav"},
                      TResultCase{"LostOrTimedOut", ScoresModeWordLost, 0, "", "DOMMAGE !", 0, "fail.wav"},
                      TResultCase{"TitleFromTheLanguage", ScoresModeWordFound, 2, "Pas si mal", "Pas si mal", 2,
                                  "success.wav"},
                      // A level no result has (tries set above 7) shows the nearest one.
                      TResultCase{"LevelAboveTheTable", ScoresModeWordFound, 9, "", "BRAVO !", 7, "success.wav"}),
    [](const ::testing::TestParamInfo<TResultCase>& info) { return info.param.Name; });

TEST_F(ScoresWindow, NoSoundWhenSoundsAreOff)
{
    GameOptions.UseSounds = false;
    ShowModal(ScoresModeWordLost, [] {}, 0);
    EXPECT_TRUE(sound->Played.empty());
}

TEST_F(ScoresWindow, NameEntryAsksForTheNameAtThePlaceReached)
{
    NewScoreRank = 3;
    GameOptions.Players[0].Name = "Zo\xE9";
    ShowModal(ScoresModeNameEntry, [this] {
        EXPECT_EQ(form->lblTitle->text(), "Bravo");
        EXPECT_EQ(form->lblMessage->text(), Qt1252("Vous entrez dans les meilleurs scores, \xE0 la place N\xB0 3."));
        EXPECT_TRUE(form->edtPlayerName->isVisible());
        EXPECT_TRUE(form->lblPlayerName->isVisible());
        EXPECT_FALSE(form->gridScores->isVisible());
        EXPECT_EQ(form->edtPlayerName->text(), Qt1252("Zo\xE9"));
        const QRect label = form->lblPlayerName->geometry();
        EXPECT_EQ(form->edtPlayerName->x(), label.x() + label.width() + 4);
        EXPECT_EQ(form->edtPlayerName->width(), 320 - label.width() - 35);
        EXPECT_EQ(form->edtPlayerName->maxLength(), 30);
    });
}

TEST_F(ScoresWindow, OkPutsTheTrimmedNameIntoTheSinglePlayerRow)
{
    struct TCase {
        QString Typed;
        std::string Stored;
    };
    for (const TCase& c : {TCase{"  Marie ", "Marie"}, TCase{Qt1252("Zo\xE9"), "Zo\xE9"}, TCase{"   ", "Sans nom"},
                           TCase{"", "Sans nom"}}) {
        ShowModal(ScoresModeNameEntry, [this, &c] {
            form->edtPlayerName->setText(c.Typed);
            QTest::mouseClick(form->btnOk, Qt::LeftButton);
            EXPECT_FALSE(form->IsOpen());
        });
        EXPECT_EQ(GameOptions.Players[0].Name, c.Stored) << c.Typed.toStdString();
    }
}

TEST_F(ScoresWindow, ANameTheScoresFileCannotHoldIsRefused)
{
    ShowModal(ScoresModeNameEntry, [this] {
        form->edtPlayerName->clear();
        QTest::keyClicks(form->edtPlayerName, "A");
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\u0141"));
        QApplication::sendEvent(form->edtPlayerName, &typed);
        QTest::keyClicks(form->edtPlayerName, "B");
        EXPECT_EQ(form->edtPlayerName->text(), "AB");
        form->edtPlayerName->insert(QString::fromUtf8("C\u0141"));
        EXPECT_EQ(form->edtPlayerName->text(), "AB");
    });
}

TEST_F(ScoresWindow, ClosesOnlyThroughOkEnterOrEscape)
{
    ShowModal(ScoresModeBestTen, [this] {
        form->close(); // the system close, Alt+F4
        EXPECT_TRUE(form->IsOpen());
        QTest::keyPress(form.get(), Qt::Key_Escape);
        EXPECT_TRUE(form->IsOpen());
        QTest::keyRelease(form.get(), Qt::Key_Escape);
        EXPECT_FALSE(form->IsOpen());
    });
    ShowModal(ScoresModeNameEntry, [this] {
        QTest::keyClick(form->edtPlayerName, Qt::Key_Return);
        EXPECT_FALSE(form->IsOpen());
    });
}

TEST_F(ScoresWindow, ReopensWhereItWasLeftDuringTheRun)
{
    screen->ScreenWidth = 1024;
    screen->ScreenHeight = 768;
    ShowModal(ScoresModeBestTen, [this] {
        EXPECT_EQ(form->pos(), QPoint(352, 224));
        form->move(40, 30);
        form->btnOkClick();
    });
    EXPECT_EQ(ScoreWindowLeft, 40);
    EXPECT_EQ(ScoreWindowTop, 30);
    ShowModal(ScoresModeBestTen, [this] { EXPECT_EQ(form->pos(), QPoint(40, 30)); });
}

// The background, the labels and the grid, which takes no click, drag the window.
TEST_F(ScoresWindow, DraggingItsFaceMovesTheWindow)
{
    ShowModal(ScoresModeBestTen, [this] {
        for (QWidget* surface : {static_cast<QWidget*>(form->lblTitle), form->gridScores->viewport(),
                                 static_cast<QWidget*>(form->imgBackground)}) {
            const QPoint start = form->pos();
            const QPoint at = surface->mapToGlobal(QPoint(5, 5));
            const auto send = [surface](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                                        QPoint global) {
                QMouseEvent event(type, QPointF(surface->mapFromGlobal(global)), QPointF(global), button, held,
                                  Qt::NoModifier);
                QApplication::sendEvent(surface, &event);
            };
            send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
            send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, at + QPoint(7, -9));
            send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at + QPoint(7, -9));
            EXPECT_EQ(form->pos(), start + QPoint(7, -9)) << surface->metaObject()->className();
        }
    });
}

TEST_F(ScoresWindow, F1AsksForHelp)
{
    QSignalSpy help(form.get(), &TfrmScores::HelpRequested);
    ShowModal(ScoresModeBestTen, [this] {
        QTest::keyClick(form->btnOk, Qt::Key_F1);
        EXPECT_TRUE(form->IsOpen());
    });
    EXPECT_EQ(help.count(), 1);
}

// A timed word runs out while the player views the best ten: the result waits for that window
// to close, then shows, and the window is never opened twice at once.
TEST_F(ScoresWindow, AResultRequestedWhileOpenShowsAfterItCloses)
{
    std::vector<std::pair<int32_t, QString>> shown;
    QTimer script;
    script.setInterval(5);
    QObject::connect(&script, &QTimer::timeout, [this, &shown] {
        if (!form->IsOpen())
            return;
        shown.emplace_back(form->Mode(), form->lblTitle->text());
        if (shown.size() == 1) {
            ScoresWindowMode = ScoresModeWordLost;
            ResultLevel = 0;
            form->ShowModal(); // the time-out: returns at once while the window is open
            EXPECT_EQ(form->Mode(), ScoresModeBestTen);
        }
        form->btnOkClick();
    });
    script.start();
    ScoresWindowMode = ScoresModeBestTen;
    form->ShowModal();
    script.stop();

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(ScoresModeBestTen, QString("Scores")));
    EXPECT_EQ(shown[1], std::make_pair(ScoresModeWordLost, QString("DOMMAGE !")));
    EXPECT_FALSE(form->IsOpen());
}

} // namespace
