#pragma once
// THtmlView: the control through which the programs show HTML. It owns one parsed document,
// lays it out for its width, draws it on its paint panel with its own scroll bars and frame,
// and handles keys, the mouse (links, selection with auto-scroll, word selection), anchors, a
// history of visited files, the refresh META and the clipboard.
//
// Long operations (loads, new layouts, margin, picture and scroll-style changes) run inside the
// Processing state; calls that arrive meanwhile are ignored and OnProcessing reports each change.
#include "htmlview/HtmlBuilder.h"
#include "htmlview/SectionList.h"
#include "platform/QtCanvas.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QScrollBar;

namespace htmlview {

class T32ScrollBar;
class TPaintPanel;
class TImageObj;
class TFormControlObj;
enum class TScrollCode : uint8_t;

enum class THTMLBorderStyle : uint8_t { htFocused, htNone, htSingle };
enum class TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// What a loaded file was shown as (1, a plain text file, is not offered by this control).
enum TDocumentKind : uint8_t { dkHtml = 0, dkPicture = 2 };

// The one-tag page that shows a picture file: an IMG whose SRC is the whole name, quotes
// written as "&quot;".
std::string ImageFileTag(const std::string& fileName);

// Where the top of the view lies: the section that holds it and the pixel offset into that
// section. Both are full integers, so tall sections and long pages keep their place.
struct TDocumentPosition {
    int32_t Section = 0;
    int32_t Offset = 0;
    bool operator==(const TDocumentPosition&) const = default;
};

// One history entry's position.
struct PositionObj {
    TDocumentPosition ScrollPosition;
    uint8_t DocumentKind = dkHtml;
};

// A visited file, newest first in the history.
struct THistoryEntry {
    std::string FileName;
    PositionObj Position;
    std::string Title;
};

struct TRightClickParameters {
    std::string LinkURL;    // the link under the mouse, empty when none
    std::string LinkTarget; // its target frame name
    TImageObj* ClickedImage = nullptr;
    int32_t ImageClickX = 0;
    int32_t ImageClickY = 0;
};

class THtmlView;

using THotSpotEvent = std::function<void(THtmlView* sender, const std::string& src)>;
// Handled starts false; true stops the viewer's own following of the link.
using THotSpotClickEvent = std::function<void(THtmlView* sender, const std::string& src, bool& handled)>;
// Results belong to the handler.
using TFormSubmitEvent =
    std::function<void(THtmlView* sender, const std::string& action, const std::string& target,
                       const std::string& encType, const std::string& method, std::vector<std::string> results)>;
using TNotifyEvent = std::function<void(THtmlView* sender)>;
// A click on a form button, check box or radio button, with the control's ONCLICK text.
using TObjectClickEvent =
    std::function<void(THtmlView* sender, TFormControlObj* obj, const std::string& onClick)>;
using TProcessingEvent = std::function<void(THtmlView* sender, bool processingOn)>;
using TSoundType =
    std::function<void(THtmlView* sender, const std::string& src, int32_t loop, bool terminate)>;
using TMetaType = std::function<void(THtmlView* sender, const std::string& httpEq, const std::string& name,
                                     const std::string& content)>;
using TMetaRefreshType = std::function<void(THtmlView* sender, int32_t delay, const std::string& url)>;
using TImageClickEvent = std::function<void(THtmlView* sender, TImageObj* obj, Qt::MouseButton button,
                                            Qt::KeyboardModifiers shift, int32_t x, int32_t y)>;
using TImageOverEvent = std::function<void(THtmlView* sender, TImageObj* obj, Qt::KeyboardModifiers shift,
                                           int32_t x, int32_t y)>;
// Points Stream at the bytes of picture Src (kept alive by the handler until the next call),
// at WaitStream() when the picture comes later, or leaves it none (no picture).
using TGetImageEvent = std::function<void(THtmlView* sender, const std::string& src, const std::string*& stream)>;
using TRightClickEvent = std::function<void(THtmlView* sender, const TRightClickParameters& parameters)>;
// A SCRIPT of the page: its LANGUAGE and its text, line ends as CR LF; the text is the handler's.
using TScriptEvent = std::function<void(THtmlView* sender, const std::string& language, std::string script)>;
// The control's own mouse and key events, each fired before the viewer handles the same event.
// Mouse coordinates are the paint panel's; a double click goes down and up twice. Key is a Qt
// key code; a handler that sets it to 0 leaves the viewer nothing to do with it. Keys typed in a
// form control of the page are that control's: they fire none of these.
using TMouseEvent = std::function<void(THtmlView* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                       int32_t x, int32_t y)>;
using TMouseMoveEvent = std::function<void(THtmlView* sender, Qt::MouseButtons buttons,
                                           Qt::KeyboardModifiers shift, int32_t x, int32_t y)>;
using TKeyEvent = std::function<void(THtmlView* sender, int& key, Qt::KeyboardModifiers shift)>;
// A typed character, in Windows-1252.
using TKeyPressEvent = std::function<void(THtmlView* sender, char key)>;

class THtmlView : public QWidget {
public:
    static constexpr int32_t MaxDocumentWidth = 2000;
    static constexpr int32_t LineStep = 16;       // vertical small change
    static constexpr int32_t HorizontalStep = 15; // horizontal small change
    static constexpr int32_t WheelLines = 3;      // lines per wheel notch
    static constexpr int AutoScrollInterval = 100; // milliseconds
    static constexpr int32_t MaxMargin = 50;
    static constexpr int32_t MinFontSize = 6;
    static constexpr int32_t MaxImageCacheCount = 20;

