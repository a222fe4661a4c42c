#include "htmlview/HtmlFormQtWidgets.h"

#include "htmlview/FormWidgetClip.h"

#include "platform/AnsiTextValidator.h"
#include "platform/QtCanvas.h"
#include "platform/Windows1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStringListModel>
#include <QTextBlock>

#include <algorithm>
#include <optional>

namespace htmlview {

namespace {

// Tells the form control when the widget (or a child of it) gains or loses the focus; a widget
// that lost it may then be out of sight.
class TFocusWatch : public QObject {
public:
    TFocusWatch(TFormWidget& owner, TClippedWidget& shown) : Owner_(owner), Shown_(shown) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && Owner_.OnEnter) {
            Owner_.OnEnter();
        } else if (event->type() == QEvent::FocusOut) {
            if (Owner_.OnExit)
                Owner_.OnExit();
            Shown_.UpdateShown();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TFormWidget& Owner_;
    TClippedWidget& Shown_;
};

// The parts every widget shares. Q is the Qt widget placed on the panel. Shown as far as the
// page is concerned, it is shown in Qt only where the panel's clip lets it be seen.
template <class Face, class Q>
class TQtWidget : public Face, protected TClippedWidget {
public:
    explicit TQtWidget(QWidget& panel)
        : Outer_(new Q(&panel)), Key_(Outer_.data()), Clip_(&TFormWidgetClip::Of(panel)), Watch_(*this, *this)
    {
        Outer_->move(0, TQtFormWidgetFactory::HiddenTop);
        Outer_->hide();
        Clip_->Add(*Key_, *this);
    }
    ~TQtWidget() override
    {
        // Losing the focus while it goes is no news for the control that owns it.
        this->OnEnter = nullptr;
        this->OnExit = nullptr;
        this->OnClick = nullptr;
        if (Clip_)
            Clip_->Remove(*Key_);
        Going_ = true;
        delete Outer_.data();
    }

    int32_t Width() const override { return Outer_ ? Outer_->width() : 0; }
    int32_t Height() const override { return Outer_ ? Outer_->height() : 0; }
    int32_t Left() const override { return Outer_ ? Outer_->x() : 0; }
    int32_t Top() const override { return Outer_ ? Outer_->y() : 0; }
    void SetSize(int32_t width, int32_t height) override
    {
        if (!Outer_)
            return;
        Outer_->resize(width, height);
        UpdateShown();
    }
    void SetClientSize(int32_t width, int32_t height) override
    {
        if (!Outer_)
            return;
        const QMargins frame = Outer_->contentsMargins();
        SetSize(width + frame.left() + frame.right(), height + frame.top() + frame.bottom());
    }
    void MoveTo(int32_t left, int32_t top) override
    {
        if (!Outer_)
            return;
        Outer_->move(left, top);
        UpdateShown();
    }
    void SetVisible(bool visible) override
    {
        Wanted_ = visible;
        UpdateShown();
    }
    bool Visible() const override { return Outer_ && Wanted_ && Outer_->parentWidget()->isVisible(); }
    bool Focused() const override { return Outer_ && Outer_->hasFocus(); }

protected:
    bool WantedVisible() const override { return Wanted_; }
    bool HoldsPlace() const override { return false; }
    QWidget* Reveal() override
    {
        Realize();
        Outer_->show();
        return FocusTaker();
    }
    void UpdateShown() override
    {
        if (!Outer_ || Going_)
            return;
        const bool shown = Wanted_ && (!Clip_ || Clip_->Shows(*Outer_));
        if (shown)
            Realize();
        if (Outer_->isHidden() == shown)
            Outer_->setVisible(shown);
    }
    // Makes what a widget made on first need still lacks, before it is first shown.
    virtual void Realize() {}
    // The widget that takes the focus for this one.
    virtual QWidget* FocusTaker() const { return Outer_.data(); }

