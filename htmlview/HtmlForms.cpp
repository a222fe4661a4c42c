#include "htmlview/HtmlForms.h"

#include "htmlview/HtmlFormControls.h"
#include "htmlview/HtmlScanner.h"
#include "htmlview/SectionList.h"
#include "platform/Windows1252.h"

namespace htmlview {

namespace {

constexpr int32_t OffScreenLeft = -4000;

std::string TextOf(const TAttributeList& attributes, HtmlToken kind)
{
    const TAttribute* a = attributes.FindAttribute(kind);
    return a ? a->ValueText : std::string();
}

} // namespace

ThtmlForm::ThtmlForm(TSectionList& document, const TAttributeList& attributes)
    : Document(document),
      Action(TextOf(attributes, HtmlToken::ActionAttr)),
      Target(TextOf(attributes, HtmlToken::TargetAttr)),
      EncType(TextOf(attributes, HtmlToken::EncTypeAttr))
{
    if (const TAttribute* method = attributes.FindAttribute(HtmlToken::MethodAttr))
        Method = method->ValueText.substr(0, MaxMethodLength);
}

ThtmlForm& ThtmlForm::Create(TSectionList& document, const TAttributeList& attributes)
{
    document.Forms.push_back(std::unique_ptr<ThtmlForm>(new ThtmlForm(document, attributes)));
    return *document.Forms.back();
}

TFormControlObj& ThtmlForm::AddControl(std::unique_ptr<TFormControlObj> control, const TCell* column)
{
    control->Column = column;
    if (!control->Hidden())
        ++VisibleControlCount;
    Document.FormControls.push_back(control.get());
    Controls_.push_back(std::move(control));
    return *Controls_.back();
}

void ThtmlForm::DropControls(const std::function<bool(const TFormControlObj&)>& drop)
{
    std::erase_if(Document.FormControls, [&drop](const TFormControlObj* control) { return drop(*control); });
    std::erase_if(Controls_, [this, &drop](const std::unique_ptr<TFormControlObj>& control) {
        if (!drop(*control))
            return false;
        if (!control->Hidden())
            --VisibleControlCount;
        return true;
    });
}

void ThtmlForm::UncheckOtherRadios(const TRadioButtonFormControlObj& radio)
{
    if (radio.Name.empty())
        return;
    for (const auto& control : Controls_) {
        auto* other = dynamic_cast<TRadioButtonFormControlObj*>(control.get());
        if (other && other != &radio && platform::AnsiSameText(other->Name, radio.Name))
            other->SetChecked(false);
    }
}

void ThtmlForm::ResetControls()
{
    for (const auto& control : Controls_)
        control->RestoreInitialState();
}

void ThtmlForm::ControlKeyDown(const TFormControlObj& sender, int key)
{
    if (key == EnterKey && VisibleControlCount == 1 && dynamic_cast<const TEditFormControlObj*>(&sender))
        SubmitForm(std::nullopt);
}

void ThtmlForm::SubmitForm(const std::optional<std::string>& extraLine)
{
    if (!Document.FormSubmit)
        return;
    std::vector<std::string> results;
    for (const auto& control : Controls_) {
        std::string text;
        for (int index = 0; control->SubmissionLine(index, text); ++index) {
            if (!text.empty())
                results.push_back(text);
            text.clear();
        }
    }
    if (extraLine)
        results.push_back(*extraLine);
    Document.FormSubmit(Action, Target, EncType, Method, std::move(results));
}

void ThtmlForm::SetSizes(platform::TCanvas& canvas)
{
    for (const auto& control : Controls_)
        control->FitToFont(canvas);
}

TFormControlObj::TFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition)
    : Document(form.Document), Form(form), Value(TextOf(attributes, HtmlToken::ValueAttr)),
      Name(TextOf(attributes, HtmlToken::NameAttr))
{
    Position = textPosition;
}

TFormControlObj::~TFormControlObj() = default;

bool TFormControlObj::SubmissionLine(int, std::string&)
{
    return false;
}

void TFormControlObj::FitToFont(platform::TCanvas&) {}

int32_t TFormControlObj::ControlWidth() const
{
    const TFormWidget* widget = GetControl();
    return widget ? widget->Width() : 0;
}

int32_t TFormControlObj::ControlHeight() const
{
    const TFormWidget* widget = GetControl();
    return widget ? widget->Height() : 0;
}

void TFormControlObj::ShowAt(int32_t left, int32_t top)
{
    if (TFormWidget* widget = GetControl()) {
        widget->MoveTo(left, top);
        widget->SetVisible(true);
    }
}

void TFormControlObj::ControlEnter()
{
    if (Document.ControlNotify)
        Document.ControlNotify(*this);
    for (TFormControlObj* control : Document.FormControls) {
        TFormWidget* widget = control->GetControl();
        if (widget && !control->Placed) {
            widget->SetVisible(true);
            widget->MoveTo(OffScreenLeft, widget->Top());
        }
    }
}

void TFormControlObj::ControlExit()
{
    HideUnplacedControls(Document);
}

TFormWidgetFactory* TFormControlObj::Factory() const
{
    return Document.WidgetFactory.get();
}

platform::TFontData TFormControlObj::PreFont() const
{
    platform::TFontData font;
    font.Name = Document.PreFontName;
    font.Size = 10;
    return font;
}

void TFormControlObj::BindFocusEvents(TFormWidget& widget)
{
    widget.OnEnter = [this] { ControlEnter(); };
    widget.OnExit = [this] { ControlExit(); };
}

void TFormControlObj::NotifyObjectClick(const std::string& onClick)
{
    if (Document.ObjectClick)
        Document.ObjectClick(*this, onClick);
}

TImageFormControlObj::TImageFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition)
    : TFormControlObj(form, attributes, textPosition)
{
}

void TImageFormControlObj::RecordHit(int32_t x, int32_t y)
{
    HitX_ = x;
    HitY_ = y;
}

void TImageFormControlObj::ImageClick()
{
    ClickedX = HitX_;
    ClickedY = HitY_;
    Form.SubmitForm(std::nullopt);
}

bool TImageFormControlObj::SubmissionLine(int index, std::string& text)
{
    if (index > 1 || ClickedX < 0)
        return false;
    text = Name.empty() ? std::string() : Name + ".";
    if (index == 0) {
        text += "x=" + std::to_string(ClickedX);
    } else {
        text += "y=" + std::to_string(ClickedY);
        ClickedX = -1; // a later submission without a new click gives no point
    }
    return true;
}

bool THiddenFormControlObj::SubmissionLine(int index, std::string& text)
{
    if (index != 0)
        return false;
    text = Name + "=" + Value;
    return true;
}

void SetFormSizes(TSectionList& document, platform::TCanvas& canvas)
{
    for (const auto& form : document.Forms)
        form->SetSizes(canvas);
}

void ClearPlacedControls(TSectionList& document)
{
    for (TFormControlObj* control : document.FormControls)
        control->Placed = false;
}

void HideUnplacedControls(TSectionList& document)
{
    bool focusInside = false;
    for (const TFormControlObj* control : document.FormControls)
        if (const TFormWidget* widget = control->GetControl())
            focusInside = focusInside || widget->Focused();
    for (TFormControlObj* control : document.FormControls) {
        TFormWidget* widget = control->GetControl();
        if (!widget || control->Placed)
            continue;
        if (focusInside) {
            widget->SetVisible(true);
            widget->MoveTo(OffScreenLeft, widget->Top());
        } else
            widget->SetVisible(false);
    }
}

} // namespace htmlview
