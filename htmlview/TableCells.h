#pragma once
// The rows and cells of a table: a cell holds its content as a column of sections; a row is one
// cell object per grid slot it covers (fillers stand for slots covered by another cell's span).
// The table decides the grid, the column widths and the row heights; a row lays out, places and
// paints its cells.
#include "htmlview/Cell.h"

#include <array>
#include <cstdint>
#include <memory>

namespace htmlview {

class TAttributeList;

// A table has at most this many grid columns; a span can never usefully exceed one more.
constexpr int32_t MaxTableColumns = 30;
using TColumnWidths = std::array<int32_t, MaxTableColumns + 1>;
// Pixel WIDTH and HEIGHT of tables and cells are cut to this: no page needs more, and sums and
// positions made of such sizes stay far from overflowing anywhere they are drawn.
constexpr int32_t MaxTableSize = 100000;

class TCellObj {
public:
    // Attributes may be none (fillers, the caption). VAlign: 0 top, 1 middle, 2 bottom.
    TCellObj(TSectionList& document, const TAttributeList* attributes, uint8_t vAlign);
    TCellObj(const TCellObj&) = delete;
    TCellObj& operator=(const TCellObj&) = delete;

    int32_t ColSpan = 1;       // 0: a filler
    int32_t RowSpan = 1;
    int32_t Width = 0;         // of the columns it covers
    int32_t RowHeight = 0;     // of the rows it covers
    int32_t ContentHeight = 0; // at the last layout
    int32_t SpecHeight = 0;    // HEIGHT in pixels
    int32_t VOffset = 0;       // content offset from the cell's top
    uint8_t VAlign = 0;
    int32_t SpecWidth = 0;     // pixels, or tenths of a percent with WidthIsPercent
    bool WidthIsPercent = false;
    std::unique_ptr<TCell> Cell; // its BackgroundColor is the cell's colour

    bool IsFiller() const { return ColSpan == 0; }
    bool HasContent() const { return Cell->Count() > 0; }
    void RefreshFonts() { Cell->RefreshFonts(); }

    // The content's narrowest and one-line widths, measured once per layout pass.
    void ContentWidths(platform::TCanvas& canvas, uint32_t pass, int32_t& minWidth, int32_t& maxWidth);
    // Lays the content out at Y 0 for a width, its characters numbered from 0, to find its
    // height: sets ContentHeight.
    void LayoutContent(platform::TCanvas& canvas, int32_t contentWidth, uint32_t pass);
    // Puts the content at document Y, its characters numbered from CharIndex (advanced past
    // them). Content laid out in this pass at this width is only moved there, unless a move
    // would differ from a layout there (a list item of no height at its top): each level of
    // nested tables would otherwise lay out everything inside it again. ContentHeight stays.
    void PlaceContent(platform::TCanvas& canvas, int32_t y, int32_t contentWidth, int32_t& charIndex, uint32_t pass);

private:
    uint32_t WidthsPass_ = 0; // passes count from 1
    int32_t MinWidth_ = 0;
    int32_t MaxWidth_ = 0;
    uint32_t LayoutPass_ = 0;
    int32_t LayoutWidth_ = 0;
};

class TCellList : public TFreeList<TCellObj> {
public:
    int32_t Height = 0;      // the row's height
    int32_t PaintExtent = 0; // the largest RowHeight of its cells
    bool HasRowColor = false;
    platform::TColor RowColor = 0;

    void ApplyRowAttributes(const TAttributeList& attributes);
    // Cells without a colour of their own take the row's.
    void InheritRowColor();
    void RefreshFonts();

    // Sets every real cell's Width from the column widths and lays out the cells whose RowSpan
    // is Span (see TCellObj::LayoutContent); returns the tallest of them (content, or HEIGHT less
    // the padding). More: some cell spans more rows.
    int32_t LayoutCells(platform::TCanvas& canvas, const TColumnWidths& columnWidths, int32_t span,
                        int32_t padding, int32_t spacing, bool& more, uint32_t pass);
    // Final places of the cells' content at document Y with vertical alignment, numbering their
    // characters from CharIndex.
    void PlaceCells(platform::TCanvas& canvas, int32_t y, int32_t padding, int32_t spacing, int32_t& charIndex,
                    uint32_t pass);
    // Backgrounds, content and frames of the cells, the row's top at document Y; the cells'
    // rectangles are cut out of Region when given. Returns Y + Height.
    int32_t PaintRow(platform::TCanvas& canvas, const platform::TRect& clipRect, const TColumnWidths& columnWidths,
                     int32_t x, int32_t y, int32_t scrollTop, int32_t padding, int32_t spacing, bool border,
                     platform::TRegion* region);
};

} // namespace htmlview
