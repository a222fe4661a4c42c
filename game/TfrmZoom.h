#pragma once
// The zoom window: a small borderless window that stays on top and shows the word being played
// in large type for players further away from the screen. The player drags it by its face and
// sets its type size and colours from its pop-up menu; the main window shows and hides it.
#include "platform/Canvas.h"

#include <QWidget>

#include <cstdint>
#include <string>

class QAction;
class QLabel;
class QMenu;

namespace game {

// Texts of the pop-up menu that the language file may replace (Windows-1252).
struct TZoomTexts {
    std::string IncreaseFontSize = "&Augmenter la taille des caract\xE8res";
    std::string DecreaseFontSize = "&Diminuer la taille des caract\xE8res";
    std::string ChangeBackgroundColor = "Couleur du &fond";
    std::string ChangeTextColor = "Couleur du &texte";
};

// The smallest type size the window shrinks to when a text is wider than the screen.
constexpr int32_t ZoomShrinkFloor = 8;
constexpr int32_t ZoomFontSizeStep = 2;

class TfrmZoom : public QWidget {
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget* parent = nullptr);
    ~TfrmZoom() override;

    // Shows Text (10 blanks for an empty one), sized to it around the same horizontal centre
    // and kept on the screen.
    void UpdateWindow(const std::string& text);

    // The type size in points; the menu steps it within MinZoomFontSize..MaxZoomFontSize.
    int32_t FontSize() const;
    void SetFontSize(int32_t points);
    platform::TColor BackColor() const;
    void SetBackColor(platform::TColor color);
    platform::TColor TextColor() const;
    void SetTextColor(platform::TColor color);
    // The text shown, as given to UpdateWindow.
    const std::string& Caption() const { return caption_; }

    TZoomTexts Texts;
    int32_t Tag = 0; // 1 lets the window close

    // Controls, by their names in the window's layout.
    QLabel* panWord;
    QMenu* mnuColor;
    QAction* mnuFontSizeIncrease;
    QAction* mnuFontSizeDecrease;
    QAction* mnuColorBackground;
    QAction* mnuColorText;

    void FormShow();
    void mnuColorPopup();
    void mnuFontSizeIncreaseClick();
    void mnuFontSizeDecreaseClick();
    void mnuColorBackgroundClick();
    void mnuColorTextClick();

signals:
    // Every key typed on the window, as a Windows-1252 character: the main window plays it.
    void KeyPress(char key);
    // The window is being shown: the language loader may now put its texts into Texts.
    void TextsNeeded(int mode);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void ConnectControls();
    void ShowMenuTexts();
    void ChangeFontSize(int32_t step);
    void SetPanelColor(QPalette::ColorRole role, platform::TColor color);

    std::string caption_;
};

extern TfrmZoom* frmZoom;

} // namespace game