    void WatchFocus(QWidget& widget) { widget.installEventFilter(&Watch_); }
    Q* Inner() const { return Outer_ ? static_cast<Q*>(Outer_.data()) : nullptr; }
    QWidget* Outer() const { return Outer_.data(); }

private:
    QPointer<QWidget> Outer_;
    const QWidget* Key_; // Outer_ as the clip knows it, even once gone
    QPointer<TFormWidgetClip> Clip_;
    TFocusWatch Watch_;
    bool Wanted_ = false;
    bool Going_ = false;
};

class TQtEdit : public TQtWidget<TEditWidget, QLineEdit> {
public:
    TQtEdit(QWidget& panel, const platform::TFontData& font) : TQtWidget(panel)
    {
        QLineEdit* edit = Inner();
        edit->setFont(platform::ToQFont(font));
        edit->setValidator(new platform::TAnsiTextValidator(edit));
        WatchFocus(*edit);
        QObject::connect(edit, &QLineEdit::returnPressed, [this] {
            if (OnEnterKey)
                OnEnterKey();
        });
    }
    std::string Text() const override
    {
        return Inner() ? platform::UnicodeToAnsiOrEmpty(Inner()->text()) : std::string();
    }
    void SetText(const std::string& text) override
    {
        if (Inner())
            Inner()->setText(platform::AnsiToUnicode(text));
    }
    void SetMaxLength(int32_t length) override
    {
        // No positive limit means the widget's own (32767).
        if (Inner() && length > 0)
            Inner()->setMaxLength(length);
    }
    void SetPassword(bool password) override
    {
        if (Inner())
            Inner()->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    }
};

class TQtButton : public TQtWidget<TButtonWidget, QPushButton> {
public:
    explicit TQtButton(QWidget& panel) : TQtWidget(panel)
    {
        WatchFocus(*Inner());
        QObject::connect(Inner(), &QPushButton::clicked, [this] {
            if (OnClick)
                OnClick();
        });
    }
    void SetCaption(const std::string& caption) override
    {
        if (Inner())
            Inner()->setText(platform::AnsiToUnicode(caption));
    }
};

class TQtCheckBox : public TQtWidget<TCheckWidget, QCheckBox> {
public:
    explicit TQtCheckBox(QWidget& panel) : TQtWidget(panel)
    {
        WatchFocus(*Inner());
        QObject::connect(Inner(), &QCheckBox::clicked, [this] {
            if (OnClick)
                OnClick();
        });
    }
    bool Checked() const override { return Inner() && Inner()->isChecked(); }
    void SetChecked(bool checked) override
    {
        if (Inner())
            Inner()->setChecked(checked);
    }
};

// A radio button on a small panel of its own, so that Qt groups no two of them: the form
// decides which radio buttons belong together (by name).
class TQtRadioButton : public TQtWidget<TCheckWidget, QWidget> {
public:
    explicit TQtRadioButton(QWidget& panel) : TQtWidget(panel), Button_(new QRadioButton(Outer()))
    {
        Button_->setAutoExclusive(false);
        Button_->move(0, 0);
        WatchFocus(*Button_);
        QObject::connect(Button_, &QRadioButton::clicked, [this] {
            // A click checks a radio button; only another one of its group unchecks it.
            Button_->setChecked(true);
            if (OnClick)
                OnClick();
        });
    }
    void SetSize(int32_t width, int32_t height) override
    {
        TQtWidget::SetSize(width, height);
        if (Button_)
            Button_->resize(width, height);
    }
    bool Focused() const override { return Button_ && Button_->hasFocus(); }
    QWidget* FocusTaker() const override { return Button_.data(); }
    bool Checked() const override { return Button_ && Button_->isChecked(); }
    void SetChecked(bool checked) override
    {
        if (Button_)
            Button_->setChecked(checked);
    }

private:
    QPointer<QRadioButton> Button_;
};

QStringList ToUnicode(const std::vector<std::string>& texts)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        items.push_back(platform::AnsiToUnicode(text));
    return items;
}

// The parts a list box and a drop-down list share.
template <class Q>
class TQtItemList : public TQtWidget<TListWidget, Q> {
public:
    TQtItemList(QWidget& panel, const platform::TFontData& font) : TQtWidget<TListWidget, Q>(panel)
    {
        this->Inner()->setFont(platform::ToQFont(font));
        this->WatchFocus(*this->Inner());
    }
};

// A list view that keeps its top row when shown: on its first showing Qt would scroll it to
// its current item, and a list box shows its first option at the top whatever is selected.
class TTopKeepingListView : public QListView {
public:
    using QListView::QListView;

protected:
    bool event(QEvent* event) override
    {
        const int top = verticalScrollBar()->value();
        const bool handled = QListView::event(event);
        if (event->type() == QEvent::Show)
            verticalScrollBar()->setValue(top);
        return handled;
    }
};

// A list box over a string model whose items are replaced in one reset: rows inserted into a
// list out of sight start a timer of its own, and with thousands of lists made before the event
// loop runs, every later start, stop or deletion of a timer searches all of them. The list view
// is made when first shown or focused: each one posts a layout request that searches the whole
// queue of posted events. A plain child of the panel holds its place (in the focus chain too:
// the view, made later, is a child of it) and until then the items, selection and current item
// are kept here.
class TQtListBox : public TQtWidget<TListWidget, QWidget> {
public:
    TQtListBox(QWidget& panel, const platform::TFontData& font, const QMargins& frame)
        : TQtWidget(panel), Font_(platform::ToQFont(font)), Frame_(frame)
    {
    }
    void SetSize(int32_t width, int32_t height) override
    {
        TQtWidget::SetSize(width, height);
        if (List_)
            List_->resize(width, height);
    }
    void SetClientSize(int32_t width, int32_t height) override
    {
        SetSize(width + Frame_.left() + Frame_.right(), height + Frame_.top() + Frame_.bottom());
    }
    bool Focused() const override { return List_ && List_->hasFocus(); }
    void SetItems(const std::vector<std::string>& texts) override
    {
        if (List_) {
            Items_->setStringList(ToUnicode(texts));
            return;
        }
        // A reset of the model leaves no item selected and none current.
        Texts_ = ToUnicode(texts);
        Selected_.assign(texts.size(), false);
        Current_ = -1;
    }
    int Count() const override { return List_ ? Items_->rowCount() : static_cast<int>(Texts_.size()); }
    void SetMultiSelect(bool multiSelect) override
    {
        MultiSelect_ = multiSelect;
        if (List_)
            List_->setSelectionMode(SelectionMode());
    }
    bool Selected(int index) const override
    {
        if (List_)
            return index >= 0 && List_->selectionModel()->isSelected(Items_->index(index));
        return index >= 0 && index < Count() && Selected_[static_cast<size_t>(index)];
    }
    void SetSelected(int index, bool selected) override
    {
        if (index < 0 || index >= Count())
            return;
        if (List_)
            List_->selectionModel()->select(Items_->index(index),
                                            selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
        else
            Selected_[static_cast<size_t>(index)] = selected;
    }
    int ItemIndex() const override { return List_ ? List_->currentIndex().row() : Current_; }
    void SetItemIndex(int index) override
    {
        if (index >= Count())
            return;
        // In a multiple list the current item is only the focused one.
        if (List_) {
            List_->selectionModel()->setCurrentIndex(Items_->index(index), MultiSelect_ ? QItemSelectionModel::NoUpdate
                                                                                        : QItemSelectionModel::ClearAndSelect);
            return;
        }
        Current_ = std::max(index, -1);
        if (!MultiSelect_) {
            Selected_.assign(Selected_.size(), false);
            if (index >= 0)
                Selected_[static_cast<size_t>(index)] = true;
        }
    }
    void ScrollToTop() override
    {
        // Through the scroll bar: scrolling to an item would lay the list out now and restart
        // its timers. A list made later starts at the top.
        if (List_)
            List_->verticalScrollBar()->setValue(0);
    }

protected:
    bool HoldsPlace() const override { return true; }
    QWidget* FocusTaker() const override { return List_.data(); }
    void Realize() override
    {
        if (List_ || !Outer())
            return;
        List_ = new TTopKeepingListView(Outer());
        List_->setFont(Font_);
        // The items are choices, never edited in place.
        List_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        List_->setSelectionMode(SelectionMode());
        Items_ = new QStringListModel(Texts_, List_);
        List_->setModel(Items_);
        QItemSelection selection;
        for (size_t i = 0; i < Selected_.size(); ++i)
            if (Selected_[i])
                selection.select(Items_->index(static_cast<int>(i)), Items_->index(static_cast<int>(i)));
        List_->selectionModel()->select(selection, QItemSelectionModel::Select);
        if (Current_ >= 0)
            List_->selectionModel()->setCurrentIndex(Items_->index(Current_), QItemSelectionModel::NoUpdate);
        List_->resize(Outer()->size());
        WatchFocus(*List_);
        Texts_.clear();
        Selected_.clear();
    }

private:
    QAbstractItemView::SelectionMode SelectionMode() const
    {
        return MultiSelect_ ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    }

    QFont Font_;
    QMargins Frame_; // a list view's own
    bool MultiSelect_ = false;
    QStringList Texts_;
    std::vector<bool> Selected_;
    int Current_ = -1;
    QPointer<QListView> List_;
    QStringListModel* Items_ = nullptr;
};

// A drop-down list whose popup is made when it is first opened: a font change would make it at
// once, and thousands of popups made while a page is parsed cost more than their number.
class TLazyPopupComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        if (!PopupMade_) {
            PopupMade_ = true;
            view()->window()->setFont(font());
        }
        QComboBox::showPopup();
    }

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange && !PopupMade_) {
            QWidget::changeEvent(event);
            return;
        }
        QComboBox::changeEvent(event);
    }

