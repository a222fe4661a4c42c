// The control's construction, its properties, the Processing state, selection and clipboard,
// the frame and the error box.
#include "htmlview/HtmlView.h"

#include "htmlview/FormWidgetClip.h"
#include "htmlview/HtmlFormQtWidgets.h"
#include "htmlview/HtmlForms.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/HtmlUtils.h"
#include "htmlview/PaintPanel.h"
#include "htmlview/ScrollBar32.h"
#include "htmlview/SelectionVisitor.h"
#include "htmlview/ViewerCursors.h"
#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace htmlview {

using platform::TColor;

namespace {

// The hourglass while it lives.
class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

THtmlView::THtmlView(QWidget* parent) : QWidget(parent)
{
    resize(150, 150);
    // Tab reaches the control; a click gives it the focus itself, after OnMouseDown.
    setFocusPolicy(Qt::TabFocus);
    CreateParts();
    SetDefBackground(platform::clBtnFace);
    SetDefFontColor(platform::clBtnText);
    SetDefHotSpotColor(platform::clBlue);
    SetDefFontSize(12);
    SetDefFontName("Times New Roman");
    SetDefPreFontName("Courier New");
    SetImageCacheCount(5);
    setCursor(ViewerCursor(crViewerText));
    ErrorBox = [this](const std::string& message) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), platform::AnsiToUnicode(message));
    };
}

// The document goes first: its form controls live on the panel.
THtmlView::~THtmlView()
{
    AutoScrollTimer_.stop();
    Document_.reset();
}

void THtmlView::CreateParts()
{
    Panel_ = new TPaintPanel(*this);
    Panel_->move(1, 1);
    Panel_->OnPaint = [this](platform::TCanvas& canvas) { PanelPaint(canvas); };

    VScrollBar_ = new T32ScrollBar(this);
    VScrollBar_->setSingleStep(LineStep);
    VScrollBar_->setFocusPolicy(Qt::NoFocus);
    VScrollBar_->setCursor(Qt::ArrowCursor);
    VScrollBar_->hide();
    ScrollBarWidth_ = VScrollBar_->sizeHint().width();
    VScrollBar_->OnScroll = [this](TScrollCode code, int32_t trackPosition) {
        RunGuarded([&] { VerticalScroll(code, trackPosition); });
    };

    HScrollBar_ = new QScrollBar(Qt::Horizontal, this);
    HScrollBar_->setSingleStep(HorizontalStep);
    HScrollBar_->setFocusPolicy(Qt::NoFocus);
    HScrollBar_->setCursor(Qt::ArrowCursor);
    HScrollBar_->hide();
    connect(HScrollBar_, &QAbstractSlider::actionTriggered, this, [this] { setFocus(); });
    connect(HScrollBar_, &QAbstractSlider::valueChanged, this, [this] { Panel_->update(); });

    Document_ = std::make_unique<TSectionList>(this, Panel_, Screen_);
    Document_->BackgroundChanged = [this](TSectionList& document) {
        Panel_->Color = document.BackgroundColor | platform::PaletteRelative;
        Panel_->update();
    };
    // Each section a layout drops has its own box, shown once the layout is done.
    Document_->ShowErrorBox = [this](const std::string& message) { QueueErrorBox(message); };
    Document_->ExpandPath = [this](const std::string& path) { return ExpandDocumentPath(path); };
    BindFormEvents();

    AutoScrollTimer_.setInterval(AutoScrollInterval);
    connect(&AutoScrollTimer_, &QTimer::timeout, this, [this] { RunGuarded([this] { AutoScrollStep(); }); });
}

void THtmlView::BindFormEvents()
{
    Document_->WidgetFactory = std::make_unique<TQtFormWidgetFactory>(*Panel_);
    Document_->FormSubmit = [this](const std::string& action, const std::string& target, const std::string& encType,
                                   const std::string& method, std::vector<std::string> results) {
        QueueFormSubmit(action, target, encType, method, std::move(results));
    };
    Document_->ObjectClick = [this](TFormControlObj& control, const std::string& onClick) {
        if (OnObjectClick)
            OnObjectClick(this, &control, onClick);
    };
    Document_->ControlNotify = [this](TFormControlObj& control) { ScrollControlIntoView(control.YPosition); };
}