    explicit THtmlView(QWidget* parent = nullptr);
    ~THtmlView() override;

    // Events.
    THotSpotEvent OnHotSpotCovered;
    THotSpotClickEvent OnHotSpotClick;
    TFormSubmitEvent OnFormSubmit;
    TObjectClickEvent OnObjectClick;
    TNotifyEvent OnHistoryChange;
    TProcessingEvent OnProcessing;
    TIncludeHandler OnInclude;
    TSoundType OnSoundRequest;
    TMetaType OnMeta;
    TMetaRefreshType OnMetaRefresh;
    TImageClickEvent OnImageClick;
    TImageOverEvent OnImageOver;
    TRightClickEvent OnRightClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    // The control took the focus from another control of its window.
    TNotifyEvent OnEnter;
    // Pictures come from this handler instead of files (names are then taken as written).
    const TGetImageEvent& OnImageRequest() const { return OnImageRequest_; }
    void SetOnImageRequest(TGetImageEvent handler);
    // Scripts go to this handler; without one they are read past.
    const TScriptEvent& OnScript() const { return OnScript_; }
    void SetOnScript(TScriptEvent handler);
    // Shows an error that an event handler of the viewer caught. It runs later, from the event
    // loop, never inside the handler; by default a critical message box.
    std::function<void(const std::string& message)> ErrorBox;

    // Properties.
    bool ViewImages() const { return Document_->ShowImages; }
    void SetViewImages(bool value);
    platform::TColor DefBackground() const { return DefBackground_; }
    void SetDefBackground(platform::TColor value);
    THTMLBorderStyle BorderStyle() const { return BorderStyle_; }
    void SetBorderStyle(THTMLBorderStyle value);
    int32_t HistoryMaxCount() const { return HistoryMaxCount_; }
    void SetHistoryMaxCount(int32_t value);
    const std::string& DefFontName() const { return DefFontName_; }
    void SetDefFontName(const std::string& value);
    const std::string& DefPreFontName() const { return DefPreFontName_; }
    void SetDefPreFontName(const std::string& value);
    int32_t DefFontSize() const { return DefFontSize_; }
    void SetDefFontSize(int32_t value);
    platform::TColor DefFontColor() const { return DefFontColor_; }
    void SetDefFontColor(platform::TColor value);
    platform::TColor DefHotSpotColor() const { return DefHotSpotColor_; }
    void SetDefHotSpotColor(platform::TColor value);
    int32_t ImageCacheCount() const { return ImageCacheCount_; }
    void SetImageCacheCount(int32_t value);
    bool NoSelect() const { return NoSelect_; }
    void SetNoSelect(bool value);
    TScrollStyle ScrollBars() const { return ScrollBars_; }
    void SetScrollBars(TScrollStyle value);
    uint8_t CharSet() const { return CharSet_; }
    void SetCharSet(uint8_t value);
    int32_t MarginHeight() const { return MarginHeight_; }
    void SetMarginHeight(int32_t value);
    int32_t MarginWidth() const { return MarginWidth_; }
    void SetMarginWidth(int32_t value);
    const std::string& ServerRoot() const { return ServerRoot_; }
    void SetServerRoot(const std::string& value);

    // Loading (HtmlViewLoad.cpp). A parse error is passed on after the part read before it was
    // laid out and shown; a missing file raises platform::EInOutError and changes nothing.
    void LoadFromBuffer(const char* buffer, int32_t bufSize);
    // FileName may end in "#" and an anchor name.
    void LoadFromFile(const std::string& fileName);
    void LoadImageFile(const std::string& fileName);
    virtual void Clear();

