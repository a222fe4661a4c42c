#pragma once
// An inline picture (IMG, or the picture of an image input): it stands in a text section as one
// marker character, finds its picture through the document's fetch, decides its displayed size
// from WIDTH, HEIGHT and the picture's own size, shows a box with the ALT text while the picture
// is off, pending or broken, paints itself (stretched, through its mask, or as an animated GIF),
// draws a frame in the link colour inside a link, and answers hit tests relative to itself.
#include "htmlview/SectionObjects.h"
#include "platform/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>

namespace htmlview {

class TAttributeList;
class TGIFImage;

class TImageObj : public TInlinePicture {
public:
    // Displayed sizes (WIDTH, HEIGHT and what follows from them) stay within this many pixels.
    static constexpr int32_t MaxImageSize = 32000;
    // A placeholder box is at least this big, and its ALT text starts this far in.
    static constexpr int32_t PlaceholderMinSize = 24;
    static constexpr int32_t PlaceholderInset = 4;
    static constexpr int32_t DefaultHSpace = 5;
    static constexpr int32_t MaxHSpace = 20;

    explicit TImageObj(const TAttributeList& attributes);
    ~TImageObj() override;

    int32_t HeightAttr = 0; // HEIGHT, at least 1; 0 when not given
    int32_t WidthAttr = 0;  // WIDTH in pixels, or 1..100 percent with WidthIsPercent; 0 when not given
    int32_t DisplayHeight = 0;
    int32_t DisplayWidth = 0;
    bool SizeFixed = false;
    std::string Source; // made absolute at the first fetch when no image request handler is set
    std::string Alt;
    bool NoBorder = false; // BORDER=0
    // The picture shown: a bitmap (maybe a stand-in) or an animated GIF; neither before the
    // first measure with pictures on. The cache owns them, except a GIF copy made for this object.
    const platform::TBitmap* Bitmap = nullptr;
    TGIFImage* Gif = nullptr;
    const platform::TBitmap* MaskBitmap = nullptr; // white = transparent; not owned
    TSectionList* Document = nullptr;
    uint8_t Transparency = 0; // 0 none, 1 TRANSP (the lower-left pixel's colour), 2 a GIF's own
    bool IsMap = false;
    bool UseMap = false;
    bool HasFrame = false;
    int32_t PaintX = 0; // screen X where the picture itself was last drawn (inside the frame)
    int32_t PaintY = 0; // document Y of the same
    std::string UseMapName; // upper case, without a leading "#" unless that is all of it
    TFormControlObj* FormControl = nullptr; // the image input it shows, if any

    void MeasureImage(TSectionList* document, platform::TCanvas& canvas, const TFontObj& run,
                      int32_t availableWidth) override;
    void PaintImage(platform::TCanvas& canvas, int32_t x, int32_t top, int32_t baseline, const TFontObj& run) override;
    bool ImageHit(int32_t x, int32_t y, int32_t& pictureX, int32_t& pictureY) override;
    bool LinkHit(int32_t x, int32_t y, TPictureLinkHit& hit) override;
    TImageObj* Image() override { return this; }

    // Whether what is shown stands in for the picture (off, pending or broken).
    bool ShowsPlaceholder() const;

private:
    void ReadAttributes(const TAttributeList& attributes);
    // Fetches the picture at the first measure with pictures on.
    void FetchPicture(TSectionList& document);
    void ComputeSize(const platform::TBitmap* measured, int32_t naturalWidth, int32_t naturalHeight,
                     int32_t availableWidth);
    void FitPlaceholderText(platform::TCanvas& canvas);
    void DrawPicture(platform::TCanvas& canvas, int32_t x, int32_t y);

    std::unique_ptr<TGIFImage> OwnGif_; // a copy of a cached GIF, animating on its own
    std::string HeldKey_;               // the cache entry this object counts as a user of
    bool Painted_ = false;
};

} // namespace htmlview
