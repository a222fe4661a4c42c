#include "htmlview/IndentManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

using htmlview::IndentManager;
using htmlview::IndentRec;

namespace {

// The parts of a picture the indent manager reads and writes.
struct TFloatingPicture {
    uint8_t Align = 0;
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
    int32_t HSpace = 5;
    int32_t FloatX = -1;
};

class IndentManagerTest : public ::testing::Test {
protected:
    IndentManagerTest()
    {
        Indents.Width = 400;
        Indents.SetEdges(0, 400);
    }

    struct TEdgeCase {
        int32_t Y, Left, Right;
    };
    void ExpectEdges(std::initializer_list<TEdgeCase> cases)
    {
        for (const TEdgeCase& c : cases) {
            EXPECT_EQ(Indents.LeftEdge(c.Y), c.Left) << "left edge at Y " << c.Y;
            EXPECT_EQ(Indents.RightEdge(c.Y), c.Right) << "right edge at Y " << c.Y;
        }
    }

    IndentManager Indents;
};

} // namespace

TEST_F(IndentManagerTest, WithoutRectanglesTheEdgesAreTheColumnEdges)
{
    Indents.SetEdges(30, 230);
    ExpectEdges({{-5, 30, 230}, {0, 30, 230}, {100000, 30, 230}});
    EXPECT_EQ(Indents.FloatBottom(), 0);
    int32_t left = -1, right = -1;
    Indents.ClearBottoms(left, right);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 0);
    EXPECT_EQ(Indents.LevelBottom(), 1);
}

TEST_F(IndentManagerTest, FloatsNarrowTheirSideForTheirHeight)
{
    TFloatingPicture left{IndentManager::AlignLeft, 100, 50};
    Indents.AddFloat(10, left);
    EXPECT_EQ(left.FloatX, 0); // at the free edge, its gap to its right
    ExpectEdges({{9, 0, 400}, {10, 105, 400}, {59, 105, 400}, {60, 0, 400}});

    TFloatingPicture right{IndentManager::AlignRight, 100, 30};
    Indents.AddFloat(20, right);
    EXPECT_EQ(right.FloatX, 300); // touches the right edge, its gap to its left
    ExpectEdges({{20, 105, 295}, {49, 105, 295}, {50, 105, 400}});

    TFloatingPicture inline_{2, 100, 30};
    Indents.AddFloat(20, inline_);
    EXPECT_EQ(inline_.FloatX, -1);
    EXPECT_EQ(Indents.LeftRects().Count() + Indents.RightRects().Count(), 2);

    EXPECT_EQ(Indents.FloatBottom(), 60);
    int32_t clearLeft = 0, clearRight = 0;
    Indents.ClearBottoms(clearLeft, clearRight);
    EXPECT_EQ(clearLeft, 61);
    EXPECT_EQ(clearRight, 51);
}

TEST_F(IndentManagerTest, SecondFloatStacksBesideTheFirst)
{
    TFloatingPicture first{IndentManager::AlignLeft, 100, 50};
    TFloatingPicture second{IndentManager::AlignLeft, 40, 20, 0};
    Indents.AddFloat(0, first);
    Indents.AddFloat(10, second);
    EXPECT_EQ(second.FloatX, 105);
    ExpectEdges({{10, 145, 400}, {30, 105, 400}});
}

TEST_F(IndentManagerTest, BlocksTakeTheGivenWidthOnTheirSide)
{
    Indents.AddBlock(0, 120, 1, 40);
    Indents.AddBlock(0, 80, 3, 10);
    Indents.AddBlock(0, 80, 2, 10); // a centred block takes no side
    ExpectEdges({{0, 120, 320}, {10, 120, 400}, {40, 0, 400}});
    EXPECT_EQ(Indents.FloatBottom(), 40);
}

TEST_F(IndentManagerTest, ListLevelsStack35PixelsAndCloseAboveTheLine)
{
    Indents.SetLevel(0, 2);
    ExpectEdges({{0, 70, 400}, {500, 70, 400}});
    EXPECT_EQ(Indents.FloatBottom(), 0); // open levels are no floats

    Indents.SetLevel(200, 1);
    ExpectEdges({{198, 70, 400}, {199, 35, 400}, {5000, 35, 400}});
    // The closed level now ends just above the line like a float.
    EXPECT_EQ(Indents.FloatBottom(), 199);
    EXPECT_EQ(Indents.LevelBottom(), 200);

    Indents.SetLevel(300, 0);
    ExpectEdges({{298, 35, 400}, {299, 0, 400}});
}

TEST_F(IndentManagerTest, ListLevelOpensBesideAFloat)
{
    TFloatingPicture picture{IndentManager::AlignLeft, 100, 50};
    Indents.AddFloat(0, picture);
    Indents.SetLevel(10, 1);
    ExpectEdges({{10, 140, 400}, {50, 140, 400}});
}

