#include "htmlview/HtmlDrawUtils.h"

#include "htmlview/HtmlUtils.h"
#include "htmlview/SectionList.h"
#include "platform/TextTrim.h"

#include <algorithm>
#include <string_view>

namespace htmlview {

using platform::TCanvas;
using platform::TColor;

void DrawWrappedText(TCanvas& canvas, int32_t left, int32_t top, const std::string& text, int32_t bottom,
                     int32_t right)
{
    const int64_t lineHeight = canvas.TextHeight("A");
    const platform::TRect box{left, top, right, bottom};
    const auto drawLine = [&](const std::string& line, int64_t y) {
        canvas.TextOut(left, static_cast<int32_t>(y), line, platform::TTextAlign::Top, false, &box);
    };
    std::string rest = text;
    std::string line;
    int64_t y = top;
    while (!rest.empty() && y + lineHeight <= bottom) {
        rest = platform::TrimControlAndSpace(rest);
        const size_t space = rest.find(' ');
        const std::string word = rest.substr(0, space);
        rest.erase(0, space == std::string::npos ? std::string::npos : space + 1);
        if (word.empty())
            continue;
        if (canvas.TextWidth(line + word) > int64_t{right} - left) {
            if (!line.empty()) {
                drawLine(line, y);
                y += lineHeight;
            }
            line = word + " ";
        } else {
            line += word + " ";
        }
    }
    if (!line.empty() && y + lineHeight <= bottom)
        drawLine(line, y);
}

int32_t TextExtentWidth(TCanvas& canvas, const std::string& text, int32_t count)
{
    const size_t n = std::min(text.size(), static_cast<size_t>(std::max(count, 0)));
    return canvas.TextWidth(std::string_view(text).substr(0, n));
}

void Border3D(const TSectionList& document, TCanvas& canvas, int32_t left, int32_t top, int32_t right,
              int32_t bottom, bool raised)
{
    const TColor background = document.BackgroundColor;
    const bool whitePage = (background & 0xFFFFFF) == 0xFFFFFF ||
                           (background == platform::clWindow &&
                            platform::ColorToRGB(platform::clWindow) == platform::clWhite);
    const TColor light = whitePage ? platform::clSilver : platform::clBtnHighlight;
    const TColor dark = platform::clBtnShadow;
    canvas.Pen() = {raised ? light : dark, 1, platform::TPenStyle::psSolid};
    canvas.MoveTo(left, bottom);
    canvas.LineTo(left, top);
    canvas.LineTo(right, top);
    canvas.Pen().Color = raised ? dark : light;
    canvas.LineTo(right, bottom);
    canvas.LineTo(left, bottom);
}

} // namespace htmlview
