// The raw editor of a whole dictionary file, the menus that change with it, the questions asked
// before unsaved text is lost, and the pop-up menu shared by the definition view and the editor.
#include "utility/Index.h"

#include "htmlview/HtmlView.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252.h"
#include "utility/DictionaryEdits.h"
#include "utility/unitAbout.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace utility {

namespace {

// The editor shows lines; the file is written back with CR LF after each, so a lone CR or LF
// of a file written elsewhere comes back as CR LF, the line end of the format.
QString EditorText(const std::string& fileBytes)
{
    QString text = platform::AnsiToUnicode(fileBytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// The editor's raw text (non-breaking spaces kept) with CR LF line ends, in Windows-1252.
std::string FileBytes(const QPlainTextEdit& editor)
{
    QString text = editor.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'))
        .replace(QChar::LineSeparator, QLatin1Char('\n'))
        .replace(QLatin1String("\n"), QLatin1String("\r\n"));
    std::string bytes;
    if (!platform::UnicodeToAnsi(text, bytes))
        throw platform::EInOutError("The text holds characters that Windows-1252 cannot hold");
    return bytes;
}

} // namespace

bool TfrmIndex::EditorShown() const
{
    return rtxtEditor->isVisibleTo(this);
}

bool TfrmIndex::EditorModified() const
{
    return rtxtEditor->document()->isModified();
}

void TfrmIndex::ShowEditor(bool show)
{
    rtxtEditor->document()->setModified(false);
    for (QWidget* part : std::initializer_list<QWidget*>{rtxtEditor, framEditor}) {
        part->setEnabled(show);
        part->setVisible(show);
    }
    btnEditorClose->setEnabled(show);
    btnEditorSave->setEnabled(false);
    bvLine2->setVisible(!show);
    EnableDictionaryControls(!show);
    if (show) {
        UpdateCursorPos();
        SetStatusPanel(2, "");
        rtxtEditor->setFocus();
    }
    SetStatusPanel(1, CurrentDictionary.Name);
    UpdateFileMenu();
}

void TfrmIndex::SaveEditorText(const std::string& path)
{
    ReplaceFileContent(path, FileBytes(*rtxtEditor)); // leaves the index for the next opening to rebuild
    rtxtEditor->document()->setModified(false);
    btnEditorSave->setEnabled(false);
    UpdateFileMenu();
}

bool TfrmIndex::TrySaveEditor()
{
    try {
        SaveEditorText(EditorFileName);
    } catch (const std::exception& error) {
        platform::ErrorBox(error.what(), this);
        return false;
    }
    return true;
}

void TfrmIndex::LoadEditorFile(const std::string& path)
{
    const std::string bytes = platform::ReadWholeFile(path);
    EditorFileName = path;
    rtxtEditor->setPlainText(EditorText(bytes));
    ShowEditor(true);
}

void TfrmIndex::mnuFileModifyClick()
{
    if (!CurrentDictionary.FileName.empty()) {
        LoadEditorFile(CurrentDictionary.FileName);
        return;
    }
    platform::TFileDialogRequest request;
    request.Title = Texts().OpenDialogTitle;
    request.Filter = Texts().DialogFilter;
    request.InitialDir = LastPath;
    const std::optional<std::string> chosen = platform::GetOpenFileName(request, this);
    if (!chosen)
        return;
    lastChosenFile_ = *chosen;
    LoadEditorFile(*chosen);
}

void TfrmIndex::btnModifyClick()
{
    if (!CurrentDictionary.FileName.empty())
        LoadEditorFile(CurrentDictionary.FileName);
}

void TfrmIndex::btnEditorSaveClick()
{
    TrySaveEditor();
}

void TfrmIndex::ReloadAfterEditor()
{
    // A file chosen for the editor while no dictionary was open is opened now.
    if (CurrentDictionary.FileName.empty())
        OpenDictionaryFile(EditorFileName);
    else
        LoadDictionaryIntoWindow(CurrentDictionary);
}

bool TfrmIndex::ConfirmEditorClose(int icon)
{
    if (!EditorShown() || !EditorModified())
        return true;
    switch (platform::MessageBox(Texts().SaveQuestionText, "Information", platform::MB_YESNOCANCEL | icon, this)) {
    case platform::IDYES:
        return TrySaveEditor();
    case platform::IDNO:
        return true;
    default:
        return false;
    }
}

void TfrmIndex::btnEditorCloseClick()
{
    if (!ConfirmEditorClose(platform::MB_ICONQUESTION))
        return;
    ShowEditor(false);
    ReloadAfterEditor();
}

void TfrmIndex::mnuFileQuitClick()
{
    if (!ConfirmEditorClose(0))
        return;
    quitting_ = true;
    close();
    quitting_ = false;
}

void TfrmIndex::closeEvent(QCloseEvent* event)
{
    if (!quitting_ && !ConfirmEditorClose(platform::MB_ICONQUESTION)) {
        event->ignore();
        return;
    }
    try {
        SaveSettings();
    } catch (const platform::EInOutError& error) {
        platform::ErrorBox(error.what(), this);
    }
    event->accept();
}

void TfrmIndex::rtxtEditorChange()
{
    btnEditorSave->setEnabled(EditorModified());
    UpdateFileMenu();
}

void TfrmIndex::UpdateCursorPos()
{
    const QTextCursor cursor = rtxtEditor->textCursor();
    QTextCursor start(rtxtEditor->document());
    start.setPosition(cursor.selectionStart());
    const std::string position = FormatCursorPosition(Texts(), start.blockNumber() + 1, start.positionInBlock() + 1);
    rtxtEditor->setStatusTip(platform::AnsiToUnicode(position));
    if (rtxtEditor->underMouse())
        SetStatusPanel(0, position);
}

// New, Open and Modify belong to browsing, Save and Close to editing; a hidden command is also
// disabled, so its key cannot reach it.
void TfrmIndex::UpdateFileMenu()
{
    const bool editing = EditorShown();
    for (QAction* browsing : {mnuFileNew, mnuFileOpen, mnuFileModify}) {
        browsing->setVisible(!editing);
        browsing->setEnabled(!editing);
    }
    mnuFileSave->setVisible(editing);
    mnuFileSave->setEnabled(editing && EditorModified());
    mnuFileClose->setVisible(editing);
    mnuFileClose->setEnabled(editing);
}

void TfrmIndex::mnuFileClick()
{
    UpdateFileMenu();
}

void TfrmIndex::mnuHelpClick()
{
    if (!CurrentDictionary.FileName.empty())
        mnuHelpDictionaryInfo->setEnabled(!EditorShown());
}

void TfrmIndex::mnuHelpAboutClick()
{
    if (frmAbout != nullptr)
        frmAbout->exec();
}

void TfrmIndex::mnuHtmlPopup()
{
    if (EditorShown()) {
        mnuHtmlPaste->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
        const bool selection = rtxtEditor->textCursor().hasSelection();
        mnuHtmlCut->setEnabled(selection);
        mnuHtmlCopySelection->setEnabled(selection);
    } else {
        mnuHtmlPaste->setEnabled(false);
        mnuHtmlCut->setEnabled(false);
        mnuHtmlCopySelection->setEnabled(htmlViewer->SelLength() != 0);
    }
    mnuHtmlCopy->setEnabled(true);
}

void TfrmIndex::mnuHtmlCutClick()
{
    if (EditorShown())
        rtxtEditor->cut();
}

void TfrmIndex::mnuHtmlCopyClick()
{
    htmlViewer->SelectAll();
    htmlViewer->CopyToClipboard();
    htmlViewer->SetSelLength(0);
}

void TfrmIndex::mnuHtmlCopySelectionClick()
{
    if (EditorShown())
        rtxtEditor->copy();
    else
        htmlViewer->CopyToClipboard();
}

void TfrmIndex::mnuHtmlPasteClick()
{
    if (EditorShown() && !QGuiApplication::clipboard()->text().isEmpty())
        rtxtEditor->paste();
}

} // namespace utility
