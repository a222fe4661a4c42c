#include "htmlview/HtmlFormControls.h"

#include "htmlview/HtmlScanner.h"
#include "htmlview/SectionList.h"
#include "platform/Windows1252.h"

#include <algorithm>

namespace htmlview {

namespace {

// Sizes computed from page numbers stay within what a window control can be.
int32_t ControlSize(int64_t pixels)
{
    return static_cast<int32_t>(std::clamp<int64_t>(pixels, 0, MaxControlSize));
}

const TAttribute* Find(const TAttributeList& attributes, HtmlToken kind)
{
    return attributes.FindAttribute(kind);
}

std::string TextOf(const TAttributeList& attributes, HtmlToken kind)
{
    const TAttribute* a = Find(attributes, kind);
    return a ? a->ValueText : std::string();
}

// SIZE of an edit box: a positive number, else a positive number before the first comma or
// blank of its text ("20,1"); otherwise none (0).
int32_t EditWidthInChars(const TAttribute& size)
{
    if (size.ValueNumber > 0)
        return size.ValueNumber;
    const std::string& text = size.ValueText;
    const size_t end = text.find_first_of(", ");
    if (end == std::string::npos || end == 0 || end > 9)
        return 0;
    int32_t chars = 0;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        chars = chars * 10 + (text[i] - '0');
    }
    return chars;
}

std::string SubmittedPair(const std::string& name, const std::string& value)
{
    return name + "=" + value;
}

} // namespace

TEditFormControlObj::TEditFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition,
                                         const std::string& typeText)
    : TFormControlObj(form, attributes, textPosition)
{
    if (const TAttribute* size = Find(attributes, HtmlToken::SizeAttr))
        if (const int32_t chars = EditWidthInChars(*size); chars > 0)
            WidthInChars = chars;
    TFormWidgetFactory* factory = Factory();
    if (!factory)
        return;
    Edit_ = factory->CreateEdit(PreFont());
    Edit_->SetSize(120, 20);
    Edit_->SetText(Value);
    if (const TAttribute* maxLength = Find(attributes, HtmlToken::MaxLengthAttr))
        Edit_->SetMaxLength(maxLength->ValueNumber);
    Edit_->SetPassword(platform::AnsiLowerCase(typeText) == "password");
    BindFocusEvents(*Edit_);
    Edit_->OnEnterKey = [this] { Form.ControlKeyDown(*this, ThtmlForm::EnterKey); };
}

void TEditFormControlObj::RestoreInitialState()
{
    if (Edit_)
        Edit_->SetText(Value);
}

bool TEditFormControlObj::SubmissionLine(int index, std::string& text)
{
    if (index != 0 || !Edit_)
        return false;
    text = SubmittedPair(Name, Edit_->Text());
    return true;
}

void TEditFormControlObj::FitToFont(platform::TCanvas& canvas)
{
    if (!Edit_)
        return;
    canvas.SetFont(PreFont());
    Edit_->SetSize(ControlSize(int64_t{canvas.TextWidth("A")} * WidthInChars + 5), Edit_->Height());
}

TButtonFormControlObj::TButtonFormControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                             int32_t textPosition, const std::string& typeText)
    : TFormControlObj(form, attributes, textPosition), OnClick(TextOf(attributes, HtmlToken::OnClickAttr))
{
    const std::string type = platform::AnsiLowerCase(typeText);
    const char* caption = "Button";
    if (type == "submit") {
        Kind = TKind::Submit;
        caption = "Submit";
    } else if (type == "reset") {
        Kind = TKind::Reset;
        caption = "Reset";
    }
    if (Value.empty())
        Value = caption;
    TFormWidgetFactory* factory = Factory();
    if (!factory)
        return;
    Button_ = factory->CreateButton();
    Button_->SetCaption(Value);
    BindFocusEvents(*Button_);
    Button_->OnClick = [this] { ButtonClick(); };
}

void TButtonFormControlObj::FitToFont(platform::TCanvas& canvas)
{
    if (!Button_)
        return;
    canvas.SetFont(Factory()->PanelFont());
    Button_->SetSize(ControlSize(int64_t{canvas.TextWidth(Value)} + 20), ControlSize(int64_t{canvas.TextHeight("A")} + 8));
}

