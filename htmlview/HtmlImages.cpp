#include "htmlview/HtmlImages.h"

#include "htmlview/FontRuns.h"
#include "htmlview/HtmlDrawUtils.h"
#include "htmlview/HtmlForms.h"
#include "htmlview/HtmlGif.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/HtmlImageLoad.h"
#include "htmlview/HtmlMaps.h"
#include "htmlview/HtmlScanner.h"
#include "htmlview/IndentManager.h"
#include "htmlview/SectionList.h"
#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace htmlview {

using platform::TBitmap;
using platform::TCanvas;
using platform::TRect;

namespace {

constexpr int32_t MaxPercent = 100;
constexpr int32_t PlaceholderFontSize = 8;
constexpr int32_t StandInSize = 16;

int32_t ClampSize(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, TImageObj::MaxImageSize));
}

// The font pictures write their ALT text in.
platform::TFontData PlaceholderFont(platform::TColor color)
{
    platform::TFontData font;
    font.Name = "Arial";
    font.Size = PlaceholderFontSize;
    font.Color = color;
    return font;
}

uint8_t AlignOf(const std::string& value)
{
    const std::string upper = platform::AnsiUpperCase(value);
    if (upper == "TOP")
        return TInlinePicture::AlignTop;
    if (upper == "MIDDLE" || upper == "ABSMIDDLE")
        return TInlinePicture::AlignMiddle;
    if (upper == "LEFT")
        return TInlinePicture::AlignLeft;
    if (upper == "RIGHT")
        return TInlinePicture::AlignRight;
    return TInlinePicture::AlignBottom;
}

std::string MapNameOf(const std::string& value)
{
    std::string name = platform::AnsiUpperCase(platform::TrimControlAndSpace(value));
    if (name.size() > 1 && name.front() == '#')
        name.erase(0, 1);
    return name;
}

} // namespace

TImageObj::TImageObj(const TAttributeList& attributes)
{
    HSpace = DefaultHSpace;
    ReadAttributes(attributes);
}

TImageObj::~TImageObj()
{
    if (!HeldKey_.empty())
        ImageCache().ReleaseImage(HeldKey_);
    if (Document) {
        // A section dropped on its own (a layout error) must not leave the document pointing here.
        std::erase(Document->AnimatedImages, static_cast<TAnimatedPicture*>(Gif));
        std::erase_if(Document->PendingImages, [this](const TPendingImage& p) { return p.Waiting == this; });
    }
}

void TImageObj::ReadAttributes(const TAttributeList& attributes)
{
    for (int i = 0; i < attributes.Count(); ++i) {
        const TAttribute& a = *attributes[i];
        switch (a.Kind) {
        case HtmlToken::SrcAttr: Source = a.ValueText; break;
        case HtmlToken::AltAttr: Alt = a.ValueText; break;
        case HtmlToken::AlignAttr: Align = AlignOf(a.ValueText); break;
        case HtmlToken::BorderAttr: NoBorder = a.ValueNumber == 0; break;
        case HtmlToken::WidthAttr:
            if (a.ValueText.find('%') == std::string::npos) {
                // A negative width means nothing; it is taken as not given.
                WidthAttr = ClampSize(a.ValueNumber);
                WidthIsPercent = false;
            } else if (a.ValueNumber >= 1 && a.ValueNumber <= MaxPercent) {
                WidthAttr = a.ValueNumber;
                WidthIsPercent = true;
            }
            break;
        case HtmlToken::HeightAttr: HeightAttr = std::max(1, ClampSize(a.ValueNumber)); break;
        case HtmlToken::TranspAttr: Transparency = LowerLeftTransparent; break;
        case HtmlToken::IsMapAttr: IsMap = true; break;
        case HtmlToken::UseMapAttr:
            UseMap = true;
            UseMapName = MapNameOf(a.ValueText);
            break;
        case HtmlToken::HSpaceAttr:
            HSpace = static_cast<int32_t>(std::min<int64_t>(MaxHSpace, std::llabs(int64_t{a.ValueNumber})));
            break;
        default: break;
        }
    }
}

bool TImageObj::ShowsPlaceholder() const
{
    const bool show = Document && Document->ShowImages;
    return !show || Bitmap == &BrokenPicture() || Bitmap == &PendingPicture();
}

