// Loading, layout for the control's width, the scroll bars, keys, resizing, document positions
// and painting.
#include "htmlview/HtmlView.h"

#include "htmlview/HtmlImageCache.h"
#include "htmlview/PaintPanel.h"
#include "htmlview/ScrollBar32.h"
#include "platform/Bitmap.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252.h"

#include <QKeyEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <exception>

namespace htmlview {

namespace {

constexpr size_t MaxAnchorLength = 255;

} // namespace

std::string ImageFileTag(const std::string& fileName)
{
    std::string tag = "<img src=\"";
    for (const char c : fileName) {
        if (c == '"')
            tag += "&quot;";
        else
            tag += c;
    }
    return tag + "\">";
}

void THtmlView::PrepareDocument(bool purgeImageCache)
{
    Document_->Clear();
    if (purgeImageCache)
        ImageCache().AgeAndTrim();
    Document_->SetDefaults(DefFontName_, DefPreFontName_, DefFontSize_, DefFontColor_, DefHotSpotColor_,
                           DefBackground_);
    AnchorNames_.clear();
    CaretIndex_ = 0;
    MouseDownIndex_ = -1;
}

void THtmlView::StopBackgroundSound()
{
    if (OnSoundRequest)
        OnSoundRequest(this, std::string(), 0, true);
}

TParseHandlers THtmlView::HtmlHandlers()
{
    TParseHandlers handlers;
    handlers.Include = OnInclude;
    if (OnSoundRequest)
        handlers.Sound = [this](const std::string& src, int32_t loop) { OnSoundRequest(this, src, loop, false); };
    handlers.Meta = [this](const std::string& httpEq, const std::string& name, const std::string& content) {
        MetaReceived(httpEq, name, content);
    };
    return handlers;
}

void THtmlView::LoadFromBuffer(const char* buffer, int32_t bufSize)
{
    if (Processing_)
        return;
    const std::string_view text = buffer != nullptr && bufSize > 0
                                      ? std::string_view(buffer, static_cast<size_t>(bufSize))
                                      : std::string_view();
    WithProcessing(false, [&] {
        PendingRefreshDelay_ = 0;
        PrepareDocument(true);
        StopBackgroundSound();
        // What was read before a parse error is shown before the error goes on.
        std::exception_ptr parseError;
        try {
            ParseHtmlBuffer(*Document_, AnchorNames_, text, ParsedHead_, HtmlHandlers());
        } catch (...) {
            parseError = std::current_exception();
        }
        FinishLoading();
        ScrollToY(0);
        SetHorizontalPosition(0);
        Panel_->update();
        LoadedFileName_.clear();
        if (parseError)
            std::rethrow_exception(parseError);
    });
    FireMetaRefresh();
}

void THtmlView::LoadFromFile(const std::string& fileName)
{
    LoadIntoHistory(fileName, dkHtml);
}

void THtmlView::LoadImageFile(const std::string& fileName)
{
    LoadIntoHistory(fileName, dkPicture);
}

void THtmlView::LoadIntoHistory(const std::string& fileName, uint8_t kind)
{
    if (Processing_ || fileName.empty())
        return;
    const std::string oldFile = LoadedFileName_;
    const std::string oldTitle = PageTitle_;
    const TDocumentPosition oldPosition = GetDocumentPosition();
    const uint8_t oldKind = DocumentKind_;
    LoadDocument(fileName, kind);
    if (LoadedFileName_ != oldFile || DocumentKind_ != oldKind)
        AddToHistory(oldFile, oldTitle, oldKind, oldPosition);
}

void THtmlView::LoadDocument(const std::string& fileName, uint8_t kind)
{
    std::string name = fileName;
    std::string anchor;
    if (const size_t hash = name.find('#'); hash != std::string::npos) {
        anchor = name.substr(hash + 1, MaxAnchorLength);
        name.erase(hash);
    }
    PendingRefreshDelay_ = 0;
    WithProcessing(true, [&] {
        const std::string path = platform::ResolvePathCase(name);
        if (!platform::FileExists(path))
            throw platform::EInOutError("Can't locate file: " + name);
        PrepareDocument(true);
        std::exception_ptr readError;
        try {
            ParseDocument(path, kind);
        } catch (...) {
            readError = std::current_exception();
        }
        const std::string oldFileName = LoadedFileName_;
        LoadedFileName_ = platform::FullPathName(path);
        DocumentKind_ = kind;
        FinishLoading();
        if (!anchor.empty() && JumpToAnchor(anchor)) {
            // The anchor decides the place.
        } else if (LoadedFileName_ != oldFileName) {
            ScrollToY(0);
            SetHorizontalPosition(0);
        } else {
            // The same file again keeps its place, within the new page's height.
            ScrollToY(VerticalPosition());
        }
        Panel_->update();
        if (readError)
            std::rethrow_exception(readError);
    });
    FireMetaRefresh();
}

void THtmlView::ParseDocument(const std::string& path, uint8_t kind)
{
    if (kind == dkPicture) {
        TParseHandlers handlers;
        handlers.Include = OnInclude;
        ParseHtmlBuffer(*Document_, AnchorNames_, ImageFileTag(path), ParsedHead_, handlers);
        return;
    }
    StopBackgroundSound();
    ParseHtmlFile(*Document_, AnchorNames_, path, ParsedHead_, HtmlHandlers());
}

void THtmlView::FinishLoading()
{
    PageTitle_ = ParsedHead_.Title;
    BaseHref_ = ParsedHead_.BaseHref;
    BaseTargetName_ = ParsedHead_.BaseTarget;
    Document_->BackgroundImage();
    LayoutDocument();
}

void THtmlView::FireMetaRefresh()
{
    if (PendingRefreshDelay_ > 0 && OnMetaRefresh)
        OnMetaRefresh(this, PendingRefreshDelay_, PendingRefreshURL_);
}

void THtmlView::Clear()
{
    if (Processing_)
        return;
    PrepareDocument(false);
    BaseHref_.clear();
    BaseTargetName_.clear();
    PageTitle_.clear();
    // An empty page has no size: the bars go and the view is back at the top.
    DocumentHeight_ = 0;
    DocumentWidth_ = 0;
    UpdateScrollBars();
    ScrollToY(0);
    SetHorizontalPosition(0);
    StopBackgroundSound();
    Panel_->update();
}

bool THtmlView::VerticalBarsAllowed() const
{
    return ScrollBars_ == TScrollStyle::ssVertical || ScrollBars_ == TScrollStyle::ssBoth;
}

bool THtmlView::HorizontalBarsAllowed() const
{
    return ScrollBars_ == TScrollStyle::ssHorizontal || ScrollBars_ == TScrollStyle::ssBoth;
}

void THtmlView::LayoutDocument()
{
    DocumentWidth_ = 0;
    LayingOut_ = true;
    try {
        const int32_t inset = BorderStyle_ == THTMLBorderStyle::htNone ? 1 : 3;
        const bool vertical = VerticalBarsAllowed();
        const int32_t available =
            std::max(1, width() - (vertical ? ScrollBarWidth_ : 0) - inset - 2 * MarginWidth_);
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        const int32_t height = Document_->Layout(Screen_, MarginHeight_, available, maxWidth, charIndex);
        DocumentWidth_ = maxWidth;
        DocumentHeight_ = ClampInt32(int64_t{height} + (vertical ? 2 : 1) * int64_t{MarginHeight_});
    } catch (...) {
        LayingOut_ = false;
        throw;
    }
    LayingOut_ = false;
    UpdateScrollBars();
}

void THtmlView::RelayoutKeepingPosition()
{
    if (Processing_)
        return;
    WithProcessing(false, [this] { LayoutKeepingPosition(); });
}

void THtmlView::LayoutKeepingPosition()
{
    const TDocumentPosition position = GetDocumentPosition();
    LayoutDocument();
    SetDocumentPosition(position);
}

void THtmlView::UpdateScrollBars()
{
    DocumentWidth_ = std::min(DocumentWidth_, MaxDocumentWidth);
    const int32_t b = BorderStyle_ == THTMLBorderStyle::htNone ? 0 : 1;
    const int32_t w = width();
    const int32_t h = height();
    const int32_t bar = ScrollBarWidth_;
    const int32_t contentWidth = 2 * MarginWidth_ + DocumentWidth_;
    bool vertical = false;
    bool horizontal = false;
    if (VerticalBarsAllowed()) {
        vertical = DocumentHeight_ >= h - 2 ||
                   (HorizontalBarsAllowed() && DocumentHeight_ >= h - 2 - bar && contentWidth > w - bar);
        horizontal = HorizontalBarsAllowed() && (contentWidth > w || (vertical && contentWidth > w - bar));
    } else {
        horizontal = HorizontalBarsAllowed() && contentWidth > w;
    }
    const int32_t viewWidth = vertical ? w - bar : w;
    const int32_t panelWidth = std::max(0, viewWidth - 2 * b);
    const int32_t panelHeight = std::max(0, h - 2 * b - (horizontal ? bar : 0));
    Panel_->setGeometry(b, b, panelWidth, panelHeight);

    HorizontalMaximum_ = std::max(contentWidth, panelWidth);
    HScrollBar_->setGeometry(b, h - bar - b, panelWidth, bar);
    HScrollBar_->setPageStep(std::max(1, viewWidth - 20));
    HScrollBar_->setRange(0, std::max(0, HorizontalMaximum_ - panelWidth));
    HScrollBar_->setVisible(horizontal);

    VScrollBar_->setGeometry(w - bar - b, b, bar, panelHeight);
    VScrollBar_->LargeChange = std::max(LineStep, panelHeight - LineStep);
    VScrollBar_->setVisible(vertical);
    VScrollBar_->ApplyRange(VScrollBar_->Position(), panelHeight + 1, 0, DocumentHeight_);
}

int32_t THtmlView::MaxScrollY() const
{
    return std::max(0, DocumentHeight_ - Panel_->height());
}

int32_t THtmlView::VerticalPosition() const
{
    return VScrollBar_->Position();
}

void THtmlView::SetVerticalPosition(int32_t value)
{
    value = std::clamp(value, 0, MaxScrollY());
    if (value != VerticalPosition())
        ScrollToY(value);
}

void THtmlView::ScrollToY(int32_t y)
{
    y = std::clamp(y, 0, MaxScrollY());
    VScrollBar_->MoveTo(y);
    Document_->SetScrollTop(y);
    Panel_->update();
}

int32_t THtmlView::HorizontalPosition() const
{
    return HScrollBar_->value();
}

void THtmlView::SetHorizontalPosition(int32_t x)
{
    HScrollBar_->setValue(std::clamp(x, 0, std::max(0, HorizontalMaximum_ - Panel_->width())));
}

TDocumentPosition THtmlView::GetDocumentPosition() const
{
    int32_t sectionTop = 0;
    int position = 0;
    if (!Document_->SectionAtY(VerticalPosition(), sectionTop, position))
        return {};
    return {position, VerticalPosition() - sectionTop};
}

void THtmlView::SetDocumentPosition(const TDocumentPosition& position)
{
    if (position.Section < 0 || position.Section >= Document_->Count())
        return;
    ScrollToY(ClampInt32(int64_t{Document_->SectionTop(position.Section)} + position.Offset));
}

void THtmlView::VerticalScroll(TScrollCode code, int32_t trackPosition)
{
    setFocus();
    const int32_t old = VScrollBar_->Position();
    int64_t target = old;
    switch (code) {
    case TScrollCode::LineUp: target = int64_t{old} - LineStep; break;
    case TScrollCode::LineDown: target = int64_t{old} + LineStep; break;
    case TScrollCode::PageUp: target = int64_t{old} - VScrollBar_->LargeChange; break;
    case TScrollCode::PageDown: target = int64_t{old} + VScrollBar_->LargeChange; break;
    case TScrollCode::Top: target = 0; break;
    case TScrollCode::Bottom: target = MaxScrollY(); break;
    case TScrollCode::Track: target = trackPosition; break;
    case TScrollCode::None: break;
    }
    const int32_t position = static_cast<int32_t>(std::clamp<int64_t>(target, 0, MaxScrollY()));
    VScrollBar_->MoveTo(position);
    Document_->SetScrollTop(position);
    Panel_->scroll(0, old - position);
}

void THtmlView::ScrollByKeyTo(int64_t y)
{
    const int32_t old = VerticalPosition();
    const int32_t position = static_cast<int32_t>(std::clamp<int64_t>(y, 0, MaxScrollY()));
    VScrollBar_->MoveTo(position);
    Document_->SetScrollTop(position);
    if (std::abs(old - position) == LineStep)
        Panel_->scroll(0, old - position);
    else
        Panel_->update();
}

void THtmlView::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(this, key, event->modifiers());
    const int64_t old = VerticalPosition();
    switch (key) {
    case 0: break; // taken by the handler
    case Qt::Key_PageUp: ScrollByKeyTo(old - VScrollBar_->LargeChange); break;
    case Qt::Key_PageDown: ScrollByKeyTo(old + VScrollBar_->LargeChange); break;
    case Qt::Key_End: ScrollByKeyTo(DocumentHeight_); break;
    case Qt::Key_Home: ScrollByKeyTo(0); break;
    case Qt::Key_Up: ScrollByKeyTo(old - LineStep); break;
    case Qt::Key_Down: ScrollByKeyTo(old + LineStep); break;
    case Qt::Key_Left: SetHorizontalPosition(HorizontalPosition() - HorizontalStep); break;
    case Qt::Key_Right: SetHorizontalPosition(HorizontalPosition() + HorizontalStep); break;
    default: QWidget::keyPressEvent(event); break;
    }
    std::string typed;
    if (OnKeyPress && platform::UnicodeToAnsi(event->text(), typed))
        for (const char c : typed)
            OnKeyPress(this, c);
}

