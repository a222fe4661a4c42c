// Tables: rows, cells and the caption. Each cell's content is read by the body reader into the
// cell's own column; it hands back at the tags that end a cell.
#include "htmlview/HtmlBuilderState.h"
#include "htmlview/HtmlTable.h"
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"

namespace htmlview {

using enum HtmlToken;

namespace {

const TTokenSet CellStops = {TableEnd, TdTag, TdEnd, TrTag, TrEnd, ThTag, ThEnd, CaptionTag, CaptionEnd};

} // namespace

// What the table being read has open, and what it restores when it ends.
struct THtmlBuilder::TOpenTable {
    std::unique_ptr<ThtmlTable> Table;
    TCell* OuterCell = nullptr;
    size_t FontTop = 1;
    platform::TFontStyles Style = 0;
    uint8_t Justification = JustifyLeft;
    std::unique_ptr<TCellList> Row;
    uint8_t RowAlign = JustifyNone;
    uint8_t RowVAlign = VAlignMiddle;
    std::unique_ptr<TCellObj> Cell;
};

void THtmlBuilder::ParseTable(int32_t level)
{
    // Too deep: the tag reads as absent, and its cells as cells of the table around it.
    if (!CanNest()) {
        NextToken();
        return;
    }
    TNestingGuard nesting(*this);
    if (InLink)
        EndLink();
    TOpenTable open;
    open.OuterCell = CurrentCell;
    open.FontTop = FontStack.size();
    open.Style = CurrentStyle;
    open.Justification = Justification;
    CloseSection();
    CurrentCell = nullptr;
    open.Table = std::make_unique<ThtmlTable>(Document, AttributeList, Justification, open.OuterCell, level);
    try {
        NextToken();
        ParseTableTokens(open);
    } catch (...) {
        // What was read stays in the document, and the builder is left pointing at its own column.
        FinishTable(open);
        throw;
    }
    FinishTable(open);
    NextToken();
}

void THtmlBuilder::ParseTableTokens(TOpenTable& open)
{
    while (Token != TableEnd && Token != EndOfInputToken) {
        switch (Token) {
        case TdTag:
        case ThTag:
            StartTableCell(open);
            break;
        case TrTag:
            if (InLink)
                EndLink();
            CloseTableCell(open);
            CloseTableRow(open);
            StartTableRow(open);
            NextToken();
            break;
        case TrEnd:
            if (InLink)
                EndLink();
            CloseTableCell(open);
            CloseTableRow(open);
            NextToken();
            break;
        case TdEnd:
        case ThEnd:
            CloseTableCell(open);
            NextToken();
            break;
        case CaptionTag:
            ParseTableCaption(open);
            break;
        case TextToken:
            ParseTextBetweenCells(open);
            break;
        default:
            NextToken();
            break;
        }
    }
}

void THtmlBuilder::StartTableRow(TOpenTable& open)
{
    open.Row = std::make_unique<TCellList>();
    open.RowAlign = JustifyNone;
    open.RowVAlign = VAlignMiddle;
    if (Token != TrTag)
        return;
    if (const TAttribute* align = Attribute(AlignAttr))
        open.RowAlign = ParseAlign(align->ValueText);
    if (const TAttribute* vAlign = Attribute(VAlignAttr))
        open.RowVAlign = ParseVAlign(vAlign->ValueText, VAlignMiddle);
    open.Row->ApplyRowAttributes(AttributeList);
}

void THtmlBuilder::ResetCellFonts(const TOpenTable& open)
{
    while (FontStack.size() > open.FontTop)
        PopFont();
    CurrentStyle = open.Style;
}

void THtmlBuilder::StartTableCell(TOpenTable& open)
{
    if (InLink)
        EndLink();
    ResetCellFonts(open);
    if (open.Row)
        CloseTableCell(open);
    else
        StartTableRow(open);
    const bool heading = Token == ThTag;
    Justification = open.RowAlign != JustifyNone ? open.RowAlign : heading ? JustifyCenter : JustifyLeft;
    CurrentStyle = heading ? CurrentStyle | platform::fsBold
                           : static_cast<platform::TFontStyles>(CurrentStyle & ~platform::fsBold);
    if (const TAttribute* align = Attribute(AlignAttr))
        if (const uint8_t alignment = ParseAlign(align->ValueText); alignment != JustifyNone)
            Justification = alignment;
    const TAttribute* vAlign = Attribute(VAlignAttr);
    const uint8_t cellVAlign = vAlign ? ParseVAlign(vAlign->ValueText, open.RowVAlign) : open.RowVAlign;
    open.Cell = std::make_unique<TCellObj>(Document, &AttributeList, cellVAlign);
    CurrentCell = open.Cell->Cell.get();
    SkipWhiteSpace();
    NextToken();
    ParagraphSpaceDone = true;
    ParseBody(0, CellStops);
}

void THtmlBuilder::ParseTableCaption(TOpenTable& open)
{
    if (InLink)
        EndLink();
    ResetCellFonts(open);
    CloseTableCell(open);
    if (const TAttribute* align = Attribute(AlignAttr))
        open.Table->CaptionOnTop = !IsCaptionBelow(align->ValueText);
    CurrentCell = open.Table->Caption->Cell.get();
    Justification = JustifyCenter;
    NextToken();
    ParseBody(0, CellStops);
    CloseSection();
    CurrentCell = nullptr;
    if (Token == CaptionEnd)
        NextToken();
}

void THtmlBuilder::ParseTextBetweenCells(TOpenTable& open)
{
    // Text outside the cells stands before the table. A cell left open by a BODY end tag keeps
    // its own text.
    CloseSection();
    TCell* const inside = CurrentCell;
    CurrentCell = open.OuterCell;
    ParseBody(0, CellStops);
    CloseSection();
    CurrentCell = inside;
}

void THtmlBuilder::CloseTableCell(TOpenTable& open)
{
    if (!open.Cell)
        return;
    CloseSection();
    if (!open.Row)
        open.Row = std::make_unique<TCellList>();
    open.Row->Add(std::move(open.Cell));
    CurrentCell = nullptr;
}

void THtmlBuilder::CloseTableRow(TOpenTable& open)
{
    if (open.Row)
        open.Table->Rows.Add(std::move(open.Row));
}

void THtmlBuilder::FinishTable(TOpenTable& open)
{
    if (InLink)
        EndLink();
    ResetCellFonts(open);
    CloseTableCell(open);
    if (CurrentCell)
        CloseSection(); // of the caption, or of text before the table
    CloseTableRow(open);
    CurrentCell = open.OuterCell;
    // A table that is too wide is dropped by the first layout: no anchor may point into it then.
    if (!open.Table->Fits())
        for (TAnchor& anchor : AnchorNames)
            if (anchor.Section && open.Table->Holds(anchor.Section))
                anchor.Section = nullptr;
    CurrentCell->AppendSection(std::move(open.Table));
    Justification = open.Justification;
}

} // namespace htmlview
