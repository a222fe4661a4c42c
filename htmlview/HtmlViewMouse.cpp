// The mouse on the paint panel (cursors, links, pictures, selection with auto-scroll, word
// selection), following links and anchors, the history, the refresh META and form hand-overs.
#include "htmlview/HtmlView.h"

#include "htmlview/HtmlForms.h"
#include "htmlview/PaintPanel.h"
#include "htmlview/Section.h"
#include "htmlview/ScrollBar32.h"
#include "htmlview/ViewerCursors.h"
#include "platform/FileSystem.h"
#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <charconv>

namespace htmlview {

namespace {

constexpr int32_t AutoScrollFar = 15;     // pixels beyond the edge that make the step large
constexpr int32_t AutoScrollLargeSteps = 8; // lines of a large step
constexpr size_t MaxAnchorLength = 255;
constexpr size_t MaxExtensionLength = 5;

bool IsWordChar(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || c >= 0xF8;
}

// The extension of the file name part, with its dot; empty when it has none.
std::string FileExtension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    const size_t separator = path.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return {};
    return path.substr(dot);
}

// A decimal integer, blanks around it allowed; Fallback for anything else.
int32_t IntegerOr(const std::string& text, int32_t fallback)
{
    const std::string trimmed = platform::TrimControlAndSpace(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+')
        ++first;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && first != last ? value : fallback;
}

} // namespace

int32_t THtmlView::DocumentY(int32_t panelY) const
{
    return ClampInt32(int64_t{panelY} + Document_->ScrollTop - MarginHeight_);
}

int32_t THtmlView::IndexAtPanelPoint(int32_t x, int32_t y, bool& inLine, int32_t& lineTop)
{
    int32_t caretX = 0;
    int32_t lineHeight = 0;
    TCell* cell = nullptr;
    inLine = false;
    return Document_->IndexAtPoint(Screen_, x, DocumentY(y), caretX, lineTop, lineHeight, cell, inLine);
}

bool THtmlView::HotSpotAt(int32_t x, int32_t y, TFormControlObj*& formControl, TUrlTarget& urlTarget)
{
    return Document_->LinkAt(Screen_, x, DocumentY(y), urlTarget, formControl);
}

bool THtmlView::ImageAtPanelPoint(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY)
{
    image = nullptr;
    return Document_->ImageAt(x, DocumentY(y), image, imageX, imageY);
}

void THtmlView::PanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
    setFocus(Qt::MouseFocusReason);
    LinkFollowedBeforePress_ = LinkJustFollowed_;
    LinkJustFollowed_ = false;
    if (button != Qt::LeftButton)
        return;
    LinkClickPending_ = true;
    LeftButtonDown_ = true;
    LastMouseButtons_ = Qt::LeftButton;
    bool inLine = false;
    int32_t lineTop = 0;
    MouseDownIndex_ = IndexAtPanelPoint(x, y, inLine, lineTop);
    if (MouseDownIndex_ < 0)
        return;
    if (Document_->SelEnd > Document_->SelStart)
        Panel_->update();
    Document_->SelStart = MouseDownIndex_;
    Document_->SelEnd = MouseDownIndex_;
    CaretIndex_ = MouseDownIndex_;
}

void THtmlView::PanelDoubleClick(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y)
{
    PanelMouseDown(button, shift, x, y);
    if (button != Qt::LeftButton)
        return;
    // This press selects a word: its release follows no link (the first click's did already).
    LinkClickPending_ = false;
    SelectWordAt(x, y);
}