TEST_F(IndentManagerTest, LevelBottomCoversFloatsInsideTheList)
{
    Indents.SetLevel(0, 1);
    TFloatingPicture picture{IndentManager::AlignLeft, 100, 50};
    Indents.AddFloat(10, picture);
    EXPECT_EQ(picture.FloatX, 35);
    EXPECT_EQ(Indents.LevelBottom(), 61);
}

TEST_F(IndentManagerTest, HugeSizesDoNotWrapAround)
{
    Indents.AddBlock(INT32_MAX - 5, 100, 1, 1000);
    TFloatingPicture picture{IndentManager::AlignRight, INT32_MAX, 10, 5};
    Indents.AddFloat(0, picture);
    EXPECT_EQ(Indents.FloatBottom(), INT32_MAX);
    int32_t left = 0, right = 0;
    Indents.ClearBottoms(left, right);
    EXPECT_EQ(left, INT32_MAX);
    EXPECT_LT(Indents.RightEdge(0), 0);
    EXPECT_EQ(Indents.LeftEdge(INT32_MAX - 1), 100);
}

TEST_F(IndentManagerTest, ManyClosedListsKeepEveryAnswer)
{
    // 500 nested lists, each item 100 pixels apart: level 1 at Y, level 2 from Y + 20, both
    // closed at Y + 60.
    constexpr int32_t Lists = 500;
    for (int32_t i = 0; i < Lists; ++i) {
        Indents.SetLevel(100 * i, 1);
        Indents.SetLevel(100 * i + 20, 2);
        Indents.SetLevel(100 * i + 60, 0);
    }
    EXPECT_EQ(Indents.FloatBottom(), 100 * (Lists - 1) + 59);
    // Painting asks again from the top, with the column moved.
    Indents.SetEdges(10, 410);
    ExpectEdges({{25010, 45, 410}, {25030, 80, 410}, {25058, 80, 410}, {25059, 10, 410}, {49999, 10, 410}});

    Indents.SetEdges(0, 400);
    Indents.SetLevel(50000, 1);
    // The deeper levels of the earlier lists reach right of level 1: the last one ended at 49959.
    EXPECT_EQ(Indents.LevelBottom(), 49960);
    ExpectEdges({{49958, 70, 400}, {50000, 35, 400}});
    Indents.SetLevel(50100, 0);
    // At level 0 the float listed last (level 1 of Y 50000, at 35) sets the line.
    EXPECT_EQ(Indents.LevelBottom(), 49960);
    // A float wider than every level leaves nothing right of it.
    TFloatingPicture picture{IndentManager::AlignLeft, 100, 300, 0};
    Indents.AddFloat(50200, picture);
    EXPECT_EQ(Indents.LevelBottom(), 1);
}

TEST_F(IndentManagerTest, NegativeLevelOpensNoFloat)
{
    Indents.SetLevel(0, -1);
    Indents.SetLevel(10, 1);
    ExpectEdges({{10, 35, 400}});
    EXPECT_EQ(Indents.FloatBottom(), 0);
    Indents.SetLevel(20, -1);
    ExpectEdges({{20, 0, 400}});
    EXPECT_EQ(Indents.FloatBottom(), 19);
}

namespace {

// The rules with nothing skipped: every query looks at every rectangle.
struct TPlainIndents {
    std::vector<IndentRec> Left, Right;
    int32_t Level = 0, LeftX = 0, RightX = 0;

    static int32_t Extreme(const std::vector<IndentRec>& rects, int32_t y, bool largest)
    {
        int32_t x = 0;
        for (const IndentRec& r : rects)
            if (r.Top <= y && y < r.Bottom)
                x = largest ? std::max(x, r.X) : std::min(x, r.X);
        return x;
    }
    static std::optional<int32_t> LowestFloat(const std::vector<IndentRec>& rects)
    {
        std::optional<int32_t> bottom;
        for (const IndentRec& r : rects)
            if (r.Level == 0)
                bottom = std::max(bottom.value_or(INT32_MIN), r.Bottom);
        return bottom;
    }
    int32_t LeftEdge(int32_t y) const { return LeftX + Extreme(Left, y, true); }
    int32_t RightEdge(int32_t y) const { return RightX + Extreme(Right, y, false); }
    int32_t FloatBottom() const
    {
        const std::optional<int32_t> left = LowestFloat(Left), right = LowestFloat(Right);
        return left && right ? std::max(*left, *right) : left.value_or(right.value_or(0));
    }
    int32_t LevelBottom() const
    {
        int32_t levelX = 0;
        for (const IndentRec& r : Left)
            if (r.Level == Level)
                levelX = r.X;
        std::optional<int32_t> bottom;
        for (const IndentRec& r : Left)
            if (r.X > levelX)
                bottom = std::max(bottom.value_or(INT32_MIN), r.Bottom);
        return bottom ? *bottom + 1 : 1;
    }
    void SetLevel(int32_t y, int32_t newLevel)
    {
        for (int32_t k = Level + 1; k <= newLevel; ++k)
            Left.push_back({LeftEdge(y) - LeftX + 35, y, 9999999, k});
        for (IndentRec& r : Left)
            if (r.Level > newLevel)
                r = {r.X, r.Top, y - 1, 0};
        Level = newLevel;
    }
};

} // namespace

