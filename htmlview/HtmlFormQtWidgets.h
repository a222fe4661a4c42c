#pragma once
// The viewer's form widgets: Qt edit boxes, buttons, check boxes, radio buttons, lists,
// drop-down lists and plain-text memos made on the paint panel, out of sight until placed.
#include "htmlview/HtmlFormWidgets.h"

class QWidget;

namespace htmlview {

class TQtFormWidgetFactory : public TFormWidgetFactory {
public:
    // Top of a new widget: out of sight until the layout places it.
    static constexpr int32_t HiddenTop = -400;

    // Panel must outlive the widgets' owners or delete them first; a widget whose panel went
    // first is simply gone.
    explicit TQtFormWidgetFactory(QWidget& panel) : Panel_(panel) {}

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
};

} // namespace htmlview