void TButtonFormControlObj::ButtonClick()
{
    NotifyObjectClick(OnClick);
    if (Kind == TKind::Reset)
        Form.ResetControls();
    else if (Kind == TKind::Submit)
        Form.SubmitForm(Name.empty() ? std::nullopt : std::optional<std::string>(SubmittedPair(Name, Value)));
}

TCheckFormControlObj::TCheckFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition)
    : TFormControlObj(form, attributes, textPosition),
      InitiallyChecked(Find(attributes, HtmlToken::CheckedAttr) != nullptr),
      OnClick(TextOf(attributes, HtmlToken::OnClickAttr))
{
}

void TCheckFormControlObj::TakeWidget(std::unique_ptr<TCheckWidget> widget, int32_t width, int32_t height)
{
    Check_ = std::move(widget);
    Check_->SetSize(width, height);
    Check_->SetChecked(InitiallyChecked);
    BindFocusEvents(*Check_);
}

bool TCheckFormControlObj::Checked() const
{
    return Check_ && Check_->Checked();
}

void TCheckFormControlObj::SetChecked(bool checked)
{
    if (Check_)
        Check_->SetChecked(checked);
}

void TCheckFormControlObj::RestoreInitialState()
{
    SetChecked(InitiallyChecked);
}

bool TCheckFormControlObj::SubmissionLine(int index, std::string& text)
{
    if (index != 0)
        return false;
    if (Checked())
        text = SubmittedPair(Name, Value);
    return true;
}

TCheckBoxFormControlObj::TCheckBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                                 int32_t textPosition)
    : TCheckFormControlObj(form, attributes, textPosition)
{
    if (Value.empty())
        Value = "On";
    if (TFormWidgetFactory* factory = Factory()) {
        TakeWidget(factory->CreateCheckBox(), 13, 13);
        GetControl()->OnClick = [this] { NotifyObjectClick(OnClick); };
    }
}

TRadioButtonFormControlObj::TRadioButtonFormControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                                       int32_t textPosition)
    : TCheckFormControlObj(form, attributes, textPosition)
{
    if (TFormWidgetFactory* factory = Factory()) {
        TakeWidget(factory->CreateRadioButton(), 13, 14);
        GetControl()->OnClick = [this] { RadioClick(); };
    }
}

void TRadioButtonFormControlObj::RadioClick()
{
    SetChecked(true);
    Form.UncheckOtherRadios(*this);
    NotifyObjectClick(OnClick);
}

TListBoxFormControlObj::TListBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                               int32_t textPosition)
    : TFormControlObj(form, attributes, textPosition)
{
    MultiSelect = Find(attributes, HtmlToken::MultipleAttr) != nullptr;
    // A list without room for one row could never be used: such a SIZE counts as absent.
    if (const TAttribute* size = Find(attributes, HtmlToken::SizeAttr); size && size->ValueNumber > 0)
        Rows = size->ValueNumber;
    if (TFormWidgetFactory* factory = Factory()) {
        List_ = factory->CreateListBox(PreFont());
        List_->SetMultiSelect(MultiSelect);
        BindFocusEvents(*List_);
    }
}

TListBoxFormControlObj::TListBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                               int32_t textPosition, TComboTag)
    : TFormControlObj(form, attributes, textPosition)
{
    if (TFormWidgetFactory* factory = Factory()) {
        List_ = factory->CreateComboBox(PreFont());
        BindFocusEvents(*List_);
    }
}

void TListBoxFormControlObj::AddOption(const std::string& text, const std::string& value, bool selected)
{
    Options_.push_back({text, value.substr(0, TOptionObj::MaxValueLength), selected});
    LongestLength = std::max(LongestLength, static_cast<int32_t>(std::min<size_t>(text.size(), MaxControlSize)));
}

int TListBoxFormControlObj::InitialItemIndex() const
{
    for (size_t i = Options_.size(); i-- > 0;)
        if (Options_[i].InitiallySelected)
            return static_cast<int>(i);
    return 0;
}

