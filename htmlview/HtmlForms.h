#pragma once
// Forms of a page: a ThtmlForm per FORM and a form control object per INPUT, SELECT or TEXTAREA.
// The document owns its forms, a form owns its controls, a control owns its window control
// (made by the document's widget factory on the viewer's paint panel). A form hands its data to
// the document's FormSubmit as lines "name=value", one per value, in the order of its controls.
#include "htmlview/HtmlFormWidgets.h"
#include "htmlview/SectionObjects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace htmlview {

class TAttributeList;
class TRadioButtonFormControlObj;

class ThtmlForm {
public:
    static constexpr size_t MaxMethodLength = 4;

    // A new form joins the document's forms, which own it.
    static ThtmlForm& Create(TSectionList& document, const TAttributeList& attributes);

    TSectionList& Document;
    std::string Method = "Get";
    std::string Action;
    std::string Target;
    std::string EncType;
    int32_t VisibleControlCount = 0; // controls other than hidden inputs

    const std::vector<std::unique_ptr<TFormControlObj>>& Controls() const { return Controls_; }
    // Takes the control built in the text of Column; it also joins the document's list of form
    // controls.
    TFormControlObj& AddControl(std::unique_ptr<TFormControlObj> control, const TCell* column);
    // Frees the controls for which Drop is true; they leave the document's list first.
    void DropControls(const std::function<bool(const TFormControlObj&)>& drop);
    void UncheckOtherRadios(const TRadioButtonFormControlObj& radio);
    void ResetControls();
    static constexpr int EnterKey = 13;
    // Enter in an edit box submits the form when that box is its only visible control.
    void ControlKeyDown(const TFormControlObj& sender, int key);
    void SubmitForm(const std::optional<std::string>& extraLine);
    void SetSizes(platform::TCanvas& canvas);

private:
    ThtmlForm(TSectionList& document, const TAttributeList& attributes);

    std::vector<std::unique_ptr<TFormControlObj>> Controls_;
};

class TFormControlObj : public TInlineControl {
public:
    TFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition);
    ~TFormControlObj() override;

    TSectionList& Document;
    ThtmlForm& Form;
    std::string Value; // VALUE
    std::string Name;  // NAME
    const TCell* Column = nullptr; // the column whose text holds it

    int32_t TextPosition() const { return Position; }
    // The window control that takes the focus; none for hidden and image inputs, and when the
    // document has no widget factory (no panel to show controls on: such controls give no data).
    virtual TFormWidget* GetControl() const { return nullptr; }
    virtual void RestoreInitialState() {}
    // Line Index of the control's data: false past the last; an empty Text adds nothing.
    virtual bool SubmissionLine(int index, std::string& text);
    virtual void FitToFont(platform::TCanvas& canvas);
    virtual bool Hidden() const { return false; }

    int32_t ControlWidth() const override;
    int32_t ControlHeight() const override;
    bool RaiseByDescent() const override { return false; }
    bool HasWindowControl() const override { return GetControl() != nullptr; }
    void ShowAt(int32_t left, int32_t top) override;
    TFormControlObj* FormControl() override { return this; }

    void ControlEnter();
    void ControlExit();

protected:
    TFormWidgetFactory* Factory() const;
    // Edits, lists and memos use the document's preformatted font at 10 points.
    platform::TFontData PreFont() const;
    // Binds the focus events of the widget this control owns.
    void BindFocusEvents(TFormWidget& widget);
    // The document's ObjectClick with this control and its ONCLICK text.
    void NotifyObjectClick(const std::string& onClick);
};

// An INPUT TYPE=image: its picture stands in the text; a click on it submits the point.
class TImageFormControlObj : public TFormControlObj {
public:
    TImageFormControlObj(ThtmlForm& form, const TAttributeList& attributes, int32_t textPosition);

    int32_t ClickedX = -1; // -1: not clicked since the last submission
    int32_t ClickedY = 0;

    // The point within the picture that the last hit test found.
    void RecordHit(int32_t x, int32_t y);
    // A click on the picture at the last recorded point submits the form.
    void ImageClick();
    bool SubmissionLine(int index, std::string& text) override;

private:
    int32_t HitX_ = 0;
    int32_t HitY_ = 0;
};

class THiddenFormControlObj : public TFormControlObj {
public:
    using TFormControlObj::TFormControlObj;
    bool SubmissionLine(int index, std::string& text) override;
    bool Hidden() const override { return true; }
};

// Document passes over every form control: fitting them to their fonts before a layout, and
// dropping or keeping off screen the ones the last paint did not place (off screen at X -4000
// while one of them has the focus, so the focus can move through them; hidden otherwise).
void SetFormSizes(TSectionList& document, platform::TCanvas& canvas);
void ClearPlacedControls(TSectionList& document);
void HideUnplacedControls(TSectionList& document);

} // namespace htmlview
