#pragma once
// The document: the page's column of sections with the defaults every section takes (fonts,
// colours), the selection, the scroll position, and the timer that steps animated pictures.
#include "htmlview/Cell.h"

#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace htmlview {

class TFormWidgetFactory;
class THtmlView;
class ThtmlForm;
class TMapItem;
class TPaintPanel;
struct TBitmapItem;

// What the document asks of an animated picture it shows.
class TAnimatedPicture {
public:
    virtual ~TAnimatedPicture() = default;
    bool ShowIt = false; // drawn by the current paint
    virtual void SetCurrentFrame(int32_t frame) = 0;
    virtual void SetAnimate(bool animate) = 0;
    // Steps to the next frame when the current one's delay has run out.
    virtual void CheckTime(TPaintPanel* panel) = 0;
};

// A picture whose data the image request handler will deliver later, and who waits for it
// (none: the document's own background).
struct TPendingImage {
    std::string Name;
    TImageObj* Waiting = nullptr;
};

class TSectionList : public TCell {
public:
    static constexpr size_t MaxFontNameLength = 33;
    static constexpr int AnimationInterval = 50; // milliseconds

    // Screen is the canvas font runs measure on; it must outlive the document.
    TSectionList(THtmlView* control, TPaintPanel* paintPanel, platform::TCanvas& screen);
    ~TSectionList() override;

    bool ShowImages = false;
    int32_t ScrollTop = 0;
    bool ScrollChanged = false;
    // The selection is [SelStart, SelEnd); empty when SelEnd <= SelStart.
    int32_t SelStart = 0;
    int32_t SelEnd = 0;
    std::string FontName;
    std::string PreFontName;
    platform::TColor FontColor = 0;
    platform::TColor LinkColor = 0;
    uint8_t Charset = 0;
    THtmlView* const Control;        // not owned
    TPaintPanel* const PaintPanel;   // not owned
    // The page's background colour is the column's BackgroundColor.
    std::function<void(TSectionList&)> BackgroundChanged;
    platform::TBitmap* BackgroundBitmap = nullptr; // belongs to the shared picture cache
    std::string BackgroundImageName;
    bool BackgroundFetched = false;
    std::vector<TAnimatedPicture*> AnimatedImages; // not owned
    QTimer AnimationTimer;
    std::vector<TFormControlObj*> FormControls; // not owned: each form owns its controls
    std::vector<std::unique_ptr<ThtmlForm>> Forms;
    std::vector<std::unique_ptr<TMapItem>> ImageMaps;
    // Makes the window controls of forms on the paint panel; none: forms show no controls.
    std::unique_ptr<TFormWidgetFactory> WidgetFactory;
    // A form's data (lines "name=value"), a click on a form control with its ONCLICK text, and
    // a form control taking the focus; unset: nothing happens.
    std::function<void(const std::string& action, const std::string& target, const std::string& encType,
                       const std::string& method, std::vector<std::string> results)>
        FormSubmit;
    std::function<void(TFormControlObj& control, const std::string& onClick)> ObjectClick;
    std::function<void(TFormControlObj& control)> ControlNotify;
    // Receives each SCRIPT of the page: its LANGUAGE and its text, line ends as CR LF; the text
    // is the handler's. Unset: scripts are read past and leave no trace.
    std::function<void(const std::string& language, std::string script)> ScriptHandler;
    std::vector<TPendingImage> PendingImages;
    // The control's image request: it points Stream at the picture's bytes (kept alive by the
    // handler), at WaitStream() when the picture comes later, or leaves it none. Unset: pictures
    // are read from files.
    std::function<void(const std::string& name, const std::string*& stream)> ImageRequest;
    // Makes a page's relative path absolute (the control's path expansion); unset: kept as is.
    std::function<std::string(const std::string& path)> ExpandPath;
    // Shows the message of a section dropped by a layout error (an error box in the control).
    std::function<void(const std::string& message)> ShowErrorBox;

    platform::TCanvas& Screen() const { return Screen_; }

    // Forgets the page: sections, background picture, lists and selection.
    void Clear() override;
    // Names longer than 33 characters are cut; every section takes the new fonts.
    void SetDefaults(const std::string& fontName, const std::string& preFontName, int32_t fontSize,
                     platform::TColor fontColor, platform::TColor linkColor,
                     platform::TColor backgroundColor);
    void SetBackgroundColor(platform::TColor color);
    void SetBackgroundImageName(const std::string& name);
    void SetScrollTop(int32_t y);

    // The picture of Name through the shared cache: taken from it, or read (image request, else
    // file) and added to it. The caller becomes a user of the entry it gets and releases it with
    // ImageCache().ReleaseImage(Name). TransparentMode 1 (TRANSP) asks for the lower-left
    // colour's mask; a GIF's own transparency sets 2. Delayed: the picture comes later.
    TBitmapItem* FetchImage(const std::string& name, uint8_t& transparentMode, bool& delayed, bool& fromCache,
                            const platform::TBitmap*& mask);
    // The BODY BACKGROUND picture, fetched once when pictures are shown; none for an animated
    // or missing picture.
    const platform::TBitmap* BackgroundImage();

    // The document passes: the timer rests while they run and starts again after them when
    // the page has animated pictures.
    int32_t Layout(platform::TCanvas& canvas, int32_t y, int32_t width, int32_t& maxWidth,
                   int32_t& charIndex) override;
    int32_t Paint(platform::TCanvas& canvas, const platform::TRect& clipRect, int32_t paintClipWidth,
                  int32_t x, int32_t y) override;

    // Sum of the heights of the sections before section N (never counting the last one).
    int32_t SectionTop(int n) const;
    void AnimationTick();
    void ShowProcessError(const std::string& message);
    // Takes the form controls built inside Section out of their forms and frees them, so that a
    // dropped section leaves no control to tab to or to submit.
    void DropFormControlsOf(const TSectionBase& section);

private:
    void StartAnimationTimer();
    // Reads a picture that is not in the cache.
    std::unique_ptr<TBitmapItem> RequestImage(const std::string& name, uint8_t& transparentMode, bool& delayed);
    std::unique_ptr<TBitmapItem> ReadImageFile(const std::string& name, uint8_t& transparentMode);
    // The cache entry at Index for one more user, with its mask (made for TRANSP when asked).
    TBitmapItem* TakeCachedImage(int index, uint8_t& transparentMode, bool& fromCache,
                                 const platform::TBitmap*& mask);
    void ReleaseBackground();

    std::string BackgroundKey_; // the cache entry the background holds, if any

    platform::TCanvas& Screen_;
};

} // namespace htmlview
