// The round on the window: drawing a word, the letter keys and the keyboard, the gallows, the
// tries and score labels, the players, the word timer with its digit pictures, and Stop with
// the high scores. The rules themselves are WordPlay's, Players' and HighScores'.
#include "game/TfrmMain.h"

#include "game/HighScores.h"
#include "game/KeyboardLayout.h"
#include "game/Players.h"
#include "game/TfrmMainPictureButton.h"
#include "game/TfrmScores.h"
#include "game/TfrmZoom.h"
#include "game/WordPlay.h"
#include "platform/BusyCursor.h"
#include "platform/Sound.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTextEdit>
#include <QThread>

#include <algorithm>

namespace game {

namespace {

constexpr int WordTimerInterval = 1000; // milliseconds
constexpr unsigned long SoundPause = 500; // milliseconds: lets the last key's sound be heard
const QColor CounterOnColor(5, 255, 185);

void UpdateZoomWindow(const QString& text)
{
    if (frmZoom == nullptr)
        return;
    frmZoom->UpdateWindow(platform::UnicodeToAnsiOrEmpty(text));
}

} // namespace

void TfrmMain::ArrangeKeyboard()
{
    for (const TKeyPlacement& placement : game::ArrangeKeyboard(GameOptions.Keyboard)) {
        TPictureButton* key = LetterKey(placement.Letter);
        key->move(placement.Left, placement.Top);
    }
    // The tab order runs along the rows.
    QWidget* previous = nullptr;
    for (const TKeyPlacement& placement : game::ArrangeKeyboard(GameOptions.Keyboard)) {
        TPictureButton* key = LetterKey(placement.Letter);
        if (previous != nullptr)
            setTabOrder(previous, key);
        previous = key;
    }
}

void TfrmMain::DrawGallows(int32_t picture)
{
    GallowsImage->setPixmap(imglstPictures.at(static_cast<size_t>(std::clamp(picture, 0, GallowsPictureCount - 1))));
}

void TfrmMain::EnableLetterKeys(bool on)
{
    for (TPictureButton* key : LetterKeys)
        key->setEnabled(on);
    btnContinue->setEnabled(!on);
}

void TfrmMain::DisableShownLetterKeys(const std::string& compareMask)
{
    for (char letter : ShownLetterKeys(compareMask))
        LetterKey(letter)->setEnabled(false);
}

void TfrmMain::ShowMask(const std::string& text)
{
    lblWord->setText(platform::AnsiToUnicode(FormatWordForDisplay(text)));
    UpdateZoomWindow(lblWord->text());
    activateWindow();
}

void TfrmMain::ShowWordAndDefinition()
{
    edtWord->clear();
    ShowHtml(LevelShowsDefinition(GameOptions.Level) ? CurrentWord.Definition : std::string());
    ShowMask(CurrentWord.DisplayMask);
}

void TfrmMain::FocusFirstLetterKey()
{
    LetterKey(FirstLetterKeyToFocus())->setFocus();
}

void TfrmMain::ShowPlayer()
{
    lblPlayerName->setVisible(GameOptions.MultiPlayers);
    if (GameOptions.MultiPlayers) {
        platform::SetTextColor(lblPlayerName, HighlightTextColor);
        lblPlayerName->setText(platform::AnsiToUnicode(CurrentPlayer().Name));
    }
}

void TfrmMain::ShowScore()
{
    lblScore->setText(platform::AnsiToUnicode(ScoreLabelText(CurrentPlayer())));
}

void TfrmMain::btnStartClick()
{
    game::PlayersInitialize();
    ShowPlayer();
    lblScore->clear();
    DrawWord(true);
}

void TfrmMain::btnContinueClick()
{
    if (GameOptions.MultiPlayers) {
        PlayersSelectNext();
        ShowPlayer();
        ShowScore();
    }
    DrawWord(false);
}

void TfrmMain::DrawWord(bool firstOfGame)
{
    bool drawn = false;
    {
        const platform::TBusyCursor busy;
        drawn = DrawRandomWord(GameOptions.Level, DictionaryError);
    }
    if (drawn) {
        lblTriesRemaining->setText(platform::AnsiToUnicode(TriesRemainingText + " " + std::to_string(ResultLevel)));
        EnableLetterKeys(true);
        DisableShownLetterKeys(CurrentWord.CompareMask);
        ShowWordAndDefinition();
        if (firstOfGame) {
            btnStart->hide();
            btnStart->setEnabled(false);
            btnContinue->show();
            btnStop->setEnabled(true);
            btnEdit->setEnabled(false);
            btnOption->setEnabled(false);
            btnOpen->setEnabled(false);
        }
        DrawGallows(GallowsPicture());
        edtWord->setEnabled(false);
        FocusFirstLetterKey();
    }
    if (drawn && GameOptions.TimePlay) {
        DrawCounter(GameOptions.TimePlayLimit, true);
        ElapsedSeconds = 0;
        timTimer.start(WordTimerInterval);
    } else {
        DrawCounter(0, false);
    }
}

void TfrmMain::kbButtonsClick(TPictureButton* key)
{
    key->setEnabled(false);
    PlayLetter(key->Tag);
    CheckRoundOutcome();
}

void TfrmMain::FormKeyPress(char key)
{
    const char letter = LetterOfKeyPress(key);
    if (letter == 0)
        return;
    TPictureButton* button = LetterKey(letter);
    if (button->isEnabled())
        kbButtonsClick(button);
}

void TfrmMain::PlayLetter(char letter)
{
    const TLetterResult result = game::ApplyLetter(letter);
    if (!result.Played)
        return;
    if (result.GallowsPicture >= 0)
        DrawGallows(result.GallowsPicture);
    if (!result.Sound.empty())
        platform::PlaySound(result.Sound);
    ShowMask(CurrentWord.DisplayMask);
}

void TfrmMain::CheckRoundOutcome()
{
    const TRoundOutcome outcome = game::CheckRoundOutcome();
    if (outcome == TRoundOutcome::NoRound)
        return;
    if (outcome == TRoundOutcome::Playing) {
        lblTriesRemaining->setText(platform::AnsiToUnicode(TriesRemainingLabel(ResultLevel)));
        return;
    }
    EndOfWord();
    if (outcome == TRoundOutcome::Lost)
        UpdateZoomWindow(platform::AnsiToUnicode(CurrentWord.Word));
    EnableLetterKeys(false);
    if (GameOptions.UseSounds)
        QThread::msleep(SoundPause);
    // While the best ten are being looked at, the result waits until they are closed.
    if (frmScores != nullptr)
        frmScores->ShowModal();
    ShowScore();
    btnContinue->setFocus();
}

void TfrmMain::EndOfWord()
{
    timTimer.stop();
    edtWord->setPlainText(platform::AnsiToUnicode(CurrentWord.Word));
    edtWord->setAlignment(Qt::AlignCenter);
    ShowHtml(CurrentWord.Definition);
    edtWord->setEnabled(true);
    lblTriesRemaining->clear();
}

void TfrmMain::timTimerTimer()
{
    if (!RoundInProgress) {
        timTimer.stop();
        return;
    }
    const TTimerTick tick = WordTimerTick();
    DrawCounter(tick.SecondsLeft, true);
    if (tick.TimedOut) {
        timTimer.stop();
        CheckRoundOutcome();
    }
}

void TfrmMain::DrawCounter(int32_t seconds, bool on)
{
    if (on) {
        platform::SetTextColor(lblTimeRemaining, CounterOnColor);
        QPainter painter(&timePicture_);
        for (const TCounterPicture& digit : CounterPictures(seconds))
            painter.drawPixmap(digit.X, 0, imglstDigits.at(static_cast<size_t>(digit.Picture)));
    } else {
        timePicture_.fill(Qt::transparent);
        const QPalette system = QApplication::palette();
        platform::SetTextColor(lblTimeRemaining, GameOptions.TimePlay
                                                     ? system.color(QPalette::Active, QPalette::WindowText)
                                                     : system.color(QPalette::Disabled, QPalette::WindowText));
    }
    imgTime->setPixmap(timePicture_);
}

void TfrmMain::btnStopClick()
{
    timTimer.stop();
    if (CurrentPlayerHasPlayed()) {
        if (GameOptions.MultiPlayers)
            RankPlayers();
        else
            RankSinglePlayer();
    }
    ResetAfterGame();
}

void TfrmMain::RankSinglePlayer()
{
    const int32_t row = PlaceResult(GameOptions.Players[0]);
    if (row < 1 || row > BestScoresCount || frmScores == nullptr)
        return;
    ScoresWindowMode = ScoresModeNameEntry;
    frmScores->ShowModal();
    EnterSinglePlayerResult(row);
    ScoresWindowMode = ScoresModeBestTen;
    frmScores->ShowModal();
    ClearScoreHighlights();
}

void TfrmMain::RankPlayers()
{
    const std::vector<bool> played = game::RankPlayers();
    ScoresWindowMode = ScoresModeRanking;
    if (frmScores != nullptr)
        frmScores->ShowModal();
    if (EnterRankedPlayers(played) == 0)
        return;
    ScoresWindowMode = ScoresModeBestTen;
    if (frmScores != nullptr)
        frmScores->ShowModal();
    ClearScoreHighlights();
}

void TfrmMain::ResetAfterGame()
{
    game::PlayersInitialize();
    ShowPlayer();
    lblScore->clear();
    ResultLevel = MaxTries;
    EnableLetterKeys(false);
    btnContinue->setEnabled(false);
    btnContinue->hide();
    btnStop->setEnabled(false);
    btnEdit->setEnabled(true);
    btnOption->setEnabled(true);
    btnOpen->setEnabled(true);
    // Start comes back only with words to draw.
    btnStart->setVisible(DictionaryWordCount > 0);
    btnStart->setEnabled(DictionaryWordCount > 0);
    ShowMask(std::string());
    edtWord->clear();
    lblTriesRemaining->clear();
    ShowDictionaryInfo();
    if (btnStart->isEnabled())
        btnStart->setFocus();
    RoundInProgress = false;
    DrawCounter(0, false);
}

} // namespace game