void THtmlView::PanelMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int32_t x, int32_t y)
{
    if (OnMouseMove)
        OnMouseMove(this, buttons, shift, x, y);
    LastMousePoint_ = {x, y};
    LastMouseButtons_ = buttons;
    std::string url;
    std::string target;
    TFormControlObj* formControl = nullptr;
    TUrlTarget link;
    TImageObj* image = nullptr;
    int32_t imageX = 0;
    int32_t imageY = 0;
    if (HotSpotAt(x, y, formControl, link)) {
        Panel_->setCursor(ViewerCursor(crHotSpot));
        if (formControl == nullptr) {
            url = link.UrlText;
            target = link.TargetName;
        }
    } else if ((OnImageClick || OnImageOver) && ImageAtPanelPoint(x, y, image, imageX, imageY)) {
        Panel_->setCursor(Qt::ArrowCursor);
        if (OnImageOver)
            OnImageOver(this, image, shift, imageX, imageY);
    } else {
        bool inLine = false;
        int32_t lineTop = 0;
        const bool overText = IndexAtPanelPoint(x, y, inLine, lineTop) >= 0 && inLine;
        Panel_->setCursor(overText ? cursor() : QCursor(Qt::ArrowCursor));
    }
    if (url != CoveredURL_) {
        CoveredURL_ = url;
        CoveredTarget_ = target;
        if (OnHotSpotCovered)
            OnHotSpotCovered(this, url);
    }
    const bool leftHeld = buttons.testFlag(Qt::LeftButton);
    if (leftHeld && !AutoScrolling_ && (y <= 0 || y > Panel_->height()))
        StartAutoScroll();
    if (leftHeld && !NoSelect_)
        ExtendSelection(x, y);
}

void THtmlView::ExtendSelection(int32_t x, int32_t y)
{
    if (!LeftButtonDown_ || MouseDownIndex_ < 0)
        return;
    y = std::clamp(y, 0, Panel_->height());
    bool inLine = false;
    int32_t lineTop = 0;
    const int32_t index = IndexAtPanelPoint(x, y, inLine, lineTop);
    if (index < 0)
        return;
    if (index != CaretIndex_ && !NoSelect_) {
        Document_->SelStart = std::min(MouseDownIndex_, index);
        Document_->SelEnd = std::max(MouseDownIndex_, index);
        Panel_->update();
    }
    CaretIndex_ = index;
}

void THtmlView::StartAutoScroll()
{
    AutoScrolling_ = true;
    // Posted, so the mouse move that asked for it returns first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            RunGuarded([this] { AutoScrollStep(); });
            if (AutoScrolling_)
                AutoScrollTimer_.start();
        },
        Qt::QueuedConnection);
}

void THtmlView::StopAutoScroll()
{
    AutoScrolling_ = false;
    AutoScrollTimer_.stop();
}

void THtmlView::AutoScrollStep()
{
    const int32_t y = LastMousePoint_.y();
    const int32_t height = Panel_->height();
    if (!AutoScrolling_ || !LeftButtonDown_ || !LastMouseButtons_.testFlag(Qt::LeftButton) ||
        (y > 0 && y <= height)) {
        StopAutoScroll();
        return;
    }
    int32_t step = LineStep;
    if (y < -AutoScrollFar)
        step = -AutoScrollLargeSteps * LineStep;
    else if (y <= 0)
        step = -LineStep;
    else if (y > height + AutoScrollFar)
        step = AutoScrollLargeSteps * LineStep;
    ScrollToY(ClampInt32(int64_t{VerticalPosition()} + step));
    ExtendSelection(LastMousePoint_.x(), y);
}

