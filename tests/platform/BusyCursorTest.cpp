#include "platform/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <optional>

using namespace platform;

namespace {

std::optional<Qt::CursorShape> Shown()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional(cursor->shape()) : std::nullopt;
}

} // namespace

TEST(BusyCursor, NestedUsesKeepTheHourglassUntilTheOuterOneEnds)
{
    ASSERT_FALSE(Shown());
    {
        TBusyCursor outer;
        EXPECT_EQ(Shown(), Qt::WaitCursor);
        {
            TBusyCursor inner;
            EXPECT_EQ(Shown(), Qt::WaitCursor);
        }
        EXPECT_EQ(Shown(), Qt::WaitCursor);
    }
    EXPECT_FALSE(Shown());
}

TEST(BusyCursor, TheCursorShownBeforeComesBack)
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    {
        TBusyCursor busy;
        EXPECT_EQ(Shown(), Qt::WaitCursor);
    }
    EXPECT_EQ(Shown(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_FALSE(Shown());
}