void TImageObj::FetchPicture(TSectionList& document)
{
    bool delayed = false;
    bool fromCache = false;
    TBitmapItem* item = nullptr;
    if (!Source.empty()) {
        if (!document.ImageRequest && document.ExpandPath)
            Source = document.ExpandPath(Source);
        const bool pending = std::any_of(document.PendingImages.begin(), document.PendingImages.end(),
                                         [&](const TPendingImage& p) { return platform::AnsiSameText(p.Name, Source); });
        if (pending)
            delayed = true;
        else
            item = document.FetchImage(Source, Transparency, delayed, fromCache, MaskBitmap);
    }
    if (item) {
        HeldKey_ = Source;
        if (item->Gif) {
            // Every further user of a cached GIF animates a copy of its own.
            if (fromCache)
                OwnGif_ = TGIFImage::CreateCopy(*item->Gif);
            Gif = OwnGif_ ? OwnGif_.get() : item->Gif.get();
            document.AnimatedImages.push_back(Gif);
        } else {
            Bitmap = item->Bitmap.get();
        }
    } else if (delayed) {
        Bitmap = &PendingPicture();
        document.PendingImages.push_back({Source, this});
    } else {
        Bitmap = &BrokenPicture();
        MaskBitmap = &BrokenPictureMask();
        Transparency = LowerLeftTransparent;
    }
}

void TImageObj::MeasureImage(TSectionList* document, TCanvas& canvas, const TFontObj& run, int32_t availableWidth)
{
    Document = document;
    const bool show = document && document->ShowImages;
    if (show && !Bitmap && !Gif)
        FetchPicture(*document);
    const TBitmap* measured = show ? Bitmap : &PendingPicture();
    int32_t naturalWidth = 0;
    int32_t naturalHeight = 0;
    if (show && Gif) {
        naturalWidth = Gif->Width();
        naturalHeight = Gif->Height();
    } else if (measured) {
        naturalWidth = measured->Width();
        naturalHeight = measured->Height();
    }
    if (!SizeFixed) {
        ComputeSize(measured, naturalWidth, naturalHeight, availableWidth);
        if (ShowsPlaceholder() && !SizeFixed)
            FitPlaceholderText(canvas);
    }
    ImageWidth = DisplayWidth;
    ImageHeight = DisplayHeight;
    HasFrame = !run.Target.UrlText.empty() && !NoBorder;
    if (HasFrame) {
        ImageWidth += 2;
        ImageHeight += 2;
    }
}

void TImageObj::ComputeSize(const TBitmap* measured, int32_t naturalWidth, int32_t naturalHeight,
                            int32_t availableWidth)
{
    const int32_t percentWidth = WidthIsPercent ? ClampSize(MulDiv(availableWidth, WidthAttr, MaxPercent)) : 0;
    if (measured == &BrokenPicture() || measured == &PendingPicture()) {
        if (WidthAttr != 0 && HeightAttr != 0) {
            // A percentage stays one: it follows the column like the picture it stands for.
            DisplayWidth = WidthIsPercent ? percentWidth : WidthAttr;
            DisplayHeight = HeightAttr;
            SizeFixed = !WidthIsPercent;
        } else {
            DisplayWidth = StandInSize;
            DisplayHeight = StandInSize;
        }
        return;
    }
    if (WidthIsPercent) {
        DisplayWidth = percentWidth;
        DisplayHeight = HeightAttr != 0 ? HeightAttr : ClampSize(naturalHeight);
        return;
    }
    // A picture empty in one direction scales to nothing in the other, never to -1.
    if (WidthAttr != 0 && HeightAttr != 0) {
        DisplayWidth = WidthAttr;
        DisplayHeight = HeightAttr;
    } else if (HeightAttr != 0) {
        DisplayHeight = HeightAttr;
        DisplayWidth = naturalHeight > 0 ? ClampSize(MulDiv(HeightAttr, naturalWidth, naturalHeight)) : 0;
    } else if (WidthAttr != 0) {
        DisplayWidth = WidthAttr;
        DisplayHeight = naturalWidth > 0 ? ClampSize(MulDiv(WidthAttr, naturalHeight, naturalWidth)) : 0;
    } else {
        DisplayWidth = ClampSize(naturalWidth);
        DisplayHeight = ClampSize(naturalHeight);
    }
    SizeFixed = true;
}

void TImageObj::FitPlaceholderText(TCanvas& canvas)
{
    int32_t textWidth = 0;
    int32_t textHeight = 0;
    if (!Alt.empty()) {
        const platform::TFontData saved = canvas.Font();
        canvas.SetFont(PlaceholderFont(saved.Color));
        const platform::TSize extent = canvas.TextExtent(Alt);
        canvas.SetFont(saved);
        textWidth = extent.Width + 2;
        textHeight = extent.Height;
    }
    DisplayWidth = std::max(DisplayWidth, ClampSize(int64_t{textWidth} + PlaceholderMinSize));
    DisplayHeight = std::max({DisplayHeight, PlaceholderMinSize, textHeight});
}

