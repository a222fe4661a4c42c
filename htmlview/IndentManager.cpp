#include "htmlview/IndentManager.h"

#include <algorithm>

namespace htmlview {

namespace {

constexpr int32_t ListIndent = 35;
constexpr int32_t OpenLevelBottom = 9999999;

bool Covers(const IndentRec& r, int32_t y)
{
    return r.Top <= y && y < r.Bottom;
}

std::optional<int32_t> Lowest(std::optional<int32_t> a, std::optional<int32_t> b)
{
    if (a && b)
        return std::max(*a, *b);
    return a ? a : b;
}

int32_t ClearBelow(std::optional<int32_t> bottom)
{
    return bottom ? ClampInt32(int64_t{*bottom} + 1) : 0;
}

} // namespace

void TIndentSide::Add(const IndentRec& rect)
{
    Live_.push_back(Rects_.Add(std::make_unique<IndentRec>(rect)));
    if (rect.Level == 0)
        NoteFloat(Rects_.Count() - 1);
}

void TIndentSide::Clear()
{
    Rects_.Clear();
    Watermark_ = INT32_MIN;
    Live_.clear();
    EndedSteps_.clear();
    LowestFloatBottom_.reset();
    LastFloat_ = -1;
}

void TIndentSide::Advance(int32_t y)
{
    if (y <= Watermark_)
        return;
    Watermark_ = y;
    // Open list levels stay: closing them changes them.
    const auto ended = [y](const IndentRec* r) { return r->Level == 0 && r->Bottom <= y; };
    for (const IndentRec* r : Live_) {
        if (!ended(r))
            continue;
        // Only the lowest bottom at or right of each X matters to LowestBottomRightOf.
        const auto next = EndedSteps_.lower_bound(r->X);
        if (next != EndedSteps_.end() && next->second >= r->Bottom)
            continue;
        auto step = EndedSteps_.insert_or_assign(next, r->X, r->Bottom);
        while (step != EndedSteps_.begin() && std::prev(step)->second <= r->Bottom)
            EndedSteps_.erase(std::prev(step));
    }
    Live_.erase(std::remove_if(Live_.begin(), Live_.end(), ended), Live_.end());
}

template <class TPick>
int32_t TIndentSide::CoveringX(int32_t y, TPick pick) const
{
    int32_t x = 0;
    if (y >= Watermark_) {
        for (const IndentRec* r : Live_)
            if (Covers(*r, y))
                x = pick(x, r->X);
    } else {
        // Painting asks again from the top of the column.
        for (int i = 0; i < Rects_.Count(); ++i)
            if (Covers(*Rects_[i], y))
                x = pick(x, Rects_[i]->X);
    }
    return x;
}

int32_t TIndentSide::LargestX(int32_t y) const
{
    return CoveringX(y, [](int32_t a, int32_t b) { return std::max(a, b); });
}

int32_t TIndentSide::SmallestX(int32_t y) const
{
    return CoveringX(y, [](int32_t a, int32_t b) { return std::min(a, b); });
}

std::optional<int32_t> TIndentSide::LowestBottomRightOf(int32_t x) const
{
    std::optional<int32_t> bottom;
    if (const auto step = EndedSteps_.upper_bound(x); step != EndedSteps_.end())
        bottom = step->second;
    for (const IndentRec* r : Live_)
        if (r->X > x)
            bottom = std::max(bottom.value_or(INT32_MIN), r->Bottom);
    return bottom;
}

int32_t TIndentSide::LastFloatX() const
{
    return LastFloat_ < 0 ? 0 : Rects_[LastFloat_]->X;
}

void TIndentSide::CloseLevel(int index, int32_t bottom)
{
    IndentRec& r = *Rects_[index];
    r.Level = 0;
    r.Bottom = bottom;
    NoteFloat(index);
}

void TIndentSide::MoveBy(int32_t dy)
{
    const auto moved = [dy](int32_t y) { return ClampInt32(int64_t{y} + dy); };
    for (int i = 0; i < Rects_.Count(); ++i) {
        IndentRec& r = *Rects_[i];
        r.Top = moved(r.Top);
        if (r.Level == 0)
            r.Bottom = moved(r.Bottom);
    }
    if (Watermark_ != INT32_MIN)
        Watermark_ = moved(Watermark_);
    for (auto& step : EndedSteps_)
        step.second = moved(step.second);
    if (LowestFloatBottom_)
        LowestFloatBottom_ = moved(*LowestFloatBottom_);
}

void TIndentSide::NoteFloat(int index)
{
    LastFloat_ = std::max(LastFloat_, index);
    LowestFloatBottom_ = Lowest(LowestFloatBottom_, Rects_[index]->Bottom);
}

void IndentManagerBasic::Clear()
{
    Left_.Clear();
    Right_.Clear();
    OpenLevels_.clear();
}

void IndentManagerBasic::SetEdges(int32_t left, int32_t right)
{
    LeftX = left;
    RightX = right;
    Level = 0;
}

int32_t IndentManagerBasic::LeftEdge(int32_t y) const
{
    return ClampInt32(int64_t{LeftX} + Left_.LargestX(y));
}

int32_t IndentManagerBasic::RightEdge(int32_t y) const
{
    return ClampInt32(int64_t{RightX} + Right_.SmallestX(y));
}

void IndentManagerBasic::Reach(int32_t y)
{
    Left_.Advance(y);
    Right_.Advance(y);
}

void IndentManagerBasic::AddLeftFloat(int32_t y, int32_t x, int32_t bottom)
{
    Reach(y);
    Left_.Add({x, y, bottom, 0});
}

void IndentManagerBasic::AddRightFloat(int32_t y, int32_t x, int32_t bottom)
{
    Reach(y);
    Right_.Add({x, y, bottom, 0});
}

void IndentManagerBasic::AddBlock(int32_t y, int32_t width, int32_t side, int32_t height)
{
    const int32_t bottom = ClampInt32(int64_t{y} + height);
    if (side == 1)
        AddLeftFloat(y, ClampInt32(int64_t{LeftEdge(y)} + width - LeftX), bottom);
    else if (side == 3)
        AddRightFloat(y, ClampInt32(int64_t{RightEdge(y)} - RightX - width), bottom);
}

int32_t IndentManagerBasic::FloatBottom() const
{
    return Lowest(Left_.LowestFloatBottom(), Right_.LowestFloatBottom()).value_or(0);
}

void IndentManagerBasic::ClearBottoms(int32_t& left, int32_t& right) const
{
    left = ClearBelow(Left_.LowestFloatBottom());
    right = ClearBelow(Right_.LowestFloatBottom());
}

int32_t IndentManagerBasic::LevelBottom() const
{
    int32_t levelX = Level == 0 ? Left_.LastFloatX() : 0;
    for (auto open = OpenLevels_.rbegin(); open != OpenLevels_.rend(); ++open)
        if (const IndentRec& r = *LeftRects()[*open]; r.Level == Level) {
            levelX = r.X;
            break;
        }
    const std::optional<int32_t> bottom = Left_.LowestBottomRightOf(levelX);
    return bottom ? ClampInt32(int64_t{*bottom} + 1) : 1;
}

void IndentManagerBasic::MoveBy(int32_t dy)
{
    Left_.MoveBy(dy);
    Right_.MoveBy(dy);
}

void IndentManagerBasic::SetLevel(int32_t y, int32_t newLevel)
{
    newLevel = std::max(newLevel, 0);
    Reach(y);
    if (Level < newLevel) {
        for (int32_t k = Level + 1; k <= newLevel; ++k) {
            Left_.Add({ClampInt32(int64_t{LeftEdge(y)} - LeftX + ListIndent), y, OpenLevelBottom, k});
            OpenLevels_.push_back(LeftRects().Count() - 1);
        }
    } else if (Level > newLevel && Level > 0) {
        // A closed level ends just above Y, like a float.
        const int32_t bottom = ClampInt32(int64_t{y} - 1);
        std::erase_if(OpenLevels_, [&](int index) {
            if (LeftRects()[index]->Level <= newLevel)
                return false;
            Left_.CloseLevel(index, bottom);
            return true;
        });
    }
    Level = newLevel;
}

} // namespace htmlview
