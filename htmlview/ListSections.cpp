#include "htmlview/ListSections.h"

#include <algorithm>

namespace htmlview {

using platform::TCanvas;

TPreFormated::TPreFormated(TSectionList& document, int32_t listLevel, const TUrlTarget* linkTarget,
                           const TMyFont& font, platform::TFontStyles style)
    : TSection(document, listLevel, AlignLeft, linkTarget, font, style)
{
}

void TPreFormated::AppendText(std::string_view text)
{
    if (!text.empty())
        AppendBytes(text);
}

int32_t TPreFormated::Layout(TCanvas& canvas, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                             int32_t& charIndex)
{
    TSection::Layout(canvas, y, indentMgr, maxWidth, charIndex);
    int32_t minWidth = 0;
    MeasureWidths(canvas, minWidth, maxWidth);
    return Height;
}

void TPreFormated::MeasureWidths(TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth)
{
    maxWidth = ClampInt32(int64_t{TextWidth(canvas, 0, Length, false)} + Indent);
    minWidth = std::min(MaxMinWidth, maxWidth);
}

TUListItem::TUListItem(TSectionList& document, int32_t listLevel, const TUrlTarget* linkTarget,
                       const TMyFont& font, platform::TFontStyles style, bool plain)
    : TSection(document, listLevel, AlignLeft, linkTarget, font, style)
{
    MarkerKind = BulletMarker;
    Plain = plain;
}

TDListItem::TDListItem(TSectionList& document, int32_t listLevel, const TUrlTarget* linkTarget,
                       const TMyFont& font, platform::TFontStyles style)
    : TUListItem(document, listLevel, linkTarget, font, style)
{
    MarkerKind = IndentOnly;
}

TOListItem::TOListItem(TSectionList& document, int32_t listLevel, const TUrlTarget* linkTarget,
                       const TMyFont& font, platform::TFontStyles style, char numberingType, int32_t number)
    : TUListItem(document, listLevel, linkTarget, font, style)
{
    ItemNumber = number;
    MarkerKind = NumberMarker;
    NumberingType = numberingType;
}

} // namespace htmlview