    // Selection and clipboard.
    void SelectAll();
    void CopyToClipboard();
    // The selected text, zero-terminated, in BufSize bytes; returns the characters + 1 (0 when
    // BufSize <= 0).
    int32_t GetSelTextBuf(char* buffer, int32_t bufSize);
    int32_t SelLength();
    // Only 0 is taken: it empties the selection.
    void SetSelLength(int32_t value);

    // Links, anchors and history (HtmlViewMouse.cpp).
    bool JumpToAnchor(const std::string& dest);
    virtual void FollowHotSpot();
    virtual std::string ExpandDocumentPath(const std::string& url) const;
    const std::vector<THistoryEntry>& History() const { return History_; }

    // Positions.
    int32_t VerticalPosition() const;
    void SetVerticalPosition(int32_t value);
    int32_t HorizontalPosition() const;
    TDocumentPosition GetDocumentPosition() const;
    void SetDocumentPosition(const TDocumentPosition& position);
    void ScrollToY(int32_t y);

    // State.
    bool Processing() const { return Processing_; }
    bool LayingOut() const { return LayingOut_; }
    const std::string& PageTitle() const { return PageTitle_; }
    const std::string& BaseHref() const { return BaseHref_; }
    const std::string& BaseTargetName() const { return BaseTargetName_; }
    const std::string& LoadedFileName() const { return LoadedFileName_; }
    uint8_t DocumentKind() const { return DocumentKind_; }
    int32_t DocumentHeight() const { return DocumentHeight_; }
    int32_t DocumentWidth() const { return DocumentWidth_; }
    const std::string& CoveredURL() const { return CoveredURL_; }
    const std::string& CoveredTarget() const { return CoveredTarget_; }
    int32_t CaretIndex() const { return CaretIndex_; }
    bool AutoScrolling() const { return AutoScrolling_; }
    TSectionList& Document() { return *Document_; }
    TPaintPanel& PaintPanel() const { return *Panel_; }
    T32ScrollBar& VScrollBar() const { return *VScrollBar_; }
    QScrollBar& HScrollBar() const { return *HScrollBar_; }

    // Hooks of form controls: brings a control whose line lies at document Y into view, and
    // hands a submission to OnFormSubmit from the event loop (one pending at a time).
    void ScrollControlIntoView(int32_t controlY);
    void QueueFormSubmit(const std::string& action, const std::string& target, const std::string& encType,
                         const std::string& method, std::vector<std::string> results);