void THtmlView::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its press, not its release.
    if (OnKeyUp && !event->isAutoRepeat()) {
        int key = event->key();
        OnKeyUp(this, key, event->modifiers());
    }
    QWidget::keyReleaseEvent(event);
}

void THtmlView::wheelEvent(QWheelEvent* event)
{
    const int64_t notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0) {
        event->ignore();
        return;
    }
    ScrollByKeyTo(VerticalPosition() - notches * WheelLines * LineStep);
}

void THtmlView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RunGuarded([this] {
        if (width() == LayoutWidth_ || Processing_) {
            UpdateScrollBars();
        } else {
            RelayoutKeepingPosition();
            LayoutWidth_ = width();
        }
        if (DocumentHeight_ < Panel_->height())
            SetDocumentPosition({});
        else
            ScrollToY(VerticalPosition());
        SetHorizontalPosition(HorizontalPosition());
    });
}

void THtmlView::PanelPaint(platform::TCanvas& canvas)
{
    if (LayingOut_)
        return;
    const platform::TRect area{MarginWidth_, 1, Panel_->width(), Panel_->height()};
    Document_->Paint(canvas, area, MaxDocumentWidth, MarginWidth_ - HorizontalPosition(), MarginHeight_);
}

void THtmlView::PaintBackground(platform::TCanvas& canvas, const platform::TRect& clip)
{
    canvas.Brush().Color = Panel_->Color;
    canvas.Brush().Style = platform::TBrushStyle::bsSolid;
    const platform::TBitmap* tile = Document_->BackgroundBitmap;
    // A picture without pixels is no background.
    if (ViewImages() && tile != nullptr && tile->Width() > 0 && tile->Height() > 0) {
        try {
            // Tiles are aligned to the page, not to the window.
            const int32_t bw = tile->Width();
            const int32_t bh = tile->Height();
            int32_t x0 = -(HorizontalPosition() % bw);
            int32_t y0 = -(VerticalPosition() % bh);
            if (clip.Left > x0)
                x0 += (clip.Left - x0) / bw * bw;
            if (clip.Top > y0)
                y0 += (clip.Top - y0) / bh * bh;
            for (int32_t y = y0; y < clip.Bottom; y += bh)
                for (int32_t x = x0; x < clip.Right; x += bw)
                    canvas.Draw(x, y, *tile);
            return;
        } catch (const std::exception&) {
            // A failed tiling leaves the plain colour.
        }
    }
    canvas.FillRect(clip);
}

} // namespace htmlview
