#pragma once
// TfrmIndex: the utility's one main window. The definition view on the left, the word list on
// the right, the add-word area below, the command buttons, a progress bar and a status bar; a
// raw editor of the whole dictionary file can be laid over the left side.
//
// Index.cpp builds the window, its texts and settings; IndexList.cpp drives the word list;
// IndexCommands.cpp holds the dictionary commands and pages; IndexEditor.cpp the raw editor,
// the menus and the clipboard.
#include "dictionary/unitDictionary.h"
#include "platform/QtProgress.h"
#include "utility/IndexTexts.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QStatusBar;
class QTimer;
class QToolButton;

namespace htmlview {
class THtmlView;
}

namespace utility {

class TPaintBox;

class TfrmIndex : public QMainWindow {
public:
    // ProgramFolder ends with a separator; the settings file "garvo.ini" lives there.
    explicit TfrmIndex(std::string programFolder, QWidget* parent = nullptr);
    ~TfrmIndex() override;

    // Start-up: settings, texts, the empty list and the command line (the arguments after the
    // program's name, in Windows-1252).
    void FormCreate(const std::vector<std::string>& arguments);

    // Settings and texts.
    void LoadSettings();
    void SaveSettings();
    void SetLanguage(int32_t code);
    const TIndexTexts& Texts() const { return IndexTexts(LanguageCode); }
    void EnableDictionaryControls(bool on);
    void SetStatusPanel(int index, const std::string& text);
    std::string StatusPanel(int index) const;

    // Pages and dictionary commands (IndexCommands.cpp).
    void ShowHtml(const std::string& fragment);
    std::string BuildDictionaryInfo(const dictionary::TDictionaryFile& dict, const dictionary::TDictionaryError& error) const;
    void LoadDictionaryIntoWindow(const dictionary::TDictionaryFile& dict);
    void mnuFileOpenClick();
    void mnuFileNewClick();
    void btnAddWordClick();
    void btnLexorimClick();
    void mnuHelpDictionaryInfoClick();
    void chkAutoLexorimClick();
    void btnFrenchClick();
    void btnEnglishClick();
    void htmlViewerHotSpotClick(const std::string& url, bool& handled);
    void htmlViewerHotSpotCovered(const std::string& url);

    // The word list (IndexList.cpp).
    void edtListKeyUp(int key);
    void timListTimer();
    void pbListMouseUp(Qt::MouseButton button, int x, int y);
    void seListChange();
    void sbListScroll(int position);
    // True when the key was one of the list's keys.
    bool FormKeyDown(int key);

    // The raw editor, menus and clipboard (IndexEditor.cpp).
    void ShowEditor(bool show);
    void SaveEditorText(const std::string& path);
    bool EditorShown() const;
    bool EditorModified() const;
    void mnuFileModifyClick();
    void btnModifyClick();
    void btnEditorSaveClick();
    void btnEditorCloseClick();
    void mnuFileQuitClick();
    void rtxtEditorChange();
    void UpdateCursorPos();
    void mnuFileClick();
    void mnuHelpClick();
    void mnuHelpAboutClick();
    void mnuHtmlPopup();
    void mnuHtmlCutClick();
    void mnuHtmlCopyClick();
    void mnuHtmlCopySelectionClick();
    void mnuHtmlPasteClick();

    // Program-wide state of the window.
    std::string ProgramFolder;
    std::string IniPath;
    int32_t LanguageCode = FrenchLanguage;
    std::string LastPath;
    dictionary::TDictionaryFile CurrentDictionary;
    dictionary::TDictionaryError DictionaryError;
    dictionary::TDictionaryWord CurrentWord;
    dictionary::TDictionaryTranslation DictionaryTranslation;
    // The file the raw editor holds; it is saved there.
    std::string EditorFileName;

    // Controls.
    QFrame* bvLine1 = nullptr;
    QLabel* lblSearch = nullptr;
    QLineEdit* edtList = nullptr;
    QSpinBox* seList = nullptr;
    htmlview::THtmlView* htmlViewer = nullptr;
    QFrame* bvList = nullptr;
    TPaintBox* pbList = nullptr;
    QScrollBar* sbList = nullptr;
    QFrame* bvLine2 = nullptr;
    QLabel* lblAdd = nullptr;
    QLineEdit* edtAddWord = nullptr;
    QPlainTextEdit* memoAddWordDef = nullptr;
    QPushButton* btnAddWord = nullptr;
    QPushButton* btnModify = nullptr;
    QCheckBox* chkAutoLexorim = nullptr;
    QPushButton* btnLexorim = nullptr;
    QPushButton* btnInformation = nullptr;
    QToolButton* btnFrench = nullptr;
    QProgressBar* prgBar = nullptr;
    QToolButton* btnEnglish = nullptr;
    QPushButton* btnQuit = nullptr;
    QStatusBar* sbMain = nullptr;
    std::array<QLabel*, 3> sbPanels{};
    QPlainTextEdit* rtxtEditor = nullptr;
    QGroupBox* framEditor = nullptr;
    QPushButton* btnEditorSave = nullptr;
    QPushButton* btnEditorClose = nullptr;
    QLabel* lblInfo = nullptr;
    QLabel* lblInfoText = nullptr;
    QTimer* timList = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileModify = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileClose = nullptr;
    QAction* mnuFileQuit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpDictionaryInfo = nullptr;
    QAction* mnuHelpAbout = nullptr;
    QMenu* mnuHtml = nullptr;
    QAction* mnuHtmlCut = nullptr;
    QAction* mnuHtmlCopy = nullptr;
    QAction* mnuHtmlCopySelection = nullptr;
    QAction* mnuHtmlPaste = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Index.cpp.
    void CreateControls();
    void CreateEditor();
    void CreateMenus();
    void PlaceControls();
    void ConnectControls();
    void ApplyControlTexts(const TIndexTexts& texts);
    void PreviewKeys();

    // IndexCommands.cpp.
    void ShowDictionaryError(const dictionary::TDictionaryFile& dict);
    // Opens Path into CurrentDictionary and the window, as the Open command does once a file is
    // chosen.
    void OpenDictionaryFile(const std::string& path);
    // Fills the list with words 1 to Count of Dict and shows the count.
    void ShowWordList(const dictionary::TDictionaryFile& dict, int32_t count);
    void ShowWordDefinition(int32_t n);
    bool RefuseNewEntry(const std::string& word, const std::string& definition);
    void ProgressRange(int32_t maximum);
    std::string DialogFolder() const;

    // IndexEditor.cpp.
    void LoadEditorFile(const std::string& path);
    // Saves the editor's text; on failure the error is shown, the text stays modified and the
    // answer is false.
    bool TrySaveEditor();
    // After the editor closes: the dictionary it held comes back into the window.
    void ReloadAfterEditor();
    // Asks before unsaved raw text is lost. True when the window may go on (saved or dropped).
    bool ConfirmEditorClose(int icon);
    void UpdateFileMenu();

    std::unique_ptr<platform::TQtProgress> progress_;
    std::string lastChosenFile_; // in the open dialog, by Open or Modify
    bool quitting_ = false;      // Quit asked already: the close event asks no more
};

// The one main window of the utility.
extern TfrmIndex* frmIndex;

} // namespace utility
