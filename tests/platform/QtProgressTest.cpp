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
