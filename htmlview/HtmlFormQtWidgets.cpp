#include "htmlview/HtmlFormQtWidgets.h"

#include "platform/AnsiTextValidator.h"
#include "platform/QtCanvas.h"
#include "platform/Windows1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTextBlock>

namespace htmlview {

namespace {

// Tells the form control when the widget (or a child of it) gains or loses the focus.
class TFocusWatch : public QObject {
public:
    explicit TFocusWatch(TFormWidget& owner) : Owner_(owner) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && Owner_.OnEnter)
            Owner_.OnEnter();
        else if (event->type() == QEvent::FocusOut && Owner_.OnExit)
            Owner_.OnExit();
        return QObject::eventFilter(watched, event);
    }

private:
    TFormWidget& Owner_;
};

// The parts every widget shares. Q is the Qt widget placed on the panel.
template <class Face, class Q>
class TQtWidget : public Face {
public:
    explicit TQtWidget(QWidget& panel) : Outer_(new Q(&panel)), Watch_(*this)
    {
        Outer_->move(0, TQtFormWidgetFactory::HiddenTop);
        Outer_->hide();
    }
    ~TQtWidget() override
    {
        // Losing the focus while it goes is no news for the control that owns it.
        this->OnEnter = nullptr;
        this->OnExit = nullptr;
        this->OnClick = nullptr;
        delete Outer_.data();
    }