private:
    bool PopupMade_ = false;
};

class TQtComboBox : public TQtItemList<TLazyPopupComboBox> {
public:
    using TQtItemList::TQtItemList;
    void SetItems(const std::vector<std::string>& texts) override
    {
        if (!Inner())
            return;
        // One insertion for all: each one would restart the view's timers.
        Inner()->clear();
        Inner()->addItems(ToUnicode(texts));
    }
    int Count() const override { return Inner() ? Inner()->count() : 0; }
    void SetMultiSelect(bool) override {}
    bool Selected(int index) const override { return index == ItemIndex(); }
    void SetSelected(int index, bool selected) override
    {
        if (selected)
            SetItemIndex(index);
    }
    int ItemIndex() const override { return Inner() ? Inner()->currentIndex() : -1; }
    void SetItemIndex(int index) override
    {
        if (Inner() && index < Inner()->count())
            Inner()->setCurrentIndex(index);
    }
    void ScrollToTop() override {}
    void SetClientSize(int32_t width, int32_t height) override
    {
        // A drop-down list keeps the height of its font.
        TQtWidget::SetSize(width, std::max(height, Inner() ? Inner()->sizeHint().height() : 0));
    }
};

// The lines of a plain text, as a text document splits it into blocks.
std::vector<QString> Blocks(const QString& text)
{
    std::vector<QString> blocks(1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator)
            blocks.emplace_back();
        else
            blocks.back() += c;
    }
    return blocks;
}

