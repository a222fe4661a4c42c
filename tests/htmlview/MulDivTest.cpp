#include "htmlview/HtmlUtils.h"

#include <gtest/gtest.h>

using htmlview::MulDiv;

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    const struct {
        int32_t A, B, C, Expected;
    } cases[] = {
        {12, 9, 12, 9},
        {10, 1, 4, 3},    // 2.5
        {10, 1, 3, 3},    // 3.33
        {11, 1, 6, 2},    // 1.83
        {-10, 1, 4, -3},  // -2.5
        {10, 1, -4, -3},
        {-10, -1, 4, 3},
        {-7, 1, 3, -2},   // -2.33
        {0, 5, 7, 0},
        {1, 1, 2, 1},     // 0.5
        {-1, 1, 2, -1},
        {1, 1, 3, 0},
        {2000000000, 3, 4, 1500000000}, // the product needs 64 bits
        {7, 5, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.A, c.B, c.C), c.Expected) << c.A << " * " << c.B << " / " << c.C;
}
