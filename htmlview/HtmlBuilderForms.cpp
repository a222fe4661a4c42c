// Forms and maps: FORM, the form controls with the options of a SELECT and the text of a
// TEXTAREA, and client-side image maps.
#include "htmlview/HtmlBuilderState.h"
#include "htmlview/HtmlFormControls.h"
#include "htmlview/HtmlImages.h"
#include "htmlview/HtmlMaps.h"
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"
#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

namespace htmlview {

using enum HtmlToken;

namespace {

constexpr size_t MaxTypeLength = 20;
constexpr size_t MaxOptionTextLength = 80;

} // namespace

void THtmlBuilder::ParseFormTag()
{
    CurrentForm = Token == FormTag ? &ThtmlForm::Create(Document, AttributeList) : nullptr;
}

ThtmlForm& THtmlBuilder::Form()
{
    // A control outside any FORM gets a form of its own, which the next ones outside join.
    if (!CurrentForm)
        CurrentForm = &ThtmlForm::Create(Document, TAttributeList());
    return *CurrentForm;
}

void THtmlBuilder::AddFormControl(int32_t level)
{
    EnsureSection(level);
    ThtmlForm& form = Form();
    const int32_t position = CurrentSection->Length;
    std::unique_ptr<TFormControlObj> control;
    const TAttribute* type = Attribute(TypeAttr);
    const std::string typeText = type ? type->ValueText : std::string();
    const std::string kind = platform::AnsiLowerCase(typeText.substr(0, MaxTypeLength));
    if (Token == SelectTag) {
        const TAttribute* size = Attribute(SizeAttr);
        if (Attribute(MultipleAttr) || (size && size->ValueNumber > 1))
            control = std::make_unique<TListBoxFormControlObj>(form, AttributeList, position);
        else
            control = std::make_unique<TComboFormControlObj>(form, AttributeList, position);
    } else if (Token == TextAreaTag) {
        control = std::make_unique<TTextAreaFormControlObj>(form, AttributeList, position);
    } else if (kind == "submit" || kind == "reset" || kind == "button") {
        control = std::make_unique<TButtonFormControlObj>(form, AttributeList, position, typeText);
    } else if (kind == "radio") {
        control = std::make_unique<TRadioButtonFormControlObj>(form, AttributeList, position);
    } else if (kind == "checkbox") {
        control = std::make_unique<TCheckBoxFormControlObj>(form, AttributeList, position);
    } else if (kind == "hidden") {
        form.AddControl(std::make_unique<THiddenFormControlObj>(form, AttributeList, position), CurrentCell);
        return;
    } else if (kind == "image") {
        TFormControlObj& button =
            form.AddControl(std::make_unique<TImageFormControlObj>(form, AttributeList, position), CurrentCell);
        // The picture's marker stands for both.
        AddImage().FormControl = &button;
        return;
    } else {
        control = std::make_unique<TEditFormControlObj>(form, AttributeList, position, typeText);
    }
    TFormControlObj& added = form.AddControl(std::move(control), CurrentCell);
    CurrentSection->AddControl(added);
    if (Token == SelectTag)
        ParseSelectOptions(static_cast<TListBoxFormControlObj&>(added));
    else if (Token == TextAreaTag)
        ParseTextAreaContent(static_cast<TTextAreaFormControlObj&>(added));
}

void THtmlBuilder::ParseSelectOptions(TListBoxFormControlObj& list)
{
    std::string text;
    std::string value;
    bool selected = false;
    bool inOption = false;
    const auto addOption = [&] {
        text = platform::TrimControlAndSpace(text);
        if (text.empty())
            return;
        if (inOption)
            list.AddOption(text, value, selected);
        text.clear();
        value.clear();
        selected = false;
    };
    NextToken();
    while (Token != EndOfInputToken && Token != SelectEnd) {
        if (Token == TextToken && inOption) {
            text += TokenText;
            text.resize(std::min(text.size(), MaxOptionTextLength));
        } else if (Token == OptionTag || Token == OptionEnd) {
            addOption();
            inOption = Token == OptionTag;
            if (Token == OptionTag) {
                selected = Attribute(SelectedTag) != nullptr;
                if (const TAttribute* optionValue = Attribute(ValueAttr))
                    value = optionValue->ValueText.substr(0, MaxOptionTextLength);
            }
        }
        NextToken();
    }
    addOption();
    list.RestoreInitialState();
}

void THtmlBuilder::ParseTextAreaContent(TTextAreaFormControlObj& area)
{
    std::string line;
    NextTextAreaToken();
    while (Token != TextAreaEnd && Token != EndOfInputToken) {
        if (Token == EndOfLineToken) {
            area.AddLine(line);
            line.clear();
        } else {
            line += TokenText;
        }
        NextTextAreaToken();
    }
    SkipToTagEnd();
    if (!line.empty())
        area.AddLine(line);
    area.RestoreInitialState();
}

void THtmlBuilder::ParseMap()
{
    auto map = std::make_unique<TMapItem>();
    if (const TAttribute* name = Attribute(NameAttr))
        map->Name = platform::AnsiUpperCase(name->ValueText);
    NextToken();
    while (Token != EndOfInputToken && Token != MapEnd) {
        if (Token == AreaTag)
            map->AddArea(AttributeList);
        NextToken();
    }
    // A map left open at the end of the page is dropped.
    if (Token == MapEnd)
        Document.ImageMaps.push_back(std::move(map));
}

} // namespace htmlview
