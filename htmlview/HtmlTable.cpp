// The table section: attributes, the rectangular grid, layout, painting, hit tests and the walks
// through the cells. Column widths are in HtmlTableWidths.cpp.
#include "htmlview/HtmlTable.h"

#include "htmlview/HtmlDrawUtils.h"
#include "htmlview/HtmlScanner.h"
#include "htmlview/HtmlVocabulary.h"
#include "htmlview/SectionList.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace htmlview {

using platform::TCanvas;
using platform::TRect;

namespace {

constexpr int32_t MaxCellPadding = 50;
constexpr int32_t MaxCellSpacing = 40;
constexpr int32_t MaxHSpace = 20;
constexpr int32_t MinGridWidth = 20;

// Layout runs on one thread.
uint32_t CurrentPass = 0;
int LayoutDepth = 0;

class TLayoutPassGuard {
public:
    TLayoutPassGuard()
    {
        // Cells start with pass 0, as never measured.
        if (LayoutDepth++ == 0 && ++CurrentPass == 0)
            ++CurrentPass;
    }
    ~TLayoutPassGuard() { --LayoutDepth; }
    TLayoutPassGuard(const TLayoutPassGuard&) = delete;
    TLayoutPassGuard& operator=(const TLayoutPassGuard&) = delete;
};

std::unique_ptr<TCellObj> MakeFiller(TSectionList& document, int32_t rowSpan)
{
    auto filler = std::make_unique<TCellObj>(document, nullptr, VAlignTop);
    filler->ColSpan = 0;
    filler->RowSpan = rowSpan;
    return filler;
}

} // namespace

ThtmlTable::ThtmlTable(TSectionList& document, const TAttributeList& attributes, uint8_t alignment, TCell* container,
                       int32_t listLevel)
    : Caption(std::make_unique<TCellObj>(document, nullptr, VAlignTop)), Alignment(alignment), ListLevel(listLevel),
      Container(container)
{
    Document = &document;
    for (int i = 0; i < attributes.Count(); ++i) {
        const TAttribute& attribute = *attributes[i];
        const int32_t value = attribute.ValueNumber;
        switch (attribute.Kind) {
        case HtmlToken::AlignAttr:
            if (const uint8_t align = ParseAlign(attribute.ValueText); align == JustifyCenter) {
                Alignment = align;
            } else if (align != JustifyNone) {
                Alignment = align;
                Floats = true;
            }
            break;
        case HtmlToken::BgColorAttr:
            HasBackground = ParseColor(attribute.ValueText, BackgroundColor);
            break;
        case HtmlToken::BorderAttr:
            Border = value > 0;
            break;
        case HtmlToken::CellPaddingAttr:
            if (value >= 0)
                CellPadding = std::min(value, MaxCellPadding);
            break;
        case HtmlToken::CellSpacingAttr:
            if (value >= 0)
                CellSpacing = std::min(value, MaxCellSpacing);
            break;
        case HtmlToken::WidthAttr:
            if (attribute.ValueText.find('%') != std::string::npos) {
                WidthIsPercent = true;
                if (value >= 1 && value <= 100)
                    WidthAttr = value * 10;
            } else {
                WidthAttr = std::min(value, MaxTableSize);
            }
            break;
        case HtmlToken::BorderColorAttr:
            HasBorderColor = ParseColor(attribute.ValueText, BorderColor);
            break;
        case HtmlToken::HSpaceAttr:
            HSpace = static_cast<int32_t>(std::min<int64_t>(MaxHSpace, std::llabs(int64_t{value})));
            break;
        default:
            break;
        }
    }
    if (Border)
        CellSpacing += 2;
}

// ---- The grid ----

void ThtmlTable::PrepareGrid()
{
    if (!HasBackground && Container && Container->HasBackground) {
        HasBackground = true;
        BackgroundColor = Container->BackgroundColor;
    }
    if (!ColorsReady_)
        InheritColors();
    ShapeGrid();
    if (TooWide_)
        throw EProcessError("Table has too many Columns");
}