void THtmlView::ChangeProcessingState(bool value)
{
    if (value == Processing_)
        return;
    Processing_ = value;
    if (OnProcessing)
        OnProcessing(this, value);
}

void THtmlView::WithProcessing(bool hourglass, const std::function<void()>& body)
{
    std::optional<TWaitCursor> wait;
    if (hourglass)
        wait.emplace();
    ChangeProcessingState(true);
    try {
        body();
    } catch (...) {
        ChangeProcessingState(false);
        throw;
    }
    ChangeProcessingState(false);
}

void THtmlView::RunGuarded(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        ShowErrorLater(error.what());
    }
}

void THtmlView::ShowErrorLater(const std::string& message)
{
    // One box at a time: a failing paint must not pile boxes up.
    if (PendingErrors_.empty())
        QueueErrorBox(message);
}

void THtmlView::QueueErrorBox(const std::string& message)
{
    PendingErrors_.push_back(message);
    if (PendingErrors_.size() == 1)
        QMetaObject::invokeMethod(this, [this] { ShowPendingErrors(); }, Qt::QueuedConnection);
}

void THtmlView::ShowPendingErrors()
{
    // A box waits for its OK: what is queued meanwhile follows it, a failing paint adds nothing.
    while (!PendingErrors_.empty()) {
        const std::string message = PendingErrors_.front();
        if (ErrorBox)
            ErrorBox(message);
        PendingErrors_.pop_front();
    }
}

void THtmlView::RefreshFontsAndLayout(bool layout)
{
    Document_->RefreshFonts();
    if (layout && Loaded())
        RelayoutKeepingPosition();
    Panel_->update();
}

void THtmlView::SetViewImages(bool value)
{
    if (value == Document_->ShowImages || Processing_)
        return;
    WithProcessing(true, [&] {
        Document_->ShowImages = value;
        if (Loaded()) {
            Document_->BackgroundImage();
            LayoutKeepingPosition();
        }
    });
    Panel_->update();
}

void THtmlView::SetDefBackground(TColor value)
{
    if (Processing_)
        return;
    DefBackground_ = value;
    Document_->SetBackgroundColor(value);
}

void THtmlView::SetBorderStyle(THTMLBorderStyle value)
{
    if (value == BorderStyle_)
        return;
    BorderStyle_ = value;
    // The panel moves in or out of the frame.
    UpdateScrollBars();
    update();
}

void THtmlView::SetHistoryMaxCount(int32_t value)
{
    if (value == HistoryMaxCount_ || value < 0)
        return;
    if (value < HistoryMaxCount_)
        EmptyHistory();
    HistoryMaxCount_ = value;
}

void THtmlView::SetDefFontName(const std::string& value)
{
    if (platform::AnsiSameText(value, Document_->FontName))
        return;
    DefFontName_ = value;
    Document_->FontName = value.substr(0, TSectionList::MaxFontNameLength);
    RefreshFontsAndLayout(true);
}

void THtmlView::SetDefPreFontName(const std::string& value)
{
    if (platform::AnsiSameText(value, Document_->PreFontName))
        return;
    DefPreFontName_ = value;
    Document_->PreFontName = value.substr(0, TSectionList::MaxFontNameLength);
    RefreshFontsAndLayout(true);
}

void THtmlView::SetDefFontSize(int32_t value)
{
    DefFontSize_ = std::max(value, MinFontSize);
    Document_->FontSize = DefFontSize_;
    RefreshFontsAndLayout(true);
}

void THtmlView::SetDefFontColor(TColor value)
{
    DefFontColor_ = value;
    Document_->FontColor = value;
    RefreshFontsAndLayout(false);
}

void THtmlView::SetDefHotSpotColor(TColor value)
{
    DefHotSpotColor_ = value;
    Document_->LinkColor = value;
    RefreshFontsAndLayout(false);
}

void THtmlView::SetImageCacheCount(int32_t value)
{
    ImageCacheCount_ = std::clamp(value, 0, MaxImageCacheCount);
    // One limit for the whole process: the last viewer to set it wins.
    ImageCache().SetCacheLimit(ImageCacheCount_);
}