void THtmlView::PanelMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
    if (OnImageClick || OnRightClick) {
        TImageObj* image = nullptr;
        int32_t imageX = 0;
        int32_t imageY = 0;
        const bool onImage = ImageAtPanelPoint(x, y, image, imageX, imageY);
        if (OnImageClick && onImage)
            OnImageClick(this, image, button, shift, imageX, imageY);
        if (button == Qt::RightButton && OnRightClick) {
            TRightClickParameters parameters;
            if (onImage) {
                parameters.ClickedImage = image;
                parameters.ImageClickX = imageX;
                parameters.ImageClickY = imageY;
            }
            TFormControlObj* formControl = nullptr;
            TUrlTarget link;
            if (HotSpotAt(x, y, formControl, link)) {
                parameters.LinkURL = link.UrlText;
                parameters.LinkTarget = link.TargetName;
            }
            OnRightClick(this, parameters);
        }
    }
    if (button != Qt::LeftButton)
        return;
    ExtendSelection(x, y);
    LeftButtonDown_ = false;
    StopAutoScroll();
    TFormControlObj* formControl = nullptr;
    TUrlTarget link;
    const bool hit = LinkClickPending_ && Document_->SelEnd <= Document_->SelStart &&
                     HotSpotAt(x, y, formControl, link);
    LinkClickPending_ = false;
    if (!hit)
        return;
    // A picture button records where it was clicked and submits its form.
    if (auto* imageButton = dynamic_cast<TImageFormControlObj*>(formControl)) {
        imageButton->ImageClick();
        return;
    }
    if (formControl)
        return;
    CoveredURL_ = link.UrlText;
    CoveredTarget_ = link.TargetName;
    LinkJustFollowed_ = true;
    FollowHotSpot();
}

void THtmlView::SelectWordAt(int32_t x, int32_t y)
{
    if (NoSelect_ || Processing_ || LinkJustFollowed_ || LinkFollowedBeforePress_)
        return;
    bool inLine = false;
    int32_t lineTop = 0;
    const int32_t index = IndexAtPanelPoint(x, y, inLine, lineTop);
    // A click on no character selects nothing.
    if (index < 0)
        return;
    CaretIndex_ = index;
    int32_t pointX = 0;
    int32_t pointY = 0;
    if (!Document_->PointOfIndex(Screen_, index, pointX, pointY) || pointY - MarginHeight_ != lineTop)
        return;
    unsigned char c = 0;
    TSectionBase* section = nullptr;
    if (!Document_->CharAt(index, c, section) || !IsWordChar(c))
        return;
    const auto wordCharAt = [&](int32_t i) {
        unsigned char other = 0;
        TSectionBase* otherSection = nullptr;
        return i >= 0 && Document_->CharAt(i, other, otherSection) && otherSection == section && IsWordChar(other);
    };
    int32_t first = index;
    int32_t last = index;
    while (wordCharAt(last + 1))
        ++last;
    while (wordCharAt(first - 1))
        --first;
    Document_->SelStart = first;
    Document_->SelEnd = last + 1;
    Panel_->update();
}

bool THtmlView::HotSpotClickHandled()
{
    bool handled = false;
    if (OnHotSpotClick)
        OnHotSpotClick(this, CoveredURL_, handled);
    return handled;
}

void THtmlView::FollowHotSpot()
{
    if (HotSpotClickHandled())
        return;
    const TDocumentPosition oldPosition = GetDocumentPosition();
    std::string url = CoveredURL_;
    if (!url.empty() && url.front() == '#') {
        if (JumpToAnchor(url))
            AddToHistory(LoadedFileName_, PageTitle_, DocumentKind_, oldPosition);
        return;
    }
    std::string anchor;
    if (const size_t hash = url.find('#'); hash != std::string::npos) {
        anchor = url.substr(hash, MaxAnchorLength);
        url.erase(hash);
    }
    url = ExpandDocumentPath(url);
    const std::string ext = platform::AnsiUpperCase(FileExtension(url)).substr(0, MaxExtensionLength);
    if (ext == ".HTM" || ext == ".HTML") {
        if (url != LoadedFileName_)
            LoadFromFile(url + anchor);
        else if (JumpToAnchor(anchor))
            AddToHistory(LoadedFileName_, PageTitle_, dkHtml, oldPosition);
    } else if (ext == ".BMP" || ext == ".GIF" || ext == ".JPG" || ext == ".JPEG" || ext == ".PNG") {
        LoadImageFile(url);
    }
}

