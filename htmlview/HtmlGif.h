#pragma once
// The viewer's GIF pictures (GIF87a and GIF89a): the whole file is parsed from memory, every
// frame decoded into a bitmap (and a mask where it has a transparent colour), and a picture of
// several frames animated by composing its frames on a picture-sized surface.
//
// Bad data never raises: a load answers false and the creators answer no picture. A file cut
// short keeps the frames read so far; a frame whose code stream breaks keeps the pixels decoded
// up to the break. Sizes are capped (see the limits below) so a few bytes cannot ask for
// gigabytes.
#include "htmlview/HtmlGifFrame.h"
#include "htmlview/SectionList.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace htmlview {

class TGIFImage : public TAnimatedPicture {
public:
    static constexpr int32_t MaxFrames = 256;
    // Pixels of one frame, of the composed picture, and of all frames together.
    static constexpr int64_t MaxFramePixels = int64_t{16} << 20;
    static constexpr int64_t MaxPicturePixels = int64_t{16} << 20;
    static constexpr int64_t MaxTotalPixels = int64_t{32} << 20;
    // Animation speed in percent.
    static constexpr int32_t Speed = 100;

    // Empty, visible, on frame 1.
    TGIFImage();
    ~TGIFImage() override;
    TGIFImage(const TGIFImage&) = delete;
    TGIFImage& operator=(const TGIFImage&) = delete;

    // An image that shares Source's frames but animates on its own (its own surfaces, frame 1
    // composed, animation off).
    static std::unique_ptr<TGIFImage> CreateCopy(const TGIFImage& source);

    // Full loads decode every frame; information loads read sizes, frames and timing only.
    // False (and everything freed) when the data is no GIF or cannot be loaded.
    bool LoadFromStream(std::string_view data);
    bool LoadFromFile(const std::string& fileName);
    bool LoadInfoFromStream(std::string_view data);
    bool LoadInfoFromFile(const std::string& fileName);

    // Parses the data held by the current load.
    virtual bool Parse();
    // Forgets the frames: empty again, on frame 1, loop count 1.
    void Clear();
    // Clear, and the cached still picture and the surfaces dropped too.
    void FreeResources();

    bool Animated() const { return Animated_; }
    int32_t CurrentFrame() const { return CurrentFrame_; }
    bool Empty() const { return Empty_; }
    int32_t Width() const { return Width_; }
    int32_t Height() const { return Height_; }
    int32_t FrameCount() const { return static_cast<int32_t>(Frames_.size()); }
    int32_t LoopCount() const { return LoopCount_; }
    int32_t LoopIteration() const { return LoopIteration_; }
    bool HasTransparency() const { return HasTransparency_; }
    bool Visible() const { return Visible_; }
    int32_t BitsPerPixel() const { return BitsPerPixel_; }
    const TColorTable& GlobalColorTable() const { return GlobalColorTable_; }
    bool InfoOnly() const { return InfoOnly_; }
    bool Animate() const { return Animate_; }
    bool IsCopy() const { return IsCopy_; }
    int32_t CurrentDelay() const { return CurrentDelay_; }
    // Frames 1 to FrameCount, in file order.
    const TFrame& Frame(int32_t n) const { return Frames_.at(static_cast<size_t>(n - 1)); }
    // Where the last Draw put the picture.
    const platform::TRect& DrawRect() const { return DrawRect_; }

    // The picture with frame 1 composed, picture-sized; none while empty or after an
    // information load. A caller that got a still picture copies it (and Mask) and frees
    // the image.
    const platform::TBitmap* Bitmap();
    // White where that picture is transparent; none without transparency.
    const platform::TBitmap* Mask();

    // The picture as composed so far (transparent parts black) and, with transparency, its
    // mask (white where transparent).
    const platform::TBitmap& Composite() const { return Composite_; }
    const platform::TBitmap& MaskSurface() const { return MaskSurface_; }

    // Disposes of the frame on show and composes frame N (1 beyond the last, the last below 1).
    void SetCurrentFrame(int32_t n) override;
    // Switching on restarts the frame's clock and the loop count.
    void SetAnimate(bool animate) override;
    void SetVisible(bool visible) { Visible_ = visible; }
    // Steps to the next frame once the delay of the one on show has run out, and asks Panel
    // (when given) to repaint the picture.
    void CheckTime(TPaintPanel* panel) override;
    // The picture as composed so far, stretched to Width x Height at (X, Y); its transparent
    // parts leave the canvas as it was.
    void Draw(platform::TCanvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height);

private:
    bool Load(std::string_view data, bool infoOnly);
    bool LoadFile(const std::string& fileName, bool infoOnly);
    void ReadBlocks(TGifReader& reader);
    void ReadApplicationExtension(TGifReader& reader);
    bool AcceptsFrame(const TFrameHeader& header) const;
    void MakeSurfaces();
    void ComposeFrame();
    void DisposeFrame(const TFrame& frame);
    int32_t FrameDelay() const;

    bool Animated_ = false;
    int32_t CurrentFrame_ = 1;
    bool Empty_ = true;
    int32_t Width_ = 0;
    int32_t Height_ = 0;
    int32_t LoopCount_ = 1;
    bool HasTransparency_ = false;
    bool Visible_ = true;
    int32_t BitsPerPixel_ = 0;
    TColorTable GlobalColorTable_{};
    std::vector<TFrame> Frames_;
    int64_t TotalPixels_ = 0;
    bool InfoOnly_ = false;
    std::string_view Data_; // only while loading

    platform::TBitmap Composite_;
    platform::TBitmap MaskSurface_;
    std::optional<platform::TBitmap> Bitmap_;
    std::optional<platform::TBitmap> Mask_;
    bool Animate_ = false;
    platform::TRect DrawRect_;
    int32_t LoopIteration_ = 1;
    uint32_t LastTime_ = 0;
    int32_t CurrentDelay_ = 1;
    bool IsCopy_ = false;
};

// A loaded GIF or none; Still tells whether it has a single frame (the caller then takes its
// Bitmap and Mask). OnFullLoadFailed, when given, runs when the data looked like a GIF but
// could not be decoded (the viewer drops unused cached pictures then).
std::unique_ptr<TGIFImage> CreateGIFFromStream(std::string_view data, bool& still,
                                               const std::function<void()>& onFullLoadFailed = {});
std::unique_ptr<TGIFImage> CreateGIFFromFile(const std::string& fileName, bool& still,
                                             const std::function<void()>& onFullLoadFailed = {});

} // namespace htmlview
