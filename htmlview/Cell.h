#pragma once
// The document model's building blocks: a section (one block of the page) and a column of
// sections (the page body or a table cell), laid out, painted and asked about points and
// character indexes by the same code.
//
// Units: every X and Y is in pixels. Layout runs in document coordinates with the column's left
// edge at 0; painting gets the column's screen X and subtracts the document's ScrollTop from Y.
// Characters have document indexes, 0-based and without gaps across all sections.
#include "htmlview/HtmlUtils.h"
#include "htmlview/IndentManager.h"
#include "platform/Canvas.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_set>

namespace htmlview {

class TCell;
class TSectionList;
class TImageObj;
class TFormControlObj;

// A layout error that costs only the section raising it ("Table has too many Columns").
class EProcessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TSectionBase {
public:
    TSectionBase() = default;
    TSectionBase(const TSectionBase&) = delete;
    TSectionBase& operator=(const TSectionBase&) = delete;
    virtual ~TSectionBase() = default;

    TSectionList* Document = nullptr; // not owned
    int32_t Height = 0;               // how far the next section moves down
    int32_t PaintHeight = 0;          // how far below Top it may paint (floats included)
    int32_t Top = 0;                  // document Y at the last layout
    int32_t FirstIndex = 0;           // document index of its first character
    int32_t Length = 0;               // characters it holds

    // Feeds its part of the selection to the document's selection walk.
    virtual void AddSelectedText() {}
    // Lays out with its top at Y, advancing CharIndex; returns Height.
    virtual int32_t Layout(platform::TCanvas& canvas, int32_t y, IndentManager& indentMgr,
                           int32_t& maxWidth, int32_t& charIndex);
    // Paints with its top at document Y; returns the Y of the next section.
    virtual int32_t Paint(platform::TCanvas& canvas, const platform::TRect& clipRect,
                          IndentManager& indentMgr, int32_t x, int32_t y);
    // The link under a point (Y from the section's top).
    virtual bool LinkAt(platform::TCanvas& canvas, int32_t x, int32_t y, TUrlTarget& target,
                        TFormControlObj*& formControl);
    virtual bool ImageAt(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY);
    // Document index under a point, or -1.
    virtual int32_t IndexAtPoint(platform::TCanvas& canvas, int32_t x, int32_t y, int32_t& caretX,
                                 int32_t& lineTop, int32_t& lineHeight, TCell*& cell, bool& inLine);
    // Document index of the next occurrence at or after FromIndex, or -1.
    virtual int32_t FindText(int32_t fromIndex, const std::string& text, bool matchCase);
    virtual bool PointOfIndex(platform::TCanvas& canvas, int32_t index, int32_t& x, int32_t& y);
    virtual bool CharAt(int32_t index, unsigned char& ch, TSectionBase*& section);
    // Takes the document's default fonts and colours again.
    virtual void RefreshFonts();
    // Called once the section belongs to its document, and on every RefreshFonts.
    virtual void ApplyDocumentDefaults() {}
    // The narrowest width the section can take and its width on one line.
    virtual void MeasureWidths(platform::TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth);
    // Adds the columns the section owns (table cells, nested ones included).
    virtual void AddOwnColumns(std::unordered_set<const TCell*>&) const {}
    // Moves the last layout down by DY pixels and its characters on by DIndex, as a new layout
    // there at the same width would place them.
    virtual void MoveBy(int32_t dy, int32_t dIndex);
    // Carries out the moves that the columns it owns have put off (see TCell::MoveBy).
    virtual void ApplyMoves() {}
};

// A column of sections, owning them, in document order.
class TCell : public TFreeList<TSectionBase> {
public:
    // Document is the page the column belongs to (the page itself passes itself).
    explicit TCell(TSectionList* document);

    TSectionList* Document;
    int32_t FontSize = 0;   // the default font size in points; used on the page only
    int32_t Top = 0;        // Y of the column's top at the last layout
    int32_t FirstIndex = 0; // running character index when the last layout began
    int32_t CharCount = 0;  // characters laid out at the last layout
    IndentManager IndentMgr;
    bool HasBackground = false;
    platform::TColor BackgroundColor = 0;

    // Adds Section at the end and attaches it to the document; nothing for none.
    void AppendSection(std::unique_ptr<TSectionBase> section);

    // Lays the column out at Y for Width; returns its height (floats included).
    virtual int32_t Layout(platform::TCanvas& canvas, int32_t y, int32_t width, int32_t& maxWidth,
                           int32_t& charIndex);
    virtual void MeasureWidths(platform::TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth);
    // Moves the last layout: its sections and what its indent manager holds (see
    // TSectionBase::MoveBy). Top and FirstIndex move at once, the content only at ApplyMoves:
    // moving everything inside at every level of a deep nest of tables would take the square
    // of its depth. The table that starts a layout applies the moves when it is done.
    void MoveBy(int32_t dy, int32_t dIndex);
    void ApplyMoves();
    // Paints with the column's left edge at screen X and its top at document Y; returns the Y
    // below the column.
    virtual int32_t Paint(platform::TCanvas& canvas, const platform::TRect& clipRect,
                          int32_t paintClipWidth, int32_t x, int32_t y);
    // The link under a point, Y from the column's top; Target is emptied and FormControl
    // cleared first.
    virtual bool LinkAt(platform::TCanvas& canvas, int32_t x, int32_t y, TUrlTarget& target,
                        TFormControlObj*& formControl);

    // The first section whose bottom lies below Y (from the column's top), its top relative to
    // the column and its place in the list; none below the last section.
    TSectionBase* SectionAtY(int32_t y, int32_t& sectionTop, int& position) const;
    bool ImageAt(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY);
    // Cell is set to this column when a section answers and leaves it unset, so the caller
    // starts it at none and a nested column answers first.
    int32_t IndexAtPoint(platform::TCanvas& canvas, int32_t x, int32_t y, int32_t& caretX,
                         int32_t& lineTop, int32_t& lineHeight, TCell*& cell, bool& inLine);
    int32_t FindText(int32_t fromIndex, const std::string& text, bool matchCase);
    bool PointOfIndex(platform::TCanvas& canvas, int32_t index, int32_t& x, int32_t& y);
    bool CharAt(int32_t index, unsigned char& ch, TSectionBase*& section);
    void AddSelectedText();
    void RefreshFonts();

private:
    int32_t PendingDy_ = 0;    // moves of the content put off until ApplyMoves
    int32_t PendingIndex_ = 0;

    // The section under Y by the ranges the hit tests use: [top, top + PaintHeight).
    bool AskSectionsAt(int32_t y, const std::function<bool(TSectionBase&, int32_t)>& ask);
};

} // namespace htmlview
