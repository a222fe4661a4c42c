#include "htmlview/IndentManager.h"

#include <algorithm>
#include <optional>

namespace htmlview {

namespace {

constexpr int32_t ListIndent = 35;
constexpr int32_t OpenLevelBottom = 9999999;

bool Covers(const IndentRec& r, int32_t y)
{
    return r.Top <= y && y < r.Bottom;
}

// The lowest bottom of the floats (level 0) of one side, if it has any.
std::optional<int32_t> LowestFloatBottom(const TFreeList<IndentRec>& rects)
{
    std::optional<int32_t> bottom;
    for (int i = 0; i < rects.Count(); ++i)
        if (rects[i]->Level == 0)
            bottom = std::max(bottom.value_or(INT32_MIN), rects[i]->Bottom);
    return bottom;
}

int32_t ClearBelow(const TFreeList<IndentRec>& rects)
{
    const std::optional<int32_t> bottom = LowestFloatBottom(rects);
    return bottom ? ClampInt32(int64_t{*bottom} + 1) : 0;
}

} // namespace

void IndentManagerBasic::Clear()
{
    LeftRects.Clear();
    RightRects.Clear();
}

void IndentManagerBasic::SetEdges(int32_t left, int32_t right)
{
    LeftX = left;
    RightX = right;
    Level = 0;
}

int32_t IndentManagerBasic::LeftEdge(int32_t y) const
{
    int32_t x = 0;
    for (int i = 0; i < LeftRects.Count(); ++i)
        if (Covers(*LeftRects[i], y))
            x = std::max(x, LeftRects[i]->X);
    return ClampInt32(int64_t{LeftX} + x);
}

int32_t IndentManagerBasic::RightEdge(int32_t y) const
{
    int32_t x = 0;
    for (int i = 0; i < RightRects.Count(); ++i)
        if (Covers(*RightRects[i], y))
            x = std::min(x, RightRects[i]->X);
    return ClampInt32(int64_t{RightX} + x);
}

void IndentManagerBasic::AddRect(TFreeList<IndentRec>& rects, int32_t x, int32_t top, int32_t bottom,
                                 int32_t level)
{
    rects.Add(std::make_unique<IndentRec>(IndentRec{x, top, bottom, level}));
}

void IndentManagerBasic::AddBlock(int32_t y, int32_t width, int32_t side, int32_t height)
{
    const int32_t bottom = ClampInt32(int64_t{y} + height);
    if (side == 1)
        AddRect(LeftRects, ClampInt32(int64_t{LeftEdge(y)} + width - LeftX), y, bottom, 0);
    else if (side == 3)
        AddRect(RightRects, ClampInt32(int64_t{RightEdge(y)} - RightX - width), y, bottom, 0);
}

int32_t IndentManagerBasic::FloatBottom() const
{
    const std::optional<int32_t> left = LowestFloatBottom(LeftRects);
    const std::optional<int32_t> right = LowestFloatBottom(RightRects);
    if (left && right)
        return std::max(*left, *right);
    return left ? *left : right.value_or(0);
}

void IndentManagerBasic::ClearBottoms(int32_t& left, int32_t& right) const
{
    left = ClearBelow(LeftRects);
    right = ClearBelow(RightRects);
}

int32_t IndentManagerBasic::LevelBottom() const
{
    int32_t levelX = 0;
    for (int i = 0; i < LeftRects.Count(); ++i)
        if (LeftRects[i]->Level == Level)
            levelX = LeftRects[i]->X;
    std::optional<int32_t> bottom;
    for (int i = 0; i < LeftRects.Count(); ++i)
        if (LeftRects[i]->X > levelX)
            bottom = std::max(bottom.value_or(INT32_MIN), LeftRects[i]->Bottom);
    return bottom ? ClampInt32(int64_t{*bottom} + 1) : 1;
}

void IndentManagerBasic::SetLevel(int32_t y, int32_t newLevel)
{
    if (Level < newLevel) {
        for (int32_t k = Level + 1; k <= newLevel; ++k)
            AddRect(LeftRects, ClampInt32(int64_t{LeftEdge(y)} - LeftX + ListIndent), y, OpenLevelBottom, k);
    } else if (Level > newLevel && Level > 0) {
        // A closed level ends just above Y, like a float.
        for (int i = 0; i < LeftRects.Count(); ++i) {
            IndentRec& r = *LeftRects[i];
            if (r.Level > newLevel) {
                r.Level = 0;
                r.Bottom = ClampInt32(int64_t{y} - 1);
            }
        }
    }
    Level = newLevel;
}

} // namespace htmlview