std::string THtmlView::ExpandDocumentPath(const std::string& url) const
{
    const std::string path = UrlToRootedPath(platform::TrimControlAndSpace(url), ServerRoot_);
    if (!path.empty() && (path.front() == '/' || path.front() == '\\'))
        return platform::FullPathName(path);
    if ((path.size() >= 2 && path[1] == ':') || platform::AnsiSameText(BaseHref_, "DosPath"))
        return path;
    std::string folder = BaseHref_.empty() ? platform::ExtractFilePath(LoadedFileName_) : UrlToPath(BaseHref_);
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    return platform::FullPathName(folder + path);
}

bool THtmlView::JumpToAnchor(const std::string& dest)
{
    if (dest.empty())
        return false;
    const std::string name = platform::AnsiUpperCase(dest.front() == '#' ? dest.substr(1) : dest);
    const auto found = std::find_if(AnchorNames_.begin(), AnchorNames_.end(),
                                    [&](const TAnchor& anchor) { return anchor.Name == name && anchor.Section; });
    if (found == AnchorNames_.end())
        return false;
    ScrollToY(found->Section->Top);
    SetHorizontalPosition(0);
    return true;
}

void THtmlView::AddToHistory(const std::string& oldFile, const std::string& oldTitle, uint8_t oldKind,
                             const TDocumentPosition& oldPosition)
{
    if (HistoryMaxCount_ < 1 || LoadedFileName_.empty())
        return;
    const TDocumentPosition position = GetDocumentPosition();
    if (oldFile == LoadedFileName_ && oldKind == DocumentKind_ && oldPosition == position)
        return;
    // The newest entry learns where the reader left it.
    if (!History_.empty() && !oldFile.empty())
        History_.front() = {oldFile, {oldPosition, oldKind}, oldTitle};
    History_.insert(History_.begin(), {LoadedFileName_, {position, DocumentKind_}, PageTitle_});
    if (History_.size() > static_cast<size_t>(HistoryMaxCount_))
        History_.erase(History_.begin() + HistoryMaxCount_);
    if (OnHistoryChange)
        OnHistoryChange(this);
}

void THtmlView::EmptyHistory()
{
    const bool hadEntries = !History_.empty();
    History_.clear();
    if (hadEntries && OnHistoryChange)
        OnHistoryChange(this);
}

void THtmlView::MetaReceived(const std::string& httpEq, const std::string& name, const std::string& content)
{
    if (OnMeta)
        OnMeta(this, httpEq, name, content);
    if (!OnMetaRefresh || !platform::AnsiSameText(httpEq, "refresh"))
        return;
    const size_t semicolon = content.find(';');
    const int32_t delay = semicolon == std::string::npos ? -1 : IntegerOr(content.substr(0, semicolon), -1);
    const size_t url = platform::AnsiLowerCase(content).find("url=");
    if (delay >= 1 && url != std::string::npos) {
        PendingRefreshURL_ = content.substr(url + 4);
        PendingRefreshDelay_ = delay;
    }
}

void THtmlView::ScrollControlIntoView(int32_t controlY)
{
    const int32_t top = VerticalPosition();
    if (controlY >= top && controlY <= int64_t{top} + height() - 20)
        return;
    SetVerticalPosition(controlY - height() / 2);
    update();
}

void THtmlView::QueueFormSubmit(const std::string& action, const std::string& target, const std::string& encType,
                                const std::string& method, std::vector<std::string> results)
{
    if (!OnFormSubmit)
        return;
    PendingSubmit_ = std::make_unique<TPendingSubmit>(TPendingSubmit{action, target, encType, method, std::move(results)});
    QMetaObject::invokeMethod(this, [this] { DeliverFormSubmit(); }, Qt::QueuedConnection);
}

void THtmlView::DeliverFormSubmit()
{
    if (!PendingSubmit_)
        return;
    const std::unique_ptr<TPendingSubmit> submit = std::move(PendingSubmit_);
    if (OnFormSubmit)
        RunGuarded([&] {
            OnFormSubmit(this, submit->Action, submit->Target, submit->EncType, submit->Method,
                         std::move(submit->Results));
        });
}

} // namespace htmlview