// A text area whose editor is made when first shown or focused, as a list box's view is; until
// then its text and wrap are kept here.
class TQtMemo : public TQtWidget<TMemoWidget, QWidget> {
public:
    TQtMemo(QWidget& panel, const platform::TFontData& font, const TMemoFrame& frame)
        : TQtWidget(panel), Font_(platform::ToQFont(font)), Frame_(frame)
    {
    }
    void SetSize(int32_t width, int32_t height) override
    {
        TQtWidget::SetSize(width, height);
        if (Memo_)
            Memo_->resize(width, height);
    }
    bool Focused() const override { return Memo_ && Memo_->hasFocus(); }
    std::vector<std::string> Lines() const override
    {
        std::vector<std::string> lines;
        if (Memo_) {
            for (QTextBlock block = Memo_->document()->begin(); block.isValid(); block = block.next())
                lines.push_back(platform::UnicodeToAnsiOrEmpty(block.text()));
        } else {
            for (const QString& block : Blocks(Text_))
                lines.push_back(platform::UnicodeToAnsiOrEmpty(block));
        }
        // An empty memo, or a last line end, leaves no line of its own.
        if (!lines.empty() && lines.back().empty())
            lines.pop_back();
        return lines;
    }
    void SetLines(const std::vector<std::string>& lines) override
    {
        QStringList text;
        for (const std::string& line : lines)
            text.push_back(platform::AnsiToUnicode(line));
        if (!Memo_) {
            Text_ = text.join('\n');
            return;
        }
        Memo_->setPlainText(text.join('\n'));
        Accepted_ = Memo_->toPlainText();
    }
    void SetWrap(bool wrap) override
    {
        Wrap_ = wrap;
        if (Memo_)
            ApplyWrap();
    }
    void MoveCaretToStart() override
    {
        // A memo made later starts with its caret there.
        if (Memo_)
            Memo_->moveCursor(QTextCursor::Start);
    }
    void SetClientSize(int32_t width, int32_t height) override
    {
        // The scroll bars come on top of the text's room.
        const int frame = 2 * Frame_.FrameWidth;
        const bool hBar = Wrap_.has_value() && !*Wrap_;
        SetSize(width + Frame_.ScrollBarExtent + frame, height + frame + (hBar ? Frame_.ScrollBarExtent : 0));
    }

protected:
    bool HoldsPlace() const override { return true; }
    QWidget* FocusTaker() const override { return Memo_.data(); }
    void Realize() override
    {
        if (Memo_ || !Outer())
            return;
        Memo_ = new QPlainTextEdit(Outer());
        Memo_->setFont(Font_);
        // Tab moves on through the form, as in every other control; a text area takes no tabs.
        Memo_->setTabChangesFocus(true);
        if (Wrap_)
            ApplyWrap();
        Memo_->setPlainText(Text_);
        Accepted_ = Memo_->toPlainText();
        Memo_->moveCursor(QTextCursor::Start);
        QObject::connect(Memo_, &QPlainTextEdit::textChanged, [this] { RefuseForeignText(); });
        Memo_->resize(Outer()->size());
        WatchFocus(*Memo_);
        Text_.clear();
    }

private:
    void ApplyWrap()
    {
        Memo_->setLineWrapMode(*Wrap_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        Memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        Memo_->setHorizontalScrollBarPolicy(*Wrap_ ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    }
    // Typed or pasted text the code page cannot hold is taken back.
    void RefuseForeignText()
    {
        const QString text = Memo_->toPlainText();
        if (platform::IsAnsiText(text)) {
            Accepted_ = text;
            return;
        }
        const QSignalBlocker block(Memo_);
        Memo_->setPlainText(Accepted_);
        Memo_->moveCursor(QTextCursor::End);
    }

    QFont Font_;
    TMemoFrame Frame_;
    std::optional<bool> Wrap_; // none: the editor's own
    QString Text_;
    QString Accepted_;
    QPointer<QPlainTextEdit> Memo_;
};

} // namespace

TQtFormWidgetFactory::TQtFormWidgetFactory(QWidget& panel) : Panel_(panel)
{
    TFormWidgetClip::Of(panel);
}

platform::TFontData TQtFormWidgetFactory::PanelFont() const
{
    platform::TFontData font;
    platform::UnicodeToAnsi(Panel_.font().family(), font.Name);
    const int points = Panel_.font().pointSize();
    font.Size = points > 0 ? points : 8;
    return font;
}

std::unique_ptr<TEditWidget> TQtFormWidgetFactory::CreateEdit(const platform::TFontData& font)
{
    return std::make_unique<TQtEdit>(Panel_, font);
}

std::unique_ptr<TButtonWidget> TQtFormWidgetFactory::CreateButton()
{
    return std::make_unique<TQtButton>(Panel_);
}

std::unique_ptr<TCheckWidget> TQtFormWidgetFactory::CreateCheckBox()
{
    return std::make_unique<TQtCheckBox>(Panel_);
}

std::unique_ptr<TCheckWidget> TQtFormWidgetFactory::CreateRadioButton()
{
    return std::make_unique<TQtRadioButton>(Panel_);
}

std::unique_ptr<TListWidget> TQtFormWidgetFactory::CreateListBox(const platform::TFontData& font)
{
    if (!ListFrame_)
        ListFrame_ = QListView(&Panel_).contentsMargins();
    return std::make_unique<TQtListBox>(Panel_, font, *ListFrame_);
}

std::unique_ptr<TListWidget> TQtFormWidgetFactory::CreateComboBox(const platform::TFontData& font)
{
    return std::make_unique<TQtComboBox>(Panel_, font);
}

std::unique_ptr<TMemoWidget> TQtFormWidgetFactory::CreateMemo(const platform::TFontData& font)
{
    if (!MemoFrame_) {
        const QPlainTextEdit memo(&Panel_);
        MemoFrame_ = TMemoFrame{memo.frameWidth(), memo.style()->pixelMetric(QStyle::PM_ScrollBarExtent)};
    }
    return std::make_unique<TQtMemo>(Panel_, font, *MemoFrame_);
}

} // namespace htmlview
