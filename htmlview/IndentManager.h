#pragma once
// The room that floats and list levels take from a column's text at each Y. Every column (the
// page body, each table cell) has one; line breaking asks it for the free edges of a line.
#include "htmlview/HtmlUtils.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

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

// The rectangles of one side. Layout asks about Y values that only grow, so the floats that ended
// above the latest Y the layout reached are set apart: a query at or below that Y skips them.
class TIndentSide {
public:
    const TFreeList<IndentRec>& Rects() const { return Rects_; }
    void Add(const IndentRec& rect);
    void Clear();
    // Sets apart the floats that cover nothing at or below Y; a Y higher than before changes
    // nothing.
    void Advance(int32_t y);
    // The largest (smallest) X of the rectangles that cover Y; 0 when that is more (less).
    int32_t LargestX(int32_t y) const;
    int32_t SmallestX(int32_t y) const;
    // The lowest bottom of the rectangles whose X exceeds X.
    std::optional<int32_t> LowestBottomRightOf(int32_t x) const;
    // The lowest bottom of the floats (level 0).
    std::optional<int32_t> LowestFloatBottom() const { return LowestFloatBottom_; }
    // The X of the float listed last, 0 when there is none.
    int32_t LastFloatX() const;
    // Turns the list-level rectangle at Index into a float ending at Bottom.
    void CloseLevel(int index, int32_t bottom);
    // Moves every rectangle down by DY; open list levels keep reaching to the column's end.
    void MoveBy(int32_t dy);

private:
    template <class TPick>
    int32_t CoveringX(int32_t y, TPick pick) const;
    void NoteFloat(int index);

    TFreeList<IndentRec> Rects_;
    int32_t Watermark_ = INT32_MIN;
    std::vector<IndentRec*> Live_; // every rectangle not set apart
    // The floats set apart (none reaches below Watermark_ and none changes again), reduced to
    // what LowestBottomRightOf needs: X -> Bottom with bottoms falling as X grows.
    std::map<int32_t, int32_t> EndedSteps_;
    std::optional<int32_t> LowestFloatBottom_;
    int LastFloat_ = -1; // index of the float listed last
};

class IndentManagerBasic {
public:
    int32_t Width = 0;          // the column's total width
    int32_t PaintClipWidth = 0; // width preformatted lines are clipped to when painting
    int32_t Level = 0;          // the list level open now
    int32_t LeftX = 0;
    int32_t RightX = 0;

    const TFreeList<IndentRec>& LeftRects() const { return Left_.Rects(); }
    const TFreeList<IndentRec>& RightRects() const { return Right_.Rects(); }

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
    // A negative level counts as 0.
    void SetLevel(int32_t y, int32_t newLevel);
    // Moves what the last layout placed down by DY, as a layout DY lower would have placed it.
    void MoveBy(int32_t dy);

protected:
    // Adds a float at Y, X from the column's left (right) edge.
    void AddLeftFloat(int32_t y, int32_t x, int32_t bottom);
    void AddRightFloat(int32_t y, int32_t x, int32_t bottom);

private:
    // The layout got down to Y: floats that ended above it can be set apart.
    void Reach(int32_t y);

    TIndentSide Left_;
    TIndentSide Right_;
    std::vector<int> OpenLevels_; // indexes of the left rectangles of open list levels, in order
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
            AddLeftFloat(y, ClampInt32(int64_t{free} + w), bottom);
            picture.FloatX = free;
        } else if (picture.Align == AlignRight) {
            const int32_t x = ClampInt32(int64_t{RightEdge(y)} - RightX - w);
            AddRightFloat(y, x, bottom);
            picture.FloatX = ClampInt32(int64_t{RightX} + x + picture.HSpace);
        }
    }
};

} // namespace htmlview
