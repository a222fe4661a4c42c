#pragma once
// What the player can do with the main window's definition view and the word box above it:
// copy the word with the whole page, copy the selection, make the text larger or smaller, and
// print the word with its definition. The commands hang on the view's pop-up menu, whose items
// also answer their shortcuts while the view has the focus.
#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTextEdit;

namespace htmlview {
class THtmlView;
}

namespace game {

class TfrmMain;

// The view's text size moves between these bounds by this step.
constexpr int32_t ViewFontSizeStep = 2;

// Copies at most this many characters of the page (the last place of the buffer ends it).
constexpr int32_t CopyBufferSize = 32767;

// Which items of the menu can be used now.
struct TViewMenuState {
    bool CopySelection = false;
    bool Copy = false;
    bool Print = false;
    bool IncreaseFontSize = false;
    bool DecreaseFontSize = false;
};
// While a word is being guessed nothing of its page may leave the game.
TViewMenuState ViewMenuState(int32_t selLength, int32_t defFontSize, bool roundInProgress);

// The word box's text, two line ends and the whole page's text, as "copy all" puts it on the
// clipboard. The view's selection is left empty.
std::string CopyAllText(htmlview::THtmlView& viewer, const std::string& wordBoxText);
void CopyAll(htmlview::THtmlView& viewer, const QTextEdit& wordBox);

// The view's text size and the word box's type size, kept equal, one step larger or smaller; a
// step that would pass a bound is not taken, so an odd size stops one short of it. False when
// nothing changed.
bool IncreaseFontSize(TfrmMain& form);
bool DecreaseFontSize(TfrmMain& form);

// Prints the word box's text and the definition of CurrentWord on the default printer; without
// a printer that starts, the player is shown NoPrinterText and nothing is printed.
bool PrintDefinition(TfrmMain& form, const std::string& noPrinterText);

// The view's pop-up menu on the main window; its captions are the window's Texts.
class TDefinitionViewMenu : public QObject {
    Q_OBJECT
public:
    explicit TDefinitionViewMenu(TfrmMain& form);

    QMenu* mnuHtmlViewer;
    QAction* mnuHtmlCopySelection;
    QAction* mnuHtmlCopy;
    QAction* mnuHtmlPrint;
    QAction* mnuHtmlSep1;
    QAction* mnuHtmlIncreaseFontSize;
    QAction* mnuHtmlDecreaseFontSize;

    // Captions from the window's Texts, and the items' states for the view and the round as they
    // are now.
    void mnuHtmlViewerPopup();
    void mnuHtmlCopyClick();
    void mnuHtmlCopySelectionClick();
    void mnuHtmlIncreaseFontSizeClick();
    void mnuHtmlDecreaseFontSizeClick();
    void mnuHtmlPrintClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddItem(const QKeySequence& shortcut, void (TDefinitionViewMenu::*handler)());

    TfrmMain& form_;
};

// Gives the main window's view its pop-up menu and shortcuts; the menu belongs to the window.
TDefinitionViewMenu* InstallDefinitionViewMenu(TfrmMain& form);

} // namespace game
