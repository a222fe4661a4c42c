// The commands that work on a dictionary: loading one into the window, opening, creating,
// adding a word, building the index, and the pages they show.
#include "utility/Index.h"

#include "dictionary/dictionaryFiles.h"
#include "dictionary/fileLib.h"
#include "htmlview/HtmlView.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/Windows1252.h"
#include "utility/DictionaryEdits.h"
#include "utility/IndexPages.h"
#include "utility/unitUserList.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

#include <optional>

namespace utility {

namespace {

std::string WithoutTrailingSeparator(std::string folder)
{
    if (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return folder;
}

// A memo's text with the CR LF line ends of the file; nothing when it holds a character the
// file's code page cannot.
std::optional<std::string> AnsiLines(const QString& text)
{
    QString lines = text;
    lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n'))
        .replace(QChar::LineSeparator, QLatin1Char('\n'))
        .replace(QLatin1String("\n"), QLatin1String("\r\n"));
    std::string ansi;
    if (!platform::UnicodeToAnsi(lines, ansi))
        return std::nullopt;
    return ansi;
}

} // namespace

void TfrmIndex::ShowHtml(const std::string& fragment)
{
    const std::string page = WrapHtmlPageForDictionary(CurrentDictionary.FileName, fragment);
    htmlViewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
}

std::string TfrmIndex::BuildDictionaryInfo(const dictionary::TDictionaryFile& dict,
                                           const dictionary::TDictionaryError& error) const
{
    const TIndexTexts& texts = Texts();
    std::string page = texts.DictionaryLabel + ": " + platform::PathToPageText(dict.Name) + " ("
        + std::to_string(dictionary::GetFileSizeByName(dict.FileName)) + " " + texts.BytesLabel + ")<br>";
    page += texts.IndexFileLabel + ": " + platform::PathToPageText(dict.IndexName) + "<br>";
    if (error.Extended > 0)
        page += texts.WordsLabel + ": " + std::to_string(error.Extended) + "<br>";
    page += "<hr>";
    if (!dict.InfoFileName.empty())
        page += dictionary::ReadDescriptionFile(dict.InfoFileName);
    return page;
}

// The engine's message page, with the raw editor left reachable to mend the file.
void TfrmIndex::ShowDictionaryError(const dictionary::TDictionaryFile& dict)
{
    dictionary::FormatDictionaryError(dict, DictionaryTranslation, DictionaryError);
    ShowHtml(DictionaryError.Message);
    EnableDictionaryControls(false);
    btnModify->setEnabled(true);
}

void TfrmIndex::ProgressRange(int32_t maximum)
{
    progress_->SetMinimum(1);
    progress_->SetPosition(1);
    progress_->SetMaximum(maximum);
}

void TfrmIndex::ShowWordList(const dictionary::TDictionaryFile& dict, int32_t count)
{
    InitUserList(UserList, edtList, pbList, sbList, seList, timList, 1, count);
    ProgressRange(count);
    show();
    repaint();
    dictionary::LoadWordList(dict, progress_.get());
    RepaintUserList(UserList);
    SetStatusPanel(2, std::to_string(count) + Texts().WordCountSuffix);
    EnableDictionaryControls(true);
}

void TfrmIndex::LoadDictionaryIntoWindow(const dictionary::TDictionaryFile& dict)
{
    dictionary::TDictionaryFile copy = dict;
    edtList->clear();
    if (!dictionary::Initialize(dict.FileName, copy, progress_.get(), true, DictionaryError)) {
        // The file's own failure (a bracket left open by the raw editor...) is worth showing.
        SetStatusPanel(1, "");
        ShowDictionaryError(copy);
        return;
    }
    if (!dictionary::Lexorim(copy, false, progress_.get(), DictionaryError)) {
        ShowDictionaryError(copy);
        return;
    }
    const int32_t count = DictionaryError.Extended;
    copy.WordCount = count;
    if (count > 0) {
        SetStatusPanel(1, copy.Name);
        ShowWordList(copy, count);
    } else {
        copy.FileName.clear();
        SetStatusPanel(1, "");
        EnableDictionaryControls(false);
    }
    ShowHtml(BuildDictionaryInfo(copy, DictionaryError));
}

std::string TfrmIndex::DialogFolder() const
{
    return lastChosenFile_.empty() ? LastPath : platform::ExtractFilePath(lastChosenFile_);
}

void TfrmIndex::OpenDictionaryFile(const std::string& path)
{
    SetStatusPanel(1, platform::ExtractFileName(path));
    if (!platform::FileExists(path)) {
        SetStatusPanel(1, "");
        EnableDictionaryControls(false);
        return;
    }
    if (!dictionary::Initialize(path, CurrentDictionary, progress_.get(), true, DictionaryError)) {
        ShowDictionaryError(CurrentDictionary);
        return;
    }
    LoadDictionaryIntoWindow(CurrentDictionary);
    LastPath = WithoutTrailingSeparator(platform::ExtractFilePath(CurrentDictionary.FileName));
}

void TfrmIndex::mnuFileOpenClick()
{
    platform::TFileDialogRequest request;
    request.Title = Texts().OpenDialogTitle;
    request.Filter = Texts().DialogFilter;
    request.InitialDir = DialogFolder();
    const std::optional<std::string> chosen = platform::GetOpenFileName(request, this);
    if (!chosen)
        return;
    lastChosenFile_ = *chosen;
    OpenDictionaryFile(*chosen);
}

void TfrmIndex::mnuFileNewClick()
{
    platform::TFileDialogRequest request;
    request.Title = Texts().SaveDialogTitle;
    request.Filter = Texts().DialogFilter;
    request.DefaultExt = ".dat";
    request.OverwritePrompt = true;
    const std::optional<std::string> chosen = platform::GetSaveFileName(request, this);
    if (!chosen)
        return;
    // A file that cannot be made is said, and the open dictionary stays in use as it was.
    try {
        ReplaceFileContent(*chosen, std::string());
    } catch (const platform::EInOutError&) {
        platform::ErrorBox(Texts().CannotCreateText + "\r\n" + *chosen, this);
        return;
    }
    SetStatusPanel(1, platform::ExtractFileName(*chosen));
    // The previous dictionary's words would answer for the new one: the duplicate test and the
    // definitions must start from the new, empty file.
    InitUserList(UserList, edtList, pbList, sbList, seList, timList, 0, 0);
    // Nor may the bar and the word number go on offering the old words' range.
    sbList->setRange(0, 0);
    seList->setRange(0, 0);
    SetStatusPanel(2, "");
    EnableDictionaryControls(true);
    dictionary::Initialize(*chosen, CurrentDictionary, progress_.get(), true, DictionaryError);
}

bool TfrmIndex::RefuseNewEntry(const std::string& word, const std::string& definition)
{
    const std::optional<TEntryRefusal> refusal = CheckNewEntry(word, definition);
    if (!refusal)
        return false;
    const TIndexTexts& texts = Texts();
    const std::string& message = *refusal == TEntryRefusal::BracketInText ? texts.BracketText
        : *refusal == TEntryRefusal::WordTooLong                          ? texts.WordTooLongText
                                                                          : texts.DefinitionTooLongText;
    platform::MessageBox(message, texts.WarningText, platform::MB_OK | platform::MB_ICONWARNING, this);
    return true;
}

void TfrmIndex::btnAddWordClick()
{
    std::string word;
    const std::optional<std::string> definition = AnsiLines(memoAddWordDef->document()->toRawText());
    if (!platform::UnicodeToAnsi(edtAddWord->text(), word) || !definition) {
        platform::MessageBox(Texts().UnencodableText, Texts().WarningText, platform::MB_OK | platform::MB_ICONWARNING, this);
        return;
    }
    // Readers trim the word: blanks around it would hide a duplicate, and a blank word is none.
    word = dictionary::TrimBlanks(word);
    if (word.empty() || RefuseNewEntry(word, *definition))
        return;

    if (const int32_t existing = UserListIndexOf(word)) {
        UserListSelect(existing);
        platform::MessageBox(Texts().WordExistsText, Texts().WarningText, platform::MB_OK, this);
        return;
    }
    try {
        AppendToFile(CurrentDictionary.FileName, FormatNewEntry(word, *definition));
    } catch (const platform::EInOutError&) {
        platform::ErrorBox(Texts().WriteFailedText + " " + CurrentDictionary.FileName, this);
        return; // the word stays in the fields for another try
    }

    // Without automatic indexing the index, left stale by the add, keeps serving the listed words
    // until the next opening rebuilds it.
    if (chkAutoLexorim->isChecked()) {
        EnableDictionaryControls(false);
        // A failed pass says why (silence would leave every control off without a word) and
        // leaves the raw editor to mend the file.
        if (!dictionary::Lexorim(CurrentDictionary, true, progress_.get(), DictionaryError)) {
            ShowDictionaryError(CurrentDictionary);
        } else {
            CurrentDictionary.WordCount = DictionaryError.Extended;
            const int32_t count = CurrentDictionary.WordCount;
            if (count > 0) {
                ProgressRange(count);
                show();
                repaint();
                const std::string fileName = CurrentDictionary.FileName;
                if (dictionary::Initialize(fileName, CurrentDictionary, progress_.get(), true, DictionaryError))
                    LoadDictionaryIntoWindow(CurrentDictionary);
                SetStatusPanel(2, std::to_string(count) + Texts().WordCountSuffix);
                EnableDictionaryControls(true);
            }
        }
    }
    edtAddWord->clear();
    memoAddWordDef->clear();
}

void TfrmIndex::btnLexorimClick()
{
    // A failed pass is shown, not passed over as if the index were built: the old list would
    // stay on screen over an index that is gone.
    if (!dictionary::Lexorim(CurrentDictionary, true, progress_.get(), DictionaryError)) {
        ShowDictionaryError(CurrentDictionary);
        return;
    }
    const int32_t count = DictionaryError.Extended;
    CurrentDictionary.WordCount = count;
    if (count <= 0)
        return;
    dictionary::WordArray.assign(static_cast<size_t>(count) + 1, std::string());
    dictionary::OffsetArray.assign(static_cast<size_t>(count) + 1, 0);
    ShowWordList(CurrentDictionary, count);
}

void TfrmIndex::mnuHelpDictionaryInfoClick()
{
    ShowHtml(BuildDictionaryInfo(CurrentDictionary, DictionaryError));
}

void TfrmIndex::htmlViewerHotSpotClick(const std::string& url, bool& handled)
{
    handled = true;
    if (!url.empty() && url.front() == '#') {
        htmlViewer->JumpToAnchor(url);
        return;
    }
    const std::string folder = DictionaryPageFolder(CurrentDictionary.FileName);
    if (const std::optional<std::string> target = DesktopLinkTarget(url, folder))
        platform::OpenDocument(*target);
}

void TfrmIndex::htmlViewerHotSpotCovered(const std::string& url)
{
    SetStatusPanel(0, url);
}

} // namespace utility
