#pragma once
// Tables read from HTML and laid out on the test canvas, where every character is 8 pixels wide
// and a line 16 high. With the default CELLPADDING 1 and CELLSPACING 2 a cell is its content
// plus 4 pixels each way, and the grid has 2 more at its right and bottom.
#include "htmlview/HtmlBuilder.h"
#include "htmlview/HtmlTable.h"
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"
#include "tests/support/TestCanvas.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tabletest {

constexpr int32_t CharWidth = 8;
constexpr int32_t LineHeight = 16;
constexpr int32_t CellFrame = 4; // 2 x padding + spacing

// The text of the first text section of a column ("" when none).
inline std::string CellText(const htmlview::TCell& cell)
{
    for (int i = 0; i < cell.Count(); ++i)
        if (const auto* section = dynamic_cast<const htmlview::TSection*>(cell[i]); section && section->Length > 0)
            return section->Text;
    return "";
}

inline htmlview::TSection& FirstSection(const htmlview::TCell& cell)
{
    for (int i = 0; i < cell.Count(); ++i)
        if (auto* section = dynamic_cast<htmlview::TSection*>(cell[i]); section && section->Length > 0)
            return *section;
    throw std::runtime_error("no text in the column");
}

class TableTest : public ::testing::Test {
protected:
    TableTest()
    {
        Document.SetDefaults("Arial", "Courier New", 12, platform::clBlack, platform::clBlue, platform::clWhite);
        Document.ShowErrorBox = [this](const std::string& message) { Errors.push_back(message); };
    }

    void Parse(std::string_view html) { htmlview::ParseHtmlBuffer(Document, Anchors, html, Head); }

    int32_t Layout(int32_t width)
    {
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        return Document.Layout(Canvas, 0, width, maxWidth, charIndex);
    }

    // Parsed, laid out and painted (the hit tests use where the table was painted).
    void Load(std::string_view html, int32_t width = 600)
    {
        Parse(html);
        PageHeight = Layout(width);
        Paint();
    }

    void Paint()
    {
        Canvas.Ops.clear();
        Document.Paint(Canvas, {0, 0, 4000, 4000}, 4000, 0, 0);
    }

    // The N-th table of the page body.
    htmlview::ThtmlTable& Table(int n = 0)
    {
        for (int i = 0; i < Document.Count(); ++i)
            if (auto* table = dynamic_cast<htmlview::ThtmlTable*>(Document[i]); table && n-- == 0)
                return *table;
        throw std::runtime_error("no such table");
    }

    int TableCount() const
    {
        int count = 0;
        for (int i = 0; i < Document.Count(); ++i)
            count += dynamic_cast<const htmlview::ThtmlTable*>(Document[i]) ? 1 : 0;
        return count;
    }

    static std::vector<int32_t> ColumnWidths(const htmlview::ThtmlTable& table)
    {
        return {table.Widths.begin(), table.Widths.begin() + table.ColumnCount};
    }

    htmlview::TCellObj& CellOf(int row, int column, int table = 0) { return *(*Table(table).Rows[row])[column]; }

    platform::TTestCanvas Canvas;
    htmlview::TSectionList Document{nullptr, nullptr, Canvas};
    htmlview::TAnchorList Anchors;
    htmlview::TParsedHead Head;
    std::vector<std::string> Errors;
    int32_t PageHeight = 0;
};

} // namespace tabletest