void THtmlView::SetOnImageRequest(TGetImageEvent handler)
{
    OnImageRequest_ = std::move(handler);
    if (OnImageRequest_)
        Document_->ImageRequest = [this](const std::string& name, const std::string*& stream) {
            OnImageRequest_(this, name, stream);
        };
    else
        Document_->ImageRequest = nullptr;
}

void THtmlView::SetOnScript(TScriptEvent handler)
{
    OnScript_ = std::move(handler);
    if (OnScript_)
        Document_->ScriptHandler = [this](const std::string& language, std::string script) {
            OnScript_(this, language, std::move(script));
        };
    else
        Document_->ScriptHandler = nullptr;
}

void THtmlView::SetNoSelect(bool value)
{
    if (value == NoSelect_)
        return;
    NoSelect_ = value;
    if (value) {
        Document_->SelStart = -1;
        Document_->SelEnd = -1;
        Panel_->update();
    }
}

void THtmlView::SetScrollBars(TScrollStyle value)
{
    if (value == ScrollBars_)
        return;
    ScrollBars_ = value;
    if (Processing_)
        return;
    WithProcessing(false, [this] { LayoutKeepingPosition(); });
    Panel_->update();
}

void THtmlView::SetCharSet(uint8_t value)
{
    CharSet_ = value;
    Document_->Charset = value;
    RefreshFontsAndLayout(true);
}

void THtmlView::SetMarginHeight(int32_t value)
{
    if (value == MarginHeight_ || Processing_ || value < 0 || value > MaxMargin)
        return;
    WithProcessing(true, [&] {
        MarginHeight_ = value;
        if (Loaded())
            LayoutKeepingPosition();
    });
    Panel_->update();
}

void THtmlView::SetMarginWidth(int32_t value)
{
    if (value == MarginWidth_ || Processing_ || value < 0 || value > MaxMargin)
        return;
    WithProcessing(true, [&] {
        MarginWidth_ = value;
        if (Loaded())
            LayoutKeepingPosition();
    });
    Panel_->update();
}

void THtmlView::SetServerRoot(const std::string& value)
{
    std::string root = platform::TrimControlAndSpace(value);
    if (!root.empty() && (root.back() == '\\' || root.back() == '/'))
        root.pop_back();
    ServerRoot_ = root;
}

void THtmlView::SelectAll()
{
    if (!Loaded() || NoSelect_)
        return;
    const TSectionBase* last = Document_->Last();
    Document_->SelStart = 0;
    Document_->SelEnd = last->FirstIndex + last->Length;
    Panel_->update();
}

void THtmlView::CopyToClipboard()
{
    CopySelection(*Document_);
}

int32_t THtmlView::GetSelTextBuf(char* buffer, int32_t bufSize)
{
    if (bufSize <= 0 || buffer == nullptr)
        return 0;
    return GetSelectedText(*Document_, buffer, bufSize);
}

int32_t THtmlView::SelLength()
{
    return SelectedLength(*Document_);
}

void THtmlView::SetSelLength(int32_t value)
{
    if (value != 0)
        return;
    Document_->SelEnd = Document_->SelStart;
    Panel_->update();
}

void THtmlView::paintEvent(QPaintEvent*)
{
    const bool visibleFrame = (BorderStyle_ == THTMLBorderStyle::htFocused && hasFocus()) ||
                              BorderStyle_ == THTMLBorderStyle::htSingle;
    QPainter painter(this);
    painter.setPen(platform::ToQColor(visibleFrame ? platform::clBtnText : Panel_->Color));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void THtmlView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // Only a move of the focus between controls enters one; the window's own coming back to
    // the front, or a closed menu, does not.
    const Qt::FocusReason reason = event->reason();
    if (OnEnter && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        OnEnter(this);
    update();
}

void THtmlView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool THtmlView::focusNextPrevChild(bool next)
{
    TFormWidgetClip* clip = TFormWidgetClip::Find(*Panel_);
    const QWidget* from = window()->focusWidget();
    if (clip && from && clip->MoveFocus(*from, next))
        return true;
    return QWidget::focusNextPrevChild(next);
}

} // namespace htmlview
