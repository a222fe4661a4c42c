#pragma once
// Pixel work on picture-sized surfaces: a frame put in place, an area filled or restored.
// Everything is clipped to the destination.
#include "htmlview/HtmlGifFrame.h"
#include "platform/Bitmap.h"

namespace htmlview {

// Frame's opaque pixels over Composite at the frame's place; those places become opaque
// (black) in Mask when one is given.
void PaintFrame(const TFrame& frame, platform::TBitmap& composite, platform::TBitmap* mask);
void FillArea(platform::TBitmap& surface, const platform::TRect& area, platform::TColor color);
// Source (as large as Area) back into Area of Surface.
void RestoreArea(platform::TBitmap& surface, const platform::TRect& area, const platform::TBitmap& source);
// A copy of Area of Surface.
platform::TBitmap SaveArea(const platform::TBitmap& surface, const platform::TRect& area);

} // namespace htmlview