void ThtmlTable::InheritColors()
{
    // A cell's own colour wins, then its row's, then the table's (which may be its column's).
    for (int r = 0; r < Rows.Count(); ++r) {
        TCellList& row = *Rows[r];
        row.InheritRowColor();
        for (int i = 0; i < row.Count(); ++i) {
            TCell& cell = *row[i]->Cell;
            if (HasBackground && !cell.HasBackground) {
                cell.HasBackground = true;
                cell.BackgroundColor = BackgroundColor;
            }
        }
    }
    ColorsReady_ = true;
}

void ThtmlTable::ShapeGrid()
{
    if (GridReady || TooWide_)
        return;
    ColumnCount = 0;
    HasPixelCellWidth = false;
    for (int r = 0; r < Rows.Count(); ++r) {
        TCellList& row = *Rows[r];
        int64_t slotCount = 0;
        for (int i = 0; i < row.Count(); ++i) {
            slotCount += row[i]->ColSpan;
            if (row[i]->SpecWidth > 0 && !row[i]->WidthIsPercent)
                HasPixelCellWidth = true;
        }
        // Too wide already: no need to make the fillers.
        if (slotCount > MaxTableColumns) {
            TooWide_ = true;
            return;
        }
        for (int i = row.Count() - 1; i >= 0; --i) {
            const TCellObj& spanning = *row[i];
            for (int32_t k = 1; k < spanning.ColSpan; ++k)
                row.Insert(i + 1, MakeFiller(*Document, spanning.RowSpan));
        }
        ColumnCount = std::max(ColumnCount, row.Count());
    }
    // Cells spanning rows push the cells below them to the right.
    const int rowCount = Rows.Count();
    for (int c = 0; c < ColumnCount; ++c) {
        for (int r = 0; r < rowCount; ++r) {
            if (c >= Rows[r]->Count())
                continue;
            TCellObj& cellObj = *(*Rows[r])[c];
            cellObj.RowSpan = std::min(cellObj.RowSpan, rowCount - r);
            for (int k = r + 1; k < r + cellObj.RowSpan; ++k) {
                TCellList& below = *Rows[k];
                while (below.Count() < c)
                    below.Add(MakeFiller(*Document, 0));
                below.Insert(c, MakeFiller(*Document, 0));
            }
        }
    }
    for (int r = 0; r < rowCount; ++r)
        ColumnCount = std::max(ColumnCount, Rows[r]->Count());
    if (ColumnCount > MaxTableColumns)
        TooWide_ = true;
    else
        GridReady = true;
}

bool ThtmlTable::Fits()
{
    if (Fits_)
        return *Fits_;
    ShapeGrid();
    // A nested table that is too wide costs the whole table that holds it.
    Fits_ = !TooWide_ && !ForColumns([](TCell& column) {
        for (int i = 0; i < column.Count(); ++i)
            if (auto* nested = dynamic_cast<ThtmlTable*>(column[i]); nested && !nested->Fits())
                return true;
        return false;
    });
    return *Fits_;
}

bool ThtmlTable::Holds(const TSectionBase* section) const
{
    return ForColumns([section](TCell& column) {
        for (int i = 0; i < column.Count(); ++i) {
            if (column[i] == section)
                return true;
            if (const auto* nested = dynamic_cast<const ThtmlTable*>(column[i]); nested && nested->Holds(section))
                return true;
        }
        return false;
    });
}

void ThtmlTable::AddOwnColumns(std::unordered_set<const TCell*>& columns) const
{
    ForColumns([&columns](TCell& own) {
        columns.insert(&own);
        for (int i = 0; i < own.Count(); ++i)
            own[i]->AddOwnColumns(columns);
        return false;
    });
}

int32_t ThtmlTable::LargestColSpan() const
{
    int32_t largest = 1;
    for (int r = 0; r < Rows.Count(); ++r)
        for (int i = 0; i < Rows[r]->Count(); ++i)
            largest = std::max(largest, (*Rows[r])[i]->ColSpan);
    return largest;
}

