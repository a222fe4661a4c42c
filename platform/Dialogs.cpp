#include "platform/Dialogs.h"

#include "platform/FileSystem.h"
#include "platform/QtCanvas.h"
#include "platform/ServiceSlot.h"
#include "platform/Shell.h"
#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

namespace platform {
namespace {

using TDialogsSlot = TServiceSlot<TDialogs, TQtDialogs>;

TDialogs& Dialogs()
{
    return TDialogsSlot::Get();
}

struct TButtonAnswer {
    QMessageBox::StandardButton Button;
    int Answer;
};

// The buttons of a box, left to right as Windows shows them; the first is the default one.
std::vector<TButtonAnswer> ButtonsOf(int flags)
{
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconOf(int flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(text);
    while (std::getline(stream, part, separator))
        parts.push_back(part);
    return parts;
}

QString QtPatterns(const std::string& windowsPatterns)
{
    QStringList patterns;
    for (const std::string& part : Split(windowsPatterns, ';')) {
        const std::string pattern = TrimSpaces(part);
        if (!pattern.empty())
            patterns << (pattern == "*.*" ? QStringLiteral("*") : AnsiToUnicode(pattern));
    }
    return patterns.join(QLatin1Char(' '));
}

// The Qt dialog shared by open and save, set up from the request.
void Prepare(QFileDialog& dialog, const TFileDialogRequest& request)
{
    dialog.setWindowTitle(AnsiToUnicode(request.Title));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = QtNameFilters(request.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters[std::clamp(request.FilterIndex, 1, static_cast<int>(filters.size())) - 1]);
    }
    if (!request.InitialDir.empty())
        dialog.setDirectory(QtFileName(request.InitialDir));
    if (!request.FileName.empty())
        dialog.selectFile(QtNativePath(request.FileName));
    std::string extension = request.DefaultExt;
    if (!extension.empty() && extension.front() == '.')
        extension.erase(0, 1);
    dialog.setDefaultSuffix(AnsiToUnicode(extension));
}

std::optional<std::string> RunFileDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return PathFromUnicode(dialog.selectedFiles().constFirst());
}

} // namespace

int CloseAnswer(int flags)
{
    switch (flags & 0x0F) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> dialogs)
{
    return TDialogsSlot::Install(std::move(dialogs));
}

int MessageBox(const std::string& text, const std::string& caption, int flags, QWidget* owner)
{
    return Dialogs().MessageBox(text, caption, flags, owner);
}

void ErrorBox(const std::string& message, QWidget* owner)
{
    Dialogs().ErrorBox(message, owner);
}

std::optional<std::string> GetOpenFileName(const TFileDialogRequest& request, QWidget* owner)
{
    return Dialogs().GetOpenFileName(request, owner);
}

std::optional<std::string> GetSaveFileName(const TFileDialogRequest& request, QWidget* owner)
{
    return Dialogs().GetSaveFileName(request, owner);
}

std::optional<TColor> ChooseColor(TColor initial, QWidget* owner)
{
    return Dialogs().ChooseColor(initial, owner);
}

QStringList QtNameFilters(const std::string& windowsFilter)
{
    const std::vector<std::string> parts = Split(windowsFilter, '|');
    QStringList filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        filters << AnsiToUnicode(parts[i]) + QStringLiteral(" (") + QtPatterns(parts[i + 1]) + QLatin1Char(')');
    return filters;
}

int TQtDialogs::MessageBox(const std::string& text, const std::string& caption, int flags, QWidget* owner)
{
    // A message may name a path in letters beyond the code page: it is shown in them.
    QMessageBox box(IconOf(flags), AnsiToUnicode(caption), PathToUnicode(text), QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText); // a word or a path holding "<" is shown, never read as markup
    const std::vector<TButtonAnswer> buttons = ButtonsOf(flags);
    for (const TButtonAnswer& button : buttons)
        box.addButton(button.Button);
    box.setDefaultButton(buttons.front().Button);
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    const auto answer = std::find_if(buttons.begin(), buttons.end(),
                                     [clicked](const TButtonAnswer& b) { return b.Button == clicked; });
    return answer == buttons.end() ? CloseAnswer(flags) : answer->Answer;
}

void TQtDialogs::ErrorBox(const std::string& message, QWidget* owner)
{
    MessageBox(message, UnicodeToAnsiOrEmpty(QGuiApplication::applicationDisplayName()), MB_OK | MB_ICONERROR, owner);
}

std::optional<std::string> TQtDialogs::GetOpenFileName(const TFileDialogRequest& request, QWidget* owner)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Any name may be typed, as in the Windows dialog: the programs report a missing file.
    dialog.setFileMode(QFileDialog::AnyFile);
    Prepare(dialog, request);
    return RunFileDialog(dialog);
}

std::optional<std::string> TQtDialogs::GetSaveFileName(const TFileDialogRequest& request, QWidget* owner)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
    Prepare(dialog, request);
    return RunFileDialog(dialog);
}

std::optional<TColor> TQtDialogs::ChooseColor(TColor initial, QWidget* owner)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), owner);
    if (!chosen.isValid())
        return std::nullopt;
    return RGB(chosen.red(), chosen.green(), chosen.blue());
}

} // namespace platform