void TImageObj::DrawPicture(TCanvas& canvas, int32_t x, int32_t y)
{
    const bool show = Document->ShowImages;
    if (show && Gif) {
        Gif->ShowIt = true;
        Gif->SetVisible(true);
        Gif->Draw(canvas, x, y, DisplayWidth, DisplayHeight);
        return;
    }
    const TBitmap* picture = show ? Bitmap : &PendingPicture();
    if (!picture)
        return;
    const TBitmap* mask = show ? MaskBitmap : nullptr;
    const bool standIn = picture == &BrokenPicture() || picture == &PendingPicture();
    // Stand-ins keep their own size; pictures fill the displayed size.
    const TRect natural{x, y, x + picture->Width(), y + picture->Height()};
    const TRect stretched{x, y, x + DisplayWidth, y + DisplayHeight};
    if (mask && (Transparency != NoTransparency || picture == &BrokenPicture()))
        canvas.DrawBitmap(picture == &BrokenPicture() ? natural : stretched, *picture, nullptr, mask);
    else
        canvas.DrawBitmap(standIn ? natural : stretched, *picture);
}

void TImageObj::PaintImage(TCanvas& canvas, int32_t x, int32_t top, int32_t baseline, const TFontObj& run)
{
    if (!Document)
        return;
    const int32_t scroll = Document->ScrollTop;
    const int32_t textTop = top - scroll;
    const int32_t base = baseline - scroll;
    const bool placeholder = ShowsPlaceholder();
    const int32_t inset = placeholder ? PlaceholderInset : 0;
    canvas.Brush().Style = platform::TBrushStyle::bsClear;
    const platform::TColor savedColor = canvas.Font().Color;
    canvas.SetFont(PlaceholderFont(platform::clBlack));

    int32_t boxTop = textTop;
    if (Align == AlignBottom)
        boxTop = base - ImageHeight;
    else if (Align == AlignMiddle)
        boxTop = base + run.Descent - run.Height / 2 - ImageHeight / 2;

    const int32_t frame = HasFrame ? 1 : 0;
    PaintX = x + inset + frame;
    PaintY = ClampInt32(int64_t{boxTop} + inset + frame + scroll);
    Painted_ = true;
    if (!(placeholder && (DisplayWidth < PlaceholderMinSize || DisplayHeight < PlaceholderMinSize))) {
        try {
            DrawPicture(canvas, PaintX, boxTop + inset + frame);
        } catch (const std::exception&) {
            // A picture that cannot be drawn is simply missing from this paint.
        }
    }

    if (placeholder && !HasFrame) {
        canvas.Font().Color = savedColor;
        if (!Alt.empty())
            DrawWrappedText(canvas, x + PlaceholderMinSize, boxTop + inset, Alt, boxTop + DisplayHeight - 1,
                            x + DisplayWidth - 2);
        Border3D(*Document, canvas, x, boxTop, x + DisplayWidth - 1, boxTop + DisplayHeight - 1, false);
    }
    if (HasFrame) {
        const platform::TColor linkColor = run.Font->Color();
        canvas.Pen().Color = linkColor;
        canvas.Font().Color = linkColor;
        if (placeholder && !Alt.empty())
            DrawWrappedText(canvas, x + PlaceholderMinSize, boxTop + inset, Alt, boxTop + DisplayHeight - 1,
                            x + DisplayWidth - 2);
        canvas.Brush().Style = platform::TBrushStyle::bsClear;
        canvas.Rectangle({x, boxTop, x + ImageWidth, boxTop + ImageHeight});
    }
}

bool TImageObj::ImageHit(int32_t x, int32_t y, int32_t& pictureX, int32_t& pictureY)
{
    if (!Painted_)
        return false;
    const int32_t frame = HasFrame ? 2 : 0;
    const int64_t px = int64_t{x} - PaintX;
    const int64_t py = int64_t{y} - PaintY;
    if (px < 0 || py < 0 || px >= ImageWidth - frame || py >= ImageHeight - frame)
        return false;
    pictureX = static_cast<int32_t>(px);
    pictureY = static_cast<int32_t>(py);
    return true;
}

bool TImageObj::LinkHit(int32_t x, int32_t y, TPictureLinkHit& hit)
{
    if (!ImageHit(x, y, hit.X, hit.Y))
        return false;
    hit.IsMap = IsMap;
    hit.FormControl = FormControl;
    if (auto* imageButton = dynamic_cast<TImageFormControlObj*>(FormControl))
        imageButton->RecordHit(hit.X, hit.Y);
    // A USEMAP naming no map of the page leaves the picture its own link.
    const TMapItem* map = UseMap && Document ? FindImageMap(Document->ImageMaps, UseMapName) : nullptr;
    hit.HasMap = map != nullptr;
    hit.AreaHit = map && map->AreaLinkAt(hit.X, hit.Y, hit.AreaTarget);
    return true;
}

} // namespace htmlview