    int32_t Width() const override { return Outer_ ? Outer_->width() : 0; }
    int32_t Height() const override { return Outer_ ? Outer_->height() : 0; }
    int32_t Left() const override { return Outer_ ? Outer_->x() : 0; }
    int32_t Top() const override { return Outer_ ? Outer_->y() : 0; }
    void SetSize(int32_t width, int32_t height) override
    {
        if (Outer_)
            Outer_->resize(width, height);
    }
    void SetClientSize(int32_t width, int32_t height) override
    {
        if (!Outer_)
            return;
        const QMargins frame = Outer_->contentsMargins();
        Outer_->resize(width + frame.left() + frame.right(), height + frame.top() + frame.bottom());
    }
    void MoveTo(int32_t left, int32_t top) override
    {
        if (Outer_)
            Outer_->move(left, top);
    }
    void SetVisible(bool visible) override
    {
        if (Outer_)
            Outer_->setVisible(visible);
    }
    bool Visible() const override { return Outer_ && Outer_->isVisible(); }
    bool Focused() const override { return Outer_ && Outer_->hasFocus(); }

protected:
    void WatchFocus(QWidget& widget) { widget.installEventFilter(&Watch_); }
    Q* Inner() const { return Outer_ ? static_cast<Q*>(Outer_.data()) : nullptr; }
    QWidget* Outer() const { return Outer_.data(); }

private:
    QPointer<QWidget> Outer_;
    TFocusWatch Watch_;
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

// A list box over a string model whose items are replaced in one reset: rows inserted into a
// list out of sight start a timer of its own, and with thousands of lists made before the event
// loop runs, every later start, stop or deletion of a timer searches all of them.
class TQtListBox : public TQtItemList<QListView> {
public:
    TQtListBox(QWidget& panel, const platform::TFontData& font)
        : TQtItemList(panel, font), Items_(new QStringListModel(Inner()))
    {
        // The items are choices, never edited in place.
        Inner()->setEditTriggers(QAbstractItemView::NoEditTriggers);
        Inner()->setModel(Items_);
    }
    void SetItems(const std::vector<std::string>& texts) override
    {
        if (Inner())
            Items_->setStringList(ToUnicode(texts));
    }
    int Count() const override { return Inner() ? Items_->rowCount() : 0; }
    void SetMultiSelect(bool multiSelect) override
    {
        if (Inner())
            Inner()->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                                  : QAbstractItemView::SingleSelection);
    }
    bool Selected(int index) const override
    {
        return Inner() && index >= 0 && Inner()->selectionModel()->isSelected(Items_->index(index));
    }
    void SetSelected(int index, bool selected) override
    {
        if (Inner() && index >= 0 && index < Items_->rowCount())
            Inner()->selectionModel()->select(Items_->index(index),
                                              selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    }
    int ItemIndex() const override { return Inner() ? Inner()->currentIndex().row() : -1; }
    void SetItemIndex(int index) override
    {
        if (!Inner() || index >= Items_->rowCount())
            return;
        // In a multiple list the current item is only the focused one.
        const bool multi = Inner()->selectionMode() == QAbstractItemView::ExtendedSelection;
        Inner()->selectionModel()->setCurrentIndex(Items_->index(index), multi ? QItemSelectionModel::NoUpdate
                                                                               : QItemSelectionModel::ClearAndSelect);
    }
    void ScrollToTop() override
    {
        // Through the scroll bar: scrolling to an item would lay the list out now and restart
        // its timers.
        if (Inner())
            Inner()->verticalScrollBar()->setValue(0);
    }

private:
    QStringListModel* Items_;
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

class TQtMemo : public TQtWidget<TMemoWidget, QPlainTextEdit> {
public:
    TQtMemo(QWidget& panel, const platform::TFontData& font) : TQtWidget(panel)
    {
        QPlainTextEdit* memo = Inner();
        memo->setFont(platform::ToQFont(font));
        // Tab moves on through the form, as in every other control; a text area takes no tabs.
        memo->setTabChangesFocus(true);
        WatchFocus(*memo);
        QObject::connect(memo, &QPlainTextEdit::textChanged, [this] { RefuseForeignText(); });
    }
    std::vector<std::string> Lines() const override
    {
        std::vector<std::string> lines;
        if (!Inner())
            return lines;
        for (QTextBlock block = Inner()->document()->begin(); block.isValid(); block = block.next())
            lines.push_back(platform::UnicodeToAnsiOrEmpty(block.text()));
        // An empty memo, or a last line end, leaves no line of its own.
        if (!lines.empty() && lines.back().empty())
            lines.pop_back();
        return lines;
    }
    void SetLines(const std::vector<std::string>& lines) override
    {
        if (!Inner())
            return;
        QStringList text;
        for (const std::string& line : lines)
            text.push_back(platform::AnsiToUnicode(line));
        Inner()->setPlainText(text.join('\n'));
        Accepted_ = Inner()->toPlainText();
    }
    void SetWrap(bool wrap) override
    {
        if (!Inner())
            return;
        Inner()->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        Inner()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        Inner()->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    }
    void MoveCaretToStart() override
    {
        if (Inner())
            Inner()->moveCursor(QTextCursor::Start);
    }
    void SetClientSize(int32_t width, int32_t height) override
    {
        // The scroll bars come on top of the text's room.
        if (!Inner())
            return;
        const int bar = Inner()->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int frame = 2 * Inner()->frameWidth();
        const bool hBar = Inner()->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
        TQtWidget::SetSize(width + bar + frame, height + frame + (hBar ? bar : 0));
    }

private:
    // Typed or pasted text the code page cannot hold is taken back.
    void RefuseForeignText()
    {
        const QString text = Inner()->toPlainText();
        if (platform::IsAnsiText(text)) {
            Accepted_ = text;
            return;
        }
        const QSignalBlocker block(Inner());
        Inner()->setPlainText(Accepted_);
        Inner()->moveCursor(QTextCursor::End);
    }

    QString Accepted_;
};

} // namespace

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
    return std::make_unique<TQtListBox>(Panel_, font);
}

std::unique_ptr<TListWidget> TQtFormWidgetFactory::CreateComboBox(const platform::TFontData& font)
{
    return std::make_unique<TQtComboBox>(Panel_, font);
}

std::unique_ptr<TMemoWidget> TQtFormWidgetFactory::CreateMemo(const platform::TFontData& font)
{
    return std::make_unique<TQtMemo>(Panel_, font);
}

} // namespace htmlview
