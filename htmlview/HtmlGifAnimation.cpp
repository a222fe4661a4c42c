// Animation and drawing of a GIF picture: frames composed one after the other on the
// picture-sized composite surface (and, with transparency, its mask), each frame's disposal
// applied before the next one is drawn.
#include "htmlview/HtmlGif.h"

#include "htmlview/HtmlGifClock.h"
#include "htmlview/HtmlGifCompose.h"
#include "htmlview/PaintPanel.h"

#include <algorithm>
#include <new>

namespace htmlview {

std::unique_ptr<TGIFImage> TGIFImage::CreateCopy(const TGIFImage& source)
{
    auto copy = std::make_unique<TGIFImage>();
    copy->Animated_ = source.Animated_;
    copy->Empty_ = source.Empty_;
    copy->Width_ = source.Width_;
    copy->Height_ = source.Height_;
    copy->LoopCount_ = source.LoopCount_;
    copy->HasTransparency_ = source.HasTransparency_;
    copy->Visible_ = source.Visible_;
    copy->BitsPerPixel_ = source.BitsPerPixel_;
    copy->GlobalColorTable_ = source.GlobalColorTable_;
    copy->Frames_ = source.Frames_;
    copy->TotalPixels_ = source.TotalPixels_;
    copy->InfoOnly_ = source.InfoOnly_;
    copy->IsCopy_ = true;
    if (!copy->InfoOnly_ && !copy->Empty_)
        copy->MakeSurfaces();
    copy->CurrentFrame_ = 1;
    copy->LoopIteration_ = 1;
    copy->ComposeFrame();
    return copy;
}

void TGIFImage::MakeSurfaces()
{
    Composite_ = platform::TBitmap(Width_, Height_);
    if (Composite_.Empty())
        throw std::bad_alloc();
    if (HasTransparency_) {
        MaskSurface_ = platform::TBitmap(Width_, Height_);
        if (MaskSurface_.Empty())
            throw std::bad_alloc();
        MaskSurface_.Fill(platform::clWhite);
    }
}

void TGIFImage::ComposeFrame()
{
    if (InfoOnly_ || Frames_.empty() || Composite_.Empty())
        return;
    platform::TBitmap* mask = HasTransparency_ ? &MaskSurface_ : nullptr;
    // Each pass starts on a clear picture, so what the last frames left never shows through
    // frame 1.
    if (CurrentFrame_ == 1) {
        Composite_.Fill(platform::clBlack);
        if (mask)
            mask->Fill(platform::clWhite);
    }
    TFrame& frame = Frames_[static_cast<size_t>(CurrentFrame_ - 1)];
    if (frame.Disposal == 3) {
        frame.SavedImage = SaveArea(Composite_, frame.Rect());
        if (mask)
            frame.SavedMask = SaveArea(*mask, frame.Rect());
    }
    PaintFrame(frame, Composite_, mask);
}

void TGIFImage::DisposeFrame(const TFrame& frame)
{
    if (InfoOnly_ || Composite_.Empty())
        return;
    platform::TBitmap* mask = HasTransparency_ ? &MaskSurface_ : nullptr;
    if (frame.Disposal == 2) {
        FillArea(Composite_, frame.Rect(), platform::clBlack);
        if (mask)
            FillArea(*mask, frame.Rect(), platform::clWhite);
    } else if (frame.Disposal == 3) {
        RestoreArea(Composite_, frame.Rect(), frame.SavedImage);
        if (mask)
            RestoreArea(*mask, frame.Rect(), frame.SavedMask);
    }
}

int32_t TGIFImage::FrameDelay() const
{
    return std::max(1, Frame(CurrentFrame_).Delay * 100 / Speed);
}

void TGIFImage::SetCurrentFrame(int32_t n)
{
    if (n == CurrentFrame_ || Frames_.empty())
        return;
    DisposeFrame(Frame(CurrentFrame_));
    CurrentFrame_ = n > FrameCount() ? 1 : n <= 0 ? FrameCount() : n;
    ComposeFrame();
}

void TGIFImage::SetAnimate(bool animate)
{
    if (animate == Animate_)
        return;
    Animate_ = animate;
    LoopIteration_ = 1;
    if (animate && FrameCount() > 1) {
        CurrentDelay_ = FrameDelay();
        LastTime_ = TimeGetTime();
    }
}

void TGIFImage::CheckTime(TPaintPanel* panel)
{
    if (!Animate_ || Empty_ || InfoOnly_ || Frames_.empty())
        return;
    const uint32_t now = TimeGetTime();
    if (now - LastTime_ < static_cast<uint32_t>(CurrentDelay_))
        return;
    LastTime_ = now;
    if (LoopCount_ > 0 && CurrentFrame_ == FrameCount()) {
        if (LoopIteration_ >= LoopCount_) {
            // The last frame stays on show.
            Animate_ = false;
            return;
        }
        ++LoopIteration_;
    }
    DisposeFrame(Frame(CurrentFrame_));
    CurrentFrame_ = CurrentFrame_ >= FrameCount() ? 1 : CurrentFrame_ + 1;
    ComposeFrame();
    if (panel)
        panel->update(DrawRect_.Left, DrawRect_.Top, DrawRect_.Width(), DrawRect_.Height());
    CurrentDelay_ = FrameDelay();
}

void TGIFImage::Draw(platform::TCanvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height)
{
    DrawRect_ = {x, y, x + width, y + height};
    if (!Visible_ || Empty_ || InfoOnly_ || Frames_.empty() || Composite_.Empty())
        return;
    canvas.DrawBitmap(DrawRect_, Composite_, nullptr, HasTransparency_ ? &MaskSurface_ : nullptr);
}

} // namespace htmlview
