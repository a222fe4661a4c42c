#include "htmlview/SectionList.h"

#include <algorithm>

namespace htmlview {

using platform::TCanvas;
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
    BackgroundBitmap = nullptr;
    BackgroundImageName.clear();
    BackgroundFetched = false;
    // The pictures and controls these point to go with the sections.
    FormControls.clear();
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
    BackgroundBitmap = nullptr;
    BackgroundImageName = name;
    BackgroundFetched = false;
}

void TSectionList::SetScrollTop(int32_t y)
{
    if (y == ScrollTop)
        return;
    ScrollTop = y;
    ScrollChanged = true;
}

void TSectionList::StartAnimationTimer()
{
    if (!AnimatedImages.empty())
        AnimationTimer.start();
}

int32_t TSectionList::Layout(TCanvas& canvas, int32_t y, int32_t width, int32_t& maxWidth, int32_t& charIndex)
{
    AnimationTimer.stop();
    const int32_t height = TCell::Layout(canvas, y, width, maxWidth, charIndex);
    for (TAnimatedPicture* picture : AnimatedImages) {
        // Loop count and frame timing start again with the new layout.
        picture->SetCurrentFrame(1);
        picture->SetAnimate(false);
        picture->SetAnimate(true);
    }
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

} // namespace htmlview
