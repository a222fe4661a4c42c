#pragma once
// The room that floats and list levels take from a column's text at each Y. Every column (the
// page body, each table cell) has one; line breaking asks it for the free edges of a line.
#include "htmlview/HtmlUtils.h"

#include <cstdint>

namespace htmlview {

// Sums of positions kept in range: a page may give absurd sizes, and a wrapped Y would send
// the layout back up the page.
inline int32_t ClampInt32(int64_t value)
{
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<int32_t>(value);
}

// One rectangle that narrows the column for Top <= Y < Bottom.
struct IndentRec {
    // Left rectangle: its right side from the column's left edge; right rectangle: its left side
    // from the column's right edge (0 or negative).
    int32_t X = 0;
    int32_t Top = 0;
    int32_t Bottom = 0;
    // 0 for pictures and tables, k for the indent of open list level k.
    int32_t Level = 0;
};

class IndentManagerBasic {
public:
    int32_t Width = 0;          // the column's total width
    int32_t PaintClipWidth = 0; // width preformatted lines are clipped to when painting
    TFreeList<IndentRec> LeftRects;
    TFreeList<IndentRec> RightRects;
    int32_t Level = 0; // the list level open now
    int32_t LeftX = 0;
    int32_t RightX = 0;

    void Clear();
    void SetEdges(int32_t left, int32_t right);
    int32_t LeftEdge(int32_t y) const;
    int32_t RightEdge(int32_t y) const;
    // Side 1 adds a block on the left, 3 on the right; other sides add nothing.
    void AddBlock(int32_t y, int32_t width, int32_t side, int32_t height);
    // Lowest bottom of the floats of both sides (open list levels do not count); 0 for none.
    int32_t FloatBottom() const;
    // 1 + the lowest float bottom of each side; 0 for a side without floats.
    void ClearBottoms(int32_t& left, int32_t& right) const;
    // 1 + the lowest bottom of the left rectangles that reach right of the open level's indent.
    int32_t LevelBottom() const;
    // Opens the list levels up to NewLevel at Y (35 pixels each), or closes those above it.
    void SetLevel(int32_t y, int32_t newLevel);

protected:
    void AddRect(TFreeList<IndentRec>& rects, int32_t x, int32_t top, int32_t bottom, int32_t level);
};

class IndentManager : public IndentManagerBasic {
public:
    static constexpr uint8_t AlignLeft = 3;
    static constexpr uint8_t AlignRight = 4;

    // Places a picture floating left or right at Y and records its FloatX (from the column's left
    // edge). Pictures of other alignments take no room. The picture gives Align, ImageWidth,
    // ImageHeight and HSpace.
    template <class TPicture>
    void AddFloat(int32_t y, TPicture& picture)
    {
        const int32_t w = ClampInt32(int64_t{picture.ImageWidth} + picture.HSpace);
        const int32_t bottom = ClampInt32(int64_t{y} + picture.ImageHeight);
        if (picture.Align == AlignLeft) {
            const int32_t free = LeftEdge(y) - LeftX;
            AddRect(LeftRects, ClampInt32(int64_t{free} + w), y, bottom, 0);
            picture.FloatX = free;
        } else if (picture.Align == AlignRight) {
            const int32_t x = ClampInt32(int64_t{RightEdge(y)} - RightX - w);
            AddRect(RightRects, x, y, bottom, 0);
            picture.FloatX = ClampInt32(int64_t{RightX} + x + picture.HSpace);
        }
    }
};

} // namespace htmlview