int32_t ThtmlTable::LargestRowSpan() const
{
    int32_t largest = 1;
    for (int r = 0; r < Rows.Count(); ++r)
        for (int i = 0; i < Rows[r]->Count(); ++i)
            largest = std::max(largest, (*Rows[r])[i]->RowSpan);
    return largest;
}

// ---- Layout ----

uint32_t ThtmlTable::LayoutPass()
{
    return CurrentPass;
}

void ThtmlTable::MeasureWidths(TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth)
{
    const TLayoutPassGuard passGuard;
    PrepareGrid();
    const TBounds bounds = HasPixelCellWidth && WidthAttr == 0 ? BoundsFixed(canvas)
                                                               : BoundsPercent(canvas, WidthIsPercent ? 0 : WidthAttr);
    minWidth = ClampInt32(int64_t{bounds.TotalMin} + CellSpacing);
    maxWidth = ClampInt32(int64_t{bounds.TotalMax} + CellSpacing);
    if (!WidthIsPercent) {
        minWidth = std::max(minWidth, WidthAttr);
        maxWidth = std::max(maxWidth, WidthAttr);
    }
    int32_t captionMax = 0;
    Caption->ContentWidths(canvas, CurrentPass, CaptionMinWidth, captionMax);
    minWidth = std::max(minWidth, CaptionMinWidth);
    maxWidth = std::max(maxWidth, CaptionMinWidth);
}

int32_t ThtmlTable::Layout(TCanvas& canvas, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                           int32_t& charIndex)
{
    const TLayoutPassGuard passGuard;
    Top = y;
    FirstIndex = charIndex;
    indentMgr.SetLevel(y, ListLevel);
    const int32_t leftEdge = indentMgr.LeftEdge(y);
    const int32_t avail = ClampInt32(int64_t{indentMgr.RightEdge(y)} - leftEdge);
    const bool specified = WidthAttr > 0;
    const int32_t wanted = !specified ? avail : WidthIsPercent ? MulDiv(avail, WidthAttr, 1000) : WidthAttr;
    const int32_t width = std::max(ClampInt32(int64_t{wanted} - CellSpacing), MinGridWidth);

    PrepareGrid();
    FitColumns(canvas, width, specified);
    int64_t gridWidth = CellSpacing;
    for (int i = 0; i < ColumnCount; ++i)
        gridWidth += Widths[static_cast<size_t>(i)];
    GridWidth = ClampInt32(gridWidth);
    int32_t captionMax = 0;
    Caption->ContentWidths(canvas, CurrentPass, CaptionMinWidth, captionMax);
    TableWidth = std::max(GridWidth, CaptionMinWidth);

    const int32_t height = PlaceRows(canvas, y, charIndex);
    // The tables inside were placed by moves put off until the outermost one is done.
    if (LayoutDepth == 1)
        ApplyMoves();

    int64_t alignOffset = 0;
    if (TableWidth < avail) {
        if (Alignment == JustifyCenter)
            alignOffset = (int64_t{avail} - TableWidth) / 2;
        else if (Alignment == JustifyRight)
            alignOffset = int64_t{avail} - TableWidth;
    }
    TableLeft = ClampInt32(alignOffset + leftEdge);
    GridLeft = ClampInt32((int64_t{TableWidth} - GridWidth) / 2 + TableLeft);
    Length = charIndex - FirstIndex;
    maxWidth = TableWidth;
    if (Floats) {
        indentMgr.AddBlock(Top, ClampInt32(int64_t{TableWidth} + HSpace + 1), Alignment, height);
        PaintHeight = height;
        Height = 0;
        return 0;
    }
    Height = PaintHeight = height;
    return height;
}