TEST_F(IndentManagerTest, AnswersMatchAScanOfEveryRectangle)
{
    // Layouts of random columns (Y mostly growing, floats of both sides, list levels going up
    // and down), each followed by a paint that asks again from the top. Some columns run past the
    // bottom that open list levels are given.
    std::mt19937 random(7);
    const auto below = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
    TPlainIndents plain;
    const auto expectSame = [&](int32_t y) {
        ASSERT_EQ(Indents.LeftEdge(y), plain.LeftEdge(y)) << "Y " << y;
        ASSERT_EQ(Indents.RightEdge(y), plain.RightEdge(y)) << "Y " << y;
    };
    for (int column = 0; column < 20; ++column) {
        Indents.Clear();
        Indents.SetEdges(0, 400);
        plain = TPlainIndents{{}, {}, 0, 0, 400};
        int32_t y = column % 4 == 3 ? 9999000 : 0;
        for (int step = 0; step < 300; ++step) {
            y += below(4) == 0 ? -below(30) : below(40);
            switch (below(4)) {
            case 0: {
                const int32_t level = below(4);
                Indents.SetLevel(y, level);
                plain.SetLevel(y, level);
                break;
            }
            case 1: {
                TFloatingPicture picture{static_cast<uint8_t>(IndentManager::AlignLeft + below(2)),
                                         1 + below(80), 1 + below(120), below(6)};
                const bool left = picture.Align == IndentManager::AlignLeft;
                const int32_t x = left ? plain.LeftEdge(y) + picture.ImageWidth + picture.HSpace
                                       : plain.RightEdge(y) - plain.RightX - picture.ImageWidth - picture.HSpace;
                (left ? plain.Left : plain.Right).push_back({x, y, y + picture.ImageHeight, 0});
                Indents.AddFloat(y, picture);
                break;
            }
            default:
                break;
            }
            for (const int32_t at : {y, y + below(50), y - below(200)})
                expectSame(at);
            ASSERT_EQ(Indents.FloatBottom(), plain.FloatBottom());
            ASSERT_EQ(Indents.LevelBottom(), plain.LevelBottom());
        }
        Indents.SetEdges(20, 420);
        plain.LeftX = 20;
        plain.RightX = 420;
        plain.Level = 0;
        for (int32_t at = y - 5000; at < y + 100; at += 7)
            expectSame(at);
        ASSERT_EQ(Indents.LevelBottom(), plain.LevelBottom());
    }
}

// Moved down after a layout, a manager answers at every Y as one laid out that much lower: floats
// and closed list levels move, open levels still reach to the column's end.
TEST(IndentManagerMoveTest, MovedAnswersAsLaidOutLower)
{
    constexpr int32_t Dy = 137;
    auto layOut = [](IndentManager& indents, int32_t top) {
        indents.Width = 400;
        indents.SetEdges(0, 400);
        TFloatingPicture left{IndentManager::AlignLeft, 60, 40};
        TFloatingPicture right{IndentManager::AlignRight, 30, 90};
        indents.SetLevel(top, 2);
        indents.AddFloat(top + 10, left);
        indents.SetLevel(top + 30, 1);
        indents.AddFloat(top + 35, right);
        indents.AddBlock(top + 200, 50, 1, 20);
        indents.SetLevel(top + 210, 0);
        indents.SetLevel(top + 240, 1);
    };
    IndentManager moved;
    layOut(moved, 0);
    moved.MoveBy(Dy);
    IndentManager lower;
    layOut(lower, Dy);
    for (int32_t y = 0; y < 300 + Dy; ++y) {
        EXPECT_EQ(moved.LeftEdge(y), lower.LeftEdge(y)) << y;
        EXPECT_EQ(moved.RightEdge(y), lower.RightEdge(y)) << y;
    }
    EXPECT_EQ(moved.FloatBottom(), lower.FloatBottom());
    EXPECT_EQ(moved.LevelBottom(), lower.LevelBottom());
    int32_t movedLeft = 0, movedRight = 0, lowerLeft = 0, lowerRight = 0;
    moved.ClearBottoms(movedLeft, movedRight);
    lower.ClearBottoms(lowerLeft, lowerRight);
    EXPECT_EQ(movedLeft, lowerLeft);
    EXPECT_EQ(movedRight, lowerRight);
}
