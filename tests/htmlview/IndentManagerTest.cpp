#include "htmlview/IndentManager.h"

#include <gtest/gtest.h>

using htmlview::IndentManager;

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
    EXPECT_EQ(Indents.LeftRects.Count() + Indents.RightRects.Count(), 2);

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