std::vector<int32_t> ThtmlTable::RowHeights(TCanvas& canvas)
{
    const int rowCount = Rows.Count();
    std::vector<int32_t> heights(static_cast<size_t>(rowCount), 0);
    // Only the spans some cell has change anything: a pass without its cells adds no height.
    std::vector<bool> spans(static_cast<size_t>(LargestRowSpan()) + 1, false);
    for (int r = 0; r < rowCount; ++r)
        for (int i = 0; i < Rows[r]->Count(); ++i)
            spans[static_cast<size_t>(std::max((*Rows[r])[i]->RowSpan, 0))] = true;
    spans[1] = true;
    const int64_t frame = 2 * int64_t{CellPadding} + CellSpacing;
    for (int32_t span = 1; span < static_cast<int32_t>(spans.size()); ++span) {
        if (!spans[static_cast<size_t>(span)])
            continue;
        for (int k = 0; k + span <= rowCount; ++k) {
            bool more = false;
            const int64_t h = Rows[k]->LayoutCells(canvas, Widths, span, CellPadding, CellSpacing, more, CurrentPass)
                + frame;
            if (span == 1) {
                heights[static_cast<size_t>(k)] = ClampInt32(h);
                continue;
            }
            int64_t sum = 0;
            for (int j = k; j < k + span; ++j)
                sum += heights[static_cast<size_t>(j)];
            if (h <= sum)
                continue;
            const int64_t extra = h - sum;
            for (int j = k; j < k + span; ++j)
                heights[static_cast<size_t>(j)] = ClampInt32(heights[static_cast<size_t>(j)] + extra / span);
            int32_t& last = heights[static_cast<size_t>(k + span - 1)];
            last = ClampInt32(last + extra - span * (extra / span));
        }
    }
    return heights;
}

int32_t ThtmlTable::PlaceRows(TCanvas& canvas, int32_t y, int32_t& charIndex)
{
    int32_t captionMax = 0;
    int64_t rowY = y;
    int64_t total = 0;
    if (CaptionOnTop) {
        CaptionHeight = Caption->Cell->Layout(canvas, y, TableWidth, captionMax, charIndex);
        rowY += CaptionHeight;
        total = CaptionHeight;
    }
    const std::vector<int32_t> heights = RowHeights(canvas);
    for (int k = 0; k < Rows.Count(); ++k) {
        TCellList& row = *Rows[k];
        row.Height = heights[static_cast<size_t>(k)];
        total += row.Height;
        row.PaintExtent = 0;
        for (int i = 0; i < row.Count(); ++i) {
            TCellObj& cellObj = *row[i];
            int64_t covered = 0;
            for (int j = k; j < std::min(k + cellObj.RowSpan, Rows.Count()); ++j)
                covered += heights[static_cast<size_t>(j)];
            cellObj.RowHeight = ClampInt32(covered);
            row.PaintExtent = std::max(row.PaintExtent, cellObj.RowHeight);
        }
        row.PlaceCells(canvas, ClampInt32(rowY), CellPadding, CellSpacing, charIndex, CurrentPass);
        rowY += row.Height;
    }
    total += CellSpacing;
    GridHeight = ClampInt32(CaptionOnTop ? total - CaptionHeight : total);
    if (!CaptionOnTop) {
        CaptionHeight =
            Caption->Cell->Layout(canvas, ClampInt32(int64_t{Top} + GridHeight), TableWidth, captionMax, charIndex);
        total += CaptionHeight;
    }
    return ClampInt32(total);
}

// ---- Painting ----

