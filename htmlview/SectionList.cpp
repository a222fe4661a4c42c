// The document itself: its defaults, the background picture, the pictures it fetches through
// the shared cache, scrolling, layout and painting of its column, and the animation timer.
#include "htmlview/SectionList.h"

#include "htmlview/HtmlFormWidgets.h"
#include "htmlview/HtmlForms.h"
#include "htmlview/HtmlGif.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/HtmlImageLoad.h"
#include "htmlview/HtmlMaps.h"
#include "platform/FileSystem.h"
#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

#include <algorithm>

namespace htmlview {

using platform::TCanvas;
using platform::TBitmap;
using platform::TColor;
using platform::TRect;

TSectionList::TSectionList(THtmlView* control, TPaintPanel* paintPanel, TCanvas& screen)
    : TCell(this), Control(control), PaintPanel(paintPanel), Screen_(screen)
{
    AnimationTimer.setInterval(AnimationInterval);
    QObject::connect(&AnimationTimer, &QTimer::timeout, [this] { AnimationTick(); });
}

TSectionList::~TSectionList()
{
    AnimationTimer.stop();
    Clear();
}

void TSectionList::Clear()
{
    ReleaseBackground();
    BackgroundImageName.clear();
    BackgroundFetched = false;
    // The pictures and controls these point to go with the sections.
    FormControls.clear();
    Forms.clear();
    ImageMaps.clear();
    AnimatedImages.clear();
    PendingImages.clear();
    SelStart = 0;
    SelEnd = 0;
    TCell::Clear();
}

void TSectionList::SetDefaults(const std::string& fontName, const std::string& preFontName, int32_t fontSize,
                               TColor fontColor, TColor linkColor, TColor backgroundColor)
{
    FontName = fontName.substr(0, MaxFontNameLength);
    PreFontName = preFontName.substr(0, MaxFontNameLength);
    FontSize = fontSize;
    FontColor = fontColor;
    LinkColor = linkColor;
    SetBackgroundColor(backgroundColor);
    RefreshFonts();
}

void TSectionList::SetBackgroundColor(TColor color)
{
    BackgroundColor = color;
    if (BackgroundChanged)
        BackgroundChanged(*this);
}

void TSectionList::SetBackgroundImageName(const std::string& name)
{
    ReleaseBackground();
    BackgroundImageName = name;
    BackgroundFetched = false;
}

void TSectionList::ReleaseBackground()
{
    BackgroundBitmap = nullptr;
    if (!BackgroundKey_.empty())
        ImageCache().ReleaseImage(BackgroundKey_);
    BackgroundKey_.clear();
}

const TBitmap* TSectionList::BackgroundImage()
{
    if (!ShowImages || BackgroundFetched || BackgroundImageName.empty() || BackgroundBitmap)
        return BackgroundBitmap;
    std::string name = BackgroundImageName;
    if (!ImageRequest && ExpandPath)
        name = ExpandPath(name);
    uint8_t transparentMode = NoTransparency;
    bool delayed = false;
    bool fromCache = false;
    const TBitmap* mask = nullptr;
    if (TBitmapItem* item = FetchImage(name, transparentMode, delayed, fromCache, mask)) {
        BackgroundKey_ = name;
        BackgroundBitmap = item->Bitmap.get();
    } else if (delayed) {
        PendingImages.push_back({name, nullptr});
    }
    BackgroundFetched = true;
    return BackgroundBitmap;
}

namespace {

// The cache entry of a GIF: a still one becomes a bitmap with its own mask (or the TRANSP
// mask), an animated one stays a GIF.
std::unique_ptr<TBitmapItem> GifItem(std::unique_ptr<TGIFImage> gif, bool still, uint8_t& transparentMode)
{
    auto item = std::make_unique<TBitmapItem>();
    if (!still) {
        item->Gif = std::move(gif);
        return item;
    }
    const TBitmap* picture = gif->Bitmap();
    if (picture == nullptr)
        return nullptr;
    item->Bitmap = std::make_unique<TBitmap>(*picture);
    if (const TBitmap* mask = gif->HasTransparency() ? gif->Mask() : nullptr) {
        item->MaskBitmap = std::make_unique<TBitmap>(*mask);
        transparentMode = GifTransparent;
    } else if (transparentMode == LowerLeftTransparent) {
        item->MaskBitmap = MakeMask(*item->Bitmap, false, 0);
    }
    return item;
}

std::unique_ptr<TBitmapItem> BitmapItem(std::unique_ptr<TBitmap> bitmap, std::unique_ptr<TBitmap> mask)
{
    if (!bitmap)
        return nullptr;
    auto item = std::make_unique<TBitmapItem>();
    item->Bitmap = std::move(bitmap);
    item->MaskBitmap = std::move(mask);
    return item;
}

void DropUnusedPictures()
{
    ImageCache().DropUnused();
}

constexpr size_t MaxExtensionLength = 6;

bool HasGifExtension(const std::string& name)
{
    const std::string file = platform::ExtractFileName(name);
    const size_t dot = file.rfind('.');
    return dot != std::string::npos && platform::AnsiSameText(file.substr(dot, MaxExtensionLength), ".gif");
}

} // namespace

std::unique_ptr<TBitmapItem> TSectionList::RequestImage(const std::string& name, uint8_t& transparentMode,
                                                        bool& delayed)
{
    const std::string* stream = nullptr;
    ImageRequest(name, stream);
    if (stream == WaitStream()) {
        delayed = true;
        return nullptr;
    }
    if (stream == nullptr || stream->empty())
        return nullptr;
    const TPictureKind kind = PictureKind(*stream);
    if (kind == pkGif87a || kind == pkGif89a) {
        bool still = false;
        if (std::unique_ptr<TGIFImage> gif = CreateGIFFromStream(*stream, still, DropUnusedPictures))
            return GifItem(std::move(gif), still, transparentMode);
    }
    std::unique_ptr<TBitmap> mask;
    std::unique_ptr<TBitmap> bitmap = LoadPictureStream(stream, transparentMode, mask);
    return BitmapItem(std::move(bitmap), std::move(mask));
}

std::unique_ptr<TBitmapItem> TSectionList::ReadImageFile(const std::string& name, uint8_t& transparentMode)
{
    const std::string path = platform::ResolvePathCase(platform::TrimControlAndSpace(name));
    if (HasGifExtension(path)) {
        bool still = false;
        if (std::unique_ptr<TGIFImage> gif = CreateGIFFromFile(path, still, DropUnusedPictures))
            return GifItem(std::move(gif), still, transparentMode);
    }
    std::unique_ptr<TBitmap> mask;
    std::unique_ptr<TBitmap> bitmap = LoadPictureFileMasked(path, transparentMode, mask);
    return BitmapItem(std::move(bitmap), std::move(mask));
}

TBitmapItem* TSectionList::FetchImage(const std::string& name, uint8_t& transparentMode, bool& delayed,
                                      bool& fromCache, const TBitmap*& mask)
{
    delayed = false;
    fromCache = false;
    mask = nullptr;
    const std::string key = ImageCacheKey(name);
    if (key.empty())
        return nullptr;
    TStringBitmapList& cache = ImageCache();
    if (const int index = cache.IndexOf(key); index >= 0)
        return TakeCachedImage(index, transparentMode, fromCache, mask);
    std::unique_ptr<TBitmapItem> item =
        ImageRequest ? RequestImage(name, transparentMode, delayed) : ReadImageFile(name, transparentMode);
    if (!item)
        return nullptr;
    item->TransparencyKind = item->MaskBitmap ? transparentMode : NoTransparency;
    if (const int index = cache.AddObject(key, item); index >= 0) {
        TBitmapItem& added = cache.Item(index);
        mask = added.MaskBitmap.get();
        return &added;
    }
    // A handler that fetched the same name meanwhile filled the entry: that one serves, and
    // the picture read here goes.
    const int cached = cache.IndexOf(key);
    return cached >= 0 ? TakeCachedImage(cached, transparentMode, fromCache, mask) : nullptr;
}

TBitmapItem* TSectionList::TakeCachedImage(int index, uint8_t& transparentMode, bool& fromCache,
                                           const TBitmap*& mask)
{
    fromCache = true;
    TBitmapItem& item = ImageCache().TakeImage(index);
    if (item.Bitmap) {
        if (item.TransparencyKind == GifTransparent) {
            transparentMode = GifTransparent;
        } else if (transparentMode == LowerLeftTransparent) {
            if (!item.MaskBitmap)
                item.MaskBitmap = MakeMask(*item.Bitmap, false, 0);
            if (item.MaskBitmap)
                item.TransparencyKind = LowerLeftTransparent;
        }
        mask = item.MaskBitmap.get();
    }
    return &item;
}

void TSectionList::SetScrollTop(int32_t y)
{
    if (y == ScrollTop)
        return;
    ScrollTop = y;
    ScrollChanged = true;
    ClearPlacedControls(*this);
}

void TSectionList::StartAnimationTimer()
{
    if (!AnimatedImages.empty())
        AnimationTimer.start();
}

int32_t TSectionList::Layout(TCanvas& canvas, int32_t y, int32_t width, int32_t& maxWidth, int32_t& charIndex)
{
    AnimationTimer.stop();
    SetFormSizes(*this, canvas);
    const int32_t height = TCell::Layout(canvas, y, width, maxWidth, charIndex);
    for (TAnimatedPicture* picture : AnimatedImages) {
        // Loop count and frame timing start again with the new layout.
        picture->SetCurrentFrame(1);
        picture->SetAnimate(false);
        picture->SetAnimate(true);
    }
    HideUnplacedControls(*this);
    StartAnimationTimer();
    return height;
}

int32_t TSectionList::Paint(TCanvas& canvas, const TRect& clipRect, int32_t paintClipWidth, int32_t x, int32_t y)
{
    AnimationTimer.stop();
    // Only the pictures this paint draws step on the timer; drawing sets the flag again.
    for (TAnimatedPicture* picture : AnimatedImages)
        picture->ShowIt = false;
    const int32_t bottom = TCell::Paint(canvas, clipRect, paintClipWidth, x, y);
    if (ScrollChanged)
        HideUnplacedControls(*this);
    ScrollChanged = false;
    StartAnimationTimer();
    return bottom;
}

int32_t TSectionList::SectionTop(int n) const
{
    const int last = std::min(n, Count() - 1);
    int64_t top = 0;
    for (int i = 0; i < last; ++i)
        top += Items(i)->Height;
    return ClampInt32(top);
}

void TSectionList::AnimationTick()
{
    for (TAnimatedPicture* picture : AnimatedImages)
        if (picture->ShowIt)
            picture->CheckTime(PaintPanel);
    AnimationTimer.setInterval(AnimationInterval);
}

void TSectionList::ShowProcessError(const std::string& message)
{
    if (ShowErrorBox)
        ShowErrorBox(message);
}

void TSectionList::DropFormControlsOf(const TSectionBase& section)
{
    std::unordered_set<const TCell*> columns;
    section.AddOwnColumns(columns);
    for (const auto& form : Forms)
        form->DropControls([&columns](const TFormControlObj& control) { return columns.contains(control.Column); });
}

} // namespace htmlview
