#pragma once
// The form controls that own a window control: edit box, button, check box, radio button,
// list box, drop-down list and text area. Each fills its widget from what the page gave,
// restores it on reset, fits it to its font and gives its lines of form data.
#include "htmlview/HtmlForms.h"

namespace htmlview {

// Window controls never grow past this many pixels, whatever SIZE, ROWS or COLS ask for.
constexpr int32_t MaxControlSize = 32000;

// TYPE text or password (and any unknown type).
class TEditFormControlObj : public TFormControlObj {
public:
    static constexpr int32_t DefaultWidthInChars = 20;

    TEditFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition,
                        const std::string& typeText);

    int32_t WidthInChars = DefaultWidthInChars;

    TFormWidget* GetControl() const override { return Edit_.get(); }
    void RestoreInitialState() override;
    bool SubmissionLine(int index, std::string& text) override;
    void FitToFont(platform::TCanvas& canvas) override;

private:
    std::unique_ptr<TEditWidget> Edit_;
};

// TYPE submit, reset or button.
class TButtonFormControlObj : public TFormControlObj {
public:
    enum class TKind : uint8_t { Submit, Reset, Button };

    TButtonFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition,
                          const std::string& typeText);

    TKind Kind = TKind::Button;
    std::string OnClick;

    TFormWidget* GetControl() const override { return Button_.get(); }
    void FitToFont(platform::TCanvas& canvas) override;
    void ButtonClick();

private:
    std::unique_ptr<TButtonWidget> Button_;
};

// Check boxes and radio buttons: a flag and its initial state.
class TCheckFormControlObj : public TFormControlObj {
public:
    TCheckFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition);

    bool InitiallyChecked = false;
    std::string OnClick;

    bool Checked() const;
    void SetChecked(bool checked);
    TFormWidget* GetControl() const override { return Check_.get(); }
    void RestoreInitialState() override;
    bool SubmissionLine(int index, std::string& text) override;
    bool RaiseByDescent() const override { return true; }

protected:
    void TakeWidget(std::unique_ptr<TCheckWidget> widget, int32_t width, int32_t height);

private:
    std::unique_ptr<TCheckWidget> Check_;
};

class TCheckBoxFormControlObj : public TCheckFormControlObj {
public:
    TCheckBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition);
};

class TRadioButtonFormControlObj : public TCheckFormControlObj {
public:
    TRadioButtonFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition);
    // Checks this one and unchecks the others of its group, as a click does.
    void RadioClick();
};

struct TOptionObj {
    static constexpr size_t MaxValueLength = 80;
    std::string Text;
    std::string OptionValue; // may be empty: the text is submitted then
    bool InitiallySelected = false;
};

// SELECT with MULTIPLE or SIZE above 1.
class TListBoxFormControlObj : public TFormControlObj {
public:
    static constexpr int32_t MaxAutomaticRows = 8;

    TListBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition);

    int32_t Rows = -1; // -1: as many as the options, up to MaxAutomaticRows
    int32_t LongestLength = 3;
    bool MultiSelect = false;
    const std::vector<TOptionObj>& Options() const { return Options_; }

    void AddOption(const std::string& text, const std::string& value, bool selected);
    TFormWidget* GetControl() const override { return List_.get(); }
    void RestoreInitialState() override;
    bool SubmissionLine(int index, std::string& text) override;
    void FitToFont(platform::TCanvas& canvas) override;

protected:
    struct TComboTag {};
    TListBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition, TComboTag);
    TListWidget* List() const { return List_.get(); }
    // The item the options mark as selected last, else item 0.
    int InitialItemIndex() const;
    std::vector<std::string> OptionTexts() const;

private:
    std::unique_ptr<TListWidget> List_;
    std::vector<TOptionObj> Options_;
};

// Any other SELECT: a drop-down list.
class TComboFormControlObj : public TListBoxFormControlObj {
public:
    TComboFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition);
    void RestoreInitialState() override;
    void FitToFont(platform::TCanvas& canvas) override;
};

class TTextAreaFormControlObj : public TFormControlObj {
public:
    TTextAreaFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition);

    int32_t Rows = 5;
    int32_t Cols = 30;
    std::vector<std::string> InitialLines;

    void AddLine(const std::string& text) { InitialLines.push_back(text); }
    TFormWidget* GetControl() const override { return Memo_.get(); }
    void RestoreInitialState() override;
    bool SubmissionLine(int index, std::string& text) override;
    void FitToFont(platform::TCanvas& canvas) override;

private:
    std::unique_ptr<TMemoWidget> Memo_;
    std::vector<std::string> SubmittedLines_; // the memo's lines, read once per submission
};

} // namespace htmlview