void TListBoxFormControlObj::RestoreInitialState()
{
    if (!List_)
        return;
    List_->SetItems(OptionTexts());
    if (MultiSelect) {
        for (size_t i = 0; i < Options_.size(); ++i)
            List_->SetSelected(static_cast<int>(i), Options_[i].InitiallySelected);
        if (List_->ItemIndex() < 0)
            List_->SetItemIndex(0);
    } else {
        List_->SetItemIndex(InitialItemIndex());
    }
    List_->ScrollToTop();
}

std::vector<std::string> TListBoxFormControlObj::OptionTexts() const
{
    std::vector<std::string> texts;
    texts.reserve(Options_.size());
    for (const TOptionObj& option : Options_)
        texts.push_back(option.Text);
    return texts;
}

bool TListBoxFormControlObj::SubmissionLine(int index, std::string& text)
{
    if (!List_ || index >= List_->Count())
        return false;
    const bool chosen = MultiSelect ? List_->Selected(index) : index == List_->ItemIndex();
    if (chosen) {
        const TOptionObj& option = Options_[static_cast<size_t>(index)];
        text = SubmittedPair(Name, option.OptionValue.empty() ? option.Text : option.OptionValue);
    }
    return true;
}

void TListBoxFormControlObj::FitToFont(platform::TCanvas& canvas)
{
    if (!List_)
        return;
    if (Rows == -1)
        Rows = std::clamp(static_cast<int32_t>(std::min<size_t>(Options_.size(), MaxAutomaticRows)), 1,
                          MaxAutomaticRows);
    canvas.SetFont(PreFont());
    const int64_t charWidth = canvas.TextWidth("A");
    List_->SetClientSize(ControlSize(charWidth * LongestLength + 15),
                         ControlSize(int64_t{canvas.TextHeight("A")} * Rows));
}

TComboFormControlObj::TComboFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition)
    : TListBoxFormControlObj(form, attributes, textPosition, TComboTag{})
{
}

void TComboFormControlObj::RestoreInitialState()
{
    TListWidget* list = List();
    if (!list)
        return;
    list->SetItems(OptionTexts());
    list->SetItemIndex(InitialItemIndex());
}

void TComboFormControlObj::FitToFont(platform::TCanvas& canvas)
{
    TListWidget* list = List();
    if (!list)
        return;
    canvas.SetFont(Factory()->PanelFont());
    list->SetClientSize(ControlSize(int64_t{canvas.TextWidth("A")} * LongestLength + 30), list->Height());
}

TTextAreaFormControlObj::TTextAreaFormControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                                 int32_t textPosition)
    : TFormControlObj(form, attributes, textPosition)
{
    // Likewise a text area keeps its default for a size of no room.
    if (const TAttribute* rows = Find(attributes, HtmlToken::RowsAttr); rows && rows->ValueNumber > 0)
        Rows = rows->ValueNumber;
    if (const TAttribute* cols = Find(attributes, HtmlToken::ColsAttr); cols && cols->ValueNumber > 0)
        Cols = cols->ValueNumber;
    const std::string wrap = platform::AnsiLowerCase(TextOf(attributes, HtmlToken::WrapTag));
    if (TFormWidgetFactory* factory = Factory()) {
        Memo_ = factory->CreateMemo(PreFont());
        Memo_->SetWrap(wrap == "soft" || wrap == "hard");
        BindFocusEvents(*Memo_);
    }
}

void TTextAreaFormControlObj::RestoreInitialState()
{
    if (!Memo_)
        return;
    Memo_->SetLines(InitialLines);
    Memo_->MoveCaretToStart();
}

bool TTextAreaFormControlObj::SubmissionLine(int index, std::string& text)
{
    if (!Memo_)
        return false;
    if (index == 0)
        SubmittedLines_ = Memo_->Lines();
    if (index >= static_cast<int>(SubmittedLines_.size())) {
        SubmittedLines_.clear();
        return false;
    }
    text = SubmittedPair(Name, SubmittedLines_[static_cast<size_t>(index)]);
    return true;
}

void TTextAreaFormControlObj::FitToFont(platform::TCanvas& canvas)
{
    if (!Memo_)
        return;
    canvas.SetFont(PreFont());
    Memo_->SetClientSize(ControlSize(int64_t{canvas.TextWidth("A")} * Cols + 5),
                         ControlSize(int64_t{canvas.TextHeight("A")} * Rows + 5));
}

} // namespace htmlview
