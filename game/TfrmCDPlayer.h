#pragma once
// The CD player: a small borderless window that stays on top and plays audio CDs while the
// game goes on. It looks for a drive holding an audio disc, shows the disc's track count, the
// current track, its length, the time played and the drive's state, and offers nine picture
// buttons. The main window shows it without waiting and closes it at exit; a disc keeps
// playing after the window is closed.
#include "game/LanguageTexts.h"
#include "game/WindowPlacement.h"
#include "platform/Canvas.h"
#include "platform/CdAudioPlayer.h"

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QMenu;

namespace game {

// The status text for Mode from CDStatusTexts; a mode the drive should never report reads as
// not ready.
std::string CDStatusText(int32_t mode);

// The remembered place and the label colour, in section "General" of the settings file.
struct TCDPlayerWindowSettings {
    int32_t Left = -1; // -1: unset
    int32_t Top = -1;
    platform::TColor FontColor = 0x8000; // green
};
extern TCDPlayerWindowSettings CDPlayerWindow;

// Update rates of the window while the disc moves and while it rests.
constexpr int CDBusyInterval = 200;
constexpr int CDIdleInterval = 2000;
// How far the fast buttons move.
constexpr int64_t CDFastStepMs = 5000;

// A button picture: it shows its normal picture, or its hover picture while Tag is 1.
class TCDPlayerButton : public QLabel {
    Q_OBJECT
public:
    TCDPlayerButton(QWidget* parent, const QString& name);
    void ShowNormal();
    void ShowHover();
    int32_t Tag = 0;
    // The hidden imgX0 and imgX1, each decoded when first needed.
    const QPixmap& Normal() const { return Face(0); }
    const QPixmap& Hover() const { return Face(1); }

signals:
    void Click();
    void Hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const QPixmap& Face(int hover) const;

    bool pressed_ = false;
    mutable std::array<std::optional<QPixmap>, 2> faces_;
};

class TfrmCDPlayer : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 150;
    static constexpr int ClientHeight = 220;

    // Device: the drives to play on; the machine's own by default.
    explicit TfrmCDPlayer(std::unique_ptr<platform::TCdDevice> device = platform::NewCdDevice(),
                          QWidget* parent = nullptr);
    ~TfrmCDPlayer() override;

    TCDPlayerTexts Texts;
    int32_t Tag = 0; // 1 lets the window close
    // No usable audio disc is open: the playing buttons do nothing.
    bool NoDisc = true;

    // Controls, by their names in the window's layout.
    QLabel* imgBackground;
    TCDPlayerButton* imgFastRewind;
    TCDPlayerButton* imgPlay;
    TCDPlayerButton* imgFastForward;
    TCDPlayerButton* imgPrevious;
    TCDPlayerButton* imgStop;
    TCDPlayerButton* imgNext;
    TCDPlayerButton* imgEject;
    TCDPlayerButton* imgPause;
    TCDPlayerButton* imgExit;
    QLabel* lblTracks;
    QLabel* lblTracksValue;
    QLabel* lblCurrentTrack;
    QLabel* lblCurrentTrackValue;
    QLabel* lblTrackTime;
    QLabel* lblTrackTimeValue;
    QLabel* lblTrackTimeElapsed;
    QLabel* lblTrackTimeElapsedValue;
    QLabel* lblCDPlayerStatus;
    QLabel* lblCDDrive;
    QMenu* mnuColor;
    QAction* mnuColorText;
    QTimer timUpdateInfo;
    platform::TCdAudio mediaCDPlayer;

    // Shows the window without waiting, or brings it forward.
    void ShowWindow();

    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormClose();
    void FormMouseDown(Qt::MouseButton button, QPoint globalPosition);
    void FormMouseMove(QPoint globalPosition);
    void FormMouseUp(Qt::MouseButton button);
    void timUpdateInfoTimer();
    void imgPlayClick();
    void imgStopClick();
    void imgPreviousClick();
    void imgNextClick();
    void imgPauseClick();
    void imgEjectClick();
    void imgFastForwardClick();
    void imgFastRewindClick();
    void imgExitClick();
    void imgHideImagesMouseMove();
    void mnuColorTextClick();

    // Searches the drives for an audio disc and leaves the first one found open; true when
    // there is none.
    bool FindCDDrive();
    void LoadCDPlayerSettings(const std::string& settingsFilePath);
    void SaveCDPlayerSettings(const std::string& settingsFilePath);

    // The nine buttons, row by row.
    std::array<TCDPlayerButton*, 9> Buttons() const;

signals:
    // F1: the help file's contents.
    void HelpRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateControls();
    void CreateButtons();
    void CreateLabels();
    void ConnectControls();
    void LoadLanguagePart(const TThemeFiles& files);
    void ShowTexts();
    void SetLabelColor(platform::TColor color);
    void ClearValues();
    void ShowDiscValues();
    // The buttons' first step: updates come quickly while the player acts.
    void StartFastUpdates();
    // Runs a command of the drive; a failure is told in the error box.
    template <class TCommand>
    void ReportingDeviceErrors(TCommand command);
    // Runs a command on the disc when there is one.
    template <class TCommand>
    void OnDisc(TCommand command);
    void HoverButton(TCDPlayerButton* button);
    void FocusWindow();
    std::array<QLabel*, 10> Labels() const;

    TDragState drag_;
    bool active_ = false;
};

extern TfrmCDPlayer* frmCDPlayer;

} // namespace game
