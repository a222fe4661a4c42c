#pragma once
// The options window: the modal window in which the player sets the keyboard layout, the
// difficulty level, sounds, upper-case display, timed play and its limit, multi-player play with
// 2 to 4 named players, and the theme and language. It edits a working copy of the settings:
// OK copies it back, Cancel (or Esc) drops it.
#include "game/LanguageTexts.h"
#include "game/TfrmOptionsControls.h"
#include "game/globalDefs.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QPainter;
class QStyleOptionViewItem;

namespace game {

class TfrmMain;
class TPictureButton;

// The ranges of the window's two numbers: seconds per word and players.
constexpr int32_t MaxOptionsTimePlayLimit = 180;
constexpr int32_t MinPlayersCount = 2;

class TfrmOptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 500;
    static constexpr int ClientHeight = 400;

    explicit TfrmOptions(QWidget* parent = nullptr);
    ~TfrmOptions() override;

    // Shows the window modally over Main; true when OK closed it.
    bool Execute(TfrmMain& main);

    // The working copy, filled from GameOptions at every show.
    TGameOptions EditedOptions;
    TOptionsTexts Texts;
    int32_t Tag = 0; // 1 lets the window close

    // Controls, by their names in the window's layout.
    QLabel* imgBackground;
    QLabel* lblTitleShadow;
    QLabel* lblTitle;
    QLabel* lblKeyboard;
    TPictureButton* optKbAZERTY;
    TPictureButton* optKbABCDEF;
    TPictureButton* optKbQWERTY;
    QLabel* lblAZERTY;
    QLabel* lblABCDEF;
    QLabel* lblQWERTY;
    QLabel* lblDifficulty;
    TPictureButton* optVeryEasy;
    TPictureButton* optNormal;
    TPictureButton* optHard;
    TPictureButton* optVeryHard;
    QLabel* lblVeryEasy;
    QLabel* lblEasy;
    QLabel* lblHard;
    QLabel* lblVeryHard;
    QLabel* lblGameType;
    TPictureButton* optTime;
    QLabel* lblTime;
    TUpDownEdit* edtTimerCounterLimit; // with its up-down, updnTimerCounterLimit
    QLabel* lblTimeUnit;
    TPictureButton* optMultiPlayers;
    QLabel* lblMultiPlayers;
    TUpDownEdit* edtPlayersCount; // with its up-down, updnPlayersCount
    QLabel* lblPlayersCount;
    TPlayersGrid* gridPlayersNames;
    QLabel* lblMisc;
    TPictureButton* optSound;
    QLabel* lblSound;
    TPictureButton* optUpperCase;
    QLabel* lblUpperCase;
    QLabel* lblTheme;
    QComboBox* cbThemes;
    std::vector<QPixmap> ilFlags; // one 24 x 16 flag per item of cbThemes
    TPictureButton* btnOk;
    TPictureButton* btnCancel;

    void FormShow();
    void EnumThemes();
    void btnOkClick();
    void btnCancelClick();
    void FormKeyUp(int key);

    // Choices: the button or its label.
    void optKbAZERTYClick();
    void optKbABCDEFClick();
    void optKbQWERTYClick();
    void optVeryEasyClick();
    void optNormalClick();
    void optHardClick();
    void optVeryHardClick();
    void optSoundClick();
    void optTimeClick();
    void optUpperCaseClick();
    void optMultiPlayersClick();

    void gridPlayersNamesDrawCell(QPainter& painter, int32_t col, int32_t row, const QRect& rect);
    void gridPlayersNamesMouseMove(const QPoint& at);
    void gridPlayersNamesMouseUp(const QPoint& at);
    void cbThemesDrawItem(QPainter& painter, int32_t index, const QStyleOptionViewItem& option);

signals:
    // F1.
    void HelpRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void CreateControls();
    void CreateChoices();
    void CreateGameType();
    void CreateGrid();
    void PlaceControls();
    void ConnectControls();
    void LoadLanguagePart(const TThemeFiles& files);
    void ShowTexts();
    void PlaceWindow();
    void ShowEditedOptions();
    void ShowChoiceButtons();
    void FillGrid();
    void AddThemeItems(const QString& themesFolder, const QString& theme);
    void TakeChosenTheme();
    void TakePlayersNames();

    TfrmMain* main_ = nullptr;
    std::vector<QLabel*> textLabels_;   // take the window's normal text colour
    std::vector<QWidget*> dragSurfaces_;
    std::vector<std::pair<QObject*, void (TfrmOptions::*)()>> labelClicks_; // a label acts as its button
};

// What the main window's options command runs, outside a word: the window, modally; after OK,
// the new settings reach the main window (its counter, and the players when no game runs).
void ShowOptionsAndApply(TfrmMain& main);

extern TfrmOptions* frmOptions;

} // namespace game