    // The paint panel's entry points. Coordinates are the panel's.
    virtual void PanelPaint(platform::TCanvas& canvas);
    void PaintBackground(platform::TCanvas& canvas, const platform::TRect& clip);
    virtual void PanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    virtual void PanelMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    virtual void PanelMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    // The press of a double click's second click (Qt sends no other).
    void PanelDoubleClick(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    void SelectWordAt(int32_t x, int32_t y);
    // Runs Action; an exception it raises is shown through ErrorBox later instead of leaving the
    // Qt event handler that called it.
    void RunGuarded(const std::function<void()>& action);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Tab and Backtab from the control or from one of its form controls reach the form controls
    // out of sight too.
    bool focusNextPrevChild(bool next) override;

private:
    // HtmlView.cpp: construction, properties, selection.
    void CreateParts();
    // The document's form controls: widgets on the panel, submissions, clicks and focus.
    void BindFormEvents();
    void ChangeProcessingState(bool value);
    // Body inside the Processing state (with the hourglass when asked), left also on errors.
    void WithProcessing(bool hourglass, const std::function<void()>& body);
    void RefreshFontsAndLayout(bool layout);
    bool Loaded() const { return Document_->Count() > 0; }
    // An error box later, from the event loop; ShowErrorLater adds none while one is waiting.
    void ShowErrorLater(const std::string& message);
    void QueueErrorBox(const std::string& message);
    void ShowPendingErrors();

    // HtmlViewLoad.cpp.
    // Empties the document for a new page; a load also ages the shared picture cache.
    void PrepareDocument(bool purgeImageCache);
    void StopBackgroundSound();
    TParseHandlers HtmlHandlers();
    // Loads and, when the file or the kind changed, records the page left in the history.
    void LoadIntoHistory(const std::string& fileName, uint8_t kind);
    void LoadDocument(const std::string& fileName, uint8_t kind);
    void ParseDocument(const std::string& path, uint8_t kind);
    void FinishLoading();
    void LayoutDocument();
    // New layout that keeps the reader's place; the public one is ignored while Processing.
    void RelayoutKeepingPosition();
    void LayoutKeepingPosition();
    void UpdateScrollBars();
    bool VerticalBarsAllowed() const;
    bool HorizontalBarsAllowed() const;
    int32_t MaxScrollY() const;
    void VerticalScroll(TScrollCode code, int32_t trackPosition);
    // Moves to Y; a one-line move scrolls the pixels, any other repaints.
    void ScrollByKeyTo(int64_t y);
    void SetHorizontalPosition(int32_t x);
    void FireMetaRefresh();

    // HtmlViewMouse.cpp.
    int32_t DocumentY(int32_t panelY) const;
    int32_t IndexAtPanelPoint(int32_t x, int32_t y, bool& inLine, int32_t& lineTop);
    bool HotSpotAt(int32_t x, int32_t y, TFormControlObj*& formControl, TUrlTarget& urlTarget);
    bool ImageAtPanelPoint(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY);
    void ExtendSelection(int32_t x, int32_t y);
    void StartAutoScroll();
    void AutoScrollStep();
    void StopAutoScroll();
    bool HotSpotClickHandled();
    void AddToHistory(const std::string& oldFile, const std::string& oldTitle, uint8_t oldKind,
                      const TDocumentPosition& oldPosition);
    void EmptyHistory();
    void MetaReceived(const std::string& httpEq, const std::string& name, const std::string& content);
    void DeliverFormSubmit();

    // The canvas font runs measure on and layout and hit tests use.
    platform::TQtCanvas Screen_;
    TPaintPanel* Panel_ = nullptr;
    T32ScrollBar* VScrollBar_ = nullptr;
    QScrollBar* HScrollBar_ = nullptr;
    std::unique_ptr<TSectionList> Document_;
    TAnchorList AnchorNames_;
    TParsedHead ParsedHead_;

    platform::TColor DefBackground_ = platform::clBtnFace;
    THTMLBorderStyle BorderStyle_ = THTMLBorderStyle::htFocused;
    int32_t HistoryMaxCount_ = 0;
    std::string DefFontName_;
    std::string DefPreFontName_;
    int32_t DefFontSize_ = 12;
    platform::TColor DefFontColor_ = platform::clBtnText;
    platform::TColor DefHotSpotColor_ = platform::clBlue;
    int32_t ImageCacheCount_ = 5;
    TGetImageEvent OnImageRequest_;
    TScriptEvent OnScript_;
    bool NoSelect_ = false;
    TScrollStyle ScrollBars_ = TScrollStyle::ssBoth;
    uint8_t CharSet_ = platform::DEFAULT_CHARSET;
    int32_t MarginHeight_ = 5;
    int32_t MarginWidth_ = 10;
    std::string ServerRoot_;

    bool Processing_ = false;
    bool LayingOut_ = false;
    std::string PageTitle_;
    std::string BaseHref_;
    std::string BaseTargetName_;
    std::string LoadedFileName_;
    uint8_t DocumentKind_ = dkHtml;
    int32_t DocumentHeight_ = 0;
    int32_t DocumentWidth_ = 0;
    int32_t ScrollBarWidth_ = 0;
    int32_t LayoutWidth_ = -1; // the width at the last layout
    int32_t HorizontalMaximum_ = 0;

    std::string CoveredURL_;
    std::string CoveredTarget_;
    int32_t CaretIndex_ = 0;
    int32_t MouseDownIndex_ = -1;
    bool LeftButtonDown_ = false;
    bool LinkClickPending_ = false;
    bool AutoScrolling_ = false;
    bool LinkJustFollowed_ = false;
    // A double click's second press comes before its word selection, which asks about the click
    // before it.
    bool LinkFollowedBeforePress_ = false;
    QPoint LastMousePoint_;
    Qt::MouseButtons LastMouseButtons_;
    QTimer AutoScrollTimer_;

    std::vector<THistoryEntry> History_;
    int32_t PendingRefreshDelay_ = 0;
    std::string PendingRefreshURL_;

    struct TPendingSubmit {
        std::string Action, Target, EncType, Method;
        std::vector<std::string> Results;
    };
    std::unique_ptr<TPendingSubmit> PendingSubmit_;
    std::deque<std::string> PendingErrors_; // the front one is in its box or about to be
};

} // namespace htmlview
