#pragma once
// Dialogs for tests: each kind answers from its own script, in order, and records what it was
// asked. A script that has run out answers as the user who closes the dialog would.
#include "platform/Dialogs.h"
#include "tests/support/FakeService.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class TFakeDialogs : public TDialogs {
public:
    struct TMessageBoxCall {
        std::string Text;
        std::string Caption;
        int Flags = 0;
        QWidget* Owner = nullptr;
    };
    struct TFileDialogCall {
        bool Save = false;
        TFileDialogRequest Request;
    };

    int MessageBox(const std::string& text, const std::string& caption, int flags, QWidget* owner) override
    {
        MessageBoxes.push_back({text, caption, flags, owner});
        return Next(MessageBoxAnswers, CloseAnswer(flags));
    }
    void ErrorBox(const std::string& message, QWidget*) override { ErrorBoxes.push_back(message); }
    std::optional<std::string> GetOpenFileName(const TFileDialogRequest& request, QWidget*) override
    {
        FileDialogs.push_back({false, request});
        return Next(FileAnswers, std::optional<std::string>());
    }
    std::optional<std::string> GetSaveFileName(const TFileDialogRequest& request, QWidget*) override
    {
        FileDialogs.push_back({true, request});
        return Next(FileAnswers, std::optional<std::string>());
    }
    std::optional<TColor> ChooseColor(TColor initial, QWidget*) override
    {
        ColorDialogs.push_back(initial);
        return Next(ColorAnswers, std::optional<TColor>());
    }

    // Scripts.
    std::deque<int> MessageBoxAnswers;                    // IDYES, IDNO ...
    std::deque<std::optional<std::string>> FileAnswers;   // a path, or nothing for Cancel
    std::deque<std::optional<TColor>> ColorAnswers;       // a colour, or nothing for Cancel

    // What was asked, in order.
    std::vector<TMessageBoxCall> MessageBoxes;
    std::vector<std::string> ErrorBoxes;
    std::vector<TFileDialogCall> FileDialogs;
    std::vector<TColor> ColorDialogs; // the colour each one opened with

private:
    template <class T>
    static T Next(std::deque<T>& script, T closed)
    {
        if (script.empty())
            return closed;
        T answer = std::move(script.front());
        script.pop_front();
        return answer;
    }
};

using TScopedFakeDialogs = TScopedFake<TFakeDialogs, TDialogs, &SetDialogs>;

} // namespace platform
