// Loading a GIF picture: its blocks parsed from memory into frames within the size limits, its
// still picture and mask, and pictures made from a stream or a file. Animation and drawing are
// in HtmlGifAnimation.cpp.
#include "htmlview/HtmlGif.h"

#include "htmlview/HtmlGifCompose.h"
#include "htmlview/HtmlImageLoad.h"

#include <algorithm>
#include <optional>

namespace htmlview {

namespace {

constexpr uint8_t ExtensionIntroducer = 0x21;
constexpr uint8_t ImageSeparator = 0x2C;
constexpr uint8_t PlainTextLabel = 0x01;
constexpr uint8_t GraphicControlLabel = 0xF9;
constexpr uint8_t CommentLabel = 0xFE;
constexpr uint8_t ApplicationLabel = 0xFF;
constexpr uint8_t GlobalTableFlag = 0x80;

TGraphicControl ReadGraphicControl(TGifReader& reader)
{
    TGraphicControl control;
    const std::string_view block = reader.SubBlock();
    if (block.empty())
        return control;
    if (block.size() >= 4) {
        control.Flags = static_cast<uint8_t>(block[0]);
        control.Delay = static_cast<uint16_t>(static_cast<uint8_t>(block[1]) | static_cast<uint8_t>(block[2]) << 8);
        control.TransparentIndex = static_cast<uint8_t>(block[3]);
    }
    reader.SkipSubBlocks();
    return control;
}

} // namespace

TGIFImage::TGIFImage() = default;
TGIFImage::~TGIFImage() = default;

bool TGIFImage::Load(std::string_view data, bool infoOnly)
{
    FreeResources();
    bool loaded = false;
    try {
        Data_ = data;
        InfoOnly_ = infoOnly;
        loaded = Parse();
    } catch (const std::exception&) {
        loaded = false;
    }
    Data_ = {};
    if (!loaded)
        FreeResources();
    return loaded;
}

bool TGIFImage::LoadFromStream(std::string_view data)
{
    return Load(data, false);
}

bool TGIFImage::LoadInfoFromStream(std::string_view data)
{
    return Load(data, true);
}

void TGIFImage::Clear()
{
    Empty_ = true;
    Animated_ = false;
    Frames_.clear();
    TotalPixels_ = 0;
    CurrentFrame_ = 1;
    LoopCount_ = 1;
    LoopIteration_ = 1;
    BitsPerPixel_ = 0;
    HasTransparency_ = false;
}

void TGIFImage::FreeResources()
{
    Clear();
    Bitmap_.reset();
    Mask_.reset();
    Composite_ = {};
    MaskSurface_ = {};
}

bool TGIFImage::Parse()
{
    Clear();
    TGifReader reader(Data_);
    if (Data_.substr(0, 3) != "GIF")
        return false;
    Width_ = 0;
    Height_ = 0;
    GlobalColorTable_.fill(0);
    try {
        reader.Skip(6); // signature and version
        Width_ = reader.Word();
        Height_ = reader.Word();
        const uint8_t flags = reader.Byte();
        reader.Skip(2); // background index, aspect ratio
        if (flags & GlobalTableFlag) {
            BitsPerPixel_ = (flags & 7) + 1;
            reader.Bytes(GlobalColorTable_.data(), size_t{3} << BitsPerPixel_);
        }
        ReadBlocks(reader);
    } catch (const TGifDataEnd&) {
        // Cut short: what was read so far stands.
    }

    for (const TFrame& frame : Frames_) {
        Width_ = std::max(Width_, frame.Left + frame.Width);
        Height_ = std::max(Height_, frame.Top + frame.Height);
    }
    if (int64_t{Width_} * Height_ > MaxPicturePixels)
        return false;
    if (!InfoOnly_) {
        // Nothing to show without a frame or without a single pixel.
        if (Frames_.empty() || Width_ == 0 || Height_ == 0)
            return false;
        MakeSurfaces();
    }
    Animated_ = FrameCount() > 1;
    Empty_ = false;
    ComposeFrame();
    return true;
}

void TGIFImage::ReadBlocks(TGifReader& reader)
{
    TGraphicControl control;
    for (;;) {
        switch (reader.Byte()) {
        case ExtensionIntroducer:
            switch (reader.Byte()) {
            case GraphicControlLabel:
                control = ReadGraphicControl(reader);
                break;
            case ApplicationLabel:
                ReadApplicationExtension(reader);
                break;
            case PlainTextLabel:
            case CommentLabel:
                reader.SkipSubBlocks();
                break;
            default:
                return;
            }
            break;
        case ImageSeparator: {
            if (FrameCount() >= MaxFrames)
                return;
            const TFrameHeader header = TFrameHeader::Read(reader);
            if (!AcceptsFrame(header))
                return;
            TFrame frame;
            frame.ReadImage(reader, header, GlobalColorTable_, control, InfoOnly_);
            BitsPerPixel_ = std::max(BitsPerPixel_, frame.LocalBits);
            HasTransparency_ = HasTransparency_ || frame.Transparent;
            TotalPixels_ += int64_t{frame.Width} * frame.Height;
            Frames_.push_back(std::move(frame));
            control = {};
            break;
        }
        default: // the trailer, or something that is no block
            return;
        }
    }
}

void TGIFImage::ReadApplicationExtension(TGifReader& reader)
{
    const std::string_view identifier = reader.SubBlock();
    if (identifier.empty())
        return;
    if (identifier == "NETSCAPE2.0") {
        const std::string_view loop = reader.SubBlock();
        if (loop.empty())
            return;
        if (loop.size() >= 3)
            LoopCount_ = static_cast<uint8_t>(loop[1]) | static_cast<uint8_t>(loop[2]) << 8;
    }
    reader.SkipSubBlocks();
}

bool TGIFImage::AcceptsFrame(const TFrameHeader& header) const
{
    const int64_t pixels = int64_t{header.Width} * header.Height;
    return pixels <= MaxFramePixels && TotalPixels_ + pixels <= MaxTotalPixels;
}

const platform::TBitmap* TGIFImage::Bitmap()
{
    if (Empty_ || InfoOnly_ || Frames_.empty())
        return nullptr;
    if (!Bitmap_) {
        platform::TBitmap picture(Width_, Height_);
        std::optional<platform::TBitmap> mask;
        if (HasTransparency_) {
            mask.emplace(Width_, Height_);
            mask->Fill(platform::clWhite);
        }
        if (picture.Empty() || (mask && mask->Empty()))
            return nullptr; // no memory
        PaintFrame(Frames_.front(), picture, mask ? &*mask : nullptr);
        Bitmap_ = std::move(picture);
        Mask_ = std::move(mask);
    }
    return &*Bitmap_;
}

const platform::TBitmap* TGIFImage::Mask()
{
    if (!Bitmap() || !Mask_)
        return nullptr;
    return &*Mask_;
}

std::unique_ptr<TGIFImage> CreateGIFFromStream(std::string_view data, bool& still,
                                               const std::function<void()>& onFullLoadFailed)
{
    auto image = std::make_unique<TGIFImage>();
    if (!image->LoadInfoFromStream(data))
        return nullptr;
    image->SetAnimate(false);
    image->SetVisible(false);
    still = !image->Animated();
    if (!image->LoadFromStream(data)) {
        if (onFullLoadFailed)
            onFullLoadFailed();
        return nullptr;
    }
    return image;
}

std::unique_ptr<TGIFImage> CreateGIFFromFile(const std::string& fileName, bool& still,
                                             const std::function<void()>& onFullLoadFailed)
{
    std::string data;
    if (!ReadPictureFile(fileName, data))
        return nullptr;
    return CreateGIFFromStream(data, still, onFullLoadFailed);
}

} // namespace htmlview
