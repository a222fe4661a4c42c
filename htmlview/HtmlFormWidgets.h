#pragma once
// The window controls of form controls, as the document model sees them: an edit box, a button,
// a check box or radio button, a list or drop-down list, a memo. The viewer supplies a factory
// that makes them on its paint panel; the model never includes a widget toolkit.
#include "platform/Canvas.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace htmlview {

class TFormWidget {
public:
    TFormWidget() = default;
    TFormWidget(const TFormWidget&) = delete;
    TFormWidget& operator=(const TFormWidget&) = delete;
    virtual ~TFormWidget() = default;

    // Set by the form control that owns the widget.
    std::function<void()> OnEnter; // took the focus
    std::function<void()> OnExit;  // lost it
    std::function<void()> OnClick; // a button, check box or radio button was clicked

    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual int32_t Left() const = 0;
    virtual int32_t Top() const = 0;
    virtual void SetSize(int32_t width, int32_t height) = 0;
    // The inner size; the widget adds its own frame.
    virtual void SetClientSize(int32_t width, int32_t height) = 0;
    virtual void MoveTo(int32_t left, int32_t top) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    virtual bool Focused() const = 0;
};

class TEditWidget : public TFormWidget {
public:
    std::function<void()> OnEnterKey;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetMaxLength(int32_t length) = 0;
    virtual void SetPassword(bool password) = 0;
};

class TButtonWidget : public TFormWidget {
public:
    virtual void SetCaption(const std::string& caption) = 0;
};

// A check box, or a radio button (which only the form unchecks).
class TCheckWidget : public TFormWidget {
public:
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

// A list box or a drop-down list.
class TListWidget : public TFormWidget {
public:
    virtual void SetMultiSelect(bool multiSelect) = 0;
    // Replaces every item at once.
    virtual void SetItems(const std::vector<std::string>& texts) = 0;
    virtual int Count() const = 0;
    virtual bool Selected(int index) const = 0;
    virtual void SetSelected(int index, bool selected) = 0;
    virtual int ItemIndex() const = 0; // -1 when none
    virtual void SetItemIndex(int index) = 0;
    virtual void ScrollToTop() = 0; // the first item at the top
};

class TMemoWidget : public TFormWidget {
public:
    virtual std::vector<std::string> Lines() const = 0;
    virtual void SetLines(const std::vector<std::string>& lines) = 0;
    // With Wrap: word wrap and a vertical scroll bar; without: both scroll bars.
    virtual void SetWrap(bool wrap) = 0;
    virtual void MoveCaretToStart() = 0;
};

// Makes widgets out of sight on the viewer's paint panel. Edits, lists and memos take Font;
// buttons, check boxes and radio buttons keep the panel's font.
class TFormWidgetFactory {
public:
    virtual ~TFormWidgetFactory() = default;
    virtual platform::TFontData PanelFont() const = 0;
    virtual std::unique_ptr<TEditWidget> CreateEdit(const platform::TFontData& font) = 0;
    virtual std::unique_ptr<TButtonWidget> CreateButton() = 0;
    virtual std::unique_ptr<TCheckWidget> CreateCheckBox() = 0;
    virtual std::unique_ptr<TCheckWidget> CreateRadioButton() = 0;
    virtual std::unique_ptr<TListWidget> CreateListBox(const platform::TFontData& font) = 0;
    virtual std::unique_ptr<TListWidget> CreateComboBox(const platform::TFontData& font) = 0;
    virtual std::unique_ptr<TMemoWidget> CreateMemo(const platform::TFontData& font) = 0;
};

} // namespace htmlview