int32_t ThtmlTable::Paint(TCanvas& canvas, const TRect& clipRect, IndentManager&, int32_t x, int32_t y)
{
    const int32_t result = ClampInt32(int64_t{y} + Height);
    const int32_t scroll = Document->ScrollTop;
    if (int64_t{y} + PaintHeight - scroll < clipRect.Top || int64_t{y} - scroll >= clipRect.Bottom)
        return result;
    const int32_t gridX = ClampInt32(int64_t{x} + GridLeft);
    PaintGridX = gridX;
    PaintTop = y;
    const int32_t captionX = ClampInt32(int64_t{x} + TableLeft);
    const int32_t gridTop = CaptionOnTop ? Caption->Cell->Paint(canvas, clipRect, TableWidth, captionX, y) : y;
    const int32_t gridRight = ClampInt32(int64_t{gridX} + GridWidth);
    std::optional<platform::TRegion> region;
    if (HasBorderColor)
        region.emplace(TRect{gridX, std::max(clipRect.Top - 1, ClampInt32(int64_t{gridTop} - scroll)), gridRight,
                             std::min(clipRect.Bottom, ClampInt32(int64_t{gridTop} + GridHeight - scroll))});
    int32_t rowY = gridTop;
    for (int k = 0; k < Rows.Count(); ++k)
        rowY = Rows[k]->PaintRow(canvas, clipRect, Widths, gridX, rowY, scroll, CellPadding, CellSpacing, Border,
                                 region ? &*region : nullptr);
    if (region)
        canvas.FillRegion(*region, BorderColor | platform::PaletteRelative);
    if (Border)
        Border3D(*Document, canvas, gridX, ClampInt32(int64_t{gridTop} - scroll), ClampInt32(int64_t{gridRight} - 1),
                 ClampInt32(int64_t{rowY} + CellSpacing - scroll - 1), true);
    if (!CaptionOnTop)
        Caption->Cell->Paint(canvas, clipRect, TableWidth, captionX, ClampInt32(int64_t{gridTop} + GridHeight));
    return result;
}

// ---- Hit tests ----

TCellObj* ThtmlTable::CellAt(int32_t x, int32_t y, int32_t& contentTop) const
{
    int64_t rowTop = 0;
    for (int r = 0; r < Rows.Count(); ++r) {
        const TCellList& row = *Rows[r];
        int64_t cx = PaintGridX;
        for (int j = 0; j < std::min(row.Count(), ColumnCount); ++j) {
            TCellObj& cellObj = *row[j];
            if (!cellObj.IsFiller() && x >= cx && x < cx + cellObj.Width && y >= rowTop
                && y < rowTop + cellObj.RowHeight) {
                contentTop = ClampInt32(rowTop + CellSpacing + CellPadding + cellObj.VOffset);
                return &cellObj;
            }
            cx += Widths[static_cast<size_t>(j)];
        }
        rowTop += row.Height;
    }
    return nullptr;
}

template <class TResult>
TResult ThtmlTable::AskAt(int32_t x, int32_t y, int32_t limit, TResult none,
                          const std::function<TResult(TCell&, int32_t, int32_t)>& ask) const
{
    if (y > limit)
        return none;
    const int64_t captionLeft = int64_t{PaintGridX} + TableLeft - GridLeft;
    const bool inGrid = x >= PaintGridX && x <= int64_t{PaintGridX} + GridWidth;
    const bool inCaption = x >= captionLeft && x <= captionLeft + TableWidth;
    const int32_t gridTop = CaptionOnTop ? CaptionHeight : 0;
    const bool toGrid = CaptionOnTop ? y >= CaptionHeight : y < GridHeight;
    if (toGrid) {
        int32_t contentTop = 0;
        TCellObj* cellObj = inGrid ? CellAt(x, y - gridTop, contentTop) : nullptr;
        if (!cellObj)
            return none;
        const int32_t shift = ClampInt32(int64_t{gridTop} + contentTop);
        return ask(*cellObj->Cell, ClampInt32(int64_t{y} - shift), shift);
    }
    if (!inCaption)
        return none;
    const int32_t captionTop = CaptionOnTop ? 0 : GridHeight;
    return ask(*Caption->Cell, y - captionTop, captionTop);
}

bool ThtmlTable::LinkAt(TCanvas& canvas, int32_t x, int32_t y, TUrlTarget& target, TFormControlObj*& formControl)
{
    return AskAt<bool>(x, y, PaintHeight, false, [&](TCell& column, int32_t columnY, int32_t) {
        return column.LinkAt(canvas, x, columnY, target, formControl);
    });
}

bool ThtmlTable::ImageAt(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY)
{
    return AskAt<bool>(x, y, PaintHeight, false, [&](TCell& column, int32_t columnY, int32_t) {
        return column.ImageAt(x, columnY, image, imageX, imageY);
    });
}

