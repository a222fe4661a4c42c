#pragma once
// The scores and results window: one modal window with five uses, chosen by ScoresWindowMode
// before it is shown: the best ten of the dictionary (1), the message after a found word (4) or
// a lost word (5), the name entry for a new high score (6) and the ranking of the players of a
// multi-player game (7). It closes only through OK (or Enter, Esc).
#include "game/globalDefs.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <deque>
#include <string>

class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QTableWidget;

namespace game {

// The French result texts, per number of tries left (0 = lost): the title, then three messages.
// A result text that the language left empty shows this one.
extern const std::array<std::array<std::string, 4>, 8> DefaultResultTexts;

// Texts of the window that the language file may replace (Windows-1252).
struct TScoresTexts {
    // Modes 1 and 7.
    std::string ViewScoresTitle = "Scores";
    std::string NameColumnHeader = "Nom";
    std::string ScoreColumnHeader = "Score";
    std::string RatioColumnHeader = "Ratio";
    // Mode 6: the message is followed by the place and a full stop.
    std::string SetScoreTitle = "Bravo";
    std::string SetScoreMessage = "Vous entrez dans les meilleurs scores, \xE0 la place N\xB0 ";
    std::string PlayerNameLabel = "Entrez votre nom:";
};

// "12 %": Score x 100 / Games rounded to the nearest whole, halves to the even neighbour.
std::string ScorePercentText(int32_t score, int32_t games);

class TfrmScores : public QDialog {
    Q_OBJECT
public:
    explicit TfrmScores(QWidget* parent = nullptr);
    ~TfrmScores() override;

    // Shows the window modally for ScoresWindowMode and ResultLevel as they are now. While the
    // window is already open (the best ten being viewed when a timed word runs out), the request
    // waits and the window shows it as soon as the open one is closed.
    void ShowModal();
    // Whether the window is open now, so a caller may wait for it.
    bool IsOpen() const;

    // The mode the window shows, fixed when it was shown.
    int32_t Mode() const { return mode_; }

    TScoresTexts Texts;
    int32_t Tag = 0; // 1 lets the window close

    // Controls, by their names in the window's layout.
    QLabel* imgBackground;
    QLabel* lblTitleShadow;
    QLabel* lblTitle;
    QLabel* lblMessage;
    QLabel* lblPlayerName;
    QLineEdit* edtPlayerName;
    QPushButton* btnOk;
    QTableWidget* gridScores;

    void FormShow();
    void btnOkClick();
    void FormKeyUp(int key);
    void gridScoresDrawCell(QPainter& painter, int32_t col, int32_t row, const QRect& rect);

signals:
    // The window is being shown in Mode: the language loader may now put its texts into Texts
    // and ResultTexts, its pictures and colours onto the controls.
    void TextsNeeded(int mode);
    // F1.
    void HelpRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    struct TShowRequest {
        int32_t Mode = ScoresModeBestTen;
        int32_t ResultLevel = 0;
    };

    void CreateControls();
    void PlaceControls();
    void ConnectControls();
    void PlaceWindow();
    void ShowTexts();
    void ArrangeGrid(int32_t rowCount);
    void ShowResult();
    void ShowNameEntry();
    const TScores& ShownRow(int32_t row) const;

    int32_t mode_ = ScoresModeBestTen;
    int32_t resultLevel_ = 0;
    std::deque<TShowRequest> waiting_;
};

// Fill the grid's rows 1.. from the best ten or from the players of a multi-player game.
void FillBestScoresGrid(QTableWidget* grid);
void FillPlayersScoresGrid(QTableWidget* grid);

extern TfrmScores* frmScores;

} // namespace game
