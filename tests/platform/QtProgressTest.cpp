#include "platform/QtProgress.h"

#include <QProgressBar>
#include <gtest/gtest.h>

using namespace platform;

TEST(QtProgress, DrivesTheBarAndKeepsPositionsInRange)
{
    QProgressBar bar;
    TQtProgress progress(&bar);
    progress.SetMinimum(1);
    progress.SetMaximum(250);
    EXPECT_EQ(progress.Minimum(), 1);
    EXPECT_EQ(bar.maximum(), 250);

    const struct {
        int position;
        int shown;
    } cases[] = {{120, 120}, {250, 250}, {1, 1}, {900, 250}, {0, 1}, {-5, 1}};
    for (const auto& c : cases) {
        progress.SetPosition(c.position);
        progress.Repaint();
        EXPECT_EQ(bar.value(), c.shown) << c.position;
    }
}

// An empty dictionary asks for the range 0..0: the bar stays a bar at its start, never Qt's
// endless busy animation (which an empty range means to it).
TEST(QtProgress, EmptyRangeIsNoBusyBar)
{
    QProgressBar bar;
    TQtProgress progress(&bar);
    progress.SetMinimum(0);
    progress.SetMaximum(0);
    progress.SetPosition(0);
    EXPECT_EQ(progress.Minimum(), 0);
    EXPECT_LT(bar.minimum(), bar.maximum());
    EXPECT_EQ(bar.value(), 0);
    progress.SetPosition(5);
    EXPECT_EQ(bar.value(), 0);
}
