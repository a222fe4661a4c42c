#pragma once
// Drawing helpers shared by pictures and tables: wrapped text in a box, one text measurement
// and the one-pixel 3-D frame.
#include "platform/Canvas.h"

#include <cstdint>
#include <string>

namespace htmlview {

class TSectionList;

// Text word by word into the box from (Left, Top) to (Right, Bottom), in the canvas's font,
// every line clipped to the box; a word wider than the box gets a line of its own.
void DrawWrappedText(platform::TCanvas& canvas, int32_t left, int32_t top, const std::string& text,
                     int32_t bottom, int32_t right);

// Width of the first Count bytes of Text (all of it when Count is larger, none when negative).
int32_t TextExtentWidth(platform::TCanvas& canvas, const std::string& text, int32_t count);

// Light top and left edges and dark bottom and right ones when Raised, the other way round
// when sunken. On a white page the light edge is silver, so it still shows.
void Border3D(const TSectionList& document, platform::TCanvas& canvas, int32_t left, int32_t top,
              int32_t right, int32_t bottom, bool raised);

} // namespace htmlview
