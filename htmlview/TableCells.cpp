#include "htmlview/TableCells.h"

#include "htmlview/HtmlDrawUtils.h"
#include "htmlview/HtmlScanner.h"
#include "htmlview/HtmlVocabulary.h"
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"

#include <algorithm>

namespace htmlview {

using platform::TCanvas;
using platform::TRect;

TCellObj::TCellObj(TSectionList& document, const TAttributeList* attributes, uint8_t vAlign)
    : VAlign(vAlign), Cell(std::make_unique<TCell>(&document))
{
    if (!attributes)
        return;
    for (int i = 0; i < attributes->Count(); ++i) {
        const TAttribute& attribute = *(*attributes)[i];
        const int32_t value = attribute.ValueNumber;
        switch (attribute.Kind) {
        case HtmlToken::BgColorAttr:
            Cell->HasBackground = ParseColor(attribute.ValueText, Cell->BackgroundColor);
            break;
        case HtmlToken::ColSpanAttr:
            // Anything wider than the widest grid is refused by the table anyway.
            if (value > 1)
                ColSpan = std::min(value, MaxTableColumns + 1);
            break;
        case HtmlToken::RowSpanAttr:
            if (value > 1)
                RowSpan = value;
            break;
        case HtmlToken::WidthAttr:
            if (attribute.ValueText.find('%') != std::string::npos) {
                if (value >= 1 && value <= 100) {
                    SpecWidth = value * 10;
                    WidthIsPercent = true;
                }
            } else if (value > 0) {
                SpecWidth = std::min(value, MaxTableSize);
            }
            break;
        case HtmlToken::HeightAttr:
            SpecHeight = std::min(value, MaxTableSize);
            break;
        default:
            break;
        }
    }
}

void TCellObj::ContentWidths(TCanvas& canvas, uint32_t pass, int32_t& minWidth, int32_t& maxWidth)
{
    if (WidthsPass_ != pass) {
        Cell->MeasureWidths(canvas, MinWidth_, MaxWidth_);
        WidthsPass_ = pass;
    }
    minWidth = MinWidth_;
    maxWidth = MaxWidth_;
}

void TCellObj::LayoutContent(TCanvas& canvas, int32_t contentWidth, uint32_t pass)
{
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    ContentHeight = Cell->Layout(canvas, 0, contentWidth, maxWidth, charIndex);
    LayoutPass_ = pass;
    LayoutWidth_ = contentWidth;
}

namespace {

// A list item reaches at least down to Y 1 (the open level's bottom when nothing else ends
// there): one of no height of its own at the top of a column laid out at Y 0 takes a pixel that
// it has nowhere lower down, so moving that layout would keep the pixel.
bool StartsWithListItemOfNoHeight(const TCell& cell)
{
    for (int i = 0; i < cell.Count() && cell[i]->Top == cell.Top; ++i) {
        const auto* section = dynamic_cast<const TSection*>(cell[i]);
        if (section && section->ListLevel > 0 && section->Height > 0
            && std::all_of(section->Lines.begin(), section->Lines.end(),
                           [](const LineRec& line) { return line.FullHeight() == 0; }))
            return true;
    }
    return false;
}

} // namespace

void TCellObj::PlaceContent(TCanvas& canvas, int32_t y, int32_t contentWidth, int32_t& charIndex, uint32_t pass)
{
    if (LayoutPass_ != pass || LayoutWidth_ != contentWidth || StartsWithListItemOfNoHeight(*Cell)) {
        // Also a cell whose span reaches past the last row: it has no height of its own and is
        // laid out only here.
        int32_t maxWidth = 0;
        Cell->Layout(canvas, y, contentWidth, maxWidth, charIndex);
        return;
    }
    Cell->MoveBy(ClampInt32(int64_t{y} - Cell->Top), ClampInt32(int64_t{charIndex} - Cell->FirstIndex));
    charIndex = ClampInt32(int64_t{charIndex} + Cell->CharCount);
}

void TCellList::ApplyRowAttributes(const TAttributeList& attributes)
{
    if (const TAttribute* color = attributes.FindAttribute(HtmlToken::BgColorAttr))
        HasRowColor = ParseColor(color->ValueText, RowColor);
}

void TCellList::InheritRowColor()
{
    if (!HasRowColor)
        return;
    for (int i = 0; i < Count(); ++i) {
        TCell& cell = *Items(i)->Cell;
        if (!cell.HasBackground) {
            cell.HasBackground = true;
            cell.BackgroundColor = RowColor;
        }
    }
}

void TCellList::RefreshFonts()
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->RefreshFonts();
}

