#pragma once
// Message boxes and the common dialogs (open, save, colour) in the terms the windows were
// designed with: message box flags and answers keep their Windows values, file filters their
// "Description|pattern;pattern|..." form, and every text is Windows-1252 (paths in it as the
// programs carry them).
#include "platform/Canvas.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace platform {

// Buttons: the low four bits of the flags.
constexpr int MB_OK = 0x00;
constexpr int MB_OKCANCEL = 0x01;
constexpr int MB_YESNOCANCEL = 0x03;
constexpr int MB_YESNO = 0x04;
// Icons: the next four bits.
constexpr int MB_ICONERROR = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONWARNING = 0x30;
constexpr int MB_ICONINFORMATION = 0x40;
// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The answer of a box closed without a button being pressed: its way out (OK, No or Cancel).
int CloseAnswer(int flags);

struct TFileDialogRequest {
    std::string Title;
    std::string Filter;         // "Dictionnaire (*.dat)|*.dat|Tous les fichiers (*.*)|*.*"
    int FilterIndex = 1;        // from 1; 0 also names the first filter
    std::string InitialDir;     // empty: the system's choice
    std::string FileName;       // the name proposed
    std::string DefaultExt;     // added to a chosen name without extension (".dat" or "dat")
    bool OverwritePrompt = true; // save: ask before an existing file is replaced
};

class TDialogs {
public:
    virtual ~TDialogs() = default;
    // Flags: buttons | icon. Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const std::string& text, const std::string& caption, int flags, QWidget* owner) = 0;
    // The box an unexpected error shows: the message, the application's title, an error icon, OK.
    virtual void ErrorBox(const std::string& message, QWidget* owner) = 0;
    // The chosen file's full path; nothing when the dialog was cancelled.
    virtual std::optional<std::string> GetOpenFileName(const TFileDialogRequest& request, QWidget* owner) = 0;
    virtual std::optional<std::string> GetSaveFileName(const TFileDialogRequest& request, QWidget* owner) = 0;
    // The chosen colour; nothing when the dialog was cancelled.
    virtual std::optional<TColor> ChooseColor(TColor initial, QWidget* owner) = 0;
};

// The dialogs of the process: Qt's unless some were set. SetDialogs returns the previous ones;
// setting nullptr brings back Qt's.
std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> dialogs);

int MessageBox(const std::string& text, const std::string& caption, int flags, QWidget* owner = nullptr);
void ErrorBox(const std::string& message, QWidget* owner = nullptr);
std::optional<std::string> GetOpenFileName(const TFileDialogRequest& request, QWidget* owner = nullptr);
std::optional<std::string> GetSaveFileName(const TFileDialogRequest& request, QWidget* owner = nullptr);
std::optional<TColor> ChooseColor(TColor initial, QWidget* owner = nullptr);

// A Windows filter as Qt's name filters, one per description and pattern pair: the
// description, then the patterns in brackets as Qt reads them ("*.*" is every file, as on
// Windows, so it becomes "*"). The Qt dialogs hide the bracketed part, so the user sees the
// descriptions as written. A last description without its patterns is dropped.
QStringList QtNameFilters(const std::string& windowsFilter);

class TQtDialogs : public TDialogs {
public:
    int MessageBox(const std::string& text, const std::string& caption, int flags, QWidget* owner) override;
    void ErrorBox(const std::string& message, QWidget* owner) override;
    // The chosen name is carried as a path (PathFromUnicode), whatever letters it holds.
    std::optional<std::string> GetOpenFileName(const TFileDialogRequest& request, QWidget* owner) override;
    std::optional<std::string> GetSaveFileName(const TFileDialogRequest& request, QWidget* owner) override;
    std::optional<TColor> ChooseColor(TColor initial, QWidget* owner) override;
};

} // namespace platform
