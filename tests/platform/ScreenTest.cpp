#include "platform/Screen.h"
#include "tests/support/FakeScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace platform;

TEST(Screen, QtScreenIsThePrimaryScreen)
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    TQtScreen screen;
    EXPECT_EQ(screen.Width(), primary->geometry().width());
    EXPECT_EQ(screen.Height(), primary->geometry().height());
    EXPECT_EQ(screen.BitsPerPixel(), primary->depth());
    EXPECT_GT(screen.Width(), 0);
    EXPECT_GT(screen.BitsPerPixel(), 0);
}

TEST(Screen, AnInstalledScreenAnswersUntilItsScopeEnds)
{
    const int width = ScreenWidth();
    const int height = ScreenHeight();
    const int depth = ScreenBitsPerPixel();
    {
        TScopedFakeScreen fake;
        fake->ScreenWidth = 799;
        fake->ScreenHeight = 600;
        fake->ScreenBitsPerPixel = 15;
        EXPECT_EQ(ScreenWidth(), 799);
        EXPECT_EQ(ScreenHeight(), 600);
        EXPECT_EQ(ScreenBitsPerPixel(), 15);
    }
    EXPECT_EQ(ScreenWidth(), width);
    EXPECT_EQ(ScreenHeight(), height);
    EXPECT_EQ(ScreenBitsPerPixel(), depth);
}
