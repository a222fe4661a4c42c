// Opening a dictionary: at start from the command line or the settings, later through the open
// dialog; every failure leaves no dictionary open and Start out of reach.
#include "game/TfrmMain.h"

#include "game/HighScores.h"
#include "game/SaveReport.h"
#include "game/TfrmMainPictureButton.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/QtProgress.h"

#include <QProgressBar>

namespace game {

dictionary::TDictionaryError DictionaryError;
dictionary::TDictionaryTranslation DictionaryTranslation;

namespace {

// The record as the error page must name it: a file that was not found leaves the record
// naming the dictionary open before, which exists, so the page names the path asked for.
dictionary::TDictionaryFile AskedDictionary(const dictionary::TDictionaryFile& dictionary)
{
    dictionary::TDictionaryFile asked = dictionary;
    if (DictionaryError.Code == dictionary::errFileNotFound) {
        const std::string full = platform::FullPathName(DictionaryPath);
        asked.FileName = full.empty() ? DictionaryPath : full;
    }
    return asked;
}

} // namespace

bool TfrmMain::InitializeDictionary(dictionary::TDictionaryFile& dictionary)
{
    return dictionary::Initialize(DictionaryPath, dictionary, progress_.get(), false, DictionaryError);
}

void TfrmMain::ShowDictionaryError(const dictionary::TDictionaryFile& dictionary)
{
    dictionary::FormatDictionaryError(dictionary, DictionaryTranslation, DictionaryError);
    ShowHtml(DictionaryError.Message);
}

// No dictionary is open: nothing can be drawn until another one is.
void TfrmMain::ForgetDictionary()
{
    DictionaryWordCount = 0;
    DictionaryPath.clear();
    btnStart->setEnabled(false);
    btnStart->hide();
    btnContinue->setEnabled(false);
    btnContinue->hide();
}

void TfrmMain::OpenDictionaryAtStart()
{
    if (InitializeDictionary(CurrentDictionary)) {
        LoadDictionary(CurrentDictionary);
        return;
    }
    if (DictionaryError.Code != dictionary::errNone) {
        dictionary::FormatDictionaryError(CurrentDictionary, DictionaryTranslation, DictionaryError);
        // A file that was never found has no page of its own: the dialog says enough.
        if (!CurrentDictionary.FileName.empty())
            ShowHtml(DictionaryError.Message);
    }
    ForgetDictionary();
    btnOpenClick();
    if (CurrentDictionary.FileName.empty()) {
        ShowHtml(WelcomePage());
        LoadScores();
    }
}

void TfrmMain::btnOpenClick()
{
    if (RoundInProgress)
        return;
    platform::TFileDialogRequest request;
    request.Title = Texts.OpenDialogTitle;
    request.Filter = Texts.DictionaryFilter + " (*.dat)|*.dat|" + Texts.AllFilesFilter + " (*.*)|*.*";
    request.FilterIndex = 0;
    request.InitialDir = DictionaryPath.empty() ? ProgramFolder + "Dictionnaires/" : platform::ExtractFilePath(DictionaryPath);
    request.FileName = platform::ExtractFileName(DictionaryPath);
    request.OverwritePrompt = false;
    const std::optional<std::string> chosen = platform::GetOpenFileName(request, this);
    if (!chosen)
        return;

    // Scores that cannot be saved stay in memory with their dictionary, to be saved at close.
    if (!SaveOrReport(SaveScores, ScoresFilePath, this))
        return;
    DictionaryPath = *chosen;
    if (InitializeDictionary(CurrentDictionary)) {
        LoadDictionary(CurrentDictionary);
        if (isVisible() && btnStart->isEnabled() && btnStart->isVisible())
            btnStart->setFocus();
        return;
    }
    if (DictionaryError.Code != dictionary::errNone)
        ShowDictionaryError(AskedDictionary(CurrentDictionary));
    ForgetDictionary();
}

void TfrmMain::LoadDictionary(dictionary::TDictionaryFile dictionary)
{
    btnStart->setEnabled(false);
    btnStart->hide();
    btnContinue->setEnabled(false);
    btnContinue->hide();

    if (!InitializeDictionary(dictionary)) {
        DictionaryPath.clear();
        DictionaryWordCount = 0;
        ShowDictionaryError(dictionary);
        btnOpenClick();
        return;
    }

    prgBar->show();
    if (dictionary::Lexorim(dictionary, false, progress_.get(), DictionaryError)) {
        DictionaryWordCount = dictionary.WordCount;
        ShowDictionaryInfo();
        if (DictionaryWordCount <= 0) {
            DictionaryWordCount = 0;
            DictionaryPath.clear();
        } else {
            btnStart->setEnabled(true);
            btnStart->show();
        }
        LoadScores();
    } else {
        DictionaryWordCount = 0;
        DictionaryPath.clear();
        ShowDictionaryError(dictionary);
    }
    prgBar->hide();
}

} // namespace game
