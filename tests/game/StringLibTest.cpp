#include "game/stringLib.h"

#include <gtest/gtest.h>

#include <climits>

using namespace game;

namespace {

struct TLeftCase {
    int32_t n;
    const char* expected;
};

TEST(StrLeftTest, TakesAtMostTheText)
{
    for (const TLeftCase& c : {TLeftCase{0, ""}, {-1, ""}, {INT_MIN, ""}, {2, "ab"}, {3, "abc"}, {5, "abc"}, {INT_MAX, "abc"}})
        EXPECT_EQ(StrLeft("abc", c.n), c.expected) << "n " << c.n;
}

struct TMidCase {
    int32_t from;
    int32_t n;
    const char* expected;
};

TEST(StrMidTest, StaysInsideTheText)
{
    for (const TMidCase& c : {TMidCase{1, 2, "ab"}, {2, 1, "b"}, {3, 5, "c"}, {4, 1, ""}, {0, 1, ""}, {-3, 2, ""},
                              {1, 0, ""}, {2, -1, ""}, {2, INT_MAX, "bc"}, {INT_MAX, 1, ""}})
        EXPECT_EQ(StrMid("abc", c.from, c.n), c.expected) << "from " << c.from << " n " << c.n;
}

} // namespace
