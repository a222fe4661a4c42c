#pragma once
// The viewer's form widgets: Qt edit boxes, buttons, check boxes, radio buttons, lists,
// drop-down lists and plain-text memos made on the paint panel, out of sight until placed. Qt
// shows a placed one only where it meets the panel (see FormWidgetClip.h); a list's view and a
// memo's editor are made when first shown or focused.
#include "htmlview/HtmlFormWidgets.h"

#include <QMargins>

#include <optional>

class QWidget;

namespace htmlview {

// The frame a text area's editor puts around its text, and its scroll bars' breadth.
struct TMemoFrame {
    int FrameWidth = 0;
    int ScrollBarExtent = 0;
};

class TQtFormWidgetFactory : public TFormWidgetFactory {
public:
    // Top of a new widget: out of sight until the layout places it.
    static constexpr int32_t HiddenTop = -400;

    // Panel must outlive the widgets' owners or delete them first; a widget whose panel went
    // first is simply gone.
    explicit TQtFormWidgetFactory(QWidget& panel);

    platform::TFontData PanelFont() const override;
    std::unique_ptr<TEditWidget> CreateEdit(const platform::TFontData& font) override;
    std::unique_ptr<TButtonWidget> CreateButton() override;
    std::unique_ptr<TCheckWidget> CreateCheckBox() override;
    std::unique_ptr<TCheckWidget> CreateRadioButton() override;
    std::unique_ptr<TListWidget> CreateListBox(const platform::TFontData& font) override;
    std::unique_ptr<TListWidget> CreateComboBox(const platform::TFontData& font) override;
    std::unique_ptr<TMemoWidget> CreateMemo(const platform::TFontData& font) override;

private:
    QWidget& Panel_;
    // Read once from a widget of the kind: lists and memos are made only when first needed.
    std::optional<QMargins> ListFrame_;
    std::optional<TMemoFrame> MemoFrame_;
};

} // namespace htmlview
