#pragma once
// A TABLE of the page: one section of its column that owns its rows of cells and a caption.
// Each cell is a column of sections of its own, so anything the page body holds can stand in a
// cell and is laid out, painted and hit-tested by the same code.
//
// Percentages are kept in tenths of a percent (WIDTH=40% is 400).
#include "htmlview/TableCells.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace htmlview {

class ThtmlTable : public TSectionBase {
public:
    // Alignment: the text alignment where the table starts (1 left, 2 centre, 3 right);
    // Container: the column that holds the table (not owned); ListLevel: the list level there.
    ThtmlTable(TSectionList& document, const TAttributeList& attributes, uint8_t alignment, TCell* container,
               int32_t listLevel);

    TFreeList<TCellList> Rows;
    std::unique_ptr<TCellObj> Caption; // its column is empty without CAPTION
    bool GridReady = false;
    bool Border = false;
    bool CaptionOnTop = true;
    int32_t GridLeft = 0;  // from the column's left edge, at the last layout
    int32_t TableLeft = 0; // of the table and its caption, likewise
    uint8_t Alignment;
    bool Floats = false;
    int32_t ColumnCount = 0;
    int32_t GridWidth = 0;
    int32_t TableWidth = 0;
    int32_t WidthAttr = 0; // pixels, or tenths of a percent with WidthIsPercent
    bool WidthIsPercent = false;
    bool HasPixelCellWidth = false;
    int32_t CaptionHeight = 0;
    int32_t GridHeight = 0;
    int32_t CellPadding = 1;
    int32_t CellSpacing = 2;
    int32_t CaptionMinWidth = 0;
    TColumnWidths Widths{};
    TColumnWidths Percents{};
    int32_t HSpace = 5;
    int32_t ListLevel;
    int32_t PaintGridX = 0; // at the last paint
    int32_t PaintTop = 0;
    bool HasBackground = false;
    bool HasBorderColor = false;
    platform::TColor BackgroundColor = 0;
    platform::TColor BorderColor = 0;
    TCell* Container; // not owned

    // Makes the grid rectangular once (fillers for spans) and tells whether a layout will keep
    // the table: false when it or a table nested in it has more than 30 columns. Asked of a
    // complete table; the answer is kept, so asking each table of a deep nest stays linear.
    bool Fits();
    // Whether Section is one of the table's own, or of a table nested in it.
    bool Holds(const TSectionBase* section) const;
    void AddOwnColumns(std::unordered_set<const TCell*>& columns) const override;

    void AddSelectedText() override;
    int32_t Layout(platform::TCanvas& canvas, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                   int32_t& charIndex) override;
    int32_t Paint(platform::TCanvas& canvas, const platform::TRect& clipRect, IndentManager& indentMgr, int32_t x,
                  int32_t y) override;
    bool LinkAt(platform::TCanvas& canvas, int32_t x, int32_t y, TUrlTarget& target,
                TFormControlObj*& formControl) override;
    bool ImageAt(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY) override;
    int32_t IndexAtPoint(platform::TCanvas& canvas, int32_t x, int32_t y, int32_t& caretX, int32_t& lineTop,
                         int32_t& lineHeight, TCell*& cell, bool& inLine) override;
    int32_t FindText(int32_t fromIndex, const std::string& text, bool matchCase) override;
    // X comes back in the coordinates of the column that holds the table, like the page's own text.
    bool PointOfIndex(platform::TCanvas& canvas, int32_t index, int32_t& x, int32_t& y) override;
    bool CharAt(int32_t index, unsigned char& ch, TSectionBase*& section) override;
    void RefreshFonts() override;
    void MeasureWidths(platform::TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth) override;
    void MoveBy(int32_t dy, int32_t dIndex) override;
    void ApplyMoves() override;

private:
    // The number of the layout pass under way: a table laid out or measured outside any other
    // starts a new one, and the tables inside it share it, so each cell is measured and laid
    // out once for all of them.
    static uint32_t LayoutPass();

    // Per-column width bounds of the last bounds pass.
    struct TBounds {
        TColumnWidths Min{};
        TColumnWidths Max{};
        int32_t TotalMin = 0;
        int32_t TotalMax = 0;
    };

    // Colours inherited from the container (every call) and, once, from rows and the table;
    // then the grid. EProcessError "Table has too many Columns" when it is wider than 30.
    void PrepareGrid();
    void ShapeGrid();
    void InheritColors();
    int32_t LargestColSpan() const;
    int32_t LargestRowSpan() const;
    // The bounds pass: span by span from 1, the real cells of that ColSpan with their grid column
    // and their measured widths plus padding and spacing.
    using TCellBoundsVisit = std::function<void(TCellObj&, int32_t column, int32_t span, int32_t minWidth,
                                                int32_t maxWidth)>;
    void ForCellBounds(platform::TCanvas& canvas, const TCellBoundsVisit& visit) const;
    void SumBounds(TBounds& bounds) const;
    TBounds BoundsFixed(platform::TCanvas& canvas) const;
    TBounds BoundsPercent(platform::TCanvas& canvas, int32_t base);
    void SpreadSpanPercent(TBounds& bounds, int32_t column, int32_t span, int32_t cellPct, int32_t minWidth,
                           int32_t maxWidth);
    void FitColumns(platform::TCanvas& canvas, int32_t width, bool specified);
    void DistributeExact(const TBounds& bounds, int32_t width);
    void DistributeFree(TBounds& bounds, int32_t width);
    void DistributeBetween(const TBounds& bounds, int32_t width);
    // Row heights, then caption and cells at their final places; returns the table's height.
    int32_t PlaceRows(platform::TCanvas& canvas, int32_t y, int32_t& charIndex);
    // Lays out the cells (each at Y 0) and finds the height of every row from them.
    std::vector<int32_t> RowHeights(platform::TCanvas& canvas);

    // The caption's column when on top, the cells row by row, then the caption when below;
    // stops at the first column for which Visit is true.
    bool ForColumns(const std::function<bool(TCell&)>& visit) const;
    // The left edge of a grid column's content from the table's column's left edge.
    int32_t CellContentX(int column) const;
    // Walks the grid for the cell under (X, Y), Y from the grid's top; gives the cell and the Y
    // of its content's top relative to the grid.
    TCellObj* CellAt(int32_t x, int32_t y, int32_t& contentTop) const;
    // Sends a point (Y from the table's top) to the grid or the caption; Ask gets the column and
    // Y from its content's top, Shift the offset from the table's top to that content's top.
    template <class TResult>
    TResult AskAt(int32_t x, int32_t y, int32_t limit, TResult none,
                  const std::function<TResult(TCell&, int32_t, int32_t)>& ask) const;

    bool ColorsReady_ = false;
    bool TooWide_ = false;
    std::optional<bool> Fits_;
};

} // namespace htmlview