int32_t ThtmlTable::IndexAtPoint(TCanvas& canvas, int32_t x, int32_t y, int32_t& caretX, int32_t& lineTop,
                                 int32_t& lineHeight, TCell*& cell, bool& inLine)
{
    return AskAt<int32_t>(x, y, Height, -1, [&](TCell& column, int32_t columnY, int32_t shift) {
        const int32_t index = column.IndexAtPoint(canvas, x, columnY, caretX, lineTop, lineHeight, cell, inLine);
        lineTop = ClampInt32(int64_t{lineTop} + shift);
        return index;
    });
}

// ---- Walks through the cells ----

bool ThtmlTable::ForColumns(const std::function<bool(TCell&)>& visit) const
{
    if (CaptionOnTop && visit(*Caption->Cell))
        return true;
    for (int r = 0; r < Rows.Count(); ++r)
        for (int i = 0; i < Rows[r]->Count(); ++i)
            if (visit(*(*Rows[r])[i]->Cell))
                return true;
    return !CaptionOnTop && visit(*Caption->Cell);
}

void ThtmlTable::AddSelectedText()
{
    ForColumns([](TCell& column) {
        column.AddSelectedText();
        return false;
    });
}

int32_t ThtmlTable::FindText(int32_t fromIndex, const std::string& text, bool matchCase)
{
    int32_t found = -1;
    ForColumns([&](TCell& column) {
        found = column.FindText(fromIndex, text, matchCase);
        return found >= 0;
    });
    return found;
}

int32_t ThtmlTable::CellContentX(int column) const
{
    int64_t x = int64_t{GridLeft} + CellSpacing + CellPadding;
    for (int j = 0; j < column; ++j)
        x += Widths[static_cast<size_t>(j)];
    return ClampInt32(x);
}

bool ThtmlTable::PointOfIndex(TCanvas& canvas, int32_t index, int32_t& x, int32_t& y)
{
    if (Length == 0 || index > int64_t{FirstIndex} + Length)
        return false;
    // The cells were laid out with their own left edge at 0: their X is moved to the table's.
    auto captionAnswers = [&] {
        if (!Caption->Cell->PointOfIndex(canvas, index, x, y))
            return false;
        x = ClampInt32(int64_t{x} + TableLeft);
        return true;
    };
    if (CaptionOnTop && captionAnswers())
        return true;
    for (int r = 0; r < Rows.Count(); ++r) {
        const TCellList& row = *Rows[r];
        for (int i = 0; i < row.Count(); ++i) {
            if (row[i]->Cell->PointOfIndex(canvas, index, x, y)) {
                x = ClampInt32(int64_t{x} + CellContentX(i));
                return true;
            }
        }
    }
    return !CaptionOnTop && captionAnswers();
}

bool ThtmlTable::CharAt(int32_t index, unsigned char& ch, TSectionBase*& section)
{
    if (Length == 0 || index < FirstIndex || index > int64_t{FirstIndex} + Length)
        return false;
    if (Caption->Cell->CharAt(index, ch, section))
        return true;
    for (int r = 0; r < Rows.Count(); ++r)
        for (int i = 0; i < Rows[r]->Count(); ++i)
            if ((*Rows[r])[i]->Cell->CharAt(index, ch, section))
                return true;
    return false;
}

void ThtmlTable::MoveBy(int32_t dy, int32_t dIndex)
{
    TSectionBase::MoveBy(dy, dIndex);
    ForColumns([dy, dIndex](TCell& column) {
        column.MoveBy(dy, dIndex);
        return false;
    });
}

void ThtmlTable::ApplyMoves()
{
    ForColumns([](TCell& column) {
        column.ApplyMoves();
        return false;
    });
}

void ThtmlTable::RefreshFonts()
{
    for (int r = 0; r < Rows.Count(); ++r)
        Rows[r]->RefreshFonts();
    Caption->RefreshFonts();
}

} // namespace htmlview