int32_t TCellList::LayoutCells(TCanvas& canvas, const TColumnWidths& columnWidths, int32_t span, int32_t padding,
                               int32_t spacing, bool& more, uint32_t pass)
{
    int32_t height = 0;
    more = false;
    const int count = std::min(Count(), MaxTableColumns + 1);
    for (int i = 0; i < count; ++i) {
        TCellObj& cellObj = *Items(i);
        if (cellObj.IsFiller())
            continue;
        int64_t width = 0;
        for (int j = i; j < std::min(i + cellObj.ColSpan, count); ++j)
            width += columnWidths[static_cast<size_t>(j)];
        cellObj.Width = ClampInt32(width);
        if (cellObj.RowSpan == span) {
            cellObj.LayoutContent(canvas, ClampInt32(width - 2 * int64_t{padding} - spacing), pass);
            height = std::max({height, cellObj.ContentHeight, ClampInt32(int64_t{cellObj.SpecHeight} - 2 * padding)});
        } else if (cellObj.RowSpan > span) {
            more = true;
        }
    }
    return height;
}

void TCellList::PlaceCells(TCanvas& canvas, int32_t y, int32_t padding, int32_t spacing, int32_t& charIndex,
                           uint32_t pass)
{
    const int64_t frame = 2 * int64_t{padding} + spacing;
    for (int i = 0; i < Count(); ++i) {
        TCellObj& cellObj = *Items(i);
        if (cellObj.IsFiller() || !cellObj.HasContent())
            continue;
        const int64_t free = int64_t{cellObj.RowHeight} - cellObj.ContentHeight - frame;
        switch (cellObj.VAlign) {
        case VAlignTop: cellObj.VOffset = 0; break;
        case VAlignMiddle: cellObj.VOffset = ClampInt32(free / 2); break;
        case VAlignBottom: cellObj.VOffset = ClampInt32(free); break;
        default: break;
        }
        cellObj.PlaceContent(canvas, ClampInt32(int64_t{y} + padding + spacing + cellObj.VOffset),
                             ClampInt32(cellObj.Width - frame), charIndex, pass);
    }
}

int32_t TCellList::PaintRow(TCanvas& canvas, const TRect& clipRect, const TColumnWidths& columnWidths, int32_t x,
                            int32_t y, int32_t scrollTop, int32_t padding, int32_t spacing, bool border,
                            platform::TRegion* region)
{
    const int32_t result = ClampInt32(int64_t{y} + Height);
    const int64_t top = int64_t{y} - scrollTop;
    if (top + PaintExtent < clipRect.Top || top >= clipRect.Bottom)
        return result;
    const int32_t sy = ClampInt32(top);
    int64_t cx = x;
    const int count = std::min(Count(), MaxTableColumns + 1);
    for (int i = 0; i < count; ++i) {
        TCellObj& cellObj = *Items(i);
        const int32_t left = ClampInt32(cx);
        cx += columnWidths[static_cast<size_t>(i)];
        if (cellObj.IsFiller() || !cellObj.HasContent())
            continue;
        const TRect box{ClampInt32(int64_t{left} + spacing), ClampInt32(int64_t{sy} + spacing),
                        ClampInt32(int64_t{left} + cellObj.Width), ClampInt32(int64_t{sy} + cellObj.RowHeight)};
        TCell& cell = *cellObj.Cell;
        if (cell.HasBackground) {
            canvas.Brush().Color = cell.BackgroundColor | platform::PaletteRelative;
            canvas.Brush().Style = platform::TBrushStyle::bsSolid;
            canvas.FillRect(box);
        }
        cell.Paint(canvas, clipRect, ClampInt32(int64_t{cellObj.Width} - spacing - 2 * int64_t{padding}),
                   ClampInt32(int64_t{box.Left} + padding),
                   ClampInt32(int64_t{y} + spacing + padding + cellObj.VOffset));
        if (border)
            Border3D(*cell.Document, canvas, box.Left - 1, box.Top - 1, box.Right, box.Bottom, false);
        if (region) {
            const int grow = border ? 1 : 0;
            region->Subtract({box.Left - grow, box.Top - grow, box.Right + grow, box.Bottom + grow});
        }
    }
    return result;
}

} // namespace htmlview
